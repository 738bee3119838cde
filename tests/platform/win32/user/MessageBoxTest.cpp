// Message boxes answered by the test through the modal-answer queue: icons, the default button, Esc and Alt+F4,
// focus moves and mnemonics, clicks, the disabled owner, argument checks, WM_QUIT and the classic picture.
#include <testing/Testing.h>

#include <Png.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

LRESULT OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The box's buttons from left to right.
std::vector<HWND> Buttons(HWND box) {
    std::vector<HWND> buttons;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) buttons.push_back(child);
    std::sort(buttons.begin(), buttons.end(), [](HWND a, HWND b) {
        RECT ra, rb;
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    return buttons;
}

POINT Centre(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

struct Key {
    UINT Vk;
    unsigned Modifiers;
};

class MessageBoxFixture : public ::testing::Test {
protected:
    // Pictures and colours here are the classic look's.
    wintest::ScopedVisualStyles FClassic{false};
    HWND Owner = nullptr;

    void SetUp() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = OwnerProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = u"MessageBoxOwner";
        RegisterClassExW(&wc);
        Owner = CreateWindowExW(0, u"MessageBoxOwner", u"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 500, 400,
                                nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, Owner);
        SetActiveWindow(Owner);
        wintest::ResetInput();
        wintest::PumpUntilIdle();
    }
    void TearDown() override {
        EXPECT_EQ(0u, wintest::PendingModalAnswers()) << "a box was expected and did not come";
        if (Owner) DestroyWindow(Owner);
        wintest::PumpUntilIdle();
        UnregisterClassW(u"MessageBoxOwner", nullptr);
    }

    // Queues keys for the next box and, before they go, lets the test look at the box. Keys an earlier box left
    // unread (those after its answer) are dropped first.
    static void Answer(std::vector<Key> keys, std::function<void(HWND)> look = nullptr) {
        wintest::QueueModalAnswer([keys, look](HWND box) {
            wintest::ResetInput();
            MSG unread;
            while (PeekMessageW(&unread, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {}
            if (look) look(box);
            for (const Key& key : keys) wintest::KeyPress(key.Vk, key.Modifiers);
        });
    }
};

using wintest::Alt;
using wintest::NoModifiers;
using wintest::Shift;

// The icon's own picture on the button face colour, as the box should show it.
wintest::Picture IconPicture(LPCSTR id) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 32, 32};
    FillRect(dc, &all, GetSysColorBrush(COLOR_3DFACE));
    DrawIconEx(dc, 0, 0, LoadIconA(nullptr, id), 32, 32, 0, nullptr, DI_NORMAL);
    wintest::Picture picture;
    picture.Width = picture.Height = 32;
    picture.Pixels.assign(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + 32 * 32);
    for (uint32_t& pixel : picture.Pixels) pixel &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return picture;
}

bool Contains(const wintest::Picture& big, const wintest::Picture& small) {
    for (int y = 0; y + small.Height <= big.Height; ++y)
        for (int x = 0; x + small.Width <= big.Width; ++x) {
            bool same = true;
            for (int sy = 0; same && sy < small.Height; ++sy)
                for (int sx = 0; same && sx < small.Width; ++sx) same = big.At(x + sx, y + sy) == small.At(sx, sy);
            if (same) return true;
        }
    return false;
}

TEST_F(MessageBoxFixture, EachIconShowsItsPictureAndBeeps) {
    const struct {
        UINT Type;
        LPCSTR Icon;
    } cases[] = {{MB_ICONHAND, IDI_HAND},
                 {MB_ICONQUESTION, IDI_QUESTION},
                 {MB_ICONEXCLAMATION, IDI_EXCLAMATION},
                 {MB_ICONASTERISK, IDI_ASTERISK}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Type);
        int beeps = wintest::BeepCount();
        wintest::Picture shown, other;
        Answer({{VK_RETURN, NoModifiers}}, [&](HWND box) { shown = wintest::ScreenshotClient(box); });
        EXPECT_EQ(IDOK, MessageBoxW(Owner, u"图标", u"icon", MB_OK | c.Type));
        EXPECT_EQ(beeps + 1, wintest::BeepCount());
        EXPECT_TRUE(Contains(shown, IconPicture(c.Icon)));
        // The other icons are not there.
        for (const auto& d : cases) {
            if (d.Icon != c.Icon) {
                EXPECT_FALSE(Contains(shown, IconPicture(d.Icon)));
            }
        }
    }
}

