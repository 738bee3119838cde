// DrawEdge, DrawFrameControl and DrawFocusRect: handle and argument checks in front of the classic painter.
#include "ClassicPainter.h"

#include <win32/winbase.h>
#include <win32/winuser.h>

using win32::gdi::LookupDC;
using win32::gdi::classic::ClassicPainter;

BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (!qrc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!ClassicPainter(*dc).Edge(*qrc, edge, grfFlags)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return FALSE;
    }
    return TRUE;
}

BOOL DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (!lprc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!ClassicPainter(*dc).FrameControl(*lprc, uType, uState)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return FALSE;
    }
    return TRUE;
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc) {
    auto dc = LookupDC(hDC);
    if (!dc) return FALSE;
    if (!lprc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ClassicPainter(*dc).FocusRect(*lprc);
    return TRUE;
}
