// TLabel: sizing to the caption and font (one line, word-wrapped lines within a kept width, a right-justified
// label keeping its right edge), the accelerator that focuses FocusControl, and the painted background and
// disabled text.
#include "StdCtrlsFixture.h"

#include <toolkit/CheckBox.h>
#include <toolkit/Label.h>

namespace {

class Label : public StdCtrlsTest {
protected:
    void SetUp() override {
        StdCtrlsTest::SetUp();
        Subject = Add<TLabel>(20, 20, 65, 17);
        Subject->SetCaption("Hello");
    }
    // The extent of text in the label's font, as a DC measures it.
    SIZE Extent(const std::string& text) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, Subject->Font()->Handle());
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        DeleteDC(dc);
        return size;
    }
    TLabel* Subject = nullptr;
};

}  // namespace

TEST_F(Label, AutoSizeFollowsTheCaptionAndTheFont) {
    EXPECT_TRUE(Subject->AutoSize());
    EXPECT_EQ(Subject->Width(), Extent("Hello").cx);
    EXPECT_EQ(Subject->Height(), Extent("Hello").cy);
    Subject->SetCaption("通道01");
    EXPECT_EQ(Subject->Width(), Extent("通道01").cx);
    // The ampersand marks an accelerator and takes no room; without ShowAccelChar it is shown.
    Subject->SetCaption("&Name");
    EXPECT_EQ(Subject->Width(), Extent("Name").cx);
    Subject->SetShowAccelChar(false);
    EXPECT_EQ(Subject->Width(), Extent("&Name").cx);
    int smallHeight = Subject->Height();
    Subject->Font()->SetHeight(-20);
    EXPECT_GT(Subject->Height(), smallHeight);
    EXPECT_EQ(Subject->Height(), Extent("&Name").cy);
    // An empty caption keeps one line's height.
    Subject->SetCaption("");
    EXPECT_EQ(Subject->Height(), Extent(" ").cy);

    Subject->SetAutoSize(false);
    Subject->SetCaption("A much longer caption");
    EXPECT_EQ(Subject->Width(), Extent(" ").cx);
}

TEST_F(Label, RightJustifiedKeepsItsRightEdge) {
    Subject->SetAlignment(taRightJustify);
    int right = Subject->Left() + Subject->Width();
    Subject->SetCaption("Hello, world");
    EXPECT_EQ(Subject->Left() + Subject->Width(), right);
    EXPECT_EQ(Subject->Width(), Extent("Hello, world").cx);
}

TEST_F(Label, WordWrapKeepsTheWidthAndGrowsDown) {
    Subject->SetWordWrap(true);
    Subject->SetAutoSize(false);
    Subject->SetWidth(60);
    Subject->SetAutoSize(true);
    Subject->SetCaption("one two three four five six");
    EXPECT_EQ(Subject->Width(), 60);
    int line = Extent("one").cy;
    EXPECT_GE(Subject->Height(), 3 * line);
    EXPECT_EQ(Subject->Height() % line, 0);
    Subject->SetWordWrap(false);
    EXPECT_EQ(Subject->Height(), line);
    EXPECT_EQ(Subject->Width(), Extent("one two three four five six").cx);
}

TEST_F(Label, AcceleratorFocusesTheFocusControl) {
    auto* box = Add<TCheckBox>(20, 60, 100, 17);
    auto* other = Add<TCheckBox>(20, 90, 100, 17);
    Subject->SetCaption("&Name");
    Subject->SetFocusControl(box);
    ShowForm();
    other->SetFocus();
    Pump();
    Key('N', wintest::Alt);
    EXPECT_EQ(GetFocus(), box->Handle());
    // Not without the ampersand's meaning, and not once the focus control is gone.
    other->SetFocus();
    Subject->SetShowAccelChar(false);
    Key('N', wintest::Alt);
    EXPECT_EQ(GetFocus(), other->Handle());
    Subject->SetShowAccelChar(true);
    delete box;
    EXPECT_EQ(Subject->FocusControl(), nullptr);
    Key('N', wintest::Alt);
    EXPECT_EQ(GetFocus(), other->Handle());
}

TEST_F(Label, BackgroundLayoutAndDisabledText) {
    Form->SetColor(RGB(0, 128, 0));
    Subject->SetAutoSize(false);
    Subject->SetBounds(20, 20, 80, 40);
    Subject->SetColor(RGB(255, 255, 0));
    Subject->SetCaption("W");
    ShowForm();
    // Opaque: the label's own colour fills it; transparent: the form shows through.
    EXPECT_EQ(Crop(Subject).At(70, 35), 0xFFFF00u);
    Subject->SetTransparent(true);
    EXPECT_EQ(Crop(Subject).At(70, 35), 0x008000u);

    // The text's rows move with Layout.
    auto inkRows = [&](int from, int to) {
        wintest::Picture shot = Crop(Subject);
        int rows = 0;
        for (int y = from; y < to; ++y)
            for (int x = 0; x < shot.Width; ++x)
                if (shot.At(x, y) != 0x008000u) {
                    ++rows;
                    break;
                }
        return rows;
    };
    EXPECT_GT(inkRows(0, 13), 0);
    EXPECT_EQ(inkRows(27, 40), 0);
    Subject->SetLayout(tlBottom);
    EXPECT_EQ(inkRows(0, 13), 0);
    EXPECT_GT(inkRows(27, 40), 0);

    // Disabled: highlight and shadow, no text colour.
    Subject->SetLayout(tlTop);
    Subject->SetEnabled(false);
    wintest::Picture shot = Crop(Subject);
    int light = 0, dark = 0, text = 0;
    for (uint32_t pixel : shot.Pixels) {
        light += pixel == SysRgb(COLOR_BTNHIGHLIGHT);
        dark += pixel == SysRgb(COLOR_BTNSHADOW);
        text += pixel == SysRgb(COLOR_WINDOWTEXT);
    }
    EXPECT_GT(light, 0);
    EXPECT_GT(dark, 0);
    EXPECT_EQ(text, 0);
}
