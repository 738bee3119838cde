// TSkPanel: the panel's painting (the theme's, or the toolkit's rings, border, face and caption) and its theme
// binding.
#include <skin/SkPanel.h>

#include "VisualStyle.h"

#include <skin/CanvasUtils.h>
#include <skin/CodePage.h>
#include <skin/Common.h>
#include <skin/ParentBackground.h>
#include <skin/RectUtils.h>
#include <skin/TextUtils.h>
#include <skin/ThemeFonts.h>
#include <skin/ThemeManager.h>
#include <toolkit/PropertyRegistry.h>

namespace {

[[maybe_unused]] const auto published =
    Publish<TSkPanel>()
        .Boolean("ParentBackground", &TSkPanel::ParentBackground, &TSkPanel::SetParentBackground, true)
        .String("ThemeObject", &TSkPanel::ThemeObject, &TSkPanel::SetThemeObject, "default")
        .Component("ThemeLink", &TSkPanel::ThemeLink, &TSkPanel::SetThemeLink);

const UINT AlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

// width rings of a bevel: a lowered one shadow over highlight, a raised one the reverse; rect shrinks past them.
void PaintBevel(TCanvas& canvas, RECT& rect, TBevelCut cut, int width) {
    if (cut == bvNone) return;
    const TColor upper = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    const TColor lower = cut == bvLowered ? clBtnHighlight : clBtnShadow;
    for (int i = 0; i < width; ++i) {
        Frame3D(canvas, rect, upper, lower);
        rect = InflateRectBy(rect, -1);
    }
}

}  // namespace

TSkPanel::TSkPanel(TComponent* owner) : TCustomPanel(owner) {
    // Under visual styles the face is the parent's.
    if (VisualStylesActive())
        SetControlStyle(ControlStyle() - TControlStyle{csOpaque} + TControlStyle{csParentBackground});
    SetColor(clBtnFace);
    SetBounds(Left(), Top(), 100, 90);
    AddThemeListener(this);
}

TSkPanel::~TSkPanel() { RemoveThemeListener(this); }

void TSkPanel::SetParentBackground(bool value) {
    if (value == FParentBackground) return;
    FParentBackground = value;
    Invalidate();
}

void TSkPanel::SetThemeObject(const std::string& value) {
    if (value == ThemeObject()) return;
    FTheme.SetThemeObject(value);
}

void TSkPanel::Loaded() {
    inherited::Loaded();
    ApplyThemeBounds(this, ThemeLink(), ThemeObject(), false);
}

void TSkPanel::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    FTheme.Notification(component, operation);
}

bool TSkPanel::ThemeDefined() { return IsPanelDefined(0, ThemeObject(), ThemeLink()); }

void TSkPanel::AdjustClientRect(RECT& rect) {
    if (!ThemeDefined()) {
        inherited::AdjustClientRect(rect);
        return;
    }
    RECT content = rect;
    FTheme.Theme()->PanelGetContentRect(0, rect, content, ThemeObject());
    rect = content;
}

void TSkPanel::Paint() {
    TCanvas& canvas = *Canvas();
    const std::u16string caption = WideFromCodePage(CP_ACP, Caption());
    if (ThemeDefined()) {
        TskTheme* theme = FTheme.Theme();
        if (theme->IsPanelTransparent(0, ThemeObject())) {
            DrawParentBackground(this, canvas.Handle());
            canvas.Refresh();
        }
        const RECT whole{0, 0, Width(), Height()};
        theme->PanelDraw(0, canvas, ThemeObject(), whole);
        canvas.SetFont(*theme->Fonts().GetFont(Enabled() ? fiPanelTextNormal : fiPanelTextDisabled, ThemeObject()));
        const int height = TextHeightEx(canvas, u"W");
        RECT line{0, (Height() - height) / 2, Width(), (Height() - height) / 2 + height};
        TskTextInfo info;
        MakeTextInfo(line, caption, AlignmentFlags[Alignment()] | DT_VCENTER | DT_SINGLELINE, info);
        theme->PanelDrawText(0, canvas, ThemeObject(), info, whole);
        return;
    }
    // Under visual styles a panel with ParentBackground shows its parent under the rings instead of a face.
    const bool seeThrough = VisualStylesActive() && FParentBackground;
    if (seeThrough) {
        DrawParentBackground(this, canvas.Handle());
        canvas.Refresh();
    }
    RECT rect = ClientRect();
    PaintBevel(canvas, rect, BevelOuter(), BevelWidth());
    for (int i = 0; i < BorderWidth(); ++i) {
        Frame3D(canvas, rect, Color(), Color());
        rect = InflateRectBy(rect, -1);
    }
    PaintBevel(canvas, rect, BevelInner(), BevelWidth());
    if (!seeThrough) FillRectColor(canvas, rect, Color());
    if (caption.empty()) return;
    canvas.SetFont(*Font());
    const int height = TextHeightEx(canvas, u"W");
    rect.top = (rect.bottom + rect.top - height) / 2;
    rect.bottom = rect.top + height;
    DrawTextEx2(canvas, caption, rect, DT_EXPANDTABS | DT_VCENTER | AlignmentFlags[Alignment()]);
}

void TSkPanel::Dispatch(TMessage& message) {
    if (FTheme.Dispatch(message)) return;
    if (message.Msg == WM_ERASEBKGND) {
        // Paint covers everything.
        message.Result = 1;
        return;
    }
    inherited::Dispatch(message);
}
