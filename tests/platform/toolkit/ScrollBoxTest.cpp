// TScrollBox: ranges measured from the children, the window's vertical bar in step with them, the scroll
// messages moving the children, ScrollInView, and the ranges following moves and resizes.
#include "ControlFixture.h"

#include <toolkit/Screen.h>
#include <toolkit/ScrollBox.h>

namespace {

class ScrollBox : public ControlFixture {
protected:
    void SetUp() override {
        ControlFixture::SetUp();
        Root = MakeRoot(0, 0, 300, 280);
        Box = new TScrollBox(nullptr);
        Box->SetBounds(10, 10, 200, 150);
        Box->SetParent(Root.get());
        Near = AddChild(10, 20, 50, 30);
        Far = AddChild(10, 300, 50, 30);
        Root->Handle();
        wintest::PumpUntilIdle();
    }

    TWinControl* AddChild(int left, int top, int width, int height) {
        auto* child = new TWinControl(nullptr);
        child->SetBounds(left, top, width, height);
        child->SetParent(Box);
        return child;
    }

    SCROLLINFO VertInfo() {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(Box->Handle(), SB_VERT, &info));
        return info;
    }

    void Scroll(WORD code, int pos = 0) {
        SendMessageA(Box->Handle(), WM_VSCROLL, MAKEWPARAM(code, pos), 0);
        wintest::PumpUntilIdle();
    }

    std::unique_ptr<TWinControl> Root;
    TScrollBox* Box = nullptr;  // owned by Root as its child
    TWinControl* Near = nullptr;
    TWinControl* Far = nullptr;
};

}  // namespace

