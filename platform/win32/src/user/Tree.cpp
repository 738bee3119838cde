// The window tree: relations (GetWindow, GetParent, GetAncestor, SetParent, IsChild), state queries,
// enumeration, FindWindowA, coordinate mapping and finding the window at a point.
#include "kernel/LastError.h"
#include "user/AnsiConvert.h"
#include "user/Painting.h"
#include "user/Queue.h"
#include "user/WindowPos.h"

#include <backend/Driver.h>

#include <unistd.h>
#include <algorithm>

using win32::Fail;

using namespace win32::user;

namespace {

std::vector<HWND> Handles(const std::vector<Window*>& windows) {
    std::vector<HWND> handles;
    for (Window* window : windows) handles.push_back(window->Handle);
    return handles;
}

POINT ClientOrigin(const Window* window) {
    if (!window || window == &Desktop()) return {0, 0};
    RECT client = window->ScreenClientRect();
    return {client.left, client.top};
}

bool Inside(const RECT& rect, POINT pt) {
    return pt.x >= rect.left && pt.x < rect.right && pt.y >= rect.top && pt.y < rect.bottom;
}

// Whether a point (screen coordinates) is on a visible window: its rectangle and its window region.
bool Hits(const Window& window, POINT pt) {
    if (!window.Visible()) return false;
    RECT rect = window.ScreenWindowRect();
    if (!Inside(rect, pt)) return false;
    return !window.WindowRegion || window.WindowRegion->Contains(pt.x - rect.left, pt.y - rect.top);
}

// The windows under a point, in the order hit testing tries them: the deepest child first, then its parent,
// then what lies below them in z-order. Disabled child windows are passed over; minimized and disabled
// top-level windows stop the descent.
void WindowsAt(const Window& parent, POINT pt, std::vector<HWND>& found) {
    bool topLevel = &parent == &Desktop();
    for (Window* child : parent.Children) {
        if (!Hits(*child, pt)) continue;
        if (!topLevel && (child->Style & WS_DISABLED)) continue;
        if (!(child->Style & (WS_MINIMIZE | WS_DISABLED)) && Inside(child->ScreenClientRect(), pt))
            WindowsAt(*child, pt, found);
        found.push_back(child->Handle);
    }
}

bool EnumerateChildren(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    Window* window = FromHandleQuiet(parent);
    if (!window) return true;
    for (HWND child : Handles(window->Children)) {
        if (!FromHandleQuiet(child)) continue;
        if (!proc(child, lParam)) return false;
        if (!EnumerateChildren(child, proc, lParam)) return false;
    }
    return true;
}

bool IsAncestor(const Window* ancestor, const Window* window) {
    for (; window; window = window->Parent)
        if (window == ancestor) return true;
    return false;
}

}  // namespace

HWND GetDesktopWindow(void) { return Desktop().Handle; }

BOOL IsWindow(HWND hWnd) { return FromHandleQuiet(hWnd) != nullptr; }

BOOL IsWindowVisible(HWND hWnd) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    for (; window; window = window->Parent)
        if (!window->Visible()) return FALSE;
    return TRUE;
}

BOOL IsWindowEnabled(HWND hWnd) {
    Window* window = FromHandle(hWnd);
    return window && !(window->Style & WS_DISABLED);
}

BOOL IsWindowUnicode(HWND hWnd) {
    Window* window = FromHandle(hWnd);
    return window && window->Unicode;
}

BOOL IsChild(HWND hWndParent, HWND hWnd) {
    Window* window = FromHandleQuiet(hWnd);
    for (; window && window->Child() && window->Parent; window = window->Parent)
        if (window->Parent->Handle == hWndParent) return TRUE;
    return FALSE;
}

HWND GetParent(HWND hWnd) {
    Window* window = FromHandle(hWnd);
    if (!window) return nullptr;
    // A popup answers its owner, a child its parent, anything else nothing.
    if (window->Style & WS_POPUP) return window->Owner ? window->Owner->Handle : nullptr;
    if ((window->Style & WS_CHILD) && window->Parent) return window->Parent->Handle;
    return nullptr;
}

HWND GetAncestor(HWND hwnd, UINT gaFlags) {
    Window* window = FromHandle(hwnd);
    if (!window) return nullptr;
    if (window == &Desktop()) return nullptr;
    switch (gaFlags) {
    case GA_PARENT: return window->Parent ? window->Parent->Handle : nullptr;
    case GA_ROOT: return window->Root()->Handle;
    case GA_ROOTOWNER: {
        HWND root = window->Root()->Handle;
        for (HWND owner = GetParent(root); owner; owner = GetParent(owner)) root = owner;
        return root;
    }
    default: return Fail<HWND>(nullptr, ERROR_INVALID_PARAMETER);
    }
}

