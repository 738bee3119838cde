// CreateWindowExA/W and DestroyWindow, with the messages of creation and destruction in Windows' order.
#include "user/AnsiConvert.h"
#include "user/Caret.h"
#include "user/ClassTable.h"
#include "user/Hooks.h"
#include "user/MouseTracking.h"
#include "user/Painting.h"
#include "user/Timers.h"
#include "user/WindowPos.h"

#include <backend/Driver.h>

#include <algorithm>

using namespace win32::user;

namespace {

bool IsDefault(int value) { return value == CW_USEDEFAULT || value == static_cast<SHORT>(0x8000); }

// CW_USEDEFAULT: children and popups get zeros, overlapped windows a place and size in the work area. A
// CW_USEDEFAULT x with a real y makes y the first ShowWindow command.
void FixCoordinates(CREATESTRUCTW& cs, int& showCommand) {
    if (cs.style & (WS_CHILD | WS_POPUP)) {
        if (IsDefault(cs.x)) cs.x = cs.y = 0;
        if (IsDefault(cs.cx)) cs.cx = cs.cy = 0;
        return;
    }
    if (!IsDefault(cs.x) && !IsDefault(cs.cx) && !IsDefault(cs.cy)) return;
    RECT work = backend::CurrentDriver().WorkArea();
    if (IsDefault(cs.x)) {
        if (!IsDefault(cs.y)) showCommand = cs.y;
        cs.x = work.left;
        cs.y = work.top;
    }
    if (IsDefault(cs.cx)) {
        cs.cx = (work.right - work.left) * 3 / 4 - cs.x;
        cs.cy = (work.bottom - work.top) * 3 / 4 - cs.y;
    } else if (IsDefault(cs.cy)) {
        cs.cy = (work.bottom - work.top) * 3 / 4 - cs.y;
    }
}

DWORD FixExStyle(DWORD style, DWORD exStyle) {
    if ((exStyle & WS_EX_DLGMODALFRAME) || (!(exStyle & WS_EX_STATICEDGE) && (style & (WS_DLGFRAME | WS_THICKFRAME))))
        return exStyle | WS_EX_WINDOWEDGE;
    return exStyle & ~WS_EX_WINDOWEDGE;
}

backend::SurfaceKind KindOf(const Window& window) {
    if ((window.Style & WS_POPUP) && (window.ExStyle & WS_EX_TOOLWINDOW)) return backend::SurfaceKind::Popup;
    return backend::SurfaceKind::Normal;
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool unicode) {
    return unicode ? SendMessageW(hwnd, message, wParam, lParam) : SendMessageA(hwnd, message, wParam, lParam);
}

// Frees a window and its children, children first, each after its WM_NCDESTROY.
void FreeWindow(HWND hwnd) {
    Window* window = FromHandleQuiet(hwnd);
    if (!window) return;
    std::vector<HWND> children;
    for (Window* child : window->Children) children.push_back(child->Handle);
    for (HWND child : children) FreeWindow(child);
    window = FromHandleQuiet(hwnd);
    if (!window) return;
    bool topLevel = window->TopLevel();
    UnlinkWindow(*window);
    SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
    window = FromHandleQuiet(hwnd);
    if (!window) return;
    // Windows this one owned outlive it without an owner (only windows of other threads can, here).
    for (Window* other : Desktop().Children)
        if (other->Owner == window) other->Owner = nullptr;
    ForgetWindowPainting(hwnd);
    KillWindowTimers(hwnd);
    DestroyWindowCaret(hwnd);
    ForgetMouseTracking(hwnd);
    GetSystemMenu(hwnd, TRUE);  // frees the window's copy of the system menu
    if (topLevel) backend::CurrentDriver().WindowDestroyed(hwnd);
    RemoveWindow(hwnd);
}

void SendDestroyMessages(HWND hwnd) {
    if (State().Active == hwnd) ActivateOtherWindow(hwnd);
    if (State().Capture == hwnd) ReleaseCapture();
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    Window* window = FromHandleQuiet(hwnd);
    if (!window) return;
    std::vector<HWND> children;
    for (Window* child : window->Children) children.push_back(child->Handle);
    for (HWND child : children)
        if (FromHandleQuiet(child)) SendDestroyMessages(child);
}

bool Contains(HWND ancestor, HWND hwnd) {
    for (Window* window = FromHandleQuiet(hwnd); window; window = window->Parent)
        if (window->Handle == ancestor) return true;
    return false;
}

HWND CreateWindowCommon(CREATESTRUCTW& cs, const char16_t* className, bool unicode) {
    auto windowClass = FindClass(className, cs.hInstance);
    if (!windowClass) return nullptr;

    if (cs.hwndParent == HWND_MESSAGE) {
        // Message-only windows are not part of this window manager.
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Window* parent = &Desktop();
    Window* owner = nullptr;
    if (cs.hwndParent) {
        Window* given = FromHandle(cs.hwndParent);
        if (!given) return nullptr;
        if ((cs.style & (WS_CHILD | WS_POPUP)) != WS_CHILD) {
            // The owner of a top-level window is the top-level window of the one named.
            owner = given == &Desktop() ? nullptr : given->Root();
        } else {
            parent = given;
        }
    } else if ((cs.style & (WS_CHILD | WS_POPUP)) == WS_CHILD) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }

    int showCommand = SW_SHOW;
    FixCoordinates(cs, showCommand);
    cs.dwExStyle = FixExStyle(static_cast<DWORD>(cs.style), cs.dwExStyle);

    auto created = std::make_unique<Window>();
    Window& window = *created;
    window.Class = windowClass;
    window.Proc = windowClass->Proc;
    window.Unicode = windowClass->Unicode;
    window.Instance = cs.hInstance;
    window.Style = static_cast<DWORD>(cs.style) & ~WS_VISIBLE;
    if ((window.Style & (WS_CHILD | WS_POPUP)) != WS_CHILD) {
        window.Style |= WS_CLIPSIBLINGS;
        if (!(window.Style & WS_POPUP)) window.Style |= WS_CAPTION;
    }
    window.ExStyle = cs.dwExStyle;
    if ((window.Style & (WS_DLGFRAME | WS_THICKFRAME)) && !(window.Style & (WS_CHILD | WS_POPUP)))
        window.ExStyle |= WS_EX_WINDOWEDGE;
    window.NeedSize = !(window.Style & (WS_CHILD | WS_POPUP));
    window.Id = reinterpret_cast<LONG_PTR>(cs.hMenu);
    window.Extra.assign(static_cast<size_t>(windowClass->WindowExtra), 0);
    window.Owner = owner;
    HWND hwnd = InsertWindow(std::move(created));
    LinkWindow(window, *parent);
    // The hook sees the creation structure in the caller's character set and may change it, or refuse the window
    // before it has heard a message.
    CBT_CREATEWNDW cbt{&cs, HWND_TOP};
    if (CbtVetoes(HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&cbt), unicode)) {
        UnlinkWindow(window);
        RemoveWindow(hwnd);
        return nullptr;
    }
    window.NormalRect = {cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
    window.WindowRect = window.ClientRect = window.NormalRect;

    if (window.TopLevel()) {
        window.Surface =
            std::make_shared<win32::gdi::BitmapObject>(std::max(cs.cx, 0), std::max(cs.cy, 0), 32, true, false);
        backend::CurrentDriver().WindowCreated(hwnd, KindOf(window), window.WindowRect);
        ReportZOrder();
    }

    auto fail = [hwnd] {
        if (FromHandleQuiet(hwnd)) FreeWindow(hwnd);
        return static_cast<HWND>(nullptr);
    };

    int cx = cs.cx;
    int cy = cs.cy;
    if ((cs.style & WS_THICKFRAME) || !(cs.style & (WS_POPUP | WS_CHILD))) {
        MINMAXINFO info = QueryMinMaxInfo(window);
        if (!FromHandleQuiet(hwnd)) return nullptr;
        cx = std::max(std::min(cx, static_cast<int>(info.ptMaxTrackSize.x)), static_cast<int>(info.ptMinTrackSize.x));
        cy = std::max(std::min(cy, static_cast<int>(info.ptMaxTrackSize.y)), static_cast<int>(info.ptMinTrackSize.y));
    }
    cx = std::max(cx, 0);
    cy = std::max(cy, 0);
    RECT rect{cs.x, cs.y, cs.x + cx, cs.y + cy};
    window.WindowRect = window.ClientRect = rect;
    ForgetVisibleRegions(window);

    if (!Send(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs), unicode)) return fail();
    Window* current = FromHandleQuiet(hwnd);
    if (!current) return nullptr;

