// Mouse input routed when it is read: client and non-client messages from WM_NCHITTEST, HTTRANSPARENT, routing
// again after a peek, capture, double clicks, the wheel, disabled windows and click activation.
#include "MessageFixture.h"

#include <testing/Testing.h>

namespace {

class InputMouseTest : public MessageFixture {
protected:
    static std::optional<LRESULT> Answer(LRESULT value) { return value; }
};

const std::vector<UINT> Buttons = {WM_LBUTTONDOWN,   WM_LBUTTONUP,   WM_LBUTTONDBLCLK,
                                   WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK};

TEST_F(InputMouseTest, ClientClickComesInClientCoordinatesWithKeyFlags) {
    HWND hwnd = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 150);
    Pump();
    Clear();
    wintest::MouseClick(130, 140);
    Pump();
    auto clicks = Taken({WM_LBUTTONDOWN, WM_LBUTTONUP});
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].Window, hwnd);
    EXPECT_EQ(clicks[0].WParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(clicks[0].LParam, MAKELPARAM(30, 40));
    EXPECT_EQ(clicks[1].Message, static_cast<UINT>(WM_LBUTTONUP));
    EXPECT_EQ(clicks[1].WParam, 0u);
    auto cursor = Taken({WM_SETCURSOR});
    ASSERT_FALSE(cursor.empty());
    EXPECT_EQ(cursor.back().WParam, reinterpret_cast<WPARAM>(hwnd));
    EXPECT_EQ(cursor.back().LParam, MAKELPARAM(HTCLIENT, WM_LBUTTONUP));
}

TEST_F(InputMouseTest, ChildAnsweringAFrameCodeGetsTheNonClientMessageInScreenCoordinates) {
    HWND parent = Make(WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 20, 30, 100, 50, parent);
    OnMessage(child, WM_NCHITTEST, [](HWND, UINT, WPARAM, LPARAM) { return Answer(HTMINBUTTON); });
    Pump();
    Clear();
    wintest::MouseClick(130, 135);
    Pump();
    auto clicks = Taken(Buttons);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].Window, child);
    EXPECT_EQ(clicks[0].Message, static_cast<UINT>(WM_NCLBUTTONDOWN));
    EXPECT_EQ(clicks[0].WParam, static_cast<WPARAM>(HTMINBUTTON));
    EXPECT_EQ(clicks[0].LParam, MAKELPARAM(130, 135));
    EXPECT_EQ(clicks[1].Message, static_cast<UINT>(WM_NCLBUTTONUP));
    // The parent hears of the press in its own client coordinates.
    auto notes = Taken({WM_PARENTNOTIFY});
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].Window, parent);
    EXPECT_EQ(notes[0].WParam, static_cast<WPARAM>(WM_LBUTTONDOWN));
    EXPECT_EQ(notes[0].LParam, MAKELPARAM(30, 35));
}

TEST_F(InputMouseTest, TransparentChildLetsTheClickThroughToItsParent) {
    HWND parent = Make(WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 20, 30, 100, 50, parent);
    OnMessage(child, WM_NCHITTEST, [](HWND, UINT, WPARAM, LPARAM) { return Answer(HTTRANSPARENT); });
    Pump();
    Clear();
    wintest::MouseClick(130, 135);
    Pump();
    auto clicks = Taken(Buttons);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].Window, parent);
    EXPECT_EQ(clicks[0].Message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(clicks[0].LParam, MAKELPARAM(30, 35));
}

TEST_F(InputMouseTest, PeekedClickGoesToTheWindowUnderThePointWhenItIsRead) {
    HWND below = Make(WS_POPUP | WS_VISIBLE, 50, 50, 400, 400);
    HWND above = Make(WS_POPUP | WS_VISIBLE, 100, 100, 100, 100);
    Pump();
    wintest::MouseClick(150, 150);
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, above);
    EXPECT_EQ(msg.lParam, MAKELPARAM(50, 50));
    MoveWindow(above, 700, 700, 100, 100, TRUE);
    ASSERT_EQ(GetMessageW(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN), TRUE);
    EXPECT_EQ(msg.hwnd, below);
    EXPECT_EQ(msg.lParam, MAKELPARAM(100, 100));
    EXPECT_EQ(msg.pt.x, 150);
    EXPECT_EQ(msg.pt.y, 150);
}

