// TGroupBox: children aligned below the caption and inside the etched frame, the caption interrupting the top
// line, and the accelerator that focuses the first child.
#include "StdCtrlsFixture.h"

#include <toolkit/CheckBox.h>
#include <toolkit/GroupBox.h>
#include <toolkit/Label.h>

namespace {

class GroupBox : public StdCtrlsTest {
protected:
    void SetUp() override {
        StdCtrlsTest::SetUp();
        Subject = Add<TGroupBox>(10, 10, 150, 100);
        Subject->SetCaption("&Clock");
        ShowForm();
    }
    int LineHeight() {
        auto* probe = Add<TLabel>(0, 0, 10, 10, Subject);
        probe->SetCaption("0");
        int height = probe->Height();
        delete probe;
        return height;
    }
    TGroupBox* Subject = nullptr;
};

}  // namespace

TEST_F(GroupBox, ChildrenAlignBelowTheCaptionInsideTheFrame) {
    auto* child = Add<TCheckBox>(0, 0, 10, 10, Subject);
    child->SetAlign(alClient);
    RECT bounds = child->BoundsRect();
    EXPECT_EQ(bounds.left, 2);
    EXPECT_EQ(bounds.top, LineHeight() + 2);
    EXPECT_EQ(bounds.right, 148);
    EXPECT_EQ(bounds.bottom, 98);
    // A bigger font pushes the children down.
    Subject->Font()->SetHeight(-24);
    EXPECT_EQ(child->Top(), LineHeight() + 2);
    EXPECT_GT(child->Top(), bounds.top);
}

TEST_F(GroupBox, EtchedFrameBrokenByTheCaption) {
    wintest::Picture shot = wintest::ScreenshotClient(Subject->Handle());
    const uint32_t shadow = SysRgb(COLOR_BTNSHADOW), light = SysRgb(COLOR_BTNHIGHLIGHT), face = SysRgb(COLOR_BTNFACE);
    int line = LineHeight() / 2 - 1;
    // Etched: shadow then highlight, on every side.
    EXPECT_EQ(shot.At(0, 50), shadow);
    EXPECT_EQ(shot.At(1, 50), light);
    EXPECT_EQ(shot.At(148, 50), shadow);
    EXPECT_EQ(shot.At(149, 50), light);
    EXPECT_EQ(shot.At(75, 98), shadow);
    EXPECT_EQ(shot.At(75, 99), light);
    EXPECT_EQ(shot.At(140, line), shadow);
    EXPECT_EQ(shot.At(140, line + 1), light);
    EXPECT_EQ(shot.At(4, line), shadow);
    // Under the caption the line is gone: the caption's cells are face or text.
    int lineUnderCaption = 0;
    for (int x = 9; x < 20; ++x) lineUnderCaption += shot.At(x, line) == shadow && shot.At(x, line + 1) == light;
    EXPECT_EQ(lineUnderCaption, 0);
    EXPECT_EQ(shot.At(75, 50), face);
}

TEST_F(GroupBox, AcceleratorFocusesTheFirstChild) {
    auto* outside = Add<TCheckBox>(200, 10, 80, 17);
    auto* first = Add<TCheckBox>(10, 20, 80, 17, Subject);
    Add<TCheckBox>(10, 45, 80, 17, Subject);
    outside->SetFocus();
    Pump();
    Key('C', wintest::Alt);
    EXPECT_EQ(GetFocus(), first->Handle());
    EXPECT_FALSE(first->Checked());
}
