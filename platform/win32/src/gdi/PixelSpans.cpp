// Pixel run sets: merging, membership and subtraction.
#include "PixelSpans.h"

#include <algorithm>

namespace win32::gdi {

void PixelSpans::AddAll(const PixelSpans& other) {
    FSpans.insert(FSpans.end(), other.FSpans.begin(), other.FSpans.end());
    FNormal = FSpans.size() <= 1;
}

void PixelSpans::Normalise() const {
    if (FNormal) return;
    std::sort(FSpans.begin(), FSpans.end(),
              [](const PixelSpan& a, const PixelSpan& b) { return a.y != b.y ? a.y < b.y : a.left < b.left; });
    size_t out = 0;
    for (size_t i = 0; i < FSpans.size(); ++i) {
        if (out > 0 && FSpans[out - 1].y == FSpans[i].y && FSpans[i].left <= FSpans[out - 1].right) {
            FSpans[out - 1].right = std::max(FSpans[out - 1].right, FSpans[i].right);
        } else {
            FSpans[out++] = FSpans[i];
        }
    }
    FSpans.resize(out);
    FNormal = true;
}

const std::vector<PixelSpan>& PixelSpans::Spans() const {
    Normalise();
    return FSpans;
}

bool PixelSpans::Contains(int x, int y) const {
    Normalise();
    auto it = std::upper_bound(
        FSpans.begin(), FSpans.end(), PixelSpan{y, x, x},
        [](const PixelSpan& a, const PixelSpan& b) { return a.y != b.y ? a.y < b.y : a.left < b.left; });
    if (it == FSpans.begin()) return false;
    --it;
    return it->y == y && x >= it->left && x < it->right;
}

void PixelSpans::Subtract(const PixelSpans& other) {
    Normalise();
    const std::vector<PixelSpan>& cut = other.Spans();
    std::vector<PixelSpan> result;
    result.reserve(FSpans.size());
    size_t c = 0;
    for (const PixelSpan& span : FSpans) {
        while (c < cut.size() && (cut[c].y < span.y || (cut[c].y == span.y && cut[c].right <= span.left))) ++c;
        int left = span.left;
        for (size_t k = c; k < cut.size() && cut[k].y == span.y && cut[k].left < span.right; ++k) {
            if (cut[k].left > left) result.push_back({span.y, left, cut[k].left});
            left = std::max(left, cut[k].right);
        }
        if (left < span.right) result.push_back({span.y, left, span.right});
    }
    FSpans.swap(result);
    FNormal = true;
}

std::vector<RECT> PixelSpans::ToRects() const {
    Normalise();
    std::vector<RECT> rects;
    rects.reserve(FSpans.size());
    for (const PixelSpan& span : FSpans) rects.push_back({span.left, span.y, span.right, span.y + 1});
    return rects;
}

}  // namespace win32::gdi
