// Mouse and keyboard messages from driver events, decided when the event is read: hit testing with WM_NCHITTEST,
// capture, double clicks, mouse activation, WM_SETCURSOR and key state; the desktop's own window events (minimize,
// restore, close, focus) become system commands and activation changes.
#include "user/Input.h"

#include "user/Focus.h"
#include "user/MouseTracking.h"
#include "user/Painting.h"
#include "user/Window.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace win32::user {
namespace {

using Kind = backend::InputEvent::Kind;

BYTE asyncKeys[256];

bool Down(const BYTE* keys, int vk) { return (keys[vk] & 0x80) != 0; }

int ButtonKey(int button) {
    static const int keys[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    return (button >= 0 && button < 3) ? keys[button] : 0;
}

UINT ButtonMessage(int button, bool down) {
    static const UINT downs[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    return down ? downs[button] : downs[button] + 1;
}

void SetKey(BYTE* keys, UINT vk, bool down) {
    vk &= 0xFF;
    if (down) {
        // The low bit toggles with every press, as caps lock's does.
        if (!(keys[vk] & 0x80)) keys[vk] ^= 0x01;
        keys[vk] |= 0x80;
    } else {
        keys[vk] &= static_cast<BYTE>(~0x80);
    }
}

void SetKeyBoth(BYTE* keys, UINT vk, bool down) {
    UINT generic = GenericKey(vk);
    SetKey(keys, vk, down);
    if (generic != vk) {
        // The generic key stays down while either side is.
        bool other = false;
        if (generic == VK_SHIFT) other = Down(keys, VK_LSHIFT) || Down(keys, VK_RSHIFT);
        if (generic == VK_CONTROL) other = Down(keys, VK_LCONTROL) || Down(keys, VK_RCONTROL);
        if (generic == VK_MENU) other = Down(keys, VK_LMENU) || Down(keys, VK_RMENU);
        SetKey(keys, generic, down || other);
    }
}

WPARAM MouseKeyFlags(const BYTE* keys) {
    WPARAM flags = 0;
    if (Down(keys, VK_LBUTTON)) flags |= MK_LBUTTON;
    if (Down(keys, VK_RBUTTON)) flags |= MK_RBUTTON;
    if (Down(keys, VK_MBUTTON)) flags |= MK_MBUTTON;
    if (Down(keys, VK_SHIFT)) flags |= MK_SHIFT;
    if (Down(keys, VK_CONTROL)) flags |= MK_CONTROL;
    return flags;
}

LPARAM PointParam(POINT point) { return MAKELPARAM(point.x, point.y); }

bool ContainsPoint(const Window& window, POINT screen) {
    if (!window.Visible()) return false;
    RECT rect = window.ScreenWindowRect();
    if (!PtInRect(&rect, screen)) return false;
    if (window.WindowRegion) return window.WindowRegion->Contains(screen.x - rect.left, screen.y - rect.top);
    return true;
}

// The windows under the point inside one window, deepest first, then the window itself: the order in which
// WM_NCHITTEST is asked until someone answers other than HTTRANSPARENT. Disabled children are passed over, so
// their parent takes their clicks.
void Candidates(Window& window, POINT screen, std::vector<HWND>& out) {
    RECT client = window.ScreenClientRect();
    if (!(window.Style & WS_MINIMIZE) && PtInRect(&client, screen)) {
        for (Window* child : window.Children)
            if (!(child->Style & WS_DISABLED) && ContainsPoint(*child, screen)) Candidates(*child, screen, out);
    }
    out.push_back(window.Handle);
}

HWND RootOf(HWND hwnd) {
    Window* window = FromHandleQuiet(hwnd);
    while (window && window->Parent && window->Parent != &Desktop() && window->Child()) window = window->Parent;
    return window ? window->Handle : nullptr;
}

void SendParentNotify(HWND hwnd, UINT rawMessage, POINT screen) {
    for (Window* window = FromHandleQuiet(hwnd);
         window && window->Child() && !(window->ExStyle & WS_EX_NOPARENTNOTIFY);) {
        Window* parent = window->Parent;
        if (!parent || parent == &Desktop()) break;
        HWND parentHandle = parent->Handle;
        RECT client = parent->ScreenClientRect();
        POINT local{screen.x - client.left, screen.y - client.top};
        SendMessageW(parentHandle, WM_PARENTNOTIFY, MAKEWPARAM(rawMessage, 0), PointParam(local));
        window = FromHandleQuiet(parentHandle);
    }
}

bool IsDesktopWindowEvent(Kind kind) {
    return kind == Kind::WindowMinimized || kind == Kind::WindowRestored || kind == Kind::WindowCloseRequested ||
           kind == Kind::WindowFocusLost || kind == Kind::WindowFocusGained || kind == Kind::DisplayChanged;
}

// The screen changed mode: the desktop window takes the new size and every top-level window hears of it.
void DisplayChanged(const backend::InputEvent& event) {
    Window& desktop = Desktop();
    desktop.WindowRect = desktop.ClientRect = desktop.NormalRect = RECT{0, 0, event.screen.x, event.screen.y};
    ForgetVisibleRegions(desktop);
    std::vector<HWND> topLevels;
    for (Window* top : desktop.Children) topLevels.push_back(top->Handle);
    for (HWND top : topLevels)
        if (FromHandleQuiet(top))
            SendMessageW(top, WM_DISPLAYCHANGE, static_cast<WPARAM>(event.bitsPerPixel),
                         MAKELPARAM(event.screen.x, event.screen.y));
}

// The window that takes the activation when the desktop focuses a top-level window: a window disabled by a modal
// one it owns hands it on to that one, as clicking a disabled owner on Windows brings up its box.
HWND ActivationTarget(HWND top) {
    Window* window = FromHandleQuiet(top);
    if (!window || !(window->Style & WS_DISABLED)) return top;
    for (Window* other : Desktop().Children)
        if (other->Owner == window && other->Visible() && !(other->Style & WS_DISABLED)) return other->Handle;
    return nullptr;
}

// What Windows does when the user acts on a window through the shell: the system commands of the title bar and
// taskbar, and the application losing or getting the foreground.
void HandleDesktopEvent(const backend::InputEvent& event) {
    if (event.kind == Kind::DisplayChanged) return DisplayChanged(event);
    HWND top = RootOf(event.window);
    if (!top) return;
    switch (event.kind) {
    case Kind::WindowMinimized:
        if (!IsIconic(top)) SendMessageW(top, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    case Kind::WindowRestored:
        if (IsIconic(top)) SendMessageW(top, WM_SYSCOMMAND, SC_RESTORE, 0);
        break;
    case Kind::WindowCloseRequested: SendMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case Kind::WindowFocusLost:
        // Another program took the foreground; a window the platform has already deactivated has nothing to lose.
        if (GetActiveWindow() != top) break;
        // What the window was doing with the mouse ends: a popup menu's or a drag's loop sees its capture go.
        if (HWND capture = GetCapture()) {
            SendMessageW(capture, WM_CANCELMODE, 0, 0);
            if (GetCapture()) ReleaseCapture();
        } else {
            SendMessageW(top, WM_CANCELMODE, 0, 0);
        }
        if (GetActiveWindow() == top) SetActiveWindow(nullptr);
        break;
    case Kind::WindowFocusGained:
        if (HWND target = ActivationTarget(top); target && GetActiveWindow() != target && IsWindowVisible(target)) {
            // The desktop raised the window it focused; a modal window that takes the activation from its disabled
            // owner comes up above it.
            if (target != top) BringWindowToTop(target);
            SetForegroundWindow(target);
        }
        break;
    default: break;
    }
}

}  // namespace

UINT GenericKey(UINT vk) {
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return vk;
    }
}

void NoteAsyncInput(const backend::InputEvent& event) {
    switch (event.kind) {
    case Kind::ButtonDown:
    case Kind::ButtonUp:
        if (int vk = ButtonKey(event.button)) SetKey(asyncKeys, vk, event.kind == Kind::ButtonDown);
        break;
    case Kind::KeyDown:
    case Kind::KeyUp: SetKeyBoth(asyncKeys, event.vk, event.kind == Kind::KeyDown); break;
    default: break;
    }
}

InputRouter& InputRouter::Instance() {
    static InputRouter router;
    return router;
}

HWND InputRouter::HitTest(POINT screen, int& hit) {
    std::vector<HWND> topLevels;
    for (Window* top : Desktop().Children) topLevels.push_back(top->Handle);
    for (HWND topHandle : topLevels) {
        Window* top = FromHandleQuiet(topHandle);
        if (!top || !ContainsPoint(*top, screen)) continue;
        if (top->Style & WS_DISABLED) {
            hit = HTERROR;
            return topHandle;
        }
        std::vector<HWND> candidates;
        Candidates(*top, screen, candidates);
        for (HWND candidate : candidates) {
            if (!FromHandleQuiet(candidate)) continue;
            auto answer = static_cast<int>(SendMessageW(candidate, WM_NCHITTEST, 0, PointParam(screen)));
            if (answer != HTTRANSPARENT) {
                hit = answer;
                return FromHandleQuiet(candidate) ? candidate : nullptr;
            }
        }
    }
    hit = HTNOWHERE;
    return nullptr;
}

bool InputRouter::Route(const RawInput& raw, RoutedInput& routed) {
    routed = RoutedInput();
    routed.Msg.time = raw.Time;
    routed.Msg.pt = State().CursorPos;
    if (IsDesktopWindowEvent(raw.Event.kind)) {
        // Handled here and never returned as a message. It leaves the queue first: a handler's own message loop
        // (a "save changes?" box on SC_CLOSE) reads the queue again and must not meet it twice.
        backend::InputEvent event = raw.Event;
        auto& input = MessageQueue::Instance().Input();
        for (auto it = input.begin(); it != input.end(); ++it)
            if (it->Serial == raw.Serial) {
                input.erase(it);
                break;
            }
        HandleDesktopEvent(event);
        return false;
    }
    if (raw.Event.kind == Kind::KeyDown || raw.Event.kind == Kind::KeyUp || raw.Event.kind == Kind::Text)
        return RouteKey(raw, routed);
    return RouteMouse(raw, routed);
}

bool InputRouter::RouteMouse(const RawInput& raw, RoutedInput& routed) {
    const backend::InputEvent& event = raw.Event;
    POINT screen = event.screen;
    routed.Mouse = true;
    routed.Msg.pt = screen;

    // Key flags as they are once this event has happened.
    BYTE keys[256];
    std::memcpy(keys, State().KeyState, sizeof(keys));
    UINT rawMessage = WM_MOUSEMOVE;
    if (event.kind == Kind::ButtonDown || event.kind == Kind::ButtonUp) {
        int vk = ButtonKey(event.button);
        if (!vk) return false;
        bool down = event.kind == Kind::ButtonDown;
        SetKey(keys, vk, down);
        rawMessage = ButtonMessage(event.button, down);
    }
    WPARAM keyFlags = MouseKeyFlags(keys);
    routed.RawMessage = rawMessage;

    if (event.kind == Kind::Wheel) {
        // The wheel turns whatever has the keyboard.
        HWND target = State().Focus ? State().Focus : State().Active;
        if (!target || !FromHandleQuiet(target)) return false;
        routed.RawMessage = WM_MOUSEWHEEL;
        routed.Msg.hwnd = target;
        routed.Msg.message = WM_MOUSEWHEEL;
        routed.Msg.wParam = MAKEWPARAM(keyFlags, event.wheelDelta);
        routed.Msg.lParam = PointParam(screen);
        return true;
    }

    HWND target = nullptr;
    int hit = HTCLIENT;
    if (State().Capture && FromHandleQuiet(State().Capture)) {
        target = State().Capture;
        // Pointer tracking asks where the pointer really is; the capture window's own rectangles tell, without
        // hit-test messages the window would not otherwise get.
        Window* captured = FromHandleQuiet(target);
        RECT client = captured->ScreenClientRect();
        bool inside = ContainsPoint(*captured, screen);
        PointerPlaced(inside ? target : nullptr,
                      !inside                     ? HTNOWHERE
                      : PtInRect(&client, screen) ? HTCLIENT
                                                  : HTBORDER,
                      screen);
    } else {
        target = HitTest(screen, hit);
        PointerPlaced(target, hit, screen);
    }
    Window* window = FromHandleQuiet(target);
    if (!window) return false;
    routed.Hit = hit;
    routed.Msg.hwnd = target;
    if (hit == HTERROR) {
        routed.Discard = true;
        routed.Msg.message = rawMessage;
        return true;
    }

    UINT message = rawMessage;
    bool isDown = rawMessage == WM_LBUTTONDOWN || rawMessage == WM_RBUTTONDOWN || rawMessage == WM_MBUTTONDOWN;
    if (isDown && (hit != HTCLIENT || (window->Class && (window->Class->Style & CS_DBLCLKS)))) {
        const Click& last = FLastClick;
        if (last.Message == rawMessage && last.Window == target && raw.Time - last.Time < GetDoubleClickTime() &&
            std::abs(screen.x - last.Point.x) < GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
            std::abs(screen.y - last.Point.y) < GetSystemMetrics(SM_CYDOUBLECLK) / 2) {
            message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
            routed.DoubleClick = true;
        }
    }
    if (hit == HTCLIENT) {
        RECT client = window->ScreenClientRect();
        routed.Msg.message = message;
        routed.Msg.wParam = keyFlags;
        routed.Msg.lParam = PointParam(POINT{screen.x - client.left, screen.y - client.top});
    } else {
        routed.Msg.message = message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        routed.Msg.wParam = static_cast<WPARAM>(hit);
        routed.Msg.lParam = PointParam(screen);
    }
    return true;
}

bool InputRouter::RouteKey(const RawInput& raw, RoutedInput& routed) {
    const backend::InputEvent& event = raw.Event;
    UserState& state = State();
    if (event.kind == Kind::Text) {
        if (!state.Focus || !FromHandleQuiet(state.Focus) || event.text.empty()) return false;
        routed.Msg.hwnd = state.Focus;
        routed.Msg.message = WM_CHAR;
        routed.Msg.wParam = event.text[0];
        routed.Msg.lParam = 1;
        return true;
    }
    bool down = event.kind == Kind::KeyDown;
    UINT vk = GenericKey(event.vk) & 0xFF;
    if (!vk) return false;
    bool wasDown = Down(state.KeyState, static_cast<int>(vk));
    // Alt counts as held for its own press and release; Ctrl+Alt (AltGr) types characters, not system keys.
    bool altDown = Down(state.KeyState, VK_MENU) || vk == VK_MENU;
    bool ctrlDown = Down(state.KeyState, VK_CONTROL) || (down && vk == VK_CONTROL);
    bool system = (altDown && !ctrlDown) || vk == VK_F10;
    HWND target = state.Focus && FromHandleQuiet(state.Focus) ? state.Focus : nullptr;
    if (!target) {
        // Without a focus window the active window gets system keys.
        target = state.Active && FromHandleQuiet(state.Active) ? state.Active : nullptr;
        if (!target) return false;
        system = true;
    }
    bool extended = event.extended || event.vk == VK_RCONTROL || event.vk == VK_RMENU;
    LPARAM lParam = 1 | (static_cast<LPARAM>(event.scanCode & 0xFF) << 16) | (extended ? (1 << 24) : 0) |
                    (altDown && !ctrlDown ? (1 << 29) : 0);
    if (down) {
        if (wasDown || event.repeat) lParam |= 1 << 30;
    } else {
        lParam |= (1 << 30) | (static_cast<LPARAM>(1) << 31);
    }
    routed.Msg.hwnd = target;
    routed.Msg.message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    routed.Msg.wParam = vk;
    routed.Msg.lParam = static_cast<LPARAM>(static_cast<DWORD>(lParam));
    return true;
}

bool InputRouter::Accept(const RawInput& raw, const RoutedInput& routed) {
    const backend::InputEvent& event = raw.Event;
    UserState& state = State();
    if (!routed.Mouse) {
        if (event.kind == Kind::KeyDown || event.kind == Kind::KeyUp)
            SetKeyBoth(state.KeyState, event.vk, event.kind == Kind::KeyDown);
        return true;
    }
    if (event.kind == Kind::ButtonDown || event.kind == Kind::ButtonUp)
        SetKey(state.KeyState, ButtonKey(event.button), event.kind == Kind::ButtonDown);
    if (event.kind == Kind::Wheel) return true;

    HWND hwnd = routed.Msg.hwnd;
    LPARAM cursorParam = MAKELPARAM(routed.Hit, routed.RawMessage);
    if (routed.Discard) {
        SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), cursorParam);
        return false;
    }
    bool eat = false;
    if (event.kind == Kind::ButtonDown) {
        if (routed.DoubleClick) {
            // A third click starts a new pair.
            FLastClick = Click();
        } else {
            FLastClick = Click{routed.RawMessage, hwnd, raw.Time, routed.Msg.pt};
        }
        SendParentNotify(hwnd, routed.RawMessage, routed.Msg.pt);
        HWND top = RootOf(hwnd);
        if (top && top != state.Active && FromHandleQuiet(hwnd)) {
            LRESULT answer = SendMessageW(hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top), cursorParam);
            switch (answer) {
            case MA_NOACTIVATEANDEAT: eat = true; break;
            case MA_NOACTIVATE: break;
            case MA_ACTIVATEANDEAT:
                eat = true;
                ActivateByMouse(top);
                break;
            default:
                if (!ActivateByMouse(top)) eat = true;
                break;
            }
        }
    }
    if (!state.Capture && FromHandleQuiet(hwnd))
        SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), cursorParam);
    return !eat && FromHandleQuiet(hwnd);
}

}  // namespace win32::user

using namespace win32::user;

SHORT GetKeyState(int nVirtKey) {
    BYTE value = State().KeyState[nVirtKey & 0xFF];
    SHORT result = static_cast<SHORT>(value & 0x01);
    if (value & 0x80) result = static_cast<SHORT>(result | 0xFF80);
    return result;
}

SHORT GetAsyncKeyState(int vKey) {
    if (vKey < 0 || vKey > 0xFF) return 0;
    return static_cast<SHORT>((asyncKeys[vKey] & 0x80) ? 0x8000 : 0);
}

BOOL GetKeyboardState(PBYTE lpKeyState) {
    if (!lpKeyState) {
        constexpr DWORD errorNoAccess = 998;  // ERROR_NOACCESS: Windows faults on the bad buffer
        SetLastError(errorNoAccess);
        return FALSE;
    }
    std::memcpy(lpKeyState, State().KeyState, 256);
    return TRUE;
}
