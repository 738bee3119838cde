// A set of pixels kept as horizontal runs, one list per row: what the scan converters produce and the pen and
// brush painters consume, so that an outline can be cut out of an interior before either is drawn.
#pragma once

#include <win32/windef.h>

#include <vector>

namespace win32::gdi {

struct PixelSpan {
    int y;
    int left;   // first pixel
    int right;  // one past the last pixel
};

class PixelSpans {
public:
    void Add(int y, int left, int right) {
        if (left < right) FSpans.push_back({y, left, right});
        FNormal = FSpans.size() <= 1;
    }
    void AddPixel(int x, int y) { Add(y, x, x + 1); }
    void AddAll(const PixelSpans& other);

    // Sorted by row, then left edge; overlapping and touching runs merged. Every reader below normalises first.
    const std::vector<PixelSpan>& Spans() const;
    bool Empty() const { return FSpans.empty(); }
    bool Contains(int x, int y) const;
    // Removes every pixel that other holds.
    void Subtract(const PixelSpans& other);
    // One rectangle per run, for FillRects.
    std::vector<RECT> ToRects() const;

private:
    void Normalise() const;

    mutable std::vector<PixelSpan> FSpans;
    mutable bool FNormal = true;
};

}  // namespace win32::gdi
