// TSkCheckBox: the click cycles with one OnClick per change, state set by code or read from a description, the
// space bar, a release outside, the accelerator, the focus rectangle around the caption only, the glyph on the
// right, transparency inside a group box, AutoSize, a description written from its published values and read
// back, and the glyph's states in both looks.
#include "ControlsFixture.h"

#include <Png.h>

#include <skin/CodePage.h>
#include <skin/SkCheckBox.h>
#include <toolkit/GroupBox.h>
#include <toolkit/PropertyRegistry.h>
#include <toolkit/Reader.h>

#include <string>
#include <vector>

namespace {

// The root of the descriptions read here, with a click handler.
class TBoxTestForm : public TForm {
    TOOLKIT_CLASS(TBoxTestForm, TForm)

public:
    using TForm::TForm;
    void BoxClick(TObject* sender) { Clicks.push_back(sender); }
    std::vector<TObject*> Clicks;
};

[[maybe_unused]] const auto published = Publish<TBoxTestForm>().Method("BoxClick", &TBoxTestForm::BoxClick);

// The description of a component as a writer would store it: the integer, boolean, enumeration and string
// properties whose values differ from their defaults.
std::string Describe(TComponent& component) {
    std::string text = "  object " + component.Name() + ": " + component.ClassName() + "\n";
    for (const TPropertyInfo* info : TPropertyRegistry::Properties(component.Class())) {
        std::string value;
        switch (info->Kind) {
        case TPropertyKind::Integer:
        case TPropertyKind::Boolean:
        case TPropertyKind::Enumeration: {
            const int64_t ordinal = info->GetOrdinal(component);
            if (ordinal == info->DefaultOrdinal) continue;
            if (info->Kind == TPropertyKind::Integer)
                value = std::to_string(ordinal);
            else if (info->Kind == TPropertyKind::Boolean)
                value = ordinal ? "True" : "False";
            else
                value = info->ValueNames.at(static_cast<size_t>(ordinal));
            break;
        }
        case TPropertyKind::String: {
            const std::string bytes = info->GetString(component);
            if (bytes == info->DefaultString) continue;
            bool quoted = false;
            for (char16_t c : WideFromCodePage(CP_ACP, bytes)) {
                const bool plain = c >= ' ' && c < 0x7F && c != '\'';
                if (plain != quoted) value += '\'';
                quoted = plain;
                value += plain ? std::string(1, static_cast<char>(c)) : "#" + std::to_string(c);
            }
            if (quoted) value += '\'';
            if (value.empty()) value = "''";
            break;
        }
        default: continue;
        }
        text += "    " + info->Name + " = " + value + "\n";
    }
    return text + "  end\n";
}

class CheckBox : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        Box = Add<TSkCheckBox>(20, 20, 120, 20);
        Box->SetCaption(u"&Clock 显示时钟");
        Box->OnClick = [this](TObject* sender) {
            EXPECT_EQ(sender, Box);
            States.push_back(Box->State());
        };
        Other = Add<TFaceControl>(200, 20, 60, 20);
        ShowForm();
        Park();
    }

    TSkCheckBox* Box = nullptr;
    TFaceControl* Other = nullptr;
    std::vector<TSkCheckBoxState> States;
};

// The columns of a picture where two pictures of one size differ, as [first, last]; {-1, -1} when none.
std::pair<int, int> DifferingColumns(const wintest::Picture& a, const wintest::Picture& b) {
    std::pair<int, int> columns{-1, -1};
    for (int x = 0; x < a.Width; ++x)
        for (int y = 0; y < a.Height; ++y)
            if (a.At(x, y) != b.At(x, y)) {
                if (columns.first < 0) columns.first = x;
                columns.second = x;
            }
    return columns;
}

}  // namespace

