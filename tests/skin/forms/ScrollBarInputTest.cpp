// TSkScrollBar under injected input: clicks on the arrows and the track with their scroll codes, the thumb dragged
// from its very first pixel with the codes in order, a held arrow stepping at once, after the keyboard delay and
// then at the keyboard rate, a held track paging until the thumb reaches the pointer, and the hot flag.
#include "FormsFixture.h"

#include <skin/KeyRepeat.h>

#include <algorithm>
#include <vector>

namespace {

class ScrollBarInput : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        // Track 183 pixels from x = 17; a page of 10 in 0..100 makes an 18-pixel thumb with 165 pixels to travel
        // over 91 positions.
        Bar = AddBar(20, 20, 217, 17, vnoHorizontal);
        Bar->SetPageSize(10);
        ShowForm();
    }
    void Press(POINT p) {
        MoveTo(AtPoint(Bar, p));
        wintest::MouseDown();
        Pump();
    }
    void Release() {
        wintest::MouseUp();
        Pump();
    }

    TSkScrollBar* Bar = nullptr;
};

enum Spot { OnFirstButton, OnSecondButton, TrackBeforeThumb, TrackAfterThumb };

struct ClickCase {
    const char* Name;
    Spot Where;
    int From;
    std::vector<ScrollEvent> Expected;
};

const ClickCase clickCases[] = {
    {"SecondArrowStepsALineDown", OnSecondButton, 0, {{vncLineDown, 1}, {vncEndScroll, 1}}},
    {"FirstArrowStepsALineUp", OnFirstButton, 5, {{vncLineUp, 4}, {vncEndScroll, 4}}},
    {"FirstArrowAtMinStaysThere", OnFirstButton, 0, {{vncLineUp, 0}, {vncEndScroll, 0}}},
    {"TrackAfterTheThumbPagesDown", TrackAfterThumb, 0, {{vncPageDown, 10}, {vncEndScroll, 10}}},
    {"TrackBeforeTheThumbPagesUp", TrackBeforeThumb, 50, {{vncPageUp, 40}, {vncEndScroll, 40}}},
};

class ScrollBarClick : public ScrollBarInput, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ScrollBarClick, OneStepThenEndScroll) {
    const ClickCase& c = GetParam();
    Bar->SetPosition(c.From);
    const RECT track = Bar->TrackRect();
    const int middle = track.top + 8;
    POINT p{};
    switch (c.Where) {
    case OnFirstButton: p = Middle(Bar->FirstButtonRect()); break;
    case OnSecondButton: p = Middle(Bar->SecondButtonRect()); break;
    case TrackBeforeThumb: p = POINT{track.left + 3, middle}; break;
    case TrackAfterThumb: p = POINT{track.right - 3, middle}; break;
    }
    const POINT screen = AtPoint(Bar, p);
    wintest::MouseClick(screen.x, screen.y);
    Pump();
    EXPECT_EQ(Events, c.Expected);
    EXPECT_EQ(Bar->Position(), c.Expected.back().Position);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollBarClick, ::testing::ValuesIn(clickCases),
                         [](const ::testing::TestParamInfo<ClickCase>& info) { return info.param.Name; });

TEST_F(ScrollBarInput, ThumbDraggedFromItsFirstPixelTracksThenDropsAndEnds) {
    const RECT thumb = Bar->ThumbRect();
    ASSERT_EQ(thumb.left, 17);
    ASSERT_EQ(thumb.right - thumb.left, 18);
    Press(POINT{thumb.left, 8});
    EXPECT_TRUE(Bar->ThumbHeld());
    MoveTo(AtPoint(Bar, POINT{thumb.left + 40, 8}));   // 91 × 40 / 165 = 22.06
    MoveTo(AtPoint(Bar, POINT{thumb.left + 80, 30}));  // off the bar across its thickness: 44.12
    EXPECT_EQ(Bar->Position(), 44);
    EXPECT_EQ(Bar->ThumbRect().left, 17 + 80) << "the thumb follows the pointer";
    MoveTo(AtPoint(Bar, POINT{thumb.left + 400, 8}));  // beyond the end: the last page
    Release();
    EXPECT_FALSE(Bar->ThumbHeld());
    EXPECT_EQ(
        Events,
        (std::vector<ScrollEvent>{
            {vncTrack, 0}, {vncTrack, 22}, {vncTrack, 44}, {vncTrack, 91}, {vncPosition, 91}, {vncEndScroll, 91}}));
    EXPECT_EQ(Bar->Position(), 91);
}

