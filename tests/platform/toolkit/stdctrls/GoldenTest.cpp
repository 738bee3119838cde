// The standard controls together, in their classic look, active and disabled: one golden picture of a form.
#include "StdCtrlsFixture.h"

#include <Png.h>

#include <toolkit/Button.h>
#include <toolkit/CheckBox.h>
#include <toolkit/ComboBox.h>
#include <toolkit/Edit.h>
#include <toolkit/GroupBox.h>
#include <toolkit/Image.h>
#include <toolkit/Label.h>
#include <toolkit/PageControl.h>
#include <toolkit/ProgressBar.h>
#include <toolkit/SpinEdit.h>
#include <toolkit/TabSheet.h>

namespace {

// A small picture: a blue frame with a red diagonal on white, its bottom-left pixel magenta (transparent).
std::unique_ptr<TBitmap> Diagram() {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(24, 16);
    TCanvas& canvas = bitmap->Canvas();
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(RECT{0, 0, 24, 16});
    canvas.Brush().SetColor(static_cast<TColor>(RGB(0, 0, 255)));
    canvas.FrameRect(RECT{0, 0, 24, 16});
    canvas.Pen().SetColor(static_cast<TColor>(RGB(255, 0, 0)));
    canvas.MoveTo(2, 2);
    canvas.LineTo(22, 14);
    canvas.SetPixels(0, 15, static_cast<TColor>(RGB(255, 0, 255)));
    return bitmap;
}

class Golden : public StdCtrlsTest {
protected:
    // One column of controls at x; disabled ones when enabled is false.
    void Column(int x, bool enabled) {
        auto* label = Add<TLabel>(x, 8, 65, 17);
        label->SetCaption(enabled ? "&Label 通道" : "Label 通道");
        auto* button = Add<TButton>(x, 28, 80, 25);
        button->SetCaption(enabled ? "&Button" : "写入到设备");
        button->SetDefault(enabled);
        auto* box = Add<TCheckBox>(x, 60, 110, 17);
        box->SetCaption("显示时钟");
        box->SetChecked(true);
        auto* grayed = Add<TCheckBox>(x, 80, 110, 17);
        grayed->SetCaption("&Grayed");
        grayed->SetAllowGrayed(true);
        grayed->SetState(cbGrayed);
        auto* group = Add<TGroupBox>(x, 102, 150, 60);
        group->SetCaption("时钟");
        auto* inner = Add<TCheckBox>(10, 20, 100, 17, group);
        inner->SetCaption("Inside");
        auto* bar = Add<TProgressBar>(x, 170, 150, 18);
        bar->SetPosition(45);
        auto* smooth = Add<TProgressBar>(x, 192, 150, 12);
        smooth->SetSmooth(true);
        smooth->SetPosition(70);
        auto* image = Add<TImage>(x + 110, 8, 40, 16);
        image->Picture()->SetBitmap(*Diagram());
        image->SetTransparent(true);
        image->SetStretch(!enabled);
        auto* edit = Add<TEdit>(x, 212, 150, 22);
        edit->SetText("通道０１ text");
        auto* combo = Add<TComboBox>(x, 240, 80, 22);
        combo->SetStyle(csDropDownList);
        for (const char* item : {"大", "中", "小"}) combo->Items()->Add(item);
        combo->SetItemIndex(1);
        auto* spin = Add<TSpinEdit>(x + 90, 240, 60, 22);
        spin->SetMaxValue(31);
        spin->SetValue(24);
        auto* pages = Add<TPageControl>(x, 268, 150, 60);
        for (const char* caption : {"第1组", "第2组"}) {
            auto* sheet = new TTabSheet(Form.get());
            sheet->SetPageControl(pages);
            sheet->SetCaption(caption);
        }
        pages->SetActivePageIndex(1);
        for (TControl* control : std::initializer_list<TControl*>{label, button, box, grayed, group, inner, bar, smooth,
                                                                  image, edit, combo, spin, pages})
            control->SetEnabled(enabled);
        if (enabled) Focus = box;
    }
    TCheckBox* Focus = nullptr;
};

}  // namespace

TEST_F(Golden, StandardControlsActiveAndDisabled) {
    Form->SetBounds(40, 40, 360, 370);
    Column(10, true);
    Column(190, false);
    ShowForm();
    Focus->SetFocus();
    wintest::Picture shot = Shot();
    ASSERT_FALSE(shot.Empty());
    EXPECT_TRUE(MatchesGolden(std::string(TEST_SOURCE_DIR) + "/platform/toolkit/stdctrls/data/StandardControls.png",
                              shot.Width, shot.Height, shot.Pixels.data()));
}
