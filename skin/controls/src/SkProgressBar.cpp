// TSkProgressBar: the filled share, the immediate repaint of a moving position, and the frame and the bar in the
// theme's look, the visual style's progress parts or the classic sunken frame with highlight chunks.
#include <skin/SkProgressBar.h>

#include "PaintTarget.h"

#include <skin/CanvasUtils.h>
#include <skin/Common.h>
#include <skin/ParentBackground.h>
#include <skin/RectUtils.h>
#include <skin/ThemeManager.h>
#include <skin/WinApi.h>
#include <toolkit/PropertyRegistry.h>
#include <win32/vssym32.h>

#include <algorithm>
#include <cmath>

namespace {

[[maybe_unused]] const auto published =
    Publish<TSkProgressBar>()
        .Integer("Min", &TSkProgressBar::Min, &TSkProgressBar::SetMin, 0)
        .Integer("Max", &TSkProgressBar::Max, &TSkProgressBar::SetMax, 100)
        .Integer("Position", &TSkProgressBar::Position, &TSkProgressBar::SetPosition, 0)
        .Integer("Step", &TSkProgressBar::Step, &TSkProgressBar::SetStep, 10)
        .Enumeration("Orientation", {"vpoHorizontal", "vpoVertical"}, &TSkProgressBar::Orientation,
                     &TSkProgressBar::SetOrientation, vpoHorizontal)
        .Boolean("Smooth", &TSkProgressBar::Smooth, &TSkProgressBar::SetSmooth, false)
        .Boolean("ShowBorder", &TSkProgressBar::ShowBorder, &TSkProgressBar::SetShowBorder, true)
        .Integer("BorderWidth", &TSkProgressBar::BorderWidth, &TSkProgressBar::SetBorderWidth, 0)
        .String("ThemeObject", &TSkProgressBar::ThemeObject, &TSkProgressBar::SetThemeObject, "default")
        .Component("ThemeLink", &TSkProgressBar::ThemeLink, &TSkProgressBar::SetThemeLink)
        .Enumeration("Performance", PerformanceNames, &TSkProgressBar::Performance, &TSkProgressBar::SetPerformance,
                     vnpDoubleBuffer);

// Rounding to the nearest integer, halves to even.
int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

// The chunks' parts follow the frame's: horizontal, then vertical.
int VerticalPart(int part, bool vertical) { return vertical ? part + 1 : part; }

}  // namespace

TSkProgressBar::TSkProgressBar(TComponent* owner) : TSkControl(owner) {
    SetPerformance(vnpDoubleBuffer);
    SetBounds(Left(), Top(), 140, 16);
    AddThemeListener(this);
}

TSkProgressBar::~TSkProgressBar() {
    CloseProgressTheme();
    RemoveThemeListener(this);
}

float TSkProgressBar::Fraction(int position) const {
    if (FMin < 0 || position < FMin || position > FMax || FMin == FMax) return 0.0f;
    return static_cast<float>(position - FMin) / static_cast<float>(FMax - FMin);
}

void TSkProgressBar::SetMin(int value) {
    FMin = value;
    Invalidate();
}

void TSkProgressBar::SetMax(int value) {
    FMax = value;
    Invalidate();
}

void TSkProgressBar::SetPosition(int value) {
    if (value == FPosition) return;
    const float before = Fraction(FPosition);
    FPosition = value;
    if (Fraction(FPosition) == before) return;
    InvalidateRect(RECT{0, 0, CachedWidth(), CachedHeight()});
    Update();
}

void TSkProgressBar::SetStep(int value) { FStep = std::min(value, FMax); }

void TSkProgressBar::SetOrientation(TSkProgressOrientation value) {
    if (value == FOrientation) return;
    FOrientation = value;
    Invalidate();
}

void TSkProgressBar::SetSmooth(bool value) {
    if (value == FSmooth) return;
    FSmooth = value;
    Invalidate();
}

void TSkProgressBar::SetShowBorder(bool value) {
    if (value == FShowBorder) return;
    FShowBorder = value;
    Invalidate();
}

void TSkProgressBar::SetBorderWidth(int value) {
    if (value == FBarBorderWidth) return;
    FBarBorderWidth = value;
    Invalidate();
}

void TSkProgressBar::SetThemeObject(const std::string& value) {
    if (value == ThemeObject()) return;
    FTheme.SetThemeObject(value);
    if (value != "default") Invalidate();
}

void TSkProgressBar::SetThemeLink(TskCustomThemeLink* value) {
    if (value == ThemeLink()) return;
    FTheme.SetThemeLink(value);
    Invalidate();
}

void TSkProgressBar::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    FTheme.Notification(component, operation);
}

