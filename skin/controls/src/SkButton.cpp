// TSkButton: the press protocol (mouse, space bar, dialog keys, accelerator), the default button's part in the
// form's focus changes, the stock kinds, and the face, caption and glyph in the theme's look or the built-in one.
#include <skin/SkButton.h>

#include "ControlPaint.h"
#include "PaintTarget.h"
#include "VisualStyle.h"

#include <skin/CanvasUtils.h>
#include <skin/CodePage.h>
#include <skin/Common.h>
#include <skin/ParentBackground.h>
#include <skin/PixelOps.h>
#include <skin/RectUtils.h>
#include <skin/SkinBitmap.h>
#include <skin/TextUtils.h>
#include <skin/ThemeFonts.h>
#include <skin/ThemeManager.h>
#include <toolkit/Button.h>
#include <toolkit/Form.h>
#include <toolkit/ImageList.h>
#include <toolkit/PropertyRegistry.h>
#include <win32/vssym32.h>

#include <algorithm>
#include <cmath>

namespace {

[[maybe_unused]] const auto published =
    Publish<TSkButton>()
        .Enumeration("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TSkButton::Alignment,
                     &TSkButton::SetAlignment, taCenter)
        .Boolean("BlackAndWhiteGlyph", &TSkButton::BlackAndWhiteGlyph, &TSkButton::SetBlackAndWhiteGlyph, false)
        .Boolean("Cancel", &TSkButton::Cancel, &TSkButton::SetCancel, false)
        .Boolean("Default", &TSkButton::Default, &TSkButton::SetDefault, false)
        .Object("FontOptions", &TSkButton::FontOptions)
        .Component("Images", &TSkButton::Images, &TSkButton::SetImages)
        .Integer("ImageIndex", &TSkButton::ImageIndex, &TSkButton::SetImageIndex, -1)
        .Enumeration("Kind",
                     {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry",
                      "bkIgnore", "bkAll"},
                     &TSkButton::Kind, &TSkButton::SetKind, bkCustom)
        .Enumeration("Layout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}, &TSkButton::Layout,
                     &TSkButton::SetLayout, blGlyphLeft)
        .Integer("ModalResult", &TSkButton::ModalResult, &TSkButton::SetModalResult, mrNone)
        .Integer("NumGlyphs", &TSkButton::NumGlyphs, &TSkButton::SetNumGlyphs, 1)
        .Integer("Spacing", &TSkButton::Spacing, &TSkButton::SetSpacing, 4)
        .Boolean("Transparent", &TSkButton::Transparent, &TSkButton::SetTransparent, false)
        .Boolean("WordWrap", &TSkButton::WordWrap, &TSkButton::SetWordWrap, false)
        .String("ThemeObject", &TSkButton::ThemeObject, &TSkButton::SetThemeObject, "default")
        .Component("ThemeLink", &TSkButton::ThemeLink, &TSkButton::SetThemeLink)
        .Boolean("TabStop", &TSkButton::TabStop, &TSkButton::SetTabStop, true)
        .Enumeration("Performance", PerformanceNames, &TSkButton::Performance, &TSkButton::SetPerformance,
                     vnpDoubleBuffer);

// What a stock kind sets: caption, modal result, Default, and the name of its glyph resource.
struct TStockKind {
    const char16_t* Caption;
    TModalResult Result;
    bool Default;
    const char* Resource;
};

const TStockKind StockKinds[] = {
    {u"", mrNone, false, ""},
    {u"OK", mrOk, true, "SK_BTN_OK"},
    {u"Cancel", mrCancel, false, "SK_BTN_CANCEL"},
    {u"&Help", mrNone, false, "SK_BTN_HELP"},
    {u"&Yes", mrYes, true, "SK_BTN_YES"},
    {u"&No", mrNo, false, "SK_BTN_NO"},
    {u"&Close", mrNone, false, "SK_BTN_CLOSE"},
    {u"Abort", mrAbort, false, "SK_BTN_ABORT"},
    {u"&Retry", mrRetry, false, "SK_BTN_RETRY"},
    {u"&Ignore", mrIgnore, false, "SK_BTN_IGNORE"},
    {u"&All", mrAll, false, "SK_BTN_ALL"},
};

constexpr COLORREF Magenta = RGB(0xFF, 0x00, 0xFF);

bool NoModifiers() { return GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0; }

// The HSL lightness of a colour, 0 to 1.
double Lightness(COLORREF c) {
    const int high = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
    const int low = std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
    return (high + low) / 2.0 / 255.0;
}

TskColor Grey(int level) {
    const auto l = static_cast<TskColor>(level & 0xFF);
    return 0xFF000000u | l << 16 | l << 8 | l;
}

// The stock glyph of a kind, from the program's bitmap resources, loaded once; empty when the program has none.
const TBitmap& StockGlyph(TBitBtnKind kind) {
    static std::unique_ptr<TBitmap> glyphs[bkAll + 1];
    std::unique_ptr<TBitmap>& glyph = glyphs[kind];
    if (!glyph) {
        glyph = std::make_unique<TBitmap>();
        if (HBITMAP handle = LoadBitmapA(GetModuleHandleA(nullptr), StockKinds[kind].Resource))
            glyph->SetHandle(handle);
    }
    return *glyph;
}

}  // namespace