TEST_F(MessageBoxFixture, EnterPressesTheDefaultButton) {
    const struct {
        UINT Type;
        int Expected;
    } cases[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_YESNO | MB_DEFBUTTON2, IDNO},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
        {MB_RETRYCANCEL, IDRETRY},
        {MB_CANCELTRYCONTINUE | MB_DEFBUTTON3, IDCONTINUE},
        {MB_YESNO | MB_DEFBUTTON3, IDYES},  // past the last button: the first is the default
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Type);
        Answer({{VK_RETURN, NoModifiers}});
        EXPECT_EQ(c.Expected, MessageBoxW(Owner, u"text", u"caption", c.Type));
    }
}

TEST_F(MessageBoxFixture, EscAndCloseAnswerCancelOrOkAndAreRefusedWithoutThem) {
    const struct {
        UINT Type;
        Key Close;
        int Expected;  // 0: refused, so the following Enter answers with the default button
    } cases[] = {
        {MB_OK, {VK_ESCAPE, NoModifiers}, IDOK},
        {MB_OKCANCEL, {VK_ESCAPE, NoModifiers}, IDCANCEL},
        {MB_YESNOCANCEL, {VK_ESCAPE, NoModifiers}, IDCANCEL},
        {MB_RETRYCANCEL, {VK_ESCAPE, NoModifiers}, IDCANCEL},
        {MB_CANCELTRYCONTINUE, {VK_ESCAPE, NoModifiers}, IDCANCEL},
        {MB_YESNO, {VK_ESCAPE, NoModifiers}, 0},
        {MB_ABORTRETRYIGNORE, {VK_ESCAPE, NoModifiers}, 0},
        {MB_OKCANCEL, {VK_F4, Alt}, IDCANCEL},
        {MB_OK, {VK_F4, Alt}, IDOK},
        {MB_YESNO, {VK_F4, Alt}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Type << " key " << c.Close.Vk);
        Answer({c.Close, {VK_RETURN, NoModifiers}});
        int defaultAnswer = (c.Type == MB_YESNO) ? IDYES : IDABORT;
        EXPECT_EQ(c.Expected ? c.Expected : defaultAnswer, MessageBoxW(Owner, u"text", u"caption", c.Type));
    }
}

