// TCheckBox: toggling by mouse, space bar and accelerator with one OnClick each, OnClick on state changes made
// by code (the mirroring pattern of linked boxes), the grayed cycle, and the box's pixels.
#include "StdCtrlsFixture.h"

#include <toolkit/CheckBox.h>

#include <vector>

namespace {

class TQuietCheckBox : public TCheckBox {
public:
    using TCheckBox::SetClicksDisabled;
    using TCheckBox::TCheckBox;
};

class CheckBox : public StdCtrlsTest {
protected:
    void SetUp() override {
        StdCtrlsTest::SetUp();
        Box = Add<TCheckBox>(20, 20, 120, 17);
        Box->SetCaption("&Mirror");
        Box->OnClick = [this](TObject* sender) {
            EXPECT_EQ(sender, Box);
            ++Clicks;
        };
        ShowForm();
    }
    TCheckBox* Box = nullptr;
    int Clicks = 0;
};

}  // namespace

TEST_F(CheckBox, MouseSpaceAndAcceleratorToggleWithOneClickEach) {
    Click(Box);
    EXPECT_TRUE(Box->Checked());
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(GetFocus(), Box->Handle());
    Click(Box);
    EXPECT_FALSE(Box->Checked());
    EXPECT_EQ(Clicks, 2);

    // The space bar toggles on its release.
    wintest::KeyDown(VK_SPACE);
    Pump();
    EXPECT_FALSE(Box->Checked());
    wintest::KeyUp(VK_SPACE);
    Pump();
    EXPECT_TRUE(Box->Checked());
    EXPECT_EQ(Clicks, 3);

    // The accelerator focuses and toggles, from another control too.
    auto* other = Add<TCheckBox>(20, 60, 120, 17);
    other->SetFocus();
    Pump();
    Key('M', wintest::Alt);
    EXPECT_FALSE(Box->Checked());
    EXPECT_EQ(GetFocus(), Box->Handle());
    EXPECT_EQ(Clicks, 4);
}

TEST_F(CheckBox, ReleasingOutsideDoesNotToggle) {
    POINT inside = Centre(Box);
    wintest::MouseMove(inside.x, inside.y);
    wintest::MouseDown();
    Pump();
    wintest::MouseMove(inside.x, inside.y + 40);
    wintest::MouseUp();
    Pump();
    EXPECT_FALSE(Box->Checked());
    EXPECT_EQ(Clicks, 0);
    // Coming back inside before the release does toggle.
    wintest::MouseMove(inside.x, inside.y);
    wintest::MouseDown();
    wintest::MouseMove(inside.x, inside.y + 40);
    wintest::MouseMove(inside.x + 1, inside.y);
    wintest::MouseUp();
    Pump();
    EXPECT_TRUE(Box->Checked());
    EXPECT_EQ(Clicks, 1);
}

TEST_F(CheckBox, ChangingTheStateByCodeCallsClickUnlessUnchangedOrDisabled) {
    Box->SetChecked(true);
    EXPECT_EQ(Clicks, 1);
    Box->SetChecked(true);
    EXPECT_EQ(Clicks, 1);
    Box->SetState(cbGrayed);
    EXPECT_EQ(Clicks, 2);
    EXPECT_FALSE(Box->Checked());
    Box->SetChecked(false);
    EXPECT_EQ(Box->State(), cbUnchecked);
    EXPECT_EQ(Clicks, 3);

    TQuietCheckBox quiet(nullptr);
    int quietClicks = 0;
    quiet.OnClick = [&](TObject*) { ++quietClicks; };
    quiet.SetClicksDisabled(true);
    quiet.SetChecked(true);
    EXPECT_TRUE(quiet.Checked());
    EXPECT_EQ(quietClicks, 0);
    quiet.SetClicksDisabled(false);
    quiet.SetChecked(false);
    EXPECT_EQ(quietClicks, 1);
}

TEST_F(CheckBox, MirroringHandlersSettleWithoutRecursion) {
    // Box drives two followers; the first follower also writes back to Box, as linked rows do.
    auto* first = Add<TCheckBox>(20, 60, 120, 17);
    auto* second = Add<TCheckBox>(20, 90, 120, 17);
    second->SetEnabled(false);
    int firstClicks = 0, secondClicks = 0;
    Box->OnClick = [&](TObject*) {
        ++Clicks;
        first->SetChecked(Box->Checked());
        second->SetChecked(Box->Checked());
    };
    first->OnClick = [&](TObject*) {
        ++firstClicks;
        Box->SetChecked(first->Checked());
    };
    second->OnClick = [&](TObject*) { ++secondClicks; };
    Click(Box);
    EXPECT_TRUE(first->Checked());
    EXPECT_TRUE(second->Checked());
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(firstClicks, 1);
    EXPECT_EQ(secondClicks, 1);
    // Going the other way round: the follower's click drives Box, whose handler drives both followers.
    Click(first);
    EXPECT_FALSE(Box->Checked());
    EXPECT_FALSE(second->Checked());
    EXPECT_EQ(Clicks, 2);
    EXPECT_EQ(firstClicks, 2);
    EXPECT_EQ(secondClicks, 2);
    // A disabled box ignores the mouse.
    Click(second);
    EXPECT_FALSE(second->Checked());
}

TEST_F(CheckBox, AllowGrayedStepsThroughTheGrayedState) {
    Box->SetAllowGrayed(true);
    Box->SetFocus();
    std::vector<TCheckBoxState> states;
    for (int i = 0; i < 3; ++i) {
        Key(VK_SPACE);
        states.push_back(Box->State());
    }
    EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    EXPECT_EQ(Clicks, 3);
}

TEST_F(CheckBox, TheBoxSitsOnTheAlignedSideAndShowsTheMark) {
    // The check mark is window-text dark in the middle of the 13-pixel box, the box face is window colour.
    const uint32_t mark = SysRgb(COLOR_WINDOWTEXT), face = SysRgb(COLOR_WINDOW);
    auto boxCentre = [&](int boxLeft) {
        wintest::Picture shot = Crop(Box);
        int top = (Box->Height() - 13) / 2;
        int dark = 0;
        for (int y = top + 3; y < top + 10; ++y)
            for (int x = boxLeft + 3; x < boxLeft + 10; ++x) dark += shot.At(x, y) == mark;
        return std::make_pair(dark, shot.At(boxLeft + 3, top + 3));
    };
    EXPECT_EQ(boxCentre(0).first, 0);
    EXPECT_EQ(boxCentre(0).second, face);
    Box->SetChecked(true);
    EXPECT_GT(boxCentre(0).first, 5);
    Box->SetAlignment(taLeftJustify);
    EXPECT_GT(boxCentre(Box->Width() - 13).first, 5);
}