bool TSkProgressBar::ThemeDefined() { return IsProgressBarDefined(0, ThemeObject(), ThemeLink()); }

HANDLE TSkProgressBar::ProgressTheme() {
    if (!FProgressTheme && skapi::OpenThemeData) FProgressTheme = skapi::OpenThemeData(nullptr, u"Progress");
    return FProgressTheme;
}

void TSkProgressBar::CloseProgressTheme() {
    if (FProgressTheme && skapi::CloseThemeData) skapi::CloseThemeData(FProgressTheme);
    FProgressTheme = nullptr;
}

void TSkProgressBar::DrawProgressPart(int part, int state, const RECT& rect) {
    if (HANDLE theme = ProgressTheme(); theme && skapi::DrawThemeBackground)
        skapi::DrawThemeBackground(theme, Canvas()->Handle(), part, state, &rect, nullptr);
}

RECT TSkProgressBar::GetBarRect() {
    RECT rect{0, 0, CachedWidth(), CachedHeight()};
    if (FShowBorder) rect = InflateRectBy(rect, -2);
    return InflateRectBy(rect, -FBarBorderWidth);
}

void TSkProgressBar::PaintClient() {
    if (ThemeDefined() && FTheme.Theme()->IsProgressBarTransparent(0, ThemeObject())) {
        DrawParentBackground(this, Canvas()->Handle());
        Canvas()->Refresh();
    }
    PaintFrame();
    PaintBar();
}

void TSkProgressBar::PaintFrame() {
    TCanvas& canvas = *Canvas();
    RECT frame{0, 0, CachedWidth(), CachedHeight()};
    const bool vertical = FOrientation == vpoVertical;
    if (ThemeDefined()) {
        FTheme.Theme()->ProgressBarDraw(
            0, canvas, ThemeObject(),
            TskPartRecord{frame, static_cast<std::uint8_t>(VerticalPart(PP_BAR, vertical)), 0});
        return;
    }
    if (VisualStylesActive()) {
        if (FShowBorder) DrawProgressPart(VerticalPart(PP_BAR, vertical), 0, frame);
        return;
    }
    if (FShowBorder) {
        Frame3D(canvas, frame, clBtnShadow, clBtnHighlight);
        frame = InflateRectBy(frame, -1);
    }
    FillRectColor(canvas, frame, Color());
}

void TSkProgressBar::PaintBar() {
    TCanvas& canvas = *Canvas();
    const RECT bar = GetBarRect();
    const bool vertical = FOrientation == vpoVertical;
    const float f = Fraction(FPosition);
    const int length = vertical ? RectHeight(bar) : RectWidth(bar);
    const int n = RoundEven(static_cast<double>(f) * length);
    const RECT filled = vertical ? RECT{bar.left, bar.bottom - n, bar.right, bar.bottom}
                                 : RECT{bar.left, bar.top, bar.left + n, bar.bottom};
    if (ThemeDefined()) {
        const int part = VerticalPart(FSmooth ? PP_FILL : PP_CHUNK, vertical);
        FTheme.Theme()->ProgressBarDraw(0, canvas, ThemeObject(),
                                        TskPartRecord{filled, static_cast<std::uint8_t>(part), 0});
        return;
    }
    if (VisualStylesActive()) {
        // The visual style brings its own chunk pattern.
        if (n > 0) DrawProgressPart(VerticalPart(PP_CHUNK, vertical), 1, filled);
        return;
    }
    if (FSmooth) {
        FillRectColor(canvas, filled, clHighlight);
        return;
    }
    if (f < 0.01) return;
    const int chunk = RoundEven((vertical ? RectWidth(bar) : RectHeight(bar)) * 0.64);
    const int pitch = chunk + 2;
    if (pitch <= 0) return;
    const int slots = length / pitch;
    const int last = RoundEven(static_cast<double>(f) * slots);
    for (int i = 0; i <= last; ++i) {
        RECT piece = vertical ? RECT{bar.left, bar.bottom - pitch * i - chunk, bar.right, bar.bottom - pitch * i}
                              : RECT{bar.left + i * pitch, bar.top, bar.left + i * pitch + chunk, bar.bottom};
        IntersectRect(&piece, &piece, &bar);
        FillRectColor(canvas, piece, clHighlight);
    }
}

void TSkProgressBar::Dispatch(TMessage& message) {
    if (message.Msg == SkThemeMessage) {
        FTheme.Dispatch(message);
        if (message.WParam != tcBeginChange && message.WParam != tcEndChange) Invalidate();
        return;
    }
    if (FTheme.Dispatch(message)) return;
    // A new visual style opens the class afresh on the next paint.
    if (message.Msg == WM_THEMECHANGED) CloseProgressTheme();
    inherited::Dispatch(message);
}
