// TSkControl's frame: the inner rectangle the bevels and border rings leave, the ring colours and corner pixels of
// the classic form, the bevel setters, the visual-style edit frame's states, and one picture of the frame's
// cases in each look.
#include "ControlsFixture.h"

#include <Png.h>

#include <vector>

namespace {

struct InnerCase {
    const char* Name;
    int BevelWidth;
    int BorderWidth;
    TSkBevelCut Inner;
    TSkBevelCut Outer;
    TSkBevelSides Sides;
    RECT Expected;  // of a 60 × 30 control
};

const TSkBevelSides AllSides{vbsLeft, vbsTop, vbsRight, vbsBottom};

const InnerCase InnerCases[] = {
    {"no frame", 0, 0, vbvLowered, vbvLowered, AllSides, {0, 0, 60, 30}},
    {"one lowered pixel each", 1, 0, vbvLowered, vbvLowered, AllSides, {2, 2, 58, 28}},
    {"no top side", 1, 0, vbvLowered, vbvLowered, {vbsLeft, vbsRight, vbsBottom}, {2, 0, 58, 28}},
    {"no top side, border rings", 1, 3, vbvLowered, vbvLowered, {vbsLeft, vbsRight, vbsBottom}, {5, 3, 55, 25}},
    {"inner cut none", 2, 0, vbvNone, vbvRaised, AllSides, {2, 2, 58, 28}},
    {"both cuts none", 2, 1, vbvNone, vbvNone, AllSides, {1, 1, 59, 29}},
    {"border only", 0, 3, vbvLowered, vbvLowered, AllSides, {3, 3, 57, 27}},
};

class ControlFrame : public ControlsTest {
protected:
    TFaceControl* Framed(int left, int top, int bevelWidth, int borderWidth, TSkBevelCut inner = vbvLowered,
                         TSkBevelCut outer = vbvLowered) {
        auto* control = Add<TFaceControl>(left, top, 60, 30);
        control->SetBevelInner(inner);
        control->SetBevelOuter(outer);
        control->SetBevelWidth(bevelWidth);
        control->SetBorderWidth(borderWidth);
        return control;
    }
};

}  // namespace

TEST_F(ControlFrame, TheInnerRectangleIsLeftByBorderRingsAndTheBevelsOnTheirSides) {
    for (const InnerCase& c : InnerCases) {
        TFaceControl control(nullptr);
        control.SetBounds(0, 0, 60, 30);
        control.SetBevelInner(c.Inner);
        control.SetBevelOuter(c.Outer);
        control.SetBevelSides(c.Sides);
        control.SetBevelWidth(c.BevelWidth);
        control.SetBorderWidth(c.BorderWidth);
        EXPECT_EQ(control.GetInnerRect(), c.Expected) << c.Name;
        EXPECT_EQ(control.ClientRect(), c.Expected) << c.Name << ": no embedded bars";
    }
}

TEST_F(ControlFrame, AOneLoweredPixelFramePutsTheLowerColourOnTheBottomLeftAndTopRightCorners) {
    TFaceControl* control = Framed(10, 10, 1, 0);
    ShowForm();
    const wintest::Picture p = Crop(control);
    const uint32_t shadow = SysRgb(COLOR_BTNSHADOW), highlight = SysRgb(COLOR_BTNHIGHLIGHT),
                   dark = SysRgb(COLOR_3DDKSHADOW), face = SysRgb(COLOR_BTNFACE), window = SysRgb(COLOR_WINDOW);
    // Outer ring.
    EXPECT_EQ(p.At(0, 0), shadow);
    EXPECT_EQ(p.At(0, 15), shadow);
    EXPECT_EQ(p.At(30, 0), shadow);
    EXPECT_EQ(p.At(0, 29), highlight);
    EXPECT_EQ(p.At(59, 0), highlight);
    EXPECT_EQ(p.At(30, 29), highlight);
    EXPECT_EQ(p.At(59, 15), highlight);
    // Inner ring.
    EXPECT_EQ(p.At(1, 1), dark);
    EXPECT_EQ(p.At(1, 15), dark);
    EXPECT_EQ(p.At(30, 1), dark);
    EXPECT_EQ(p.At(1, 28), face);
    EXPECT_EQ(p.At(58, 1), face);
    EXPECT_EQ(p.At(30, 28), face);
    // The face starts at GetInnerRect.
    EXPECT_EQ(p.At(2, 2), window);
    EXPECT_EQ(p.At(57, 27), window);
}

