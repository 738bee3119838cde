// The headless display: screen geometry, the input queue and its waiting, kept surfaces and the composed screen,
// the clipboard and modal answers.
#include <backend/Driver.h>
#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using backend::CurrentDriver;
using backend::InputEvent;
using Kind = backend::InputEvent::Kind;
using Clock = std::chrono::steady_clock;

namespace {

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

std::vector<InputEvent> DrainEvents() {
    std::vector<InputEvent> events;
    InputEvent event;
    while (CurrentDriver().NextEvent(event)) events.push_back(event);
    return events;
}

}  // namespace

TEST(HeadlessDriver, ScreenAndWorkAreaLeaveRoomForTheTaskBar) {
    EXPECT_STREQ("headless", CurrentDriver().Name());
    SIZE screen = CurrentDriver().ScreenSize();
    EXPECT_EQ(1280, screen.cx);
    EXPECT_EQ(1024, screen.cy);
    RECT work = CurrentDriver().WorkArea();
    EXPECT_EQ(0, work.left);
    EXPECT_EQ(0, work.top);
    EXPECT_EQ(1280, work.right);
    EXPECT_EQ(1024 - 40, work.bottom);
}

TEST(HeadlessDriver, InjectedInputComesOutInOrder) {
    wintest::ResetInput();
    wintest::MouseClick(10, 20, wintest::RightButton);
    wintest::Wheel(-2 * WHEEL_DELTA);
    wintest::KeyPress(VK_LEFT, wintest::Shift | wintest::Control);
    wintest::KeyDown('A');
    wintest::KeyDown('A');
    wintest::KeyUp('A');
    wintest::TypeText(u"中文");
    EXPECT_EQ(10, wintest::MousePosition().x);

    struct Expected {
        Kind kind;
        UINT vk;
        bool repeat;
    };
    const Expected expected[] = {
        {Kind::MouseMove, 0, false},        {Kind::ButtonDown, 0, false},
        {Kind::ButtonUp, 0, false},         {Kind::Wheel, 0, false},
        {Kind::KeyDown, VK_CONTROL, false}, {Kind::KeyDown, VK_SHIFT, false},
        {Kind::KeyDown, VK_LEFT, false},    {Kind::KeyUp, VK_LEFT, false},
        {Kind::KeyUp, VK_SHIFT, false},     {Kind::KeyUp, VK_CONTROL, false},
        {Kind::KeyDown, 'A', false},        {Kind::KeyDown, 'A', true},
        {Kind::KeyUp, 'A', false},          {Kind::Text, 0, false},
    };
    std::vector<InputEvent> events = DrainEvents();
    ASSERT_EQ(std::size(expected), events.size());
    for (size_t i = 0; i < events.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].kind, events[i].kind);
        EXPECT_EQ(expected[i].vk, events[i].vk);
        EXPECT_EQ(expected[i].repeat, events[i].repeat);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(10, events[i].screen.x);
        EXPECT_EQ(20, events[i].screen.y);
    }
    EXPECT_EQ(wintest::RightButton, events[1].button);
    EXPECT_EQ(wintest::RightButton, events[2].button);
    EXPECT_EQ(-240, events[3].wheelDelta);
    // The keyboard's own scan codes: arrows are extended keys, letters are not.
    EXPECT_EQ(0x4Bu, events[6].scanCode);
    EXPECT_TRUE(events[6].extended);
    EXPECT_EQ(0x1Eu, events[10].scanCode);
    EXPECT_FALSE(events[10].extended);
    EXPECT_EQ(u"中文", events[13].text);
}

TEST(HeadlessDriver, WaitForEventEndsOnInputWakeOrTimeOut) {
    wintest::ResetInput();
    Clock::time_point start = Clock::now();
    CurrentDriver().WaitForEvent(60);
    EXPECT_GE(MillisecondsSince(start), 60);

    // Input already queued, or a wake that came before the wait, ends it at once; the wake is used up.
    wintest::MouseMove(1, 1);
    start = Clock::now();
    CurrentDriver().WaitForEvent(10000);
    EXPECT_LT(MillisecondsSince(start), 5000);
    DrainEvents();
    CurrentDriver().Wake();
    start = Clock::now();
    CurrentDriver().WaitForEvent(10000);
    EXPECT_LT(MillisecondsSince(start), 5000);
    start = Clock::now();
    CurrentDriver().WaitForEvent(30);
    EXPECT_GE(MillisecondsSince(start), 30);

    for (bool byInput : {false, true}) {
        SCOPED_TRACE(byInput ? "input from another thread" : "Wake from another thread");
        start = Clock::now();
        std::thread other([byInput] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (byInput)
                wintest::TypeText(u"x");
            else
                CurrentDriver().Wake();
        });
        CurrentDriver().WaitForEvent(INFINITE);
        long long waited = MillisecondsSince(start);
        other.join();
        EXPECT_GE(waited, 50);
        EXPECT_LT(waited, 5000);
        DrainEvents();
    }
}

