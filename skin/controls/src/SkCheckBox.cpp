// TSkCheckBox: its states and click protocol, the mouse, space-bar and accelerator input, and its face in the
// theme's look or the built-in one (visual style or classic) with the caption beside the glyph.
#include <skin/SkCheckBox.h>

#include "ControlPaint.h"
#include "PaintTarget.h"
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
    Publish<TSkCheckBox>()
        .Enumeration("State", {"vcbsUnChecked", "vcbsChecked", "vcbsMixed"}, &TSkCheckBox::State,
                     &TSkCheckBox::SetState, vcbsUnChecked)
        .Boolean("Checked", &TSkCheckBox::Checked, &TSkCheckBox::SetChecked, false)
        .Boolean("AllowGrayed", &TSkCheckBox::AllowGrayed, &TSkCheckBox::SetAllowGrayed, false)
        .Enumeration("Alignment", {"valLeftJustify", "valRightJustify"}, &TSkCheckBox::Alignment,
                     &TSkCheckBox::SetAlignment, valLeftJustify)
        .Integer("Spacing", &TSkCheckBox::Spacing, &TSkCheckBox::SetSpacing, 5)
        .Boolean("WordWrap", &TSkCheckBox::WordWrap, &TSkCheckBox::SetWordWrap, false)
        .Boolean("Transparent", &TSkCheckBox::Transparent, &TSkCheckBox::SetTransparent, true)
        .String("ThemeObject", &TSkCheckBox::ThemeObject, &TSkCheckBox::SetThemeObject, "default")
        .Component("ThemeLink", &TSkCheckBox::ThemeLink, &TSkCheckBox::SetThemeLink)
        .Boolean("TabStop", &TSkCheckBox::TabStop, &TSkCheckBox::SetTabStop, true)
        .Enumeration("Performance", PerformanceNames, &TSkCheckBox::Performance, &TSkCheckBox::SetPerformance,
                     vnpDoubleBuffer);

// The glyph of the classic look, which shows neither the hot nor the pressed state.
constexpr SIZE BuiltInCheckSize{13, 13};

}  // namespace

TSkCheckBox::TSkCheckBox(TComponent* owner) : TSkControl(owner) {
    // Clicks come from state changes only; a quick second press is a press like the first.
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents, csDoubleClicks});
    SetBounds(Left(), Top(), 98, 20);
    SetTabStop(true);
    SetPerformance(vnpDoubleBuffer);
    AddThemeListener(this);
}

TSkCheckBox::~TSkCheckBox() { RemoveThemeListener(this); }

void TSkCheckBox::SetCaption(const std::u16string& value) {
    if (value == FCaption) return;
    FCaption = value;
    SetText(WideToAnsi(value));
    Invalidate();
}

void TSkCheckBox::SetState(TSkCheckBoxState value) {
    if (value == FState) return;
    FState = value;
    DoClick();
    Invalidate();
}

void TSkCheckBox::SetAlignment(TSkLeftRight value) {
    if (value == FAlignment) return;
    FAlignment = value;
    Invalidate();
}

void TSkCheckBox::SetSpacing(int value) {
    if (value == FSpacing) return;
    FSpacing = value;
    Invalidate();
}

void TSkCheckBox::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    Invalidate();
}

void TSkCheckBox::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Invalidate();
}

void TSkCheckBox::SetAutoSize(bool value) {
    if (value == AutoSize()) return;
    inherited::SetAutoSize(value);
    AdjustSize();
}

void TSkCheckBox::DoClick() {
    if (ComponentState().Contains(csLoading)) return;
    if (OnClick) OnClick(this);
}

void TSkCheckBox::Toggle() {
    switch (FState) {
    case vcbsUnChecked: SetState(FAllowGrayed ? vcbsMixed : vcbsChecked); break;
    case vcbsChecked: SetState(vcbsUnChecked); break;
    case vcbsMixed: SetState(vcbsChecked); break;
    }
}

int TSkCheckBox::Condition() const { return !Enabled() ? 3 : FPressed ? 2 : MouseInControl() ? 1 : 0; }

std::uint8_t TSkCheckBox::ThemeState() const {
    // The theme numbers the states checked 0, unchecked 5, mixed 10, each followed by its conditions.
    static const int base[] = {5, 0, 10};
    return static_cast<std::uint8_t>(base[FState] + Condition());
}

bool TSkCheckBox::ThemeDefined() { return IsCheckBoxDefined(0, ThemeObject(), ThemeLink()); }

SIZE TSkCheckBox::GetCheckSize() {
    if (!ThemeDefined()) return BuiltInCheckSize;
    SIZE size = BuiltInCheckSize;
    FTheme.Theme()->CheckBoxGetSize(0, ThemeObject(), size);
    return size;
}

void TSkCheckBox::Loaded() {
    inherited::Loaded();
    if (AutoSize()) AdjustSize();
}

void TSkCheckBox::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    FTheme.Notification(component, operation);
}

void TSkCheckBox::DoMouseEnter() {
    inherited::DoMouseEnter();
    Invalidate();
}

void TSkCheckBox::DoMouseLeave() {
    inherited::DoMouseLeave();
    Invalidate();
}

void TSkCheckBox::KeyDown(WORD& key, TShiftState shift) {
    inherited::KeyDown(key, shift);
    if (key == VK_SPACE) {
        FPressed = true;
        Invalidate();
    }
}

void TSkCheckBox::KeyUp(WORD& key, TShiftState shift) {
    if (key == VK_SPACE) {
        Toggle();
        FPressed = false;
        Invalidate();
    }
    inherited::KeyUp(key, shift);
}

