// Menu objects and their items: creation, insertion, modification and queries by position or command, the
// item-information structures in both character sets, default items and the per-window system menu.
#include "user/Menu.h"

#include "kernel/HandleTable.h"
#include "kernel/LastError.h"
#include "user/AnsiConvert.h"
#include "user/Window.h"

#include <map>
#include <memory>

using win32::Fail;

namespace win32::user {
namespace {

std::map<HMENU, std::unique_ptr<Menu>>& Menus() {
    static std::map<HMENU, std::unique_ptr<Menu>> menus;
    return menus;
}

HMENU NewMenu(bool popup) {
    auto menu = std::make_unique<Menu>();
    menu->Handle = static_cast<HMENU>(kernel::AllocateHandle(kernel::HandleKind::Menu));
    menu->Popup = popup;
    HMENU handle = menu->Handle;
    Menus()[handle] = std::move(menu);
    return handle;
}

// What AppendMenu, InsertMenu and ModifyMenu know; bitmaps, owner-drawn items and check bitmaps are not drawn
// here, so they are refused rather than shown as something else.
constexpr UINT ItemFlags = MF_BYPOSITION | MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP |
                           MF_MENUBARBREAK | MF_MENUBREAK | MF_HILITE | MF_RIGHTJUSTIFY;

bool ItemFromFlags(UINT flags, UINT_PTR id, const std::u16string* text, MenuItem& item) {
    if (flags & ~ItemFlags) return Fail(false, ERROR_INVALID_PARAMETER);
    if (flags & MF_POPUP) {
        Menu* sub = MenuFromHandle(reinterpret_cast<HMENU>(id));
        if (!sub) return false;
        sub->Popup = true;
        item.SubMenu = sub->Handle;
    }
    item.Type = flags & (MF_SEPARATOR | MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY);
    item.State = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE);
    item.Id = static_cast<UINT>(id);
    item.Text = (text && !(flags & MF_SEPARATOR)) ? *text : std::u16string();
    return true;
}

BOOL Insert(HMENU hMenu, UINT position, UINT flags, UINT_PTR id, const std::u16string* text) {
    Menu* menu = MenuFromHandle(hMenu);
    if (!menu) return FALSE;
    MenuItem item;
    if (!ItemFromFlags(flags, id, text, item)) return FALSE;
    size_t at = menu->Items.size();
    if (position != static_cast<UINT>(-1)) {
        HMENU holder = hMenu;
        int found = -1;
        if (FindMenuItem(holder, position, (flags & MF_BYPOSITION) != 0, &found)) {
            menu = MenuFromHandle(holder);
            at = static_cast<size_t>(found);
        } else if (!(flags & MF_BYPOSITION)) {
            return Fail(FALSE, ERROR_MENU_ITEM_NOT_FOUND);
        }
    }
    menu->Items.insert(menu->Items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return TRUE;
}

BOOL Modify(HMENU hMenu, UINT position, UINT flags, UINT_PTR id, const std::u16string* text) {
    if (!MenuFromHandle(hMenu)) return FALSE;
    MenuItem* item = FindMenuItem(hMenu, position, (flags & MF_BYPOSITION) != 0);
    if (!item) return Fail(FALSE, ERROR_MENU_ITEM_NOT_FOUND);
    MenuItem changed;
    if (!ItemFromFlags(flags, id, text, changed)) return FALSE;
    changed.State |= item->State & MFS_DEFAULT;
    HMENU oldSub = item->SubMenu;
    *item = std::move(changed);
    if (oldSub && oldSub != item->SubMenu) DestroyMenu(oldSub);
    return TRUE;
}

BOOL Take(HMENU hMenu, UINT position, UINT flags, bool destroySub) {
    if (!MenuFromHandle(hMenu)) return FALSE;
    if (flags & ~MF_BYPOSITION) return Fail(FALSE, ERROR_INVALID_PARAMETER);
    int at = -1;
    if (!FindMenuItem(hMenu, position, (flags & MF_BYPOSITION) != 0, &at))
        return Fail(FALSE, ERROR_MENU_ITEM_NOT_FOUND);
    Menu* menu = MenuFromHandle(hMenu);
    HMENU sub = menu->Items[static_cast<size_t>(at)].SubMenu;
    menu->Items.erase(menu->Items.begin() + at);
    if (destroySub && sub) DestroyMenu(sub);
    return TRUE;
}

// MENUITEMINFO in either character set; Text converts the caller's string.
template <class Info>
bool CheckInfo(const Info* info) {
    constexpr UINT known = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA | MIIM_STRING |
                           MIIM_BITMAP | MIIM_FTYPE;
    if (!info || info->cbSize != sizeof(Info) || (info->fMask & ~known)) return Fail(false, ERROR_INVALID_PARAMETER);
    // The old MIIM_TYPE cannot be mixed with the masks that replaced it.
    if ((info->fMask & MIIM_TYPE) && (info->fMask & (MIIM_FTYPE | MIIM_STRING | MIIM_BITMAP)))
        return Fail(false, ERROR_INVALID_PARAMETER);
    return true;
}

std::u16string InfoText(const MENUITEMINFOW& info) { return info.dwTypeData ? std::u16string(info.dwTypeData) : u""; }
std::u16string InfoText(const MENUITEMINFOA& info) { return AnsiToWide(info.dwTypeData); }

template <class Info>
bool ApplyInfo(MenuItem& item, const Info& info) {
    constexpr UINT typeBits =
        MFT_SEPARATOR | MFT_MENUBARBREAK | MFT_MENUBREAK | MFT_RADIOCHECK | MFT_RIGHTJUSTIFY | MFT_RIGHTORDER;
    if ((info.fMask & (MIIM_TYPE | MIIM_FTYPE)) && (info.fType & ~typeBits))
        return Fail(false, ERROR_INVALID_PARAMETER);  // bitmaps and owner-drawn items are not drawn here
    if ((info.fMask & MIIM_BITMAP) && info.hbmpItem) return Fail(false, ERROR_INVALID_PARAMETER);
    if ((info.fMask & MIIM_SUBMENU) && info.hSubMenu && !MenuFromHandle(info.hSubMenu)) return false;
    if (info.fMask & MIIM_TYPE) {
        item.Type = info.fType;
        item.Text = (info.fType & MFT_SEPARATOR) ? u"" : InfoText(info);
    }
    if (info.fMask & MIIM_FTYPE) item.Type = info.fType;
    if (info.fMask & MIIM_STRING) item.Text = InfoText(info);
    if (info.fMask & MIIM_STATE) item.State = info.fState & (MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT);
    if (info.fMask & MIIM_ID) item.Id = info.wID;
    if (info.fMask & MIIM_SUBMENU) {
        item.SubMenu = info.hSubMenu;
        if (info.hSubMenu) MenuFromHandle(info.hSubMenu)->Popup = true;
    }
    if (info.fMask & MIIM_DATA) item.Data = info.dwItemData;
    if (info.fMask & MIIM_CHECKMARKS) {
        item.Checked = info.hbmpChecked;
        item.Unchecked = info.hbmpUnchecked;
    }
    return true;
}

// Copies the item's text into the caller's buffer as GetMenuItemInfo does: cch comes back as the length.
template <class Text, class Info>
void CopyTextAs(const Text& text, Info& info) {
    if (!info.dwTypeData || info.cch == 0) {
        info.cch = static_cast<UINT>(text.size());
        return;
    }
    size_t count = std::min<size_t>(text.size(), info.cch - 1);
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(count), info.dwTypeData);
    info.dwTypeData[count] = 0;
    info.cch = static_cast<UINT>(count);
}

void CopyText(const std::u16string& text, MENUITEMINFOW& info) { CopyTextAs(text, info); }

void CopyText(const std::u16string& text, MENUITEMINFOA& info) { CopyTextAs(WideToAnsi(text), info); }

template <class Info>
BOOL GetInfo(HMENU hmenu, UINT position, BOOL byPosition, Info* info) {
    if (!MenuFromHandle(hmenu) || !CheckInfo(info)) return FALSE;
    const MenuItem* item = FindMenuItem(hmenu, position, byPosition != FALSE);
    if (!item) return Fail(FALSE, ERROR_MENU_ITEM_NOT_FOUND);
    if (info->fMask & (MIIM_TYPE | MIIM_FTYPE)) info->fType = item->Type;
    if (info->fMask & MIIM_TYPE) {
        if (item->Separator())
            info->cch = 0;
        else
            CopyText(item->Text, *info);
    }
    if (info->fMask & MIIM_STRING) CopyText(item->Text, *info);
    if (info->fMask & MIIM_STATE) info->fState = item->State;
    if (info->fMask & MIIM_ID) info->wID = item->Id;
    if (info->fMask & MIIM_SUBMENU) info->hSubMenu = item->SubMenu;
    if (info->fMask & MIIM_DATA) info->dwItemData = item->Data;
    if (info->fMask & MIIM_CHECKMARKS) {
        info->hbmpChecked = item->Checked;
        info->hbmpUnchecked = item->Unchecked;
    }
    if (info->fMask & MIIM_BITMAP) info->hbmpItem = item->Bitmap;
    return TRUE;
}

template <class Info>
BOOL SetInfo(HMENU hmenu, UINT position, BOOL byPosition, const Info* info) {
    if (!MenuFromHandle(hmenu) || !CheckInfo(info)) return FALSE;
    MenuItem* item = FindMenuItem(hmenu, position, byPosition != FALSE);
    if (!item) return Fail(FALSE, ERROR_MENU_ITEM_NOT_FOUND);
    MenuItem changed = *item;
    if (!ApplyInfo(changed, *info)) return FALSE;
    *item = std::move(changed);
    return TRUE;
}

template <class Info>
BOOL InsertInfo(HMENU hmenu, UINT position, BOOL byPosition, const Info* info) {
    Menu* menu = MenuFromHandle(hmenu);
    if (!menu || !CheckInfo(info)) return FALSE;
    MenuItem item;
    if (!ApplyInfo(item, *info)) return FALSE;
    size_t at = menu->Items.size();
    HMENU holder = hmenu;
    int found = -1;
    if (FindMenuItem(holder, position, byPosition != FALSE, &found)) {
        menu = MenuFromHandle(holder);
        at = static_cast<size_t>(found);
    } else if (!byPosition) {
        return Fail(FALSE, ERROR_MENU_ITEM_NOT_FOUND);
    }
    menu->Items.insert(menu->Items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return TRUE;
}

HMENU MakeSystemMenu(HWND hwnd) {
    HMENU menu = CreatePopupMenu();
    MenuFromHandle(menu)->SystemOwner = hwnd;
    AppendMenuW(menu, MF_STRING, SC_RESTORE, u"还原(&R)");
    AppendMenuW(menu, MF_STRING, SC_MOVE, u"移动(&M)");
    AppendMenuW(menu, MF_STRING, SC_SIZE, u"大小(&S)");
    AppendMenuW(menu, MF_STRING, SC_MINIMIZE, u"最小化(&N)");
    AppendMenuW(menu, MF_STRING, SC_MAXIMIZE, u"最大化(&X)");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, SC_CLOSE, u"关闭(&C)\tAlt+F4");
    return menu;
}

}  // namespace

