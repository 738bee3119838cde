// GetACP, IsDBCSLeadByte, MultiByteToWideChar and WideCharToMultiByte for code pages 936 and UTF-8.
#include "codepage/Gbk.h"
#include "codepage/GbkConvert.h"
#include "codepage/Utf8.h"
#include "kernel/LastError.h"

#include <win32/winbase.h>
#include <win32/winnls.h>

#include <algorithm>
#include <cstring>

using namespace win32::codepage;
using win32::Fail;

namespace {

enum class Page { Unknown, Gbk, Utf8 };

// The system, OEM and thread code pages are all 936 here.
Page Resolve(UINT codePage) {
    switch (codePage) {
    case CP_ACP:
    case CP_OEMCP:
    case CP_THREAD_ACP:
    case 936: return Page::Gbk;
    case CP_UTF8: return Page::Utf8;
    default: return Page::Unknown;
    }
}

// Length of the first code page 936 character of s.
size_t GbkCharLength(const char* s, size_t left) {
    if (left >= 2 && Gbk::IsLeadByte(static_cast<BYTE>(s[0])) && Gbk::IsTrailByte(static_cast<BYTE>(s[1]))) return 2;
    return 1;
}

size_t Utf8CharLength(const char* s, size_t left) {
    auto b = static_cast<unsigned char>(s[0]);
    size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    return std::min(n, left);
}

}  // namespace

UINT GetACP(void) { return 936; }

UINT GetOEMCP(void) { return 936; }

BOOL IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar) {
    switch (Resolve(CodePage)) {
    case Page::Gbk: return Gbk::IsLeadByte(TestChar) ? TRUE : FALSE;
    case Page::Utf8: return FALSE;  // UTF-8 is no double-byte code page
    default: return Fail(ERROR_INVALID_PARAMETER);
    }
}

BOOL IsDBCSLeadByte(BYTE TestChar) { return IsDBCSLeadByteEx(CP_ACP, TestChar); }

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar) {
    if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (!lpWideCharStr && cchWideChar > 0) ||
        (lpWideCharStr && static_cast<const void*>(lpMultiByteStr) == static_cast<const void*>(lpWideCharStr)))
        return Fail(ERROR_INVALID_PARAMETER);
    Page page = Resolve(CodePage);
    if (page == Page::Unknown) return Fail(ERROR_INVALID_PARAMETER);
    if (page == Page::Utf8 && (dwFlags & ~static_cast<DWORD>(MB_ERR_INVALID_CHARS))) return Fail(ERROR_INVALID_FLAGS);
    // Code page 936 has no glyph table, so MB_USEGLYPHCHARS leaves its control characters as they are.
    const DWORD gbkFlags = MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS;
    if (page == Page::Gbk && ((dwFlags & ~gbkFlags) || ((dwFlags & MB_PRECOMPOSED) && (dwFlags & MB_COMPOSITE))))
        return Fail(ERROR_INVALID_FLAGS);

    size_t count = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    std::u16string wide;
    bool clean = page == Page::Utf8 ? Utf8ToUtf16(lpMultiByteStr, count, wide)
                                    : GbkToUtf16(lpMultiByteStr, count, (dwFlags & MB_COMPOSITE) != 0, wide);
    if (!clean && (dwFlags & MB_ERR_INVALID_CHARS)) return Fail(ERROR_NO_UNICODE_TRANSLATION);
    if (wide.size() > 0x7FFFFFFF) return Fail(ERROR_INVALID_PARAMETER);
    if (cchWideChar == 0) return static_cast<int>(wide.size());
    if (wide.size() > static_cast<size_t>(cchWideChar)) {
        std::copy_n(wide.begin(), cchWideChar, lpWideCharStr);
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    std::copy(wide.begin(), wide.end(), lpWideCharStr);
    return static_cast<int>(wide.size());
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                        int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar) {
    if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (!lpMultiByteStr && cbMultiByte > 0) ||
        (lpMultiByteStr && static_cast<const void*>(lpWideCharStr) == static_cast<const void*>(lpMultiByteStr)))
        return Fail(ERROR_INVALID_PARAMETER);
    Page page = Resolve(CodePage);
    if (page == Page::Unknown) return Fail(ERROR_INVALID_PARAMETER);

    const DWORD nsFlags = WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR;
    if (page == Page::Utf8) {
        // UTF-8 can hold every character, so it has no default character to ask about.
        if (lpDefaultChar || lpUsedDefaultChar) return Fail(ERROR_INVALID_PARAMETER);
        if (dwFlags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) return Fail(ERROR_INVALID_FLAGS);
    } else {
        // There are no best-fit mappings here, so every conversion already is what WC_NO_BEST_FIT_CHARS asks.
        const DWORD allowed = WC_COMPOSITECHECK | nsFlags | WC_NO_BEST_FIT_CHARS;
        DWORD ns = dwFlags & nsFlags;
        if ((dwFlags & ~allowed) || (ns && !(dwFlags & WC_COMPOSITECHECK)) || (ns & (ns - 1)))
            return Fail(ERROR_INVALID_FLAGS);
    }

    size_t count = 0;
    if (cchWideChar == -1) {
        while (lpWideCharStr[count]) ++count;
        ++count;
    } else {
        count = static_cast<size_t>(cchWideChar);
    }
    std::string bytes;
    size_t (*charLength)(const char*, size_t) = GbkCharLength;
    if (page == Page::Utf8) {
        charLength = Utf8CharLength;
        if (!Utf16ToUtf8(lpWideCharStr, count, bytes) && (dwFlags & WC_ERR_INVALID_CHARS))
            return Fail(ERROR_NO_UNICODE_TRANSLATION);
    } else {
        GbkEncoding encoding;
        encoding.compositeFlags = dwFlags & (WC_COMPOSITECHECK | nsFlags);
        if (lpDefaultChar)
            encoding.defaultChar.assign(lpDefaultChar, GbkCharLength(lpDefaultChar, lpDefaultChar[0] ? 2 : 1));
        bool usedDefault = Utf16ToGbk(lpWideCharStr, count, encoding, bytes);
        if (lpUsedDefaultChar) *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    }
    if (bytes.size() > 0x7FFFFFFF) return Fail(ERROR_INVALID_PARAMETER);
    if (cbMultiByte == 0) return static_cast<int>(bytes.size());
    if (bytes.size() > static_cast<size_t>(cbMultiByte)) {
        // Only whole characters reach the caller's buffer: a double-byte character is never split.
        size_t fits = 0;
        while (fits < bytes.size()) {
            size_t n = charLength(bytes.data() + fits, bytes.size() - fits);
            if (fits + n > static_cast<size_t>(cbMultiByte)) break;
            fits += n;
        }
        std::memcpy(lpMultiByteStr, bytes.data(), fits);
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    std::memcpy(lpMultiByteStr, bytes.data(), bytes.size());
    return static_cast<int>(bytes.size());
}
