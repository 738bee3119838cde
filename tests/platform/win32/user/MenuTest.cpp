// Menus: items added, changed and queried by position and command, the window's system menu, and popup menus
// tracked with the keyboard and the mouse, with their notifications, their pixels and the owner's activation.
#include "Png.h"

#include <testing/Testing.h>
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const char16_t OwnerClass[] = u"MenuTestOwner";
const char16_t NoCloseClass[] = u"MenuTestNoClose";

std::vector<std::string>* Log = nullptr;
std::function<void(HWND popup)>* OnIdle = nullptr;

std::string Hex(UINT_PTR value) {
    char text[32];
    std::snprintf(text, sizeof text, "%lx", static_cast<unsigned long>(value));
    return text;
}

LRESULT OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Log) {
        switch (message) {
        case WM_ENTERMENULOOP: Log->push_back("enter " + std::to_string(wParam)); break;
        case WM_EXITMENULOOP: Log->push_back("exit " + std::to_string(wParam)); break;
        case WM_INITMENU: Log->push_back("init " + Hex(wParam)); break;
        case WM_INITMENUPOPUP: Log->push_back("popup " + Hex(wParam) + " " + std::to_string(lParam)); break;
        case WM_UNINITMENUPOPUP: Log->push_back("unpopup " + Hex(wParam)); break;
        case WM_MENUSELECT:
            if (HIWORD(wParam) == 0xFFFF) Log->push_back("select end");
            break;
        case WM_COMMAND: Log->push_back("command " + std::to_string(LOWORD(wParam))); break;
        case WM_ACTIVATE: Log->push_back("activate " + std::to_string(LOWORD(wParam))); break;
        case WM_NCACTIVATE: Log->push_back("ncactivate " + std::to_string(wParam)); break;
        case WM_KILLFOCUS: Log->push_back("killfocus"); break;
        default: break;
        }
    }
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
        if (OnIdle && *OnIdle)
            (*OnIdle)(reinterpret_cast<HWND>(lParam));
        else
            wintest::KeyPress(VK_ESCAPE);  // nothing planned: close the menu rather than wait forever
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

POINT Centre(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

class MenuTest : public ::testing::Test {
protected:
    // Pictures and colours here are the classic look's.
    wintest::ScopedVisualStyles FClassic{false};
    void SetUp() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = OwnerProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = OwnerClass;
        ASSERT_NE(RegisterClassExW(&wc), 0);
        wc.lpszClassName = NoCloseClass;
        wc.style = CS_NOCLOSE;
        ASSERT_NE(RegisterClassExW(&wc), 0);
        Log = &FLog;
        OnIdle = &FIdle;
    }
    void TearDown() override {
        Log = nullptr;
        OnIdle = nullptr;
        for (HWND hwnd : FWindows)
            if (IsWindow(hwnd)) DestroyWindow(hwnd);
        for (HMENU menu : FMenus)
            if (IsMenu(menu)) DestroyMenu(menu);
        UnregisterClassW(OwnerClass, nullptr);
        UnregisterClassW(NoCloseClass, nullptr);
        wintest::PumpUntilIdle();
        wintest::ResetInput();
    }

    HWND MakeOwner(DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, const char16_t* cls = OwnerClass) {
        HWND hwnd = CreateWindowExW(0, cls, u"owner", style, 100, 100, 400, 300, nullptr, nullptr, nullptr, nullptr);
        FWindows.push_back(hwnd);
        SetActiveWindow(hwnd);
        SetFocus(hwnd);
        wintest::PumpUntilIdle();
        FLog.clear();
        return hwnd;
    }
    HMENU Popup() {
        HMENU menu = CreatePopupMenu();
        FMenus.push_back(menu);
        return menu;
    }
    // 新建 (101), 打开 (102) checked, 关闭 (103) grey, separator, 更多 -> {子项一 (201), 子项二 (202)}.
    HMENU Sample(HMENU* subOut = nullptr) {
        HMENU menu = Popup();
        HMENU sub = CreatePopupMenu();
        AppendMenuW(sub, MF_STRING, 201, u"子项一(&A)");
        AppendMenuW(sub, MF_STRING, 202, u"子项二(&B)");
        AppendMenuW(menu, MF_STRING | MF_CHECKED, 101, u"新建(&N)");
        AppendMenuW(menu, MF_STRING, 102, u"打开(&O)\tCtrl+O");
        AppendMenuW(menu, MF_STRING | MF_GRAYED, 103, u"关闭(&C)");
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"更多(&M)");
        if (subOut) *subOut = sub;
        return menu;
    }
    static void Keys(std::initializer_list<UINT> keys) {
        for (UINT vk : keys) wintest::KeyPress(vk);
    }

    std::vector<std::string> FLog;
    std::function<void(HWND)> FIdle;
    std::vector<HWND> FWindows;
    std::vector<HMENU> FMenus;
};

