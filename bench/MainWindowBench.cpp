// The real main window on the headless display, with the unit emulator on a pseudo-terminal as COM1: making it
// and painting its first frame, a full repaint of it and its children, the channel count switch, and realising
// the toolkit's default font. Times are wall-clock; each benchmark also reports the child windows it covered.
#include "Com.h"
#include "PtyUnit.h"
#include "Settings.h"
#include "Unit1.h"
#include "comSetup.h"

#include <skin/ControlsUnit.h>
#include <toolkit/Application.h>
#include <toolkit/Font.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The emulator linked as COM1 beside the executable and no Config.ini, so the window starts on its defaults
// (COM1, 8 channels) without a message box; the skinning library's units around the window, as the program has them.
class ProgramEnvironment {
public:
    ProgramEnvironment() {
        InitializeControlsUnits();
        std::error_code ec;
        fs::remove(ConfigFileName(), ec);
        FReady = FUnit.Start();
        if (!FReady) return;
        fs::path ports = fs::path(ConfigFileName()).parent_path() / "ports";
        fs::create_directories(ports, ec);
        FReady = FUnit.LinkAs((ports / "com1").string());
    }
    ~ProgramEnvironment() {
        FUnit.Stop();
        FinalizeControlsUnits();
    }
    ProgramEnvironment(const ProgramEnvironment&) = delete;
    ProgramEnvironment& operator=(const ProgramEnvironment&) = delete;
    // False, with the benchmark skipped, when there is no emulator on COM1.
    bool Ready(benchmark::State& state) const {
        if (!FReady) state.SkipWithError("no pseudo-terminal for COM1");
        return FReady;
    }

private:
    unit_emulator::PtyUnit FUnit;
    bool FReady = false;
};

// The wall-clock seconds the operation took over every iteration of the benchmark.
template <class Operation>
double Timed(benchmark::State& state, Operation operation) {
    double seconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        operation();
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    return seconds;
}

double PerIteration(const benchmark::State& state, double total) {
    return total / static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
}

void StartProgram() {
    Application->CreateForm(Form1);
    Form1->Show();
    Application->ProcessMessages();
}

// The window goes as the test fixture ends it: destroyed without a close, so nothing is written to Config.ini.
void EndProgram() {
    delete Form1;
    Form1 = nullptr;
    frmSetup = nullptr;
    if (reinterpret_cast<LONG_PTR>(PortHandle) > 0) ClosePort();
    Application->ProcessMessages();
}

int ChildWindowCount(HWND parent) {
    int count = 0;
    EnumChildWindows(
        parent,
        [](HWND, LPARAM counter) -> BOOL {
            ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

void ChooseChannelCount(int index) {
    Form1->cbbChCount->SetItemIndex(index);
    Form1->cbbChCountChange(Form1->cbbChCount);
    Application->ProcessMessages();
}

// Creating the main window (its description, the port, the channel rows) until its first frame is painted.
void BM_MainWindowFirstFrame(benchmark::State& state) {
    ProgramEnvironment environment;
    if (!environment.Ready(state)) return;
    double seconds = 0;
    int children = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        StartProgram();
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        children = ChildWindowCount(Form1->Handle());
        state.PauseTiming();
        EndProgram();
        state.ResumeTiming();
    }
    state.counters["first_frame_ms"] = PerIteration(state, seconds * 1e3);
    state.counters["child_windows"] = children;
}
BENCHMARK(BM_MainWindowFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// RedrawWindow of the whole window with every child, erased and painted at once, at 8 and 16 channels.
void BM_MainWindowRepaint(benchmark::State& state) {
    ProgramEnvironment environment;
    if (!environment.Ready(state)) return;
    StartProgram();
    ChooseChannelCount(state.range(0) == 16 ? 1 : 0);
    HWND main = Form1->Handle();
    constexpr UINT Flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
    double seconds = Timed(state, [&] { RedrawWindow(main, nullptr, nullptr, Flags); });
    state.counters["child_windows"] = ChildWindowCount(main);
    state.counters["repaint_us"] = PerIteration(state, seconds * 1e6);
    state.SetLabel(std::to_string(state.range(0)) + " channels");
    EndProgram();
}
BENCHMARK(BM_MainWindowRepaint)->Arg(8)->Arg(16)->Unit(benchmark::kMicrosecond)->UseRealTime();

// 8 -> 16 -> 8 channels through the channel count list's change handler: rows built, loaded and destroyed.
void BM_ChannelCountSwitch(benchmark::State& state) {
    ProgramEnvironment environment;
    if (!environment.Ready(state)) return;
    StartProgram();
    double seconds = Timed(state, [] {
        ChooseChannelCount(1);
        ChooseChannelCount(0);
    });
    state.counters["switch_ms"] = PerIteration(state, seconds * 1e3);
    EndProgram();
}
BENCHMARK(BM_ChannelCountSwitch)->Unit(benchmark::kMillisecond)->UseRealTime();

// CreateFontIndirect, GetTextMetrics and DeleteObject of the toolkit's default font, after a first realisation.
void BM_FontRealise(benchmark::State& state) {
    TFont defaultFont;
    LOGFONTW logFont{};
    GetObjectW(defaultFont.Handle(), sizeof logFont, &logFont);
    HDC dc = CreateCompatibleDC(nullptr);
    TEXTMETRICW metrics{};
    auto realise = [&] {
        HFONT font = CreateFontIndirectW(&logFont);
        HGDIOBJ old = SelectObject(dc, font);
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        DeleteObject(font);
    };
    realise();
    double seconds = Timed(state, [&] {
        realise();
        benchmark::DoNotOptimize(metrics);
    });
    state.counters["realise_us"] = PerIteration(state, seconds * 1e6);
    DeleteDC(dc);
}
BENCHMARK(BM_FontRealise)->Unit(benchmark::kMicrosecond);

}  // namespace
