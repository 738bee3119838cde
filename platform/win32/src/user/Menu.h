// Menu objects behind HMENU handles (items with their type, state, command and submenu), and what the frame
// code calls to show a window's system menu.
#pragma once

#include <win32/windows.h>

#include <string>
#include <vector>

namespace win32::user {

struct MenuItem {
    UINT Type = MFT_STRING;  // MFT_* bits
    UINT State = 0;          // MFS_* bits (MFS_DEFAULT included)
    UINT Id = 0;
    HMENU SubMenu = nullptr;
    ULONG_PTR Data = 0;
    HBITMAP Checked = nullptr;
    HBITMAP Unchecked = nullptr;
    HBITMAP Bitmap = nullptr;
    std::u16string Text;

    bool Separator() const { return (Type & MFT_SEPARATOR) != 0; }
    bool Grayed() const { return (State & MFS_GRAYED) != 0; }
};

struct Menu {
    HMENU Handle = nullptr;
    bool Popup = false;
    HWND SystemOwner = nullptr;  // the window whose system menu this is
    std::vector<MenuItem> Items;
};

// The menu behind a handle, or null with ERROR_INVALID_MENU_HANDLE.
Menu* MenuFromHandle(HMENU menu);
// Finds an item by position or by command (commands are looked for in submenus too, depth first, as Windows
// does); menu is then the menu that holds it. Null when there is none.
MenuItem* FindMenuItem(HMENU& menu, UINT item, bool byPosition, int* position = nullptr);

// Enables and disables the system menu's items for the window's present state and class.
void UpdateSystemMenu(HWND hwnd, HMENU systemMenu);
// Shows the window's system menu at a screen point and posts WM_SYSCOMMAND for the chosen item (with the
// point in lParam). From the keyboard the first item starts selected. False when there is no system menu.
bool TrackSystemMenu(HWND hwnd, POINT screen, bool fromKeyboard);

}  // namespace win32::user
