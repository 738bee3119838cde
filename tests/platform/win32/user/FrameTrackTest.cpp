// The frame's loops driven by injected input: moving by the caption, sizing by a border or corner within the
// track limits, Esc cancelling, the caption buttons, double clicks on the caption, Alt+F4 and keyboard moving.
#include "FrameFixture.h"

#include <testing/Testing.h>

namespace {

class FrameTrackTest : public FrameFixture {
protected:
    // A sizable window at (100, 100) of 300 x 200, active and painted.
    HWND MakeSizable() {
        HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, RECT{100, 100, 400, 300});
        Settle();
        return hwnd;
    }
    // Presses at a screen point, drags through the given points and releases at the last one.
    static void Drag(POINT from, std::vector<POINT> through) {
        wintest::MouseMove(from.x, from.y);
        wintest::MouseDown();
        for (POINT p : through) wintest::MouseMove(p.x, p.y);
        wintest::MouseUp();
        wintest::PumpUntilIdle();
    }
    static POINT CaptionPoint(HWND hwnd) {
        RECT rect = WindowRectOf(hwnd);
        return {rect.left + 100, rect.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    }
    // The middle of a caption button, in screen coordinates.
    static POINT ButtonPoint(HWND hwnd, int hit) {
        RECT rect = WindowRectOf(hwnd);
        for (int x = rect.right - 1; x > rect.left; --x) {
            POINT p{x, CaptionPoint(hwnd).y};
            if (SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)) == hit) {
                p.x -= (GetSystemMetrics(SM_CXSIZE) - 2) / 2;
                return p;
            }
        }
        ADD_FAILURE() << "no button " << hit;
        return {0, 0};
    }
};

