// TProgressBar: position bookkeeping and the classic painting: a thin sunken frame around the face, blocks two
// thirds as long as the bar is thick with two-pixel gaps, or one smooth bar.
#include <toolkit/ProgressBar.h>
#include <toolkit/PropertyRegistry.h>

#include <algorithm>

namespace {

[[maybe_unused]] const auto published =
    Publish<TProgressBar>()
        .Integer("Min", &TProgressBar::Min, &TProgressBar::SetMin, 0)
        .Integer("Max", &TProgressBar::Max, &TProgressBar::SetMax, 100)
        .Integer("Position", &TProgressBar::Position, &TProgressBar::SetPosition, 0)
        .Integer("Step", &TProgressBar::Step, &TProgressBar::SetStep, 10)
        .Enumeration("Orientation", {"pbHorizontal", "pbVertical"}, &TProgressBar::Orientation,
                     &TProgressBar::SetOrientation, pbHorizontal)
        .Boolean("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth, false);

constexpr int kBlockGap = 2;

}  // namespace

TProgressBar::TProgressBar(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetBounds(0, 0, 150, 16);
}

int TProgressBar::Clamped(int value) const {
    if (FMax <= FMin) return FMin;
    return std::clamp(value, FMin, FMax);
}

void TProgressBar::SetMin(int value) {
    if (value == FMin) return;
    FMin = value;
    FPosition = Clamped(FPosition);
    Invalidate();
}

void TProgressBar::SetMax(int value) {
    if (value == FMax) return;
    FMax = value;
    FPosition = Clamped(FPosition);
    Invalidate();
}

void TProgressBar::SetPosition(int value) {
    value = Clamped(value);
    if (value == FPosition) return;
    FPosition = value;
    Invalidate();
}

void TProgressBar::StepIt() {
    if (FMax <= FMin) return;
    int64_t range = int64_t{FMax} - FMin;
    int64_t next = int64_t{FPosition} + FStep;
    if (next > FMax)
        next = FMin + (next - FMax) % range;
    else if (next < FMin)
        next = FMax - (FMin - next) % range;
    SetPosition(static_cast<int>(next));
}

void TProgressBar::StepBy(int delta) {
    int64_t next = std::clamp<int64_t>(int64_t{FPosition} + delta, INT32_MIN, INT32_MAX);
    SetPosition(static_cast<int>(next));
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
    if (value == FOrientation) return;
    FOrientation = value;
    Invalidate();
}

void TProgressBar::SetSmooth(bool value) {
    if (value == FSmooth) return;
    FSmooth = value;
    Invalidate();
}

void TProgressBar::Paint() {
    HDC dc = Canvas()->Handle();
    RECT rect = ClientRect();
    DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    InflateRect(&rect, -1, -1);
    if (FMax <= FMin || rect.right <= rect.left || rect.bottom <= rect.top) return;
    bool horizontal = FOrientation == pbHorizontal;
    int length = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
    int thickness = horizontal ? rect.bottom - rect.top : rect.right - rect.left;
    auto filled = static_cast<int>((int64_t{FPosition} - FMin) * length / (int64_t{FMax} - FMin));
    HBRUSH bar = GetSysColorBrush(COLOR_HIGHLIGHT);
    // Spans along the bar, from its start (left, or bottom when vertical).
    auto fillSpan = [&](int from, int to) {
        to = std::min(to, length);
        RECT span = horizontal ? RECT{rect.left + from, rect.top, rect.left + to, rect.bottom}
                               : RECT{rect.left, rect.bottom - to, rect.right, rect.bottom - from};
        FillRect(dc, &span, bar);
    };
    if (FSmooth) {
        if (filled > 0) fillSpan(0, filled);
        return;
    }
    int block = std::max(1, thickness * 2 / 3);
    for (int from = 0; from < filled; from += block + kBlockGap) fillSpan(from, from + block);
}
