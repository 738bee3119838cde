// Window DCs taken and given back as every paint does them: GetDC/ReleaseDC and BeginPaint/EndPaint on a child
// window among siblings on the headless display, with the heap allocations each pair makes (allocations_per_pair).
#include "AllocationCounter.h"

#include <win32/windows.h>

#include <benchmark/benchmark.h>

namespace {

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A top-level window with a row of twenty child windows, the one measured in the middle.
class ChildRow {
public:
    ChildRow() {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = PlainProc;
        windowClass.lpszClassName = u"DcBenchWindow";
        RegisterClassExW(&windowClass);
        FTop = CreateWindowExW(0, u"DcBenchWindow", u"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 640, 200,
                               nullptr, nullptr, nullptr, nullptr);
        for (int i = 0; i < 20; ++i) {
            HWND child = CreateWindowExW(0, u"DcBenchWindow", u"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, i * 30, 10,
                                         40, 25, FTop, nullptr, nullptr, nullptr);
            if (i == 10) FChild = child;
        }
        UpdateWindow(FTop);
    }
    ~ChildRow() { DestroyWindow(FTop); }
    ChildRow(const ChildRow&) = delete;
    ChildRow& operator=(const ChildRow&) = delete;
    HWND Child() const { return FChild; }

private:
    HWND FTop = nullptr;
    HWND FChild = nullptr;
};

template <class Pair>
void CountAllocations(benchmark::State& state, Pair pair) {
    size_t before = AllocationCount();
    for (auto _ : state) pair();
    state.counters["allocations_per_pair"] =
        benchmark::Counter(static_cast<double>(AllocationCount() - before), benchmark::Counter::kAvgIterations);
}

void BM_GetDCRelease(benchmark::State& state) {
    ChildRow row;
    HWND child = row.Child();
    CountAllocations(state, [&] {
        HDC dc = GetDC(child);
        benchmark::DoNotOptimize(dc);
        ReleaseDC(child, dc);
    });
}
BENCHMARK(BM_GetDCRelease);

void BM_BeginEndPaint(benchmark::State& state) {
    ChildRow row;
    HWND child = row.Child();
    RECT part{5, 5, 20, 15};
    CountAllocations(state, [&] {
        InvalidateRect(child, &part, FALSE);
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(child, &paint);
        benchmark::DoNotOptimize(dc);
        EndPaint(child, &paint);
    });
}
BENCHMARK(BM_BeginEndPaint);

}  // namespace
