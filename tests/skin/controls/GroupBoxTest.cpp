// TSkGroupBox: Enabled passed on to the children, the check box that enables and disables them while the group
// stays enabled, the caption's gap in the etched top line over a panel's colour, the client area under the
// caption, a description read back, and the group with and without its check box in both looks.
#include "ControlsFixture.h"

#include <Png.h>

#include <skin/CodePage.h>
#include <skin/SkButton.h>
#include <skin/SkGroupBox.h>
#include <skin/SkPanel.h>
#include <toolkit/Edit.h>
#include <toolkit/Reader.h>

#include <string>
#include <vector>

namespace {

class GroupBox : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        Panel = Add<TSkPanel>(10, 10, 380, 230);
        Panel->SetBevelOuter(bvNone);
        Panel->SetParentBackground(false);
        Panel->SetColor(static_cast<TColor>(RGB(220, 245, 216)));
        Group = Add<TSkGroupBox>(10, 10, 147, 77, Panel);
        Group->SetCaption(u"字符");
        Edit = Add<TEdit>(12, 20, 60, 22, Group);
        Button = Add<TSkButton>(12, 45, 55, 25, Group);
        ShowForm();
    }
    std::vector<bool> ChildrenEnabled() const { return {Edit->Enabled(), Button->Enabled()}; }

    TSkPanel* Panel = nullptr;
    TSkGroupBox* Group = nullptr;
    TEdit* Edit = nullptr;
    TSkButton* Button = nullptr;
};

}  // namespace

TEST_F(GroupBox, DisablingTheGroupDisablesEveryChildAndEnablingEnablesThemAll) {
    Button->SetEnabled(false);
    Group->SetEnabled(false);
    EXPECT_FALSE(Group->Enabled());
    EXPECT_EQ(ChildrenEnabled(), (std::vector<bool>{false, false}));
    EXPECT_FALSE(IsWindowEnabled(Group->Handle()));
    Group->SetEnabled(true);
    EXPECT_EQ(ChildrenEnabled(), (std::vector<bool>{true, true})) << "whatever their own earlier state";
    EXPECT_TRUE(IsWindowEnabled(Group->Handle()));
}

TEST_F(GroupBox, TheCheckBoxEnablesAndDisablesTheChildrenWhileTheGroupStaysEnabled) {
    std::vector<std::string> events;
    Group->OnClick = [&](TObject*) { events.push_back("click"); };
    Group->OnCheckBoxClick = [&](TObject*) { events.push_back("check box"); };
    Group->SetUseCheckBox(true);
    TSkCheckBox* box = Group->CheckBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(box->Caption(), u"字符");
    EXPECT_EQ(box->Left(), Group->CaptionMargin());
    EXPECT_EQ(box->Top(), 0);
    EXPECT_TRUE(events.empty()) << "making the check box clicks nothing";
    Pump();

    Click(box);
    EXPECT_FALSE(Group->Checked());
    EXPECT_EQ(events, (std::vector<std::string>{"click", "check box"}));
    EXPECT_EQ(ChildrenEnabled(), (std::vector<bool>{false, false}));
    EXPECT_TRUE(box->Enabled());
    EXPECT_TRUE(Group->Enabled());
    // Disabling the group while the check box shows keeps it enabled.
    Group->SetEnabled(false);
    EXPECT_TRUE(Group->Enabled());
    EXPECT_TRUE(IsWindowEnabled(Group->Handle()));

    Click(box);
    EXPECT_TRUE(Group->Checked());
    EXPECT_EQ(ChildrenEnabled(), (std::vector<bool>{true, true}));
    // Checked set by code follows the same way.
    Group->SetChecked(false);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(ChildrenEnabled(), (std::vector<bool>{false, false}));

    // Without the check box the caption comes back.
    Group->SetUseCheckBox(false);
    EXPECT_EQ(Group->CheckBox(), nullptr);
    EXPECT_EQ(Group->ControlCount(), 2);
}

