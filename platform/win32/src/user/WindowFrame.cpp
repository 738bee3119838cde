// The frame a style implies (AdjustWindowRectEx), window regions (SetWindowRgn, GetWindowRgn, GetWindowRgnBox)
// and EnableWindow.
#include "gdi/GdiObject.h"
#include "user/Painting.h"
#include "user/Window.h"

using namespace win32::user;

namespace {

std::shared_ptr<win32::gdi::RegionObject> LookupRegion(HRGN hrgn) {
    return win32::gdi::ObjectTable::LookupAs<win32::gdi::RegionObject>(hrgn);
}

}  // namespace

BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
    if (!lpRect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Scroll bars and the client edge's inner parts aside, only these bits shape the frame.
    DWORD style = dwStyle & (WS_DLGFRAME | WS_BORDER | WS_THICKFRAME | WS_CHILD);
    DWORD exStyle = dwExStyle & (WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_TOOLWINDOW);
    if (exStyle & WS_EX_DLGMODALFRAME) style &= ~WS_THICKFRAME;

    // The outer frame: a 2-pixel edge for dialog and sizing frames (1 for a static edge), the sizing band
    // beyond a dialog frame, and the single line of WS_BORDER.
    int adjust = 0;
    if ((exStyle & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)) == WS_EX_STATICEDGE)
        adjust = 1;
    else if ((exStyle & WS_EX_DLGMODALFRAME) || (style & (WS_THICKFRAME | WS_DLGFRAME)))
        adjust = 2;
    if (style & WS_THICKFRAME) adjust += GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXDLGFRAME);
    if ((style & (WS_BORDER | WS_DLGFRAME)) || (exStyle & WS_EX_DLGMODALFRAME)) adjust++;
    InflateRect(lpRect, adjust, adjust);
    if ((style & WS_CAPTION) == WS_CAPTION)
        lpRect->top -= GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    if (bMenu) lpRect->top -= GetSystemMetrics(SM_CYMENU);
    if (exStyle & WS_EX_CLIENTEDGE) InflateRect(lpRect, GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));
    return TRUE;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    // The answer is whether the window was disabled before.
    if (bEnable) {
        bool wasDisabled = (window->Style & WS_DISABLED) != 0;
        window->Style &= ~WS_DISABLED;
        if (wasDisabled) SendMessageW(hWnd, WM_ENABLE, TRUE, 0);
        return wasDisabled;
    }
    SendMessageW(hWnd, WM_CANCELMODE, 0, 0);
    if (!(window = FromHandleQuiet(hWnd))) return FALSE;
    bool wasDisabled = (window->Style & WS_DISABLED) != 0;
    window->Style |= WS_DISABLED;
    if (!wasDisabled) {
        if (hWnd == GetFocus()) SetFocus(nullptr);
        SendMessageW(hWnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw) {
    Window* window = FromHandle(hWnd);
    if (!window) return 0;
    if (hRgn) {
        auto region = LookupRegion(hRgn);
        if (!region) return 0;
        window->WindowRegion = region->Value();
        // The region belongs to the system now; the caller must not use the handle again.
        DeleteObject(hRgn);
    } else {
        window->WindowRegion.reset();
    }
    ForgetVisibleRegions(*window);
    UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    if (!bRedraw) flags |= SWP_NOREDRAW;
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, flags);
    RefreshWindowDCs();
    return 1;
}

int GetWindowRgn(HWND hWnd, HRGN hRgn) {
    Window* window = FromHandle(hWnd);
    if (!window) return ERROR;
    auto region = LookupRegion(hRgn);
    if (!region) return ERROR;
    if (!window->WindowRegion) return ERROR;
    region->Value() = *window->WindowRegion;
    return region->Value().Complexity();
}

int GetWindowRgnBox(HWND hWnd, LPRECT lprc) {
    Window* window = FromHandle(hWnd);
    if (!window || !lprc) return ERROR;
    if (!window->WindowRegion) return ERROR;
    *lprc = window->WindowRegion->Box();
    return window->WindowRegion->Complexity();
}
