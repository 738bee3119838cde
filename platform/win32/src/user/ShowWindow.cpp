// ShowWindow with every SW_ command, minimizing, maximizing and restoring, WM_GETMINMAXINFO, window placement,
// and handing the activation on when the active window goes away.
#include "user/Hooks.h"
#include "user/Painting.h"
#include "user/WindowPos.h"

#include <backend/Driver.h>

#include <algorithm>

using namespace win32::user;

namespace {

// Minimized top-level windows are parked off the screen, where Windows puts them.
constexpr int MinimizedPosition = -32000;

// Brings the placement up to date with the current state, as GetWindowPlacement reports it.
void UpdatePlacement(Window& window) {
    if (window.Style & WS_MINIMIZE)
        window.MinPosition = {window.WindowRect.left, window.WindowRect.top};
    else if (window.Style & WS_MAXIMIZE)
        window.MaxPosition = {window.WindowRect.left, window.WindowRect.top};
    else
        window.NormalRect = window.WindowRect;
}

RECT MinimizedRect(Window& window) {
    int width = GetSystemMetrics(SM_CXMINIMIZED), height = GetSystemMetrics(SM_CYMINIMIZED);
    POINT at{MinimizedPosition, MinimizedPosition};
    if (!window.TopLevel()) {
        at = window.MinPosition;
        if (at.x == -1 && at.y == -1) {
            const RECT& parentClient = window.Parent->ClientRect;
            at = {0, (parentClient.bottom - parentClient.top) - height};
        }
    }
    return {at.x, at.y, at.x + width, at.y + height};
}

bool CanActivate(Window* window) {
    if (!window) return false;
    if (!window->Visible()) return false;
    if ((window->Style & (WS_POPUP | WS_CHILD)) == WS_CHILD) return false;
    return !(window->Style & WS_DISABLED);
}

// WM_SHOWWINDOW to the windows a top-level window owns when it is minimized (SW_PARENTCLOSING) or restored
// (SW_PARENTOPENING); DefWindowProc hides and shows them.
void NotifyOwnedWindows(HWND owner, bool opening) {
    std::vector<HWND> owned;
    Window* ownerWindow = FromHandleQuiet(owner);
    for (Window* other : Desktop().Children) {
        if (other->Owner != ownerWindow) continue;
        if (opening ? other->HiddenByOwner : other->Visible()) owned.push_back(other->Handle);
    }
    for (HWND hwnd : owned) {
        if (!FromHandleQuiet(hwnd)) continue;
        SendMessageW(hwnd, WM_SHOWWINDOW, opening ? TRUE : FALSE, opening ? SW_PARENTOPENING : SW_PARENTCLOSING);
        // Only what the closing notification hid is shown again by the opening one.
        if (Window* window = FromHandleQuiet(hwnd)) window->HiddenByOwner = !opening && !window->Visible();
    }
}

}  // namespace

namespace win32::user {

MINMAXINFO QueryMinMaxInfo(Window& window) {
    HWND hwnd = window.Handle;
    DWORD style = window.Style;
    DWORD adjustedStyle = (style & WS_CAPTION) == WS_CAPTION ? style & ~WS_BORDER : style;
    const RECT& parentClient = window.Parent->ClientRect;
    RECT rect{0, 0, parentClient.right - parentClient.left, parentClient.bottom - parentClient.top};
    AdjustWindowRectEx(&rect, adjustedStyle, FALSE, window.ExStyle);
    int xinc = -rect.left, yinc = -rect.top;

    MINMAXINFO info{};
    info.ptReserved = {window.WindowRect.left, window.WindowRect.top};
    info.ptMaxSize = {rect.right - rect.left, rect.bottom - rect.top};
    if (style & (WS_DLGFRAME | WS_BORDER)) {
        info.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    } else {
        info.ptMinTrackSize = {2 * xinc, 2 * yinc};
    }
    info.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    info.ptMaxPosition = {-xinc, -yinc};
    if (window.MaxPosition.x != -1 || window.MaxPosition.y != -1) info.ptMaxPosition = window.MaxPosition;

    SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));

    // Values the window left alone are fitted to the work area of a window that can be maximized.
    if (window.TopLevel() && FromHandleQuiet(hwnd)) {
        SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        RECT area{0, 0, screen.cx, screen.cy};
        if ((style & WS_MAXIMIZEBOX) && ((style & WS_CAPTION) == WS_CAPTION || !(style & (WS_CHILD | WS_POPUP))))
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        if (info.ptMaxSize.x == screen.cx + 2 * xinc && info.ptMaxSize.y == screen.cy + 2 * yinc)
            info.ptMaxSize = {(area.right - area.left) + 2 * xinc, (area.bottom - area.top) + 2 * yinc};
        if (info.ptMaxPosition.x == -xinc && info.ptMaxPosition.y == -yinc)
            info.ptMaxPosition = {area.left - xinc, area.top - yinc};
    }
    info.ptMaxTrackSize.x = std::max(info.ptMaxTrackSize.x, info.ptMinTrackSize.x);
    info.ptMaxTrackSize.y = std::max(info.ptMaxTrackSize.y, info.ptMinTrackSize.y);
    return info;
}