std::vector<UINT> Ids(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
    return ids;
}

TEST_F(MenuTest, ItemsGoWhereTheirPositionOrCommandSays) {
    HMENU menu = Popup();
    ASSERT_TRUE(AppendMenuW(menu, MF_STRING, 10, u"a"));
    ASSERT_TRUE(AppendMenuW(menu, MF_STRING, 30, u"c"));
    EXPECT_TRUE(InsertMenuW(menu, 1, MF_BYPOSITION | MF_STRING, 20, u"b"));
    EXPECT_TRUE(InsertMenuW(menu, 10, MF_BYCOMMAND | MF_STRING, 5, u"before a"));
    EXPECT_TRUE(InsertMenuW(menu, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, 40, u"end"));
    EXPECT_TRUE(InsertMenuW(menu, 99, MF_BYPOSITION | MF_STRING, 50, u"past the end appends"));
    EXPECT_EQ(Ids(menu), (std::vector<UINT>{5, 10, 20, 30, 40, 50}));

    SetLastError(0);
    EXPECT_FALSE(InsertMenuW(menu, 77, MF_BYCOMMAND | MF_STRING, 60, u"nowhere"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
    EXPECT_FALSE(AppendMenuW(menu, MF_OWNERDRAW, 61, nullptr));
    EXPECT_FALSE(AppendMenuW(menu, MF_BITMAP, 62, nullptr));
    EXPECT_EQ(GetMenuItemCount(menu), 6);

    EXPECT_TRUE(ModifyMenuW(menu, 20, MF_BYCOMMAND | MF_STRING | MF_CHECKED, 21, u"b2"));
    EXPECT_EQ(GetMenuItemID(menu, 2), 21u);
    EXPECT_EQ(GetMenuState(menu, 21, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_TRUE(DeleteMenu(menu, 0, MF_BYPOSITION));
    EXPECT_TRUE(RemoveMenu(menu, 40, MF_BYCOMMAND));
    EXPECT_FALSE(RemoveMenu(menu, 40, MF_BYCOMMAND));
    EXPECT_EQ(Ids(menu), (std::vector<UINT>{10, 21, 30, 50}));
    EXPECT_EQ(GetMenuItemID(menu, 4), static_cast<UINT>(-1));

    HMENU bogus = reinterpret_cast<HMENU>(0x7);
    SetLastError(0);
    EXPECT_EQ(GetMenuItemCount(bogus), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    EXPECT_FALSE(AppendMenuW(bogus, MF_STRING, 1, u"x"));
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(DestroyMenu(menu));
}

TEST_F(MenuTest, CheckAndEnableAnswerThePreviousStateOrMinusOne) {
    HMENU menu = Popup();
    AppendMenuW(menu, MF_STRING, 1, u"one");
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 2, u"two");
    struct Case {
        bool check;
        UINT item;
        UINT flags;
        LONG expected;
        UINT stateAfter;
    } cases[] = {
        {true, 1, MF_BYCOMMAND | MF_CHECKED, MF_UNCHECKED, MF_CHECKED},
        {true, 1, MF_BYCOMMAND | MF_CHECKED, MF_CHECKED, MF_CHECKED},
        {true, 0, MF_BYPOSITION | MF_UNCHECKED, MF_CHECKED, 0},
        {true, 9, MF_BYCOMMAND | MF_CHECKED, -1, 0},
        {false, 2, MF_BYCOMMAND | MF_ENABLED, MF_GRAYED, 0},
        {false, 1, MF_BYPOSITION | MF_DISABLED, MF_ENABLED, MF_DISABLED},
        {false, 1, MF_BYPOSITION | MF_GRAYED, MF_DISABLED, MF_GRAYED},
        {false, 5, MF_BYPOSITION | MF_GRAYED, -1, 0},
    };
    for (const Case& c : cases) {
        LONG result = c.check ? static_cast<LONG>(CheckMenuItem(menu, c.item, c.flags))
                              : static_cast<LONG>(EnableMenuItem(menu, c.item, c.flags));
        EXPECT_EQ(result, c.expected) << (c.check ? "check " : "enable ") << c.item << " flags " << c.flags;
        if (c.expected != -1) {
            EXPECT_EQ(GetMenuState(menu, c.item, c.flags & MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED | MF_DISABLED),
                      c.stateAfter);
        }
    }
    EXPECT_EQ(GetMenuState(menu, 9, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_TRUE(CheckMenuRadioItem(menu, 0, 1, 1, MF_BYPOSITION));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(GetMenuItemInfoW(menu, 2, FALSE, &info));
    EXPECT_EQ(info.fType, static_cast<UINT>(MFT_RADIOCHECK));
    EXPECT_TRUE(info.fState & MFS_CHECKED);
}

TEST_F(MenuTest, StringsKeepTheirAmpersandsAndSeparatorsHaveNone) {
    HMENU menu = Popup();
    AppendMenuW(menu, MF_STRING, 1, u"&Open && save");
    AppendMenuA(menu, MF_STRING, 2, "通道(&T)");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);

    char16_t wide[32];
    EXPECT_EQ(GetMenuStringW(menu, 1, wide, 32, MF_BYCOMMAND), 13);
    EXPECT_EQ(std::u16string(wide), u"&Open && save");
    EXPECT_EQ(GetMenuStringW(menu, 1, nullptr, 0, MF_BYCOMMAND), 13);
    EXPECT_EQ(GetMenuStringW(menu, 0, wide, 4, MF_BYPOSITION), 3);
    EXPECT_EQ(std::u16string(wide), u"&Op");
    EXPECT_EQ(GetMenuStringW(menu, 1, wide, 32, MF_BYPOSITION), 6);
    EXPECT_EQ(std::u16string(wide), u"通道(&T)");
    char narrow[32];
    EXPECT_EQ(GetMenuStringA(menu, 2, narrow, 32, MF_BYCOMMAND), 8);  // two GBK characters of two bytes each
    EXPECT_EQ(std::string(narrow), "通道(&T)");
    EXPECT_EQ(GetMenuStringW(menu, 2, wide, 32, MF_BYPOSITION), 0);
    EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuStringW(menu, 7, wide, 32, MF_BYCOMMAND), 0);
}

TEST_F(MenuTest, SubmenusAreFoundByPositionAndTheirCommandsThroughTheParent) {
    HMENU sub = nullptr;
    HMENU menu = Sample(&sub);
    EXPECT_EQ(GetSubMenu(menu, 4), sub);
    EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
    EXPECT_EQ(GetMenuItemID(menu, 4), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuState(menu, 4, MF_BYPOSITION), (2u << 8) | MF_POPUP);
    // Commands are looked for in submenus too.
    EXPECT_EQ(CheckMenuItem(menu, 202, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(GetMenuState(sub, 1, MF_BYPOSITION), static_cast<UINT>(MF_CHECKED));
    EXPECT_TRUE(InsertMenuW(menu, 202, MF_BYCOMMAND | MF_STRING, 203, u"inserted in the submenu"));
    EXPECT_EQ(Ids(sub), (std::vector<UINT>{201, 203, 202}));

    HMENU keep = CreatePopupMenu();
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(keep), u"kept");
    EXPECT_TRUE(RemoveMenu(menu, 5, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(keep));
    DestroyMenu(keep);
    EXPECT_TRUE(DeleteMenu(menu, 4, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(sub));
}

TEST_F(MenuTest, ItemInformationInBothCharacterSets) {
    HMENU menu = Popup();
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_DATA;
    item.wID = 7;
    item.dwTypeData = const_cast<LPWSTR>(u"保存(&S)");
    item.fState = MFS_CHECKED | MFS_GRAYED;
    item.dwItemData = 0x1234;
    ASSERT_TRUE(InsertMenuItemW(menu, 0, TRUE, &item));

    MENUITEMINFOA query{};
    query.cbSize = sizeof query;
    query.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 7, FALSE, &query));
    EXPECT_EQ(query.cch, 8u);  // the length only, as there is no buffer
    EXPECT_EQ(query.wID, 7u);
    EXPECT_EQ(query.fState, static_cast<UINT>(MFS_CHECKED | MFS_GRAYED));
    EXPECT_EQ(query.dwItemData, 0x1234u);
    char text[16];
    query.dwTypeData = text;
    query.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 0, TRUE, &query));
    EXPECT_EQ(std::string(text), "保存(&S)");

    item.fMask = MIIM_STATE;
    item.fState = MFS_DEFAULT;
    EXPECT_TRUE(SetMenuItemInfoW(menu, 7, FALSE, &item));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), 7u);

    MENUITEMINFOW bad = item;
    bad.cbSize = sizeof bad - 4;
    EXPECT_FALSE(SetMenuItemInfoW(menu, 7, FALSE, &bad));
    bad = item;
    bad.fMask = MIIM_TYPE | MIIM_STRING;
    EXPECT_FALSE(SetMenuItemInfoW(menu, 7, FALSE, &bad));
    bad.fMask = MIIM_FTYPE;
    bad.fType = MFT_BITMAP;
    SetLastError(0);
    EXPECT_FALSE(SetMenuItemInfoW(menu, 7, FALSE, &bad));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(GetMenuItemInfoW(menu, 8, FALSE, &item));
}

TEST_F(MenuTest, DefaultItem) {
    HMENU sub = nullptr;
    HMENU menu = Sample(&sub);
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(-1));
    EXPECT_TRUE(SetMenuDefaultItem(menu, 1, TRUE));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), 102u);
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 1u);
    EXPECT_TRUE(GetMenuState(menu, 102, MF_BYCOMMAND) & MF_DEFAULT);
    // One default at a time; a grey default counts only when asked for.
    EXPECT_TRUE(SetMenuDefaultItem(menu, 103, FALSE));
    EXPECT_FALSE(GetMenuState(menu, 102, MF_BYCOMMAND) & MF_DEFAULT);
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED), 103u);
    // A submenu's command is not this menu's item.
    EXPECT_FALSE(SetMenuDefaultItem(menu, 201, FALSE));
    SetMenuDefaultItem(sub, 202, FALSE);
    SetMenuDefaultItem(menu, 4, TRUE);
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_GOINTOPOPUPS), 202u);
    EXPECT_TRUE(SetMenuDefaultItem(menu, static_cast<UINT>(-1), FALSE));
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), static_cast<UINT>(-1));
}