TEST_F(GroupBox, OverAPanelTheFrameShowsThePanelAndLeavesAGapForTheCaption) {
    const wintest::Picture p = Crop(Group);
    const int captionWidth = Group->Font()->MeasureText(WideToAnsi(u"字符"), RECT{0, 0, 0, 0}, DT_SINGLELINE).right;
    const int captionHeight = Group->Font()->MeasureText(WideToAnsi(u"字符"), RECT{0, 0, 0, 0}, DT_SINGLELINE).bottom;
    const int top = captionHeight / 2 + 1;
    const uint32_t panel = 0xDCF5D8;
    // The shadow pass lies one pixel up and left of the highlight pass.
    EXPECT_EQ(p.At(5, top - 1), SysRgb(COLOR_BTNSHADOW));
    EXPECT_EQ(p.At(5, top), SysRgb(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(p.At(Group->CaptionMargin() + captionWidth + 2, top - 1), SysRgb(COLOR_BTNSHADOW));
    // The gap: from CaptionMargin to CaptionMargin + caption width no line, just the panel around the letters.
    EXPECT_EQ(p.At(Group->CaptionMargin(), top), panel);
    EXPECT_EQ(p.At(Group->CaptionMargin() + captionWidth - 1, top - 1), panel);
    EXPECT_EQ(p.At(1, 1), panel) << "around the frame";
    EXPECT_EQ(p.At(100, 60), panel) << "inside the frame";
    // Opaque: the group's own colour.
    Group->SetColor(clWhite);
    Group->SetTransparent(false);
    EXPECT_EQ(Crop(Group).At(100, 60), 0xFFFFFFu);
}

TEST_F(GroupBox, AlignedChildrenGoUnderTheCaptionInsideTheMargins) {
    auto* filler = Add<TFaceControl>(0, 0, 10, 10, Group);
    filler->SetAlign(alClient);
    const int captionHeight = Group->Font()->MeasureText(WideToAnsi(u"字符"), RECT{0, 0, 0, 0}, DT_SINGLELINE).bottom;
    EXPECT_EQ(filler->BoundsRect(), (RECT{12, captionHeight, 147 - 12, 77 - 8}));
}

TEST_F(GroupBox, ADescriptionSetsCaptionCheckBoxAndState) {
    TForm form(nullptr);
    ReadDescription(&form,
                    "object Form: TForm\n"
                    "  object Group: TSkGroupBox\n"
                    "    Left = 7\n    Top = 43\n    Width = 147\n    Height = 77\n"
                    "    Caption = #26102#38047\n    CaptionMargin = 20\n    UseCheckBox = True\n"
                    "    Checked = False\n    Transparent = True\n"
                    "  end\nend\n");
    auto* group = dynamic_cast<TSkGroupBox*>(form.FindComponent("Group"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Caption(), u"时钟");
    EXPECT_EQ(group->CaptionMargin(), 20);
    ASSERT_NE(group->CheckBox(), nullptr);
    EXPECT_FALSE(group->CheckBox()->Checked());
    EXPECT_EQ(group->CheckBox()->Caption(), u"时钟");
    EXPECT_EQ(group->CheckBox()->Left(), 20);
}

class GroupBoxLook : public GroupBox, public ::testing::WithParamInterface<Look> {};

// A group with its caption, the same disabled, one with an empty caption, and one with its check box.
TEST_P(GroupBoxLook, CaptionDisabledEmptyAndCheckBox) {
    UseLook(GetParam());
    auto add = [&](const char16_t* caption, int left, int top) {
        auto* group = Add<TSkGroupBox>(left, top, 147, 77, Panel);
        group->SetCaption(caption);
        return group;
    };
    TSkGroupBox* disabled = add(u"时钟", 170, 10);
    disabled->SetEnabled(false);
    TSkGroupBox* empty = add(u"", 10, 100);
    TSkGroupBox* checked = add(u"显示时钟", 170, 100);
    checked->SetUseCheckBox(true);
    // Away from the edit, whose caret blinks.
    Button->SetFocus();
    const wintest::Picture grid = Grid({{Crop(Group), Crop(disabled)}, {Crop(empty), Crop(checked)}}, 4, 0xFF00FF);
    EXPECT_TRUE(MatchesGolden(Golden(std::string("GroupBoxes") + LookName(GetParam())), grid.Width, grid.Height,
                              grid.Pixels.data()));
}

INSTANTIATE_TEST_SUITE_P(BothLooks, GroupBoxLook, ::testing::Values(Look::Classic, Look::VisualStyles),
                         [](const ::testing::TestParamInfo<Look>& info) { return LookName(info.param); });