// Where the caption's close button is, found through hit testing along the caption's middle row.
bool CloseButtonPoint(HWND box, POINT& point) {
    RECT window, client;
    GetWindowRect(box, &window);
    GetClientRect(box, &client);
    POINT clientTop{0, 0};
    ClientToScreen(box, &clientTop);
    int y = (window.top + clientTop.y) / 2;
    for (int x = window.right - 1; x > window.left; --x)
        if (SendMessageW(box, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
            point = {x - 3, y};
            return true;
        }
    return false;
}

TEST_F(MessageBoxFixture, TheCloseButtonAnswersLikeEscAndIsDisabledWithoutCancel) {
    const struct {
        UINT Type;
        int Expected;
        bool Disabled;
    } cases[] = {{MB_OKCANCEL, IDCANCEL, false},
                 {MB_OK, IDOK, false},
                 {MB_YESNO, IDYES, true},
                 {MB_ABORTRETRYIGNORE, IDABORT, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Type);
        bool disabled = false;
        wintest::QueueModalAnswer([&](HWND box) {
            disabled = GetClassLongPtrW(box, GCL_STYLE) & CS_NOCLOSE;
            POINT close;
            ASSERT_TRUE(CloseButtonPoint(box, close));
            wintest::MouseClick(close.x, close.y);
            wintest::KeyPress(VK_RETURN);
        });
        EXPECT_EQ(c.Expected, MessageBoxW(Owner, u"text", nullptr, c.Type));
        EXPECT_EQ(c.Disabled, disabled);
    }
}

TEST_F(MessageBoxFixture, FocusMovesBetweenButtonsAndTakesTheDefault) {
    const struct {
        std::vector<Key> Keys;
        int Expected;
    } cases[] = {
        {{{VK_TAB, NoModifiers}, {VK_RETURN, NoModifiers}}, IDNO},
        {{{VK_TAB, Shift}, {VK_RETURN, NoModifiers}}, IDCANCEL},  // wraps backwards
        {{{VK_RIGHT, NoModifiers}, {VK_RIGHT, NoModifiers}, {VK_RETURN, NoModifiers}}, IDCANCEL},
        {{{VK_TAB, NoModifiers}, {VK_TAB, NoModifiers}, {VK_TAB, NoModifiers}, {VK_RETURN, NoModifiers}}, IDYES},
        {{{VK_DOWN, NoModifiers}, {VK_UP, NoModifiers}, {VK_LEFT, NoModifiers}, {VK_RETURN, NoModifiers}}, IDCANCEL},
        {{{VK_TAB, NoModifiers}, {VK_SPACE, NoModifiers}}, IDNO},
        {{{VK_SPACE, NoModifiers}}, IDYES},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        Answer(c.Keys);
        EXPECT_EQ(c.Expected, MessageBoxW(Owner, u"text", u"caption", MB_YESNOCANCEL));
    }
}

TEST_F(MessageBoxFixture, TheFocusedButtonCarriesTheDefaultFrame) {
    Answer({{VK_TAB, NoModifiers}, {VK_ESCAPE, NoModifiers}}, [](HWND box) {
        std::vector<HWND> buttons = Buttons(box);
        ASSERT_EQ(2u, buttons.size());
        EXPECT_EQ(buttons[1], GetFocus());
        EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongPtrW(buttons[1], GWL_STYLE) & 0xF);
        EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongPtrW(buttons[0], GWL_STYLE) & 0xF);
        EXPECT_EQ(IDOK, GetWindowLongPtrW(buttons[0], GWLP_ID));
        EXPECT_EQ(IDCANCEL, GetWindowLongPtrW(buttons[1], GWLP_ID));
        wintest::KeyPress(VK_TAB);
        wintest::PumpUntilIdle();
        EXPECT_EQ(buttons[0], GetFocus());
        EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongPtrW(buttons[0], GWL_STYLE) & 0xF);
        EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongPtrW(buttons[1], GWL_STYLE) & 0xF);
    });
    EXPECT_EQ(IDCANCEL, MessageBoxW(Owner, u"text", u"caption", MB_OKCANCEL | MB_DEFBUTTON2));
}

TEST_F(MessageBoxFixture, MnemonicsPressTheirButtons) {
    const struct {
        UINT Type;
        Key Press;
        int Expected;
    } cases[] = {
        {MB_YESNO, {'N', NoModifiers}, IDNO},
        {MB_YESNO, {'Y', Alt}, IDYES},
        {MB_YESNOCANCEL, {'N', Alt}, IDNO},
        {MB_ABORTRETRYIGNORE, {'I', NoModifiers}, IDIGNORE},
        {MB_ABORTRETRYIGNORE, {'R', NoModifiers}, IDRETRY},
        {MB_RETRYCANCEL | MB_DEFBUTTON2, {'R', NoModifiers}, IDRETRY},
        {MB_CANCELTRYCONTINUE, {'T', NoModifiers}, IDTRYAGAIN},
        {MB_CANCELTRYCONTINUE, {'C', Alt}, IDCONTINUE},
        {MB_OKCANCEL, {'X', NoModifiers}, IDOK},  // no such mnemonic: Enter answers
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Type << " " << static_cast<char>(c.Press.Vk));
        Answer({c.Press, {VK_RETURN, NoModifiers}});
        EXPECT_EQ(c.Expected, MessageBoxW(Owner, u"text", u"caption", c.Type));
    }
}

TEST_F(MessageBoxFixture, AClickOnAButtonAnswersAndADragOffDoesNot) {
    wintest::QueueModalAnswer([](HWND box) {
        std::vector<HWND> buttons = Buttons(box);
        ASSERT_EQ(3u, buttons.size());
        // Pressed on Cancel, released outside: nothing; then a click on No.
        POINT cancel = Centre(buttons[2]);
        wintest::MouseMove(cancel.x, cancel.y);
        wintest::MouseDown();
        wintest::MouseMove(cancel.x, cancel.y - 100);
        wintest::MouseUp();
        POINT no = Centre(buttons[1]);
        wintest::MouseClick(no.x, no.y);
    });
    EXPECT_EQ(IDNO, MessageBoxW(Owner, u"text", u"caption", MB_YESNOCANCEL));
}

