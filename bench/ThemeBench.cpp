// The visual style's cost per DrawThemeBackground call on a 32-bit DIB section: a 75 x 25 push button in each
// look, and the frame of a 709 x 509 window (caption and the three borders, as a skinned form paints it).
#include "../tests/platform/win32/gdi/DibCanvas.h"

#include <testing/Testing.h>
#include <win32/windows.h>

#include <benchmark/benchmark.h>

namespace {

// Visual styles on, one handle of the class, for one benchmark.
class Styled {
public:
    explicit Styled(const char16_t* className) {
        wintest::SetVisualStylesActive(true);
        FTheme = OpenThemeData(nullptr, className);
    }
    ~Styled() {
        CloseThemeData(FTheme);
        wintest::SetVisualStylesActive(false);
    }
    Styled(const Styled&) = delete;
    Styled& operator=(const Styled&) = delete;
    HTHEME Theme() const { return FTheme; }

private:
    HTHEME FTheme = nullptr;
};

void BM_ThemePushButton(benchmark::State& state) {
    Styled styled(u"Button");
    DibCanvas canvas(120, 60, 0x00F0F0F0u);
    RECT rect{10, 10, 85, 35};
    int look = static_cast<int>(state.range(0));
    for (auto _ : state) {
        HRESULT result = DrawThemeBackground(styled.Theme(), canvas.Dc(), BP_PUSHBUTTON, look, &rect, nullptr);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ThemePushButton)->Arg(PBS_NORMAL)->Arg(PBS_HOT)->Arg(PBS_DEFAULTED)->Unit(benchmark::kMicrosecond);

void BM_ThemeWindowFrame(benchmark::State& state) {
    Styled styled(u"Window");
    const int width = 709, height = 509;
    DibCanvas canvas(width, height, 0x00F0F0F0u);
    SIZE caption{};
    GetThemePartSize(styled.Theme(), canvas.Dc(), WP_CAPTION, CS_ACTIVE, nullptr, TS_TRUE, &caption);
    int frame = GetSystemMetrics(SM_CXFRAME);
    const RECT captionRect{0, 0, width, caption.cy};
    const RECT left{0, caption.cy, frame, height - frame};
    const RECT right{width - frame, caption.cy, width, height - frame};
    const RECT bottom{0, height - frame, width, height};
    for (auto _ : state) {
        DrawThemeBackground(styled.Theme(), canvas.Dc(), WP_CAPTION, CS_ACTIVE, &captionRect, nullptr);
        DrawThemeBackground(styled.Theme(), canvas.Dc(), WP_FRAMELEFT, FS_ACTIVE, &left, nullptr);
        DrawThemeBackground(styled.Theme(), canvas.Dc(), WP_FRAMERIGHT, FS_ACTIVE, &right, nullptr);
        DrawThemeBackground(styled.Theme(), canvas.Dc(), WP_FRAMEBOTTOM, FS_ACTIVE, &bottom, nullptr);
    }
}
BENCHMARK(BM_ThemeWindowFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