TEST_F(MenuTest, SystemMenuItemsFollowTheWindowsState) {
    const UINT commands[] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
    struct Case {
        const char* name;
        DWORD style;
        int show;
        const char16_t* cls;
        const char* enabled;  // one letter per command above: e enabled, g grey
        UINT defaultItem;
    } cases[] = {
        {"normal", WS_OVERLAPPEDWINDOW, SW_SHOWNORMAL, OwnerClass, "geeeee", SC_CLOSE},
        {"maximized", WS_OVERLAPPEDWINDOW, SW_MAXIMIZE, OwnerClass, "eggege", SC_CLOSE},
        {"minimized", WS_OVERLAPPEDWINDOW, SW_MINIMIZE, OwnerClass, "eeggee", SC_RESTORE},
        {"no close", WS_OVERLAPPEDWINDOW, SW_SHOWNORMAL, NoCloseClass, "geeeeg", SC_CLOSE},
        {"fixed size", WS_CAPTION | WS_SYSMENU, SW_SHOWNORMAL, OwnerClass, "geggge", SC_CLOSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND hwnd = MakeOwner(c.style | WS_VISIBLE, c.cls);
        ShowWindow(hwnd, c.show);
        wintest::PumpUntilIdle();
        HMENU menu = GetSystemMenu(hwnd, FALSE);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(Ids(menu), (std::vector<UINT>{SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0, SC_CLOSE}));
        EXPECT_EQ(GetMenuState(menu, 5, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
        for (size_t i = 0; i < 6; ++i) {
            bool grey = (GetMenuState(menu, commands[i], MF_BYCOMMAND) & MF_GRAYED) != 0;
            EXPECT_EQ(grey, c.enabled[i] == 'g') << "command " << Hex(commands[i]);
        }
        EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED), c.defaultItem);
        char16_t text[32];
        GetMenuStringW(menu, SC_CLOSE, text, 32, MF_BYCOMMAND);
        EXPECT_EQ(std::u16string(text), u"关闭(&C)\tAlt+F4");
        // The same menu comes back until it is reverted.
        EXPECT_EQ(GetSystemMenu(hwnd, FALSE), menu);
        EXPECT_EQ(GetSystemMenu(hwnd, TRUE), nullptr);
        EXPECT_FALSE(IsMenu(menu));
        DestroyWindow(hwnd);
    }
    HWND plain = MakeOwner(WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(GetSystemMenu(plain, FALSE), nullptr);
}

TEST_F(MenuTest, KeyboardChoosesTheSecondItem) {
    HWND owner = MakeOwner();
    HMENU menu = Sample();
    Keys({VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr), 102);
    wintest::PumpUntilIdle();
    for (const std::string& line : FLog) EXPECT_NE(line.rfind("command", 0), 0u) << line;

    // Up from nothing starts at the last item and skips the separator; Enter on a grey item does nothing; Esc
    // answers 0. Down wraps past the end.
    Keys({VK_UP, VK_UP, VK_RETURN, VK_ESCAPE});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr), 0);
    Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr), 101);
    Keys({VK_ESCAPE});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr), 0);
    // A mnemonic chooses its item at once.
    Keys({'O'});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr), 102);
}