TEST_F(MessageBoxFixture, TheOwnerIsDisabledMeanwhileAndActiveAfter) {
    HWND child = CreateWindowExW(0, u"MessageBoxOwner", u"", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, Owner, nullptr,
                                 nullptr, nullptr);
    bool ownerEnabled = true;
    HWND boxOwner = nullptr, active = nullptr;
    Answer({{VK_RETURN, NoModifiers}}, [&](HWND box) {
        ownerEnabled = IsWindowEnabled(Owner);
        boxOwner = GetWindow(box, GW_OWNER);
        active = GetActiveWindow();
        EXPECT_TRUE(active == box);
        // Centred on the owner.
        POINT boxCentre = Centre(box), ownerCentre = Centre(Owner);
        EXPECT_LE(std::abs(boxCentre.x - ownerCentre.x), 1);
        EXPECT_LE(std::abs(boxCentre.y - ownerCentre.y), 1);
    });
    // A child window's top-level window owns the box.
    EXPECT_EQ(IDOK, MessageBoxW(child, u"text", u"caption", MB_OK));
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(Owner, boxOwner);
    EXPECT_TRUE(IsWindowEnabled(Owner));
    EXPECT_EQ(Owner, GetActiveWindow());

    // An owner that was disabled before stays disabled.
    EnableWindow(Owner, FALSE);
    Answer({{VK_RETURN, NoModifiers}});
    EXPECT_EQ(IDOK, MessageBoxW(Owner, u"text", u"caption", MB_OK));
    EXPECT_FALSE(IsWindowEnabled(Owner));
    EnableWindow(Owner, TRUE);
}

TEST_F(MessageBoxFixture, WithoutOwnerTheBoxStandsAloneWithTheDefaultCaption) {
    std::u16string caption;
    HWND boxOwner = Owner;
    bool ownerEnabled = false;
    Answer({{VK_RETURN, NoModifiers}}, [&](HWND box) {
        WCHAR text[32] = {};
        GetWindowTextW(box, text, 32);
        caption = text;
        boxOwner = GetWindow(box, GW_OWNER);
        ownerEnabled = IsWindowEnabled(Owner);
    });
    EXPECT_EQ(IDOK, MessageBoxW(nullptr, u"text", nullptr, MB_OK));
    EXPECT_EQ(u"错误", caption);
    EXPECT_EQ(nullptr, boxOwner);
    EXPECT_TRUE(ownerEnabled);

    // MB_TASKMODAL without an owner disables the thread's top-level windows instead.
    Answer({{VK_RETURN, NoModifiers}}, [&](HWND) { ownerEnabled = IsWindowEnabled(Owner); });
    EXPECT_EQ(IDOK, MessageBoxW(nullptr, u"text", nullptr, MB_OK | MB_TASKMODAL));
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(Owner));
}

TEST_F(MessageBoxFixture, TheAnsiFunctionReadsCodePage936) {
    std::u16string caption;
    wintest::Picture wide, narrow;
    Answer({{VK_RETURN, NoModifiers}}, [&](HWND box) { wide = wintest::ScreenshotClient(box); });
    MessageBoxW(Owner, u"通道 1 的设置已保存。", u"提示", MB_OK | MB_ICONASTERISK);
    Answer({{VK_RETURN, NoModifiers}}, [&](HWND box) {
        narrow = wintest::ScreenshotClient(box);
        WCHAR text[32] = {};
        GetWindowTextW(box, text, 32);
        caption = text;
    });
    EXPECT_EQ(IDOK, MessageBoxA(Owner, "通道 1 的设置已保存。", "提示", MB_OK | MB_ICONASTERISK));
    EXPECT_EQ(u"提示", caption);
    ASSERT_FALSE(wide.Empty());
    EXPECT_EQ(wide.Width, narrow.Width);
    EXPECT_EQ(wide.Height, narrow.Height);
    EXPECT_TRUE(wide.Pixels == narrow.Pixels);

    Answer({{VK_RETURN, NoModifiers}}, [&](HWND box) {
        WCHAR text[32] = {};
        GetWindowTextW(box, text, 32);
        caption = text;
    });
    EXPECT_EQ(IDOK, MessageBoxA(nullptr, "text", nullptr, MB_OK));
    EXPECT_EQ(u"错误", caption);
}