Menu* MenuFromHandle(HMENU menu) {
    auto found = Menus().find(menu);
    if (found == Menus().end()) return Fail<Menu*>(nullptr, ERROR_INVALID_MENU_HANDLE);
    return found->second.get();
}

MenuItem* FindMenuItem(HMENU& menu, UINT item, bool byPosition, int* position) {
    auto found = Menus().find(menu);
    if (found == Menus().end()) return nullptr;
    std::vector<MenuItem>& items = found->second->Items;
    if (byPosition) {
        if (item >= items.size()) return nullptr;
        if (position) *position = static_cast<int>(item);
        return &items[item];
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].SubMenu) {
            HMENU sub = items[i].SubMenu;
            if (MenuItem* inner = FindMenuItem(sub, item, false, position)) {
                menu = sub;
                return inner;
            }
        }
        if (items[i].Id == item) {
            if (position) *position = static_cast<int>(i);
            return &items[i];
        }
    }
    return nullptr;
}

void UpdateSystemMenu(HWND hwnd, HMENU systemMenu) {
    Window* window = FromHandleQuiet(hwnd);
    if (!window || !MenuFromHandle(systemMenu)) return;
    DWORD style = window->Style;
    bool iconic = style & WS_MINIMIZE, zoomed = style & WS_MAXIMIZE;
    auto enable = [&](UINT id, bool on) {
        EnableMenuItem(systemMenu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(SC_RESTORE, iconic || zoomed);
    enable(SC_MOVE, !zoomed);
    enable(SC_SIZE, (style & WS_THICKFRAME) && !iconic && !zoomed);
    enable(SC_MINIMIZE, (style & WS_MINIMIZEBOX) && !iconic);
    enable(SC_MAXIMIZE, (style & WS_MAXIMIZEBOX) && !zoomed);
    enable(SC_CLOSE, !(window->Class && (window->Class->Style & CS_NOCLOSE)));
    // A minimized window is restored by its default command; any other window is closed by it.
    SetMenuDefaultItem(systemMenu, iconic ? SC_RESTORE : SC_CLOSE, FALSE);
}

}  // namespace win32::user

using namespace win32::user;

HMENU CreateMenu(void) { return NewMenu(false); }
HMENU CreatePopupMenu(void) { return NewMenu(true); }

BOOL DestroyMenu(HMENU hMenu) {
    auto found = Menus().find(hMenu);
    if (found == Menus().end()) return Fail(FALSE, ERROR_INVALID_MENU_HANDLE);
    std::unique_ptr<Menu> menu = std::move(found->second);
    Menus().erase(found);
    win32::kernel::ReleaseHandle(hMenu);
    for (const MenuItem& item : menu->Items)
        if (item.SubMenu) DestroyMenu(item.SubMenu);
    if (Window* owner = FromHandleQuiet(menu->SystemOwner); owner && owner->SystemMenu == hMenu)
        owner->SystemMenu = nullptr;
    return TRUE;
}

BOOL IsMenu(HMENU hMenu) { return Menus().count(hMenu) ? TRUE : FALSE; }

BOOL AppendMenuW(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem) {
    std::u16string text = lpNewItem ? lpNewItem : u"";
    return Insert(hMenu, static_cast<UINT>(-1), uFlags | MF_BYPOSITION, uIDNewItem, &text);
}

BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    std::u16string text = AnsiToWide(lpNewItem);
    return Insert(hMenu, static_cast<UINT>(-1), uFlags | MF_BYPOSITION, uIDNewItem, &text);
}