TEST_F(ScrollBox, DefaultsAndBorder) {
    TScrollBox plain(nullptr);
    EXPECT_EQ(plain.Width(), 185);
    EXPECT_EQ(plain.Height(), 41);
    EXPECT_EQ(plain.BorderStyle(), bsSingle);
    EXPECT_TRUE(plain.AutoScroll());
    EXPECT_TRUE(GetWindowLongPtrA(Box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    Box->SetBorderStyle(bsNone);
    EXPECT_FALSE(GetWindowLongPtrA(Box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    // The ranges survive the new window.
    EXPECT_TRUE(Box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(VertInfo().nMax, 329);
}

TEST_F(ScrollBox, ChildrenBelowTheClientAreaGiveAVerticalRange) {
    EXPECT_EQ(Box->VertScrollBar()->Range(), 330);
    EXPECT_EQ(Box->HorzScrollBar()->Range(), 60);
    EXPECT_TRUE(Box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(Box->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_TRUE(GetWindowLongPtrA(Box->Handle(), GWL_STYLE) & WS_VSCROLL);

    RECT client;
    GetClientRect(Box->Handle(), &client);
    // The client edge takes two pixels a side, the bar its width.
    EXPECT_EQ(client.right, 196 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(client.bottom, 146);
    SCROLLINFO info = VertInfo();
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 329);
    EXPECT_EQ(info.nPage, 146u);
    EXPECT_EQ(info.nPos, 0);
}

TEST_F(ScrollBox, ScrollMessagesMoveTheChildren) {
    const int maxPos = 330 - 146;
    struct Step {
        WORD code;
        int pos;
        bool tracking;
        int expected;
    };
    const Step steps[] = {
        {SB_LINEDOWN, 0, false, 8},
        {SB_LINEDOWN, 0, false, 16},
        {SB_LINEUP, 0, false, 8},
        {SB_THUMBPOSITION, 100, false, 100},
        {SB_THUMBTRACK, 10, false, 100},
        {SB_THUMBTRACK, 10, true, 10},
        {SB_PAGEDOWN, 0, false, 10 + 146},
        {SB_PAGEUP, 0, false, 10},
        {SB_ENDSCROLL, 0, false, 10},
        {SB_THUMBPOSITION, 1000, false, maxPos},
        {SB_TOP, 0, false, 0},
        {SB_BOTTOM, 0, false, maxPos},
        {SB_LINEDOWN, 0, false, maxPos},
        {SB_PAGEUP, 0, false, maxPos - 146},
        {SB_PAGEUP, 0, false, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "code " << step.code << " pos " << step.pos);
        Box->VertScrollBar()->SetTracking(step.tracking);
        Scroll(step.code, step.pos);
        EXPECT_EQ(Box->VertScrollBar()->Position(), step.expected);
        EXPECT_EQ(VertInfo().nPos, step.expected);
        EXPECT_EQ(Near->Top(), 20 - step.expected);
        EXPECT_EQ(Far->Top(), 300 - step.expected);
        EXPECT_EQ(Near->Left(), 10);
        // The windows moved with the controls, and the range stays measured from the unscrolled origin.
        RECT rect;
        GetWindowRect(Far->Handle(), &rect);
        MapWindowPoints(nullptr, Box->Handle(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.top, 300 - step.expected);
        EXPECT_EQ(Box->VertScrollBar()->Range(), 330);
    }
}

TEST_F(ScrollBox, ClickingTheDownArrowScrollsOneLine) {
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof(bar);
    ASSERT_TRUE(GetScrollBarInfo(Box->Handle(), OBJID_VSCROLL, &bar));
    int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2;
    wintest::MouseClick(x, bar.rcScrollBar.bottom - 3);
    wintest::PumpUntilIdle();
    EXPECT_EQ(Box->VertScrollBar()->Position(), 8);
    EXPECT_EQ(Near->Top(), 12);
    EXPECT_EQ(VertInfo().nPos, 8);
}

TEST_F(ScrollBox, ScrollInViewScrollsJustFarEnough) {
    Box->ScrollInView(Far);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 330 - 146);
    EXPECT_EQ(Far->Top() + Far->Height(), 146);
    EXPECT_EQ(VertInfo().nPos, 330 - 146);
    // Already in view: nothing moves.
    Box->ScrollInView(Far);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 330 - 146);
    // Above the client area: its top comes to the top.
    Box->ScrollInView(Near);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 20);
    EXPECT_EQ(Near->Top(), 0);

    // A grandchild is brought in through its parent.
    auto* inner = new TWinControl(nullptr);
    inner->SetBounds(0, 5, 40, 20);
    inner->SetParent(Far);
    Box->ScrollInView(inner);
    EXPECT_EQ(Far->Top() + 5 + 20, 146);
}

TEST_F(ScrollBox, RangesFollowMovesAndResizes) {
    Scroll(SB_THUMBPOSITION, 50);
    Far->SetTop(Far->Top() + 100);  // now 400 below the unscrolled origin
    EXPECT_EQ(Box->VertScrollBar()->Range(), 430);
    EXPECT_EQ(VertInfo().nMax, 429);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 50);

    // Everything fits once the box is tall enough: the bar goes and the children are back where they started.
    Box->SetHeight(440);
    wintest::PumpUntilIdle();
    EXPECT_FALSE(Box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(Box->VertScrollBar()->Position(), 0);
    EXPECT_EQ(Near->Top(), 20);
    EXPECT_EQ(Far->Top(), 400);

    // A wide child brings the horizontal bar.
    Near->SetWidth(500);
    EXPECT_EQ(Box->HorzScrollBar()->Range(), 510);
    EXPECT_TRUE(Box->HorzScrollBar()->IsScrollBarVisible());

    // A range set by hand replaces the measured one.
    Box->VertScrollBar()->SetRange(1000);
    EXPECT_FALSE(Box->AutoScroll());
    EXPECT_TRUE(Box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(VertInfo().nMax, 999);
}

TEST_F(ScrollBox, TheWheelOverAFocusedChildScrollsTheBoxUnlessOnMouseWheelTakesIt) {
    Near->SetFocus();
    RECT rect;
    GetWindowRect(Near->Handle(), &rect);
    wintest::MouseMove(rect.left + 5, rect.top + 5);
    const int lines = Mouse->WheelScrollLines();
    ASSERT_GT(lines, 0);
    wintest::Wheel(-WHEEL_DELTA);
    wintest::PumpUntilIdle();
    EXPECT_EQ(Box->VertScrollBar()->Position(), 8 * lines);
    // Half a notch of a fine wheel scrolls half as far.
    wintest::Wheel(WHEEL_DELTA / 2);
    wintest::PumpUntilIdle();
    EXPECT_EQ(Box->VertScrollBar()->Position(), 8 * lines - 4 * lines);

    int seen = 0;
    Box->OnMouseWheel = [&seen](TObject*, TShiftState, int delta, POINT, bool& handled) {
        seen = delta;
        handled = true;
    };
    wintest::Wheel(-WHEEL_DELTA);
    wintest::PumpUntilIdle();
    EXPECT_EQ(seen, -WHEEL_DELTA);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 4 * lines);
}
