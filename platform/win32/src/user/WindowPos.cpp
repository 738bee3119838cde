// SetWindowPos and the z-order: WM_WINDOWPOSCHANGING, WM_NCCALCSIZE and WM_WINDOWPOSCHANGED in Windows' order,
// owned windows kept above their owners, the topmost band; MoveWindow, BringWindowToTop, GetWindowRect and
// GetClientRect.
#include "user/WindowPos.h"
#include "user/PaintingInternal.h"

#include <backend/Driver.h>

#include <algorithm>

using namespace win32::user;

namespace {

constexpr UINT NoPositionChange = SWP_NOSIZE | SWP_NOMOVE | SwpNoClientSize | SwpNoClientMove | SWP_NOZORDER;
constexpr UINT StatusFlags = NoPositionChange | SWP_FRAMECHANGED | SWP_HIDEWINDOW | SWP_SHOWWINDOW;
constexpr UINT KnownFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                            SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING |
                            SWP_DEFERERASE | SWP_ASYNCWINDOWPOS | SwpNoClientSize | SwpNoClientMove | SWP_STATECHANGED;

bool Topmost(const Window* window) { return (window->ExStyle & WS_EX_TOPMOST) != 0; }

size_t TopmostCount(const std::vector<Window*>& children) {
    size_t count = 0;
    while (count < children.size() && Topmost(children[count])) ++count;
    return count;
}

bool OwnedBy(const Window* window, const Window* owner) {
    for (const Window* o = window->Owner; o; o = o->Owner)
        if (o == owner) return true;
    return false;
}

// Moves the window in its parent's z-order as hwndInsertAfter says. Answers false when hwndInsertAfter is a
// window that is not a sibling.
bool Restack(Window& window, HWND after, bool moveOwned) {
    Window& parent = *window.Parent;
    auto& children = parent.Children;
    bool topLevel = &parent == &Desktop();
    Window* afterWindow = nullptr;
    if (after != HWND_TOP && after != HWND_BOTTOM && after != HWND_TOPMOST && after != HWND_NOTOPMOST) {
        afterWindow = FromHandleQuiet(after);
        if (!afterWindow || afterWindow->Parent != &parent) return false;
        if (afterWindow == &window) return true;
    }
    children.erase(std::find(children.begin(), children.end(), &window));
    size_t index = 0;
    if (after == HWND_TOPMOST) {
        if (topLevel) window.ExStyle |= WS_EX_TOPMOST;
    } else if (after == HWND_NOTOPMOST) {
        window.ExStyle &= ~WS_EX_TOPMOST;
        index = topLevel ? TopmostCount(children) : 0;
    } else if (after == HWND_TOP) {
        index = topLevel && !Topmost(&window) ? TopmostCount(children) : 0;
    } else if (after == HWND_BOTTOM) {
        window.ExStyle &= ~WS_EX_TOPMOST;
        index = children.size();
    } else {
        index = static_cast<size_t>(std::find(children.begin(), children.end(), afterWindow) - children.begin()) + 1;
        if (topLevel) {
            // A window placed among the topmost ones becomes topmost; one placed below them stops being topmost.
            size_t band = TopmostCount(children);
            if (index <= band && Topmost(afterWindow))
                window.ExStyle |= WS_EX_TOPMOST;
            else if (index > band)
                window.ExStyle &= ~WS_EX_TOPMOST;
        }
    }
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(index), &window);
    ForgetVisibleRegions(window);

    if (topLevel) {
        // An owned window never goes below its owner...
        if (window.Owner) {
            auto self = std::find(children.begin(), children.end(), &window);
            auto owner = std::find(children.begin(), children.end(), window.Owner);
            if (owner != children.end() && owner < self) {
                children.erase(self);
                owner = std::find(children.begin(), children.end(), window.Owner);
                children.insert(owner, &window);
            }
        }
        // ...and the windows it owns come along above it, in their order.
        if (moveOwned) {
            std::vector<Window*> owned;
            auto self = std::find(children.begin(), children.end(), &window);
            for (auto it = self + 1; it != children.end(); ++it)
                if (OwnedBy(*it, &window)) owned.push_back(*it);
            if (!owned.empty()) {
                for (Window* o : owned) children.erase(std::find(children.begin(), children.end(), o));
                self = std::find(children.begin(), children.end(), &window);
                children.insert(self, owned.begin(), owned.end());
            }
        }
    }
    return true;
}

