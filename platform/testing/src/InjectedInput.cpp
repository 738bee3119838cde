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
    // The scan code a standard keyboard sends with the key; extended keys come with the E0 prefix.
    UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC_EX);
    event.scanCode = scan & 0xFF;
    event.extended = (scan & 0xFF00) == 0xE000;
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
