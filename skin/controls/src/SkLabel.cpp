// TSkLabel: the caption placed by alignment and layout over the parent's picture or the label's colour, engraved
// when disabled, its size following the text, the accelerator that focuses FocusControl, the glyph square and
// the mouse over it.
#include <skin/SkLabel.h>

#include "ControlPaint.h"
#include "PaintTarget.h"

#include <skin/CanvasUtils.h>
#include <skin/CodePage.h>
#include <skin/ParentBackground.h>
#include <skin/RectUtils.h>
#include <skin/TextUtils.h>
#include <skin/ThemeFonts.h>
#include <skin/ThemeManager.h>
#include <toolkit/Form.h>
#include <toolkit/PropertyRegistry.h>
#include <toolkit/WinControl.h>

namespace {

[[maybe_unused]] const auto published =
    Publish<TSkLabel>()
        .Enumeration("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TSkLabel::Alignment,
                     &TSkLabel::SetAlignment, taLeftJustify)
        .Enumeration("Layout", {"tlTop", "tlCenter", "tlBottom"}, &TSkLabel::Layout, &TSkLabel::SetLayout, tlTop)
        .Boolean("AutoSize", &TSkLabel::AutoSize, &TSkLabel::SetAutoSize, true)
        .Boolean("WordWrap", &TSkLabel::WordWrap, &TSkLabel::SetWordWrap, false)
        .Boolean("ShowAccelChar", &TSkLabel::ShowAccelChar, &TSkLabel::SetShowAccelChar, true)
        .Component("FocusControl", &TSkLabel::FocusControl, &TSkLabel::SetFocusControl)
        .Boolean("Transparent", &TSkLabel::Transparent, &TSkLabel::SetTransparent, true)
        .Boolean("HotTrack", &TSkLabel::HotTrack, &TSkLabel::SetHotTrack, false)
        .Boolean("ShowGlyph", &TSkLabel::ShowGlyph, &TSkLabel::SetShowGlyph, false)
        .String("GlyphThemeObject", &TSkLabel::GlyphThemeObject, &TSkLabel::SetGlyphThemeObject)
        .Integer("GlyphSpace", &TSkLabel::GlyphSpace, &TSkLabel::SetGlyphSpace, 5)
        .Boolean("ActiveGlyph", &TSkLabel::ActiveGlyph, &TSkLabel::SetActiveGlyph, false)
        .Object("FontOptions", &TSkLabel::FontOptions)
        .String("ThemeObject", &TSkLabel::ThemeObject, &TSkLabel::SetThemeObject, "default")
        .Component("ThemeLink", &TSkLabel::ThemeLink, &TSkLabel::SetThemeLink);

const UINT AlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

bool Inside(const RECT& rect, POINT p) {
    return p.x >= rect.left && p.x < rect.right && p.y >= rect.top && p.y < rect.bottom;
}

}  // namespace

TSkLabel::TSkLabel(TComponent* owner) : TSkGraphicControl(owner), FFontOptions(std::make_unique<TSkFontOptions>()) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
    SetBounds(Left(), Top(), 65, 17);
    TControl::SetAutoSize(true);
    FFontOptions->OnChange = [this](TSkFontOptions*) {
        AdjustBounds();
        Invalidate();
    };
    AddThemeListener(this);
}

TSkLabel::~TSkLabel() {
    RemoveThemeListener(this);
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
}

void TSkLabel::SetCaption(const std::u16string& value) {
    if (value == FCaption) return;
    FCaption = value;
    // CM_TEXTCHANGED adjusts the bounds.
    SetText(WideToAnsi(value));
    Repaint();
}

void TSkLabel::SetAlignment(TAlignment value) {
    if (value == FAlignment) return;
    FAlignment = value;
    Invalidate();
}

void TSkLabel::SetLayout(TTextLayout value) {
    if (value == FLayout) return;
    FLayout = value;
    Invalidate();
}

