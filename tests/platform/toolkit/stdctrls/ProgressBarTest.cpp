// TProgressBar: Position kept within Min..Max, StepIt starting over past Max, StepBy stopping at the ends, and
// the share of the bar that is filled, in blocks or smooth, horizontal or vertical.
#include "StdCtrlsFixture.h"

#include <toolkit/ProgressBar.h>

TEST(ProgressBarRange, PositionStaysWithinMinAndMax) {
    TProgressBar bar(nullptr);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.Step(), 10);
    struct {
        int Set, Expected;
    } positions[] = {{50, 50}, {150, 100}, {-5, 0}, {100, 100}};
    for (auto p : positions) {
        bar.SetPosition(p.Set);
        EXPECT_EQ(bar.Position(), p.Expected) << p.Set;
    }
    bar.SetPosition(80);
    bar.SetMax(50);
    EXPECT_EQ(bar.Position(), 50);
    bar.SetMin(60);  // above Max: Position stays at Min until Max is raised
    EXPECT_EQ(bar.Position(), 60);
    bar.SetMax(200);
    bar.SetPosition(10);
    EXPECT_EQ(bar.Position(), 60);
}

TEST(ProgressBarRange, StepItStartsOverAndStepByStops) {
    TProgressBar bar(nullptr);
    bar.SetMax(24);
    bar.SetStep(1);
    for (int i = 0; i < 24; ++i) bar.StepIt();
    EXPECT_EQ(bar.Position(), 24);
    bar.StepIt();
    EXPECT_EQ(bar.Position(), 1);
    bar.SetStep(10);
    bar.SetPosition(20);
    bar.StepIt();
    EXPECT_EQ(bar.Position(), 6);
    bar.StepBy(100);
    EXPECT_EQ(bar.Position(), 24);
    bar.StepBy(-30);
    EXPECT_EQ(bar.Position(), 0);
}

namespace {

class ProgressBar : public StdCtrlsTest {
protected:
    void SetUp() override {
        StdCtrlsTest::SetUp();
        Bar = Add<TProgressBar>(10, 10, 124, 20);
        ShowForm();
    }
    // How many pixels along the bar's middle line are the highlight colour, and where the last one is.
    std::pair<int, int> Filled(bool vertical = false) {
        wintest::Picture shot = wintest::ScreenshotClient(Bar->Handle());
        const uint32_t highlight = SysRgb(COLOR_HIGHLIGHT);
        int count = 0, last = -1;
        int length = vertical ? shot.Height : shot.Width;
        for (int i = 0; i < length; ++i) {
            uint32_t pixel = vertical ? shot.At(shot.Width / 2, shot.Height - 1 - i) : shot.At(i, shot.Height / 2);
            if (pixel == highlight) {
                ++count;
                last = i;
            }
        }
        return {count, last};
    }
    TProgressBar* Bar = nullptr;
};

}  // namespace

TEST_F(ProgressBar, FillsPositionsShareInBlocksOrSmoothly) {
    // Inside: 120 pixels long, 16 thick, so blocks of 10 with gaps of 2.
    EXPECT_EQ(Filled().first, 0);
    Bar->SetPosition(50);
    Pump();
    auto blocks = Filled();
    EXPECT_EQ(blocks.first, 50);  // five blocks of ten cover the first 60 pixels
    EXPECT_EQ(blocks.second, 2 + 57);
    Bar->SetSmooth(true);
    Pump();
    auto smooth = Filled();
    EXPECT_EQ(smooth.first, 60);
    EXPECT_EQ(smooth.second, 2 + 59);
    Bar->SetPosition(100);
    Pump();
    EXPECT_EQ(Filled().first, 120);
    // The frame stays: a sunken edge, then face.
    wintest::Picture shot = wintest::ScreenshotClient(Bar->Handle());
    EXPECT_EQ(shot.At(0, 10), SysRgb(COLOR_BTNSHADOW));
    EXPECT_EQ(shot.At(123, 10), SysRgb(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(shot.At(1, 10), SysRgb(COLOR_BTNFACE));
}

TEST_F(ProgressBar, VerticalFillsFromTheBottom) {
    Bar->SetBounds(10, 10, 20, 124);
    Bar->SetOrientation(pbVertical);
    Bar->SetSmooth(true);
    Bar->SetPosition(25);
    Pump();
    auto filled = Filled(true);
    EXPECT_EQ(filled.first, 30);
    EXPECT_EQ(filled.second, 2 + 29);
}
