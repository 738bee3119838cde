// The BUTTON class: clicks and Space on every kind, the automatic check boxes and radio groups, BM_ messages,
// WM_GETDLGCODE, the classic pictures of push buttons, and the dialog manager's keys over a window of buttons.
#include "WindowFixture.h"

#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

struct Command {
    int Id;
    int Code;
    HWND Control;
};

uint32_t Rgb(int index) {
    COLORREF c = GetSysColor(index);
    return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
}

// Buttons on a window of the logging class that records the WM_COMMAND notifications it gets.
class ButtonFixture : public WindowFixture {
protected:
    // Pictures and colours here are the classic look's.
    wintest::ScopedVisualStyles FClassic{false};
    HWND Parent = nullptr;
    std::vector<Command> Commands;

    void SetUp() override {
        WindowFixture::SetUp();
        Parent = Make(u"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 400, 300);
        ASSERT_NE(nullptr, Parent);
        OnMessage("parent", [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
            if (message != WM_COMMAND) return std::nullopt;
            Commands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
            return 0;
        });
        SetActiveWindow(Parent);
        wintest::ResetInput();
        wintest::PumpUntilIdle();
    }
    void TearDown() override {
        WindowFixture::TearDown();
        wintest::PumpUntilIdle();
    }

    HWND Add(DWORD style, int id, int x, int y, const char16_t* text = u"&Press", int width = 90, int height = 23) {
        HWND button = CreateWindowExW(0, u"BUTTON", text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, Parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        EXPECT_NE(nullptr, button);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return button;
    }
    static POINT Centre(HWND window) {
        RECT rect;
        GetWindowRect(window, &rect);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    static void Click(HWND window) {
        POINT p = Centre(window);
        wintest::MouseClick(p.x, p.y);
        wintest::PumpUntilIdle();
    }
    static void Space(HWND window) {
        SetFocus(window);
        wintest::KeyPress(VK_SPACE);
        wintest::PumpUntilIdle();
    }
    int Clicks(HWND control) const {
        int count = 0;
        for (const Command& command : Commands)
            if (command.Control == control && command.Code == BN_CLICKED) ++count;
        return count;
    }
};

TEST_F(ButtonFixture, TheClassIsASystemClassNamedButton) {
    HWND button = Add(BS_PUSHBUTTON, 1, 10, 10);
    WCHAR name[16] = {};
    GetClassNameW(button, name, 16);
    EXPECT_EQ(std::u16string(u"Button"), std::u16string(name));
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    EXPECT_NE(0, GetClassInfoExW(nullptr, u"button", &info));
    EXPECT_TRUE(info.style & CS_GLOBALCLASS);
}

TEST_F(ButtonFixture, MouseAndSpaceClickEveryKindAndTheAutomaticOnesToggle) {
    const struct {
        DWORD Style;
        LRESULT AfterOne;  // BM_GETCHECK after one click
        LRESULT AfterTwo;
    } cases[] = {
        {BS_PUSHBUTTON, BST_UNCHECKED, BST_UNCHECKED},
        {BS_DEFPUSHBUTTON, BST_UNCHECKED, BST_UNCHECKED},
        {BS_CHECKBOX, BST_UNCHECKED, BST_UNCHECKED},
        {BS_AUTOCHECKBOX, BST_CHECKED, BST_UNCHECKED},
        {BS_RADIOBUTTON, BST_UNCHECKED, BST_UNCHECKED},
        {BS_AUTORADIOBUTTON, BST_CHECKED, BST_CHECKED},
        {BS_AUTOCHECKBOX | BS_LEFTTEXT, BST_CHECKED, BST_UNCHECKED},
    };
    for (const auto& c : cases) {
        for (bool bySpace : {false, true}) {
            SCOPED_TRACE(testing::Message() << "style " << c.Style << (bySpace ? " space" : " mouse"));
            HWND button = Add(c.Style | WS_TABSTOP | WS_GROUP, 7, 10, 10);
            Commands.clear();
            bySpace ? Space(button) : Click(button);
            EXPECT_EQ(1, Clicks(button));
            EXPECT_EQ(7, Commands.empty() ? 0 : Commands.back().Id);
            EXPECT_EQ(c.AfterOne, SendMessageW(button, BM_GETCHECK, 0, 0));
            bySpace ? Space(button) : Click(button);
            EXPECT_EQ(2, Clicks(button));
            EXPECT_EQ(c.AfterTwo, SendMessageW(button, BM_GETCHECK, 0, 0));
            EXPECT_EQ(button, GetFocus());
            DestroyWindow(button);
        }
    }
}

TEST_F(ButtonFixture, APressShowsWhileThePointerIsOverItAndOnlyAReleaseInsideClicks) {
    HWND button = Add(BS_PUSHBUTTON, 3, 10, 10);
    POINT inside = Centre(button);
    wintest::MouseMove(inside.x, inside.y);
    wintest::MouseDown();
    wintest::PumpUntilIdle();
    EXPECT_EQ(BST_PUSHED | BST_FOCUS, SendMessageW(button, BM_GETSTATE, 0, 0));
    EXPECT_EQ(button, GetCapture());
    wintest::MouseMove(inside.x, inside.y + 100);
    wintest::PumpUntilIdle();
    EXPECT_EQ(BST_FOCUS, SendMessageW(button, BM_GETSTATE, 0, 0));
    wintest::MouseMove(inside.x + 5, inside.y);
    wintest::PumpUntilIdle();
    EXPECT_EQ(BST_PUSHED | BST_FOCUS, SendMessageW(button, BM_GETSTATE, 0, 0));
    wintest::MouseMove(inside.x, inside.y + 100);
    wintest::MouseUp();
    wintest::PumpUntilIdle();
    EXPECT_EQ(0, Clicks(button));
    EXPECT_EQ(nullptr, GetCapture());

    // Space held, then the focus taken away: no click either.
    SetFocus(button);
    wintest::KeyDown(VK_SPACE);
    wintest::PumpUntilIdle();
    EXPECT_TRUE(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
    SetFocus(Parent);
    wintest::KeyUp(VK_SPACE);
    wintest::PumpUntilIdle();
    EXPECT_EQ(0, SendMessageW(button, BM_GETSTATE, 0, 0));
    EXPECT_EQ(0, Clicks(button));
}

TEST_F(ButtonFixture, AnAutomaticRadioButtonClearsTheOthersOfItsGroupOnly) {
    HWND first = Add(BS_AUTORADIOBUTTON | WS_GROUP, 1, 10, 10);
    HWND second = Add(BS_AUTORADIOBUTTON, 2, 10, 40);
    HWND manual = Add(BS_RADIOBUTTON, 3, 10, 70);
    HWND check = Add(BS_AUTOCHECKBOX, 4, 10, 100);
    HWND otherGroup = Add(BS_AUTORADIOBUTTON | WS_GROUP, 5, 10, 130);
    for (HWND button : {first, manual, check, otherGroup}) SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    // Only the checked radio button of a group is its tab stop.
    EXPECT_TRUE(GetWindowLongPtrW(first, GWL_STYLE) & WS_TABSTOP);

    Click(second);
    const struct {
        HWND Button;
        LRESULT Check;
    } expected[] = {{first, BST_UNCHECKED},
                    {second, BST_CHECKED},
                    {manual, BST_CHECKED},
                    {check, BST_CHECKED},
                    {otherGroup, BST_CHECKED}};
    for (const auto& e : expected) EXPECT_EQ(e.Check, SendMessageW(e.Button, BM_GETCHECK, 0, 0));
    EXPECT_FALSE(GetWindowLongPtrW(first, GWL_STYLE) & WS_TABSTOP);
    EXPECT_TRUE(GetWindowLongPtrW(second, GWL_STYLE) & WS_TABSTOP);
}

TEST_F(ButtonFixture, MessagesAnswerAsWindowsDoes) {
    const struct {
        DWORD Style;
        LRESULT DialogCode;
    } cases[] = {
        {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
        {BS_CHECKBOX, DLGC_BUTTON},
        {BS_AUTOCHECKBOX, DLGC_BUTTON},
        {BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_GROUPBOX, DLGC_STATIC},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Style);
        HWND button = Add(c.Style, 9, 10, 10);
        EXPECT_EQ(c.DialogCode, SendMessageW(button, WM_GETDLGCODE, 0, 0));
        DestroyWindow(button);
    }

    // BM_SETSTYLE is the default toggle the dialog manager uses.
    HWND button = Add(BS_PUSHBUTTON, 9, 10, 10);
    SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_TRUE(GetWindowLongPtrW(button, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(DLGC_BUTTON | DLGC_DEFPUSHBUTTON, SendMessageW(button, WM_GETDLGCODE, 0, 0));
    SendMessageW(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK);

    // A push button has no check; BM_SETSTATE shows it pressed without a click.
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(button, BM_GETCHECK, 0, 0));
    SendMessageW(button, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(BST_PUSHED, SendMessageW(button, BM_GETSTATE, 0, 0));
    SendMessageW(button, BM_SETSTATE, FALSE, 0);
    EXPECT_EQ(0, SendMessageW(button, BM_GETSTATE, 0, 0));
    EXPECT_EQ(0, Clicks(button));

    // BM_CLICK clicks an enabled button only.
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(1, Clicks(button));
    EnableWindow(button, FALSE);
    SendMessageW(button, BM_CLICK, 0, 0);
    Click(button);
    EXPECT_EQ(1, Clicks(button));

    // The font and the text.
    HFONT font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    EXPECT_EQ(reinterpret_cast<LRESULT>(font), SendMessageW(button, WM_GETFONT, 0, 0));
    SetWindowTextW(button, u"新文字");
    WCHAR text[16] = {};
    GetWindowTextW(button, text, 16);
    EXPECT_EQ(std::u16string(u"新文字"), std::u16string(text));
}

TEST_F(ButtonFixture, FocusNotificationsComeOnlyWithBsNotify) {
    for (DWORD notify : {0ul, static_cast<unsigned long>(BS_NOTIFY)}) {
        SCOPED_TRACE(notify);
        HWND button = Add(BS_PUSHBUTTON | notify, 5, 10, 10);
        Commands.clear();
        SetFocus(button);
        SetFocus(Parent);
        std::vector<int> codes;
        for (const Command& command : Commands)
            if (command.Control == button) codes.push_back(command.Code);
        std::vector<int> expected;
        if (notify) expected = {BN_SETFOCUS, BN_KILLFOCUS};
        EXPECT_EQ(expected, codes);
        DestroyWindow(button);
    }
}

TEST_F(ButtonFixture, AMultilineCaptionWrapsAndStaysCentred) {
    auto textRows = [this](DWORD style) {
        HWND button = Add(BS_PUSHBUTTON | style, 1, 10, 10, u"WWW WWW WWW WWW", 75, 60);
        wintest::PumpUntilIdle();
        wintest::Picture picture = wintest::ScreenshotClient(button);
        DestroyWindow(button);
        std::vector<int> rows;
        for (int y = 3; y < 57; ++y)
            for (int x = 3; x < 72; ++x)
                if (picture.At(x, y) == Rgb(COLOR_BTNTEXT)) {
                    rows.push_back(y);
                    break;
                }
        return rows;
    };
    std::vector<int> single = textRows(0), multi = textRows(BS_MULTILINE);
    ASSERT_FALSE(single.empty());
    ASSERT_FALSE(multi.empty());
    EXPECT_GT(multi.back() - multi.front(), 2 * (single.back() - single.front()));
    // Centred: as much room above the wrapped lines as below them.
    EXPECT_LE(std::abs((multi.front() - 3) - (56 - multi.back())), 3);
}

// A class made from BUTTON through the ANSI functions, as the toolkit makes its controls: the procedure
// GetClassInfoExA hands out converts for the Unicode class, so code page 936 text arrives whole.
WNDPROC AnsiBase = nullptr;

LRESULT CALLBACK AnsiButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(AnsiBase, hwnd, message, wParam, lParam);
}

TEST_F(ButtonFixture, AnAnsiSubclassKeepsItsText) {
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    ASSERT_NE(0, GetClassInfoExA(nullptr, "BUTTON", &info));
    AnsiBase = info.lpfnWndProc;
    info.lpfnWndProc = AnsiButtonProc;
    info.style &= ~CS_GLOBALCLASS;
    info.lpszClassName = "AnsiButton";
    ASSERT_NE(0, RegisterClassExA(&info));
    HWND button = CreateWindowExA(0, "AnsiButton", "通道", WS_CHILD | WS_VISIBLE, 10, 10, 90, 23, Parent, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(nullptr, button);
    WCHAR text[8] = {};
    GetWindowTextW(button, text, 8);
    EXPECT_EQ(std::u16string(u"通道"), std::u16string(text));
    SetWindowTextA(button, "设置");
    GetWindowTextW(button, text, 8);
    EXPECT_EQ(std::u16string(u"设置"), std::u16string(text));
    DestroyWindow(button);
    UnregisterClassA("AnsiButton", nullptr);
}

TEST_F(ButtonFixture, KindsItCannotDrawAreRefused) {
    for (DWORD style : {0x5u /* three-state */, 0xBu /* owner-drawn */, 0x40u /* icon */}) {
        SCOPED_TRACE(style);
        EXPECT_EQ(nullptr, CreateWindowExW(0, u"BUTTON", u"x", WS_CHILD | style, 0, 0, 10, 10, Parent, nullptr, nullptr,
                                           nullptr));
    }
    HWND button = Add(BS_PUSHBUTTON, 1, 10, 10);
    SendMessageW(button, BM_SETSTYLE, 0xB, TRUE);
    EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK);
}

TEST_F(ButtonFixture, AGroupBoxLetsTheMouseThroughAndIsNeverClicked) {
    HWND group = Add(BS_GROUPBOX, 1, 10, 10, u"Group", 200, 100);
    HWND inside = Add(BS_PUSHBUTTON, 2, 40, 40);
    SetWindowPos(group, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Click(inside);
    EXPECT_EQ(1, Clicks(inside));
    RECT rect;
    GetWindowRect(group, &rect);
    wintest::MouseClick(rect.left + 5, rect.bottom - 5);
    wintest::PumpUntilIdle();
    EXPECT_EQ(0, Clicks(group));
    SendMessageW(group, BM_CLICK, 0, 0);
    EXPECT_EQ(0, Clicks(group));
}

// The classic pictures: the default button's black frame, the pressed default flat inside it with a shadow line,
// a pressed plain button sunken, disabled text embossed.
TEST_F(ButtonFixture, PushButtonsLookClassic) {
    struct Look {
        const char* Name;
        DWORD Style;
        bool Pressed;
        bool Enabled;
        uint32_t Corner;  // (0, 0)
        uint32_t Inner;   // (1, 1)
        uint32_t Third;   // (2, 2)
    };
    const Look looks[] = {
        {"plain", BS_PUSHBUTTON, false, true, Rgb(COLOR_BTNHIGHLIGHT), Rgb(COLOR_3DLIGHT), Rgb(COLOR_BTNFACE)},
        {"default", BS_DEFPUSHBUTTON, false, true, Rgb(COLOR_WINDOWFRAME), Rgb(COLOR_BTNHIGHLIGHT), Rgb(COLOR_3DLIGHT)},
        {"pressed default", BS_DEFPUSHBUTTON, true, true, Rgb(COLOR_WINDOWFRAME), Rgb(COLOR_BTNSHADOW),
         Rgb(COLOR_BTNFACE)},
        {"pressed plain", BS_PUSHBUTTON, true, true, Rgb(COLOR_3DDKSHADOW), Rgb(COLOR_BTNSHADOW), Rgb(COLOR_BTNFACE)},
        {"disabled", BS_PUSHBUTTON, false, false, Rgb(COLOR_BTNHIGHLIGHT), Rgb(COLOR_3DLIGHT), Rgb(COLOR_BTNFACE)},
    };
    for (const Look& look : looks) {
        SCOPED_TRACE(look.Name);
        HWND button = Add(look.Style, 1, 10, 10, u"WWW", 75, 23);
        EnableWindow(button, look.Enabled);
        SendMessageW(button, BM_SETSTATE, look.Pressed, 0);
        wintest::PumpUntilIdle();
        wintest::Picture picture = wintest::ScreenshotClient(button);
        ASSERT_EQ(75, picture.Width);
        EXPECT_EQ(look.Corner, picture.At(0, 0));
        EXPECT_EQ(look.Inner, picture.At(1, 1));
        EXPECT_EQ(look.Third, picture.At(2, 2));

        // The caption: black when enabled; highlight and shadow, no black, when disabled.
        int text = 0, highlight = 0, shadow = 0;
        for (int y = 5; y < 18; ++y)
            for (int x = 6; x < 69; ++x) {
                uint32_t pixel = picture.At(x, y);
                text += pixel == Rgb(COLOR_BTNTEXT);
                highlight += pixel == Rgb(COLOR_BTNHIGHLIGHT);
                shadow += pixel == Rgb(COLOR_BTNSHADOW);
            }
        EXPECT_EQ(look.Enabled, text > 0);
        EXPECT_EQ(!look.Enabled, highlight > 0 && shadow > 0);
        DestroyWindow(button);
    }

    // Pressed, the caption moves one pixel down and right.
    HWND button = Add(BS_PUSHBUTTON, 1, 10, 10, u"WWW", 75, 23);
    wintest::PumpUntilIdle();
    wintest::Picture up = wintest::ScreenshotClient(button);
    SendMessageW(button, BM_SETSTATE, TRUE, 0);
    wintest::PumpUntilIdle();
    wintest::Picture down = wintest::ScreenshotClient(button);
    int moved = 0, same = 0;
    for (int y = 5; y < 17; ++y)
        for (int x = 6; x < 68; ++x)
            if (up.At(x, y) == Rgb(COLOR_BTNTEXT)) (down.At(x + 1, y + 1) == Rgb(COLOR_BTNTEXT) ? moved : same)++;
    EXPECT_GT(moved, 0);
    EXPECT_EQ(0, same);
}

TEST_F(ButtonFixture, TheFocusRectangleFollowsTheFocus) {
    HWND button = Add(BS_PUSHBUTTON, 1, 10, 10, u"", 75, 23);
    HWND other = Add(BS_AUTOCHECKBOX, 2, 10, 50, u"", 75, 17);
    wintest::PumpUntilIdle();
    wintest::Picture before = wintest::ScreenshotClient(button);
    SetFocus(button);
    wintest::PumpUntilIdle();
    wintest::Picture focused = wintest::ScreenshotClient(button);
    // Dots along a line three pixels inside the edge; the middle of the face stays.
    int dots = 0;
    for (int x = 3; x < 72; ++x) dots += before.At(x, 3) != focused.At(x, 3);
    EXPECT_GT(dots, 20);
    EXPECT_EQ(before.At(37, 11), focused.At(37, 11));
    SetFocus(other);
    wintest::PumpUntilIdle();
    EXPECT_TRUE(before.Pixels == wintest::ScreenshotClient(button).Pixels);
}

// A window of buttons run through IsDialogMessage, as a dialog's loop runs them.
class DialogKeys : public ButtonFixture {
protected:
    void Press(UINT vk, unsigned modifiers = wintest::NoModifiers) {
        wintest::KeyPress(vk, modifiers);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            if (!IsDialogMessageW(Parent, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
    }
};

TEST_F(DialogKeys, TabArrowsEnterEscAndMnemonics) {
    HWND ok = Add(BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, 10, 10, u"OK");
    HWND cancel = Add(BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 110, 10, u"Cancel");
    HWND disabled = Add(BS_PUSHBUTTON | WS_TABSTOP, 3, 210, 10, u"Off");
    EnableWindow(disabled, FALSE);
    HWND red = Add(BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 10, 10, 50, u"&Red");
    HWND green = Add(BS_AUTORADIOBUTTON, 11, 10, 80, u"&Green");
    HWND box = Add(BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 12, 10, 110, u"&Clock");
    SendMessageW(red, BM_SETCHECK, BST_CHECKED, 0);
    SetFocus(ok);

    // Tab skips the disabled button and goes round; the default frame follows the focus among push buttons.
    const struct {
        UINT Key;
        unsigned Modifiers;
        HWND Focus;
        HWND Default;
    } moves[] = {
        {VK_TAB, wintest::NoModifiers, cancel, cancel},
        {VK_TAB, wintest::NoModifiers, red, cancel},
        {VK_TAB, wintest::NoModifiers, box, cancel},
        {VK_TAB, wintest::NoModifiers, ok, ok},
        {VK_TAB, wintest::Shift, box, ok},
    };
    for (const auto& m : moves) {
        Press(m.Key, m.Modifiers);
        EXPECT_EQ(m.Focus, GetFocus());
        EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongPtrW(m.Default, GWL_STYLE) & BS_TYPEMASK);
        for (HWND push : {ok, cancel})
            if (push != m.Default) {
                EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongPtrW(push, GWL_STYLE) & BS_TYPEMASK);
            }
    }

    // Arrows move within the radio group and choose as they go.
    SetFocus(red);
    Press(VK_DOWN);
    EXPECT_EQ(green, GetFocus());
    EXPECT_EQ(BST_CHECKED, SendMessageW(green, BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(red, BM_GETCHECK, 0, 0));

    // Enter presses the default push button, Esc is IDCANCEL, a mnemonic clicks its control.
    Commands.clear();
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    Press('C', wintest::Alt);
    Press('R');
    ASSERT_EQ(4u, Commands.size());
    EXPECT_EQ(IDOK, Commands[0].Id);
    EXPECT_EQ(ok, Commands[0].Control);
    EXPECT_EQ(IDCANCEL, Commands[1].Id);
    EXPECT_EQ(cancel, Commands[1].Control);
    EXPECT_EQ(box, Commands[2].Control);
    EXPECT_EQ(BST_CHECKED, SendMessageW(box, BM_GETCHECK, 0, 0));
    EXPECT_EQ(red, Commands[3].Control);
    EXPECT_EQ(red, GetFocus());
    EXPECT_EQ(BST_CHECKED, SendMessageW(red, BM_GETCHECK, 0, 0));
}

TEST_F(DialogKeys, MessagesOfOtherWindowsAreNotTheDialogs) {
    HWND other = Make(u"other", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    MSG msg{other, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_FALSE(IsDialogMessageW(Parent, &msg));
    DestroyWindow(other);
    HWND ok = Add(BS_PUSHBUTTON | WS_TABSTOP, IDOK, 10, 10, u"OK");
    EXPECT_EQ(ok, GetDlgItem(Parent, IDOK));
    EXPECT_EQ(IDOK, GetDlgCtrlID(ok));
    SetLastError(0);
    EXPECT_EQ(nullptr, GetDlgItem(Parent, 99));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND), GetLastError());
}

}  // namespace
