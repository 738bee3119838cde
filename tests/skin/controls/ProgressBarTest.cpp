// TSkProgressBar: the classic chunks counted on the screen for positions at and around their edges, the smooth
// block's width, the empty bar of a range it cannot show, the immediate repaint of a moving position and none for
// an unchanged share, and the bars smooth and chunked, horizontal and vertical, at 0, 37 and 100 % in both looks.
#include "ControlsFixture.h"

#include <Png.h>

#include <skin/SkProgressBar.h>

#include <string>
#include <vector>

namespace {

class ProgressBar : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        Form->SetBounds(20, 20, 640, 300);
        Bar = Add<TSkProgressBar>(10, 10, 549, 26);
        ShowForm();
    }
    // The highlight runs along the bar's middle row (or column), as (start, length) from the left (or bottom).
    std::vector<std::pair<int, int>> Runs(TSkProgressBar* bar) {
        const wintest::Picture p = Crop(bar);
        const bool vertical = bar->Orientation() == vpoVertical;
        const int length = vertical ? p.Height : p.Width;
        const uint32_t highlight = SysRgb(COLOR_HIGHLIGHT);
        std::vector<std::pair<int, int>> runs;
        for (int i = 0; i < length; ++i) {
            const uint32_t pixel = vertical ? p.At(p.Width / 2, p.Height - 1 - i) : p.At(i, p.Height / 2);
            if (pixel != highlight) continue;
            if (!runs.empty() && runs.back().first + runs.back().second == i)
                ++runs.back().second;
            else
                runs.emplace_back(i, 1);
        }
        return runs;
    }
    TSkProgressBar* Bar = nullptr;
};

}  // namespace

TEST_F(ProgressBar, ClassicChunksOfABarAcrossTheWindow) {
    // Bar rectangle (2, 2, 547, 24): chunks 14 wide at a pitch of 16, 34 slots.
    EXPECT_EQ(Bar->GetBarRect(), (RECT{2, 2, 547, 24}));
    const struct {
        int Position;
        size_t Chunks;
    } cases[] = {{0, 0}, {1, 0}, {2, 2}, {50, 18}, {100, 35}};
    for (const auto& c : cases) {
        Bar->SetPosition(c.Position);
        const auto runs = Runs(Bar);
        ASSERT_EQ(runs.size(), c.Chunks) << "position " << c.Position;
        for (size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].first, 2 + 16 * static_cast<int>(i)) << "position " << c.Position << " chunk " << i;
            // The last chunk at 100 % is cut at the bar rectangle's right edge (547).
            EXPECT_EQ(runs[i].second, i == 34 ? 547 - (2 + 16 * 34) : 14) << "position " << c.Position;
        }
    }
}

TEST_F(ProgressBar, VerticalChunksGrowUpwards) {
    Bar->SetBounds(10, 10, 26, 200);
    Bar->SetOrientation(vpoVertical);
    Bar->SetPosition(50);
    // Bar rectangle (2, 2, 24, 198): chunks 14 high at a pitch of 16, 12 slots; half is chunks 0 to 6.
    const auto runs = Runs(Bar);
    ASSERT_EQ(runs.size(), 7u);
    EXPECT_EQ(runs.front(), (std::pair<int, int>{2, 14}));
    EXPECT_EQ(runs.back(), (std::pair<int, int>{2 + 16 * 6, 14}));
}

TEST_F(ProgressBar, ASmoothBarFillsItsShareFromTheLeft) {
    Bar->SetSmooth(true);
    const struct {
        int Position;
        std::vector<std::pair<int, int>> Runs;
    } cases[] = {{0, {}}, {37, {{2, 202}}}, {50, {{2, 272}}}, {100, {{2, 545}}}};
    // 37 % of 545 is 201.65, 50 % is 272.5: rounded to even, 272.
    for (const auto& c : cases) {
        Bar->SetPosition(c.Position);
        EXPECT_EQ(Runs(Bar), c.Runs) << "position " << c.Position;
    }
}

