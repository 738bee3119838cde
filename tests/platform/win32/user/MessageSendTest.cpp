// SendMessage and DispatchMessage: nested sends from inside handlers, windows destroyed while their message
// runs, text and characters across the A/W boundary, timer procedures and broadcasts.
#include "MessageFixture.h"

#include <cstring>
#include <string>

namespace {

class MessageSendTest : public MessageFixture {};

TEST_F(MessageSendTest, HandlersMaySendToThemselvesAndEachAnswerReturnsToItsCaller) {
    HWND hwnd = Make(WS_POPUP, 0, 0, 10, 10);
    HWND other = Make(WS_POPUP, 0, 0, 10, 10);
    std::vector<std::string> trace;
    OnMessage(hwnd, WM_USER, [&](HWND self, UINT, WPARAM depth, LPARAM) -> std::optional<LRESULT> {
        trace.push_back("enter " + std::to_string(depth));
        LRESULT below = depth < 3 ? SendMessageW(self, WM_USER, depth + 1, 0) : SendMessageW(other, WM_USER + 1, 0, 0);
        trace.push_back("leave " + std::to_string(depth));
        return below + static_cast<LRESULT>(depth);
    });
    OnMessage(other, WM_USER + 1, [](HWND, UINT, WPARAM, LPARAM) { return std::optional<LRESULT>(100); });
    EXPECT_EQ(SendMessageW(hwnd, WM_USER, 1, 0), 106);
    EXPECT_EQ(trace, (std::vector<std::string>{"enter 1", "enter 2", "enter 3", "leave 3", "leave 2", "leave 1"}));
}

TEST_F(MessageSendTest, AWindowDestroyedByItsOwnHandlerStillAnswers) {
    HWND hwnd = Make(WS_POPUP, 0, 0, 10, 10);
    OnMessage(hwnd, WM_USER, [](HWND self, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        DestroyWindow(self);
        return 7;
    });
    ASSERT_TRUE(PostMessageW(hwnd, WM_USER + 1, 0, 0));
    EXPECT_EQ(SendMessageW(hwnd, WM_USER, 0, 0), 7);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(SendMessageW(hwnd, WM_USER, 0, 0), 0);
    // Its posted messages went with it.
    MSG msg{};
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_USER + 1, WM_USER + 1, PM_REMOVE));
}

TEST_F(MessageSendTest, TextCrossesBetweenAAndWAsCodePage936) {
    HWND ansi = Make(WS_POPUP, 0, 0, 10, 10, nullptr, 0, false, true);
    HWND wide = Make(WS_POPUP, 0, 0, 10, 10);

    EXPECT_TRUE(SendMessageW(ansi, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"通道1")));
    auto set = Taken({WM_SETTEXT});
    ASSERT_EQ(set.size(), 1u);
    char16_t wideText[16] = {};
    EXPECT_EQ(SendMessageW(ansi, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(wideText)), 3);
    EXPECT_EQ(std::u16string(wideText), u"通道1");
    EXPECT_EQ(SendMessageW(ansi, WM_GETTEXTLENGTH, 0, 0), 3);
    char ansiText[16] = {};
    EXPECT_EQ(SendMessageA(ansi, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(ansiText)), 5);
    EXPECT_STREQ(ansiText, "通道1");

    EXPECT_TRUE(SendMessageA(wide, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("通道2")));
    EXPECT_EQ(SendMessageA(wide, WM_GETTEXTLENGTH, 0, 0), 5);
    // A buffer too small for the second character keeps only whole characters.
    std::memset(ansiText, 0x7F, sizeof ansiText);
    EXPECT_EQ(SendMessageA(wide, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(ansiText)), 2);
    EXPECT_STREQ(ansiText, "通");
}

TEST_F(MessageSendTest, CharactersCrossBetweenAAndWWholeOrAsTwoBytes) {
    HWND ansi = Make(WS_POPUP, 0, 0, 10, 10, nullptr, 0, false, true);
    HWND wide = Make(WS_POPUP, 0, 0, 10, 10);
    SendMessageW(ansi, WM_CHAR, u'通', 1);
    SendMessageW(ansi, WM_CHAR, u'x', 1);
    // The lead byte alone reaches nobody; with its trail byte it is one character.
    SendMessageA(wide, WM_CHAR, 0xB5, 1);
    SendMessageA(wide, WM_CHAR, 0xC0, 1);
    std::vector<std::pair<HWND, WPARAM>> chars;
    for (const Received& r : Taken({WM_CHAR})) chars.emplace_back(r.Window, r.WParam);
    EXPECT_EQ(chars, (std::vector<std::pair<HWND, WPARAM>>{{ansi, 0xCD}, {ansi, 0xA8}, {ansi, 'x'}, {wide, 0x9053}}));
}

int timerCalls = 0;
void CountTimer(HWND, UINT, UINT_PTR, DWORD) { ++timerCalls; }

TEST_F(MessageSendTest, DispatchCallsTheTimerProcedureOfAWmTimer) {
    HWND hwnd = Make(WS_POPUP, 0, 0, 10, 10);
    timerCalls = 0;
    MSG msg{hwnd, WM_TIMER, 1, reinterpret_cast<LPARAM>(&CountTimer), 0, {0, 0}};
    EXPECT_EQ(DispatchMessageW(&msg), 0);
    EXPECT_EQ(timerCalls, 1);
    EXPECT_TRUE(Taken({WM_TIMER}).empty());
    msg.lParam = 0;
    DispatchMessageW(&msg);
    EXPECT_EQ(Taken({WM_TIMER}).size(), 1u);
    MSG threadMessage{nullptr, WM_USER, 0, 0, 0, {0, 0}};
    EXPECT_EQ(DispatchMessageW(&threadMessage), 0);
}

TEST_F(MessageSendTest, BroadcastReachesHiddenAndDisabledTopLevelWindowsButNotChildren) {
    HWND shown = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100);
    HWND hidden = Make(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    HWND disabled = Make(WS_POPUP | WS_DISABLED, 0, 0, 100, 100);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, shown);
    Clear();
    SendMessageW(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
    for (HWND hwnd : {shown, hidden, disabled}) EXPECT_EQ(Messages(hwnd, {WM_SYSCOLORCHANGE}).size(), 1u);
    EXPECT_TRUE(Messages(child, {WM_SYSCOLORCHANGE}).empty());
}

TEST_F(MessageSendTest, SystemColourChangeReachesHiddenWindows) {
    HWND hidden = Make(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    COLORREF before = GetSysColor(COLOR_BTNFACE);
    Clear();
    INT index = COLOR_BTNFACE;
    COLORREF green = RGB(0, 128, 0);
    ASSERT_TRUE(SetSysColors(1, &index, &green));
    EXPECT_EQ(Messages(hidden, {WM_SYSCOLORCHANGE}).size(), 1u);
    SetSysColors(1, &index, &before);
}

}  // namespace
