// GDI fills and copies on a 1024 x 768 32-bit DIB section, each timed against memset / memcpy of the same bytes
// in the same loop; the speed_ratio counter is the plain memory operation's time over GDI's (1.0 = as fast). The
// benchmark's own time per iteration covers both sides, each run twice.
#include <win32/windows.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr size_t kBytes = static_cast<size_t>(kWidth) * kHeight * 4;

class DibCanvas {
public:
    DibCanvas() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        FDc = CreateCompatibleDC(nullptr);
        FBitmap = CreateDIBSection(FDc, &info, DIB_RGB_COLORS, &FBits, nullptr, 0);
        FPrevious = SelectObject(FDc, FBitmap);
        std::memset(FBits, 0x5A, kBytes);
    }
    ~DibCanvas() {
        SelectObject(FDc, FPrevious);
        DeleteObject(FBitmap);
        DeleteDC(FDc);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
    HDC Dc() const { return FDc; }
    void* Bits() const { return FBits; }

private:
    HDC FDc = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FPrevious = nullptr;
    void* FBits = nullptr;
};

using Clock = std::chrono::steady_clock;

// Each side runs once untimed before its timed run, so neither is measured in the cache state the other left
// (memcpy of this size may use non-temporal stores, which leave the destination out of cache).
template <class Operation>
double Timed(Operation operation) {
    operation();
    auto start = Clock::now();
    operation();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

template <class Gdi, class Plain>
void Paired(benchmark::State& state, Gdi gdi, Plain plain) {
    double gdiSeconds = 0, plainSeconds = 0;
    for (auto _ : state) {
        gdiSeconds += Timed(gdi);
        plainSeconds += Timed(plain);
    }
    double iterations = static_cast<double>(state.iterations());
    state.counters["gdi_GBps"] = kBytes * iterations / gdiSeconds / 1e9;
    state.counters["plain_GBps"] = kBytes * iterations / plainSeconds / 1e9;
    state.counters["speed_ratio"] = plainSeconds / gdiSeconds;
}

void BM_FillRectVsMemset(benchmark::State& state) {
    DibCanvas canvas;
    HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    RECT all{0, 0, kWidth, kHeight};
    Paired(
        state, [&] { FillRect(canvas.Dc(), &all, brush); },
        [&] {
            std::memset(canvas.Bits(), 0x34, kBytes);
            benchmark::ClobberMemory();
        });
    DeleteObject(brush);
}
BENCHMARK(BM_FillRectVsMemset)->Unit(benchmark::kMicrosecond);

// A rectangle one pixel short of the bitmap on every side fills row by row instead of as one run.
void BM_FillRectInsetVsMemset(benchmark::State& state) {
    DibCanvas canvas;
    HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    RECT inset{1, 1, kWidth - 1, kHeight - 1};
    Paired(
        state, [&] { FillRect(canvas.Dc(), &inset, brush); },
        [&] {
            std::memset(canvas.Bits(), 0x34, kBytes);
            benchmark::ClobberMemory();
        });
    DeleteObject(brush);
}
BENCHMARK(BM_FillRectInsetVsMemset)->Unit(benchmark::kMicrosecond);

void BM_BitBltSrcCopyVsMemcpy(benchmark::State& state) {
    DibCanvas source, destination;
    Paired(
        state, [&] { BitBlt(destination.Dc(), 0, 0, kWidth, kHeight, source.Dc(), 0, 0, SRCCOPY); },
        [&] {
            std::memcpy(destination.Bits(), source.Bits(), kBytes);
            benchmark::ClobberMemory();
        });
}
BENCHMARK(BM_BitBltSrcCopyVsMemcpy)->Unit(benchmark::kMicrosecond);

// Operations off the fast paths, for scale: a ternary operation through the general mask loop, and a
// patterned brush.
void BM_BitBltGeneralRop(benchmark::State& state) {
    DibCanvas source, destination;
    for (auto _ : state) {
        BitBlt(destination.Dc(), 0, 0, kWidth, kHeight, source.Dc(), 0, 0, 0x00B80000 /* PSDPxax */);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kBytes));
}
BENCHMARK(BM_BitBltGeneralRop)->Unit(benchmark::kMicrosecond);

void BM_FillRectHatchBrush(benchmark::State& state) {
    DibCanvas canvas;
    HBRUSH brush = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 0));
    RECT all{0, 0, kWidth, kHeight};
    for (auto _ : state) FillRect(canvas.Dc(), &all, brush);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kBytes));
    DeleteObject(brush);
}
BENCHMARK(BM_FillRectHatchBrush)->Unit(benchmark::kMicrosecond);

}  // namespace
