// TSkPanel: the corner pixels of its bevel rings, the client area inside them, the face under visual styles with
// and without ParentBackground, and a row of panels in both looks.
#include "ControlsFixture.h"

#include <Png.h>

#include <skin/SkPanel.h>

#include <string>
#include <vector>

namespace {

class Panel : public ControlsTest {
protected:
    TSkPanel* AddPanel(int left, int top, TBevelCut outer, TBevelCut inner, int bevelWidth, int borderWidth) {
        auto* panel = Add<TSkPanel>(left, top, 90, 60);
        panel->SetParentBackground(false);
        panel->SetColor(static_cast<TColor>(RGB(220, 245, 216)));
        panel->SetBevelOuter(outer);
        panel->SetBevelInner(inner);
        panel->SetBevelWidth(bevelWidth);
        panel->SetBorderWidth(borderWidth);
        return panel;
    }
};

}  // namespace

TEST_F(Panel, TheRingsTakeTheirColoursCornerByCorner) {
    // The command panel's frame: lowered outside, raised inside.
    TSkPanel* panel = AddPanel(20, 20, bvLowered, bvRaised, 1, 0);
    ShowForm();
    const wintest::Picture p = Crop(panel);
    const uint32_t shadow = SysRgb(COLOR_BTNSHADOW);
    const uint32_t highlight = SysRgb(COLOR_BTNHIGHLIGHT);
    const int r = p.Width - 1;
    const int b = p.Height - 1;
    const struct {
        int X, Y;
        uint32_t Colour;
    } cases[] = {
        // Outer ring: shadow at left and top, highlight at right and bottom and on the two odd corners.
        {0, 0, shadow},
        {0, b - 1, shadow},
        {r - 1, 0, shadow},
        {r, 0, highlight},
        {0, b, highlight},
        {r, b, highlight},
        // Inner ring: the other way round.
        {1, 1, highlight},
        {r - 1, 1, shadow},
        {1, b - 1, shadow},
        {r - 1, b - 1, shadow},
        // The face.
        {2, 2, 0xDCF5D8},
        {r - 2, b - 2, 0xDCF5D8},
    };
    for (const auto& c : cases) EXPECT_EQ(p.At(c.X, c.Y), c.Colour) << c.X << ", " << c.Y;
}

TEST_F(Panel, ChildrenAlignInsideRingsAndBorder) {
    TSkPanel* panel = AddPanel(20, 20, bvLowered, bvRaised, 2, 3);
    auto* child = Add<TFaceControl>(0, 0, 10, 10, panel);
    child->SetAlign(alClient);
    ShowForm();
    // Two bevels of 2 and a border of 3: 7 on every side.
    EXPECT_EQ(child->BoundsRect(), (RECT{7, 7, 90 - 7, 60 - 7}));
}

TEST_F(Panel, UnderVisualStylesParentBackgroundShowsTheParentInsteadOfTheFace) {
    UseLook(Look::VisualStyles);
    TSkPanel* panel = AddPanel(20, 20, bvNone, bvNone, 1, 0);
    ShowForm();
    EXPECT_EQ(Crop(panel).At(45, 30), 0xDCF5D8u);
    panel->SetParentBackground(true);
    EXPECT_EQ(Crop(panel).At(45, 30), Rgb(static_cast<COLORREF>(Form->Color())));
    // The classic look always fills its face.
    UseLook(Look::Classic);
    EXPECT_EQ(Crop(panel).At(45, 30), 0xDCF5D8u);
}

class PanelLook : public Panel, public ::testing::WithParamInterface<Look> {};

TEST_P(PanelLook, BevelsBordersAndCaptions) {
    UseLook(GetParam());
    const struct {
        TBevelCut Outer, Inner;
        int BevelWidth, BorderWidth;
        const char* Caption;
    } cases[] = {
        {bvRaised, bvNone, 1, 0, ""},
        {bvLowered, bvRaised, 1, 0, ""},
        {bvRaised, bvLowered, 2, 3, "面板"},
        {bvNone, bvNone, 1, 0, "Panel"},
    };
    std::vector<TSkPanel*> panels;
    int left = 10;
    for (const auto& c : cases) {
        TSkPanel* panel = AddPanel(left, 10, c.Outer, c.Inner, c.BevelWidth, c.BorderWidth);
        panel->SetCaption(c.Caption);
        panels.push_back(panel);
        left += 96;
    }
    ShowForm();
    std::vector<wintest::Picture> row;
    for (TSkPanel* panel : panels) row.push_back(Crop(panel));
    const wintest::Picture grid = Grid({row}, 4, 0xFF00FF);
    EXPECT_TRUE(MatchesGolden(Golden(std::string("Panels") + LookName(GetParam())), grid.Width, grid.Height,
                              grid.Pixels.data()));
}

INSTANTIATE_TEST_SUITE_P(BothLooks, PanelLook, ::testing::Values(Look::Classic, Look::VisualStyles),
                         [](const ::testing::TestParamInfo<Look>& info) { return LookName(info.param); });