TEST_F(ScrollBarInput, DroppedPositionIsTheHandlers) {
    Bar->OnScroll = [this](TObject*, TSkScrollCode code, int& position) {
        Events.push_back({code, position});
        // A handler that keeps the bar on even positions while tracking has no say; on the drop it has.
        if (code == vncTrack || code == vncPosition) position &= ~1;
    };
    Press(POINT{17, 8});
    MoveTo(AtPoint(Bar, POINT{17 + 42, 8}));  // 91 × 42 / 165 = 23.16
    EXPECT_EQ(Bar->Position(), 23) << "while tracking the position follows the thumb";
    Release();
    EXPECT_EQ(Bar->Position(), 22);
    EXPECT_EQ(Events.back(), (ScrollEvent{vncEndScroll, 22}));
}

TEST_F(ScrollBarInput, HeldArrowStepsAtOnceThenAfterTheDelayThenAtTheRate) {
    std::vector<DWORD> steps;
    Bar->SetMax(100000);
    Bar->OnScroll = [&](TObject*, TSkScrollCode code, int& position) {
        Events.push_back({code, position});
        if (code == vncLineDown) steps.push_back(GetTickCount());
    };
    const DWORD delay = static_cast<DWORD>(KeyRepeatDelay());
    const DWORD interval = static_cast<DWORD>(KeyRepeatInterval());
    Press(Middle(Bar->SecondButtonRect()));
    ASSERT_EQ(steps.size(), 1u) << "the press steps at once";
    wintest::PumpFor(delay + 20 * interval + 150);
    Release();
    ASSERT_GE(steps.size(), 5u);
    EXPECT_GE(steps[1] - steps[0], delay - 10) << "the second step waits for the keyboard delay";
    EXPECT_LT(steps[1] - steps[0], delay + 300);
    std::vector<DWORD> gaps;
    for (size_t i = 2; i < steps.size(); ++i) gaps.push_back(steps[i] - steps[i - 1]);
    std::sort(gaps.begin(), gaps.end());
    // One late tick makes the next gap shorter; on average the steps keep the rate.
    EXPECT_GE((steps.back() - steps[1]) / (steps.size() - 2) + 2, interval) << "no faster than the keyboard rate";
    EXPECT_LT(gaps[gaps.size() / 2], delay / 2) << "then at the keyboard rate";
    EXPECT_EQ(Events.back().Code, vncEndScroll);

    const size_t held = steps.size();
    wintest::PumpFor(delay + 100);
    EXPECT_EQ(steps.size(), held) << "releasing stops the steps";
    EXPECT_EQ(Bar->Position(), static_cast<int>(held));
}

TEST_F(ScrollBarInput, HeldTrackPagesUntilTheThumbReachesThePointer) {
    // The pointer 3 pixels before the track's end; the thumb of position 90 covers 180 to 198.
    Press(POINT{Bar->TrackRect().right - 3, 8});
    wintest::PumpFor(KeyRepeatDelay() + 30 * KeyRepeatInterval() + 200);
    EXPECT_EQ(Bar->Position(), 90);
    Release();
    std::vector<ScrollEvent> expected;
    for (int position = 10; position <= 90; position += 10) expected.push_back({vncPageDown, position});
    expected.push_back({vncEndScroll, 90});
    EXPECT_EQ(Events, expected);
}

TEST_F(ScrollBarInput, ArrowPressedOffTheButtonStopsStepping) {
    Press(Middle(Bar->SecondButtonRect()));
    // Moving off the button keeps it pressed but no longer hot: the repeat steps no more.
    MoveTo(AtPoint(Bar, POINT{100, 40}));
    wintest::PumpFor(KeyRepeatDelay() + 10 * KeyRepeatInterval() + 100);
    Release();
    EXPECT_EQ(Events, (std::vector<ScrollEvent>{{vncLineDown, 1}, {vncEndScroll, 1}}));
}

TEST_F(ScrollBarInput, PointerComesAndGoes) {
    MoveTo(AtPoint(Bar, Middle(Bar->SecondButtonRect())));
    EXPECT_TRUE(Bar->MouseInControl());
    Park();
    EXPECT_FALSE(Bar->MouseInControl());
    EXPECT_TRUE(Events.empty());
}

}  // namespace
