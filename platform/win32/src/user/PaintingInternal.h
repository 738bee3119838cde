// Helpers shared by the painting files (update regions, DCs, scrolling): window geometry in the window's own
// coordinates, the non-client and erase messages, and the LockWindowUpdate state.
#pragma once

#include "user/Painting.h"

namespace win32::user {

// The window rectangle at (0, 0), and the client rectangle within it: the window coordinates update regions use.
gdi::Region WindowBounds(const Window& window);
gdi::Region ClientBounds(const Window& window);
// The area cropped to the window (or its client area), its window region and its ancestors' client areas.
gdi::Region CropToWindow(Window& window, const gdi::Region& area, bool frame);
// The window and every ancestor below the desktop are visible.
bool IsDrawable(const Window& window);
// The top-level window's surface position on the screen (its window rectangle's top-left).
POINT SurfaceScreenOrigin(Window& window);

// The client part of the update region, in client coordinates.
gdi::Region ClientUpdateRegion(const Window& window);
// WM_NCPAINT when the frame is pending: wParam the update region in screen coordinates, or 1 when it is the whole
// window; the frame part is validated first.
void SendNcPaint(Window& window);
// WM_ERASEBKGND outside BeginPaint (RDW_ERASENOW, GetUpdateRect with bErase) on a DC clipped to the update region.
void SendEraseOutsidePaint(Window& window);

// RedrawWindow on a window object; the desktop stands for every top-level window.
BOOL RedrawWindowOn(Window& window, const RECT* rect, HRGN region, UINT flags);
// RDW_INVALIDATE or RDW_VALIDATE of an area in the window's own coordinates (window rectangle at (0, 0)), with
// the children the flags reach; nothing while the window or an ancestor is hidden.
void RedrawArea(Window& window, const gdi::Region& area, UINT flags);

// The DCX_ clip flags GetDC takes from the window's styles (and CS_PARENTDC).
DWORD StyleDcxFlags(const Window& window);
// A window DC for the flags; with DCX_INTERSECTRGN or DCX_EXCLUDERGN the region (screen coordinates) is kept
// with the DC and applied again whenever the DC follows its window.
HDC AcquireWindowDC(Window& window, DWORD dcxFlags, const gdi::Region* screenRegion);

// LockWindowUpdate's window, or null: its DCs and its descendants' DCs draw nothing unless DCX_LOCKWINDOWUPDATE.
HWND LockedWindow();

}  // namespace win32::user
