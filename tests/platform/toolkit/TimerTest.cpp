// TTimer and the utility windows under it: firing no earlier than the interval, stopping and restarting on
// Enabled and Interval, errors in OnTimer, a timer read from a description; broadcasts reaching a utility window.
#include <toolkit/Application.h>
#include <toolkit/Reader.h>
#include <toolkit/Timer.h>
#include <toolkit/UtilWindow.h>

#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Pumps until the predicate holds or about timeoutMs pass.
template <class P>
bool PumpUntil(P predicate, DWORD timeoutMs = 3000) {
    auto start = Clock::now();
    while (!predicate()) {
        if (MillisecondsSince(start) > timeoutMs) return false;
        wintest::PumpFor(5);
    }
    return true;
}

TEST(TimerTest, FiresNoEarlierThanItsIntervalAndKeepsFiring) {
    TTimer timer(nullptr);
    std::vector<long long> firedAt;
    auto start = Clock::now();
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        firedAt.push_back(MillisecondsSince(start));
    };
    timer.SetInterval(60);
    start = Clock::now();
    ASSERT_TRUE(PumpUntil([&] { return firedAt.size() >= 3; }));
    EXPECT_GE(firedAt[0], 55);
    EXPECT_GE(firedAt[2], 3 * 55);
}

TEST(TimerTest, DisabledOrZeroIntervalStopsAndChangesRestart) {
    TTimer timer(nullptr);
    int fired = 0;
    timer.OnTimer = [&](TObject*) { ++fired; };
    timer.SetInterval(20);
    timer.SetEnabled(false);
    wintest::PumpFor(120);
    EXPECT_EQ(fired, 0);

    timer.SetEnabled(true);
    timer.SetInterval(0);
    wintest::PumpFor(120);
    EXPECT_EQ(fired, 0);
    EXPECT_TRUE(timer.Enabled());

    // A new interval starts a new period: a long interval set just before a short one was due holds it off.
    timer.SetInterval(20);
    wintest::PumpFor(10);
    timer.SetInterval(400);
    wintest::PumpFor(100);
    EXPECT_EQ(fired, 0);
    timer.SetInterval(20);
    EXPECT_TRUE(PumpUntil([&] { return fired > 0; }));
}

TEST(TimerTest, AnExceptionInOnTimerGoesToTheApplicationAndTheTimerGoesOn) {
    TTimer timer(nullptr);
    int fired = 0;
    std::vector<std::string> errors;
    TObject* errorSender = nullptr;
    Application->OnException = [&](TObject* sender, const std::exception& error) {
        errorSender = sender;
        errors.push_back(error.what());
    };
    timer.OnTimer = [&](TObject*) {
        ++fired;
        throw EConvertError("'x' is not a valid integer value");
    };
    timer.SetInterval(10);
    bool firedTwice = PumpUntil([&] { return fired >= 2; });
    Application->OnException = nullptr;
    ASSERT_TRUE(firedTwice);
    ASSERT_GE(errors.size(), 2u);
    EXPECT_EQ(errors[0], "'x' is not a valid integer value");
    EXPECT_EQ(errorSender, &timer);
}

class TTimerOwner : public TComponent {
    TOOLKIT_CLASS(TTimerOwner, TComponent)

public:
    explicit TTimerOwner(TComponent* owner) : TComponent(owner) {}
    void Tick(TObject*) { ++Ticks; }
    TTimer* Timer1 = nullptr;
    int Ticks = 0;
};

const auto publishedOwner =
    Publish<TTimerOwner>().Method("Tick", &TTimerOwner::Tick).Field("Timer1", &TTimerOwner::Timer1);

TEST(TimerTest, ReadFromADescriptionStartsOnceLoaded) {
    TTimerOwner owner(nullptr);
    ReadDescription(&owner,
                    "object Owner: TTimerOwner\n"
                    "  object Timer1: TTimer\n"
                    "    Interval = 15\n"
                    "    OnTimer = Tick\n"
                    "  end\n"
                    "end\n");
    ASSERT_NE(owner.Timer1, nullptr);
    EXPECT_EQ(owner.Timer1->Interval(), 15u);
    EXPECT_TRUE(PumpUntil([&] { return owner.Ticks > 0; }));
    delete owner.Timer1;
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(UtilWindowTest, AHiddenToolWindowThatHearsBroadcastsAndAnswers) {
    std::vector<UINT> seen;
    HWND wnd = nullptr;
    wnd = AllocateHWnd([&](TMessage& message) {
        seen.push_back(message.Msg);
        if (message.Msg == WM_USER + 1)
            message.Result = static_cast<LRESULT>(message.WParam + message.LParam);
        else
            message.Result = DefWindowProcA(wnd, message.Msg, message.WParam, message.LParam);
    });
    ASSERT_NE(wnd, nullptr);
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_EQ(GetParent(wnd), nullptr);
    EXPECT_TRUE(GetWindowLongA(wnd, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    RECT rect{};
    GetWindowRect(wnd, &rect);
    EXPECT_EQ(rect.right - rect.left, 0);

    EXPECT_EQ(SendMessageA(wnd, WM_USER + 1, 40, 2), 42);

    // A system colour change reaches hidden top-level windows.
    INT element = COLOR_BTNFACE;
    COLORREF colour = GetSysColor(COLOR_BTNFACE);
    ASSERT_TRUE(SetSysColors(1, &element, &colour));
    EXPECT_NE(std::find(seen.begin(), seen.end(), UINT(WM_SYSCOLORCHANGE)), seen.end());

    seen.clear();
    DeallocateHWnd(wnd);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_TRUE(seen.empty());
}

TEST(UtilWindowTest, AnExceptionInTheMethodGoesToTheApplication) {
    std::string error;
    Application->OnException = [&](TObject*, const std::exception& e) { error = e.what(); };
    HWND wnd = AllocateHWnd([](TMessage& message) {
        if (message.Msg == WM_USER) throw Exception("listener failed");
    });
    ASSERT_NE(wnd, nullptr);
    SendMessageA(wnd, WM_USER, 0, 0);
    Application->OnException = nullptr;
    DeallocateHWnd(wnd);
    EXPECT_EQ(error, "listener failed");
}

}  // namespace
