// Driver input turned into window messages when it is read from the queue: hit testing, capture, double clicks,
// mouse activation, WM_SETCURSOR, the keyboard's messages and key state.
#pragma once

#include "user/Queue.h"

namespace win32::user {

// The generic key a left/right key stands for in messages (and in key state, beside the sided one).
UINT GenericKey(UINT vk);

// A raw event as the application will see it.
struct RoutedInput {
    MSG Msg{};
    int Hit = HTCLIENT;
    UINT RawMessage = 0;  // the client mouse message behind an NC or double-click message (WM_SETCURSOR's)
    bool Mouse = false;
    bool DoubleClick = false;
    bool Discard = false;  // a click on a disabled window: only WM_SETCURSOR with HTERROR comes of it
};

class InputRouter {
public:
    static InputRouter& Instance();

    // Where the event goes now, sending WM_NCHITTEST as needed. False when no window of ours takes it, and for
    // the desktop's window events, which are handled (and taken from the queue) right here.
    bool Route(const RawInput& raw, RoutedInput& routed);
    // The event leaves the queue: key state, double-click memory, WM_PARENTNOTIFY, WM_MOUSEACTIVATE with
    // activation and WM_SETCURSOR. False when the message is eaten and must not be returned.
    bool Accept(const RawInput& raw, const RoutedInput& routed);

    // The window under a screen point and its hit-test code (HTERROR for a disabled top-level window).
    static HWND HitTest(POINT screen, int& hit);

private:
    struct Click {
        UINT Message = 0;
        HWND Window = nullptr;
        DWORD Time = 0;
        POINT Point{0, 0};
    };
    bool RouteMouse(const RawInput& raw, RoutedInput& routed);
    bool RouteKey(const RawInput& raw, RoutedInput& routed);

    Click FLastClick;
};

// Key state as the hardware has it (GetAsyncKeyState), updated as events are taken from the driver.
void NoteAsyncInput(const backend::InputEvent& event);

}  // namespace win32::user
