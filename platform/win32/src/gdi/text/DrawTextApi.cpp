// DrawTextA/W and DrawTextExA/W: argument rules and the code page 936 side; the layout is DrawTextEngine's.
#include "AnsiText.h"
#include "DrawTextEngine.h"
#include "kernel/LastError.h"

#include <win32/winerror.h>

#include <algorithm>
#include <cstring>

using win32::Fail;

using win32::gdi::AnsiText;
using win32::gdi::DrawTextEngine;

namespace {}  // namespace

int DrawTextExW(HDC hdc, LPWSTR lpchText, int cchText, LPRECT lprc, UINT format, LPDRAWTEXTPARAMS lpdtp) {
    if (cchText < -1 || (!lpchText && cchText != 0)) return Fail(0, ERROR_INVALID_PARAMETER);
    int count = cchText == -1 ? static_cast<int>(std::char_traits<char16_t>::length(lpchText)) : cchText;
    std::u16string text(lpchText ? lpchText : u"", count);
    std::u16string modified;
    bool changed = false;
    int height = DrawTextEngine::Run(hdc, text, lprc, format, lpdtp, &modified, &changed);
    if (changed && lpchText) {
        // The caller's buffer has room for four more characters than the text, as DT_MODIFYSTRING requires.
        size_t room = static_cast<size_t>(count) + 4;
        size_t length = std::min(modified.size(), room - 1);
        std::copy(modified.begin(), modified.begin() + length, lpchText);
        lpchText[length] = u'\0';
    }
    return height;
}

int DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    // As on Windows, DT_MODIFYSTRING writes into the text despite its const type.
    return DrawTextExW(hdc, const_cast<LPWSTR>(lpchText), cchText, lprc, format, nullptr);
}

int DrawTextExA(HDC hdc, LPSTR lpchText, int cchText, LPRECT lprc, UINT format, LPDRAWTEXTPARAMS lpdtp) {
    if (cchText < -1 || (!lpchText && cchText != 0)) return Fail(0, ERROR_INVALID_PARAMETER);
    int count = cchText == -1 ? static_cast<int>(std::strlen(lpchText)) : cchText;
    AnsiText text(lpchText ? lpchText : "", count);
    std::u16string modified;
    bool changed = false;
    int height = DrawTextEngine::Run(hdc, text.Wide, lprc, format, lpdtp, &modified, &changed);
    if (lpdtp && height) lpdtp->uiLengthDrawn = text.BytesForUnits(static_cast<int>(lpdtp->uiLengthDrawn));
    if (changed && lpchText) {
        std::string ansi = AnsiText::ToAnsi(modified);
        size_t room = static_cast<size_t>(count) + 4;
        size_t length = std::min(ansi.size(), room - 1);
        std::memcpy(lpchText, ansi.data(), length);
        lpchText[length] = '\0';
    }
    return height;
}

int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    return DrawTextExA(hdc, const_cast<LPSTR>(lpchText), cchText, lprc, format, nullptr);
}
