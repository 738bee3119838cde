// The message queue: posting, peeking with and without removal, filters, WM_QUIT, the order of posted
// messages, WM_PAINT and WM_TIMER, waiting, other threads, queue status and the errors Windows gives.
#include "MessageFixture.h"

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

class MessageQueueTest : public MessageFixture {};

TEST_F(MessageQueueTest, PeekNoRemoveLeavesTheMessageAndRemoveTakesThemInOrder) {
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW, 10, 10, 100, 100);
    ASSERT_TRUE(PostMessageW(hwnd, WM_USER + 1, 11, 12));
    ASSERT_TRUE(PostMessageW(hwnd, WM_USER + 2, 21, 22));
    MSG msg{};
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
        EXPECT_EQ(msg.message, WM_USER + 1u);
    }
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, hwnd);
    EXPECT_EQ(msg.message, WM_USER + 1u);
    EXPECT_EQ(msg.wParam, 11u);
    EXPECT_EQ(msg.lParam, 12);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueueTest, FiltersByWindowDescendantsThreadAndRange) {
    HWND parent = Make(WS_OVERLAPPEDWINDOW, 10, 10, 200, 200);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent);
    HWND other = Make(WS_OVERLAPPEDWINDOW, 300, 10, 100, 100);
    const HWND threadOnly = reinterpret_cast<HWND>(-1);
    struct Case {
        HWND filter;
        UINT first, last;
        UINT expected;  // 0: nothing
    } cases[] = {
        {nullptr, 0, 0, WM_USER + 1},
        {parent, 0, 0, WM_USER + 2},  // the child's message counts as the parent's
        {child, 0, 0, WM_USER + 2},
        {other, 0, 0, WM_USER + 1},
        {threadOnly, 0, 0, WM_APP},
        {nullptr, WM_APP, WM_APP + 10, WM_APP},
        {parent, WM_USER + 3, WM_USER + 9, 0},
        {nullptr, WM_USER + 2, WM_USER + 2, WM_USER + 2},
    };
    for (const Case& c : cases) {
        Drain();
        ASSERT_TRUE(PostMessageW(other, WM_USER + 1, 0, 0));
        ASSERT_TRUE(PostMessageW(child, WM_USER + 2, 0, 0));
        ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0));
        MSG msg{};
        BOOL found = PeekMessageW(&msg, c.filter, c.first, c.last, PM_REMOVE);
        SCOPED_TRACE(testing::Message() << "filter " << c.filter << " range " << c.first << ".." << c.last);
        EXPECT_EQ(found != FALSE, c.expected != 0);
        if (found) {
            EXPECT_EQ(msg.message, c.expected);
        }
    }
}

TEST_F(MessageQueueTest, QuitComesWhateverTheFilterAfterMessagesPostedBeforeIt) {
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW, 10, 10, 100, 100);
    ASSERT_TRUE(PostMessageW(hwnd, WM_USER, 0, 0));
    PostQuitMessage(3);
    MSG msg{};
    // A paint-only filter still sees WM_QUIT, and a peek leaves it.
    ASSERT_TRUE(PeekMessageW(&msg, hwnd, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueueTest, PaintOnlyWhenNothingElseIsQueuedAndTimersLast) {
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 100, 100);
    Pump();
    ASSERT_NE(SetTimer(hwnd, 5, 10, nullptr), 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    InvalidateRect(hwnd, nullptr, TRUE);
    ASSERT_TRUE(PostMessageW(hwnd, WM_USER, 0, 0));
    std::vector<UINT> order;
    MSG msg{};
    while (order.size() < 3 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        order.push_back(msg.message);
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_PAINT, WM_TIMER}));
    KillTimer(hwnd, 5);
}

TEST_F(MessageQueueTest, GetMessageWaitsForAMessageFromAnotherThread) {
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW, 10, 10, 100, 100);
    Pump();
    auto start = Clock::now();
    std::thread poster([hwnd] {
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        PostMessageW(hwnd, WM_USER + 7, 1, 2);
    });
    MSG msg{};
    BOOL got = GetMessageW(&msg, hwnd, WM_USER + 7, WM_USER + 7);
    auto waited = Clock::now() - start;
    poster.join();
    EXPECT_EQ(got, TRUE);
    EXPECT_EQ(msg.message, WM_USER + 7u);
    EXPECT_GE(waited, std::chrono::milliseconds(50));
    EXPECT_LT(waited, std::chrono::seconds(10));
}

