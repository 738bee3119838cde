// Region algebra: one band sweep serves union, intersection, difference and exclusive-or, and leaves every
// result in the canonical banded form that makes list equality region equality.
#include "Region.h"

#include <algorithm>
#include <limits>

namespace win32::gdi {
namespace {

constexpr LONG kLowest = std::numeric_limits<LONG>::min();
constexpr LONG kHighest = std::numeric_limits<LONG>::max();

struct Span {
    LONG left;
    LONG right;
};

// A band of a region: rectangles [begin, end) of its list, all with the same top and bottom.
struct Band {
    LONG top;
    LONG bottom;
    size_t begin;
    size_t end;
};

void BandsOf(const std::vector<RECT>& rects, std::vector<Band>& bands) {
    bands.clear();
    size_t i = 0;
    while (i < rects.size()) {
        size_t j = i + 1;
        while (j < rects.size() && rects[j].top == rects[i].top) ++j;
        bands.push_back({rects[i].top, rects[i].bottom, i, j});
        i = j;
    }
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Disjoint(const RECT& x, const RECT& y) {
    return x.right <= y.left || y.right <= x.left || x.bottom <= y.top || y.bottom <= x.top;
}

bool Keep(int mode, bool inA, bool inB) {
    switch (mode) {
    case RGN_AND: return inA && inB;
    case RGN_OR: return inA || inB;
    case RGN_XOR: return inA != inB;
    case RGN_DIFF: return inA && !inB;
    default: return false;
    }
}

// Walks the left and right edges of both span lists in x order and emits the stretches where the operation holds.
// Because a stretch only ends where the answer changes, touching results come out joined.
void MergeSpans(const RECT* a, size_t countA, const RECT* b, size_t countB, int mode, std::vector<Span>& out) {
    out.clear();
    auto edge = [](const RECT* rects, size_t index) {
        const RECT& r = rects[index / 2];
        return index % 2 ? r.right : r.left;
    };
    size_t i = 0;
    size_t j = 0;
    bool inA = false;
    bool inB = false;
    bool inside = false;
    LONG start = 0;
    while (i < 2 * countA || j < 2 * countB) {
        LONG xa = i < 2 * countA ? edge(a, i) : kHighest;
        LONG xb = j < 2 * countB ? edge(b, j) : kHighest;
        LONG x = std::min(xa, xb);
        if (i < 2 * countA && xa == x) {
            inA = !inA;
            ++i;
        }
        if (j < 2 * countB && xb == x) {
            inB = !inB;
            ++j;
        }
        bool now = Keep(mode, inA, inB);
        if (now == inside) continue;
        if (now)
            start = x;
        else
            out.push_back({start, x});
        inside = now;
    }
}

// Appends bands from the top down, joining a band to the one above when they touch and hold the same spans.
class BandWriter {
public:
    explicit BandWriter(std::vector<RECT>& out) : FOut(out) {}

    void Add(LONG top, LONG bottom, const std::vector<Span>& spans) {
        if (spans.empty() || top >= bottom) return;
        if (FLastBand < FOut.size() && FOut[FLastBand].bottom == top && FOut.size() - FLastBand == spans.size() &&
            std::equal(spans.begin(), spans.end(), FOut.begin() + static_cast<std::ptrdiff_t>(FLastBand),
                       [](const Span& s, const RECT& r) { return s.left == r.left && s.right == r.right; })) {
            for (size_t k = FLastBand; k < FOut.size(); ++k) FOut[k].bottom = bottom;
            return;
        }
        FLastBand = FOut.size();
        for (const Span& s : spans) FOut.push_back({s.left, top, s.right, bottom});
    }

private:
    std::vector<RECT>& FOut;
    size_t FLastBand = SIZE_MAX;
};

}  // namespace

Region::Region(const RECT& rect) {
    LONG left = std::min(rect.left, rect.right);
    LONG right = std::max(rect.left, rect.right);
    LONG top = std::min(rect.top, rect.bottom);
    LONG bottom = std::max(rect.top, rect.bottom);
    if (left == right || top == bottom) return;
    FRects.push_back({left, top, right, bottom});
    UpdateBox();
}

Region Region::FromRect(int left, int top, int right, int bottom) { return Region(RECT{left, top, right, bottom}); }

Region Region::FromRects(const std::vector<RECT>& rects) {
    // Pairwise unions, level by level: each level costs one pass over all rectangles.
    std::vector<Region> parts;
    parts.reserve(rects.size());
    for (const RECT& r : rects) {
        Region part(r);
        if (!part.Empty()) parts.push_back(std::move(part));
    }
    if (parts.empty()) return Region();
    while (parts.size() > 1) {
        std::vector<Region> next;
        next.reserve(parts.size() / 2 + 1);
        for (size_t i = 0; i + 1 < parts.size(); i += 2) next.push_back(Combine(parts[i], parts[i + 1], RGN_OR));
        if (parts.size() % 2) next.push_back(std::move(parts.back()));
        parts = std::move(next);
    }
    return std::move(parts.front());
}

int Region::Complexity() const {
    if (FRects.empty()) return NULLREGION;
    return FRects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool Region::Contains(int x, int y) const {
    // Bottoms never decrease along the list, so the first rectangle reaching below y starts the only band at y.
    auto it =
        std::upper_bound(FRects.begin(), FRects.end(), y, [](int value, const RECT& r) { return value < r.bottom; });
    if (it == FRects.end() || it->top > y) return false;
    for (LONG top = it->top; it != FRects.end() && it->top == top && it->left <= x; ++it) {
        if (x < it->right) return true;
    }
    return false;
}

bool Region::Intersects(const RECT& rect) const {
    if (rect.left >= rect.right || rect.top >= rect.bottom || FRects.empty()) return false;
    if (rect.right <= FBox.left || rect.left >= FBox.right || rect.bottom <= FBox.top || rect.top >= FBox.bottom)
        return false;
    for (const RECT& r : FRects) {
        if (r.top >= rect.bottom) break;
        if (r.bottom > rect.top && r.left < rect.right && r.right > rect.left) return true;
    }
    return false;
}

void Region::Offset(int dx, int dy) {
    if (FRects.empty()) return;
    for (RECT& r : FRects) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
    UpdateBox();
}

Region Region::Combine(const Region& a, const Region& b, int mode) {
    if (mode == RGN_COPY) return a;
    Region result;
    if (mode != RGN_AND && mode != RGN_OR && mode != RGN_XOR && mode != RGN_DIFF) return result;
    // The answers that need no sweep: an empty side, one side a rectangle holding the other, no overlap.
    if (a.Empty() || b.Empty()) {
        if (mode == RGN_AND || (mode == RGN_DIFF && a.Empty())) return result;
        return a.Empty() ? b : a;
    }
    if (mode == RGN_AND && b.FRects.size() == 1 && Inside(a.FBox, b.FBox)) return a;
    if (mode == RGN_AND && a.FRects.size() == 1 && Inside(b.FBox, a.FBox)) return b;
    if (Disjoint(a.FBox, b.FBox)) {
        if (mode == RGN_AND) return result;
        if (mode == RGN_DIFF) return a;
    }

    // Scratch lists kept per thread, so that a combination allocates nothing but its answer.
    thread_local std::vector<Band> bandsA;
    thread_local std::vector<Band> bandsB;
    thread_local std::vector<Span> spans;
    BandsOf(a.FRects, bandsA);
    BandsOf(b.FRects, bandsB);
    result.FRects.reserve(a.FRects.size() + b.FRects.size());
    BandWriter writer(result.FRects);
    size_t ia = 0;
    size_t ib = 0;
    LONG y = kLowest;
    // Each step takes the horizontal strip from the current y down to the next band edge of either region; in it
    // each region is either absent or one fixed list of spans.
    while (ia < bandsA.size() || ib < bandsB.size()) {
        const Band* bandA = ia < bandsA.size() ? &bandsA[ia] : nullptr;
        const Band* bandB = ib < bandsB.size() ? &bandsB[ib] : nullptr;
        LONG topA = bandA ? std::max(bandA->top, y) : kHighest;
        LONG topB = bandB ? std::max(bandB->top, y) : kHighest;
        LONG top = std::min(topA, topB);
        bool inA = bandA && topA == top;
        bool inB = bandB && topB == top;
        LONG bottom = std::min(inA ? bandA->bottom : topA, inB ? bandB->bottom : topB);
        if (Keep(mode, inA, false) || Keep(mode, false, inB) || (inA && inB)) {
            MergeSpans(inA ? &a.FRects[bandA->begin] : nullptr, inA ? bandA->end - bandA->begin : 0,
                       inB ? &b.FRects[bandB->begin] : nullptr, inB ? bandB->end - bandB->begin : 0, mode, spans);
            writer.Add(top, bottom, spans);
        }
        y = bottom;
        if (bandA && bandA->bottom <= y) ++ia;
        if (bandB && bandB->bottom <= y) ++ib;
    }
    result.UpdateBox();
    return result;
}

Region Region::Intersect(const RECT& rect) const { return Combine(*this, Region(rect), RGN_AND); }

bool Region::operator==(const Region& other) const {
    return std::equal(FRects.begin(), FRects.end(), other.FRects.begin(), other.FRects.end(),
                      [](const RECT& x, const RECT& y) {
                          return x.left == y.left && x.top == y.top && x.right == y.right && x.bottom == y.bottom;
                      });
}

void Region::UpdateBox() {
    if (FRects.empty()) {
        FBox = RECT{0, 0, 0, 0};
        return;
    }
    FBox = RECT{FRects.front().left, FRects.front().top, FRects.front().right, FRects.back().bottom};
    for (const RECT& r : FRects) {
        FBox.left = std::min(FBox.left, r.left);
        FBox.right = std::max(FBox.right, r.right);
    }
}

}  // namespace win32::gdi
