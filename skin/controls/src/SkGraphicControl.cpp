// TSkGraphicControl: the window-less pipeline (the client in one call, buffered as Performance says) and the hot
// flag.
#include <skin/SkGraphicControl.h>

#include "PaintTarget.h"

#include <skin/CanvasUtils.h>
#include <toolkit/PropertyRegistry.h>

namespace {

[[maybe_unused]] const auto published = Publish<TSkGraphicControl>().Enumeration(
    "Performance", PerformanceNames, &TSkGraphicControl::Performance, &TSkGraphicControl::SetPerformance, vnpNoBuffer);

}  // namespace

TSkGraphicControl::TSkGraphicControl(TComponent* owner)
    : TGraphicControl(owner), FPaintFont(std::make_unique<TFont>()) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetColor(clBtnFace);
    SetBounds(Left(), Top(), 100, 30);
}

TSkGraphicControl::~TSkGraphicControl() = default;

void TSkGraphicControl::SetPerformance(TSkPerformance value) {
    if (value == FPerformance) return;
    FPerformance = value;
    Invalidate();
}

void TSkGraphicControl::Loaded() {
    inherited::Loaded();
    Invalidate();
}

void TSkGraphicControl::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    // The canvas is locked while Paint runs (TControlCanvas::PaintOn).
    TskPaintTarget target(*Canvas(), FPerformance, Width(), Height(), false);
    FPaintFont->Assign(*Font());
    PaintClient();
    target.CopyOut();
}

void TSkGraphicControl::PaintClient() { FillRectColor(*Canvas(), ClientRect(), Color()); }

void TSkGraphicControl::DoMouseEnter() {
    FMouseInControl = true;
    inherited::MouseEnter();
}

void TSkGraphicControl::DoMouseLeave() {
    FMouseInControl = false;
    inherited::MouseLeave();
}
