// DefWindowProc's non-client frame: where its parts lie, painting them in the look of each paint (classic here, the
// visual style in StyledFrame.cpp), the caption's active state, clicks on the frame, and the move, size and
// caption-button loops (FrameTrack.cpp).
#pragma once

#include "user/Window.h"

namespace win32::user {

// The parts of a window's frame in window coordinates (origin at the window rectangle's top-left). Absent
// parts are empty rectangles.
struct FrameLayout {
    RECT Bounds{0, 0, 0, 0};   // the whole window
    RECT Inner{0, 0, 0, 0};    // inside the outer border
    RECT Caption{0, 0, 0, 0};  // the caption bar without its bottom line
    RECT Icon{0, 0, 0, 0};     // the small icon of the system menu
    RECT Close{0, 0, 0, 0}, Max{0, 0, 0, 0}, Min{0, 0, 0, 0}, Help{0, 0, 0, 0};
    RECT ClientEdge{0, 0, 0, 0};  // the rectangle WS_EX_CLIENTEDGE's sunken edge runs around
};
FrameLayout LayOutFrame(const Window& window);

// What both looks of the caption share: the system menu's icon, the close button's disabled state, and the icon
// and the title drawn in the caption bar in the given colour.
HICON CaptionIcon(HWND hwnd, const Window& window);
bool CloseDisabled(const Window& window);
void PaintCaptionTitle(HDC dc, HWND hwnd, const Window& window, const FrameLayout& layout, COLORREF color);

// StyledFrame.cpp: a captioned window's border, caption and caption buttons in the visual style, over the same
// layout as the classic frame (so hit testing and the client rectangle are the same in both looks). False when
// the frame is classic at this paint.
bool PaintStyledFrame(HDC dc, HWND hwnd, const Window& window, const FrameLayout& layout, bool active);

// The caption button (HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP) or HTSYSMENU under a point in window
// coordinates, or HTCAPTION elsewhere in the caption; HTNOWHERE outside it.
int CaptionHitTest(const Window& window, POINT inWindow);

// WM_NCPAINT: the frame in the part of the window the region covers (screen coordinates; 1 for all).
void PaintFrame(HWND hwnd, HRGN region);
// WM_NCACTIVATE: remembers the caption's state and repaints it.
LRESULT ActivateFrame(HWND hwnd, bool active);
// Whether the caption is drawn active (the last WM_NCACTIVATE's state, the activation before any).
bool FrameActive(HWND hwnd);
// Draws the caption (and the border around it) again now, for a new state or a pushed button.
void RepaintCaption(HWND hwnd);

// WM_NCMOUSEMOVE with its hit code, and WM_NCMOUSELEAVE as HTNOWHERE: the caption button under the pointer is
// drawn hot in the visual style (classic buttons have no hot look).
void FrameMouseMove(HWND hwnd, int hit);
// The caption button drawn hot (HTNOWHERE: none), for the painter.
int HotCaptionButton(HWND hwnd);

// WM_NCLBUTTONDOWN and WM_NCLBUTTONDBLCLK with their hit code and screen point.
void FrameButtonDown(HWND hwnd, int hit, POINT screen);
void FrameDoubleClick(HWND hwnd, int hit, POINT screen);
// WM_SYSCOMMAND; false for commands that are not the frame's.
bool FrameSysCommand(HWND hwnd, WPARAM command, LPARAM lParam);

// FrameTrack.cpp: the modal loops. The move and size loop runs for SC_MOVE/SC_SIZE (hit gives the border
// from the mouse, 0 from the keyboard); the button loop keeps a caption button pushed while the mouse is
// over it and answers whether the button was released over it.
void TrackMoveSize(HWND hwnd, WPARAM command, POINT screen);
bool TrackCaptionButton(HWND hwnd, int hit);
// The caption button drawn pushed (HTNOWHERE: none), for the painter.
int PushedCaptionButton(HWND hwnd);

}  // namespace win32::user