TEST_F(InputMouseTest, CaptureTakesEverythingInClientCoordinatesWithoutHitTestOrCursor) {
    HWND captor = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 200);
    HWND other = Make(WS_POPUP | WS_VISIBLE, 500, 500, 100, 100);
    Pump();
    EXPECT_EQ(SetCapture(captor), nullptr);
    Clear();
    wintest::MouseMove(50, 60);
    Pump();  // moves waiting together collapse into the last one
    wintest::MouseClick(550, 550);
    Pump();
    POINT origin{0, 0};
    ClientToScreen(captor, &origin);
    auto moves = Taken({WM_MOUSEMOVE});
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves[0].Window, captor);
    EXPECT_EQ(GET_X_LPARAM(moves[0].LParam), 50 - origin.x);
    EXPECT_EQ(GET_Y_LPARAM(moves[0].LParam), 60 - origin.y);
    EXPECT_LT(GET_X_LPARAM(moves[0].LParam), 0);
    auto clicks = Taken(Buttons);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].Window, captor);
    EXPECT_EQ(clicks[0].Message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(clicks[0].LParam, MAKELPARAM(550 - origin.x, 550 - origin.y));
    EXPECT_TRUE(Messages(other, Buttons).empty());
    EXPECT_TRUE(Taken({WM_SETCURSOR, WM_NCHITTEST}).empty());

    Clear();
    EXPECT_TRUE(ReleaseCapture());
    auto changed = Taken({WM_CAPTURECHANGED});
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].Window, captor);
    EXPECT_EQ(changed[0].LParam, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputMouseTest, DoubleClicksNeedTheClassStyleInTheClientAreaOnly) {
    struct Case {
        const char* what;
        bool dblclks;
        DWORD style;
        int x, y;      // the click, relative to the window's top-left
        int secondDx;  // where the second click lands, relative to the first
        std::vector<UINT> expected;
    } cases[] = {
        {"client with CS_DBLCLKS",
         true,
         WS_POPUP,
         50,
         50,
         0,
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
        {"client without CS_DBLCLKS",
         false,
         WS_POPUP,
         50,
         50,
         0,
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
        {"caption without CS_DBLCLKS",
         false,
         WS_OVERLAPPEDWINDOW,
         100,
         10,
         0,
         {WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK, WM_NCLBUTTONUP, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP}},
        // The second click is too far from the first, but the third pairs with it.
        {"second click too far away",
         true,
         WS_POPUP,
         50,
         50,
         5,
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
    };
    for (const Case& c : cases) {
        HWND hwnd = Make(c.style | WS_VISIBLE, 100, 100, 300, 200, nullptr, 0, c.dblclks);
        // Routing alone: DefWindowProc would start moving on the caption and maximize on its double click.
        for (UINT frameClick : {WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK})
            OnMessage(hwnd, frameClick, [](HWND, UINT, WPARAM, LPARAM) { return Answer(0); });
        Pump();
        Clear();
        wintest::MouseClick(100 + c.x, 100 + c.y);
        wintest::MouseClick(100 + c.x + c.secondDx, 100 + c.y);
        // A third click starts a new pair.
        wintest::MouseClick(100 + c.x + c.secondDx, 100 + c.y);
        Pump();
        EXPECT_EQ(Messages(hwnd, Buttons), c.expected) << c.what;
        DestroyWindow(hwnd);
    }
}

TEST_F(InputMouseTest, WheelGoesToTheFocusWindowAndUpToItsParent) {
    HWND parent = Make(WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, parent);
    HWND under = Make(WS_POPUP | WS_VISIBLE, 500, 100, 200, 200);
    Pump();
    SetFocus(child);
    Clear();
    wintest::MouseMove(600, 150);
    wintest::Wheel(WHEEL_DELTA);
    Pump();
    auto wheels = Taken({WM_MOUSEWHEEL});
    ASSERT_EQ(wheels.size(), 2u);
    EXPECT_EQ(wheels[0].Window, child);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[0].WParam), 120);
    EXPECT_EQ(wheels[0].LParam, MAKELPARAM(600, 150));
    EXPECT_EQ(wheels[1].Window, parent);
    EXPECT_TRUE(Messages(under, {WM_MOUSEWHEEL}).empty());
}

TEST_F(InputMouseTest, DisabledWindowsTakeNoClicks) {
    HWND parent = Make(WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
    HWND child = Make(WS_CHILD | WS_VISIBLE | WS_DISABLED, 20, 30, 100, 50, parent);
    HWND disabled = Make(WS_POPUP | WS_VISIBLE | WS_DISABLED, 500, 100, 100, 100);
    Pump();
    Clear();
    int beeps = wintest::BeepCount();
    wintest::MouseClick(130, 135);  // over the disabled child: the parent takes it
    wintest::MouseClick(550, 150);  // over the disabled top-level window: nothing but the cursor question
    Pump();
    EXPECT_EQ(Messages(parent, Buttons), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_TRUE(Messages(child, Buttons).empty());
    EXPECT_TRUE(Messages(disabled, Buttons).empty());
    bool errorCursor = false;
    for (const Received& r : Taken({WM_SETCURSOR}))
        if (r.Window == disabled && r.LParam == MAKELPARAM(HTERROR, WM_LBUTTONDOWN)) errorCursor = true;
    EXPECT_TRUE(errorCursor);
    EXPECT_EQ(wintest::BeepCount(), beeps + 1);
}

TEST_F(InputMouseTest, ClickActivationFollowsTheMouseActivateAnswer) {
    struct Case {
        LRESULT answer;
        bool activated;
        bool pressSeen;
    } cases[] = {
        {MA_ACTIVATE, true, true},
        {MA_ACTIVATEANDEAT, true, false},
        {MA_NOACTIVATE, false, true},
        {MA_NOACTIVATEANDEAT, false, false},
    };
    for (const Case& c : cases) {
        HWND first = Make(WS_POPUP | WS_VISIBLE, 100, 100, 100, 100);
        HWND clicked = Make(WS_POPUP | WS_VISIBLE, 300, 100, 100, 100);
        SetActiveWindow(first);
        Pump();
        LRESULT answer = c.answer;
        OnMessage(clicked, WM_MOUSEACTIVATE, [answer](HWND, UINT, WPARAM, LPARAM) { return Answer(answer); });
        Clear();
        wintest::MouseClick(350, 150);
        Pump();
        SCOPED_TRACE(testing::Message() << "answer " << c.answer);
        auto activate = Taken({WM_MOUSEACTIVATE});
        ASSERT_EQ(activate.size(), 1u);
        EXPECT_EQ(activate[0].WParam, reinterpret_cast<WPARAM>(clicked));
        EXPECT_EQ(activate[0].LParam, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        EXPECT_EQ(GetActiveWindow(), c.activated ? clicked : first);
        std::vector<UINT> expected;
        if (c.activated) expected.push_back(WM_ACTIVATE);
        if (c.pressSeen) expected.push_back(WM_LBUTTONDOWN);
        expected.push_back(WM_LBUTTONUP);
        EXPECT_EQ(Messages(clicked, {WM_ACTIVATE, WM_LBUTTONDOWN, WM_LBUTTONUP}), expected);
        if (c.activated) {
            EXPECT_EQ(LOWORD(Taken({WM_ACTIVATE}).back().WParam), WA_CLICKACTIVE);
        }
        DestroyWindow(clicked);
        DestroyWindow(first);
    }
}

}  // namespace
