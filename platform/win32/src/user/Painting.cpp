// Update regions and the messages that drain them: InvalidateRect/Rgn, ValidateRect/Rgn, RedrawWindow,
// UpdateWindow, GetUpdateRect/Rgn, ExcludeUpdateRgn and the queue's WM_PAINT.
#include "user/Painting.h"

#include "gdi/DeviceContext.h"
#include "user/PaintingInternal.h"

#include <win32/windows.h>

namespace win32::user {
namespace {

constexpr UINT kKnownRedrawFlags = RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_VALIDATE | RDW_NOINTERNALPAINT |
                                   RDW_NOERASE | RDW_NOCHILDREN | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW |
                                   RDW_FRAME | RDW_NOFRAME;

bool NeedsPaint(const Window& window) {
    return !window.UpdateRegion.Empty() || window.InternalPaint || window.NcPaintNeeded;
}

// Whether an operation on the window reaches its children: RDW_ALLCHILDREN always, RDW_NOCHILDREN never, and
// otherwise only when the window does not clip them out of its own painting.
bool ReachesChildren(const Window& window, UINT flags) {
    if (flags & RDW_ALLCHILDREN) return true;
    if (flags & RDW_NOCHILDREN) return false;
    return (window.Style & WS_CLIPCHILDREN) == 0;
}

// Where a child's window rectangle lies in its parent's window coordinates.
POINT ChildOrigin(const Window& parent, const Window& child) {
    POINT offset = parent.ClientOffset();
    return {offset.x + child.WindowRect.left, offset.y + child.WindowRect.top};
}

// Invalidation and validation of one window and, as the flags say, its visible descendants. The area is in the
// window's coordinates; the top window crops it to its client area unless RDW_FRAME, descendants to their whole
// window (their frames lie inside the parent's area and are repainted with it).
void RedrawTree(Window& window, gdi::Region area, bool top, UINT flags) {
    bool frame = !top || (flags & RDW_FRAME);
    if (flags & RDW_INVALIDATE) {
        gdi::Region added = CropToWindow(window, area, frame);
        if (!added.Empty()) {
            window.UpdateRegion = gdi::Region::Combine(window.UpdateRegion, added, RGN_OR);
            if (flags & RDW_ERASE) window.EraseNeeded = true;
            gdi::Region nonClient = gdi::Region::Combine(WindowBounds(window), ClientBounds(window), RGN_DIFF);
            if (gdi::Region::Combine(added, nonClient, RGN_AND).Complexity() != NULLREGION) window.NcPaintNeeded = true;
        }
        if (top && (flags & RDW_FRAME)) window.NcPaintNeeded = true;
    } else if (flags & RDW_VALIDATE) {
        gdi::Region removed = (flags & RDW_NOFRAME) ? gdi::Region::Combine(area, ClientBounds(window), RGN_AND) : area;
        window.UpdateRegion = gdi::Region::Combine(window.UpdateRegion, removed, RGN_DIFF);
        if (flags & RDW_NOERASE) window.EraseNeeded = false;
        if (window.UpdateRegion.Empty()) {
            window.EraseNeeded = false;
            if (!(flags & RDW_NOFRAME)) window.NcPaintNeeded = false;
        }
    }
    if (flags & RDW_INTERNALPAINT) window.InternalPaint = true;
    if (flags & RDW_NOINTERNALPAINT) window.InternalPaint = false;

    if (!ReachesChildren(window, flags) || (window.Style & WS_MINIMIZE)) return;
    for (Window* child : window.Children) {
        if (!child->Visible()) continue;
        POINT origin = ChildOrigin(window, *child);
        gdi::Region childArea = area;
        childArea.Offset(-origin.x, -origin.y);
        childArea = gdi::Region::Combine(childArea, WindowBounds(*child), RGN_AND);
        if (childArea.Empty()) continue;
        RedrawTree(*child, childArea, false, flags);
    }
}

// The window and the descendants an update reaches, parents before children, as handles: the handlers that run
// may destroy windows on the way.
void CollectTree(Window& window, UINT flags, std::vector<HWND>& out) {
    out.push_back(window.Handle);
    if (!ReachesChildren(window, flags)) return;
    for (Window* child : window.Children) {
        if (child->Visible()) CollectTree(*child, flags, out);
    }
}

// The windows an update or erase of window reaches, parents first; for the desktop, every visible top-level tree.
std::vector<HWND> WindowsToVisit(Window& window, UINT flags) {
    std::vector<HWND> windows;
    if (&window == &Desktop()) {
        for (Window* top : window.Children) {
            if (top->Visible()) CollectTree(*top, flags | RDW_ALLCHILDREN, windows);
        }
    } else {
        CollectTree(window, flags, windows);
    }
    return windows;
}

void UpdateNow(Window& window, UINT flags) {
    std::vector<HWND> windows = WindowsToVisit(window, flags);
    for (HWND hwnd : windows) {
        Window* current = FromHandleQuiet(hwnd);
        if (current && IsDrawable(*current) && NeedsPaint(*current)) SendMessageW(hwnd, WM_PAINT, 0, 0);
    }
    PresentPending();
}

void EraseNow(Window& window, UINT flags) {
    std::vector<HWND> windows = WindowsToVisit(window, flags);
    for (HWND hwnd : windows) {
        Window* current = FromHandleQuiet(hwnd);
        if (!current || !IsDrawable(*current)) continue;
        SendNcPaint(*current);
        current = FromHandleQuiet(hwnd);
        if (current && current->EraseNeeded) SendEraseOutsidePaint(*current);
    }
    PresentPending();
}

// The caller's rectangle or region (client coordinates) as an area in window coordinates; neither means the
// client area, or the whole window with RDW_FRAME.
bool AreaFromArguments(Window& window, const RECT* rect, HRGN region, UINT flags, gdi::Region& area) {
    POINT offset = window.ClientOffset();
    if (region) {
        auto object = gdi::ObjectTable::LookupAs<gdi::RegionObject>(region);
        if (!object) return false;
        area = object->Value();
        area.Offset(offset.x, offset.y);
    } else if (rect) {
        area = gdi::Region(*rect);
        area.Offset(offset.x, offset.y);
    } else {
        area = (flags & RDW_FRAME) ? WindowBounds(window) : ClientBounds(window);
    }
    return true;
}

// Windows' answer for a null window in InvalidateRect and ValidateRect: everything is repainted at once.
constexpr UINT kRepaintEverything = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ERASENOW | RDW_ALLCHILDREN;

}  // namespace

gdi::Region ClientUpdateRegion(const Window& window) {
    gdi::Region update = gdi::Region::Combine(window.UpdateRegion, ClientBounds(window), RGN_AND);
    POINT offset = window.ClientOffset();
    update.Offset(-offset.x, -offset.y);
    return update;
}

void SendNcPaint(Window& window) {
    if (!window.NcPaintNeeded) return;
    gdi::Region whole = WindowBounds(window);
    bool all = window.UpdateRegion.Empty() || window.UpdateRegion == whole ||
               window.UpdateRegion == CropToWindow(window, whole, true);
    gdi::Region screen = window.UpdateRegion;
    RECT rect = window.ScreenWindowRect();
    screen.Offset(rect.left, rect.top);
    // Validated before the message goes out, so that the handler's own invalidations survive it.
    window.NcPaintNeeded = false;
    window.UpdateRegion = gdi::Region::Combine(window.UpdateRegion, ClientBounds(window), RGN_AND);
    HRGN region = nullptr;
    if (!all) {
        region = CreateRectRgn(0, 0, 0, 0);
        gdi::ObjectTable::LookupAs<gdi::RegionObject>(region)->Value() = screen;
    }
    SendMessageW(window.Handle, WM_NCPAINT, region ? reinterpret_cast<WPARAM>(region) : 1, 0);
    if (region) DeleteObject(region);
}

void SendEraseOutsidePaint(Window& window) {
    window.EraseNeeded = false;
    gdi::Region update = ClientUpdateRegion(window);
    RECT client = window.ScreenClientRect();
    update.Offset(client.left, client.top);
    HWND hwnd = window.Handle;
    HDC hdc = AcquireWindowDC(window, StyleDcxFlags(window) | DCX_INTERSECTRGN, &update);
    if (!hdc) return;
    SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    ReleaseDC(hwnd, hdc);
}

void RedrawArea(Window& window, const gdi::Region& area, UINT flags) {
    if (!IsDrawable(window)) return;
    RefreshWindowDCs();
    RedrawTree(window, area, true, flags);
}

BOOL RedrawWindowOn(Window& window, const RECT* rect, HRGN region, UINT flags) {
    RefreshWindowDCs();
    if (&window == &Desktop()) {
        // The desktop stands for the whole screen: every top-level window, each in its own coordinates.
        if (flags & (RDW_INVALIDATE | RDW_VALIDATE | RDW_INTERNALPAINT | RDW_NOINTERNALPAINT)) {
            gdi::Region screenArea;
            if (!AreaFromArguments(window, rect, region, flags, screenArea)) return FALSE;
            for (Window* top : window.Children) {
                if (!top->Visible()) continue;
                gdi::Region area = screenArea;
                area.Offset(-top->WindowRect.left, -top->WindowRect.top);
                area = gdi::Region::Combine(area, WindowBounds(*top), RGN_AND);
                if (!area.Empty()) RedrawTree(*top, area, false, flags | RDW_ALLCHILDREN);
            }
        }
    } else if (IsDrawable(window)) {
        gdi::Region area;
        if (!AreaFromArguments(window, rect, region, flags, area)) return FALSE;
        RedrawTree(window, area, true, flags);
    }
    if (flags & RDW_UPDATENOW) {
        UpdateNow(window, flags);
    } else if (flags & RDW_ERASENOW) {
        EraseNow(window, flags);
    }
    return TRUE;
}

bool NextPaintMessage(MSG& msg, HWND filter) {
    RefreshWindowDCs();
    Window* found = nullptr;
    std::vector<Window*> pending;
    if (filter) {
        Window* window = FromHandleQuiet(filter);
        if (!window || !IsDrawable(*window)) return false;
        pending.push_back(window);
    } else {
        for (auto it = Desktop().Children.rbegin(); it != Desktop().Children.rend(); ++it) pending.push_back(*it);
    }
    // Depth first, parents before children, topmost first.
    while (!pending.empty() && !found) {
        Window* window = pending.back();
        pending.pop_back();
        if (!window->Visible()) continue;
        if (NeedsPaint(*window)) {
            found = window;
            break;
        }
        for (auto it = window->Children.rbegin(); it != window->Children.rend(); ++it) pending.push_back(*it);
    }
    if (!found) {
        MarkHeldDCsDirty();
        PresentPending();
        return false;
    }
    msg = MSG{};
    msg.hwnd = found->Handle;
    msg.message = WM_PAINT;
    msg.time = GetTickCount();
    msg.pt = State().CursorPos;
    return true;
}

}  // namespace win32::user

