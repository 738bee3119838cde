// TrackMouseEvent's state for the thread: the window whose leaving or hovering is watched, checked each time
// the router places the pointer.
#pragma once

#include <win32/windows.h>

namespace win32::user {

// The pointer is at screen over window (null: none of ours) with that hit-test code. Posts WM_MOUSELEAVE or
// WM_NCMOUSELEAVE when the tracked window lost it and restarts the hover wait when it moved off the hover rectangle.
void PointerPlaced(HWND window, int hit, POINT screen);
// A window that goes away ends its tracking.
void ForgetMouseTracking(HWND hwnd);

}  // namespace win32::user
