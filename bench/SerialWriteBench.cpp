// Writing 48 rows (three groups of 16) and the clock to the unit emulator at 115200 baud without waits between
// frames, reported against the line-rate bound: the time the bytes need on the wire (10 bits a byte).
#include "Com.h"
#include "Protocol.h"
#include "PtyUnit.h"
#include "Settings.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace {

constexpr DWORD Baud = 115200;

void BM_WriteFortyEightRows(benchmark::State& state) {
    unit_emulator::PtyUnit unit;
    if (!unit.Start()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    auto ports = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "ports";
    std::filesystem::create_directories(ports);
    unit.LinkAs((ports / "com9").string());
    if (!OpenPort("COM9", Baud, 8, ONESTOPBIT, NOPARITY)) {
        state.SkipWithError("cannot open COM9");
        return;
    }

    SendThenWait = 0;
    size_t bytes = 0;
    size_t frames = 0;
    for (auto _ : state) {
        for (int g = 0; g < GroupCount; ++g)
            for (int row = 0; row < MaxRows; ++row) {
                std::string text = g == 2 ? "通道１２３" : "通道" + FullWidthDigits(RowKey(row + 1)) + "测试文字";
                SendTextFrame(g, row, 1, row, 0, text);
                bytes += TextFrame(g, row, 1, row, 0, text).size();
                ++frames;
                Sleep(static_cast<DWORD>(SendThenWait));
            }
        ShowClock();
        bytes += 20;
        ++frames;
    }
    // The unit must have taken every frame for the run to count.
    if (!unit.WaitForFrames(frames, std::chrono::seconds(10))) state.SkipWithError("the unit missed frames");
    ClosePort();

    double lineSeconds = static_cast<double>(bytes) * 10.0 / Baud;
    state.counters["bytes_per_write"] = static_cast<double>(bytes) / static_cast<double>(state.iterations());
    state.counters["line_bound_ms"] = lineSeconds * 1000.0 / static_cast<double>(state.iterations());
    // Seconds spent per write divided by the wire's bound for the same bytes: below 1 means the link adds nothing.
    state.counters["ratio_to_line_rate"] =
        benchmark::Counter(lineSeconds, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_WriteFortyEightRows)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
