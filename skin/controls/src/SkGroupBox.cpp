// TSkGroupBox: the frame with its caption gap in the theme's look, the visual style's group frame or the classic
// etched line; the check box that takes the caption's place; Enabled passed on to the children.
#include <skin/SkGroupBox.h>

#include "ControlPaint.h"
#include "VisualStyle.h"

#include <skin/CanvasUtils.h>
#include <skin/CodePage.h>
#include <skin/Common.h>
#include <skin/ParentBackground.h>
#include <skin/RectUtils.h>
#include <skin/TextUtils.h>
#include <skin/ThemeFonts.h>
#include <skin/ThemeManager.h>
#include <toolkit/Form.h>
#include <toolkit/PropertyRegistry.h>
#include <win32/vssym32.h>

namespace {

[[maybe_unused]] const auto published =
    Publish<TSkGroupBox>()
        .String(
            "Caption", [](TSkGroupBox& box) { return WideToAnsi(box.Caption()); },
            [](TSkGroupBox& box, const std::string& value) { box.SetCaption(WideFromCodePage(CP_ACP, value)); })
        .Integer("CaptionMargin", &TSkGroupBox::CaptionMargin, &TSkGroupBox::SetCaptionMargin, 12)
        .Boolean("UseCheckBox", &TSkGroupBox::UseCheckBox, &TSkGroupBox::SetUseCheckBox, false)
        .Enumeration("CheckBoxAlignment", {"valLeftJustify", "valRightJustify"}, &TSkGroupBox::CheckBoxAlignment,
                     &TSkGroupBox::SetCheckBoxAlignment, valLeftJustify)
        .Boolean("Checked", &TSkGroupBox::Checked, &TSkGroupBox::SetChecked, true)
        // Stored also when true, as the toolkit's writer keeps it.
        .Boolean("Transparent", &TSkGroupBox::Transparent, &TSkGroupBox::SetTransparent, false)
        .String("ThemeObject", &TSkGroupBox::ThemeObject, &TSkGroupBox::SetThemeObject, "default")
        .Component("ThemeLink", &TSkGroupBox::ThemeLink, &TSkGroupBox::SetThemeLink)
        .Boolean("TabStop", &TSkGroupBox::TabStop, &TSkGroupBox::SetTabStop, false)
        .Event("OnCheckBoxClick", &TSkGroupBox::OnCheckBoxClick);

constexpr UINT CaptionFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

}  // namespace

TSkGroupBox::TSkGroupBox(TComponent* owner) : TSkControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                                   csOpaque, csDoubleClicks, csReplicatable});
    SetBounds(Left(), Top(), 100, 90);
    AddThemeListener(this);
}

TSkGroupBox::~TSkGroupBox() {
    RemoveThemeListener(this);
    delete FCheckBox;
}

void TSkGroupBox::SetCaption(const std::u16string& value) {
    if (value == FCaption) return;
    FCaption = value;
    FAnsiCaption = WideToAnsi(value);
    if (FCheckBox) {
        FCheckBox->SetCaption(value);
        PlaceCheckBox();
    }
    Invalidate();
}

void TSkGroupBox::SetCaptionMargin(int value) {
    if (value == FCaptionMargin) return;
    FCaptionMargin = value;
    if (FCheckBox) PlaceCheckBox();
    Invalidate();
}

void TSkGroupBox::SetUseCheckBox(bool value) {
    FUseCheckBox = value;
    if (value) {
        if (!FCheckBox) FCheckBox = CreateCheckBox();
        FCheckBox->SetParent(this);
        FCheckBox->SetTransparent(true);
        FCheckBox->SetAlignment(FCheckBoxAlignment);
        // The state first, so making the box raises no click.
        FCheckBox->SetChecked(FChecked);
        FCheckBox->OnClick = [this](TObject*) { CheckBoxClick(); };
        FCheckBox->SetTop(0);
        FCheckBox->SetCaption(FCaption);
        FCheckBox->SetAutoSize(true);
        PlaceCheckBox();
    } else {
        delete FCheckBox;
        FCheckBox = nullptr;
    }
    Invalidate();
}