TEST_F(ControlFrame, WithoutTopSideTheRingsHaveNoTopLineAndBorderRingsAreInColor) {
    TFaceControl* control = Framed(10, 10, 1, 2);
    control->SetBevelSides({vbsLeft, vbsRight, vbsBottom});
    control->SetColor(static_cast<TColor>(RGB(0xC0, 0x40, 0x40)));
    ShowForm();
    const wintest::Picture p = Crop(control);
    const uint32_t ring = 0xC04040;
    // The top rows are the border rings only; the bevels start below them on the left.
    EXPECT_EQ(p.At(30, 0), ring);
    EXPECT_EQ(p.At(30, 1), ring);
    EXPECT_EQ(p.At(30, 2), SysRgb(COLOR_WINDOW));
    EXPECT_EQ(p.At(0, 0), SysRgb(COLOR_BTNSHADOW));
    EXPECT_EQ(p.At(2, 2), ring);
    EXPECT_EQ(p.At(3, 2), ring);
    EXPECT_EQ(p.At(4, 2), SysRgb(COLOR_WINDOW));
    EXPECT_EQ(control->GetInnerRect(), (RECT{4, 2, 56, 26}));
}

TEST_F(ControlFrame, BevelSettersResetTheKindOnlyOnAChangeAndReportEachChange) {
    struct TCountingControl : TSkControl {
        using TSkControl::TSkControl;
        void BorderChanged() override { ++Changes; }
        int Changes = 0;
    };
    TCountingControl control(nullptr);
    control.SetBevelKind(vbkFlat);
    EXPECT_EQ(control.BevelInner(), vbvFlatBorder);
    EXPECT_EQ(control.BevelOuter(), vbvFlatBorder);
    EXPECT_EQ(control.Changes, 1);

    control.SetBevelInner(vbvFlatBorder);
    EXPECT_EQ(control.BevelKind(), vbkFlat) << "an unchanged cut keeps the kind";
    EXPECT_EQ(control.Changes, 1);
    control.SetBevelInner(vbvRaised);
    EXPECT_EQ(control.BevelKind(), vbkNone);
    EXPECT_EQ(control.BevelOuter(), vbvFlatBorder);
    EXPECT_EQ(control.Changes, 3) << "the kind's reset and the cut";

    const struct {
        TSkBevelKind Kind;
        TSkBevelCut Cut;
    } presets[] = {{vbkSingle, vbvLowered},
                   {vbkBorder, vbvBorder},
                   {vbkTile, vbvLowered},
                   {vbkFlat, vbvFlatBorder},
                   {vbkSoft, vbvLowered}};
    for (const auto& preset : presets) {
        control.SetBevelKind(preset.Kind);
        EXPECT_EQ(control.BevelInner(), preset.Cut) << preset.Kind;
        EXPECT_EQ(control.BevelOuter(), preset.Cut) << preset.Kind;
    }
    control.SetBevelInner(vbvSpace);
    control.SetBevelKind(vbkNone);
    EXPECT_EQ(control.BevelInner(), vbvSpace) << "vbkNone leaves the cuts";

    const int before = control.Changes;
    control.SetBevelWidth(control.BevelWidth());
    control.SetBorderWidth(control.BorderWidth());
    control.SetBevelSides(control.BevelSides());
    EXPECT_EQ(control.Changes, before);
    control.SetBevelWidth(2);
    control.SetBorderWidth(1);
    control.SetBevelSides({vbsTop});
    EXPECT_EQ(control.Changes, before + 3);
}

