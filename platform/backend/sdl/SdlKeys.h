// Keys as the window manager knows them: SDL key events turned into Windows virtual keys and set-1 scan codes,
// and the character the window manager's own TranslateMessage makes of a key.
#pragma once

#include <SDL.h>
#include <win32/windef.h>

namespace backend::sdl {

struct VirtualKey {
    UINT vk = 0;        // 0: a key Windows has no virtual key for
    UINT scanCode = 0;  // set-1 make code
    bool extended = false;
};

// Letters, digits and punctuation follow the keyboard layout (the key's symbol); other keys their position.
// Keypad keys give digits with Num Lock on and the navigation keys with it off, as on Windows.
VirtualKey VirtualKeyFor(const SDL_Keysym& key);

// The character TranslateMessage makes of vk with no Ctrl or Alt held (US layout), or 0.
char16_t TranslatedCharacter(UINT vk, bool shift, bool capsLock);

}  // namespace backend::sdl
