// Keyboard focus, activation, the foreground window, mouse capture and the cursor position, with Windows'
// messages in Windows' order: the old window hears first (WM_NCACTIVATE before WM_ACTIVATE, WM_KILLFOCUS before
// WM_SETFOCUS), and a handler that moves focus or activation elsewhere wins.
#include "user/Focus.h"

#include "kernel/LastError.h"
#include "user/Hooks.h"
#include "user/Queue.h"
#include "user/Window.h"

#include <algorithm>
#include <vector>

using win32::Fail;

using namespace win32::user;

namespace {

bool Alive(HWND hwnd) { return hwnd && FromHandleQuiet(hwnd); }

void SendActivateApp(bool active) {
    // Hidden windows hear it too: it is about the application, not the window.
    std::vector<HWND> topLevels;
    for (Window* top : Desktop().Children) topLevels.push_back(top->Handle);
    for (HWND top : topLevels)
        if (Alive(top)) SendMessageW(top, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

HWND ChangeFocus(HWND hwnd) {
    UserState& state = State();
    HWND previous = state.Focus;
    if (previous == hwnd) return previous;
    state.Focus = hwnd;
    if (Alive(previous)) SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    // A WM_KILLFOCUS handler may have put the focus somewhere else already.
    if (state.Focus != hwnd) return previous;
    if (Alive(hwnd)) SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(Alive(previous) ? previous : nullptr), 0);
    return previous;
}

HWND RootOf(Window* window) {
    while (window && window->Child() && window->Parent && window->Parent != &Desktop()) window = window->Parent;
    return window ? window->Handle : nullptr;
}

bool FocusInside(HWND focus, HWND top) {
    Window* window = FromHandleQuiet(focus);
    return window && RootOf(window) == top;
}

// An activated top-level window comes to the top of its band (with the windows it owns) unless nothing but
// windows it owns or topmost windows above a non-topmost one are shown over it already.
void RaiseForActivation(HWND hwnd) {
    Window* window = FromHandleQuiet(hwnd);
    if (!window || !window->TopLevel()) return;
    bool topmost = (window->ExStyle & WS_EX_TOPMOST) != 0;
    for (Window* above : Desktop().Children) {
        if (above == window) return;
        bool owned = false;
        for (Window* owner = above->Owner; owner && !owned; owner = owner->Owner) owned = owner == window;
        bool band = !topmost && (above->ExStyle & WS_EX_TOPMOST);
        if (above->Visible() && !owned && !band) break;
    }
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool ChangeActive(HWND hwnd, bool mouse, HWND* previousOut) {
    UserState& state = State();
    HWND previous = state.Active;
    if (previousOut) *previousOut = previous;
    if (previous == hwnd) return true;
    if (hwnd) {
        CBTACTIVATESTRUCT cbt{mouse ? TRUE : FALSE, Alive(previous) ? previous : nullptr};
        if (CbtVetoes(HCBT_ACTIVATE, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&cbt))) return false;
        if (!Alive(hwnd)) return false;
        previous = state.Active;
        if (previousOut) *previousOut = previous;
        if (previous == hwnd) return true;
    }
    if (Alive(previous)) {
        SendMessageW(previous, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(hwnd));
        SendMessageW(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(previous) ? 1 : 0),
                     reinterpret_cast<LPARAM>(hwnd));
    }
    state.Active = hwnd;
    state.Foreground = hwnd;
    RaiseForActivation(hwnd);
    if (!previous && hwnd) SendActivateApp(true);
    if (previous && !hwnd) SendActivateApp(false);
    if (Alive(hwnd)) {
        HWND shownPrevious = Alive(previous) ? previous : nullptr;
        SendMessageW(hwnd, WM_NCACTIVATE, state.Foreground == hwnd ? TRUE : FALSE,
                     reinterpret_cast<LPARAM>(shownPrevious));
        SendMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(mouse ? WA_CLICKACTIVE : WA_ACTIVE, IsIconic(hwnd) ? 1 : 0),
                     reinterpret_cast<LPARAM>(shownPrevious));
    }
    // DefWindowProc(WM_ACTIVATE) usually gave the window the focus; a window that answered WM_ACTIVATE itself still
    // takes it unless the focus is already inside it. Nothing changes if a handler activated another window.
    if (state.Active == hwnd) {
        if (!hwnd) {
            ChangeFocus(nullptr);
        } else if (Alive(hwnd) && !FocusInside(state.Focus, hwnd)) {
            ChangeFocus(hwnd);
        }
    }
    return state.Active == hwnd;
}

}  // namespace

