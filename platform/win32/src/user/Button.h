// The "BUTTON" control class: push buttons, check boxes, radio buttons and group boxes, and the one painter that
// draws every kind of them in the classic look.
#pragma once

#include <win32/windows.h>

namespace win32::user::button {

// The window extra bytes of a button: its state (BST_ bits and the press tracking below) and its font.
constexpr int StateOffset = 0;
constexpr int FontOffset = sizeof(LONG_PTR);
constexpr int ExtraBytes = 2 * sizeof(LONG_PTR);

// Press tracking beside the BST_ bits: the mouse went down on the button and holds the capture, or Space went
// down on it. BST_PUSHED is what the painter shows.
constexpr LONG_PTR MouseDown = 0x100;
constexpr LONG_PTR SpaceDown = 0x200;

// Registers "Button" as a global class of the process.
bool RegisterButtonClass();

// Draws the button into hdc as its style, state, text, font and enabled state say.
void Paint(HWND hwnd, HDC hdc);

}  // namespace win32::user::button