TEST_F(MessageBoxFixture, LongTextWrapsAtFiveEighthsOfTheScreen) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT shortBox{}, longBox{};
    Answer({{VK_RETURN, NoModifiers}}, [&](HWND box) { GetWindowRect(box, &shortBox); });
    MessageBoxW(nullptr, u"短", u"caption", MB_OK);
    std::u16string text;
    for (int i = 0; i < 40; ++i) text += u"一段很长的说明文字 ";
    Answer({{VK_RETURN, NoModifiers}}, [&](HWND box) { GetWindowRect(box, &longBox); });
    MessageBoxW(nullptr, text.c_str(), u"caption", MB_OK);

    int shortWidth = shortBox.right - shortBox.left, longWidth = longBox.right - longBox.left;
    EXPECT_LT(shortWidth, longWidth);
    EXPECT_LE(longWidth, (work.right - work.left) * 5 / 8);
    EXPECT_GT(longWidth, (work.right - work.left) / 2);
    EXPECT_GT(longBox.bottom - longBox.top, (shortBox.bottom - shortBox.top) + 40) << "the text should wrap";
    // Centred in the work area without an owner.
    EXPECT_LE(std::abs((longBox.left + longBox.right) / 2 - (work.left + work.right) / 2), 1);
    EXPECT_LE(std::abs((longBox.top + longBox.bottom) / 2 - (work.top + work.bottom) / 2), 1);
}

TEST_F(MessageBoxFixture, ChineseTextWithoutSpacesWrapsToo) {
    RECT work, box{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    std::u16string text;
    for (int i = 0; i < 120; ++i) text += u"通道设置";
    Answer({{VK_RETURN, NoModifiers}}, [&](HWND hwnd) { GetWindowRect(hwnd, &box); });
    MessageBoxW(nullptr, text.c_str(), u"caption", MB_OK);
    EXPECT_LE(box.right - box.left, (work.right - work.left) * 5 / 8);
}

TEST_F(MessageBoxFixture, StylesFollowTheFlags) {
    const struct {
        UINT Type;
        bool Topmost;
    } cases[] = {
        {MB_OK, false}, {MB_OK | MB_TOPMOST, true}, {MB_OK | MB_SYSTEMMODAL, true}, {MB_OK | MB_SETFOREGROUND, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Type);
        LONG_PTR style = 0, exStyle = 0;
        Answer({{VK_RETURN, NoModifiers}}, [&](HWND box) {
            style = GetWindowLongPtrW(box, GWL_STYLE);
            exStyle = GetWindowLongPtrW(box, GWL_EXSTYLE);
        });
        EXPECT_EQ(IDOK, MessageBoxW(Owner, u"text", u"caption", c.Type));
        EXPECT_EQ(WS_POPUP | WS_CAPTION | WS_SYSMENU, style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME));
        EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
        EXPECT_EQ(c.Topmost, (exStyle & WS_EX_TOPMOST) != 0);
    }

    // MB_RIGHT moves the shorter line to the right, in a box of the same size.
    wintest::Picture left, right;
    Answer({{VK_RETURN, NoModifiers}}, [&](HWND box) { left = wintest::ScreenshotClient(box); });
    MessageBoxW(Owner, u"a longer first line\nshort", u"caption", MB_OK);
    Answer({{VK_RETURN, NoModifiers}}, [&](HWND box) { right = wintest::ScreenshotClient(box); });
    MessageBoxW(Owner, u"a longer first line\nshort", u"caption", MB_OK | MB_RIGHT);
    EXPECT_EQ(left.Width, right.Width);
    EXPECT_EQ(left.Height, right.Height);
    EXPECT_FALSE(left.Pixels == right.Pixels);
}