TSkButton::TSkButton(TComponent* owner)
    : TSkControl(owner),
      FFontOptions(std::make_unique<TSkFontOptions>()),
      FGlyph(std::make_unique<TBitmap>()),
      FEffectiveGlyph(std::make_unique<TBitmap>()) {
    SetControlStyle(TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csActionClient});
    SetBounds(Left(), Top(), 75, 25);
    SetTabStop(true);
    SetPerformance(vnpDoubleBuffer);
    FFontOptions->OnChange = [this](TSkFontOptions*) { Invalidate(); };
    AddThemeListener(this);
}

TSkButton::~TSkButton() {
    RemoveThemeListener(this);
    if (FImages) FImages->RemoveFreeNotification(this);
}

void TSkButton::SetCaption(const std::u16string& value) {
    if (value == FCaption) return;
    FCaption = value;
    SetText(WideToAnsi(value));
    Invalidate();
}

void TSkButton::SetAlignment(TAlignment value) {
    if (value == FAlignment) return;
    FAlignment = value;
    Invalidate();
}

void TSkButton::SetBlackAndWhiteGlyph(bool value) {
    if (value == FBlackAndWhiteGlyph) return;
    FBlackAndWhiteGlyph = value;
    Invalidate();
}

void TSkButton::SetDefault(bool value) {
    FDefault = value;
    if (HandleAllocated()) {
        if (TCustomForm* form = GetParentForm(this))
            form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
    }
    Invalidate();
}

void TSkButton::SetGlyph(const TBitmap* value) {
    if (value)
        FGlyph->Assign(*value);
    else
        FGlyph = std::make_unique<TBitmap>();
    const int width = FGlyph->Width();
    const int height = FGlyph->Height();
    int count = 1;
    if (height > 0 && width % height == 0 && width / height < 5 && width / height > 0) count = width / height;
    FNumGlyphs = count;
    Invalidate();
}

void TSkButton::SetImages(TCustomImageList* value) {
    if (value == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = value;
    if (FImages) FImages->FreeNotification(this);
    Invalidate();
}

void TSkButton::SetImageIndex(int value) {
    if (value == FImageIndex) return;
    FImageIndex = value;
    Invalidate();
}

void TSkButton::SetKind(TBitBtnKind value) {
    if (value == FKind) return;
    if (value != bkCustom) {
        const TStockKind& stock = StockKinds[value];
        SetDefault(stock.Default);
        // A caption read from the description wins over the kind's.
        if (!ComponentState().Contains(csLoading) || FCaption.empty()) SetCaption(stock.Caption);
        FModalResult = stock.Result;
        SetGlyph(&StockGlyph(value));
        FNumGlyphs = 2;
    }
    FKind = value;
    Invalidate();
}

void TSkButton::SetLayout(TButtonLayout value) {
    if (value == FLayout) return;
    FLayout = value;
    Invalidate();
}

void TSkButton::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, 4);
    if (value == FNumGlyphs) return;
    FNumGlyphs = value;
    Invalidate();
}

void TSkButton::SetSpacing(int value) {
    if (value == FSpacing) return;
    FSpacing = value;
    Invalidate();
}

void TSkButton::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Invalidate();
}

void TSkButton::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    Invalidate();
}

void TSkButton::SetPressed(bool value) {
    if (value == FPressed) return;
    FPressed = value;
    Invalidate();
}

