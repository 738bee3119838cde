// What the scroll bar files share: each bar's values, where a bar lies and how its parts divide it, drawing one
// bar, and the tracking loop.
#pragma once

#include <win32/windows.h>

namespace win32::theme {
class ClassStyle;
}

namespace win32::user::scrollbar {

enum Part { PartNone, PartArrowTop, PartPageTop, PartThumb, PartPageBottom, PartArrowBottom };

struct BarState {
    int Min = 0;
    int Max = 0;
    UINT Page = 0;
    int Pos = 0;
    UINT DisabledArrows = ESB_ENABLE_BOTH;  // ESB_DISABLE_* bits
    bool Tracking = false;                  // the thumb is being dragged: it is drawn at TrackPos
    int TrackPos = 0;
    Part Pressed = PartNone;

    // The highest position the thumb reaches: a full page ends at Max.
    int MaxPos() const;
    bool Scrollable() const { return MaxPos() > Min; }
};

// The values of a window's bar (SB_HORZ, SB_VERT) or of a scroll bar control (SB_CTL). Find gives null when the
// bar was never made (a window without the style, a window that is not a scroll bar control); Ensure makes a
// window's bar on demand (range 0 to 100, as a window created with the style has) and null only for SB_CTL on
// another kind of window.
BarState* Find(HWND hwnd, int bar);
BarState* Ensure(HWND hwnd, int bar);
void Forget(HWND hwnd);
bool IsScrollBarControl(HWND hwnd);

// A bar's division, in the coordinates its rectangle was given in.
struct Layout {
    RECT Bar{0, 0, 0, 0};
    bool Vertical = false;
    int Arrow = 0;       // the length of each arrow button
    int ThumbStart = 0;  // offset of the thumb from the bar's start; ThumbSize 0 when there is no thumb
    int ThumbSize = 0;

    int Length() const { return Vertical ? Bar.bottom - Bar.top : Bar.right - Bar.left; }
    int Along(POINT pt) const { return Vertical ? pt.y - Bar.top : pt.x - Bar.left; }
    RECT Span(int from, int to) const;  // the part of the bar between two offsets along it
};

// Where the bar lies: window coordinates for a window's bar, client coordinates for a control. False when the
// window does not show that bar.
bool Locate(HWND hwnd, int bar, RECT& rect, bool& vertical);
// The bar rectangle a window's bar would have, shown or not (window coordinates).
RECT WindowBarRect(HWND hwnd, int bar);
Layout MakeLayout(const RECT& rect, bool vertical, const BarState& state, bool enabled);
Part PartAt(const Layout& layout, POINT pt);
// The position a thumb whose start is at offset along the bar stands for.
int PositionAt(const Layout& layout, const BarState& state, int thumbStart);
// Whether the bar takes input and draws its arrows and thumb: a control follows its window's enabled state.
bool BarEnabled(HWND hwnd, int bar, const BarState& state);

// The bar in the look of this paint: the visual style's ScrollBar class when active, classic otherwise.
void Draw(HWND hwnd, int bar, HDC hdc, const Layout& layout, const BarState& state);
// The class a bar draws with at this paint, or null for classic.
const theme::ClassStyle* BarStyle(HWND hwnd, int bar);
// Draws the bar now, through a window DC (window's bars) or a client DC (control), when it is shown.
void Redraw(HWND hwnd, int bar);

// Captures the mouse and follows it from a button press at pt (the bar's coordinates, as Locate gives them)
// until the button is released.
void Track(HWND hwnd, int bar, POINT pt);

}  // namespace win32::user::scrollbar

namespace win32::user::scrollbar {
// Registers the "SCROLLBAR" class as a global class of the whole process (done once, before any window).
bool RegisterScrollBarClass();
}  // namespace win32::user::scrollbar