BOOL InsertMenuW(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem) {
    std::u16string text = lpNewItem ? lpNewItem : u"";
    return Insert(hMenu, uPosition, uFlags, uIDNewItem, &text);
}

BOOL InsertMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    std::u16string text = AnsiToWide(lpNewItem);
    return Insert(hMenu, uPosition, uFlags, uIDNewItem, &text);
}

BOOL ModifyMenuW(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem) {
    std::u16string text = lpNewItem ? lpNewItem : u"";
    return Modify(hMnu, uPosition, uFlags, uIDNewItem, &text);
}

BOOL ModifyMenuA(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    std::u16string text = AnsiToWide(lpNewItem);
    return Modify(hMnu, uPosition, uFlags, uIDNewItem, &text);
}

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) { return Take(hMenu, uPosition, uFlags, false); }
BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) { return Take(hMenu, uPosition, uFlags, true); }

BOOL InsertMenuItemA(HMENU hmenu, UINT item, BOOL fByPosition, LPCMENUITEMINFOA lpmi) {
    return InsertInfo(hmenu, item, fByPosition, lpmi);
}
BOOL InsertMenuItemW(HMENU hmenu, UINT item, BOOL fByPosition, LPCMENUITEMINFOW lpmi) {
    return InsertInfo(hmenu, item, fByPosition, lpmi);
}
BOOL GetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPosition, LPMENUITEMINFOA lpmii) {
    return GetInfo(hmenu, item, fByPosition, lpmii);
}
BOOL GetMenuItemInfoW(HMENU hmenu, UINT item, BOOL fByPosition, LPMENUITEMINFOW lpmii) {
    return GetInfo(hmenu, item, fByPosition, lpmii);
}
BOOL SetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPositon, LPCMENUITEMINFOA lpmii) {
    return SetInfo(hmenu, item, fByPositon, lpmii);
}
BOOL SetMenuItemInfoW(HMENU hmenu, UINT item, BOOL fByPositon, LPCMENUITEMINFOW lpmii) {
    return SetInfo(hmenu, item, fByPositon, lpmii);
}

BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    if (!MenuFromHandle(hMenu)) return -1;
    if (uEnable & ~(MF_BYPOSITION | MF_GRAYED | MF_DISABLED)) return Fail(-1, ERROR_INVALID_PARAMETER);
    MenuItem* item = FindMenuItem(hMenu, uIDEnableItem, (uEnable & MF_BYPOSITION) != 0);
    if (!item) return -1;
    UINT previous = item->State & (MF_GRAYED | MF_DISABLED);
    item->State = (item->State & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(previous);
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
    if (!MenuFromHandle(hMenu)) return static_cast<DWORD>(-1);
    if (uCheck & ~(MF_BYPOSITION | MF_CHECKED)) return Fail(static_cast<DWORD>(-1), ERROR_INVALID_PARAMETER);
    MenuItem* item = FindMenuItem(hMenu, uIDCheckItem, (uCheck & MF_BYPOSITION) != 0);
    if (!item) return static_cast<DWORD>(-1);
    DWORD previous = item->State & MF_CHECKED;
    item->State = (item->State & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return previous;
}

BOOL CheckMenuRadioItem(HMENU hmenu, UINT first, UINT last, UINT check, UINT flags) {
    if (!MenuFromHandle(hmenu)) return FALSE;
    if (flags & ~MF_BYPOSITION) return Fail(FALSE, ERROR_INVALID_PARAMETER);
    bool byPosition = flags & MF_BYPOSITION;
    HMENU holder = hmenu;
    int from = -1, to = -1, chosen = -1;
    if (!FindMenuItem(holder, first, byPosition, &from)) return Fail(FALSE, ERROR_MENU_ITEM_NOT_FOUND);
    HMENU lastHolder = hmenu, checkHolder = hmenu;
    if (!FindMenuItem(lastHolder, last, byPosition, &to) || lastHolder != holder)
        return Fail(FALSE, ERROR_MENU_ITEM_NOT_FOUND);
    if (!FindMenuItem(checkHolder, check, byPosition, &chosen) || checkHolder != holder ||
        chosen < std::min(from, to) || chosen > std::max(from, to))
        return Fail(FALSE, ERROR_MENU_ITEM_NOT_FOUND);
    Menu* menu = MenuFromHandle(holder);
    for (int i = std::min(from, to); i <= std::max(from, to); ++i) {
        MenuItem& item = menu->Items[static_cast<size_t>(i)];
        if (i == chosen) {
            item.Type |= MFT_RADIOCHECK;
            item.State |= MFS_CHECKED;
        } else {
            item.State &= ~MFS_CHECKED;
        }
    }
    return TRUE;
}

int GetMenuItemCount(HMENU hMenu) {
    Menu* menu = MenuFromHandle(hMenu);
    return menu ? static_cast<int>(menu->Items.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int nPos) {
    if (!MenuFromHandle(hMenu) || nPos < 0) return static_cast<UINT>(-1);
    MenuItem* item = FindMenuItem(hMenu, static_cast<UINT>(nPos), true);
    if (!item || item->SubMenu) return static_cast<UINT>(-1);
    return item->Id;
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    if (!MenuFromHandle(hMenu)) return static_cast<UINT>(-1);
    MenuItem* item = FindMenuItem(hMenu, uId, (uFlags & MF_BYPOSITION) != 0);
    if (!item) return static_cast<UINT>(-1);
    if (item->SubMenu) {
        Menu* sub = MenuFromHandle(item->SubMenu);
        UINT count = sub ? static_cast<UINT>(sub->Items.size()) : 0;
        return (count << 8) | ((item->Type | item->State | MF_POPUP) & 0xFF);
    }
    return item->Type | item->State;
}

HMENU GetSubMenu(HMENU hMenu, int nPos) {
    if (!MenuFromHandle(hMenu) || nPos < 0) return nullptr;
    MenuItem* item = FindMenuItem(hMenu, static_cast<UINT>(nPos), true);
    return item ? item->SubMenu : nullptr;
}

int GetMenuStringW(HMENU hMenu, UINT uIDItem, LPWSTR lpString, int cchMax, UINT flags) {
    if (!MenuFromHandle(hMenu)) return 0;
    const MenuItem* item = FindMenuItem(hMenu, uIDItem, (flags & MF_BYPOSITION) != 0);
    if (!item) return Fail(0, ERROR_MENU_ITEM_NOT_FOUND);
    const std::u16string& text = item->Text;
    if (!lpString || cchMax <= 0) return static_cast<int>(text.size());
    size_t count = std::min<size_t>(text.size(), static_cast<size_t>(cchMax - 1));
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(count), lpString);
    lpString[count] = 0;
    return static_cast<int>(count);
}

int GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags) {
    if (!MenuFromHandle(hMenu)) return 0;
    const MenuItem* item = FindMenuItem(hMenu, uIDItem, (flags & MF_BYPOSITION) != 0);
    if (!item) return Fail(0, ERROR_MENU_ITEM_NOT_FOUND);
    std::string text = WideToAnsi(item->Text);
    if (!lpString || cchMax <= 0) return static_cast<int>(text.size());
    size_t count = std::min<size_t>(text.size(), static_cast<size_t>(cchMax - 1));
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(count), lpString);
    lpString[count] = 0;
    return static_cast<int>(count);
}

