// TSkButton: Enter and Esc through the form's dialog keys with the default frame following the focus, ModalResult
// ending a modal form, the mouse press (dragging out and back, releasing outside), the space bar, the accelerator,
// the stock kinds, the glyph count, the placing of caption and glyph, and the faces of every state in both looks.
#include "ControlsFixture.h"

#include <Png.h>

#include <skin/CanvasUtils.h>
#include <skin/CodePage.h>
#include <skin/SkButton.h>
#include <toolkit/Edit.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class Button : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        Ok = AddButton(u"确认", 20, 20);
        Ok->SetDefault(true);
        Ok->SetModalResult(mrOk);
        Cancel = AddButton(u"取消", 20, 55);
        Cancel->SetCancel(true);
        Cancel->SetModalResult(mrCancel);
        Go = AddButton(u"&Go", 20, 90);
        Edit = Add<TEdit>(120, 20, 100, 22);
        ShowForm();
        Park();
    }
    TSkButton* AddButton(const std::u16string& caption, int left, int top) {
        auto* button = Add<TSkButton>(left, top, 75, 25);
        button->SetCaption(caption);
        button->OnClick = [this](TObject* sender) { Clicks.push_back(sender); };
        return button;
    }

    TSkButton* Ok = nullptr;
    TSkButton* Cancel = nullptr;
    TSkButton* Go = nullptr;
    TEdit* Edit = nullptr;
    std::vector<TObject*> Clicks;
};

}  // namespace