std::vector<int>* FilterCodes = nullptr;

// Keeps the first Down key from the menu.
LRESULT EatFirstDown(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (FilterCodes && msg->message == WM_KEYDOWN) {
        FilterCodes->push_back(code);
        if (msg->wParam == VK_DOWN && FilterCodes->size() == 1) return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MenuTest, TheMenuLoopHandsKeysToTheMessageFilterAndSkipsWhatItKeeps) {
    HWND owner = MakeOwner();
    HMENU menu = Sample();
    std::vector<int> codes;
    FilterCodes = &codes;
    HHOOK hook = SetWindowsHookExW(WH_MSGFILTER, EatFirstDown, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    Keys({VK_DOWN, VK_DOWN, VK_RETURN});
    // One Down reached the menu: the first item.
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr), 101);
    UnhookWindowsHookEx(hook);
    FilterCodes = nullptr;
    EXPECT_EQ(codes, (std::vector<int>{MSGF_MENU, MSGF_MENU, MSGF_MENU}));
}

TEST_F(MenuTest, MouseClickChoosesAnItemAndAClickElsewhereCancels) {
    HWND owner = MakeOwner();
    HMENU menu = Sample();
    FIdle = [&](HWND) {
        RECT item;
        ASSERT_TRUE(GetMenuItemRect(owner, menu, 1, &item));
        POINT at = Centre(item);
        wintest::MouseClick(at.x, at.y);
    };
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr), 102);

    // A click on the grey item keeps the menu open; then one outside closes it.
    int idles = 0;
    FIdle = [&](HWND) {
        RECT item;
        ++idles;
        if (idles == 1 && GetMenuItemRect(owner, menu, 2, &item)) {
            wintest::MouseClick(Centre(item).x, Centre(item).y);
        } else {
            wintest::MouseClick(20, 20);
        }
    };
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr), 0);
    EXPECT_EQ(idles, 2);
    EXPECT_FALSE(GetMenuItemRect(owner, menu, 1, nullptr));
}