TSkCheckBox* TSkGroupBox::CreateCheckBox() { return new TSkCheckBox(this); }

TSkLeftRight TSkGroupBox::CheckBoxAlignment() const { return FCheckBox ? FCheckBox->Alignment() : FCheckBoxAlignment; }

void TSkGroupBox::SetCheckBoxAlignment(TSkLeftRight value) {
    if (value == FCheckBoxAlignment) return;
    FCheckBoxAlignment = value;
    if (FCheckBox) FCheckBox->SetAlignment(value);
}

void TSkGroupBox::SetChecked(bool value) {
    if (value == FChecked) return;
    FChecked = value;
    if (FCheckBox) {
        FCheckBox->SetChecked(value);
        SetEnabled(FChecked);
    }
}

void TSkGroupBox::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Invalidate();
}

void TSkGroupBox::SetThemeObject(const std::string& value) {
    if (value == ThemeObject()) return;
    FTheme.SetThemeObject(value);
    Invalidate();
}

void TSkGroupBox::SetThemeLink(TskCustomThemeLink* value) {
    if (value == ThemeLink()) return;
    FTheme.SetThemeLink(value);
    Invalidate();
}

bool TSkGroupBox::GetEnabled() const { return CheckBoxShown() || FGroupEnabled; }

void TSkGroupBox::SetEnabled(bool value) {
    FGroupEnabled = CheckBoxShown() || value;
    Perform(CM_ENABLEDCHANGED);
}

void TSkGroupBox::EnableChildren() {
    for (int i = ControlCount() - 1; i >= 0; --i) {
        TControl* child = Controls(i);
        if (child == FCheckBox) continue;
        child->SetEnabled(CheckBoxShown() ? FChecked : Enabled());
    }
}

void TSkGroupBox::CheckBoxClick() {
    FChecked = FCheckBox->Checked();
    SetEnabled(FChecked);
    if (OnClick) OnClick(this);
    if (OnCheckBoxClick) OnCheckBoxClick(this);
}

void TSkGroupBox::Loaded() {
    inherited::Loaded();
    SetUseCheckBox(FUseCheckBox);
}

void TSkGroupBox::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    FTheme.Notification(component, operation);
    if (operation == opRemove && component == FCheckBox) FCheckBox = nullptr;
}

bool TSkGroupBox::ThemeDefined() { return IsGroupBoxDefined(0, ThemeObject(), ThemeLink()); }

SIZE TSkGroupBox::CaptionExtent() {
    TFont* font = Font();
    if (ThemeDefined()) font = FTheme.Theme()->Fonts().GetFont(fiGroupBoxTextNormal, ThemeObject());
    const std::string& text = FAnsiCaption;
    const RECT size = font->MeasureText(text.empty() ? "Tg" : text, RECT{0, 0, 0, 0}, DT_SINGLELINE);
    return SIZE{text.empty() ? 0 : RectWidth(size), RectHeight(size)};
}

RECT TSkGroupBox::CaptionRect() {
    const SIZE text = CaptionExtent();
    if (FCheckBox) return RECT{FCaptionMargin, 0, FCaptionMargin + FCheckBox->Width(), text.cy + 6};
    return RECT{FCaptionMargin, 0, FCaptionMargin + text.cx, text.cy};
}

RECT TSkGroupBox::GetFrameRect() {
    const int h = FCheckBox ? FCheckBox->Height() : CaptionExtent().cy;
    return RECT{3, h / 2 + 1, Width() - 2, Height() - 2};
}

void TSkGroupBox::PlaceCheckBox() {
    if (!FCheckBox) return;
    FCheckBox->SetBoundsRect(CaptionRect());
    // The box sizes itself to its caption again from the new place.
    FCheckBox->SetAutoSize(false);
    FCheckBox->SetAutoSize(true);
}

void TSkGroupBox::AdjustClientRect(RECT& rect) {
    const int top = FCheckBox ? FCheckBox->Height() : CaptionExtent().cy;
    rect = RECT{12, top, CachedWidth() - 12, CachedHeight() - 8};
}