TEST_F(MessageQueueTest, SendFromAnotherThreadRunsInsideTheLoopAndReturnsTheAnswer) {
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW, 10, 10, 100, 100);
    Pump();
    BOOL inSend = FALSE;
    OnMessage(hwnd, WM_USER + 3, [&](HWND, UINT, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        inSend = InSendMessage();
        PostMessageW(hwnd, WM_USER + 4, 0, 0);  // ends the loop below
        return static_cast<LRESULT>(wParam * 2);
    });
    LRESULT answer = 0;
    std::thread sender([&] { answer = SendMessageW(hwnd, WM_USER + 3, 21, 0); });
    MSG msg{};
    EXPECT_EQ(GetMessageW(&msg, hwnd, WM_USER + 4, WM_USER + 4), TRUE);
    sender.join();
    EXPECT_EQ(answer, 42);
    EXPECT_TRUE(inSend);
    EXPECT_FALSE(InSendMessage());
}

TEST_F(MessageQueueTest, QueueStatusReportsWhatIsNewOnce) {
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW, 10, 10, 100, 100);
    Pump();
    EXPECT_EQ(GetQueueStatus(QS_POSTMESSAGE), 0u);
    ASSERT_TRUE(PostMessageW(hwnd, WM_USER, 0, 0));
    EXPECT_EQ(GetQueueStatus(QS_POSTMESSAGE), static_cast<DWORD>(MAKELONG(QS_POSTMESSAGE, QS_POSTMESSAGE)));
    EXPECT_EQ(GetQueueStatus(QS_POSTMESSAGE), static_cast<DWORD>(MAKELONG(0, QS_POSTMESSAGE)));
    SetLastError(0);
    EXPECT_EQ(GetQueueStatus(0x80000000u), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

TEST_F(MessageQueueTest, RefusesWhatWindowsRefuses) {
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW, 10, 10, 100, 100);
    HWND gone = Make(WS_OVERLAPPEDWINDOW, 10, 10, 100, 100);
    DestroyWindow(gone);
    MSG msg{};
    struct Case {
        const char* what;
        std::function<LRESULT()> call;
        LRESULT result;
        DWORD error;
    } cases[] = {
        {"PostMessage to a destroyed window", [&] { return PostMessageW(gone, WM_USER, 0, 0); }, FALSE,
         ERROR_INVALID_WINDOW_HANDLE},
        {"SendMessage to a destroyed window", [&] { return SendMessageW(gone, WM_USER, 0, 0); }, 0,
         ERROR_INVALID_WINDOW_HANDLE},
        {"PeekMessage for a destroyed window", [&] { return PeekMessageW(&msg, gone, 0, 0, PM_REMOVE); }, FALSE,
         ERROR_INVALID_WINDOW_HANDLE},
        {"GetMessage for a destroyed window", [&] { return GetMessageW(&msg, gone, 0, 0); }, -1,
         ERROR_INVALID_WINDOW_HANDLE},
        {"posting a pointer", [&] { return PostMessageW(hwnd, WM_SETTEXT, 0, 0); }, FALSE, 1159},
        {"another thread's id", [&] { return PostThreadMessageA(GetCurrentThreadId() + 1, WM_USER, 0, 0); }, FALSE,
         1444},
        {"unknown PeekMessage flags", [&] { return PeekMessageW(&msg, nullptr, 0, 0, 0x8); }, FALSE,
         ERROR_INVALID_FLAGS},
        {"RegisterWindowMessage without a name", [&] { return RegisterWindowMessageA(""); }, 0,
         ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(c.call(), c.result) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
    }
}

TEST_F(MessageQueueTest, MessageTimeAndPositionFollowTheLastMessageRead) {
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW, 10, 10, 100, 100);
    Pump();
    SetCursorPos(345, 456);
    Pump();
    DWORD before = GetTickCount();
    ASSERT_TRUE(PostMessageW(hwnd, WM_USER, 0, 0));
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, hwnd, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(GetMessagePos(), static_cast<DWORD>(MAKELONG(345, 456)));
    EXPECT_EQ(static_cast<DWORD>(GetMessageTime()), msg.time);
    EXPECT_GE(msg.time, before);
}

TEST_F(MessageQueueTest, RegisteredMessagesAreSharedByNameWithoutRegardToCase) {
    UINT first = RegisterWindowMessageA("OverlayTestMessage");
    EXPECT_GE(first, 0xC000u);
    EXPECT_LE(first, 0xFFFFu);
    EXPECT_EQ(RegisterWindowMessageA("overlaytestMESSAGE"), first);
    EXPECT_NE(RegisterWindowMessageA("通道消息"), first);
    EXPECT_EQ(RegisterWindowMessageA("通道消息"), RegisterWindowMessageA("通道消息"));
}

}  // namespace
