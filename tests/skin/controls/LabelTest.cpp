// TSkLabel: AutoSize following the caption and keeping a right edge, the layouts' vertical places, the engraved
// disabled text, Transparent switched at run time, the accelerator handing the focus on, and the labels of a
// panel (transparent, word-wrapped, disabled, opaque) in both looks.
#include "ControlsFixture.h"

#include <Png.h>

#include <skin/CodePage.h>
#include <skin/SkLabel.h>
#include <skin/SkPanel.h>
#include <toolkit/Edit.h>

#include <string>

namespace {

class Label : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        Form->Font()->SetHeight(-14);
        Text = Add<TSkLabel>(20, 20, 65, 17);
        Text->SetCaption(u"COM端口");
        ShowForm();
    }
    // The rows of a picture that hold a pixel other than background, as [first, last]; {-1, -1} when none.
    static std::pair<int, int> InkRows(const wintest::Picture& picture, uint32_t background) {
        std::pair<int, int> rows{-1, -1};
        for (int y = 0; y < picture.Height; ++y)
            for (int x = 0; x < picture.Width; ++x)
                if (picture.At(x, y) != background) {
                    if (rows.first < 0) rows.first = y;
                    rows.second = y;
                }
        return rows;
    }
    TSkLabel* Text = nullptr;
};

}  // namespace

TEST_F(Label, AutoSizeFollowsTheCaptionAtOnce) {
    const RECT extent = Form->Font()->MeasureText(WideToAnsi(u"COM端口"), RECT{0, 0, 0, 0}, DT_EXPANDTABS);
    EXPECT_EQ(Text->Width(), extent.right);
    EXPECT_EQ(Text->Height(), extent.bottom);
    Text->SetCaption(u"COM端口 and more");
    EXPECT_GT(Text->Width(), extent.right);
    // An empty caption keeps one line's height.
    Text->SetCaption(u"");
    EXPECT_EQ(Text->Height(), extent.bottom);
    EXPECT_GT(Text->Width(), 0);
    // Right-justified the right edge stays where it was.
    Text->SetCaption(u"COM端口");
    Text->SetAlignment(taRightJustify);
    const int right = Text->Left() + Text->Width();
    Text->SetCaption(u"COM");
    EXPECT_EQ(Text->Left() + Text->Width(), right);
    EXPECT_LT(Text->Width(), extent.right);
}

TEST_F(Label, TheLayoutPlacesOneLineAtTheTopTheMiddleOrTheBottom) {
    Text->SetAutoSize(false);
    Text->SetBounds(20, 20, 120, 23);
    Text->SetTransparent(false);
    Text->SetColor(clWhite);
    const int line = Text->Font()->MeasureText("COM", RECT{0, 0, 0, 0}, 0).bottom;
    const struct {
        TTextLayout Layout;
        int Top;
    } cases[] = {{tlTop, 0}, {tlCenter, (23 - line) / 2}, {tlBottom, 23 - line}};
    for (const auto& c : cases) {
        Text->SetLayout(c.Layout);
        const std::pair<int, int> ink = InkRows(Crop(Text), 0xFFFFFF);
        // The glyphs lie inside the line's cell: they start at or below its top and end above its bottom.
        EXPECT_GE(ink.first, c.Top) << c.Layout;
        EXPECT_LT(ink.second, c.Top + line) << c.Layout;
        EXPECT_LE(ink.first, c.Top + line / 3) << c.Layout;
    }
}

TEST_F(Label, ADisabledLabelIsEngravedAndAnOpaqueOneFillsItsColor) {
    Text->SetTransparent(false);
    Text->SetColor(clWhite);
    Text->SetEnabled(false);
    const wintest::Picture picture = Crop(Text);
    bool shadow = false;
    bool highlightBelowRight = false;
    for (int y = 0; y + 1 < picture.Height; ++y)
        for (int x = 0; x + 1 < picture.Width; ++x) {
            if (picture.At(x, y) != SysRgb(COLOR_BTNSHADOW)) continue;
            shadow = true;
            // The highlight copy lies one pixel down and right, where the shadow does not cover it.
            const uint32_t below = picture.At(x + 1, y + 1);
            highlightBelowRight |= below == SysRgb(COLOR_BTNHIGHLIGHT) || below == SysRgb(COLOR_BTNSHADOW);
        }
    EXPECT_TRUE(shadow);
    EXPECT_TRUE(highlightBelowRight);
    EXPECT_EQ(picture.At(picture.Width - 1, 0), 0xFFFFFFu);
    // Transparent again: the form's colour shows.
    Text->SetTransparent(true);
    EXPECT_EQ(Crop(Text).At(Text->Width() - 1, 0), Rgb(static_cast<COLORREF>(Form->Color())));
}

TEST_F(Label, TheAcceleratorFocusesTheFocusControl) {
    auto* edit = Add<TEdit>(120, 60, 100, 22);
    auto* other = Add<TEdit>(120, 90, 100, 22);
    Text->SetCaption(u"&Port");
    Text->SetFocusControl(edit);
    other->SetFocus();
    Pump();
    Key('P', wintest::Alt);
    EXPECT_EQ(GetFocus(), edit->Handle());
    // Off when ShowAccelChar is off.
    other->SetFocus();
    Text->SetShowAccelChar(false);
    Pump();
    Key('P', wintest::Alt);
    EXPECT_EQ(GetFocus(), other->Handle());
    // A freed focus control is forgotten.
    delete edit;
    EXPECT_EQ(Text->FocusControl(), nullptr);
}

class LabelLook : public Label, public ::testing::WithParamInterface<Look> {};

// Labels on a coloured panel: transparent, word-wrapped, disabled, and opaque in their own colour.
TEST_P(LabelLook, LabelsOnAPanel) {
    UseLook(GetParam());
    auto* panel = Add<TSkPanel>(20, 60, 230, 110);
    panel->SetParentBackground(false);
    panel->SetColor(static_cast<TColor>(RGB(224, 225, 252)));
    auto add = [&](const char16_t* caption, int top) {
        auto* label = Add<TSkLabel>(8, top, 65, 17, panel);
        label->SetCaption(caption);
        return label;
    };
    add(u"波特率 transparent", 6);
    TSkLabel* wrapped = add(u"技术支持：请与设备供应商联系 word wrap", 26);
    wrapped->SetAutoSize(false);
    wrapped->SetWordWrap(true);
    wrapped->SetBounds(8, 26, 150, 36);
    add(u"数据位 disabled", 64)->SetEnabled(false);
    TSkLabel* opaque = add(u"校验位 opaque", 84);
    opaque->SetTransparent(false);
    opaque->SetColor(static_cast<TColor>(RGB(220, 245, 216)));
    const wintest::Picture picture = Crop(panel);
    EXPECT_TRUE(MatchesGolden(Golden(std::string("Labels") + LookName(GetParam())), picture.Width, picture.Height,
                              picture.Pixels.data()));
}

INSTANTIATE_TEST_SUITE_P(BothLooks, LabelLook, ::testing::Values(Look::Classic, Look::VisualStyles),
                         [](const ::testing::TestParamInfo<Look>& info) { return LookName(info.param); });
