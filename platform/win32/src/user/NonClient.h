// The default non-client geometry: the client rectangle a window's styles leave (WM_NCCALCSIZE) and what part
// of the frame a point is over (WM_NCHITTEST), for DefWindowProc.
#pragma once

#include "user/Window.h"

namespace win32::user {

// The client rectangle inside a window rectangle (both in the same coordinates) for the window's styles:
// borders, caption, client edge and scroll bars, sized by GetSystemMetrics.
RECT DefaultClientRect(const Window& window, const RECT& windowRect);

// The hit-test code of a screen point for the window's styles (the rectangles DefaultClientRect implies).
int DefaultHitTest(const Window& window, POINT screen);

}  // namespace win32::user
