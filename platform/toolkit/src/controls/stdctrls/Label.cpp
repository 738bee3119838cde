// TCustomLabel: caption painting with DrawTextA, sizing to the text, and the accelerator that focuses another
// control.
#include <toolkit/Form.h>
#include <toolkit/Label.h>
#include <toolkit/PropertyRegistry.h>

#include "ControlText.h"

namespace {

[[maybe_unused]] const auto publishedCustomLabel =
    Publish<TCustomLabel>()
        .Enumeration("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TCustomLabel::Alignment,
                     &TCustomLabel::SetAlignment, taLeftJustify)
        .Boolean("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true)
        .Component("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl)
        .Enumeration("Layout", {"tlTop", "tlCenter", "tlBottom"}, &TCustomLabel::Layout, &TCustomLabel::SetLayout,
                     tlTop)
        .Boolean("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar, true)
        .Boolean("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false)
        .Boolean("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false);

[[maybe_unused]] const auto publishedLabel = Publish<TLabel>();

const UINT kAlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

}  // namespace

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
    SetBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

void TCustomLabel::SetAlignment(TAlignment value) {
    if (value == FAlignment) return;
    FAlignment = value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
    if (value == FLayout) return;
    FLayout = value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
    if (value == AutoSize()) return;
    inherited::SetAutoSize(value);
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
    if (value == FShowAccelChar) return;
    FShowAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    // An opaque label repaints over its own rectangle; a transparent one needs the parent underneath first.
    if (value)
        SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
    else
        SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    InvalidateControl(Visible(), false);
}

void TCustomLabel::SetFocusControl(TWinControl* value) {
    if (value == FFocusControl) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = value;
    if (value) value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Loaded() {
    inherited::Loaded();
    AdjustBounds();
}

std::string TCustomLabel::DrawnCaption() const {
    std::string text = Caption();
    // An empty caption still measures one line, so an auto-sized label does not vanish.
    if (text.empty() || (FShowAccelChar && text == "&")) text += ' ';
    return text;
}

UINT TCustomLabel::TextFlags() const {
    return DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | (FShowAccelChar ? 0 : DT_NOPREFIX);
}

void TCustomLabel::DoDrawText(HDC dc, RECT& rect, UINT flags) {
    flags |= TextFlags() | kAlignmentFlags[FAlignment];
    if (flags & DT_CALCRECT)
        rect = Font()->MeasureText(DrawnCaption(), rect, flags);
    else
        DrawControlText(dc, DrawnCaption(), rect, flags, Enabled(), Font()->Color());
}

void TCustomLabel::AdjustBounds() {
    if (!AutoSize() || ComponentState().Contains(csLoading) || ComponentState().Contains(csReading)) return;
    RECT size = Font()->MeasureText(DrawnCaption(), RECT{0, 0, Width(), 0}, TextFlags());
    int newWidth = FWordWrap ? Width() : size.right;
    int left = Left();
    if (FAlignment == taRightJustify) left += Width() - newWidth;
    SetBounds(left, Top(), newWidth, size.bottom);
}

void TCustomLabel::Paint() {
    TCanvas* canvas = TGraphicControl::Canvas();
    RECT rect = ClientRect();
    if (!FTransparent) {
        canvas->Brush().SetStyle(bsSolid);
        canvas->Brush().SetColor(Color());
        canvas->FillRect(rect);
    }
    canvas->SetFont(*Font());
    HDC dc = canvas->Handle();
    if (FLayout != tlTop) {
        RECT measured = rect;
        DoDrawText(dc, measured, DT_CALCRECT);
        int spare = rect.bottom - measured.bottom;
        OffsetRect(&rect, 0, FLayout == tlBottom ? spare : spare / 2);
    }
    DoDrawText(dc, rect, 0);
}

void TCustomLabel::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGCHAR:
        if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(static_cast<WORD>(message.WParam), Caption()) &&
            FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            message.Result = 1;
            return;
        }
        break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        inherited::WndProc(message);
        AdjustBounds();
        return;
    default: break;
    }
    inherited::WndProc(message);
}
