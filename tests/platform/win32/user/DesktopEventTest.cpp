// The desktop's own window events (minimize, restore, close, focus) reaching windows as system commands and
// activation changes, and minimize/restore reaching the display driver.
#include "MessageFixture.h"

// The headless driver's test side (PushEvent, what it was told of a window) is not part of the testing API.
#include <backend/HeadlessDriver.h>

#include <testing/Testing.h>

#include <algorithm>
#include <functional>

namespace {

using Kind = backend::InputEvent::Kind;

class DesktopEventTest : public MessageFixture {
protected:
    static void Push(Kind kind, HWND hwnd) {
        backend::InputEvent event;
        event.kind = kind;
        event.window = hwnd;
        backend::HeadlessDriver::Current()->PushEvent(event);
        wintest::PumpUntilIdle();
    }
    std::vector<WPARAM> SysCommands() const {
        std::vector<WPARAM> out;
        for (const Received& r : Taken({WM_SYSCOMMAND})) out.push_back(r.WParam & 0xFFF0);
        return out;
    }
    struct Step {
        HWND Window;
        UINT Message;
        WPARAM WParam;
        bool operator==(const Step& other) const {
            return Window == other.Window && Message == other.Message && WParam == other.WParam;
        }
    };
    // Whether the steps are the expected ones with the WM_ACTIVATEAPP of the different windows in any order.
    bool Matches(const std::vector<Step>& expected) const {
        std::vector<Step> steps = Activation();
        return steps.size() == expected.size() &&
               std::is_permutation(steps.begin(), steps.end(), expected.begin(),
                                   [](const Step& x, const Step& y) { return x == y; }) &&
               std::equal(steps.begin(), steps.end(), expected.begin(), [](const Step& x, const Step& y) {
                   return x.Message == y.Message && (x.Message == WM_ACTIVATEAPP || x == y);
               });
    }
    std::vector<Step> Activation() const {
        std::vector<Step> out;
        for (const Received& r : Taken({WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP}))
            out.push_back(Step{r.Window, r.Message, r.Message == WM_ACTIVATE ? LOWORD(r.WParam) : r.WParam});
        return out;
    }
    static int DriverShowState(HWND hwnd) {
        backend::HeadlessDriver::WindowInfo info;
        return backend::HeadlessDriver::Current()->Window(hwnd, info) ? info.ShowState : -1;
    }
};

TEST_F(DesktopEventTest, MinimizeAndRestoreBecomeSystemCommandsOnlyWhenTheStateDiffers) {
    HWND top = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top);
    Clear();
    // The desktop names the window it iconified; an event naming a child acts on its top-level window.
    Push(Kind::WindowMinimized, child);
    EXPECT_TRUE(IsIconic(top));
    Push(Kind::WindowMinimized, top);
    EXPECT_EQ(SysCommands(), std::vector<WPARAM>{SC_MINIMIZE});
    EXPECT_EQ(Messages(child, {WM_SYSCOMMAND}).size(), 0u);

    Clear();
    Push(Kind::WindowRestored, top);
    EXPECT_FALSE(IsIconic(top));
    Push(Kind::WindowRestored, top);
    EXPECT_EQ(SysCommands(), std::vector<WPARAM>{SC_RESTORE});
    RECT rect;
    GetWindowRect(top, &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.right, 400);
}

TEST_F(DesktopEventTest, CloseRequestClosesThroughDefWindowProcAndIsReadOnce) {
    HWND top = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    Push(Kind::WindowCloseRequested, top);
    EXPECT_EQ(SysCommands(), std::vector<WPARAM>{SC_CLOSE});
    EXPECT_EQ(Messages(top, {WM_CLOSE}).size(), 1u);
    EXPECT_FALSE(IsWindow(top));

    // A window that asks "save changes?" runs a message loop inside WM_CLOSE: the request must not come back.
    HWND asking = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    int closes = 0;
    OnMessage(asking, WM_CLOSE, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        ++closes;
        wintest::PumpUntilIdle(100);
        return 0;
    });
    Clear();
    Push(Kind::WindowCloseRequested, asking);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(IsWindow(asking));
}

