// UTF-8 conversions with Unicode's "maximal subpart" replacement of ill-formed input.
#include "codepage/Utf8.h"

namespace win32::codepage {

bool Utf8ToUtf16(const char* bytes, size_t count, std::u16string& out) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes);
    bool clean = true;
    size_t i = 0;
    while (i < count) {
        unsigned char b = s[i];
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
            ++i;
            continue;
        }
        int need = 0;
        char32_t cp = 0;
        unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            need = 1;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            need = 2;
            cp = b & 0x0F;
            if (b == 0xE0) low = 0xA0;
            if (b == 0xED) high = 0x9F;  // no encoded surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            need = 3;
            cp = b & 0x07;
            if (b == 0xF0) low = 0x90;
            if (b == 0xF4) high = 0x8F;
        } else {
            out += u'\xFFFD';
            clean = false;
            ++i;
            continue;
        }
        size_t j = i + 1;
        bool ok = true;
        for (int k = 0; k < need; ++k, ++j) {
            unsigned char lo = k == 0 ? low : 0x80, hi = k == 0 ? high : 0xBF;
            if (j >= count || s[j] < lo || s[j] > hi) {
                ok = false;
                break;
            }
            cp = cp << 6 | (s[j] & 0x3F);
        }
        if (!ok) {
            // The valid prefix read so far is the one subsequence replaced.
            out += u'\xFFFD';
            clean = false;
            i = j;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i = j;
    }
    return clean;
}

bool Utf16ToUtf8(const char16_t* units, size_t count, std::string& out) {
    bool clean = true;
    for (size_t i = 0; i < count; ++i) {
        char32_t cp = units[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
            clean = false;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | cp >> 6);
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | cp >> 12);
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | cp >> 18);
            out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return clean;
}

}  // namespace win32::codepage