TEST_F(MessageBoxFixture, BadArgumentsFailWithoutABox) {
    const struct {
        HWND Owner;
        UINT Type;
        WORD Language;
        DWORD Error;
    } cases[] = {
        {nullptr, 7, 0, ERROR_INVALID_MSGBOX_STYLE},
        {nullptr, MB_OK | 0x50, 0, ERROR_INVALID_MSGBOX_STYLE},
        {nullptr, MB_OK | MB_USERICON, 0, ERROR_INVALID_MSGBOX_STYLE},
        {nullptr, MB_OK | MB_HELP, 0, ERROR_INVALID_MSGBOX_STYLE},
        {nullptr, MB_OK | (MB_DEFBUTTON4 + 0x100), 0, ERROR_INVALID_MSGBOX_STYLE},
        {nullptr, MB_OK | MB_SYSTEMMODAL | MB_TASKMODAL, 0, ERROR_INVALID_MSGBOX_STYLE},
        {reinterpret_cast<HWND>(0x7FFF0001), MB_OK, 0, ERROR_INVALID_WINDOW_HANDLE},
        {nullptr, MB_OK, 0x0409, ERROR_RESOURCE_LANG_NOT_FOUND},
    };
    int beeps = wintest::BeepCount();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Type);
        SetLastError(0);
        EXPECT_EQ(0, MessageBoxExW(c.Owner, u"text", u"caption", c.Type, c.Language));
        EXPECT_EQ(c.Error, GetLastError());
    }
    EXPECT_EQ(beeps, wintest::BeepCount());
    // The Chinese language is the desktop's own.
    Answer({{VK_RETURN, NoModifiers}});
    EXPECT_EQ(IDOK, MessageBoxExW(Owner, u"text", u"caption", MB_OK, 0x0804));
}

TEST_F(MessageBoxFixture, AQuitRequestEndsTheBoxAndIsPostedAgain) {
    wintest::QueueModalAnswer([](HWND) { PostQuitMessage(7); });
    EXPECT_EQ(0, MessageBoxW(Owner, u"text", u"caption", MB_OKCANCEL));
    EXPECT_TRUE(IsWindowEnabled(Owner));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), msg.message);
    EXPECT_EQ(7u, msg.wParam);
}

TEST_F(MessageBoxFixture, AnOkCancelQuestionBoxLooksClassic) {
    wintest::Picture client;
    Answer({{VK_ESCAPE, NoModifiers}}, [&](HWND box) { client = wintest::ScreenshotClient(box); });
    EXPECT_EQ(IDCANCEL, MessageBoxW(Owner, u"是否保存对通道 1 的修改？\n\tSave the changes?", u"确认",
                                    MB_OKCANCEL | MB_ICONQUESTION));
    ASSERT_FALSE(client.Empty());
    EXPECT_TRUE(testsupport::MatchesGolden(
        std::string(TEST_SOURCE_DIR) + "/platform/win32/user/data/messagebox-okcancel-question.png", client.Width,
        client.Height, client.Pixels.data()));
}

TEST_F(MessageBoxFixture, AnOkCancelQuestionBoxInTheVisualStyle) {
    // The whole box: its frame and caption, background, text and buttons all in the style.
    wintest::ScopedVisualStyles styles(true);
    wintest::Picture box;
    Answer({{VK_ESCAPE, NoModifiers}}, [&](HWND hwnd) { box = wintest::Screenshot(hwnd); });
    EXPECT_EQ(IDCANCEL, MessageBoxW(Owner, u"是否保存对通道 1 的修改？\n\tSave the changes?", u"确认",
                                    MB_OKCANCEL | MB_ICONQUESTION));
    ASSERT_FALSE(box.Empty());
    EXPECT_TRUE(testsupport::MatchesGolden(
        std::string(TEST_SOURCE_DIR) + "/platform/win32/user/data/styled-messagebox-okcancel-question.png", box.Width,
        box.Height, box.Pixels.data()));
}

TEST_F(MessageBoxFixture, CtrlCCopiesTheBoxAsText) {
    Answer({{'C', wintest::Control}, {VK_ESCAPE, NoModifiers}});
    EXPECT_EQ(MessageBoxW(nullptr, u"磁盘已满", u"标题", MB_OKCANCEL | MB_ICONQUESTION), IDCANCEL);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(data, nullptr);
    std::u16string copied(static_cast<const char16_t*>(GlobalLock(data)));
    GlobalUnlock(data);
    CloseClipboard();
    const std::u16string rule = u"---------------------------\r\n";
    EXPECT_EQ(copied, rule + u"标题\r\n" + rule + u"磁盘已满\r\n" + rule + u"确定   取消   \r\n" + rule);
}

}  // namespace
