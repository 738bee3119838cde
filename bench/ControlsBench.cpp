// One paint of a skinned control on the headless display: a 200 × 25 control with a one-pixel lowered bevel and
// three border rings (the main window's framed fields), in each Performance mode and each look.
#include <skin/ControlsUnit.h>
#include <skin/SkControl.h>
#include <toolkit/Application.h>
#include <toolkit/Form.h>

#include <testing/Testing.h>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_SkControlPaint(benchmark::State& state) {
    const auto mode = static_cast<TSkPerformance>(state.range(0));
    const bool visualStyles = state.range(1) != 0;
    InitializeControlsUnits();
    wintest::SetVisualStylesActive(visualStyles);
    {
        TForm form(nullptr);
        form.SetBounds(40, 40, 260, 80);
        auto* control = new TSkControl(&form);
        control->SetParent(&form);
        control->SetBounds(10, 10, 200, 25);
        control->SetBevelWidth(1);
        control->SetBorderWidth(3);
        control->SetPerformance(mode);
        form.Show();
        Application->ProcessMessages();
        for (auto _ : state) {
            control->Invalidate();
            control->Update();
        }
        static const char* const names[] = {"no buffer", "shared buffer", "private buffer"};
        state.SetLabel(std::string(names[mode]) + (visualStyles ? ", visual styles" : ", classic"));
    }
    Application->ProcessMessages();
    wintest::SetVisualStylesActive(false);
    FinalizeControlsUnits();
}
BENCHMARK(BM_SkControlPaint)
    ->ArgsProduct({{vnpNoBuffer, vnpSharedBuffer, vnpDoubleBuffer}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