TEST_F(ProgressBar, ARangeItCannotShowLeavesTheBarEmpty) {
    Bar->SetSmooth(true);
    const struct { int Min, Max, Position; } cases[] = {{-10, 100, 50}, {0, 100, 150}, {10, 100, 5}, {20, 20, 20}};
    for (const auto& c : cases) {
        Bar->SetMin(c.Min);
        Bar->SetMax(c.Max);
        Bar->SetPosition(c.Position);
        EXPECT_EQ(Bar->Fraction(c.Position), 0.0f);
        EXPECT_TRUE(Runs(Bar).empty()) << c.Min << ".." << c.Max << " at " << c.Position;
    }
}

TEST_F(ProgressBar, AMovingPositionRepaintsAtOnceAndAnUnchangedShareNotAtAll) {
    Bar->SetSmooth(true);
    Bar->SetPosition(5);
    Pump();
    ASSERT_TRUE(wintest::PumpUntilIdle());
    int paints = 0;
    Bar->SetWindowProc([this, &paints, proc = Bar->WindowProc()](TMessage& message) {
        if (message.Msg == WM_PAINT) ++paints;
        proc(message);
    });
    // The same share: nothing to paint, now or later.
    Bar->SetMax(200);
    wintest::PumpUntilIdle();
    paints = 0;
    Bar->SetMax(100);
    wintest::PumpUntilIdle();
    paints = 0;
    Bar->SetPosition(5);
    EXPECT_EQ(paints, 0);
    // A new share paints before the setter returns, with no message loop running.
    Bar->SetPosition(40);
    EXPECT_EQ(paints, 1);
    // And the display has it: the window's picture as last handed over shows the new block.
    RECT window{};
    GetWindowRect(Form->Handle(), &window);
    const POINT inside = At(Bar, 150, 13);
    const wintest::Picture presented = wintest::PresentedPicture(Form->Handle());
    EXPECT_EQ(presented.At(inside.x - window.left, inside.y - window.top), SysRgb(COLOR_HIGHLIGHT));
    wintest::PumpUntilIdle();
    EXPECT_EQ(paints, 1);
}

TEST_F(ProgressBar, StepNeverExceedsMax) {
    Bar->SetMax(5);
    Bar->SetStep(10);
    EXPECT_EQ(Bar->Step(), 5);
    Bar->SetStep(3);
    EXPECT_EQ(Bar->Step(), 3);
}

class ProgressBarLook : public ProgressBar, public ::testing::WithParamInterface<Look> {};

// Rows: chunked and smooth, each at 0, 37 and 100 %; then vertical bars in the same order.
TEST_P(ProgressBarLook, SmoothAndChunkedAtThreePositions) {
    UseLook(GetParam());
    Bar->SetBounds(10, 10, 140, 16);
    std::vector<std::vector<wintest::Picture>> rows;
    std::vector<wintest::Picture> vertical;
    for (bool smooth : {false, true}) {
        std::vector<wintest::Picture> row;
        for (int position : {0, 37, 100}) {
            Bar->SetOrientation(vpoHorizontal);
            Bar->SetBounds(10, 10, 140, 16);
            Bar->SetSmooth(smooth);
            Bar->SetPosition(position);
            row.push_back(Crop(Bar));
            Bar->SetOrientation(vpoVertical);
            Bar->SetBounds(10, 10, 16, 80);
            vertical.push_back(Crop(Bar));
        }
        rows.push_back(row);
    }
    rows.push_back(vertical);
    const wintest::Picture grid = Grid(rows, 4, 0xFF00FF);
    EXPECT_TRUE(MatchesGolden(Golden(std::string("ProgressBars") + LookName(GetParam())), grid.Width, grid.Height,
                              grid.Pixels.data()));
}

INSTANTIATE_TEST_SUITE_P(BothLooks, ProgressBarLook, ::testing::Values(Look::Classic, Look::VisualStyles),
                         [](const ::testing::TestParamInfo<Look>& info) { return LookName(info.param); });