TEST_F(ControlFrame, TheEditFrameFollowsDisabledFocusedHotAndNormalWithDisabledFirst) {
    UseLook(Look::VisualStyles);
    TFaceControl* normal = Framed(10, 10, 1, 0);
    TFaceControl* hot = Framed(80, 10, 1, 0);
    TFaceControl* focused = Framed(150, 10, 1, 0);
    TFaceControl* disabled = Framed(10, 60, 1, 0);
    TFaceControl* disabledFocused = Framed(80, 60, 1, 0);
    TFaceControl* noFrame = Framed(150, 60, 0, 0);
    disabled->SetEnabled(false);
    disabledFocused->SetEnabled(false);
    ShowForm();
    // The focus flag as the form's focus bookkeeping sets it, on a control that cannot take the focus itself.
    disabledFocused->Perform(CM_ENTER);
    ASSERT_TRUE(disabledFocused->HasFocus());
    focused->SetFocus();
    MoveTo(Centre(hot));
    ASSERT_TRUE(hot->MouseInControl());

    const wintest::Picture n = Crop(normal), h = Crop(hot), f = Crop(focused), d = Crop(disabled),
                           df = Crop(disabledFocused), none = Crop(noFrame);
    EXPECT_EQ(df.Pixels, d.Pixels) << "disabled wins over the focus";
    EXPECT_NE(n.At(0, 0), h.At(0, 0));
    EXPECT_NE(n.At(0, 0), f.At(0, 0));
    EXPECT_NE(h.At(0, 0), f.At(0, 0));
    EXPECT_NE(n.At(0, 0), d.At(0, 0));
    // The edit frame replaces the bevels; the face is untouched inside GetInnerRect.
    EXPECT_EQ(n.At(2, 2), SysRgb(COLOR_WINDOW));
    for (uint32_t pixel : none.Pixels) ASSERT_EQ(pixel, SysRgb(COLOR_WINDOW)) << "no frame without bevels or border";

    // Without UseSystemStyle the classic bevels come back under visual styles.
    normal->SetUseSystemStyle(false);
    EXPECT_EQ(Crop(normal).At(0, 0), SysRgb(COLOR_BTNSHADOW));
}

class ControlFrameLook : public ControlFrame, public ::testing::WithParamInterface<Look> {};

TEST_P(ControlFrameLook, FrameCases) {
    UseLook(GetParam());
    std::vector<TFaceControl*> controls = {
        Framed(10, 10, 0, 0),
        Framed(80, 10, 1, 0),
        Framed(150, 10, 1, 2),
        Framed(220, 10, 2, 1, vbvRaised, vbvRaised),
        Framed(290, 10, 1, 0, vbvBorder, vbvSpace),
        Framed(10, 50, 3, 0, vbvFlatBorder, vbvLowered),
        Framed(80, 50, 1, 3),
    };
    controls[2]->SetBevelSides({vbsLeft, vbsRight, vbsBottom});
    controls[2]->SetColor(static_cast<TColor>(RGB(0xC0, 0x40, 0x40)));
    controls[6]->SetEnabled(false);
    ShowForm();
    controls[1]->SetFocus();
    Park();
    std::vector<wintest::Picture> row;
    for (TFaceControl* control : controls) row.push_back(Crop(control));
    const wintest::Picture grid = Grid({row}, 4, 0xFF00FF);
    EXPECT_TRUE(MatchesGolden(Golden(std::string("Frames") + LookName(GetParam())), grid.Width, grid.Height,
                              grid.Pixels.data()));
}

INSTANTIATE_TEST_SUITE_P(BothLooks, ControlFrameLook, ::testing::Values(Look::Classic, Look::VisualStyles),
                         [](const ::testing::TestParamInfo<Look>& info) { return LookName(info.param); });