namespace win32::user {

bool ActivateByMouse(HWND topLevel) {
    Window* window = FromHandleQuiet(topLevel);
    if (!window || (window->ExStyle & WS_EX_NOACTIVATE)) return false;
    return ChangeActive(topLevel, true, nullptr);
}

}  // namespace win32::user

HWND GetFocus(void) { return Alive(State().Focus) ? State().Focus : nullptr; }

HWND SetFocus(HWND hWnd) {
    if (hWnd) {
        Window* window = FromHandle(hWnd);
        if (!window) return nullptr;
        // A minimized or disabled window, or one inside such a window, cannot take the focus.
        Window* top = window;
        for (;;) {
            if (top->Style & (WS_MINIMIZE | WS_DISABLED)) return nullptr;
            if (!top->Child()) break;
            if (!top->Parent || top->Parent == &Desktop()) return nullptr;
            top = top->Parent;
        }
        HWND topHandle = top->Handle;
        HWND previous = GetFocus();
        if (hWnd == previous) return previous;
        if (CbtVetoes(HCBT_SETFOCUS, reinterpret_cast<WPARAM>(hWnd), reinterpret_cast<LPARAM>(previous)))
            return nullptr;
        if (!Alive(hWnd)) return nullptr;
        if (topHandle != State().Active) {
            if (!ChangeActive(topHandle, false, nullptr)) return nullptr;
            if (!Alive(hWnd) || State().Active != topHandle) return nullptr;
        }
    } else if (HWND previous = GetFocus()) {
        if (CbtVetoes(HCBT_SETFOCUS, 0, reinterpret_cast<LPARAM>(previous))) return nullptr;
    }
    return ChangeFocus(hWnd);
}

HWND GetActiveWindow(void) { return Alive(State().Active) ? State().Active : nullptr; }

HWND SetActiveWindow(HWND hWnd) {
    if (hWnd) {
        Window* window = FromHandle(hWnd);
        if (!window) return nullptr;
        // Windows answers a plain child window with the active window and changes nothing.
        if ((window->Style & (WS_POPUP | WS_CHILD)) == WS_CHILD) return GetActiveWindow();
    }
    HWND previous = nullptr;
    if (!ChangeActive(hWnd, false, &previous)) return nullptr;
    return Alive(previous) ? previous : nullptr;
}

HWND GetForegroundWindow(void) { return Alive(State().Foreground) ? State().Foreground : nullptr; }

BOOL SetForegroundWindow(HWND hWnd) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    HWND top = RootOf(window);
    return ChangeActive(top, false, nullptr) ? TRUE : FALSE;
}

HWND GetCapture(void) { return Alive(State().Capture) ? State().Capture : nullptr; }

HWND SetCapture(HWND hWnd) {
    if (hWnd && !FromHandle(hWnd)) return nullptr;
    UserState& state = State();
    HWND previous = Alive(state.Capture) ? state.Capture : nullptr;
    state.Capture = hWnd;
    if (previous) SendMessageW(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    return previous;
}

BOOL ReleaseCapture(void) {
    UserState& state = State();
    HWND previous = Alive(state.Capture) ? state.Capture : nullptr;
    state.Capture = nullptr;
    if (previous) {
        SendMessageW(previous, WM_CAPTURECHANGED, 0, 0);
        // The window under the pointer has not heard of it while the capture lasted.
        backend::InputEvent move;
        move.kind = backend::InputEvent::Kind::MouseMove;
        move.screen = state.CursorPos;
        MessageQueue::Instance().AddInput(move);
    }
    return TRUE;
}

BOOL GetCursorPos(LPPOINT lpPoint) {
    if (!lpPoint) return Fail(FALSE, ERROR_INVALID_PARAMETER);
    MessageQueue::Instance().PullInput();
    // The desktop knows where the pointer is when it is over no window of ours.
    if (!backend::CurrentDriver().CursorPosition(*lpPoint)) *lpPoint = State().CursorPos;
    return TRUE;
}

BOOL SetCursorPos(int X, int Y) {
    SIZE screen = backend::CurrentDriver().ScreenSize();
    backend::InputEvent move;
    move.kind = backend::InputEvent::Kind::MouseMove;
    move.screen = POINT{std::clamp(X, 0, std::max(0, static_cast<int>(screen.cx) - 1)),
                        std::clamp(Y, 0, std::max(0, static_cast<int>(screen.cy) - 1))};
    MessageQueue::Instance().PullInput();
    MessageQueue::Instance().AddInput(move);
    return TRUE;
}