void TSkLabel::SetAutoSize(bool value) {
    if (value == AutoSize()) return;
    inherited::SetAutoSize(value);
    AdjustBounds();
}

void TSkLabel::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TSkLabel::SetShowAccelChar(bool value) {
    if (value == FShowAccelChar) return;
    FShowAccelChar = value;
    Invalidate();
}

void TSkLabel::SetFocusControl(TWinControl* value) {
    if (value == FFocusControl) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = value;
    if (value) value->FreeNotification(this);
}

void TSkLabel::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    if (value)
        SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
    else
        SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    Invalidate();
}

void TSkLabel::SetShowGlyph(bool value) {
    if (value == FShowGlyph) return;
    FShowGlyph = value;
    Invalidate();
}

void TSkLabel::SetGlyphThemeObject(const std::string& value) {
    if (value == FGlyphThemeObject) return;
    FGlyphThemeObject = value;
    Invalidate();
}

void TSkLabel::SetGlyphSpace(int value) {
    FGlyphSpace = value;
    Repaint();
}

void TSkLabel::SetThemeObject(const std::string& value) {
    if (value == ThemeObject()) return;
    FTheme.SetThemeObject(value);
}

void TSkLabel::Loaded() {
    inherited::Loaded();
    AdjustBounds();
}

void TSkLabel::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    FTheme.Notification(component, operation);
    if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TSkLabel::DoMouseEnter() {
    inherited::DoMouseEnter();
    if (FHotTrack) Repaint();
}

void TSkLabel::DoMouseLeave() {
    inherited::DoMouseLeave();
    const bool wasOverGlyph = FMouseOverGlyph;
    FMouseOverGlyph = false;
    if (wasOverGlyph || FHotTrack) Repaint();
}

bool TSkLabel::ThemeDefined() { return IsLabelDefined(0, ThemeObject(), ThemeLink()); }

RECT TSkLabel::GlyphSquare(const RECT& client) const {
    if (!FShowGlyph || FGlyphThemeObject.empty()) return RECT{0, 0, 0, 0};
    return InflateRectBy(RECT{client.left, client.top, client.left + RectHeight(client), client.bottom}, -1);
}

RECT TSkLabel::TextArea(const RECT& client) const {
    RECT area = client;
    if (FShowGlyph && !FGlyphThemeObject.empty()) area.left += RectHeight(client) + FGlyphSpace;
    return area;
}

UINT TSkLabel::TextFlags() const {
    return DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | AlignmentFlags[FAlignment] |
           (FShowAccelChar ? 0 : DT_NOPREFIX);
}

void TSkLabel::MakePaintingFont(TFont& font) const {
    font.Assign(*Font());
    FFontOptions->ApplyFontOptions(font);
}

void TSkLabel::PaintClient() {
    TCanvas& canvas = *Canvas();
    const RECT client = ClientRect();
    const bool themed = ThemeDefined();
    TskTheme* theme = FTheme.Theme();
    const bool transparent = themed ? theme->IsLabelTransparent(0, ThemeObject()) : FTransparent;
    if (transparent || !themed) PaintControlBackground(this, canvas, transparent, client, Color());
    const RECT square = GlyphSquare(client);
    if (theme && !IsRectEmptyEx(square)) {
        std::uint8_t state = 0;
        if (FGlyphDown)
            state = 2;
        else if ((FActiveGlyph && FMouseOverGlyph) || (FHotTrack && MouseInControl()))
            state = 1;
        theme->ButtonDraw(0, canvas, FGlyphThemeObject, TskStateRecord{square, state});
    }
    RECT rect = TextArea(client);
    const UINT flags = TextFlags();
    if (FLayout != tlTop) {
        RECT block = rect;
        DoDrawText(block, flags | DT_CALCRECT);
        const int room = RectHeight(rect) - RectHeight(block);
        OffsetRect(&rect, 0, FLayout == tlCenter ? room / 2 : room);
    }
    DoDrawText(rect, flags);
}