using namespace win32::user;
namespace gdi = win32::gdi;

BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags) {
    if (flags & ~kKnownRedrawFlags) {
        SetLastError(ERROR_INVALID_FLAGS);
        return FALSE;
    }
    Window* window = hWnd ? FromHandle(hWnd) : &Desktop();
    if (!window) return FALSE;
    return RedrawWindowOn(*window, lprcUpdate, hrgnUpdate, flags);
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    if (!hWnd) return RedrawWindow(nullptr, nullptr, nullptr, kRepaintEverything);
    return RedrawWindow(hWnd, lpRect, nullptr, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase) {
    if (!hWnd) return RedrawWindow(nullptr, nullptr, nullptr, kRepaintEverything);
    return RedrawWindow(hWnd, nullptr, hRgn, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect) {
    if (!hWnd) return RedrawWindow(nullptr, nullptr, nullptr, kRepaintEverything);
    return RedrawWindow(hWnd, lpRect, nullptr, RDW_VALIDATE);
}

BOOL ValidateRgn(HWND hWnd, HRGN hRgn) {
    if (!hWnd) return RedrawWindow(nullptr, nullptr, nullptr, kRepaintEverything);
    return RedrawWindow(hWnd, nullptr, hRgn, RDW_VALIDATE);
}

BOOL UpdateWindow(HWND hWnd) {
    if (!hWnd) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return RedrawWindow(hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    HWND hwnd = window->Handle;
    if (bErase && IsDrawable(*window)) {
        SendNcPaint(*window);
        window = FromHandleQuiet(hwnd);
        if (window && window->EraseNeeded) SendEraseOutsidePaint(*window);
        window = FromHandleQuiet(hwnd);
        if (!window) return FALSE;
    }
    gdi::Region update = ClientUpdateRegion(*window);
    if (lpRect) *lpRect = update.Box();
    return !update.Empty();
}

int GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL bErase) {
    Window* window = FromHandle(hWnd);
    if (!window) return ERROR;
    auto object = gdi::ObjectTable::LookupAs<gdi::RegionObject>(hRgn);
    if (!object) return ERROR;
    if (bErase && !GetUpdateRect(hWnd, nullptr, TRUE) && !FromHandleQuiet(hWnd)) return ERROR;
    window = FromHandleQuiet(hWnd);
    if (!window) return ERROR;
    object->Value() = ClientUpdateRegion(*window);
    return object->Value().Complexity();
}

int ExcludeUpdateRgn(HDC hDC, HWND hWnd) {
    auto dc = gdi::LookupDC(hDC);
    if (!dc) return ERROR;
    Window* window = FromHandle(hWnd);
    if (!window) return ERROR;
    // The update region in the DC's device coordinates: client area on the surface, less the DC's origin.
    gdi::Region update = ClientUpdateRegion(*window);
    RECT rootRect = window->Root()->ScreenWindowRect();
    RECT clientRect = window->ScreenClientRect();
    POINT origin = dc->Origin();
    update.Offset(clientRect.left - rootRect.left - origin.x, clientRect.top - rootRect.top - origin.y);
    gdi::Region clip = dc->State().Clip ? *dc->State().Clip : dc->VisibleRegion();
    clip = gdi::Region::Combine(clip, update, RGN_DIFF);
    dc->State().Clip = clip;
    dc->ClipChanged();
    return gdi::Region::Combine(clip, dc->VisibleRegion(), RGN_AND).Complexity();
}