TEST_F(Button, EnterClicksTheDefaultButtonUnlessAnotherButtonHasTheFocus) {
    const struct {
        const char* Name;
        TWinControl* Focus;
        UINT Key;
        TSkButton* Clicked;
        bool OkActiveDefault;
    } table[] = {
        {"Enter in the edit", Edit, VK_RETURN, Ok, true},
        {"Enter on another button", Go, VK_RETURN, Go, false},
        {"Esc in the edit", Edit, VK_ESCAPE, Cancel, true},
        {"Esc on the default button", Ok, VK_ESCAPE, Cancel, false},
    };
    for (const auto& c : table) {
        Clicks.clear();
        c.Focus->SetFocus();
        Pump();
        EXPECT_EQ(Ok->ActiveDefault(), c.OkActiveDefault) << c.Name;
        Key(c.Key);
        EXPECT_EQ(Clicks, std::vector<TObject*>{c.Clicked}) << c.Name;
    }
    // With a modifier held, or on a disabled button, the keys click nothing.
    Edit->SetFocus();
    Clicks.clear();
    Key(VK_RETURN, wintest::Control);
    Ok->SetEnabled(false);
    Cancel->SetVisible(false);
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(Button, TheDefaultFrameFollowsTheFocusInTheClassicLook) {
    // The default and the focused button carry a black outline; the others start with the highlight.
    const auto outlined = [this](TSkButton* button) { return Crop(button).At(0, 12) == 0x000000u; };
    Edit->SetFocus();
    EXPECT_TRUE(outlined(Ok));
    EXPECT_FALSE(outlined(Go));
    Go->SetFocus();
    EXPECT_FALSE(outlined(Ok));
    EXPECT_TRUE(outlined(Go));
    Edit->SetFocus();
    EXPECT_TRUE(outlined(Ok));
    // Default switched off and on again: every button looks at the focus again at once.
    Ok->SetDefault(false);
    EXPECT_FALSE(Ok->ActiveDefault());
    EXPECT_FALSE(outlined(Ok));
    Ok->SetDefault(true);
    EXPECT_TRUE(Ok->ActiveDefault());
}

TEST_F(Button, APressDraggedOutAndBackClicksOnceOnTheReleaseInside) {
    const POINT inside = Centre(Ok);
    MoveTo(inside);
    wintest::MouseDown();
    Pump();
    EXPECT_TRUE(Ok->Pressed());
    EXPECT_EQ(GetFocus(), Ok->Handle()) << "a press takes the focus";
    MoveTo(POINT{inside.x + 100, inside.y});
    EXPECT_FALSE(Ok->Pressed()) << "the face comes up outside";
    MoveTo(inside);
    EXPECT_TRUE(Ok->Pressed()) << "and goes down again inside";
    wintest::MouseUp();
    Pump();
    EXPECT_FALSE(Ok->Pressed());
    EXPECT_EQ(Clicks, std::vector<TObject*>{Ok});

    // Released outside: no click, and the mouse is free again.
    Clicks.clear();
    wintest::MouseDown();
    Pump();
    MoveTo(At(Ok, Ok->Width(), Ok->Height() / 2));  // the first column past the right edge
    wintest::MouseUp();
    Pump();
    EXPECT_TRUE(Clicks.empty());
    EXPECT_FALSE(Ok->Pressed());
    EXPECT_EQ(GetCapture(), nullptr);

    // A double click is two presses, and so two clicks.
    Clicks.clear();
    wintest::MouseDoubleClick(inside.x, inside.y);
    Pump();
    EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(Button, TheSpaceBarPressesTheFaceAndClicksOnItsRelease) {
    Go->SetFocus();
    Pump();
    wintest::KeyDown(VK_SPACE);
    Pump();
    EXPECT_TRUE(Go->Pressed());
    EXPECT_TRUE(Clicks.empty());
    wintest::KeyDown(VK_SPACE);  // held: the key repeats
    Pump();
    EXPECT_TRUE(Clicks.empty());
    wintest::KeyUp(VK_SPACE);
    Pump();
    EXPECT_FALSE(Go->Pressed());
    EXPECT_EQ(Clicks, std::vector<TObject*>{Go});
}

TEST_F(Button, TheAcceleratorFocusesAndClicksAButtonThatCanTakeTheFocus) {
    Edit->SetFocus();
    Pump();
    Key('G', wintest::Alt);
    EXPECT_EQ(GetFocus(), Go->Handle());
    EXPECT_EQ(Clicks, std::vector<TObject*>{Go});

    Edit->SetFocus();
    Go->SetEnabled(false);
    Pump();
    Key('G', wintest::Alt);
    EXPECT_EQ(GetFocus(), Edit->Handle());
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(Button, AClickHandsTheModalResultToTheForm) {
    Form->SetModalResult(mrNone);
    Click(Cancel);
    EXPECT_EQ(Form->ModalResult(), mrCancel);
    Click(Go);
    EXPECT_EQ(Form->ModalResult(), mrNone) << "a button without a result clears the form's";
}

TEST(ButtonModal, ModalResultEndsShowModal) {
    struct Case {
        const char* Name;
        bool ByMouse;
        UINT Key;
        TModalResult Expected;
    } cases[] = {
        {"a click on Retry", true, 0, mrRetry},
        {"Enter on the default OK", false, VK_RETURN, mrOk},
        {"Esc on Cancel", false, VK_ESCAPE, mrCancel},
    };
    wintest::ScopedVisualStyles classic{false};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TForm form(nullptr);
        form.SetBounds(100, 100, 300, 200);
        auto add = [&](const char16_t* caption, TModalResult result, int top) {
            auto* button = new TSkButton(&form);
            button->SetParent(&form);
            button->SetBounds(20, top, 75, 25);
            button->SetCaption(caption);
            button->SetModalResult(result);
            return button;
        };
        add(u"OK", mrOk, 10)->SetDefault(true);
        add(u"Cancel", mrCancel, 40)->SetCancel(true);
        TSkButton* retry = add(u"Retry", mrRetry, 70);
        auto* edit = new TEdit(&form);
        edit->SetParent(&form);
        edit->SetBounds(120, 10, 100, 22);
        form.SetActiveControl(edit);
        // The input waits in the queue until the modal loop reads it, with the form up.
        if (c.ByMouse) {
            RECT r{};
            GetWindowRect(retry->Handle(), &r);
            wintest::MouseClick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        } else {
            wintest::KeyPress(c.Key);
        }
        EXPECT_EQ(form.ShowModal(), c.Expected);
        EXPECT_FALSE(form.Visible());
    }
    wintest::ResetInput();
}

TEST_F(Button, AStockKindSetsCaptionResultAndDefault) {
    const struct {
        TBitBtnKind Kind;
        const char16_t* Caption;
        TModalResult Result;
        bool Default;
    } cases[] = {
        {bkOK, u"OK", mrOk, true},         {bkCancel, u"Cancel", mrCancel, false}, {bkYes, u"&Yes", mrYes, true},
        {bkNo, u"&No", mrNo, false},       {bkAbort, u"Abort", mrAbort, false},    {bkAll, u"&All", mrAll, false},
        {bkHelp, u"&Help", mrNone, false},
    };
    for (const auto& c : cases) {
        Go->SetKind(bkCustom);
        Go->SetCaption(u"&Go");
        Go->SetKind(c.Kind);
        EXPECT_EQ(Go->Caption(), c.Caption);
        EXPECT_EQ(Go->Text(), WideToAnsi(c.Caption));
        EXPECT_EQ(Go->ModalResult(), c.Result);
        EXPECT_EQ(Go->Default(), c.Default);
    }
    // bkClose closes the form instead of handing it a result.
    Go->SetKind(bkClose);
    Click(Go);
    EXPECT_FALSE(Form->Visible());
}

TEST_F(Button, AStockKindBringsItsGlyphWithADisabledTwin) {
    Go->SetKind(bkOK);
    ASSERT_NE(Go->Glyph(), nullptr);
    EXPECT_EQ(Go->Glyph()->Width(), 32);
    EXPECT_EQ(Go->Glyph()->Height(), 16);
    EXPECT_EQ(Go->NumGlyphs(), 2);
    EXPECT_EQ(Go->Glyph()->PixelColor(0, 15), RGB(0, 128, 128)) << "the key colour";
    const auto count = [](const wintest::Picture& picture, uint32_t colour) {
        // The glyph's pixels come from a 32-bit picture and keep its alpha; the colour alone counts.
        return std::count_if(picture.Pixels.begin(), picture.Pixels.end(),
                             [colour](uint32_t pixel) { return (pixel & 0xFFFFFF) == colour; });
    };
    // Enabled: the green check mark, the key colour nowhere. Disabled: the grey twin instead.
    const wintest::Picture enabled = Crop(Go);
    EXPECT_GT(count(enabled, 0x008000), 20);
    EXPECT_EQ(count(enabled, 0x008080), 0);
    Go->SetEnabled(false);
    const wintest::Picture disabled = Crop(Go);
    EXPECT_EQ(count(disabled, 0x008000), 0);
    EXPECT_GT(count(disabled, 0x808080), 20);
}

TEST_F(Button, AGlyphBitmapCountsItsImagesByWidthOverHeight) {
    const struct {
        int Width;
        int Height;
        int NumGlyphs;
    } cases[] = {{16, 16, 1}, {32, 16, 2}, {64, 16, 4}, {80, 16, 1}, {40, 16, 1}, {0, 0, 1}};
    for (const auto& c : cases) {
        TBitmap glyph;
        glyph.SetSize(c.Width, c.Height);
        Go->SetNumGlyphs(3);
        Go->SetGlyph(&glyph);
        EXPECT_EQ(Go->NumGlyphs(), c.NumGlyphs) << c.Width << " x " << c.Height;
    }
}

TEST_F(Button, TheCaptionAndGlyphBlockIsPlacedByAlignmentAndLayout) {
    Go->SetCaption(u"");
    TBitmap glyph;
    glyph.SetSize(16, 16);
    Go->SetGlyph(&glyph);
    Go->SetSpacing(4);
    // Without a caption the block is the glyph cell and the spacing, 20 × 16, in the 75 × 25 button.
    const struct {
        TAlignment Alignment;
        TButtonLayout Layout;
        RECT Content;
        RECT Glyph;
    } cases[] = {
        {taCenter, blGlyphLeft, {27, 4, 47, 20}, {27, 4, 47, 20}},
        {taLeftJustify, blGlyphLeft, {4, 4, 24, 20}, {4, 4, 24, 20}},
        {taRightJustify, blGlyphRight, {51, 4, 71, 20}, {51, 4, 71, 20}},
        {taCenter, blGlyphTop, {29, 2, 45, 22}, {29, 2, 45, 22}},
    };
    for (const auto& c : cases) {
        Go->SetAlignment(c.Alignment);
        Go->SetLayout(c.Layout);
        EXPECT_EQ(Go->GetContentRect(), c.Content) << c.Alignment << ", " << c.Layout;
        EXPECT_EQ(Go->GetGlyphRect(), c.Glyph) << c.Alignment << ", " << c.Layout;
    }
}

class ButtonLook : public Button, public ::testing::WithParamInterface<Look> {};

// Each state of a button: normal, hot, pressed, default, focused, disabled, and with a two-image glyph enabled and
// disabled.
TEST_P(ButtonLook, FacesOfEveryState) {
    UseLook(GetParam());
    Go->SetCaption(u"发送");
    std::vector<wintest::Picture> row;
    Edit->SetFocus();
    Park();
    row.push_back(Crop(Go));  // normal
    MoveTo(Centre(Go));
    row.push_back(Crop(Go));  // hot
    wintest::MouseDown();
    Pump();
    row.push_back(Crop(Go));  // pressed (and focused)
    MoveTo(At(Go, 10, 80));
    wintest::MouseUp();
    Edit->SetFocus();
    Park();
    row.push_back(Crop(Ok));  // default
    Go->SetFocus();
    row.push_back(Crop(Go));  // focused
    Edit->SetFocus();
    Go->SetEnabled(false);
    row.push_back(Crop(Go));  // disabled
    // A glyph of two images: a green square with a dark cyan key around it, and its grey twin.
    TBitmap glyph;
    glyph.SetSize(32, 16);
    FillRectColor(glyph.Canvas(), RECT{0, 0, 32, 16}, static_cast<TColor>(RGB(0, 128, 128)));
    FillRectColor(glyph.Canvas(), RECT{3, 3, 13, 13}, static_cast<TColor>(RGB(0, 160, 0)));
    FillRectColor(glyph.Canvas(), RECT{19, 3, 29, 13}, static_cast<TColor>(RGB(128, 128, 128)));
    Go->SetGlyph(&glyph);
    row.push_back(Crop(Go));  // disabled with glyph
    Go->SetEnabled(true);
    row.push_back(Crop(Go));  // with glyph
    const wintest::Picture grid = Grid({row}, 4, 0xFF00FF);
    EXPECT_TRUE(MatchesGolden(Golden(std::string("Button") + LookName(GetParam())), grid.Width, grid.Height,
                              grid.Pixels.data()));
}

INSTANTIATE_TEST_SUITE_P(BothLooks, ButtonLook, ::testing::Values(Look::Classic, Look::VisualStyles),
                         [](const ::testing::TestParamInfo<Look>& info) { return LookName(info.param); });