    // WM_NCCALCSIZE without a WINDOWPOS works in screen coordinates.
    rect = current->WindowRect;
    POINT origin = current->Parent == &Desktop()
                       ? POINT{0, 0}
                       : POINT{current->Parent->ScreenClientRect().left, current->Parent->ScreenClientRect().top};
    RECT client = rect;
    OffsetRect(&client, origin.x, origin.y);
    SendMessageW(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    if (!(current = FromHandleQuiet(hwnd))) return nullptr;
    OffsetRect(&client, -origin.x, -origin.y);
    current->WindowRect = rect;
    current->ClientRect = client;
    if (current->Surface) {
        int width = rect.right - rect.left, height = rect.bottom - rect.top;
        if (current->Surface->Width() != width || current->Surface->Height() != height)
            current->Surface = std::make_shared<win32::gdi::BitmapObject>(width, height, 32, true, false);
        backend::CurrentDriver().WindowMoved(hwnd, current->ScreenWindowRect());
    }
    ForgetVisibleRegions(*current);

    if (Send(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs), unicode) == -1) return fail();
    if (!(current = FromHandleQuiet(hwnd))) return nullptr;
    current->Created = true;

    if (!current->NeedSize) {
        RECT clientRect = current->ClientRect;
        SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED,
                     MAKELPARAM(clientRect.right - clientRect.left, clientRect.bottom - clientRect.top));
        SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(clientRect.left, clientRect.top));
        if (!(current = FromHandleQuiet(hwnd))) return nullptr;
    }

    DWORD state = current->Style & (WS_MINIMIZE | WS_MAXIMIZE);
    if (state) {
        current->Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        RECT newRect{0, 0, 0, 0};
        UINT flags = MinMaximize(hwnd, (state & WS_MINIMIZE) ? SW_MINIMIZE : SW_MAXIMIZE, newRect);
        flags |= SWP_FRAMECHANGED;
        if (!(cs.style & WS_VISIBLE) || (cs.style & WS_CHILD) || GetActiveWindow()) flags |= SWP_NOACTIVATE;
        SetWindowPos(hwnd, nullptr, newRect.left, newRect.top, newRect.right - newRect.left,
                     newRect.bottom - newRect.top, flags);
        if (!FromHandleQuiet(hwnd)) return nullptr;
    }

    SendParentNotify(hwnd, WM_CREATE);
    if (!FromHandleQuiet(hwnd)) return nullptr;

    if (cs.style & WS_VISIBLE) {
        if (cs.style & WS_MAXIMIZE)
            showCommand = SW_SHOW;
        else if (cs.style & WS_MINIMIZE)
            showCommand = SW_SHOWMINIMIZED;
        ShowWindow(hwnd, showCommand);
        if (!FromHandleQuiet(hwnd)) return nullptr;
    }
    return hwnd;
}

}  // namespace

