// The system colours (the classic "Windows Standard" scheme) and their brushes, which follow SetSysColors.
#include "../gdi/BrushObject.h"
#include "user/Broadcast.h"

#include <win32/winbase.h>
#include <win32/winuser.h>

#include <array>
#include <mutex>

namespace {

constexpr int ColorCount = COLOR_MENUBAR + 1;

// COLORREF values (0x00BBGGRR). Index 25 has no name; Windows keeps the alternate button face there.
constexpr std::array<COLORREF, ColorCount> StandardScheme = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR
    RGB(0, 128, 128),    // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(192, 192, 192),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25: alternate button face
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(16, 132, 208),   // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 0, 128),      // COLOR_MENUHILIGHT
    RGB(192, 192, 192),  // COLOR_MENUBAR
};

struct SysColors {
    std::mutex Lock;
    std::array<COLORREF, ColorCount> Colors = StandardScheme;
    std::array<std::shared_ptr<win32::gdi::BrushObject>, ColorCount> Brushes;
};

SysColors& State() {
    static SysColors state;
    return state;
}

}  // namespace

DWORD GetSysColor(int nIndex) {
    if (nIndex < 0 || nIndex >= ColorCount) return 0;
    SysColors& state = State();
    std::lock_guard<std::mutex> guard(state.Lock);
    return state.Colors[nIndex];
}

HBRUSH GetSysColorBrush(int nIndex) {
    if (nIndex < 0 || nIndex >= ColorCount) return nullptr;
    SysColors& state = State();
    std::lock_guard<std::mutex> guard(state.Lock);
    auto& brush = state.Brushes[nIndex];
    if (!brush) {
        brush = std::make_shared<win32::gdi::BrushObject>();
        brush->Style = BS_SOLID;
        brush->Color = state.Colors[nIndex];
        brush->SysColorIndex = nIndex;
        // Stock objects survive DeleteObject, as these brushes do on Windows.
        win32::gdi::ObjectTable::Insert(brush, true);
    }
    return static_cast<HBRUSH>(brush->Handle());
}

BOOL SetSysColors(int cElements, const INT* lpaElements, const COLORREF* lpaRgbValues) {
    if (cElements < 0 || (cElements > 0 && (!lpaElements || !lpaRgbValues))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Checked first so that a refused call changes nothing.
    for (int i = 0; i < cElements; ++i) {
        if (lpaElements[i] < 0 || lpaElements[i] >= ColorCount) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
    }
    {
        SysColors& state = State();
        std::lock_guard<std::mutex> guard(state.Lock);
        for (int i = 0; i < cElements; ++i) {
            COLORREF color = lpaRgbValues[i] & 0x00FFFFFF;
            state.Colors[lpaElements[i]] = color;
            // The brushes handed out earlier change colour with the scheme.
            if (auto& brush = state.Brushes[lpaElements[i]]) brush->Color = color;
        }
    }
    // Every top-level window hears of it, hidden ones too, after the new colours are in place.
    win32::user::NotifySysColorChange();
    return TRUE;
}