void TSkCheckBox::Dispatch(TMessage& message) {
    if (FTheme.Dispatch(message)) return;
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The toolkit captures the mouse for the press (csCaptureMouse).
        inherited::Dispatch(message);
        if (!Focused() && CanFocus()) SetFocus();
        FPressed = true;
        Invalidate();
        return;
    case WM_LBUTTONUP:
        if (FPressed) {
            FPressed = false;
            SetMouseCapture(false);
            const POINT pos = message.Pos();
            // Edges included: a release on the last column or row still counts as inside.
            if (pos.x >= 0 && pos.x <= Width() && pos.y >= 0 && pos.y <= Height())
                Toggle();
            else
                Invalidate();
        }
        inherited::Dispatch(message);
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(message.WParam), Text()) && CanFocus()) {
            SetFocus();
            if (Focused()) Toggle();
            message.Result = 1;
            return;
        }
        break;
    case CM_ENABLEDCHANGED:
    case WM_SYSCOLORCHANGE:
        inherited::Dispatch(message);
        Invalidate();
        return;
    case CM_TEXTCHANGED:
        inherited::Dispatch(message);
        FollowText(FCaption, Text());
        if (AutoSize()) AdjustSize();
        Invalidate();
        return;
    default: break;
    }
    inherited::Dispatch(message);
}

void TSkCheckBox::PaintClient() {
    TCanvas& canvas = *Canvas();
    const bool themed = ThemeDefined();
    const bool transparent = themed ? FTheme.Theme()->IsCheckBoxTransparent(0, ThemeObject()) : FTransparent;
    PaintControlBackground(this, canvas, transparent, GetInnerRect(), Color());
    PaintFace();
    PaintCaption();
}

void TSkCheckBox::PaintFace() {
    TCanvas& canvas = *Canvas();
    const SIZE check = GetCheckSize();
    const RECT area = FAlignment == valLeftJustify ? RECT{0, 0, CachedWidth(), CachedHeight()}
                                                   : RECT{CachedWidth() - check.cx, 0, CachedWidth(), CachedHeight()};
    const RECT glyph = CenterRectVert(RECT{0, 0, check.cx, check.cy}, area);
    if (ThemeDefined()) {
        FTheme.Theme()->CheckBoxDraw(0, canvas, ThemeObject(), TskStateRecord{glyph, ThemeState()});
        return;
    }
    if (VisualStylesActive()) {
        DrawVisualStylePart(canvas.Handle(), u"Button", BP_CHECKBOX, CBS_UNCHECKEDNORMAL + 4 * FState + Condition(),
                            glyph);
        return;
    }
    UINT state = DFCS_BUTTONCHECK;
    if (FState == vcbsChecked) state |= DFCS_CHECKED;
    if (FState == vcbsMixed) state |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (!Enabled()) state |= DFCS_INACTIVE;
    RECT frame = glyph;
    DrawFrameControl(canvas.Handle(), &frame, DFC_BUTTON, state);
}

RECT TSkCheckBox::MeasureCaption(TCanvas* canvas) {
    RECT rect{0, 0, Width() - GetCheckSize().cx - 10, 0};
    const UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0);
    if (canvas) {
        DrawTextEx2(*canvas, FCaption, rect, flags | DT_CALCRECT);
        return rect;
    }
    TFont* font = Font();
    if (ThemeDefined()) font = FTheme.Theme()->Fonts().GetFont(fiCheckBoxTextNormal, ThemeObject());
    return font->MeasureText(Text(), rect, flags);
}

void TSkCheckBox::PaintCaption() {
    TCanvas& canvas = *Canvas();
    const SIZE check = GetCheckSize();
    const bool themed = ThemeDefined();
    TskTheme* theme = FTheme.Theme();
    int fontIndex = fiCheckBoxTextNormal;
    if (!Enabled())
        fontIndex = fiCheckBoxTextDisabled;
    else if (FPressed)
        fontIndex = fiCheckBoxTextPressed;
    else if (MouseInControl())
        fontIndex = fiCheckBoxTextHot;
    else if (HasFocus())
        fontIndex = fiCheckBoxTextFocused;
    canvas.SetFont(themed ? *theme->Fonts().GetFont(fontIndex, ThemeObject()) : *PaintFont());

    const RECT area = FAlignment == valLeftJustify ? RECT{check.cx + FSpacing, 0, CachedWidth(), CachedHeight()}
                                                   : RECT{2, 0, CachedWidth() - check.cx - FSpacing, CachedHeight()};
    RECT rect = CenterRectVert(MeasureCaption(&canvas), area);
    const UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0);
    if (themed) {
        TskTextInfo info;
        info.Rect = rect;
        info.Text = FCaption;
        info.Alignment = txaLeft;
        info.TextFlags = FWordWrap ? tfWordWrap : tfSingleLine;
        theme->CheckBoxDrawText(0, canvas, "default", info, TskStateRecord{rect, ThemeState()});
    } else {
        DrawControlText(canvas, FCaption, rect, flags, Enabled());
    }
    if (HasFocus()) FocusRectColor(canvas, InflateRectBy(rect, 2), clWhite);
}

void TSkCheckBox::AdjustSize() {
    if (!AutoSize() || ComponentState().Contains(csLoading)) return;
    const RECT rect = MeasureCaption(nullptr);
    SetBounds(Left(), Top(), GetCheckSize().cx + rect.right + FSpacing + 2 - rect.left, Height());
}
