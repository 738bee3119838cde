// Code page 936 text to UTF-16 and back, one character at a time over the Gbk tables.
#include "codepage/GbkConvert.h"

#include "codepage/Composition.h"
#include "codepage/Gbk.h"

#include <win32/winnls.h>

namespace win32::codepage {

bool GbkToUtf16(const char* bytes, size_t count, bool decompose, std::u16string& out) {
    const Gbk& gbk = Gbk::Instance();
    const auto* s = reinterpret_cast<const BYTE*>(bytes);
    bool clean = true;
    size_t i = 0;
    while (i < count) {
        WCHAR c = gbk.DecodeSingle(s[i]);
        size_t used = 1;
        if (Gbk::IsLeadByte(s[i])) {
            // A lead byte whose next byte cannot be a trail byte stands alone, so the next byte (often ASCII)
            // survives; a well-formed but unassigned pair is one invalid character.
            if (i + 1 < count && Gbk::IsTrailByte(s[i + 1])) {
                c = gbk.DecodePair(s[i], s[i + 1]);
                used = 2;
            }
        }
        if (c == Gbk::NoChar) {
            out += u'?';
            clean = false;
        } else if (decompose) {
            AppendDecomposed(c, out);
        } else {
            out += c;
        }
        i += used;
    }
    return clean;
}

bool Utf16ToGbk(const char16_t* units, size_t count, const GbkEncoding& encoding, std::string& out) {
    const Gbk& gbk = Gbk::Instance();
    bool usedDefault = false;
    auto put = [&](WCHAR c) {
        uint16_t code = gbk.Encode(c);
        if (code == Gbk::NoBytes) {
            out += encoding.defaultChar;
            usedDefault = true;
        } else if (code < 0x100) {
            out += static_cast<char>(code);
        } else {
            out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
        }
    };
    for (size_t i = 0; i < count; ++i) {
        WCHAR c = units[i];
        if (encoding.compositeFlags & WC_COMPOSITECHECK) {
            while (i + 1 < count && IsNonSpacing(units[i + 1])) {
                WCHAR composed = Compose(c, units[i + 1]);
                if (!composed) break;
                c = composed;
                ++i;
            }
            if (i + 1 < count && IsNonSpacing(units[i + 1])) {
                // A mark that does not compose: drop it, replace the whole composite, or convert it on its own.
                if (encoding.compositeFlags & WC_DEFAULTCHAR) {
                    out += encoding.defaultChar;
                    usedDefault = true;
                    while (i + 1 < count && IsNonSpacing(units[i + 1])) ++i;
                    continue;
                }
                if (encoding.compositeFlags & WC_DISCARDNS) {
                    put(c);
                    while (i + 1 < count && IsNonSpacing(units[i + 1])) ++i;
                    continue;
                }
            }
        }
        put(c);
    }
    return usedDefault;
}

}  // namespace win32::codepage