TEST_F(CheckBox, ClicksCycleThroughTheStatesWithOneOnClickEach) {
    const struct {
        bool AllowGrayed;
        std::vector<TSkCheckBoxState> Cycle;
    } cases[] = {{false, {vcbsChecked, vcbsUnChecked, vcbsChecked}},
                 {true, {vcbsMixed, vcbsChecked, vcbsUnChecked, vcbsMixed}}};
    for (const auto& c : cases) {
        Box->SetState(vcbsUnChecked);
        States.clear();
        Box->SetAllowGrayed(c.AllowGrayed);
        for (size_t i = 0; i < c.Cycle.size(); ++i) Click(Box);
        EXPECT_EQ(States, c.Cycle) << "AllowGrayed " << c.AllowGrayed;
    }
    EXPECT_EQ(GetFocus(), Box->Handle()) << "a press takes the focus";
}

TEST_F(CheckBox, StateSetByCodeClicksOnlyOnAChange) {
    Box->SetChecked(true);
    EXPECT_EQ(States, std::vector<TSkCheckBoxState>{vcbsChecked});
    Box->SetChecked(true);
    Box->SetState(vcbsChecked);
    EXPECT_EQ(States.size(), 1u);
    Box->SetState(vcbsMixed);
    EXPECT_FALSE(Box->Checked());
    Box->SetChecked(false);
    EXPECT_EQ(States, (std::vector<TSkCheckBoxState>{vcbsChecked, vcbsMixed, vcbsUnChecked}));
}

TEST_F(CheckBox, TheSpaceBarTogglesOnceOnItsRelease) {
    Box->SetFocus();
    Pump();
    wintest::KeyDown(VK_SPACE);
    Pump();
    EXPECT_TRUE(Box->Pressed());
    EXPECT_TRUE(States.empty());
    wintest::KeyDown(VK_SPACE);  // held: the key repeats
    Pump();
    EXPECT_TRUE(States.empty());
    wintest::KeyUp(VK_SPACE);
    Pump();
    EXPECT_FALSE(Box->Pressed());
    EXPECT_EQ(States, std::vector<TSkCheckBoxState>{vcbsChecked});
}

TEST_F(CheckBox, TheSpaceBarsPressedLookShowsInTheVisualStyleOnly) {
    for (Look look : {Look::Classic, Look::VisualStyles}) {
        UseLook(look);
        Box->SetFocus();
        const wintest::Picture up = Crop(Box);
        wintest::KeyDown(VK_SPACE);
        Pump();
        const wintest::Picture down = Crop(Box);
        wintest::KeyUp(VK_SPACE);
        Pump();
        if (look == Look::Classic)
            EXPECT_EQ(down.Pixels, up.Pixels);
        else
            EXPECT_NE(down.Pixels, up.Pixels);
    }
}

TEST_F(CheckBox, AReleaseOutsideCancelsTheToggle) {
    POINT inside = Centre(Box);
    wintest::MouseMove(inside.x, inside.y);
    wintest::MouseDown();
    Pump();
    EXPECT_TRUE(Box->Pressed());
    EXPECT_EQ(GetFocus(), Box->Handle());
    // The pressed state does not follow the pointer.
    MoveTo(POINT{inside.x, inside.y + 60});
    EXPECT_TRUE(Box->Pressed());
    wintest::MouseUp();
    Pump();
    EXPECT_FALSE(Box->Pressed());
    EXPECT_TRUE(States.empty());
    EXPECT_EQ(GetCapture(), nullptr);

    // A release on the box's far edge is still inside.
    wintest::MouseMove(inside.x, inside.y);
    wintest::MouseDown();
    Pump();
    MoveTo(At(Box, Box->Width(), Box->Height()));
    wintest::MouseUp();
    Pump();
    EXPECT_EQ(States, std::vector<TSkCheckBoxState>{vcbsChecked});
}

TEST_F(CheckBox, TheAcceleratorFocusesAndTogglesABoxThatCanTakeTheFocus) {
    Other->SetFocus();
    Pump();
    Key('C', wintest::Alt);
    EXPECT_EQ(GetFocus(), Box->Handle());
    EXPECT_EQ(States, std::vector<TSkCheckBoxState>{vcbsChecked});

    Other->SetFocus();
    Box->SetEnabled(false);
    Pump();
    Key('C', wintest::Alt);
    EXPECT_EQ(GetFocus(), Other->Handle());
    EXPECT_EQ(States.size(), 1u);
}