// Clamps, completes and checks the request as Windows does before it acts.
bool FixupFlags(WINDOWPOS& pos, Window& window) {
    pos.x = std::clamp(pos.x, -32768, 32767);
    pos.y = std::clamp(pos.y, -32768, 32767);
    pos.cx = std::clamp(pos.cx, 0, 32767);
    pos.cy = std::clamp(pos.cy, 0, 32767);
    if (!IsWindowVisible(window.Parent->Handle)) pos.flags |= SWP_NOREDRAW;
    if (window.Visible()) {
        pos.flags &= ~SWP_SHOWWINDOW;
    } else {
        pos.flags &= ~SWP_HIDEWINDOW;
        if (!(pos.flags & SWP_SHOWWINDOW)) pos.flags |= SWP_NOREDRAW;
    }
    const RECT& rect = window.WindowRect;
    if (rect.right - rect.left == pos.cx && rect.bottom - rect.top == pos.cy) pos.flags |= SWP_NOSIZE;
    if (rect.left == pos.x && rect.top == pos.y) pos.flags |= SWP_NOMOVE;

    if ((window.Style & (WS_POPUP | WS_CHILD)) != WS_CHILD) {
        // Activating a top-level window brings it to the top.
        if (!(pos.flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) &&
            ((pos.flags & SWP_NOZORDER) ||
             (pos.hwndInsertAfter != HWND_TOPMOST && pos.hwndInsertAfter != HWND_NOTOPMOST))) {
            pos.flags &= ~SWP_NOZORDER;
            pos.hwndInsertAfter = HWND_TOP;
        }
    }
    if (pos.flags & SWP_NOZORDER) return true;

    if (pos.hwndInsertAfter == reinterpret_cast<HWND>(0xffff)) pos.hwndInsertAfter = HWND_TOPMOST;
    if (pos.hwndInsertAfter == reinterpret_cast<HWND>(0xfffe)) pos.hwndInsertAfter = HWND_NOTOPMOST;
    const auto& siblings = window.Parent->Children;
    HWND after = pos.hwndInsertAfter;
    if (after == HWND_TOP) {
        if (!siblings.empty() && siblings.front() == &window) pos.flags |= SWP_NOZORDER;
    } else if (after == HWND_BOTTOM) {
        if (!Topmost(&window) && !siblings.empty() && siblings.back() == &window) pos.flags |= SWP_NOZORDER;
    } else if (after == HWND_TOPMOST) {
        if (Topmost(&window) && !siblings.empty() && siblings.front() == &window) pos.flags |= SWP_NOZORDER;
    } else if (after == HWND_NOTOPMOST) {
        if (!Topmost(&window)) pos.flags |= SWP_NOZORDER;
    } else {
        Window* afterWindow = FromHandleQuiet(after);
        if (!afterWindow || afterWindow->Parent != window.Parent) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
        auto it = std::find(siblings.begin(), siblings.end(), afterWindow);
        if (afterWindow == &window || (it + 1 != siblings.end() && *(it + 1) == &window)) pos.flags |= SWP_NOZORDER;
    }
    return true;
}