void ActivateOtherWindow(HWND hwnd) {
    Window* window = FromHandleQuiet(hwnd);
    Window* next = nullptr;
    if (window && (window->Style & WS_POPUP) && window->Owner && CanActivate(window->Owner->Root()))
        next = window->Owner->Root();
    if (!next && window && window->TopLevel()) {
        auto& children = Desktop().Children;
        auto it = std::find(children.begin(), children.end(), window);
        if (it != children.end())
            for (++it; it != children.end(); ++it)
                if (CanActivate(*it)) {
                    next = *it;
                    break;
                }
    }
    HWND to = next ? next->Handle : nullptr;
    HWND foreground = GetForegroundWindow();
    if (!foreground || foreground == hwnd) {
        if (to && SetForegroundWindow(to)) return;
    }
    if (!SetActiveWindow(to)) SetActiveWindow(nullptr);
}

UINT MinMaximize(HWND hwnd, UINT command, RECT& rect) {
    Window* window = FromHandleQuiet(hwnd);
    if (!window) return 0;
    if (CbtVetoes(HCBT_MINMAX, reinterpret_cast<WPARAM>(hwnd), static_cast<LPARAM>(command)))
        return SWP_NOSIZE | SWP_NOMOVE;
    if (!(window = FromHandleQuiet(hwnd))) return 0;
    UpdatePlacement(*window);
    UINT flags = 0;
    bool minimizing = command == SW_SHOWMINNOACTIVE || command == SW_SHOWMINIMIZED || command == SW_FORCEMINIMIZE ||
                      command == SW_MINIMIZE;
    if (window->Style & WS_MINIMIZE) {
        if (minimizing) return SWP_NOSIZE | SWP_NOMOVE;
        if (!SendMessageW(hwnd, WM_QUERYOPEN, 0, 0)) return SWP_NOSIZE | SWP_NOMOVE;
        if (!(window = FromHandleQuiet(hwnd))) return 0;
        flags |= SWP_NOCOPYBITS;
    }

    if (minimizing) {
        window->RestoreToMaximized = (window->Style & WS_MAXIMIZE) != 0;
        DWORD oldStyle = window->Style;
        window->Style = (window->Style | WS_MINIMIZE) & ~WS_MAXIMIZE;
        rect = MinimizedRect(*window);
        window->MinPosition = {rect.left, rect.top};
        if (!(oldStyle & WS_MINIMIZE)) flags |= SWP_STATECHANGED;
        flags |= SWP_NOCOPYBITS;
        if (window->TopLevel()) NotifyOwnedWindows(hwnd, false);
        return flags;
    }
    if (command == SW_MAXIMIZE || command == SW_SHOWMAXIMIZED) {
        DWORD oldStyle = window->Style;
        if ((oldStyle & WS_MAXIMIZE) && (oldStyle & WS_VISIBLE)) return SWP_NOSIZE | SWP_NOMOVE;
        MINMAXINFO info = QueryMinMaxInfo(*window);
        if (!(window = FromHandleQuiet(hwnd))) return 0;
        window->Style = (window->Style | WS_MAXIMIZE) & ~WS_MINIMIZE;
        if (oldStyle & WS_MINIMIZE) window->RestoreToMaximized = true;
        if (!(oldStyle & WS_MAXIMIZE)) flags |= SWP_STATECHANGED;
        rect = {info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxPosition.x + info.ptMaxSize.x,
                info.ptMaxPosition.y + info.ptMaxSize.y};
        if ((oldStyle & WS_MINIMIZE) && window->TopLevel()) NotifyOwnedWindows(hwnd, true);
        return flags;
    }

    // Restoring (SW_SHOWNORMAL, SW_RESTORE, SW_SHOWNOACTIVATE, SW_SHOWDEFAULT).
    if (command == SW_SHOWNOACTIVATE) window->RestoreToMaximized = false;
    DWORD oldStyle = window->Style;
    window->Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    if (oldStyle & WS_MINIMIZE) {
        if (window->TopLevel()) NotifyOwnedWindows(hwnd, true);
        if (!(window = FromHandleQuiet(hwnd))) return 0;
        if (window->RestoreToMaximized) {
            MINMAXINFO info = QueryMinMaxInfo(*window);
            if (!(window = FromHandleQuiet(hwnd))) return 0;
            window->Style |= WS_MAXIMIZE;
            rect = {info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxPosition.x + info.ptMaxSize.x,
                    info.ptMaxPosition.y + info.ptMaxSize.y};
            return flags | SWP_STATECHANGED;
        }
    } else if (!(oldStyle & WS_MAXIMIZE)) {
        return flags | SWP_NOSIZE | SWP_NOMOVE;
    }
    rect = window->NormalRect;
    return flags | SWP_STATECHANGED;
}

}  // namespace win32::user

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    if (window == &Desktop() || nCmdShow < SW_HIDE || nCmdShow > SW_FORCEMINIMIZE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD style = window->Style;
    bool wasVisible = (style & WS_VISIBLE) != 0;
    bool isChild = (style & WS_CHILD) != 0;
    bool show = true;
    RECT newRect{0, 0, 0, 0};
    UINT flags = 0;

    switch (nCmdShow) {
    case SW_HIDE:
        if (!wasVisible) return FALSE;
        show = false;
        flags |= SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE;
        if (isChild) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
        break;
    case SW_SHOWMINNOACTIVE:
    case SW_MINIMIZE:
    case SW_FORCEMINIMIZE: flags |= SWP_NOACTIVATE | SWP_NOZORDER; [[fallthrough]];
    case SW_SHOWMINIMIZED:
        flags |= SWP_SHOWWINDOW | SWP_FRAMECHANGED;
        flags |= MinMaximize(hWnd, nCmdShow, newRect);
        if ((style & WS_MINIMIZE) && wasVisible) return TRUE;
        break;
    case SW_SHOWMAXIMIZED:
        if (!wasVisible) flags |= SWP_SHOWWINDOW;
        flags |= SWP_FRAMECHANGED;
        flags |= MinMaximize(hWnd, SW_MAXIMIZE, newRect);
        if ((style & WS_MAXIMIZE) && wasVisible) return TRUE;
        break;
    case SW_SHOWNA:
        flags |= SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
        if (isChild) flags |= SWP_NOZORDER;
        break;
    case SW_SHOW:
        if (wasVisible) return TRUE;
        flags |= SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
        if (isChild) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
        break;
    case SW_SHOWNOACTIVATE: flags |= SWP_NOACTIVATE | SWP_NOZORDER; [[fallthrough]];
    default:  // SW_RESTORE, SW_SHOWNORMAL, SW_SHOWDEFAULT
        if (!wasVisible) flags |= SWP_SHOWWINDOW;
        if (style & (WS_MINIMIZE | WS_MAXIMIZE)) {
            flags |= SWP_FRAMECHANGED;
            flags |= MinMaximize(hWnd, nCmdShow, newRect);
        } else {
            if (wasVisible) return TRUE;
            flags |= SWP_NOSIZE | SWP_NOMOVE;
        }
        if (isChild && !(flags & SWP_STATECHANGED)) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
        break;
    }
    if (!(window = FromHandleQuiet(hWnd))) return wasVisible;

    if ((show != wasVisible || nCmdShow == SW_SHOWNA) && nCmdShow != SW_SHOWMAXIMIZED && !(flags & SWP_STATECHANGED)) {
        SendMessageW(hWnd, WM_SHOWWINDOW, show, 0);
        if (!(window = FromHandleQuiet(hWnd))) return wasVisible;
    }

    Window* parent = window->Parent;
    if (parent && parent != &Desktop() && !IsWindowVisible(parent->Handle) && !(flags & SWP_STATECHANGED)) {
        // Under a hidden parent only the style changes.
        if (show)
            window->Style |= WS_VISIBLE;
        else
            window->Style &= ~WS_VISIBLE;
        ForgetVisibleRegions(*window);
    } else {
        // SWP_STATECHANGED is how Windows tells WM_WINDOWPOSCHANGED about a new state; it is not a caller's flag.
        SetWindowPos(hWnd, HWND_TOP, newRect.left, newRect.top, newRect.right - newRect.left,
                     newRect.bottom - newRect.top, flags);
    }
    if (!(window = FromHandleQuiet(hWnd))) return wasVisible;
    if ((flags & SWP_STATECHANGED) && window->TopLevel()) {
        // The desktop shows a minimized window as an icon, not at the parking place WindowMoved reported.
        int state = (window->Style & WS_MINIMIZE)   ? SW_SHOWMINIMIZED
                    : (window->Style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                    : SW_SHOWNORMAL;
        backend::CurrentDriver().WindowStateChanged(hWnd, state);
        if (!(window = FromHandleQuiet(hWnd))) return wasVisible;
    }

    if (nCmdShow == SW_HIDE) {
        if (hWnd == GetActiveWindow()) ActivateOtherWindow(hWnd);
        if (hWnd == GetFocus()) {
            window = FromHandleQuiet(hWnd);
            HWND to = window && window->Parent && window->Parent != &Desktop() ? window->Parent->Handle : nullptr;
            SetFocus(to);
        }
        return wasVisible;
    }

    if (window->NeedSize) {
        window->NeedSize = false;
        RECT client = window->ClientRect;
        WPARAM kind = SIZE_RESTORED;
        LPARAM size = MAKELPARAM(client.right - client.left, client.bottom - client.top);
        if (window->Style & WS_MAXIMIZE) {
            kind = SIZE_MAXIMIZED;
        } else if (window->Style & WS_MINIMIZE) {
            kind = SIZE_MINIMIZED;
            size = 0;
        }
        SendMessageW(hWnd, WM_SIZE, kind, size);
        SendMessageW(hWnd, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
        if (!FromHandleQuiet(hWnd)) return wasVisible;
    }
    // A window coming back from minimized takes the focus.
    if (style & WS_MINIMIZE) SetFocus(hWnd);
    return wasVisible;
}

BOOL IsIconic(HWND hWnd) {
    Window* window = FromHandle(hWnd);
    return window && (window->Style & WS_MINIMIZE) != 0;
}

BOOL IsZoomed(HWND hWnd) {
    Window* window = FromHandle(hWnd);
    return window && (window->Style & WS_MAXIMIZE) != 0;
}

BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    if (!lpwndpl || lpwndpl->length != sizeof(WINDOWPLACEMENT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    UpdatePlacement(*window);
    lpwndpl->flags = window->RestoreToMaximized ? WPF_RESTORETOMAXIMIZED : 0;
    if (window->Style & WS_MINIMIZE)
        lpwndpl->showCmd = SW_SHOWMINIMIZED;
    else
        lpwndpl->showCmd = (window->Style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    lpwndpl->ptMinPosition = window->MinPosition;
    lpwndpl->ptMaxPosition = window->MaxPosition;
    lpwndpl->rcNormalPosition = window->NormalRect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    if (!lpwndpl || lpwndpl->length != sizeof(WINDOWPLACEMENT) ||
        (lpwndpl->flags & ~(WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (lpwndpl->flags & WPF_SETMINPOSITION) window->MinPosition = lpwndpl->ptMinPosition;
    window->MaxPosition = lpwndpl->ptMaxPosition;
    window->NormalRect = lpwndpl->rcNormalPosition;
    DWORD style = window->Style;
    const RECT& normal = lpwndpl->rcNormalPosition;
    if (style & WS_MINIMIZE) {
        if (lpwndpl->flags & WPF_SETMINPOSITION)
            SetWindowPos(hWnd, nullptr, lpwndpl->ptMinPosition.x, lpwndpl->ptMinPosition.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (style & WS_MAXIMIZE) {
        SetWindowPos(hWnd, nullptr, lpwndpl->ptMaxPosition.x, lpwndpl->ptMaxPosition.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(hWnd, nullptr, normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!FromHandleQuiet(hWnd)) return TRUE;
    ShowWindow(hWnd, static_cast<int>(lpwndpl->showCmd));
    if ((window = FromHandleQuiet(hWnd)) && (window->Style & WS_MINIMIZE) && (lpwndpl->flags & WPF_RESTORETOMAXIMIZED))
        window->RestoreToMaximized = true;
    return TRUE;
}