TEST_F(CheckBox, TheFocusRectangleSurroundsTheCaptionTwoPixelsOutAndNeverTheGlyph) {
    for (Look look : {Look::Classic, Look::VisualStyles}) {
        UseLook(look);
        Other->SetFocus();
        const wintest::Picture plain = Crop(Box);
        Box->SetFocus();
        const wintest::Picture focused = Crop(Box);
        // The caption starts after the glyph (13) and the spacing (5); the dotted frame lies 2 pixels outside.
        const std::pair<int, int> columns = DifferingColumns(plain, focused);
        EXPECT_EQ(columns.first, 13 + 5 - 2) << LookName(look);
        EXPECT_LT(columns.second, Box->Width());
    }
}

TEST_F(CheckBox, RightJustifiedTheGlyphTakesTheRightEdgeAndTheCaptionStartsAtTwo) {
    Other->SetFocus();
    Box->SetCaption(u"");
    const wintest::Picture left = Crop(Box);
    Box->SetCaption(u"W");
    // Left-justified the caption starts after the glyph and the spacing, at 18.
    const int leftStart = DifferingColumns(left, Crop(Box)).first;
    Box->SetCaption(u"");
    Box->SetAlignment(valRightJustify);
    const wintest::Picture right = Crop(Box);
    const int top = (Box->Height() - 13) / 2;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(right.At(Box->Width() - 13 + x, top + y), left.At(x, top + y)) << x << ", " << y;
    Box->SetCaption(u"W");
    EXPECT_EQ(DifferingColumns(right, Crop(Box)).first, leftStart - 18 + 2);
}

TEST_F(CheckBox, ATransparentBoxShowsItsParentAndAnOpaqueOneItsColor) {
    auto* group = Add<TGroupBox>(20, 60, 200, 60);
    group->SetColor(static_cast<TColor>(RGB(0x30, 0xA0, 0x60)));
    auto* inner = Add<TSkCheckBox>(10, 20, 120, 20, group);
    inner->SetColor(static_cast<TColor>(RGB(0xE0, 0xE0, 0x20)));
    inner->SetCaption(u"显示时钟");
    const wintest::Picture seeThrough = Crop(inner);
    EXPECT_EQ(seeThrough.At(inner->Width() - 2, 1), 0x30A060u);
    inner->SetTransparent(false);
    EXPECT_EQ(Crop(inner).At(inner->Width() - 2, 1), 0xE0E020u);
    Box->SetTransparent(true);
    EXPECT_EQ(Crop(Box).At(Box->Width() - 2, 1), Rgb(static_cast<COLORREF>(Form->Color())));
}

TEST_F(CheckBox, AutoSizeFitsGlyphSpacingAndCaption) {
    Box->SetAutoSize(true);
    const RECT text = Box->Font()->MeasureText(Box->Text(), RECT{0, 0, 1000, 0}, DT_EXPANDTABS);
    EXPECT_EQ(Box->Width(), 13 + (text.right - text.left) + 5 + 2);
    const int width = Box->Width();
    Box->SetCaption(u"&Clock 显示时钟 and more");
    EXPECT_GT(Box->Width(), width);
    Box->SetSpacing(9);
    Box->SetCaption(u"x");
    const RECT x = Box->Font()->MeasureText("x", RECT{0, 0, 1000, 0}, DT_EXPANDTABS);
    EXPECT_EQ(Box->Width(), 13 + (x.right - x.left) + 9 + 2);
}