// What a change leaves invalid, as Windows finds it after keeping the pixels that stay valid. A newly shown
// window is invalid whole. A resized one needs its frame and the client strip it gained, or its whole client area
// when its class redraws on that change (CS_HREDRAW, CS_VREDRAW), when the client area moved inside the window or
// with SWP_NOCOPYBITS. A child that moved or changed place in the z-order is repainted whole (children draw into
// their top-level's surface and nothing keeps what they leave behind), and its parent repaints what the child
// no longer covers.
void RequestRepaint(Window& window, UINT flags, const RECT& oldWindow, const RECT& oldClient, bool wasVisible,
                    bool restacked) {
    namespace gdi = win32::gdi;
    if (flags & SWP_NOREDRAW) return;
    bool topLevel = window.TopLevel();
    bool moved = !(flags & SWP_NOMOVE);
    bool sized = !(flags & SWP_NOSIZE);
    bool framed = (flags & SWP_FRAMECHANGED) != 0;
    constexpr UINT all = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
    if (window.Visible()) {
        SIZE oldSize{oldClient.right - oldClient.left, oldClient.bottom - oldClient.top};
        SIZE newSize{window.ClientRect.right - window.ClientRect.left,
                     window.ClientRect.bottom - window.ClientRect.top};
        POINT oldOffset{oldClient.left - oldWindow.left, oldClient.top - oldWindow.top};
        POINT newOffset = window.ClientOffset();
        UINT classStyle = window.Class ? window.Class->Style : 0;
        bool classRedraw = ((classStyle & CS_HREDRAW) && oldSize.cx != newSize.cx) ||
                           ((classStyle & CS_VREDRAW) && oldSize.cy != newSize.cy);
        bool clientKept =
            oldOffset.x == newOffset.x && oldOffset.y == newOffset.y && !classRedraw && !(flags & SWP_NOCOPYBITS);
        if ((flags & SWP_SHOWWINDOW) || (!topLevel && (moved || restacked))) {
            RedrawArea(window, WindowBounds(window), all);
        } else if (sized || framed) {
            gdi::Region client = ClientBounds(window);
            RedrawArea(window, gdi::Region::Combine(WindowBounds(window), client, RGN_DIFF),
                       RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
            if (clientKept) {
                gdi::Region kept =
                    gdi::Region::FromRect(oldOffset.x, oldOffset.y, oldOffset.x + oldSize.cx, oldOffset.y + oldSize.cy);
                client = gdi::Region::Combine(client, kept, RGN_DIFF);
            }
            RedrawArea(window, client, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        }
    }
    if (topLevel || !wasVisible) return;
    if (!(flags & SWP_HIDEWINDOW) && !moved && !sized && !restacked) return;
    gdi::Region uncovered(oldWindow);
    if (window.Visible() && !restacked)
        uncovered = gdi::Region::Combine(uncovered, gdi::Region(window.WindowRect), RGN_DIFF);
    Window& parent = *window.Parent;
    POINT parentOffset = parent.ClientOffset();
    uncovered.Offset(parentOffset.x, parentOffset.y);
    RedrawArea(parent, gdi::Region::Combine(uncovered, ClientBounds(parent), RGN_AND),
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Windows erases inside SetWindowPos what the change left to erase, before WM_WINDOWPOSCHANGED: the frame
// (WM_NCPAINT) and the background (WM_ERASEBKGND) of a newly shown window, and of the parent (a top-level window:
// the window itself) after a hide, move or size. WM_PAINT stays for the queue. SWP_DEFERERASE leaves it all there.
void EraseAfterChange(HWND hwnd, UINT flags, UINT requested) {
    if (flags & (SWP_NOREDRAW | SWP_DEFERERASE)) return;
    Window* window = FromHandleQuiet(hwnd);
    if (!window) return;
    bool geometry = (flags & (SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED)) !=
                    (SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    if ((requested & SWP_HIDEWINDOW) || (!(requested & SWP_SHOWWINDOW) && geometry)) {
        HWND parent = window->TopLevel() ? hwnd : window->Parent->Handle;
        RedrawWindow(parent, nullptr, nullptr, RDW_ERASENOW);
        if (!(window = FromHandleQuiet(hwnd))) return;
        // A parent that clips its children did not reach this one.
        if (parent != hwnd) RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASENOW);
    } else if (requested & SWP_SHOWWINDOW) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASENOW);
    }
}

// A resized top-level window gets a surface of the new size that keeps the old pixels where both overlap: what
// stays valid is not painted again.
std::shared_ptr<win32::gdi::BitmapObject> ResizedSurface(const win32::gdi::BitmapObject& old, int width, int height) {
    auto surface = std::make_shared<win32::gdi::BitmapObject>(width, height, 32, true, false);
    int rows = std::min(height, old.Height()), columns = std::min(width, old.Width());
    if (old.BitsPerPixel() == 32)
        for (int y = 0; y < rows; ++y) std::copy_n(old.Row32(y), columns, surface->Row32(y));
    return surface;
}

}  // namespace

namespace win32::user {

void LinkWindow(Window& window, Window& parent) {
    window.Parent = &parent;
    auto& children = parent.Children;
    if (&parent != &Desktop()) {
        children.push_back(&window);
    } else {
        size_t index = Topmost(&window) ? 0 : TopmostCount(children);
        children.insert(children.begin() + static_cast<std::ptrdiff_t>(index), &window);
    }
    ForgetVisibleRegions(window);
}

void ReportZOrder() {
    std::vector<HWND> order;
    for (const Window* top : Desktop().Children)
        if (top->Surface) order.push_back(top->Handle);
    backend::CurrentDriver().WindowZOrder(order);
}

void UnlinkWindow(Window& window) {
    if (!window.Parent) return;
    ForgetVisibleRegions(window);
    auto& children = window.Parent->Children;
    children.erase(std::remove(children.begin(), children.end(), &window), children.end());
    window.Parent = nullptr;
}

void SendParentNotify(HWND hwnd, UINT message) {
    Window* window = FromHandleQuiet(hwnd);
    if (!window || (window->Style & (WS_CHILD | WS_POPUP)) != WS_CHILD || (window->ExStyle & WS_EX_NOPARENTNOTIFY))
        return;
    Window* parent = window->Parent;
    if (!parent || parent == &Desktop()) return;
    SendMessageW(parent->Handle, WM_PARENTNOTIFY, MAKEWPARAM(message, window->Id), reinterpret_cast<LPARAM>(hwnd));
}

}  // namespace win32::user

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    if (window == &Desktop() || (uFlags & ~KnownFlags)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    WINDOWPOS pos{hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags};
    if (!(pos.flags & SWP_NOMOVE)) {
        pos.x = std::clamp(pos.x, -32768, 32767);
        pos.y = std::clamp(pos.y, -32768, 32767);
    }
    if (!(pos.flags & SWP_NOSIZE)) {
        pos.cx = std::clamp(pos.cx, 0, 32767);
        pos.cy = std::clamp(pos.cy, 0, 32767);
    }
    UINT originalFlags = pos.flags;

    if (!(pos.flags & SWP_NOSENDCHANGING)) {
        SendMessageW(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        // The handler may have moved the window itself (a nested SetWindowPos): what follows starts from where the
        // window is now and from what the handler left in the WINDOWPOS.
        if (!(window = FromHandleQuiet(hWnd))) return FALSE;
    }
    pos.hwnd = hWnd;
    const RECT oldWindow = window->WindowRect;
    const RECT oldClient = window->ClientRect;
    RECT newWindow = oldWindow;
    RECT newClient = (window->Style & WS_MINIMIZE) ? oldWindow : oldClient;
    if (!(pos.flags & SWP_NOSIZE)) {
        newWindow.right = newWindow.left + pos.cx;
        newWindow.bottom = newWindow.top + pos.cy;
    }
    if (!(pos.flags & SWP_NOMOVE)) {
        int dx = pos.x - oldWindow.left, dy = pos.y - oldWindow.top;
        OffsetRect(&newWindow, dx, dy);
        OffsetRect(&newClient, dx, dy);
    }
    pos.flags |= SwpNoClientMove | SwpNoClientSize;
    if (!FixupFlags(pos, *window)) return FALSE;

    if ((pos.flags & (SWP_FRAMECHANGED | SWP_NOSIZE)) != SWP_NOSIZE) {
        NCCALCSIZE_PARAMS params;
        params.rgrc[0] = newWindow;
        params.rgrc[1] = oldWindow;
        params.rgrc[2] = oldClient;
        // lppos always holds where the window is going, also for SWP_NOMOVE or SWP_NOSIZE.
        WINDOWPOS copy = pos;
        copy.x = newWindow.left;
        copy.y = newWindow.top;
        copy.cx = newWindow.right - newWindow.left;
        copy.cy = newWindow.bottom - newWindow.top;
        params.lppos = &copy;
        SendMessageW(hWnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        if (!(window = FromHandleQuiet(hWnd))) return FALSE;
        newClient = params.rgrc[0];
        if (newClient.left != oldClient.left || newClient.top != oldClient.top) pos.flags &= ~SwpNoClientMove;
        if (newClient.right - newClient.left != oldClient.right - oldClient.left ||
            newClient.bottom - newClient.top != oldClient.bottom - oldClient.top)
            pos.flags &= ~SwpNoClientSize;
    } else if (!(pos.flags & SWP_NOMOVE) && (newClient.left != oldClient.left || newClient.top != oldClient.top)) {
        pos.flags &= ~SwpNoClientMove;
    }

    bool wasVisible = window->Visible();
    bool restacked = false;
    if (!(pos.flags & SWP_NOZORDER)) {
        if (!Restack(*window, pos.hwndInsertAfter, !(pos.flags & SWP_NOOWNERZORDER))) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        restacked = true;
    }
    window->WindowRect = newWindow;
    window->ClientRect = newClient;
    if (pos.flags & SWP_SHOWWINDOW) window->Style |= WS_VISIBLE;
    if (pos.flags & SWP_HIDEWINDOW) window->Style &= ~WS_VISIBLE;

    if (window->TopLevel()) {
        auto& driver = backend::CurrentDriver();
        int width = newWindow.right - newWindow.left, height = newWindow.bottom - newWindow.top;
        if (window->Surface && (window->Surface->Width() != width || window->Surface->Height() != height))
            window->Surface = ResizedSurface(*window->Surface, width, height);
        if (!EqualRect(&oldWindow, &newWindow)) driver.WindowMoved(hWnd, newWindow);
        if (pos.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
            driver.WindowShown(hWnd, (pos.flags & SWP_SHOWWINDOW) != 0, !(pos.flags & SWP_NOACTIVATE));
        // A window coming on the screen goes out whole: the desktop has kept nothing of it.
        if ((pos.flags & SWP_SHOWWINDOW) && window->Surface)
            MarkSurfaceDirty(*window, RECT{0, 0, window->Surface->Width(), window->Surface->Height()});
        if (restacked) ReportZOrder();
    }
    if ((pos.flags & NoPositionChange) != NoPositionChange || (pos.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) ||
        (pos.flags & SWP_FRAMECHANGED)) {
        ForgetVisibleRegions(*window);
        RefreshWindowDCs();
    }
    RequestRepaint(*window, pos.flags, oldWindow, oldClient, wasVisible, restacked);

    if (!(pos.flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW))) {
        if ((window->Style & (WS_CHILD | WS_POPUP)) == WS_CHILD)
            SendMessageW(hWnd, WM_CHILDACTIVATE, 0, 0);
        else
            SetForegroundWindow(hWnd);
        if (!FromHandleQuiet(hWnd)) return TRUE;
    }
    EraseAfterChange(hWnd, pos.flags, originalFlags);
    if (!FromHandleQuiet(hWnd)) return TRUE;

    if ((pos.flags & StatusFlags) != NoPositionChange) {
        // WM_WINDOWPOSCHANGED goes out even with SWP_NOSENDCHANGING, and always with the final rectangle.
        pos.x = newWindow.left;
        pos.y = newWindow.top;
        pos.cx = newWindow.right - newWindow.left;
        pos.cy = newWindow.bottom - newWindow.top;
        SendMessageW(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    }
    return TRUE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!bRepaint) flags |= SWP_NOREDRAW;
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight, flags);
}

BOOL BringWindowToTop(HWND hWnd) { return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    if (!lpRect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpRect = window->ScreenWindowRect();
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    if (!lpRect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpRect = {0, 0, window->ClientRect.right - window->ClientRect.left,
               window->ClientRect.bottom - window->ClientRect.top};
    return TRUE;
}
