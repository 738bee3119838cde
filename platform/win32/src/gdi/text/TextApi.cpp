// TextOut, ExtTextOut, extents, metrics, face names and character widths.
#include "../DeviceContext.h"
#include "AnsiText.h"
#include "FontObject.h"
#include "TextRun.h"
#include "kernel/LastError.h"

#include <win32/winbase.h>
#include <win32/winerror.h>
#include <win32/winnls.h>

#include <algorithm>
#include <climits>
#include <cstring>

using win32::Fail;

using namespace win32::gdi;

namespace {

constexpr UINT SupportedTextOptions = ETO_OPAQUE | ETO_CLIPPED | ETO_GLYPH_INDEX;

int RunWidth(DeviceContext& dc, const char16_t* text, int count) {
    auto font = SelectedFont(dc)->Instance();
    int extra = dc.State().CharExtra, width = 0;
    for (int i = 0; i < count; ++i) width += font->CharAdvance(text[i]) + extra;
    return width;
}

}  // namespace

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString, UINT c, const INT* lpDx) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (options & ~SupportedTextOptions) return Fail(ERROR_INVALID_PARAMETER);
    if (c > static_cast<UINT>(INT_MAX) || (c > 0 && !lpString)) return Fail(ERROR_INVALID_PARAMETER);
    auto font = SelectedFont(*dc);
    auto instance = font->Instance();
    TextRun run(*instance, lpString, static_cast<int>(c), lpDx, dc->State().CharExtra,
                (options & ETO_GLYPH_INDEX) != 0);
    run.Paint(*dc, *font, x, y, options, lprect);
    return TRUE;
}

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c, const INT* lpDx) {
    if (c > static_cast<UINT>(INT_MAX) || (c > 0 && !lpString)) {
        if (!LookupDC(hdc)) return FALSE;
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (options & ETO_GLYPH_INDEX) {
        // Glyph indices are not characters: each byte is one index.
        std::u16string indices(lpString, lpString + c);
        for (auto& index : indices) index &= 0xFF;
        return ExtTextOutW(hdc, x, y, options, lprect, indices.data(), c, lpDx);
    }
    AnsiText text(lpString, static_cast<int>(c));
    // lpDx has one entry per byte; a double-byte character moves by the sum of its two.
    std::vector<INT> dx;
    if (lpDx) {
        int byte = 0;
        for (int bytes : text.Bytes) {
            int advance = 0;
            for (int k = 0; k < bytes; ++k) advance += lpDx[byte++];
            dx.push_back(advance);
        }
    }
    return ExtTextOutW(hdc, x, y, options, lprect, text.Wide.data(), static_cast<UINT>(text.Wide.size()),
                       lpDx ? dx.data() : nullptr);
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c) {
    if (c < 0) {
        if (!LookupDC(hdc)) return FALSE;
        return Fail(ERROR_INVALID_PARAMETER);
    }
    return ExtTextOutW(hdc, x, y, 0, nullptr, lpString, static_cast<UINT>(c), nullptr);
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    if (c < 0) {
        if (!LookupDC(hdc)) return FALSE;
        return Fail(ERROR_INVALID_PARAMETER);
    }
    return ExtTextOutA(hdc, x, y, 0, nullptr, lpString, static_cast<UINT>(c), nullptr);
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (c < 0 || !psizl || (c > 0 && !lpString)) return Fail(ERROR_INVALID_PARAMETER);
    psizl->cx = RunWidth(*dc, lpString, c);
    psizl->cy = SelectedFont(*dc)->Instance()->Metrics().tmHeight;
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
    if (c < 0 || !psizl || (c > 0 && !lpString)) {
        if (!LookupDC(hdc)) return FALSE;
        return Fail(ERROR_INVALID_PARAMETER);
    }
    AnsiText text(lpString, c);
    return GetTextExtentPoint32W(hdc, text.Wide.data(), static_cast<int>(text.Wide.size()), psizl);
}

BOOL GetTextExtentExPointW(HDC hdc, LPCWSTR lpszString, int cchString, int nMaxExtent, LPINT lpnFit, LPINT lpnDx,
                           LPSIZE lpSize) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (cchString < 0 || !lpSize || (cchString > 0 && !lpszString)) return Fail(ERROR_INVALID_PARAMETER);
    auto font = SelectedFont(*dc)->Instance();
    int extra = dc->State().CharExtra, extent = 0, fit = 0;
    for (int i = 0; i < cchString; ++i) {
        extent += font->CharAdvance(lpszString[i]) + extra;
        if (lpnDx) lpnDx[i] = extent;
        if (extent <= nMaxExtent && fit == i) fit = i + 1;
    }
    if (lpnFit) *lpnFit = fit;
    lpSize->cx = extent;
    lpSize->cy = font->Metrics().tmHeight;
    return TRUE;
}

BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (!lptm) return Fail(ERROR_INVALID_PARAMETER);
    *lptm = SelectedFont(*dc)->Instance()->Metrics();
    return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
    TEXTMETRICW wide;
    if (!lptm) {
        if (!LookupDC(hdc)) return FALSE;
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (!GetTextMetricsW(hdc, &wide)) return FALSE;
    std::memcpy(lptm, &wide, offsetof(TEXTMETRICA, tmFirstChar));
    lptm->tmFirstChar = static_cast<BYTE>(std::min<WCHAR>(wide.tmFirstChar, 0xFF));
    lptm->tmLastChar = static_cast<BYTE>(std::min<WCHAR>(wide.tmLastChar, 0xFF));
    lptm->tmDefaultChar = static_cast<BYTE>(std::min<WCHAR>(wide.tmDefaultChar, 0xFF));
    lptm->tmBreakChar = static_cast<BYTE>(std::min<WCHAR>(wide.tmBreakChar, 0xFF));
    lptm->tmItalic = wide.tmItalic;
    lptm->tmUnderlined = wide.tmUnderlined;
    lptm->tmStruckOut = wide.tmStruckOut;
    lptm->tmPitchAndFamily = wide.tmPitchAndFamily;
    lptm->tmCharSet = wide.tmCharSet;
    return TRUE;
}

// With a buffer: the characters copied, not counting the terminating null; without one: the size needed, counting it.
int GetTextFaceW(HDC hdc, int c, LPWSTR lpName) {
    auto dc = LookupDC(hdc);
    if (!dc) return 0;
    const std::u16string& face = SelectedFont(*dc)->Instance()->FaceName();
    if (!lpName) return static_cast<int>(face.size()) + 1;
    if (c <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int copied = std::min<int>(c - 1, static_cast<int>(face.size()));
    std::copy(face.begin(), face.begin() + copied, lpName);
    lpName[copied] = u'\0';
    return copied;
}

int GetTextFaceA(HDC hdc, int c, LPSTR lpName) {
    auto dc = LookupDC(hdc);
    if (!dc) return 0;
    std::string face = AnsiText::ToAnsi(SelectedFont(*dc)->Instance()->FaceName());
    if (!lpName) return static_cast<int>(face.size()) + 1;
    if (c <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int copied = 0;
    while (copied < static_cast<int>(face.size())) {
        BYTE lead = static_cast<BYTE>(face[copied]);
        int unit = lead >= 0x81 && lead <= 0xFE ? 2 : 1;
        if (copied + unit > c - 1) break;
        copied += unit;
    }
    std::memcpy(lpName, face.data(), copied);
    lpName[copied] = '\0';
    return copied;
}

BOOL GetCharWidth32W(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (!lpBuffer || iFirst > iLast || iLast > 0xFFFF) return Fail(ERROR_INVALID_PARAMETER);
    auto font = SelectedFont(*dc)->Instance();
    for (UINT ch = iFirst; ch <= iLast; ++ch) lpBuffer[ch - iFirst] = font->CharAdvance(static_cast<char16_t>(ch));
    return TRUE;
}
