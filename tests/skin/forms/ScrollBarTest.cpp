// TSkScrollBar without the mouse: the range, page and position rules, where buttons, track and thumb lie for
// lengths, borders, pages and positions, the key steps with their scroll codes, and auto-scroll ending at an end.
#include "FormsFixture.h"

#include <skin/KeyRepeat.h>

#include <vector>

namespace {

using ScrollBarValues = FormsTest;

TEST_F(ScrollBarValues, RangeAndPageKeepThePositionInside) {
    TSkScrollBar* bar = AddBar(10, 10, 150, 17, vnoHorizontal);
    int changes = 0;
    bar->OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(bar->Width(), 150);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Performance(), vnpDoubleBuffer);
    EXPECT_EQ(bar->ThemeObject(), "default");

    bar->SetPosition(50);
    EXPECT_EQ(changes, 1);
    bar->SetPosition(50);
    EXPECT_EQ(changes, 1) << "an unchanged position is no change";
    bar->SetMax(10);
    EXPECT_EQ(bar->Position(), 10) << "a lower Max pulls the position down";
    EXPECT_EQ(changes, 2);
    bar->SetMin(20);
    EXPECT_EQ(bar->Min(), 10) << "Min stays at or below Max";
    EXPECT_EQ(bar->Position(), 10);
    bar->SetMin(5);
    bar->SetMax(2);
    EXPECT_EQ(bar->Max(), 5) << "Max stays at or above Min";
    EXPECT_EQ(bar->Position(), 5);

    bar->SetMin(0);
    bar->SetMax(9);
    bar->SetPageSize(20);
    EXPECT_EQ(bar->PageSize(), 10) << "the page is cut to the range";
    EXPECT_TRUE(Empty(bar->ThumbRect())) << "a page covering the range leaves no thumb";
    bar->SetPageSize(-3);
    EXPECT_EQ(bar->PageSize(), 10) << "a negative page is ignored";
    bar->SetMax(4);
    EXPECT_EQ(bar->PageSize(), 5) << "a smaller range cuts the page too";
    bar->SetPosition(-8);
    EXPECT_EQ(bar->Position(), 0);
    bar->SetLargeChange(0);
    EXPECT_EQ(bar->LargeChange(), 1);
    bar->SetLargeChange(40000);
    EXPECT_EQ(bar->LargeChange(), 32767);
}

TEST_F(ScrollBarValues, FitToOrientationTakesTheThumbThicknessAndBorders) {
    TSkScrollBar* bar = AddBar(10, 10, 150, 40, vnoVertical);
    bar->SetBorderWidth(3);
    bar->FitToOrientation();
    EXPECT_EQ(bar->Width(), GetSystemMetrics(SM_CYVTHUMB) + 6);
    EXPECT_EQ(bar->Height(), 40);
    bar->SetOrientation(vnoHorizontal);
    bar->FitToOrientation();
    EXPECT_EQ(bar->Height(), GetSystemMetrics(SM_CYVTHUMB) + 6);
}

// One bar's shape and values, and where its parts lie along its length (start, end); a thumb of (0, 0) is none.
struct GeometryCase {
    const char* Name;
    int Length;
    int Border;
    bool Buttons;
    int Min, Max, Page, Position;
    int Button;  // length of each button
    int TrackStart, TrackEnd;
    int ThumbStart, ThumbEnd;
};

const GeometryCase geometryCases[] = {
    // The thumb as long as it is thick, 50 of 100 along 83 free pixels: round(41.5) = 42.
    {"HalfWayWithoutPage", 134, 0, true, 0, 100, 0, 50, 17, 17, 117, 59, 76},
    {"AtTheStart", 134, 0, true, 0, 100, 0, 0, 17, 17, 117, 17, 34},
    {"AtTheEnd", 134, 0, true, 0, 100, 0, 100, 17, 17, 117, 100, 117},
    {"OffsetRange", 134, 0, true, -50, 50, 0, 0, 17, 17, 117, 59, 76},
    // A page of 25 in 100 values: a quarter of the track; 75 positions along 75 pixels.
    {"ProportionalThumb", 134, 0, true, 0, 99, 25, 30, 17, 17, 117, 47, 72},
    // Beyond the last full page the thumb stays at the end.
    {"PastTheLastPage", 134, 0, true, 0, 99, 25, 90, 17, 17, 117, 92, 117},
    // A tiny page still gets (17 / 3) × 2 = 10 pixels.
    {"SmallestThumb", 134, 0, true, 0, 999, 1, 0, 17, 17, 117, 17, 27},
    {"PageCoversTheRange", 134, 0, true, 0, 9, 10, 0, 17, 17, 117, 0, 0},
    {"EmptyRange", 134, 0, true, 5, 5, 0, 5, 17, 17, 117, 17, 34},
    // Too short for two buttons: 15 pixels each and nothing between them.
    {"TooShortForButtons", 30, 0, true, 0, 100, 0, 50, 15, 15, 15, 0, 0},
    {"NoButtons", 100, 0, false, 0, 100, 0, 50, 17, 0, 100, 42, 59},
    {"InsideABorder", 138, 2, true, 0, 100, 0, 50, 17, 19, 119, 61, 78},
};