BOOL SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos) {
    Menu* menu = MenuFromHandle(hMenu);
    if (!menu) return FALSE;
    MenuItem* chosen = nullptr;
    if (uItem != static_cast<UINT>(-1)) {
        // Only this menu's own items can be its default, not its submenus'.
        if (fByPos) {
            if (uItem < menu->Items.size()) chosen = &menu->Items[uItem];
        } else {
            for (MenuItem& item : menu->Items)
                if (item.Id == uItem) {
                    chosen = &item;
                    break;
                }
        }
        if (!chosen) return Fail(FALSE, ERROR_MENU_ITEM_NOT_FOUND);
    }
    for (MenuItem& item : menu->Items) item.State &= ~MFS_DEFAULT;
    if (chosen) chosen->State |= MFS_DEFAULT;
    return TRUE;
}

UINT GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT gmdiFlags) {
    Menu* menu = MenuFromHandle(hMenu);
    if (!menu) return static_cast<UINT>(-1);
    if (gmdiFlags & ~(GMDI_USEDISABLED | GMDI_GOINTOPOPUPS))
        return Fail(static_cast<UINT>(-1), ERROR_INVALID_PARAMETER);
    for (size_t i = 0; i < menu->Items.size(); ++i) {
        const MenuItem& item = menu->Items[i];
        if (!(item.State & MFS_DEFAULT)) continue;
        if (item.Grayed() && !(gmdiFlags & GMDI_USEDISABLED)) return static_cast<UINT>(-1);
        if (item.SubMenu && (gmdiFlags & GMDI_GOINTOPOPUPS)) {
            UINT inner = GetMenuDefaultItem(item.SubMenu, fByPos, gmdiFlags);
            if (inner != static_cast<UINT>(-1)) return inner;
        }
        return fByPos ? static_cast<UINT>(i) : item.Id;
    }
    return static_cast<UINT>(-1);
}

HMENU GetSystemMenu(HWND hWnd, BOOL bRevert) {
    Window* window = FromHandle(hWnd);
    if (!window) return nullptr;
    if (bRevert) {
        if (window->SystemMenu) DestroyMenu(window->SystemMenu);
        return nullptr;
    }
    if (!(window->Style & WS_SYSMENU)) return nullptr;
    if (!window->SystemMenu) window->SystemMenu = MakeSystemMenu(hWnd);
    UpdateSystemMenu(hWnd, window->SystemMenu);
    return window->SystemMenu;
}
