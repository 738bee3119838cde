// TCustomCheckBox: state changes that call Click, toggling by mouse, space bar and accelerator, and the classic
// look drawn with DrawFrameControl.
#include <toolkit/CheckBox.h>
#include <toolkit/Form.h>
#include <toolkit/PropertyRegistry.h>

#include "ControlText.h"

#include <algorithm>

namespace {

[[maybe_unused]] const auto publishedCustomCheckBox =
    Publish<TCustomCheckBox>()
        .Enumeration("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TCustomCheckBox::Alignment,
                     &TCustomCheckBox::SetAlignment, taRightJustify)
        .Boolean("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed, false)
        .Boolean("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked, false)
        .Enumeration("State", {"cbUnchecked", "cbChecked", "cbGrayed"}, &TCustomCheckBox::State,
                     &TCustomCheckBox::SetState, cbUnchecked)
        .Boolean("TabStop", &TCustomCheckBox::TabStop, &TCustomCheckBox::SetTabStop, true);

[[maybe_unused]] const auto publishedCheckBox = Publish<TCheckBox>();

constexpr int kBoxSize = 13;
// Between the box and the caption.
constexpr int kSpacing = 4;

}  // namespace

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

void TCustomCheckBox::SetState(TCheckBoxState value) {
    if (value == FState) return;
    FState = value;
    Invalidate();
    if (!ClicksDisabled()) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment value) {
    if (value == taCenter) value = taRightJustify;
    if (value == FAlignment) return;
    FAlignment = value;
    Invalidate();
}

void TCustomCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::WndProc(TMessage& message) {
    if (message.Msg == CM_DIALOGCHAR) {
        if (IsAccel(static_cast<WORD>(message.WParam), Caption()) && CanFocus()) {
            SetFocus();
            if (Focused()) Toggle();
            message.Result = 1;
            return;
        }
    }
    inherited::WndProc(message);
}

void TCustomCheckBox::Paint() {
    RECT client = ClientRect();
    HDC dc = BeginCaptionPaint(*Canvas(), client, Color(), *Font());

    bool textLeft = FAlignment == taLeftJustify;
    RECT box;
    box.left = textLeft ? client.right - kBoxSize : 0;
    box.top = (client.bottom - kBoxSize) / 2;
    box.right = box.left + kBoxSize;
    box.bottom = box.top + kBoxSize;
    UINT state = DFCS_BUTTONCHECK;
    if (FState == cbChecked) state |= DFCS_CHECKED;
    if (FState == cbGrayed) state = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (!Enabled()) state |= DFCS_INACTIVE;
    if (IsPressed()) state |= DFCS_PUSHED;
    RECT frame = box;
    DrawFrameControl(dc, &frame, DFC_BUTTON, state);

    RECT text = textLeft ? RECT{0, 0, box.left - kSpacing, client.bottom}
                         : RECT{box.right + kSpacing, 0, client.right, client.bottom};
    std::string caption = Caption();
    if (!caption.empty()) DrawCaption(dc, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (!Focused()) return;
    RECT focus;
    if (caption.empty()) {
        focus = box;
        InflateRect(&focus, 1, 1);
    } else {
        RECT measured = Font()->MeasureText(caption, text, DT_SINGLELINE);
        int height = measured.bottom - measured.top;
        focus.left = text.left - 1;
        focus.right = std::min<LONG>(measured.right, text.right) + 1;
        focus.top = (client.bottom - height) / 2 - 1;
        focus.bottom = focus.top + height + 2;
    }
    IntersectRect(&focus, &focus, &client);
    DrawFocusRect(dc, &focus);
}