TEST_F(DesktopEventTest, LosingTheFocusDeactivatesTheApplicationAndGainingItActivatesTheWindowAgain) {
    HWND a = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    HWND hidden = Make(WS_OVERLAPPEDWINDOW, 500, 100, 300, 200);
    SetActiveWindow(a);
    ASSERT_EQ(GetFocus(), a);
    Clear();
    Push(Kind::WindowFocusLost, a);
    std::vector<Step> lost = {{a, WM_NCACTIVATE, FALSE},
                              {a, WM_ACTIVATE, WA_INACTIVE},
                              {a, WM_ACTIVATEAPP, FALSE},
                              {hidden, WM_ACTIVATEAPP, FALSE}};
    EXPECT_TRUE(Matches(lost));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);

    Clear();
    Push(Kind::WindowFocusGained, a);
    std::vector<Step> gained = {{a, WM_ACTIVATEAPP, TRUE},
                                {hidden, WM_ACTIVATEAPP, TRUE},
                                {a, WM_NCACTIVATE, TRUE},
                                {a, WM_ACTIVATE, WA_ACTIVE}};
    EXPECT_TRUE(Matches(gained));
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetFocus(), a);

    // The echo of an activation the platform made itself changes nothing.
    Clear();
    Push(Kind::WindowFocusGained, a);
    EXPECT_TRUE(Activation().empty());
}

TEST_F(DesktopEventTest, FocusEventsFollowThePlatformsActiveWindow) {
    HWND owner = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    HWND other = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 100, 300, 200);
    SetActiveWindow(other);
    Clear();
    // A window the platform has already deactivated has nothing to lose.
    Push(Kind::WindowFocusLost, owner);
    EXPECT_TRUE(Activation().empty());
    EXPECT_EQ(GetActiveWindow(), other);

    // The desktop focusing an owner disabled by its modal box activates the box.
    HWND box = Make(WS_POPUP | WS_CAPTION | WS_VISIBLE, 150, 150, 100, 80, owner);
    EnableWindow(owner, FALSE);
    SetActiveWindow(other);
    Push(Kind::WindowFocusGained, owner);
    EXPECT_EQ(GetActiveWindow(), box);
    EnableWindow(owner, TRUE);
}

TEST_F(DesktopEventTest, ShowWindowTellsTheDriverTheNewStateOfTopLevelWindows) {
    HWND top = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    ASSERT_EQ(DriverShowState(top), 0);
    struct Case {
        int Command;
        int State;
    };
    const Case cases[] = {
        {SW_MINIMIZE, SW_SHOWMINIMIZED},      {SW_RESTORE, SW_SHOWNORMAL},    {SW_SHOWMAXIMIZED, SW_SHOWMAXIMIZED},
        {SW_SHOWMINIMIZED, SW_SHOWMINIMIZED}, {SW_RESTORE, SW_SHOWMAXIMIZED}, {SW_SHOWNORMAL, SW_SHOWNORMAL},
    };
    for (const Case& c : cases) {
        ShowWindow(top, c.Command);
        EXPECT_EQ(DriverShowState(top), c.State) << "after ShowWindow " << c.Command;
    }
    // The parking place has been reported by the time the driver hears of the minimize.
    backend::HeadlessDriver::WindowInfo info;
    ShowWindow(top, SW_MINIMIZE);
    ASSERT_TRUE(backend::HeadlessDriver::Current()->Window(top, info));
    EXPECT_EQ(info.Rect.left, -32000);
    // A desktop minimize goes the same way, so the driver knows the window is iconified.
    ShowWindow(top, SW_RESTORE);
    Push(Kind::WindowMinimized, top);
    EXPECT_EQ(DriverShowState(top), SW_SHOWMINIMIZED);
}

TEST_F(DesktopEventTest, LosingTheForegroundCancelsTheModeAndEndsTheCapture) {
    HWND top = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top);
    SetActiveWindow(top);
    SetCapture(child);
    Clear();
    Push(Kind::WindowFocusLost, top);
    EXPECT_EQ(GetCapture(), nullptr);
    std::vector<Received> cancel = Taken({WM_CANCELMODE, WM_CAPTURECHANGED});
    ASSERT_EQ(cancel.size(), 2u);
    // The capturing window hears it first; DefWindowProc's answer releases the capture.
    EXPECT_EQ(cancel[0].Window, child);
    EXPECT_EQ(cancel[0].Message, static_cast<UINT>(WM_CANCELMODE));
    EXPECT_EQ(cancel[1].Message, static_cast<UINT>(WM_CAPTURECHANGED));
    EXPECT_EQ(GetActiveWindow(), nullptr);

    // Without a capture the active window hears it.
    Push(Kind::WindowFocusGained, top);
    Clear();
    Push(Kind::WindowFocusLost, top);
    std::vector<Received> plain = Taken({WM_CANCELMODE});
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].Window, top);
}

