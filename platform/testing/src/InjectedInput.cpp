// Injected input: pointer moves, button and key presses and typed text, queued in the headless driver.
#include "Headless.h"

#include <testing/Testing.h>

#include <bitset>

namespace wintest {
namespace {

using backend::InputEvent;

POINT& Pointer() {
    static POINT pointer{0, 0};
    return pointer;
}

std::bitset<256>& KeysDown() {
    static std::bitset<256> keys;
    return keys;
}

struct ScanCode {
    UINT Code;
    bool Extended;
};

// The scan codes of a standard 101-key keyboard (set 1), which a real keyboard sends with the virtual key.
ScanCode ScanCodeOf(UINT vk) {
    static const char letters[] =
        "\x1E\x30\x2E\x20\x12\x21\x22\x23\x17\x24\x25\x26\x32"
        "\x31\x18\x19\x10\x13\x1F\x14\x16\x2F\x11\x2D\x15\x2C";
    if (vk >= 'A' && vk <= 'Z') return {static_cast<UINT>(letters[vk - 'A']), false};
    if (vk >= '1' && vk <= '9') return {vk - '1' + 0x02, false};
    if (vk >= VK_F1 && vk <= VK_F10) return {vk - VK_F1 + 0x3B, false};
    switch (vk) {
    case '0': return {0x0B, false};
    case VK_ESCAPE: return {0x01, false};
    case VK_BACK: return {0x0E, false};
    case VK_TAB: return {0x0F, false};
    case VK_RETURN: return {0x1C, false};
    case VK_SPACE: return {0x39, false};
    case VK_CAPITAL: return {0x3A, false};
    case VK_SHIFT:
    case VK_LSHIFT: return {0x2A, false};
    case VK_RSHIFT: return {0x36, false};
    case VK_CONTROL:
    case VK_LCONTROL: return {0x1D, false};
    case VK_RCONTROL: return {0x1D, true};
    case VK_MENU:
    case VK_LMENU: return {0x38, false};
    case VK_RMENU: return {0x38, true};
    case VK_F11: return {0x57, false};
    case VK_F12: return {0x58, false};
    case VK_HOME: return {0x47, true};
    case VK_UP: return {0x48, true};
    case VK_PRIOR: return {0x49, true};
    case VK_LEFT: return {0x4B, true};
    case VK_RIGHT: return {0x4D, true};
    case VK_END: return {0x4F, true};
    case VK_DOWN: return {0x50, true};
    case VK_NEXT: return {0x51, true};
    case VK_INSERT: return {0x52, true};
    case VK_DELETE: return {0x53, true};
    case VK_APPS: return {0x5D, true};
    case 0xBA: return {0x27, false};  // VK_OEM_1 ;:
    case 0xBB: return {0x0D, false};  // VK_OEM_PLUS =+
    case 0xBC: return {0x33, false};  // VK_OEM_COMMA
    case 0xBD: return {0x0C, false};  // VK_OEM_MINUS
    case 0xBE: return {0x34, false};  // VK_OEM_PERIOD
    case 0xBF: return {0x35, false};  // VK_OEM_2 /?
    case 0xC0: return {0x29, false};  // VK_OEM_3 `~
    case 0xDB: return {0x1A, false};  // VK_OEM_4 [{
    case 0xDC: return {0x2B, false};  // VK_OEM_5 \|
    case 0xDD: return {0x1B, false};  // VK_OEM_6 ]}
    case 0xDE: return {0x28, false};  // VK_OEM_7 '"
    default: return {0, false};
    }
}

void PushMouse(InputEvent::Kind kind, int button) {
    InputEvent event;
    event.kind = kind;
    event.screen = Pointer();
    event.button = button;
    Headless().PushEvent(event);
}

void PushKey(InputEvent::Kind kind, UINT vk, bool repeat) {
    InputEvent event;
    event.kind = kind;
    event.vk = vk;
    ScanCode scan = ScanCodeOf(vk);
    event.scanCode = scan.Code;
    event.extended = scan.Extended;
    event.repeat = repeat;
    Headless().PushEvent(event);
}

}  // namespace

void MouseMove(int x, int y) {
    Pointer() = {x, y};
    PushMouse(InputEvent::Kind::MouseMove, 0);
}

void MouseDown(int button) { PushMouse(InputEvent::Kind::ButtonDown, button); }

void MouseUp(int button) { PushMouse(InputEvent::Kind::ButtonUp, button); }

void MouseClick(int x, int y, int button) {
    MouseMove(x, y);
    MouseDown(button);
    MouseUp(button);
}

void MouseDoubleClick(int x, int y, int button) {
    MouseClick(x, y, button);
    MouseDown(button);
    MouseUp(button);
}

void Wheel(int delta) {
    InputEvent event;
    event.kind = InputEvent::Kind::Wheel;
    event.screen = Pointer();
    event.wheelDelta = delta;
    Headless().PushEvent(event);
}

POINT MousePosition() { return Pointer(); }

void KeyDown(UINT vk) {
    vk &= 0xFF;
    bool repeat = KeysDown().test(vk);
    KeysDown().set(vk);
    PushKey(InputEvent::Kind::KeyDown, vk, repeat);
}

void KeyUp(UINT vk) {
    vk &= 0xFF;
    KeysDown().reset(vk);
    PushKey(InputEvent::Kind::KeyUp, vk, false);
}

void KeyPress(UINT vk, unsigned modifiers) {
    static const struct {
        Modifier Flag;
        UINT Vk;
    } order[] = {{Control, VK_CONTROL}, {Alt, VK_MENU}, {Shift, VK_SHIFT}};
    for (const auto& modifier : order)
        if (modifiers & modifier.Flag) KeyDown(modifier.Vk);
    KeyDown(vk);
    KeyUp(vk);
    for (auto it = std::rbegin(order); it != std::rend(order); ++it)
        if (modifiers & it->Flag) KeyUp(it->Vk);
}

void TypeText(const std::u16string& text) {
    if (text.empty()) return;
    InputEvent event;
    event.kind = InputEvent::Kind::Text;
    event.text = text;
    Headless().PushEvent(event);
}

void ResetInput() {
    Headless().ClearEvents();
    KeysDown().reset();
}

}  // namespace wintest