void TSkGroupBox::PaintClient() {
    TCanvas& canvas = *Canvas();
    const bool themed = ThemeDefined();
    TskTheme* theme = FTheme.Theme();
    PaintControlBackground(this, canvas, themed ? theme->IsGroupBoxTransparent(0, ThemeObject()) : FTransparent,
                           GetInnerRect(), Color());
    const RECT caption = CaptionRect();
    RECT frame = GetFrameRect();
    const bool showCaption = !FCheckBox;
    if (themed) {
        const TskGroupRecord group{frame, caption, static_cast<std::uint8_t>(Enabled() ? 0 : 1)};
        theme->GroupBoxDraw(0, canvas, "default", group);
        if (showCaption) {
            canvas.SetFont(
                *theme->Fonts().GetFont(Enabled() ? fiGroupBoxTextNormal : fiGroupBoxTextDisabled, ThemeObject()));
            TskTextInfo info;
            MakeTextInfo(caption, FCaption, CaptionFlags, info);
            theme->GroupBoxDrawText(0, canvas, "default", info, group);
        }
        return;
    }
    HDC dc = canvas.Handle();
    if (VisualStylesActive()) {
        // State 1 also when disabled.
        const int saved = SaveDC(dc);
        ExcludeClipRect(dc, caption.left, caption.top, caption.right, caption.bottom);
        DrawVisualStylePart(dc, u"Button", BP_GROUPBOX, GBS_NORMAL, frame);
        RestoreDC(dc, saved);
        if (showCaption && !FCaption.empty()) {
            // The visual style's text drawing takes the DC's font and colour.
            TFont& font = *PaintFont();
            HGDIOBJ old = SelectObject(dc, font.Handle());
            SetTextColor(dc, ColorToRGB(clHighlight));
            SetBkMode(dc, TRANSPARENT);
            DrawVisualStyleText(dc, u"Button", BP_GROUPBOX, GBS_NORMAL, FCaption, CaptionFlags, caption);
            SelectObject(dc, old);
            canvas.Refresh();
        }
        return;
    }
    // Etched: the highlight on the frame, then the shadow one pixel up and left, the top line open over the caption.
    for (TColor color : {clBtnHighlight, clBtnShadow}) {
        MoveToPoint(canvas, frame.left, frame.top);
        LineToColor(canvas, caption.left, frame.top, color);
        MoveToPoint(canvas, caption.right, frame.top);
        LineToColor(canvas, frame.right, frame.top, color);
        LineToColor(canvas, frame.right, frame.bottom, color);
        LineToColor(canvas, frame.left, frame.bottom, color);
        LineToColor(canvas, frame.left, frame.top, color);
        OffsetRect(&frame, -1, -1);
    }
    if (!showCaption) return;
    canvas.SetFont(*PaintFont());
    DrawControlText(canvas, FCaption, caption, CaptionFlags, Enabled());
}

void TSkGroupBox::Dispatch(TMessage& message) {
    if (message.Msg == SkThemeMessage) {
        FTheme.Dispatch(message);
        if (message.WParam == tcThemeReplaced || message.WParam == tcThemeSet || message.WParam == tcThemeRemoved)
            PlaceCheckBox();
        if (message.WParam != tcBeginChange && message.WParam != tcEndChange) Invalidate();
        return;
    }
    if (FTheme.Dispatch(message)) return;
    switch (message.Msg) {
    case CM_ENABLEDCHANGED:
        inherited::Dispatch(message);
        EnableChildren();
        Invalidate();
        return;
    case CM_TEXTCHANGED:
        inherited::Dispatch(message);
        Invalidate();
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(message.WParam), FAnsiCaption) && CanFocus()) {
            SelectFirst();
            message.Result = 1;
            return;
        }
        break;
    case WM_SIZE:
        inherited::Dispatch(message);
        PlaceCheckBox();
        return;
    default: break;
    }
    inherited::Dispatch(message);
}