TEST_F(FrameTrackTest, DraggingTheCaptionMovesTheWindowWithSizeMoveNotifications) {
    HWND hwnd = MakeSizable();
    POINT start = CaptionPoint(hwnd);
    Drag(start, {{start.x + 10, start.y + 5}, {start.x + 40, start.y + 25}});
    EXPECT_EQ(Box(WindowRectOf(hwnd)), Box(RECT{140, 125, 440, 325}));
    EXPECT_EQ(GetCapture(), nullptr);
    // Pointer moves read together arrive as one, so there is at least one WM_MOVING, the last with the end.
    auto order = Messages({WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_MOVING, WM_EXITSIZEMOVE});
    ASSERT_GE(order.size(), 4u);
    EXPECT_EQ(order[0], static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(order[1], static_cast<UINT>(WM_ENTERSIZEMOVE));
    EXPECT_EQ(order.back(), static_cast<UINT>(WM_EXITSIZEMOVE));
    for (size_t i = 2; i + 1 < order.size(); ++i) EXPECT_EQ(order[i], static_cast<UINT>(WM_MOVING));
    auto command = Events(WM_SYSCOMMAND);
    EXPECT_EQ(command[0].WParam, static_cast<WPARAM>(SC_MOVE + HTCAPTION));
    EXPECT_EQ(Box(Events(WM_MOVING).back().Rect), Box(RECT{140, 125, 440, 325}));
    // The press is the loop's: the window never sees the button come up as a frame message.
    EXPECT_TRUE(Events(WM_NCLBUTTONUP).empty());
}

TEST_F(FrameTrackTest, WmMovingMayChangeTheRectangle) {
    HWND hwnd = MakeSizable();
    // Moves only horizontally, as a handler that keeps the window on one line would.
    SetHook([](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT& answer) {
        if (message != WM_MOVING) return false;
        auto* rect = reinterpret_cast<RECT*>(lParam);
        OffsetRect(rect, 0, 100 - rect->top);
        answer = TRUE;
        return true;
    });
    POINT start = CaptionPoint(hwnd);
    Drag(start, {{start.x + 30, start.y + 50}});
    EXPECT_EQ(Box(WindowRectOf(hwnd)), Box(RECT{130, 100, 430, 300}));
}

TEST_F(FrameTrackTest, EscapeCancelsAMoveBackToTheStart) {
    HWND hwnd = MakeSizable();
    POINT start = CaptionPoint(hwnd);
    wintest::MouseMove(start.x, start.y);
    wintest::MouseDown();
    wintest::MouseMove(start.x + 50, start.y + 60);
    wintest::KeyPress(VK_ESCAPE);
    wintest::MouseUp();
    wintest::PumpUntilIdle();
    EXPECT_EQ(Box(WindowRectOf(hwnd)), Box(RECT{100, 100, 400, 300}));
    EXPECT_EQ(Events(WM_MOVING).size(), 1u);
    EXPECT_EQ(Events(WM_EXITSIZEMOVE).size(), 1u);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FrameTrackTest, SizingByBordersAndCornersHonoursTheTrackLimits) {
    struct Case {
        const char* what;
        POINT grab;  // window coordinates of the press
        int dx, dy;
        WPARAM wmsz;
        RECT expected;
    } cases[] = {
        {"right border wider", {299, 100}, 40, 0, WMSZ_RIGHT, {100, 100, 440, 300}},
        {"right border narrower", {299, 100}, -60, 30, WMSZ_RIGHT, {100, 100, 340, 300}},
        {"bottom-right corner", {299, 199}, 25, 35, WMSZ_BOTTOMRIGHT, {100, 100, 425, 335}},
        {"left border", {0, 100}, 30, 0, WMSZ_LEFT, {130, 100, 400, 300}},
        {"top-left corner", {0, 0}, -20, -10, WMSZ_TOPLEFT, {80, 90, 400, 300}},
        // The handler's minimum track size (200 x 150) stops the window shrinking further.
        {"corner below the minimum", {299, 199}, -250, -180, WMSZ_BOTTOMRIGHT, {100, 100, 300, 250}},
        {"left border below the minimum", {0, 100}, 280, 0, WMSZ_LEFT, {200, 100, 400, 300}},
    };
    SetHook([](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT& answer) {
        if (message != WM_GETMINMAXINFO) return false;
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {200, 150};
        answer = 0;
        return true;
    });
    for (const Case& c : cases) {
        HWND hwnd = MakeSizable();
        POINT from{100 + c.grab.x, 100 + c.grab.y};
        Drag(from, {{from.x + c.dx / 2, from.y + c.dy / 2}, {from.x + c.dx, from.y + c.dy}});
        EXPECT_EQ(Box(WindowRectOf(hwnd)), Box(c.expected)) << c.what;
        auto sizing = Events(WM_SIZING);
        ASSERT_FALSE(sizing.empty()) << c.what;
        EXPECT_EQ(sizing.back().WParam, c.wmsz) << c.what;
        EXPECT_EQ(Box(sizing.back().Rect), Box(c.expected)) << c.what;
        auto command = Events(WM_SYSCOMMAND);
        ASSERT_FALSE(command.empty()) << c.what;
        EXPECT_EQ(command[0].WParam, SC_SIZE + c.wmsz) << c.what;
        DestroyWindow(hwnd);
        Settle();
    }
}

TEST_F(FrameTrackTest, CaptionButtonsMinimizeMaximizeRestoreAndClose) {
    HWND hwnd = MakeSizable();
    POINT max = ButtonPoint(hwnd, HTMAXBUTTON);
    wintest::MouseClick(max.x, max.y);
    wintest::PumpUntilIdle();
    EXPECT_TRUE(IsZoomed(hwnd));
    // The same button restores now.
    POINT restore = ButtonPoint(hwnd, HTMAXBUTTON);
    wintest::MouseClick(restore.x, restore.y);
    wintest::PumpUntilIdle();
    EXPECT_FALSE(IsZoomed(hwnd));
    EXPECT_EQ(Box(WindowRectOf(hwnd)), Box(RECT{100, 100, 400, 300}));

    POINT min = ButtonPoint(hwnd, HTMINBUTTON);
    wintest::MouseClick(min.x, min.y);
    wintest::PumpUntilIdle();
    EXPECT_TRUE(IsIconic(hwnd));
    ShowWindow(hwnd, SW_RESTORE);
    Settle();

    POINT close = ButtonPoint(hwnd, HTCLOSE);
    wintest::MouseClick(close.x, close.y);
    wintest::PumpUntilIdle();
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(FrameTrackTest, ReleasingOutsideAPushedButtonDoesNothing) {
    HWND hwnd = MakeSizable();
    POINT close = ButtonPoint(hwnd, HTCLOSE);
    // Pushed while the pointer is over it, drawn up again when it leaves.
    wintest::MouseMove(close.x, close.y);
    wintest::MouseDown();
    wintest::MouseMove(close.x - 60, close.y + 40);
    wintest::MouseUp();
    wintest::PumpUntilIdle();
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(Events(WM_SYSCOMMAND).empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FrameTrackTest, DisabledMaximizeButtonIgnoresClicks) {
    HWND hwnd =
        Make(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, 0, RECT{100, 100, 400, 300});
    Settle();
    POINT max = ButtonPoint(hwnd, HTMAXBUTTON);
    wintest::MouseClick(max.x, max.y);
    wintest::PumpUntilIdle();
    EXPECT_FALSE(IsZoomed(hwnd));
    EXPECT_TRUE(Events(WM_SYSCOMMAND).empty());
}

TEST_F(FrameTrackTest, DoubleClickOnTheCaptionMaximizesAndRestores) {
    HWND hwnd = MakeSizable();
    POINT caption = CaptionPoint(hwnd);
    wintest::MouseDoubleClick(caption.x, caption.y);
    wintest::PumpUntilIdle();
    EXPECT_TRUE(IsZoomed(hwnd));
    caption = CaptionPoint(hwnd);
    wintest::MouseDoubleClick(caption.x, caption.y);
    wintest::PumpUntilIdle();
    EXPECT_FALSE(IsZoomed(hwnd));
    EXPECT_EQ(Box(WindowRectOf(hwnd)), Box(RECT{100, 100, 400, 300}));
}

TEST_F(FrameTrackTest, AltF4ClosesThroughWmCloseAndDefWindowProcDestroys) {
    // A window behind takes the activation, and the keys released after the close.
    Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, RECT{500, 500, 700, 600});
    HWND hwnd = MakeSizable();
    SetFocus(hwnd);
    Settle();
    wintest::KeyPress(VK_F4, wintest::Alt);
    wintest::PumpUntilIdle();
    std::vector<UINT> expected{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY};
    EXPECT_EQ(Messages({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}), expected);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_GE(GetKeyState(VK_MENU), 0);
}

TEST_F(FrameTrackTest, AltF4OnAFocusedChildClosesItsTopLevelWindow) {
    Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, RECT{500, 500, 700, 600});
    HWND hwnd = MakeSizable();
    HWND child = CreateWindowExW(0, u"SCROLLBAR", u"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 60, 17, hwnd, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    SetFocus(child);
    Settle();
    wintest::KeyPress(VK_F4, wintest::Alt);
    wintest::PumpUntilIdle();
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(FrameTrackTest, AltSpaceOpensTheSystemMenuWhoseCloseItemCloses) {
    Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, RECT{500, 500, 700, 600});
    HWND hwnd = MakeSizable();
    SetFocus(hwnd);
    Settle();
    // Queued before the menu opens: its loop takes them. Up wraps to the last item, Close.
    wintest::KeyPress(VK_SPACE, wintest::Alt);
    wintest::KeyPress(VK_UP);
    wintest::KeyPress(VK_RETURN);
    wintest::PumpUntilIdle();
    std::vector<UINT> expected{WM_SYSCOMMAND, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY};
    EXPECT_EQ(Messages({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}), expected);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(FrameTrackTest, SystemMenuMaximizesMinimizesAndRestoresByMnemonic) {
    HWND hwnd = MakeSizable();
    SetFocus(hwnd);
    Settle();
    struct Step {
        UINT key;
        bool zoomed, iconic;
    };
    // 最大化(&X), 还原(&R), 最小化(&N), then 还原 again from the minimized window.
    const Step steps[] = {{'X', true, false}, {'R', false, false}, {'N', false, true}, {'R', false, false}};
    for (const Step& step : steps) {
        wintest::KeyPress(VK_SPACE, wintest::Alt);
        wintest::KeyPress(step.key);
        wintest::PumpUntilIdle();
        EXPECT_EQ(IsZoomed(hwnd) != FALSE, step.zoomed) << char(step.key);
        EXPECT_EQ(IsIconic(hwnd) != FALSE, step.iconic) << char(step.key);
    }
}

TEST_F(FrameTrackTest, KeyboardMoveAndSizeUseArrowsInSteps) {
    HWND hwnd = MakeSizable();
    wintest::KeyPress(VK_RIGHT);
    wintest::KeyPress(VK_RIGHT);
    wintest::KeyPress(VK_DOWN);
    wintest::KeyPress(VK_RETURN);
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE, 0);
    EXPECT_EQ(Box(WindowRectOf(hwnd)), Box(RECT{116, 108, 416, 308}));

    // Sizing: the first arrow picks the side.
    wintest::KeyPress(VK_LEFT);
    wintest::KeyPress(VK_LEFT);
    wintest::KeyPress(VK_ESCAPE);
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_SIZE, 0);
    EXPECT_EQ(Box(WindowRectOf(hwnd)), Box(RECT{116, 108, 416, 308}));
    wintest::KeyPress(VK_LEFT);
    wintest::KeyPress(VK_RETURN);
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_SIZE, 0);
    EXPECT_EQ(Box(WindowRectOf(hwnd)), Box(RECT{108, 108, 416, 308}));
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
