// SetTimer and KillTimer through the message loop: WM_TIMER at (at least) the interval, once per read however
// long the loop was away, TIMERPROCs called by DispatchMessage, replacement, thread timers, dead windows.
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Tick {
    HWND hwnd;
    UINT_PTR id;
};
std::vector<Tick> windowTicks;  // WM_TIMER seen by the window procedure
std::vector<Tick> procTicks;    // calls of TimerCallback

LRESULT TimerWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        windowTicks.push_back({hwnd, wParam});
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void TimerCallback(HWND hwnd, UINT msg, UINT_PTR id, DWORD time) {
    EXPECT_EQ(msg, static_cast<UINT>(WM_TIMER));
    EXPECT_NE(time, 0u);
    procTicks.push_back({hwnd, id});
}

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Runs the loop until done() or the deadline; false on the deadline.
template <class Done>
bool PumpUntil(Done done, int deadlineMs = 5000) {
    auto start = Clock::now();
    while (!done()) {
        if (MillisecondsSince(start) > deadlineMs) return false;
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            Sleep(1);
        }
    }
    return true;
}

void PumpFor(int ms) {
    auto start = Clock::now();
    PumpUntil([&] { return MillisecondsSince(start) >= ms; }, ms + 1000);
}

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = TimerWindowProc;
        wc.lpszClassName = u"TimerTestWindow";
        RegisterClassExW(&wc);
        FWindow =
            CreateWindowExW(0, u"TimerTestWindow", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(FWindow, nullptr);
        windowTicks.clear();
        procTicks.clear();
    }
    void TearDown() override {
        if (IsWindow(FWindow)) DestroyWindow(FWindow);
        PumpFor(20);
    }
    HWND FWindow = nullptr;
};

TEST_F(TimerTest, FiresNoSoonerThanItsInterval) {
    auto start = Clock::now();
    ASSERT_NE(SetTimer(FWindow, 7, 50, nullptr), 0u);
    ASSERT_TRUE(PumpUntil([] { return windowTicks.size() >= 3; }));
    EXPECT_GE(MillisecondsSince(start), 150);
    for (const auto& tick : windowTicks) {
        EXPECT_EQ(tick.hwnd, FWindow);
        EXPECT_EQ(tick.id, 7u);
    }
    EXPECT_TRUE(KillTimer(FWindow, 7));
}

TEST_F(TimerTest, TooShortIntervalsAreRaisedToTheMinimum) {
    auto start = Clock::now();
    ASSERT_NE(SetTimer(FWindow, 1, 0, nullptr), 0u);
    ASSERT_TRUE(PumpUntil([] { return windowTicks.size() >= 3; }));
    EXPECT_GE(MillisecondsSince(start), 3 * USER_TIMER_MINIMUM);
    KillTimer(FWindow, 1);
}

TEST_F(TimerTest, KillTimerStopsIt) {
    ASSERT_NE(SetTimer(FWindow, 3, 20, nullptr), 0u);
    ASSERT_TRUE(PumpUntil([] { return !windowTicks.empty(); }));
    EXPECT_TRUE(KillTimer(FWindow, 3));
    windowTicks.clear();
    PumpFor(120);
    EXPECT_TRUE(windowTicks.empty());
    SetLastError(0);
    EXPECT_FALSE(KillTimer(FWindow, 3)) << "already gone";
    EXPECT_FALSE(KillTimer(FWindow, 99)) << "never set";
}

TEST_F(TimerTest, ElapsedTimerIsReadOnceHoweverLongTheLoopWasAway) {
    ASSERT_NE(SetTimer(FWindow, 4, 10, nullptr), 0u);
    Sleep(120);  // about ten periods
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, FWindow, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.wParam, 4u);
    ASSERT_TRUE(PeekMessageW(&msg, FWindow, WM_TIMER, WM_TIMER, PM_REMOVE)) << "PM_NOREMOVE left it there";
    EXPECT_FALSE(PeekMessageW(&msg, FWindow, WM_TIMER, WM_TIMER, PM_REMOVE)) << "the missed periods do not queue";
    KillTimer(FWindow, 4);
}