HWND GetWindow(HWND hWnd, UINT uCmd) {
    Window* window = FromHandle(hWnd);
    if (!window) return nullptr;
    if (uCmd == GW_CHILD) return window->Children.empty() ? nullptr : window->Children.front()->Handle;
    if (uCmd == GW_OWNER) return window->Owner ? window->Owner->Handle : nullptr;
    if (uCmd == GW_ENABLEDPOPUP) {
        for (Window* other : Desktop().Children)
            if (other->Owner == window && other->Visible() && !(other->Style & WS_DISABLED) &&
                (other->Style & WS_POPUP))
                return other->Handle;
        return nullptr;
    }
    if (uCmd > GW_ENABLEDPOPUP) return Fail<HWND>(nullptr, ERROR_INVALID_PARAMETER);
    if (!window->Parent) return nullptr;
    const auto& siblings = window->Parent->Children;
    auto self = std::find(siblings.begin(), siblings.end(), window);
    switch (uCmd) {
    case GW_HWNDFIRST: return siblings.front()->Handle;
    case GW_HWNDLAST: return siblings.back()->Handle;
    case GW_HWNDNEXT: return self + 1 == siblings.end() ? nullptr : (*(self + 1))->Handle;
    default: return self == siblings.begin() ? nullptr : (*(self - 1))->Handle;  // GW_HWNDPREV
    }
}

HWND GetTopWindow(HWND hWnd) {
    if (!hWnd) hWnd = Desktop().Handle;
    Window* window = FromHandle(hWnd);
    if (!window) return nullptr;
    return window->Children.empty() ? nullptr : window->Children.front()->Handle;
}

HWND SetParent(HWND hWndChild, HWND hWndNewParent) {
    Window* window = FromHandle(hWndChild);
    if (!window) return nullptr;
    Window* newParent = hWndNewParent ? FromHandle(hWndNewParent) : &Desktop();
    if (!newParent) return nullptr;
    if (window == &Desktop() || IsAncestor(window, newParent)) return Fail<HWND>(nullptr, ERROR_INVALID_PARAMETER);
    HWND oldParent = window->Parent ? window->Parent->Handle : nullptr;
    if (newParent == window->Parent) return oldParent;

    BOOL wasVisible = ShowWindow(hWndChild, SW_HIDE);
    if (!(window = FromHandleQuiet(hWndChild))) return nullptr;
    if (!FromHandleQuiet(newParent == &Desktop() ? Desktop().Handle : hWndNewParent)) return nullptr;
    bool wasTopLevel = window->TopLevel();
    UnlinkWindow(*window);
    LinkWindow(*window, *newParent);
    // SetParent raises the window to the top of its new siblings.
    auto& siblings = newParent->Children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), window));
    siblings.insert(siblings.begin(), window);
    if (newParent != &Desktop()) window->Owner = nullptr;
    auto& driver = backend::CurrentDriver();
    if (wasTopLevel && !window->TopLevel()) {
        driver.WindowDestroyed(hWndChild);
        window->Surface.reset();
    } else if (!wasTopLevel && window->TopLevel()) {
        const RECT& rect = window->WindowRect;
        window->Surface =
            std::make_shared<win32::gdi::BitmapObject>(rect.right - rect.left, rect.bottom - rect.top, 32, true, false);
        driver.WindowCreated(hWndChild, backend::SurfaceKind::Normal, rect);
    }
    RefreshWindowDCs();
    SetWindowPos(hWndChild, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | (wasVisible ? SWP_SHOWWINDOW : 0));
    return oldParent;
}

BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam) {
    if (!lpEnumFunc) return Fail<BOOL>(FALSE, ERROR_INVALID_PARAMETER);
    for (HWND hwnd : Handles(Desktop().Children)) {
        if (!FromHandleQuiet(hwnd)) continue;
        if (!lpEnumFunc(hwnd, lParam)) return FALSE;
    }
    return TRUE;
}

BOOL EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam) {
    if (!lpEnumFunc) return Fail<BOOL>(FALSE, ERROR_INVALID_PARAMETER);
    if (!hWndParent) hWndParent = Desktop().Handle;
    if (!FromHandle(hWndParent)) return FALSE;
    return EnumerateChildren(hWndParent, lpEnumFunc, lParam) ? TRUE : FALSE;
}

