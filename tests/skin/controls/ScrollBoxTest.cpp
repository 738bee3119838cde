// TSkScrollBox: its background (the box's Color in the classic look, the edit field's under visual styles), its
// frame (the sunken two-pixel edge or the edit frame; none without a border), the overlays over its bars and how
// they follow the wheel, the theme link handed to both overlay bars, and its published properties.
#include "ControlsFixture.h"

#include <Png.h>

#include <skin/SkScrollBox.h>
#include <skin/ThemeManager.h>
#include <toolkit/Panel.h>
#include <toolkit/Reader.h>

#include <memory>

namespace {

class TestLink : public TskCustomThemeLink {
public:
    explicit TestLink(TComponent* owner) : TskCustomThemeLink(owner) {}
    TskTheme* GetTheme() override { return nullptr; }
};

class ScrollBox : public ControlsTest {
protected:
    void Build(Look look) {
        UseLook(look);
        Box = Add<TSkScrollBox>(20, 20, 220, 160);
        Box->SetColor(static_cast<TColor>(14218716));
        // Taller and wider than the box: both bars show, with the corner between them.
        Contents = Add<TPanel>(10, 10, 300, 400, Box);
        Contents->SetColor(clWindow);
        ShowForm();
    }
    // The box's whole window as the screen shows it, the overlays over its bars included.
    wintest::Picture Window() {
        const wintest::Picture shot = Shot();
        RECT rect{};
        GetWindowRect(Box->Handle(), &rect);
        const POINT origin = Form->ClientToScreen(POINT{0, 0});
        wintest::Picture picture;
        picture.Width = rect.right - rect.left;
        picture.Height = rect.bottom - rect.top;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x) picture.Pixels.push_back(shot.At(x - origin.x, y - origin.y));
        return picture;
    }

    // The overlay is shown exactly over the box's native bar.
    void ExpectOverBar(TSkInplaceScrollBar* overlay, LONG object) {
        ASSERT_TRUE(overlay->Visible());
        SCROLLBARINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetScrollBarInfo(Box->Handle(), object, &info));
        const POINT origin = overlay->ClientToScreen(POINT{0, 0});
        EXPECT_EQ(origin.x, info.rcScrollBar.left);
        EXPECT_EQ(origin.y, info.rcScrollBar.top);
        EXPECT_EQ(overlay->Width(), info.rcScrollBar.right - info.rcScrollBar.left);
        EXPECT_EQ(overlay->Height(), info.rcScrollBar.bottom - info.rcScrollBar.top);
    }

    TSkScrollBox* Box = nullptr;
    TPanel* Contents = nullptr;
};

constexpr uint32_t BoxColour = 0xDCF5D8;  // 14218716 as RGB 220, 245, 216

