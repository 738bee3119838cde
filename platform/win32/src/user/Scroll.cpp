// Scrolling a window's pixels (ScrollWindowEx, ScrollWindow) and LockWindowUpdate.
#include "geometry/Rects.h"
#include "user/Caret.h"
#include "user/PaintingInternal.h"

#include <algorithm>
#include <vector>

namespace win32::user {
namespace {

HWND& Locked() {
    static HWND locked = nullptr;
    return locked;
}

constexpr UINT kKnownScrollFlags = SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE | SW_SMOOTHSCROLL;

// Moves the pixels that land in the destination region (surface coordinates) from dx, dy back. The source is
// copied out first because source and destination overlap.
void MovePixels(gdi::BitmapObject& surface, const gdi::Region& destination, int dx, int dy) {
    if (destination.Empty() || surface.BitsPerPixel() != 32) return;
    RECT box = destination.Box();
    int width = box.right - box.left;
    int height = box.bottom - box.top;
    std::vector<uint32_t> source(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        std::copy_n(surface.Row32(box.top - dy + y) + box.left - dx, width,
                    source.data() + static_cast<size_t>(y) * width);
    }
    for (const RECT& rect : destination.Rects()) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            const uint32_t* from = source.data() + static_cast<size_t>(y - box.top) * width + (rect.left - box.left);
            std::copy_n(from, rect.right - rect.left, surface.Row32(y) + rect.left);
        }
    }
}

bool UnderLock(const Window& window) {
    for (const Window* current = &window; current; current = current->Parent) {
        if (Locked() && current->Handle == Locked()) return true;
    }
    return false;
}

}  // namespace

HWND LockedWindow() { return Locked(); }

}  // namespace win32::user

using namespace win32::user;
namespace gdi = win32::gdi;

int ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* prcScroll, const RECT* prcClip, HRGN hrgnUpdate,
                   LPRECT prcUpdate, UINT flags) {
    // With SW_SMOOTHSCROLL the high word is the animation time; the end result is the same, so it is not waited for.
    UINT known = (flags & SW_SMOOTHSCROLL) ? (kKnownScrollFlags | 0xFFFF0000u) : kKnownScrollFlags;
    if (flags & ~known) {
        SetLastError(ERROR_INVALID_FLAGS);
        return ERROR;
    }
    Window* window = FromHandle(hWnd);
    if (!window) return ERROR;
    std::shared_ptr<gdi::RegionObject> updateObject;
    if (hrgnUpdate) {
        updateObject = gdi::ObjectTable::LookupAs<gdi::RegionObject>(hrgnUpdate);
        if (!updateObject) return ERROR;
    }
    RECT client{0, 0, window->ClientRect.right - window->ClientRect.left,
                window->ClientRect.bottom - window->ClientRect.top};
    RECT clip = prcClip ? win32::Intersection(*prcClip, client) : client;
    RECT scroll = prcScroll ? win32::Intersection(*prcScroll, client) : client;

    gdi::Region update;
    if ((dx || dy) && IsDrawable(*window) && window->Root()->Surface && !UnderLock(*window)) {
        DWORD dcxFlags = StyleDcxFlags(*window);
        if (flags & SW_SCROLLCHILDREN) dcxFlags &= ~DCX_CLIPCHILDREN;  // the children's pixels travel too
        gdi::Region visible = VisibleRegion(*window, dcxFlags);
        POINT surfaceOrigin = SurfaceScreenOrigin(*window);
        RECT screenClient = window->ScreenClientRect();
        POINT clientOnSurface{screenClient.left - surfaceOrigin.x, screenClient.top - surfaceOrigin.y};
        visible.Offset(-clientOnSurface.x, -clientOnSurface.y);  // client coordinates from here on

        gdi::Region moved = visible.Intersect(scroll);
        moved.Offset(dx, dy);
        moved = gdi::Region::Combine(moved.Intersect(clip), visible, RGN_AND);
        update = gdi::Region::Combine(visible.Intersect(scroll).Intersect(clip), moved, RGN_DIFF);

        HideCaretForPaint(hWnd);
        gdi::Region onSurface = moved;
        onSurface.Offset(clientOnSurface.x, clientOnSurface.y);
        MovePixels(*window->Root()->Surface, onSurface, dx, dy);
        if (!onSurface.Empty()) MarkSurfaceDirty(*window->Root(), onSurface.Box());
        ShowCaretAfterPaint(hWnd);
    } else if ((dx || dy) && IsDrawable(*window)) {
        update = gdi::Region(scroll).Intersect(clip);
    }

    // What was already invalid moves with the pixels (and stays invalid where it was).
    if (dx || dy) {
        gdi::Region pending = ClientUpdateRegion(*window).Intersect(scroll);
        pending.Offset(dx, dy);
        pending = pending.Intersect(clip);
        if (!pending.Empty()) {
            HRGN region = CreateRectRgn(0, 0, 0, 0);
            gdi::ObjectTable::LookupAs<gdi::RegionObject>(region)->Value() = pending;
            RedrawWindowOn(*window, nullptr, region,
                           RDW_INVALIDATE | RDW_NOCHILDREN | (window->EraseNeeded ? RDW_ERASE : 0));
            DeleteObject(region);
        }
    }

    if ((flags & SW_SCROLLCHILDREN) && (dx || dy)) {
        std::vector<HWND> children;
        for (Window* child : window->Children) {
            if (!prcScroll || gdi::Region(scroll).Intersects(child->WindowRect)) children.push_back(child->Handle);
        }
        for (HWND child : children) {
            Window* current = FromHandleQuiet(child);
            if (!current) continue;
            SetWindowPos(child, nullptr, current->WindowRect.left + dx, current->WindowRect.top + dy, 0, 0,
                         SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
        RefreshWindowDCs();
    }

    int complexity = update.Complexity();
    if ((flags & SW_INVALIDATE) && !update.Empty() && FromHandleQuiet(hWnd)) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        gdi::ObjectTable::LookupAs<gdi::RegionObject>(region)->Value() = update;
        RedrawWindowOn(*FromHandleQuiet(hWnd), nullptr, region,
                       RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0) |
                           ((flags & SW_SCROLLCHILDREN) ? RDW_ALLCHILDREN : 0));
        DeleteObject(region);
    }
    if (updateObject) updateObject->Value() = update;
    if (prcUpdate) *prcUpdate = update.Box();
    return complexity;
}

BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect, const RECT* lpClipRect) {
    UINT flags = SW_INVALIDATE | SW_ERASE | (lpRect ? 0 : SW_SCROLLCHILDREN);
    return ScrollWindowEx(hWnd, XAmount, YAmount, lpRect, lpClipRect, nullptr, nullptr, flags) != ERROR;
}

BOOL LockWindowUpdate(HWND hWndLock) {
    HWND& locked = Locked();
    if (!hWndLock) {
        HWND previous = locked;
        locked = nullptr;
        ++State().VisibleGeneration;  // held DCs under the lock draw again
        RefreshWindowDCs();
        // Whatever was drawn or meant to be drawn meanwhile was lost: the window paints again in full.
        if (Window* window = FromHandleQuiet(previous)) {
            RedrawWindowOn(*window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
        return TRUE;
    }
    if (locked) return FALSE;
    if (!FromHandle(hWndLock)) return FALSE;
    locked = hWndLock;
    ++State().VisibleGeneration;  // held DCs under the lock draw nothing from now on
    RefreshWindowDCs();
    return TRUE;
}
