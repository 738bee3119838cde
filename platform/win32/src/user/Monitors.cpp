// The monitor functions over the display driver's one screen: MonitorFromPoint/Rect/Window and GetMonitorInfoA/W.
#include "Window.h"

#include <backend/Driver.h>

namespace {

// The one monitor's handle: any positive value that is not a pointer to anything.
const HMONITOR PrimaryMonitor = reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(0x10001));

RECT ScreenRect() {
    SIZE size = backend::CurrentDriver().ScreenSize();
    return RECT{0, 0, size.cx, size.cy};
}

bool ValidFlags(DWORD flags) {
    if (flags <= MONITOR_DEFAULTTONEAREST) return true;
    SetLastError(ERROR_INVALID_FLAGS);
    return false;
}

// With one monitor, "nearest" and "primary" are the same answer; only MONITOR_DEFAULTTONULL can miss.
HMONITOR Answer(bool onScreen, DWORD flags) {
    if (onScreen || flags != MONITOR_DEFAULTTONULL) return PrimaryMonitor;
    return nullptr;
}

bool TouchesScreen(const RECT& rect) {
    RECT screen = ScreenRect();
    if (rect.left >= rect.right || rect.top >= rect.bottom) {
        POINT corner{rect.left, rect.top};
        return PtInRect(&screen, corner) != FALSE;
    }
    RECT common;
    return IntersectRect(&common, &screen, &rect) != FALSE;
}

// MONITORINFO, or the MONITORINFOEX of the character set (ExInfo) when cbSize is that structure's size.
template <class ExInfo>
BOOL MonitorInfo(HMONITOR hMonitor, LPMONITORINFO lpmi) {
    if (hMonitor != PrimaryMonitor) {
        SetLastError(ERROR_INVALID_MONITOR_HANDLE);
        return FALSE;
    }
    if (!lpmi || (lpmi->cbSize != sizeof(MONITORINFO) && lpmi->cbSize != sizeof(ExInfo))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    lpmi->rcMonitor = ScreenRect();
    lpmi->rcWork = backend::CurrentDriver().WorkArea();
    lpmi->dwFlags = MONITORINFOF_PRIMARY;
    if (lpmi->cbSize == sizeof(ExInfo)) {
        // The name Windows gives the first display device.
        static const char name[] = "\\\\.\\DISPLAY1";
        auto* ex = reinterpret_cast<ExInfo*>(lpmi);
        for (size_t i = 0; i < sizeof name; ++i) ex->szDevice[i] = static_cast<unsigned char>(name[i]);
    }
    return TRUE;
}

}  // namespace

HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags) {
    if (!ValidFlags(dwFlags)) return nullptr;
    RECT screen = ScreenRect();
    return Answer(PtInRect(&screen, pt) != FALSE, dwFlags);
}

HMONITOR MonitorFromRect(const RECT* lprc, DWORD dwFlags) {
    if (!lprc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!ValidFlags(dwFlags)) return nullptr;
    return Answer(TouchesScreen(*lprc), dwFlags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD dwFlags) {
    if (!ValidFlags(dwFlags)) return nullptr;
    auto* window = win32::user::FromHandle(hwnd);
    if (!window) return nullptr;
    // A minimized window belongs where it would be restored to.
    RECT rect = (window->Style & WS_MINIMIZE) && window->TopLevel() ? window->NormalRect : window->ScreenWindowRect();
    return Answer(TouchesScreen(rect), dwFlags);
}

BOOL GetMonitorInfoA(HMONITOR hMonitor, LPMONITORINFO lpmi) { return MonitorInfo<MONITORINFOEXA>(hMonitor, lpmi); }

BOOL GetMonitorInfoW(HMONITOR hMonitor, LPMONITORINFO lpmi) { return MonitorInfo<MONITORINFOEXW>(hMonitor, lpmi); }