void TSkButton::Click() {
    if (FKind == bkClose) {
        if (TCustomForm* form = GetParentForm(this)) form->Close();
    } else if (TCustomForm* form = GetParentForm(this)) {
        form->SetModalResult(FModalResult);
    }
    inherited::Click();
}

void TSkButton::Loaded() {
    inherited::Loaded();
    ApplyThemeBounds(this, ThemeLink(), ThemeObject(), false);
}

void TSkButton::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    FTheme.Notification(component, operation);
    if (operation == opRemove && component == FImages) FImages = nullptr;
}

void TSkButton::DoMouseEnter() {
    inherited::DoMouseEnter();
    Invalidate();
}

void TSkButton::DoMouseLeave() {
    inherited::DoMouseLeave();
    Invalidate();
}

void TSkButton::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_SPACE && !shift.Contains(ssAlt)) SetPressed(true);
    inherited::KeyDown(key, shift);
}

void TSkButton::KeyUp(WORD& key, TShiftState shift) {
    if (key == VK_SPACE) {
        // Only a press that began here clicks: a space typed elsewhere and released here does not.
        const bool wasPressed = FPressed;
        SetPressed(false);
        if (wasPressed) Click();
        key = 0;
    }
    inherited::KeyUp(key, shift);
}

void TSkButton::Dispatch(TMessage& message) {
    if (FTheme.Dispatch(message)) return;
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The toolkit captures the mouse for the press (csCaptureMouse).
        inherited::Dispatch(message);
        if (!Enabled()) return;
        if (!ComponentState().Contains(csDesigning) && !Focused() && CanFocus()) SetFocus();
        FMouseDownInside = true;
        FPressed = true;
        Invalidate();
        return;
    case WM_MOUSEMOVE:
        inherited::Dispatch(message);
        if (FMouseDownInside) {
            const POINT pos = message.Pos();
            const RECT client = ClientRect();
            SetPressed(pos.x >= 0 && pos.x < RectWidth(client) && pos.y >= 0 && pos.y < RectHeight(client));
        }
        return;
    case WM_LBUTTONUP:
        inherited::Dispatch(message);
        if (FMouseDownInside) {
            FMouseDownInside = false;
            FPressed = false;
            SetMouseCapture(false);
            const POINT pos = message.Pos();
            if (pos.x >= 0 && pos.x < CachedWidth() && pos.y >= 0 && pos.y < CachedHeight()) Click();
            Invalidate();
        }
        return;
    case CM_DIALOGKEY: {
        const auto key = static_cast<WORD>(message.WParam);
        if (((key == VK_RETURN && (FActiveDefault || HasFocus())) || (key == VK_ESCAPE && FCancel)) && NoModifiers() &&
            CanFocus()) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    }
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(message.WParam), Text()) && CanFocus()) {
            SetFocus();
            Click();
            message.Result = 1;
            return;
        }
        break;
    case CM_FOCUSCHANGED: {
        auto* focused = reinterpret_cast<TControl*>(message.LParam);
        const bool active = dynamic_cast<TSkButton*>(focused) || dynamic_cast<TButton*>(focused) ? false : FDefault;
        if (active != FActiveDefault) {
            FActiveDefault = active;
            Invalidate();
        }
        break;
    }
    case CM_ENABLEDCHANGED:
        if (HandleAllocated() && !ComponentState().Contains(csDesigning)) EnableWindow(Handle(), Enabled());
        inherited::Dispatch(message);
        Invalidate();
        return;
    case CM_TEXTCHANGED:
        inherited::Dispatch(message);
        FollowText(FCaption, Text());
        Invalidate();
        return;
    default: break;
    }
    inherited::Dispatch(message);
}

bool TSkButton::ThemeDefined() { return IsButtonDefined(0, ThemeObject(), ThemeLink()); }

std::uint8_t TSkButton::ThemeState() const {
    if (!Enabled()) return 3;
    if (FPressed) return 2;
    if (MouseInControl()) return 1;
    if (HasFocus()) return 4;
    return FActiveDefault ? 6 : 0;
}

void TSkButton::RebuildEffectiveGlyph() {
    FEffectiveGlyph = std::make_unique<TBitmap>();
    if (!FGlyph->Empty()) {
        FEffectiveGlyph->Assign(*FGlyph);
    } else if (FImages && FImageIndex >= 0 && FImageIndex < FImages->Count()) {
        FEffectiveGlyph->SetSize(FImages->Width(), FImages->Height());
        TCanvas& canvas = FEffectiveGlyph->Canvas();
        FillRectColor(canvas, RECT{0, 0, FImages->Width(), FImages->Height()}, static_cast<TColor>(Magenta));
        FImages->Draw(canvas, 0, 0, FImageIndex);
    }
}