TEST_F(MenuTest, NotificationsAroundTheLoopAndTheCommandAfter) {
    HWND owner = MakeOwner();
    HMENU menu = Sample();
    Keys({VK_DOWN, VK_RETURN});
    EXPECT_TRUE(TrackPopupMenu(menu, TPM_LEFTALIGN, 150, 150, 0, owner, nullptr));
    std::vector<std::string> during = FLog;
    EXPECT_EQ(during,
              (std::vector<std::string>{"enter 1", "init " + Hex(reinterpret_cast<UINT_PTR>(menu)),
                                        "popup " + Hex(reinterpret_cast<UINT_PTR>(menu)) + " 0",
                                        "unpopup " + Hex(reinterpret_cast<UINT_PTR>(menu)), "select end", "exit 1"}));
    wintest::PumpUntilIdle();
    ASSERT_EQ(FLog.size(), during.size() + 1);
    EXPECT_EQ(FLog.back(), "command 101");

    // Without notifications the owner hears nothing, not even the command.
    FLog.clear();
    Keys({VK_DOWN, VK_RETURN});
    EXPECT_TRUE(TrackPopupMenu(menu, TPM_NONOTIFY, 150, 150, 0, owner, nullptr));
    wintest::PumpUntilIdle();
    EXPECT_TRUE(FLog.empty());

    SetLastError(0);
    EXPECT_FALSE(TrackPopupMenu(menu, 0x10000, 150, 150, 0, owner, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
    EXPECT_FALSE(TrackPopupMenu(menu, 0, 150, 150, 0, reinterpret_cast<HWND>(0x3), nullptr));
}

TEST_F(MenuTest, SubmenuOpensWithRightArrow) {
    HWND owner = MakeOwner();
    HMENU sub = nullptr;
    HMENU menu = Sample(&sub);
    Keys({VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr), 202);
    EXPECT_NE(std::find(FLog.begin(), FLog.end(), "popup " + Hex(reinterpret_cast<UINT_PTR>(sub)) + " 4"), FLog.end());

    // Left closes the submenu again, and Esc at the top closes the menu.
    Keys({VK_UP, VK_RIGHT, VK_LEFT, VK_ESCAPE});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr), 0);
}