void TSkLabel::DoDrawText(RECT& rect, UINT flags) {
    if (!Parent()) return;
    TCanvas& canvas = *Canvas();
    std::u16string text = GetLabelText();
    // An empty caption (or a lone accelerator mark) keeps one line's height.
    if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == u"&"))) text += u" ";
    if (ThemeDefined()) {
        TskTheme* theme = FTheme.Theme();
        int index = fiStaticTextNormal;
        if (!Enabled())
            index = fiStaticTextDisabled;
        else if (FHotTrack && MouseInControl())
            index = fiStaticTextHot;
        canvas.SetFont(*theme->Fonts().GetFont(index, ThemeObject()));
        if (flags & DT_CALCRECT) {
            DrawTextEx2(canvas, text, rect, flags);
            return;
        }
        TskTextInfo info;
        MakeTextInfo(rect, text, flags, info);
        theme->LabelDrawText(0, canvas, ThemeObject(), info, static_cast<std::uint8_t>(Enabled() ? 0 : 3));
        return;
    }
    TFont font;
    MakePaintingFont(font);
    canvas.SetFont(font);
    if (flags & DT_CALCRECT)
        DrawTextEx2(canvas, text, rect, flags);
    else
        DrawControlText(canvas, text, rect, flags, Enabled());
}

void TSkLabel::AdjustBounds() {
    if (!AutoSize() || ComponentState().Contains(csLoading)) return;
    RECT rect = TextArea(ClientRect());
    const int glyphPart = rect.left;
    std::string text = WideToAnsi(GetLabelText());
    if (text.empty() || (FShowAccelChar && text == "&")) text += ' ';
    TFont font;
    MakePaintingFont(font);
    rect = font.MeasureText(text, RECT{0, 0, FWordWrap ? RectWidth(rect) : 0, 0},
                            DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | (FShowAccelChar ? 0 : DT_NOPREFIX));
    const int width = glyphPart + rect.right;
    const int left = FAlignment == taRightJustify ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, rect.bottom);
}

void TSkLabel::Dispatch(TMessage& message) {
    if (message.Msg == SkThemeMessage) {
        FTheme.Dispatch(message);
        if (message.WParam == tcThemeReplaced || message.WParam == tcThemeSet || message.WParam == tcThemeRemoved) {
            AdjustBounds();
            ApplyThemeBounds(this, ThemeLink(), ThemeObject(), true);
        }
        return;
    }
    if (FTheme.Dispatch(message)) return;
    switch (message.Msg) {
    case CM_TEXTCHANGED:
        inherited::Dispatch(message);
        FollowText(FCaption, Text());
        AdjustBounds();
        Invalidate();
        return;
    case CM_FONTCHANGED:
        inherited::Dispatch(message);
        AdjustBounds();
        return;
    case CM_ENABLEDCHANGED:
        inherited::Dispatch(message);
        Invalidate();
        return;
    case CM_DIALOGCHAR:
        if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(static_cast<WORD>(message.WParam), Text()) &&
            FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            message.Result = 1;
            return;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        inherited::Dispatch(message);
        if ((FActiveGlyph && Inside(GlyphSquare(ClientRect()), message.Pos())) || (!FActiveGlyph && FHotTrack)) {
            FGlyphDown = true;
            Repaint();
        }
        return;
    case WM_MOUSEMOVE:
        inherited::Dispatch(message);
        if (FActiveGlyph) {
            const bool over = Inside(GlyphSquare(ClientRect()), message.Pos());
            if (over != FMouseOverGlyph) {
                FMouseOverGlyph = over;
                Repaint();
            }
        }
        return;
    case WM_LBUTTONUP:
        inherited::Dispatch(message);
        if (FGlyphDown) {
            FGlyphDown = false;
            Repaint();
        }
        return;
    default: break;
    }
    inherited::Dispatch(message);
}