// Solid-coloured fake top-level windows on the driver, removed again at the end of each test.
class HeadlessScreen : public ::testing::Test {
protected:
    const HWND Lower = reinterpret_cast<HWND>(0x7F001);
    const HWND Upper = reinterpret_cast<HWND>(0x7F002);

    void TearDown() override {
        CurrentDriver().WindowDestroyed(Lower);
        CurrentDriver().WindowDestroyed(Upper);
        CurrentDriver().WindowZOrder({});
    }
    static void Fill(HWND hwnd, int width, int height, uint32_t colour, const RECT& dirty, int stride = 0) {
        if (!stride) stride = width;
        std::vector<uint32_t> pixels(static_cast<size_t>(stride) * height, colour);
        CurrentDriver().Present(hwnd, pixels.data(), width, height, stride, dirty);
    }
    void Show(HWND hwnd, const RECT& rect, uint32_t colour) {
        CurrentDriver().WindowCreated(hwnd, backend::SurfaceKind::Normal, rect);
        int width = rect.right - rect.left, height = rect.bottom - rect.top;
        Fill(hwnd, width, height, colour, {0, 0, width, height}, width + 3);
        CurrentDriver().WindowShown(hwnd, true, true);
    }
};

TEST_F(HeadlessScreen, PresentedPixelsAreKeptAndOnlyTheDirtyPartIsTaken) {
    EXPECT_TRUE(wintest::PresentedPicture(Lower).Empty());
    Show(Lower, {10, 10, 110, 60}, 0x112233);
    wintest::Picture kept = wintest::PresentedPicture(Lower);
    ASSERT_EQ(100, kept.Width);
    ASSERT_EQ(50, kept.Height);
    EXPECT_EQ(0x112233u, kept.At(99, 49));

    Fill(Lower, 100, 50, 0xAABBCC, {20, 10, 30, 15});
    kept = wintest::PresentedPicture(Lower);
    EXPECT_EQ(0xAABBCCu, kept.At(20, 10));
    EXPECT_EQ(0xAABBCCu, kept.At(29, 14));
    EXPECT_EQ(0x112233u, kept.At(30, 14));
    EXPECT_EQ(0x112233u, kept.At(29, 15));

    // A new size replaces everything, whatever the dirty rectangle says.
    Fill(Lower, 40, 30, 0x445566, {0, 0, 1, 1});
    kept = wintest::PresentedPicture(Lower);
    EXPECT_EQ(40, kept.Width);
    EXPECT_EQ(0x445566u, kept.At(39, 29));
}

TEST_F(HeadlessScreen, ScreenStacksVisibleWindowsOverTheDesktop) {
    Show(Lower, {10, 10, 110, 60}, 0x0000FF);
    Show(Upper, {50, 30, 150, 80}, 0xFF0000);
    struct Probe {
        int x, y;
        uint32_t colour;
    };
    auto check = [](std::initializer_list<Probe> probes) {
        wintest::Picture screen = wintest::ScreenPicture();
        ASSERT_EQ(1280, screen.Width);
        ASSERT_EQ(1024, screen.Height);
        for (const Probe& probe : probes)
            EXPECT_EQ(probe.colour, screen.At(probe.x, probe.y)) << "at " << probe.x << "," << probe.y;
    };
    const uint32_t desktop = 0x008080;
    // The window made last is on top.
    check({{9, 9, desktop}, {10, 10, 0x0000FF}, {60, 40, 0xFF0000}, {149, 79, 0xFF0000}, {150, 80, desktop}});
    CurrentDriver().WindowZOrder({Lower, Upper});
    check({{60, 40, 0x0000FF}, {109, 59, 0x0000FF}, {110, 60, 0xFF0000}});
    CurrentDriver().WindowShown(Lower, false, false);
    check({{20, 20, desktop}, {60, 40, 0xFF0000}});
    CurrentDriver().WindowMoved(Upper, {-20, 1000, 80, 1050});
    check({{60, 40, desktop}, {0, 1000, 0xFF0000}, {79, 1023, 0xFF0000}, {80, 1023, desktop}});
    CurrentDriver().WindowDestroyed(Upper);
    check({{0, 1000, desktop}});
}

TEST(HeadlessDriver, ClipboardKeepsText) {
    std::u16string text = u"unchanged";
    EXPECT_FALSE(CurrentDriver().ClipboardText(text));
    EXPECT_EQ(u"unchanged", text);
    for (const std::u16string& value : {std::u16string(u"通道 1\r\n"), std::u16string()}) {
        CurrentDriver().SetClipboardText(value);
        ASSERT_TRUE(CurrentDriver().ClipboardText(text));
        EXPECT_EQ(value, text);
    }
}