SIZE TSkButton::GlyphCell() const {
    if (FEffectiveGlyph->Empty()) return SIZE{0, 0};
    return SIZE{FEffectiveGlyph->Width() / FNumGlyphs, FEffectiveGlyph->Height()};
}

void TSkButton::UsePaintFont(TCanvas& canvas) {
    TFont font;
    font.Assign(*PaintFont());
    FFontOptions->ApplyFontOptions(font);
    canvas.SetFont(font);
}

RECT TSkButton::MeasureCaption(TCanvas& canvas, int wrapWidth) {
    RECT rect{0, 0, FWordWrap ? wrapWidth : 0, 0};
    DrawTextEx2(canvas, FCaption, rect, DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    return RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top};
}

RECT TSkButton::GetContentRect() {
    RebuildEffectiveGlyph();
    const SIZE cell = GlyphCell();
    const bool glyph = cell.cx > 0;
    TCanvas& canvas = *Canvas();
    UsePaintFont(canvas);
    RECT r = FWordWrap ? RECT{0, 0, Width() - FSpacing - cell.cx - 10, Height() - FSpacing - cell.cy - 10}
                       : MeasureCaption(canvas, 0);
    if (glyph) {
        if (FLayout == blGlyphTop || FLayout == blGlyphBottom)
            r.bottom += cell.cy + FSpacing;
        else
            r.right += cell.cx + FSpacing;
        r.right = std::max(r.right, r.left + cell.cx);
        r.bottom = std::max(r.bottom, r.top + cell.cy);
    }
    switch (FAlignment) {
    case taLeftJustify: OffsetRect(&r, 4, (CachedHeight() - r.bottom) / 2); break;
    case taRightJustify: OffsetRect(&r, CachedWidth() - r.right - 4, (CachedHeight() - r.bottom) / 2); break;
    case taCenter: CenterRect(r, RECT{0, 0, Width(), Height()}); break;
    }
    if (FPressed) OffsetRect(&r, 1, 1);
    return r;
}

RECT TSkButton::GetTextRect() {
    RECT r = GetContentRect();
    const SIZE cell = GlyphCell();
    if (cell.cx <= 0) return r;
    switch (FLayout) {
    case blGlyphLeft: r.left += cell.cx + FSpacing; break;
    case blGlyphRight: r.right -= cell.cx + FSpacing; break;
    case blGlyphTop: r.top += cell.cy + FSpacing; break;
    case blGlyphBottom: r.bottom -= cell.cy + FSpacing; break;
    }
    return r;
}

RECT TSkButton::GetGlyphRect() {
    RECT r = GetContentRect();
    const SIZE cell = GlyphCell();
    if (cell.cx <= 0) return r;
    switch (FLayout) {
    case blGlyphLeft: r.right = r.left + cell.cx + FSpacing; break;
    case blGlyphRight: r.left = r.right - cell.cx - FSpacing; break;
    case blGlyphTop: r.bottom = r.top + cell.cy + FSpacing; break;
    case blGlyphBottom: r.top = r.bottom - cell.cy - FSpacing; break;
    }
    return r;
}

void TSkButton::PaintClient() {
    TCanvas& canvas = *Canvas();
    const bool themed = ThemeDefined();
    const bool transparent = themed ? FTheme.Theme()->IsButtonTransparent(0, ThemeObject()) : FTransparent;
    if (transparent || !themed) PaintControlBackground(this, canvas, transparent, GetInnerRect(), Color());
    PaintFace();
    PaintCaption();
    PaintGlyph();
}

