// Following the mouse over a scroll bar: arrows and page areas repeat while held, the thumb is dragged, and every
// sequence ends with SB_ENDSCROLL.
#include "user/ScrollBarState.h"
#include "user/Timers.h"
#include "user/Window.h"

namespace win32::user::scrollbar {
namespace {

// The window manager's own timer for the repeat; the caret's blink uses another id.
constexpr int RepeatTimerId = 0x5CB0;
constexpr UINT RepeatInterval = 50;

// A dragged thumb follows the mouse while it stays within this many bar thicknesses of the bar: across the bar
// far, along it less. Beyond, the thumb goes back to where the drag started.
constexpr int SnapAcross = 8;
constexpr int SnapAlong = 2;

UINT FirstRepeatDelay() {
    int delay = 1;
    SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
    return 250u * static_cast<UINT>(delay + 1);
}

class Tracker {
public:
    Tracker(HWND hwnd, int bar, bool vertical, RECT rect) : FHwnd(hwnd), FBar(bar), FVertical(vertical), FRect(rect) {
        if (bar == SB_CTL) {
            FTarget = GetParent(hwnd);
            FControl = reinterpret_cast<LPARAM>(hwnd);
        } else {
            FTarget = hwnd;
        }
        FMessage = vertical ? WM_VSCROLL : WM_HSCROLL;
    }

    void Run(POINT pt) {
        BarState* state = Find(FHwnd, FBar);
        if (!state || !BarEnabled(FHwnd, FBar, *state)) return;
        Layout layout = CurrentLayout(*state);
        FPart = PartAt(layout, pt);
        if (FPart == PartNone) return;
        if ((FPart == PartArrowTop && (state->DisabledArrows & ESB_DISABLE_LTUP)) ||
            (FPart == PartArrowBottom && (state->DisabledArrows & ESB_DISABLE_RTDN)))
            return;

        if (FBar == SB_CTL && (GetWindowLongPtrW(FHwnd, GWL_STYLE) & WS_TABSTOP)) SetFocus(FHwnd);
        SetCapture(FHwnd);
        if (FPart == PartThumb) {
            state->Tracking = true;
            state->TrackPos = FStartPos = state->Pos;
            FGrab = layout.Along(pt) - layout.ThumbStart;
        }
        SetPressed(FPart);
        if (FPart != PartThumb) {
            Send(Code(), 0);
            SetInternalTimer(RepeatTimerId, FirstRepeatDelay(), [this] { Repeat(); });
        }
        Loop();
        KillInternalTimer(RepeatTimerId);
        if (!IsWindow(FHwnd)) return;
        if (BarState* last = Find(FHwnd, FBar)) {
            bool wasTracking = last->Tracking;
            int trackPos = last->TrackPos;
            last->Tracking = false;
            if (wasTracking) Send(SB_THUMBPOSITION, trackPos);
        }
        SetPressed(PartNone);
        Send(SB_ENDSCROLL, 0);
        if (GetCapture() == FHwnd) ReleaseCapture();
    }

private:
    void Loop() {
        MSG msg;
        while (GetCapture() == FHwnd) {
            if (!GetMessageW(&msg, nullptr, 0, 0)) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // left for the application's own loop
                return;
            }
            if (msg.hwnd == FHwnd && (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP)) {
                POINT client{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
                Moved(ToBar(client));
                if (msg.message == WM_LBUTTONUP) return;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            if (!IsWindow(FHwnd)) return;
        }
    }

    // Mouse messages come in client coordinates; a window's bars are in window coordinates.
    POINT ToBar(POINT client) const {
        if (FBar == SB_CTL) return client;
        Window* window = FromHandleQuiet(FHwnd);
        POINT offset = window ? window->ClientOffset() : POINT{0, 0};
        return POINT{client.x + offset.x, client.y + offset.y};
    }

    POINT CursorInBar() const {
        POINT screen{0, 0};
        GetCursorPos(&screen);
        Window* window = FromHandleQuiet(FHwnd);
        if (!window) return screen;
        RECT origin = FBar == SB_CTL ? window->ScreenClientRect() : window->ScreenWindowRect();
        return POINT{screen.x - origin.left, screen.y - origin.top};
    }

    Layout CurrentLayout(const BarState& state) const {
        return MakeLayout(FRect, FVertical, state, BarEnabled(FHwnd, FBar, state));
    }

    void Moved(POINT pt) {
        BarState* state = Find(FHwnd, FBar);
        if (!state) return;
        if (FPart != PartThumb) {
            // Held arrows and pages show pressed only while the mouse is over them.
            SetPressed(PartAt(CurrentLayout(*state), pt) == FPart ? FPart : PartNone);
            return;
        }
        Layout layout = CurrentLayout(*state);
        int position = FStartPos;
        if (InSnapArea(pt)) position = PositionAt(layout, *state, layout.Along(pt) - FGrab);
        if (position == state->TrackPos) return;
        state->TrackPos = position;
        Redraw(FHwnd, FBar);
        Send(SB_THUMBTRACK, position);
    }

    bool InSnapArea(POINT pt) const {
        RECT area = FRect;
        int thickness = FVertical ? FRect.right - FRect.left : FRect.bottom - FRect.top;
        if (FVertical)
            InflateRect(&area, thickness * SnapAcross, thickness * SnapAlong);
        else
            InflateRect(&area, thickness * SnapAlong, thickness * SnapAcross);
        return PtInRect(&area, pt);
    }

    void Repeat() {
        SetInternalTimer(RepeatTimerId, RepeatInterval, [this] { Repeat(); });
        BarState* state = Find(FHwnd, FBar);
        if (!state || GetCapture() != FHwnd) return;
        // A page repeats until the thumb reaches the mouse: then the mouse is over the thumb, not the page.
        if (PartAt(CurrentLayout(*state), CursorInBar()) != FPart) return;
        Send(Code(), 0);
    }

    int Code() const {
        switch (FPart) {
        case PartArrowTop: return SB_LINEUP;
        case PartArrowBottom: return SB_LINEDOWN;
        case PartPageTop: return SB_PAGEUP;
        default: return SB_PAGEDOWN;
        }
    }

    void SetPressed(Part part) {
        BarState* state = Find(FHwnd, FBar);
        if (!state || state->Pressed == part) return;
        state->Pressed = part;
        Redraw(FHwnd, FBar);
    }

    void Send(int code, int position) {
        if (FTarget) SendMessageW(FTarget, FMessage, MAKEWPARAM(code, position), FControl);
    }

    HWND FHwnd;
    int FBar;
    bool FVertical;
    RECT FRect;
    HWND FTarget = nullptr;
    LPARAM FControl = 0;
    UINT FMessage = 0;
    Part FPart = PartNone;
    int FStartPos = 0;
    int FGrab = 0;  // where on the thumb the mouse took it
};

}  // namespace

void Track(HWND hwnd, int bar, POINT pt) {
    RECT rect;
    bool vertical;
    if (!Locate(hwnd, bar, rect, vertical)) return;
    Tracker(hwnd, bar, vertical, rect).Run(pt);
}

}  // namespace win32::user::scrollbar
