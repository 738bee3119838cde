// Scroll bars: the window's own bars (WS_HSCROLL/WS_VSCROLL, in its non-client area) as the default frame sizes,
// paints, hit-tests and tracks them, and the "SCROLLBAR" control class.
#pragma once

#include "user/Window.h"

namespace win32::user {

// WM_NCCALCSIZE: takes the window's bars (its WS_VSCROLL/WS_HSCROLL styles, WS_EX_LEFTSCROLLBAR honoured) out of
// rect, the rectangle left inside the borders and the client edge. Never leaves it inside out.
void RemoveScrollBars(const Window& window, RECT& rect);

// Where the window's bar (SB_HORZ or SB_VERT) lies, in window coordinates (origin at the window rectangle's
// top-left). False when the window does not show that bar.
bool ScrollBarRect(const Window& window, int bar, RECT& rect);

// WM_NCPAINT: paints the window's visible bars, and the corner between them when it has both, into a DC whose
// origin is the window rectangle's top-left (GetWindowDC, GetDCEx with DCX_WINDOW).
void PaintScrollBars(HWND hwnd, HDC windowDc);

// WM_NCHITTEST: HTVSCROLL or HTHSCROLL over a bar, HTSIZE or HTNOWHERE over the corner between two bars (HTSIZE
// when the window is sizable), HTNOWHERE elsewhere. pt is in screen coordinates.
int ScrollBarHitTest(HWND hwnd, POINT pt);

// WM_NCLBUTTONDOWN with HTHSCROLL or HTVSCROLL (pt in screen coordinates): captures the mouse and tracks it until
// the button is released, sending WM_HSCROLL/WM_VSCROLL to the window, and returns after SB_ENDSCROLL. Does
// nothing for other hit codes or a disabled bar.
void TrackScrollBar(HWND hwnd, int hitCode, POINT pt);

}  // namespace win32::user