TEST_F(MenuTest, SubmenuOpensWhenThePointerRestsOnItsItem) {
    HWND owner = MakeOwner();
    HMENU sub = nullptr;
    HMENU menu = Sample(&sub);
    RECT parentItem{}, subItem{};
    FIdle = [&](HWND) {
        if (GetMenuItemRect(owner, sub, 0, &subItem)) {
            wintest::MouseClick(Centre(subItem).x, Centre(subItem).y);
        } else if (GetMenuItemRect(owner, menu, 4, &parentItem)) {
            POINT at = Centre(parentItem);
            if (wintest::MousePosition().x != at.x || wintest::MousePosition().y != at.y)
                wintest::MouseMove(at.x, at.y);
        }
    };
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr), 201);
    // The submenu sits beside its item, its first item level with it.
    EXPECT_GT(subItem.left, parentItem.left);
    EXPECT_EQ(subItem.top, parentItem.top);
}

TEST_F(MenuTest, OwnerKeepsActivationAndFocus) {
    HWND owner = MakeOwner();
    HMENU menu = Sample();
    HWND seenPopup = nullptr;
    FIdle = [&](HWND popup) {
        seenPopup = popup;
        EXPECT_EQ(GetActiveWindow(), owner);
        EXPECT_EQ(GetFocus(), owner);
        EXPECT_EQ(GetCapture(), popup);
        EXPECT_TRUE(IsWindowVisible(popup));
        EXPECT_EQ(GetWindow(popup, GW_OWNER), owner);
        // A click on the menu does not activate it either.
        RECT item;
        GetMenuItemRect(owner, menu, 2, &item);
        wintest::MouseClick(Centre(item).x, Centre(item).y);
        FIdle = nullptr;
    };
    TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr);
    ASSERT_NE(seenPopup, nullptr);
    EXPECT_FALSE(IsWindow(seenPopup));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
    for (const std::string& line : FLog) {
        EXPECT_NE(line.rfind("activate", 0), 0u) << line;
        EXPECT_NE(line.rfind("ncactivate", 0), 0u) << line;
        EXPECT_NE(line, "killfocus");
    }
}

