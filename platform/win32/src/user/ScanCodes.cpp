// MapVirtualKeyA/W over the scan codes of a standard 101-key keyboard (set 1) with the US layout's characters.
#include "user/Input.h"

#include <win32/windows.h>

namespace {

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

// The character a key types without modifiers, as MAPVK_VK_TO_CHAR reports it (letters in upper case).
UINT KeyCharacter(UINT vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return vk;
    switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_TAB: return '\t';
    case VK_BACK: return '\b';
    case VK_ESCAPE: return 0x1B;
    case 0xBA: return ';';
    case 0xBB: return '=';
    case 0xBC: return ',';
    case 0xBD: return '-';
    case 0xBE: return '.';
    case 0xBF: return '/';
    case 0xC0: return '`';
    case 0xDB: return '[';
    case 0xDC: return '\\';
    case 0xDD: return ']';
    case 0xDE: return '\'';
    default: return 0;
    }
}

// The virtual key of a scan code (E0-prefixed for extended keys); sided tells left from right modifiers. A code
// without its prefix that only an extended key sends still finds that key.
UINT KeyOfScanCode(UINT code, bool sided) {
    bool extended = (code & 0xFF00) == 0xE000;
    UINT low = code & 0xFF;
    UINT found = 0;
    for (UINT vk = 1; vk < 256 && !found; ++vk) {
        if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) continue;
        ScanCode scan = ScanCodeOf(vk);
        if (scan.Code == low && scan.Extended == extended) found = vk;
    }
    for (UINT vk = 1; vk < 256 && !found && !extended; ++vk) {
        if (vk != VK_SHIFT && vk != VK_CONTROL && vk != VK_MENU && ScanCodeOf(vk).Code == low) found = vk;
    }
    return sided ? found : win32::user::GenericKey(found);
}

}  // namespace

UINT MapVirtualKeyW(UINT uCode, UINT uMapType) {
    switch (uMapType) {
    case MAPVK_VK_TO_VSC: return ScanCodeOf(uCode).Code;
    case MAPVK_VK_TO_VSC_EX: {
        ScanCode scan = ScanCodeOf(uCode);
        return scan.Code && scan.Extended ? 0xE000 | scan.Code : scan.Code;
    }
    case MAPVK_VSC_TO_VK: return KeyOfScanCode(uCode, false);
    case MAPVK_VSC_TO_VK_EX: return KeyOfScanCode(uCode, true);
    case MAPVK_VK_TO_CHAR: return KeyCharacter(uCode);
    default: return 0;
    }
}

UINT MapVirtualKeyA(UINT uCode, UINT uMapType) { return MapVirtualKeyW(uCode, uMapType); }
