// Scan conversion of rounded rectangles, ellipses and polygons into regions, one scanline at a time.
#include "RegionShapes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace win32::gdi {
namespace {

// Whether pixel column i of row j lies inside the ellipse that fills a width x height pixel box. With the box's
// own coordinates doubled, the pixel centre is (2i + 1, 2j + 1) and the ellipse centre (width, height); products
// reach 2^110 for 27-bit coordinates, hence 128 bits.
bool InsideEllipse(int64_t i, int64_t j, int64_t width, int64_t height) {
    __int128 dx = 2 * i + 1 - width;
    __int128 dy = 2 * j + 1 - height;
    __int128 w2 = static_cast<__int128>(width) * width;
    __int128 h2 = static_cast<__int128>(height) * height;
    return dx * dx * h2 + dy * dy * w2 < w2 * h2;
}

// How many pixels of row j, from the left of an ellipse's box, lie outside it. Only the columns left of the
// ellipse's centre count: in a rounded rectangle the flat edge continues from there.
int64_t EllipseInset(int64_t j, int64_t width, int64_t height) {
    int64_t low = 0;
    int64_t high = width / 2;  // the answer when no left-half pixel of the row is inside
    while (low < high) {
        int64_t mid = low + (high - low) / 2;
        if (InsideEllipse(mid, j, width, height))
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

struct Edge {
    LONG yTop;
    LONG yBottom;  // exclusive: a vertex row belongs to the edge that starts there
    int64_t x0, y0, x1, y1;
    int direction;  // +1 going down, -1 going up

    // The first integer x at or right of the edge on row y.
    int64_t FirstPixel(int64_t y) const {
        __int128 num = static_cast<__int128>(y - y0) * (x1 - x0);
        int64_t den = y1 - y0;
        __int128 q = num / den;
        if (num % den != 0 && num > 0) ++q;  // ceiling; den is positive
        return x0 + static_cast<int64_t>(q);
    }
};

struct Crossing {
    int64_t x;
    int direction;
};

}  // namespace

Region RoundRectRegion(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    int64_t width = static_cast<int64_t>(right) - left - 1;
    int64_t height = static_cast<int64_t>(bottom) - top - 1;
    if (width <= 0 || height <= 0) return Region();
    int64_t ew = std::min<int64_t>(std::llabs(ellipseWidth), width);
    int64_t eh = std::min<int64_t>(std::llabs(ellipseHeight), height);
    RECT box{left, top, static_cast<LONG>(left + width), static_cast<LONG>(top + height)};
    if (ew < 2 || eh < 2) return Region(box);

    std::vector<RECT> rows;
    int64_t corner = eh / 2;  // rows at top and bottom that cut into the corner ellipses
    for (int64_t j = 0; j < corner; ++j) {
        int64_t inset = EllipseInset(j, ew, eh);
        if (2 * inset >= width) continue;
        LONG l = static_cast<LONG>(left + inset);
        LONG r = static_cast<LONG>(left + width - inset);
        rows.push_back({l, static_cast<LONG>(top + j), r, static_cast<LONG>(top + j + 1)});
        rows.push_back({l, static_cast<LONG>(top + height - 1 - j), r, static_cast<LONG>(top + height - j)});
    }
    rows.push_back({box.left, static_cast<LONG>(top + corner), box.right, static_cast<LONG>(top + height - corner)});
    return Region::FromRects(rows);
}

Region PolygonRegion(const POINT* points, const INT* counts, int polygons, int mode) {
    std::vector<Edge> edges;
    size_t first = 0;
    for (int p = 0; p < polygons; ++p) {
        size_t n = static_cast<size_t>(counts[p]);
        for (size_t k = 0; k < n; ++k) {
            const POINT& a = points[first + k];
            const POINT& b = points[first + (k + 1) % n];
            if (a.y == b.y) continue;  // horizontal edges only bound spans that the others already give
            Edge e{};
            e.direction = a.y < b.y ? 1 : -1;
            const POINT& upper = a.y < b.y ? a : b;
            const POINT& lower = a.y < b.y ? b : a;
            e.yTop = upper.y;
            e.yBottom = lower.y;
            e.x0 = upper.x;
            e.y0 = upper.y;
            e.x1 = lower.x;
            e.y1 = lower.y;
            edges.push_back(e);
        }
        first += n;
    }
    if (edges.empty()) return Region();
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.yTop < b.yTop; });

    LONG yEnd = edges.front().yBottom;
    for (const Edge& e : edges) yEnd = std::max(yEnd, e.yBottom);

    std::vector<RECT> spans;
    std::vector<const Edge*> active;
    std::vector<Crossing> crossings;
    size_t next = 0;
    for (LONG y = edges.front().yTop; y < yEnd; ++y) {
        while (next < edges.size() && edges[next].yTop <= y) active.push_back(&edges[next++]);
        active.erase(std::remove_if(active.begin(), active.end(), [y](const Edge* e) { return e->yBottom <= y; }),
                     active.end());
        if (active.empty()) {
            if (next < edges.size()) y = edges[next].yTop - 1;
            continue;
        }
        crossings.clear();
        for (const Edge* e : active) crossings.push_back({e->FirstPixel(y), e->direction});
        std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        // ALTERNATE fills where an odd number of edges lie to the left, WINDING where their directions do not
        // cancel.
        int count = 0;
        int64_t start = 0;
        for (const Crossing& c : crossings) {
            bool wasInside = mode == WINDING ? count != 0 : count % 2 != 0;
            count += mode == WINDING ? c.direction : 1;
            bool inside = mode == WINDING ? count != 0 : count % 2 != 0;
            if (!wasInside && inside)
                start = c.x;
            else if (wasInside && !inside && start < c.x)
                spans.push_back({static_cast<LONG>(start), y, static_cast<LONG>(c.x), y + 1});
        }
    }
    return Region::FromRects(spans);
}

}  // namespace win32::gdi