void TSkButton::PaintFace() {
    TCanvas& canvas = *Canvas();
    RECT face = GetInnerRect();
    if (ThemeDefined()) {
        FTheme.Theme()->ButtonDraw(0, canvas, ThemeObject(),
                                   TskStateRecord{RECT{0, 0, CachedWidth(), CachedHeight()}, ThemeState()});
        return;
    }
    if (VisualStylesActive()) {
        int state = PBS_NORMAL;
        if (!Enabled())
            state = PBS_DISABLED;
        else if (FPressed)
            state = PBS_PRESSED;
        else if (MouseInControl())
            state = PBS_HOT;
        else if (HasFocus() || FActiveDefault)
            state = PBS_DEFAULTED;
        DrawVisualStylePart(canvas.Handle(), u"Button", BP_PUSHBUTTON, state, face);
        return;
    }
    if (HasFocus() || FActiveDefault) {
        FrameRectColor(canvas, face, clBlack);
        face = InflateRectBy(face, -1);
    }
    FillRectColor(canvas, face, Color());
    if (FPressed) {
        FrameRectColor(canvas, face, clBtnShadow);
    } else {
        Frame3D(canvas, face, clBtnHighlight, clBlack);
        Frame3D(canvas, InflateRectBy(face, -1), Color(), clBtnShadow);
    }
    if (HasFocus()) {
        FocusRectColor(canvas, InflateRectBy(GetInnerRect(), -4), clWhite);
    }
}

void TSkButton::PaintCaption() {
    if (FCaption.empty()) return;
    TCanvas& canvas = *Canvas();
    const RECT area = GetTextRect();
    const bool themed = ThemeDefined();
    TskTheme* theme = FTheme.Theme();
    if (themed) {
        int index = fiButtonTextNormal;
        if (!Enabled())
            index = fiButtonTextDisabled;
        else if (FPressed)
            index = fiButtonTextPressed;
        else if (MouseInControl())
            index = fiButtonTextHot;
        else if (HasFocus())
            index = fiButtonTextFocused;
        canvas.SetFont(*theme->Fonts().GetFont(index, ThemeObject()));
    } else {
        UsePaintFont(canvas);
    }
    RECT text = MeasureCaption(canvas, RectWidth(area));
    const UINT flags = FWordWrap ? DT_WORDBREAK : 0;
    if (themed) {
        RECT placed = CenterRectVert(text, area);
        if (FAlignment == taCenter)
            CenterRect(placed, area);
        else
            OffsetRect(&placed, area.right - placed.right, 0);
        TskTextInfo info;
        MakeTextInfo(placed, FCaption, DT_CENTER | DT_VCENTER | flags, info);
        theme->ButtonDrawText(0, canvas, ThemeObject(), info, TskStateRecord{placed, ThemeState()});
        return;
    }
    OffsetRect(&text, area.left + (RectWidth(area) - text.right) / 2, area.top + (RectHeight(area) - text.bottom) / 2);
    DrawControlText(canvas, FCaption, text, DT_CENTER | flags, Enabled());
}

void TSkButton::PaintGlyph() {
    RebuildEffectiveGlyph();
    const SIZE cell = GlyphCell();
    if (cell.cx <= 0 || cell.cy <= 0) return;
    RECT target{0, 0, cell.cx, cell.cy};
    CenterRect(target, GetGlyphRect());
    int image = 0;
    if (FNumGlyphs > 1 && !Enabled()) image = 1;
    if (FNumGlyphs > 2 && FPressed) image += 2;
    image = std::min(image, FNumGlyphs - 1);
    const COLORREF key = FGlyph->Empty() ? Magenta : FGlyph->PixelColor(0, FGlyph->Height() - 1);
    const bool greys = FBlackAndWhiteGlyph && !MouseInControl();
    const bool disabledGreys = FNumGlyphs == 1 && !Enabled();

    TskBitmap bitmap;
    bitmap.SetSize(cell.cx, cell.cy);
    bitmap.Clear(TransparentKey);
    bitmap.SetTransparent(true);
    for (int y = 0; y < cell.cy; ++y)
        for (int x = 0; x < cell.cx; ++x) {
            const COLORREF c = FEffectiveGlyph->PixelColor(image * cell.cx + x, y);
            if (c == key) continue;
            TskColor pixel = ColorToPixel(static_cast<TColor>(c), 0xFF);
            if (greys)
                pixel = Grey(static_cast<int>(std::nearbyint(Lightness(c) * 255)));
            else if (disabledGreys)
                pixel = Grey(static_cast<int>(std::nearbyint(Lightness(c) * 50)) + 160);
            bitmap.SetPixel(x, y, pixel);
        }
    TCanvas& canvas = *Canvas();
    if (ThemeDefined()) {
        TskImageRecord record;
        record.Rect = target;
        record.Bitmap = &bitmap;
        FTheme.Theme()->ButtonDrawImage(0, canvas, ThemeObject(), record, TskStateRecord{target, ThemeState()});
        return;
    }
    bitmap.Draw(canvas, target.left, target.top);
}