TEST_F(DesktopEventTest, TheDriverIsToldTheStackingOrderOfTopLevelWindows) {
    HWND a = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    HWND b = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 150, 150, 300, 200);
    HWND c = Make(WS_POPUP | WS_VISIBLE, 200, 200, 300, 200);
    auto driverOrder = [&] {
        std::vector<HWND> order;
        for (HWND hwnd : backend::HeadlessDriver::Current()->ZOrder())
            if (hwnd == a || hwnd == b || hwnd == c) order.push_back(hwnd);
        return order;
    };
    EXPECT_EQ(driverOrder(), (std::vector<HWND>{c, b, a}));
    struct Case {
        const char* Name;
        std::function<void()> Act;
        std::vector<HWND> Order;
    };
    const Case cases[] = {
        {"SetWindowPos HWND_TOP", [&] { SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }, {a, c, b}},
        {"BringWindowToTop", [&] { BringWindowToTop(b); }, {b, a, c}},
        {"HWND_BOTTOM",
         [&] { SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); },
         {a, c, b}},
        {"HWND_TOPMOST stays above HWND_TOP",
         [&] {
             SetWindowPos(c, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
             BringWindowToTop(b);
         },
         {c, b, a}},
        {"HWND_NOTOPMOST",
         [&] { SetWindowPos(c, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); },
         {c, b, a}},
        {"after a window",
         [&] { SetWindowPos(c, a, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); },
         {b, a, c}},
    };
    for (const Case& test : cases) {
        test.Act();
        EXPECT_EQ(driverOrder(), test.Order) << test.Name;
    }
}

TEST_F(DesktopEventTest, AModalWindowComesAboveItsDisabledOwnerWhenTheDesktopFocusesTheOwner) {
    HWND owner = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    HWND box = Make(WS_POPUP | WS_CAPTION | WS_VISIBLE, 150, 150, 100, 80, owner);
    HWND other = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 120, 300, 200);
    EnableWindow(owner, FALSE);
    SetActiveWindow(other);
    Push(Kind::WindowFocusGained, owner);
    EXPECT_EQ(GetActiveWindow(), box);
    std::vector<HWND> order = backend::HeadlessDriver::Current()->ZOrder();
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front(), box);
    EnableWindow(owner, TRUE);
}

TEST_F(DesktopEventTest, ADisplayChangeReachesEveryTopLevelWindowWithTheNewMode) {
    HWND shown = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    HWND hidden = Make(WS_POPUP, 0, 0, 10, 10);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, shown);
    Clear();
    backend::HeadlessDriver* driver = backend::HeadlessDriver::Current();
    SIZE before = driver->ScreenSize();
    driver->ChangeDisplay(SIZE{1024, 768}, 16);
    wintest::PumpUntilIdle();
    std::vector<Received> heard = Taken({WM_DISPLAYCHANGE});
    std::vector<HWND> windows;
    for (const Received& r : heard) {
        windows.push_back(r.Window);
        EXPECT_EQ(r.WParam, 16u);
        EXPECT_EQ(LOWORD(r.LParam), 1024);
        EXPECT_EQ(HIWORD(r.LParam), 768);
    }
    EXPECT_NE(std::find(windows.begin(), windows.end(), shown), windows.end());
    EXPECT_NE(std::find(windows.begin(), windows.end(), hidden), windows.end());
    EXPECT_EQ(std::find(windows.begin(), windows.end(), child), windows.end()) << "child windows are not told";
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_EQ(desktop.right, 1024);
    EXPECT_EQ(desktop.bottom, 768);
    driver->ChangeDisplay(before, 32);
    wintest::PumpUntilIdle();
}

}  // namespace