TEST_F(MenuTest, PopupPixels) {
    HWND owner = MakeOwner();
    HMENU menu = Sample();
    wintest::Picture picture;
    RECT items[2]{};
    POINT origin{};
    FIdle = [&](HWND popup) {
        picture = wintest::Screenshot(popup);
        GetMenuItemRect(owner, menu, 0, &items[0]);
        GetMenuItemRect(owner, menu, 1, &items[1]);
        RECT window;
        GetWindowRect(popup, &window);
        origin = POINT{window.left, window.top};
        wintest::KeyPress(VK_ESCAPE);
    };
    Keys({VK_DOWN, VK_DOWN});
    TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr);
    ASSERT_FALSE(picture.Empty());
    EXPECT_EQ(origin.x, 150);
    EXPECT_EQ(origin.y, 150);
    auto rgb = [](COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); };
    // The second item is highlighted across its width and the first is not.
    uint32_t highlight = rgb(GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(picture.At(items[1].left - origin.x + 1, items[1].top - origin.y + 1), highlight);
    EXPECT_EQ(picture.At(items[1].right - origin.x - 2, items[1].bottom - origin.y - 1), highlight);
    EXPECT_EQ(picture.At(items[0].left - origin.x + 1, items[0].top - origin.y + 1), rgb(GetSysColor(COLOR_MENU)));
    EXPECT_TRUE(MatchesGolden(std::string(TEST_SOURCE_DIR) + "/platform/win32/user/data/menu-popup.png", picture.Width,
                              picture.Height, picture.Pixels.data()));
}

TEST_F(MenuTest, PopupInTheVisualStyle) {
    wintest::ScopedVisualStyles styles(true);
    HWND owner = MakeOwner();
    HMENU menu = Sample();
    wintest::Picture picture;
    FIdle = [&](HWND popup) {
        picture = wintest::Screenshot(popup);
        wintest::KeyPress(VK_ESCAPE);
    };
    Keys({VK_DOWN, VK_DOWN});
    TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr);
    ASSERT_FALSE(picture.Empty());
    EXPECT_TRUE(MatchesGolden(std::string(TEST_SOURCE_DIR) + "/platform/win32/user/data/styled-menu-popup.png",
                              picture.Width, picture.Height, picture.Pixels.data()));
}

TEST_F(MenuTest, PlacementFollowsAlignmentAndAvoidsTheExcludedRectangle) {
    HWND owner = MakeOwner();
    HMENU menu = Sample();
    RECT placed{};
    FIdle = [&](HWND popup) {
        GetWindowRect(popup, &placed);
        wintest::KeyPress(VK_ESCAPE);
    };
    TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 400, 500, 0, owner, nullptr);
    EXPECT_EQ(placed.right, 400);
    EXPECT_EQ(placed.bottom, 500);
    int width = placed.right - placed.left, height = placed.bottom - placed.top;
    // Near the screen's bottom-right corner the menu stays on the screen.
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    TrackPopupMenu(menu, TPM_RETURNCMD, screenWidth - 5, screenHeight - 5, 0, owner, nullptr);
    EXPECT_LE(placed.right, screenWidth);
    EXPECT_LE(placed.bottom, screenHeight);
    EXPECT_EQ(placed.right - placed.left, width);
    EXPECT_EQ(placed.bottom - placed.top, height);

    TPMPARAMS params{sizeof(TPMPARAMS), RECT{100, 100, 300, 120}};
    TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_VERTICAL, 150, 105, owner, &params);
    EXPECT_EQ(placed.left, 150);
    EXPECT_EQ(placed.top, 120);
    TrackPopupMenuEx(menu, TPM_RETURNCMD, 150, 105, owner, &params);
    EXPECT_EQ(placed.left, 300);
    params.cbSize = 4;
    EXPECT_FALSE(TrackPopupMenuEx(menu, TPM_RETURNCMD, 150, 105, owner, &params));
}

}  // namespace
