// SDL scancodes and key symbols to Windows virtual keys and set-1 scan codes.
#include "SdlKeys.h"

#include <win32/winuser.h>

namespace backend::sdl {
namespace {

// The OEM keys winuser.h leaves out: their US-layout meanings.
constexpr UINT OemSemicolon = 0xBA, OemPlus = 0xBB, OemComma = 0xBC, OemMinus = 0xBD, OemPeriod = 0xBE, OemSlash = 0xBF,
               OemBackquote = 0xC0, OemOpenBracket = 0xDB, OemBackslash = 0xDC, OemCloseBracket = 0xDD, OemQuote = 0xDE,
               Oem102 = 0xE2;

struct KeyRow {
    SDL_Scancode scancode;
    UINT vk;
    UINT scanCode;
    bool extended;
};

// Keys that stand for the same virtual key whatever the layout.
const KeyRow positionalKeys[] = {
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE, 0x01, false},
    {SDL_SCANCODE_BACKSPACE, VK_BACK, 0x0E, false},
    {SDL_SCANCODE_TAB, VK_TAB, 0x0F, false},
    {SDL_SCANCODE_RETURN, VK_RETURN, 0x1C, false},
    {SDL_SCANCODE_LCTRL, VK_LCONTROL, 0x1D, false},
    {SDL_SCANCODE_RCTRL, VK_RCONTROL, 0x1D, true},
    {SDL_SCANCODE_LSHIFT, VK_LSHIFT, 0x2A, false},
    {SDL_SCANCODE_RSHIFT, VK_RSHIFT, 0x36, false},
    {SDL_SCANCODE_LALT, VK_LMENU, 0x38, false},
    {SDL_SCANCODE_RALT, VK_RMENU, 0x38, true},
    {SDL_SCANCODE_SPACE, VK_SPACE, 0x39, false},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, 0x3A, false},
    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, 0x45, true},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL, 0x46, false},
    {SDL_SCANCODE_PAUSE, VK_PAUSE, 0x45, false},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT, 0x37, true},
    {SDL_SCANCODE_HOME, VK_HOME, 0x47, true},
    {SDL_SCANCODE_UP, VK_UP, 0x48, true},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR, 0x49, true},
    {SDL_SCANCODE_LEFT, VK_LEFT, 0x4B, true},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, 0x4D, true},
    {SDL_SCANCODE_END, VK_END, 0x4F, true},
    {SDL_SCANCODE_DOWN, VK_DOWN, 0x50, true},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT, 0x51, true},
    {SDL_SCANCODE_INSERT, VK_INSERT, 0x52, true},
    {SDL_SCANCODE_DELETE, VK_DELETE, 0x53, true},
    {SDL_SCANCODE_LGUI, VK_LWIN, 0x5B, true},
    {SDL_SCANCODE_RGUI, VK_RWIN, 0x5C, true},
    {SDL_SCANCODE_APPLICATION, VK_APPS, 0x5D, true},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, 0x35, true},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, 0x37, false},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, 0x4A, false},
    {SDL_SCANCODE_KP_PLUS, VK_ADD, 0x4E, false},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN, 0x1C, true},
    {SDL_SCANCODE_NONUSBACKSLASH, Oem102, 0x56, false},
};

// Keypad keys: the digit with Num Lock on, the navigation key with it off (never extended: that is how Windows
// tells them from the separate navigation block).
struct KeypadRow {
    SDL_Scancode scancode;
    UINT digit;
    UINT navigation;
    UINT scanCode;
};
const KeypadRow keypadKeys[] = {
    {SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7, VK_HOME, 0x47},    {SDL_SCANCODE_KP_8, VK_NUMPAD0 + 8, VK_UP, 0x48},
    {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9, VK_PRIOR, 0x49},   {SDL_SCANCODE_KP_4, VK_NUMPAD0 + 4, VK_LEFT, 0x4B},
    {SDL_SCANCODE_KP_5, VK_NUMPAD0 + 5, VK_CLEAR, 0x4C},   {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6, VK_RIGHT, 0x4D},
    {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1, VK_END, 0x4F},     {SDL_SCANCODE_KP_2, VK_NUMPAD0 + 2, VK_DOWN, 0x50},
    {SDL_SCANCODE_KP_3, VK_NUMPAD0 + 3, VK_NEXT, 0x51},    {SDL_SCANCODE_KP_0, VK_NUMPAD0, VK_INSERT, 0x52},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, VK_DELETE, 0x53},
};