TEST_F(TimerTest, TimerProcIsCalledByDispatchMessage) {
    ASSERT_NE(SetTimer(FWindow, 9, 20, TimerCallback), 0u);
    MSG msg{};
    ASSERT_TRUE(PumpUntil([&] { return PeekMessageW(&msg, FWindow, WM_TIMER, WM_TIMER, PM_REMOVE) != FALSE; }));
    EXPECT_EQ(msg.lParam, reinterpret_cast<LPARAM>(TimerCallback));
    EXPECT_TRUE(procTicks.empty()) << "nothing runs before DispatchMessage";
    DispatchMessageW(&msg);
    ASSERT_EQ(procTicks.size(), 1u);
    EXPECT_EQ(procTicks[0].hwnd, FWindow);
    EXPECT_EQ(procTicks[0].id, 9u);
    EXPECT_TRUE(windowTicks.empty()) << "the window procedure does not see a TIMERPROC's WM_TIMER";
    KillTimer(FWindow, 9);
}

TEST_F(TimerTest, SettingTheSameIdReplacesTheTimer) {
    ASSERT_NE(SetTimer(FWindow, 5, 60000, nullptr), 0u);
    ASSERT_NE(SetTimer(FWindow, 5, 20, TimerCallback), 0u);
    ASSERT_TRUE(PumpUntil([] { return procTicks.size() >= 2; }));
    EXPECT_TRUE(windowTicks.empty()) << "the new TIMERPROC replaced the window procedure's timer";
    EXPECT_TRUE(KillTimer(FWindow, 5));
    EXPECT_FALSE(KillTimer(FWindow, 5)) << "there was only one timer 5";
}

TEST_F(TimerTest, SameIdOnTwoWindowsIsTwoTimers) {
    HWND other =
        CreateWindowExW(0, u"TimerTestWindow", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(SetTimer(FWindow, 1, 20, nullptr), 0u);
    ASSERT_NE(SetTimer(other, 1, 20, nullptr), 0u);
    std::set<HWND> seen;
    ASSERT_TRUE(PumpUntil([&] {
        for (const auto& tick : windowTicks) seen.insert(tick.hwnd);
        return seen.size() == 2;
    }));
    DestroyWindow(other);
    KillTimer(FWindow, 1);
}

TEST_F(TimerTest, ThreadTimersGetUniqueIds) {
    UINT_PTR first = SetTimer(nullptr, 0, 20, TimerCallback);
    UINT_PTR second = SetTimer(nullptr, 0, 20, TimerCallback);
    UINT_PTR third = SetTimer(nullptr, 12345, 20, TimerCallback);  // not a timer: the id is ignored
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, 0u);
    ASSERT_NE(third, 0u);
    EXPECT_NE(first, second);
    EXPECT_NE(third, first);
    EXPECT_NE(third, second);
    EXPECT_EQ(SetTimer(nullptr, first, 30, TimerCallback), first) << "an existing thread timer is replaced";

    MSG msg{};
    ASSERT_TRUE(PumpUntil(
        [&] { return PeekMessageW(&msg, reinterpret_cast<HWND>(-1), WM_TIMER, WM_TIMER, PM_REMOVE) != FALSE; }));
    EXPECT_EQ(msg.hwnd, nullptr) << "a thread timer's message has no window";
    DispatchMessageW(&msg);
    ASSERT_EQ(procTicks.size(), 1u);
    EXPECT_EQ(procTicks[0].hwnd, nullptr);
    EXPECT_TRUE(procTicks[0].id == first || procTicks[0].id == second || procTicks[0].id == third);

    for (UINT_PTR id : {first, second, third}) EXPECT_TRUE(KillTimer(nullptr, id));
    procTicks.clear();
    PumpFor(80);
    EXPECT_TRUE(procTicks.empty());
}

TEST_F(TimerTest, TimersOfADestroyedWindowAreGone) {
    ASSERT_NE(SetTimer(FWindow, 2, 10, nullptr), 0u);
    ASSERT_NE(SetTimer(FWindow, 3, 10, TimerCallback), 0u);
    HWND gone = FWindow;
    ASSERT_TRUE(DestroyWindow(FWindow));
    Sleep(30);
    PumpFor(60);
    EXPECT_TRUE(windowTicks.empty());
    EXPECT_TRUE(procTicks.empty());
    SetLastError(0);
    EXPECT_FALSE(KillTimer(gone, 2));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(TimerTest, InvalidWindowIsRefused) {
    SetLastError(0);
    EXPECT_EQ(SetTimer(reinterpret_cast<HWND>(0x7fff0001), 1, 10, nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

}  // namespace