HWND FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
    std::u16string className = IsIntResource(lpClassName) ? std::u16string() : AnsiToWide(lpClassName);
    std::u16string title = AnsiToWide(lpWindowName);
    return FindWindowW(IsIntResource(lpClassName) ? reinterpret_cast<LPCWSTR>(lpClassName) : className.c_str(),
                       lpWindowName ? title.c_str() : nullptr);
}

HWND FindWindowW(LPCWSTR lpClassName, LPCWSTR lpWindowName) {
    std::u16string className = IsIntResource(lpClassName) ? std::u16string() : std::u16string(lpClassName);
    std::u16string title = lpWindowName ? lpWindowName : u"";
    auto lower = [](std::u16string s) {
        for (auto& c : s)
            if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
        return s;
    };
    for (Window* window : Desktop().Children) {
        if (lpClassName) {
            if (IsIntResource(lpClassName)) {
                if (window->Class->Atom != static_cast<ATOM>(reinterpret_cast<uintptr_t>(lpClassName))) continue;
            } else if (lower(window->Class->Name) != lower(className)) {
                continue;
            }
        }
        if (lpWindowName && lower(window->Text) != lower(title)) continue;
        return window->Handle;
    }
    return Fail<HWND>(nullptr, ERROR_CANNOT_FIND_WND_CLASS);
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
    Window* from = hWndFrom ? FromHandle(hWndFrom) : &Desktop();
    Window* to = hWndTo ? FromHandle(hWndTo) : &Desktop();
    if (!from || !to) return 0;
    POINT a = ClientOrigin(from), b = ClientOrigin(to);
    int dx = a.x - b.x, dy = a.y - b.y;
    if (lpPoints)
        for (UINT i = 0; i < cPoints; ++i) {
            lpPoints[i].x += dx;
            lpPoints[i].y += dy;
        }
    // A zero offset is a valid answer too, so the error is cleared for callers that check it.
    SetLastError(ERROR_SUCCESS);
    return MAKELONG(LOWORD(dx), LOWORD(dy));
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    if (!lpPoint) return Fail<BOOL>(FALSE, ERROR_INVALID_PARAMETER);
    POINT origin = ClientOrigin(window);
    lpPoint->x += origin.x;
    lpPoint->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    if (!lpPoint) return Fail<BOOL>(FALSE, ERROR_INVALID_PARAMETER);
    POINT origin = ClientOrigin(window);
    lpPoint->x -= origin.x;
    lpPoint->y -= origin.y;
    return TRUE;
}

HWND WindowFromPoint(POINT Point) {
    std::vector<HWND> found;
    WindowsAt(Desktop(), Point, found);
    for (HWND hwnd : found) {
        Window* window = FromHandleQuiet(hwnd);
        if (!window) continue;
        if (window->Style & (WS_MINIMIZE | WS_DISABLED)) return hwnd;
        LRESULT hit = SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(Point.x, Point.y));
        if (hit != HTTRANSPARENT && FromHandleQuiet(hwnd)) return hwnd;
    }
    return nullptr;
}

HWND ChildWindowFromPointEx(HWND hwnd, POINT pt, UINT flags) {
    Window* parent = FromHandle(hwnd);
    if (!parent) return nullptr;
    if (flags & ~(CWP_SKIPINVISIBLE | CWP_SKIPDISABLED | CWP_SKIPTRANSPARENT))
        return Fail<HWND>(nullptr, ERROR_INVALID_PARAMETER);
    RECT client{0, 0, parent->ClientRect.right - parent->ClientRect.left,
                parent->ClientRect.bottom - parent->ClientRect.top};
    if (!Inside(client, pt)) return nullptr;
    for (Window* child : parent->Children) {
        if (!Inside(child->WindowRect, pt)) continue;
        if ((flags & CWP_SKIPINVISIBLE) && !child->Visible()) continue;
        if ((flags & CWP_SKIPDISABLED) && (child->Style & WS_DISABLED)) continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (child->ExStyle & WS_EX_TRANSPARENT)) continue;
        return child->Handle;
    }
    return hwnd;
}

HWND ChildWindowFromPoint(HWND hWndParent, POINT Point) { return ChildWindowFromPointEx(hWndParent, Point, CWP_ALL); }

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
    if (!FromHandle(hWnd)) return 0;
    if (lpdwProcessId) *lpdwProcessId = static_cast<DWORD>(getpid());
    return MessageQueue::UiThreadId();
}