TEST_F(ScrollBox, ClassicBackgroundIsTheColourAndTheFrameASunkenEdge) {
    Build(Look::Classic);
    Contents->SetBounds(10, 10, 50, 40);  // nothing to scroll
    const wintest::Picture window = Window();
    EXPECT_EQ(window.At(100, 100), BoxColour);
    EXPECT_EQ(window.At(0, 0), SysRgb(COLOR_BTNSHADOW));
    EXPECT_EQ(window.At(1, 1), SysRgb(COLOR_3DDKSHADOW));
    EXPECT_EQ(window.At(window.Width - 1, window.Height - 1), SysRgb(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(window.At(window.Width - 2, window.Height - 2), SysRgb(COLOR_BTNFACE));
    EXPECT_EQ(window.At(window.Width - 2, 1), SysRgb(COLOR_BTNFACE)) << "the inner ring's right edge";

    Box->SetBorderStyle(bsNone);
    Pump();
    const wintest::Picture bare = Window();
    EXPECT_EQ(bare.At(0, 0), BoxColour) << "without a border there is no frame";
    EXPECT_EQ(bare.At(bare.Width - 1, bare.Height - 1), BoxColour);
}

TEST_F(ScrollBox, VisualStylesShowTheEditFieldInsteadOfTheColour) {
    Build(Look::VisualStyles);
    Contents->SetBounds(10, 10, 50, 40);
    const wintest::Picture window = Window();
    EXPECT_NE(window.At(100, 100), BoxColour);
    EXPECT_EQ(window.At(100, 100), SysRgb(COLOR_WINDOW)) << "the edit field's face";
    EXPECT_NE(window.At(0, 0), window.At(100, 100)) << "the edit frame";
}

TEST_F(ScrollBox, OverlaysCoverTheBarsAndFollowTheWheel) {
    Build(Look::Classic);
    TSkInplaceScrollBar* vert = Box->OverlayBars()->VertOverlay();
    TSkInplaceScrollBar* horz = Box->OverlayBars()->HorzOverlay();
    ASSERT_TRUE(vert->Visible());
    ASSERT_TRUE(horz->Visible());
    EXPECT_EQ(vert->Parent(), Form.get()) << "the overlays lie beside the box";
    EXPECT_EQ(vert->ScrollBar()->Position(), 0);

    // The wheel goes to the focused control, and from there to the box that holds it.
    Box->SetFocus();
    MoveTo(Centre(Box));
    wintest::Wheel(-WHEEL_DELTA);
    Pump();
    const int scrolled = Box->VertScrollBar()->Position();
    EXPECT_GT(scrolled, 0);
    EXPECT_EQ(vert->ScrollBar()->Position(), scrolled) << "the overlay's thumb moves with the wheel";

    // Moved into another window, and its window made again for another border, the overlays go along.
    auto* panel = Add<TPanel>(250, 20, 150, 200);
    Box->SetParent(panel);
    Box->SetBounds(0, 0, 140, 180);
    Pump();
    EXPECT_EQ(vert->Parent(), panel);
    ExpectOverBar(vert, OBJID_VSCROLL);
    Box->SetBorderStyle(bsNone);
    Pump();
    ExpectOverBar(vert, OBJID_VSCROLL);
    ExpectOverBar(horz, OBJID_HSCROLL);
}

TEST_F(ScrollBox, ThemeBroadcastRepaintsTheFrameInItsPresentState) {
    Build(Look::VisualStyles);
    const uint32_t normal = Window().At(0, 50);
    MoveTo(At(Box, 4, 4));
    EXPECT_TRUE(Box->MouseInControl());
    EXPECT_EQ(Window().At(0, 50), normal) << "the pointer coming repaints nothing";
    Box->Perform(SkThemeMessage, 1, 0);
    EXPECT_EQ(Window().At(0, 50), normal) << "a change beginning repaints nothing";
    Box->Perform(SkThemeMessage, 5, 0);
    EXPECT_NE(Window().At(0, 50), normal) << "colours changed: the frame is painted again, hot";
    Park();
    EXPECT_FALSE(Box->MouseInControl());
}

TEST_F(ScrollBox, ThemeLinkGoesToBothOverlayBars) {
    Build(Look::Classic);
    auto* link = new TestLink(Form.get());
    Box->SetThemeLink(link);
    EXPECT_EQ(Box->OverlayBars()->VertOverlay()->ScrollBar()->ThemeLink(), link);
    EXPECT_EQ(Box->OverlayBars()->HorzOverlay()->ScrollBar()->ThemeLink(), link);
    delete link;
    EXPECT_EQ(Box->ThemeLink(), nullptr) << "a link removed from the form is let go";
    EXPECT_EQ(Box->ThemeObject(), "default");
    EXPECT_FALSE(Box->MouseInControl());
}

TEST_F(ScrollBox, ReadFromADescription) {
    TForm form(nullptr);
    ReadDescription(&form,
                    "object Host: TForm\n"
                    "  object ScrollBox2: TSkScrollBox\n"
                    "    Align = alClient\n"
                    "    Color = 14218716\n"
                    "    ThemeObject = 'group'\n"
                    "  end\n"
                    "end\n");
    auto* box = dynamic_cast<TSkScrollBox*>(form.FindComponent("ScrollBox2"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->ThemeObject(), "group");
    EXPECT_EQ(box->Color(), static_cast<TColor>(14218716));
    ASSERT_NE(box->OverlayBars(), nullptr);
}

class ScrollBoxLook : public ScrollBox, public ::testing::WithParamInterface<Look> {};

TEST_P(ScrollBoxLook, BothBarsAndTheCorner) {
    Build(GetParam());
    Box->VertScrollBar()->SetPosition(60);
    Pump();
    const wintest::Picture window = Window();
    EXPECT_TRUE(MatchesGolden(Golden(std::string("ScrollBox") + LookName(GetParam())), window.Width, window.Height,
                              window.Pixels.data()));
}

INSTANTIATE_TEST_SUITE_P(BothLooks, ScrollBoxLook, ::testing::Values(Look::Classic, Look::VisualStyles),
                         [](const ::testing::TestParamInfo<Look>& info) { return LookName(info.param); });

}  // namespace