class ScrollBarGeometry : public FormsTest, public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(ScrollBarGeometry, PartsAlongBothOrientations) {
    const GeometryCase& c = GetParam();
    for (TSkScrollOrientation orientation : {vnoHorizontal, vnoVertical}) {
        SCOPED_TRACE(orientation == vnoVertical ? "vertical" : "horizontal");
        const bool vertical = orientation == vnoVertical;
        const int thickness = 17 + 2 * c.Border;
        TSkScrollBar* bar =
            AddBar(10, 10, vertical ? thickness : c.Length, vertical ? c.Length : thickness, orientation);
        bar->SetBorderWidth(c.Border);
        bar->SetShowButtons(c.Buttons);
        bar->SetMax(c.Max);
        bar->SetMin(c.Min);
        bar->SetPageSize(c.Page);
        bar->SetPosition(c.Position);
        // A span along the length, across the thickness inside the border.
        auto span = [&](int from, int to) {
            return vertical ? RECT{c.Border, from, c.Border + 17, to} : RECT{from, c.Border, to, c.Border + 17};
        };
        const int end = c.Length - c.Border;
        EXPECT_EQ(bar->FirstButtonRect(), span(c.Border, c.Border + c.Button));
        EXPECT_EQ(bar->SecondButtonRect(), span(end - c.Button, end));
        EXPECT_EQ(bar->TrackRect(), span(c.TrackStart, c.TrackEnd));
        if (c.ThumbEnd == 0)
            EXPECT_TRUE(Empty(bar->ThumbRect())) << bar->ThumbRect();
        else
            EXPECT_EQ(bar->ThumbRect(), span(c.ThumbStart, c.ThumbEnd));
        delete bar;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollBarGeometry, ::testing::ValuesIn(geometryCases),
                         [](const ::testing::TestParamInfo<GeometryCase>& info) { return info.param.Name; });

// A key step from position 50 in 0..100 (small change 3, large change 7) with the given page.
struct KeyCase {
    const char* Name;
    WORD Key;
    int Page;
    TSkScrollCode Code;
    int Position;
};

const KeyCase keyCases[] = {
    {"PageUpByThePage", VK_PRIOR, 20, vncPageUp, 30},
    {"PageUpByTheLargeChange", VK_PRIOR, 0, vncPageUp, 43},
    {"PageDownByThePage", VK_NEXT, 20, vncPageDown, 70},
    {"PageDownByTheLargeChange", VK_NEXT, 0, vncPageDown, 57},
    {"EndToMax", VK_END, 0, vncBottom, 100},
    {"HomeToMin", VK_HOME, 0, vncTop, 0},
    {"RightLineDown", VK_RIGHT, 0, vncLineDown, 53},
    {"DownLineDown", VK_DOWN, 0, vncLineDown, 53},
    {"LeftLineUp", VK_LEFT, 0, vncLineUp, 47},
    {"UpLineUp", VK_UP, 0, vncLineUp, 47},
    {"AnyOtherKeyLineUp", VK_INSERT, 0, vncLineUp, 47},
};

class ScrollBarKeys : public FormsTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ScrollBarKeys, StepRaisesItsCodeWithTheNewPosition) {
    const KeyCase& c = GetParam();
    TSkScrollBar* bar = AddBar(10, 10, 150, 17, vnoHorizontal);
    bar->SetSmallChange(3);
    bar->SetLargeChange(7);
    bar->SetPageSize(c.Page);
    bar->SetPosition(50);
    bar->KeyStep(c.Key);
    EXPECT_EQ(Events, (std::vector<ScrollEvent>{{c.Code, c.Position}}));
    EXPECT_EQ(bar->Position(), c.Position);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollBarKeys, ::testing::ValuesIn(keyCases),
                         [](const ::testing::TestParamInfo<KeyCase>& info) { return info.param.Name; });

TEST_F(ScrollBarValues, StepsStayInsideTheRangeAndTheHandlerHasTheLastWord) {
    TSkScrollBar* bar = AddBar(10, 10, 150, 17, vnoHorizontal);
    bar->SetPageSize(30);
    bar->SetPosition(90);
    bar->KeyStep(VK_NEXT);
    EXPECT_EQ(Events.back(), (ScrollEvent{vncPageDown, 100}));
    bar->OnScroll = [](TObject*, TSkScrollCode, int& position) { position = 12; };
    bar->KeyStep(VK_HOME);
    EXPECT_EQ(bar->Position(), 12);
    EXPECT_EQ(bar->Perform(WM_GETDLGCODE), DLGC_WANTARROWS);
}

TEST_F(ScrollBarValues, AutoScrollStepsOneWayUntilItsEnd) {
    TSkScrollBar* bar = AddBar(10, 10, 150, 17, vnoHorizontal);
    bar->SetMax(5);
    bar->SetPosition(2);
    bar->SetAutoScroll(true, true);
    EXPECT_TRUE(Events.empty()) << "auto-scroll starts without a step";
    wintest::PumpFor(KeyRepeatInterval() * 10 + 400);
    EXPECT_EQ(bar->Position(), 5);
    EXPECT_FALSE(bar->AutoScrollForward()) << "reaching Max ends it";
    EXPECT_EQ(Events, (std::vector<ScrollEvent>{{vncLineDown, 3}, {vncLineDown, 4}, {vncLineDown, 5}}));

    Events.clear();
    bar->SetAutoScroll(true, true);
    bar->SetAutoScroll(false, true);
    EXPECT_FALSE(bar->AutoScrollForward()) << "one direction turns the other off";
    bar->SetAutoScroll(false, false);
    wintest::PumpFor(KeyRepeatInterval() * 5 + 100);
    EXPECT_TRUE(Events.empty()) << "switched off, the timer stops";
}

}  // namespace