// Set-1 codes of the character keys by position, US layout: the virtual key comes from the symbol instead.
struct CharacterRow {
    SDL_Scancode scancode;
    UINT usVk;
    UINT scanCode;
};
const CharacterRow characterKeys[] = {
    {SDL_SCANCODE_1, '1', 0x02},
    {SDL_SCANCODE_2, '2', 0x03},
    {SDL_SCANCODE_3, '3', 0x04},
    {SDL_SCANCODE_4, '4', 0x05},
    {SDL_SCANCODE_5, '5', 0x06},
    {SDL_SCANCODE_6, '6', 0x07},
    {SDL_SCANCODE_7, '7', 0x08},
    {SDL_SCANCODE_8, '8', 0x09},
    {SDL_SCANCODE_9, '9', 0x0A},
    {SDL_SCANCODE_0, '0', 0x0B},
    {SDL_SCANCODE_MINUS, OemMinus, 0x0C},
    {SDL_SCANCODE_EQUALS, OemPlus, 0x0D},
    {SDL_SCANCODE_Q, 'Q', 0x10},
    {SDL_SCANCODE_W, 'W', 0x11},
    {SDL_SCANCODE_E, 'E', 0x12},
    {SDL_SCANCODE_R, 'R', 0x13},
    {SDL_SCANCODE_T, 'T', 0x14},
    {SDL_SCANCODE_Y, 'Y', 0x15},
    {SDL_SCANCODE_U, 'U', 0x16},
    {SDL_SCANCODE_I, 'I', 0x17},
    {SDL_SCANCODE_O, 'O', 0x18},
    {SDL_SCANCODE_P, 'P', 0x19},
    {SDL_SCANCODE_LEFTBRACKET, OemOpenBracket, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, OemCloseBracket, 0x1B},
    {SDL_SCANCODE_A, 'A', 0x1E},
    {SDL_SCANCODE_S, 'S', 0x1F},
    {SDL_SCANCODE_D, 'D', 0x20},
    {SDL_SCANCODE_F, 'F', 0x21},
    {SDL_SCANCODE_G, 'G', 0x22},
    {SDL_SCANCODE_H, 'H', 0x23},
    {SDL_SCANCODE_J, 'J', 0x24},
    {SDL_SCANCODE_K, 'K', 0x25},
    {SDL_SCANCODE_L, 'L', 0x26},
    {SDL_SCANCODE_SEMICOLON, OemSemicolon, 0x27},
    {SDL_SCANCODE_APOSTROPHE, OemQuote, 0x28},
    {SDL_SCANCODE_GRAVE, OemBackquote, 0x29},
    {SDL_SCANCODE_BACKSLASH, OemBackslash, 0x2B},
    {SDL_SCANCODE_Z, 'Z', 0x2C},
    {SDL_SCANCODE_X, 'X', 0x2D},
    {SDL_SCANCODE_C, 'C', 0x2E},
    {SDL_SCANCODE_V, 'V', 0x2F},
    {SDL_SCANCODE_B, 'B', 0x30},
    {SDL_SCANCODE_N, 'N', 0x31},
    {SDL_SCANCODE_M, 'M', 0x32},
    {SDL_SCANCODE_COMMA, OemComma, 0x33},
    {SDL_SCANCODE_PERIOD, OemPeriod, 0x34},
    {SDL_SCANCODE_SLASH, OemSlash, 0x35},
};

struct OemRow {
    UINT vk;
    char16_t plain, shifted;
};
const OemRow oemKeys[] = {
    {OemSemicolon, u';', u':'},    {OemPlus, u'=', u'+'},        {OemComma, u',', u'<'},
    {OemMinus, u'-', u'_'},        {OemPeriod, u'.', u'>'},      {OemSlash, u'/', u'?'},
    {OemBackquote, u'`', u'~'},    {OemOpenBracket, u'[', u'{'}, {OemBackslash, u'\\', u'|'},
    {OemCloseBracket, u']', u'}'}, {OemQuote, u'\'', u'"'},
};

// The virtual key of a layout's symbol when Windows has one for it, else 0.
UINT VirtualKeyOfSymbol(SDL_Keycode sym) {
    if (sym >= 'a' && sym <= 'z') return static_cast<UINT>(sym - 'a' + 'A');
    if (sym >= '0' && sym <= '9') return static_cast<UINT>(sym);
    for (const OemRow& row : oemKeys)
        if (row.plain == sym) return row.vk;
    return 0;
}

}  // namespace

VirtualKey VirtualKeyFor(const SDL_Keysym& key) {
    VirtualKey result;
    SDL_Scancode scancode = key.scancode;
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
        int n = scancode - SDL_SCANCODE_F1;
        result.vk = VK_F1 + n;
        result.scanCode = n < 10 ? 0x3B + n : 0x57 + (n - 10);
        return result;
    }
    if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) {
        int n = scancode - SDL_SCANCODE_F13;
        result.vk = VK_F1 + 12 + n;
        result.scanCode = n < 11 ? 0x64 + n : 0x76;
        return result;
    }
    for (const KeyRow& row : positionalKeys) {
        if (row.scancode == scancode) return {row.vk, row.scanCode, row.extended};
    }
    for (const KeypadRow& row : keypadKeys) {
        if (row.scancode == scancode) return {(key.mod & KMOD_NUM) ? row.digit : row.navigation, row.scanCode, false};
    }
    for (const CharacterRow& row : characterKeys) {
        if (row.scancode != scancode) continue;
        // A layout whose symbol Windows has no key for (a national letter) keeps the key's US meaning.
        UINT bySymbol = VirtualKeyOfSymbol(key.sym);
        return {bySymbol ? bySymbol : row.usVk, row.scanCode, false};
    }
    return result;
}

char16_t TranslatedCharacter(UINT vk, bool shift, bool capsLock) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<char16_t>((shift != capsLock) ? vk : vk + 32);
    if (vk >= '0' && vk <= '9') return shift ? u")!@#$%^&*("[vk - '0'] : static_cast<char16_t>(vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return static_cast<char16_t>(u'0' + (vk - VK_NUMPAD0));
    for (const OemRow& row : oemKeys)
        if (row.vk == vk) return shift ? row.shifted : row.plain;
    switch (vk) {
    case VK_SPACE: return u' ';
    case VK_MULTIPLY: return u'*';
    case VK_ADD: return u'+';
    case VK_SUBTRACT: return u'-';
    case VK_DECIMAL: return u'.';
    case VK_DIVIDE: return u'/';
    default: return 0;
    }
}

}  // namespace backend::sdl