TEST_F(CheckBox, ItsValuesAreStoredAndReadBackWithoutAClick) {
    Box->SetName("ckbClock");
    Box->SetAllowGrayed(true);
    Box->SetState(vcbsMixed);
    Box->SetAlignment(valRightJustify);
    Box->SetSpacing(8);
    Box->SetWordWrap(true);
    Box->SetTransparent(false);
    Box->SetThemeObject("clock");
    Box->SetPerformance(vnpSharedBuffer);
    Box->SetTabStop(false);
    const std::string stored = Describe(*Box);
    for (const char* absent : {"Checked", "ThemeLink"}) EXPECT_EQ(stored.find(absent), std::string::npos) << stored;
    for (const char* present : {"State = vcbsMixed", "Transparent = False", "Performance = vnpSharedBuffer",
                                "Alignment = valRightJustify", "Spacing = 8", "ThemeObject = 'clock'"})
        EXPECT_NE(stored.find(present), std::string::npos) << present << " in\n" << stored;

    TBoxTestForm form(nullptr);
    ReadDescription(&form, "object BoxTestForm: TBoxTestForm\n" + stored.substr(0, stored.size() - 6) +
                               "    OnClick = BoxClick\n  end\nend\n");
    auto* read = dynamic_cast<TSkCheckBox*>(form.FindComponent("ckbClock"));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(form.Clicks.empty()) << "values read from a description click nothing";
    EXPECT_EQ(read->State(), vcbsMixed);
    EXPECT_TRUE(read->AllowGrayed());
    EXPECT_EQ(read->Alignment(), valRightJustify);
    EXPECT_EQ(read->Spacing(), 8);
    EXPECT_TRUE(read->WordWrap());
    EXPECT_FALSE(read->Transparent());
    EXPECT_EQ(read->ThemeObject(), "clock");
    EXPECT_EQ(read->Performance(), vnpSharedBuffer);
    EXPECT_FALSE(read->TabStop());
    EXPECT_EQ(read->Caption(), u"&Clock 显示时钟");
    EXPECT_EQ(Describe(*read), stored);
    read->Toggle();
    EXPECT_EQ(form.Clicks, std::vector<TObject*>{read});

    // A new box stores nothing of its own beyond its place.
    TSkCheckBox fresh(nullptr);
    fresh.SetName("fresh");
    const std::string plain = Describe(fresh);
    for (const char* absent : {"State", "Transparent", "Performance", "TabStop", "Spacing", "ThemeObject"})
        EXPECT_EQ(plain.find(std::string("    ") + absent + " ="), std::string::npos) << absent << " in\n" << plain;
}

class CheckBoxLook : public CheckBox, public ::testing::WithParamInterface<Look> {};

TEST_P(CheckBoxLook, GlyphStatesUnderEveryCondition) {
    UseLook(GetParam());
    Box->SetCaption(u"显示时钟");
    std::vector<std::vector<wintest::Picture>> rows;
    for (TSkCheckBoxState state : {vcbsUnChecked, vcbsChecked, vcbsMixed}) {
        Box->SetState(state);
        std::vector<wintest::Picture> row;
        Other->SetFocus();
        Park();
        row.push_back(Crop(Box));  // normal
        MoveTo(Centre(Box));
        row.push_back(Crop(Box));  // hot
        wintest::MouseDown();
        Pump();
        row.push_back(Crop(Box));  // pressed (and with it focused)
        MoveTo(At(Box, 10, 60));
        wintest::MouseUp();
        Other->SetFocus();
        Park();
        Box->SetEnabled(false);
        row.push_back(Crop(Box));  // disabled
        Box->SetEnabled(true);
        Box->SetFocus();
        row.push_back(Crop(Box));  // focused
        ASSERT_EQ(Box->State(), state);
        rows.push_back(row);
    }
    const wintest::Picture grid = Grid(rows, 4, 0xFF00FF);
    EXPECT_TRUE(MatchesGolden(Golden(std::string("CheckBox") + LookName(GetParam())), grid.Width, grid.Height,
                              grid.Pixels.data()));
}

INSTANTIATE_TEST_SUITE_P(BothLooks, CheckBoxLook, ::testing::Values(Look::Classic, Look::VisualStyles),
                         [](const ::testing::TestParamInfo<Look>& info) { return LookName(info.param); });