HWND CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X, int Y,
                     int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam) {
    CREATESTRUCTW cs{lpParam,      hInstance,   hMenu,    hWndParent, nHeight, nWidth, Y, X, static_cast<LONG>(dwStyle),
                     lpWindowName, lpClassName, dwExStyle};
    return CreateWindowCommon(cs, lpClassName, true);
}

HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y, int nWidth,
                     int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam) {
    // The creation messages carry a CREATESTRUCTA: the CREATESTRUCTW layout with narrow strings, so the narrow
    // pointers travel in the wide fields and are read back as narrow ones for this window.
    static_assert(sizeof(CREATESTRUCTA) == sizeof(CREATESTRUCTW), "the two creation structures share a layout");
    CREATESTRUCTW cs{lpParam,
                     hInstance,
                     hMenu,
                     hWndParent,
                     nHeight,
                     nWidth,
                     Y,
                     X,
                     static_cast<LONG>(dwStyle),
                     reinterpret_cast<LPCWSTR>(lpWindowName),
                     reinterpret_cast<LPCWSTR>(lpClassName),
                     dwExStyle};
    std::u16string className;
    const char16_t* classArgument = reinterpret_cast<const char16_t*>(lpClassName);
    if (!IsIntResource(lpClassName)) {
        className = AnsiToWide(lpClassName);
        classArgument = className.c_str();
    }
    return CreateWindowCommon(cs, classArgument, false);
}

BOOL DestroyWindow(HWND hWnd) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    if (window == &Desktop()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    // A second DestroyWindow from inside the first one's messages has nothing left to do.
    if (window->Destroying) return TRUE;
    if (CbtVetoes(HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hWnd), 0)) return FALSE;
    if (!(window = FromHandleQuiet(hWnd)) || window->Destroying) return TRUE;
    window->Destroying = true;

    bool isChild = window->Child();
    if (isChild) SendParentNotify(hWnd, WM_DESTROY);
    if (!(window = FromHandleQuiet(hWnd))) return TRUE;

    if (window->Visible()) {
        // Only child windows get WM_SHOWWINDOW from DestroyWindow.
        if (isChild)
            ShowWindow(hWnd, SW_HIDE);
        else
            SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        if (!(window = FromHandleQuiet(hWnd))) return TRUE;
    }

    if (!isChild) {
        for (;;) {
            HWND owned = nullptr;
            for (Window* other : Desktop().Children)
                if (other->Owner == window && !other->Destroying) owned = other->Handle;
            if (!owned) break;
            DestroyWindow(owned);
            if (!(window = FromHandleQuiet(hWnd))) return TRUE;
        }
    }

    // The focus cannot stay inside a window that goes away; a child hands it to its parent.
    HWND focus = State().Focus;
    if (focus && Contains(hWnd, focus)) {
        HWND parent = isChild && window->Parent ? window->Parent->Handle : nullptr;
        SetFocus(parent);
        if (!FromHandleQuiet(hWnd)) return TRUE;
    }

    SendDestroyMessages(hWnd);
    if (!FromHandleQuiet(hWnd)) return TRUE;
    FreeWindow(hWnd);
    return TRUE;
}
