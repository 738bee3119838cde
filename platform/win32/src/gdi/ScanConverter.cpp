// Scan converters: outlines, the corner arcs of ellipses and round rectangles, polygon interiors, wide strokes.
#include "ScanConverter.h"

#include <cmath>
#include <limits>

namespace win32::gdi {
namespace {

int64_t CeilDiv(int64_t numerator, int64_t denominator) {  // denominator > 0
    return numerator >= 0 ? (numerator + denominator - 1) / denominator : -((-numerator) / denominator);
}

// The arc of one quarter of an ellipse whose bounding box is width x height pixels, in box coordinates: from the
// right end of the middle row down to the middle column, one point per step. This is the integer error-term
// ellipse of A. Zingl ("A Rasterizing Algorithm for Drawing Curves", 2012) run over the diameters width - 1 and
// height - 1, so that odd and even sizes both come out symmetric, which is what classic GDI's ellipses look like.
std::vector<POINT> QuarterArc(int width, int height) {
    const int64_t a = width - 1;
    const int64_t b = height - 1;
    const int64_t stepX = 8 * b * b;
    const int64_t stepY = 8 * a * a;
    int64_t errX = 4 * b * b * (1 - a);
    int64_t errY = 4 * a * a * (1 + (b & 1));
    int64_t err = errX + errY + a * a * (b & 1);
    std::vector<POINT> arc;
    POINT p{static_cast<LONG>(a), static_cast<LONG>(height / 2)};
    while (p.x >= width / 2) {
        arc.push_back(p);
        const int64_t twice = 2 * err;
        if (twice >= errX) {
            --p.x;
            errX += stepX;
            err += errX;
        }
        if (twice <= errY) {
            ++p.y;
            errY += stepY;
            err += errY;
        }
    }
    // Very flat or very tall boxes end the walk before it reaches the far side; the tip runs straight on to it.
    for (LONG y = arc.back().y + 1; y < height; ++y) arc.push_back({arc.back().x, y});
    return arc;
}

void AddCrossingRange(double lo, double hi, double& outLo, double& outHi) {
    outLo = std::max(outLo, lo);
    outHi = std::min(outHi, hi);
}

// Narrows (lo, hi) to the x where low < k * x + c < high.
void Band(double k, double c, double low, double high, double& lo, double& hi) {
    if (k == 0) {
        if (!(c > low && c < high)) hi = lo = 0;
        return;
    }
    double a = (low - c) / k;
    double b = (high - c) / k;
    if (a > b) std::swap(a, b);
    AddCrossingRange(a, b, lo, hi);
}

// A nudge below any distance that integer geometry produces, so that centres exactly on the boundary fall on the
// top-left side.
constexpr double kNudge = 1.0 / 256;

void AddInterval(PixelSpans& spans, int y, double lo, double hi, const RECT& box) {
    if (!(lo < hi)) return;
    // Pixel x is in when lo < x + nudge < hi.
    double first = std::floor(lo - kNudge) + 1;
    double last = std::ceil(hi - kNudge) - 1;
    first = std::max(first, static_cast<double>(box.left));
    last = std::min(last, static_cast<double>(box.right) - 1);
    if (first <= last) spans.Add(y, static_cast<int>(first), static_cast<int>(last) + 1);
}

void AddDisk(PixelSpans& spans, POINT centre, double radius, const RECT& box) {
    const int top = std::max<int64_t>(box.top, static_cast<int64_t>(std::floor(centre.y - radius)) - 1);
    const int bottom = std::min<int64_t>(box.bottom, static_cast<int64_t>(std::ceil(centre.y + radius)) + 1);
    for (int y = top; y < bottom; ++y) {
        const double dy = y + kNudge - centre.y;
        const double rest = radius * radius - dy * dy;
        if (rest <= 0) continue;
        const double half = std::sqrt(rest);
        AddInterval(spans, y, centre.x - half, centre.x + half, box);
    }
}

// The straight part of one segment: within radius of the line through a and b, and along it from startExtra
// before a to endExtra past b.
void AddSlab(PixelSpans& spans, POINT a, POINT b, double radius, double startExtra, double endExtra, const RECT& box) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double ux = dx / length;
    const double uy = dy / length;
    const double reach = radius + std::max(startExtra, endExtra) + 1;
    const int top = std::max<int64_t>(box.top, static_cast<int64_t>(std::floor(std::min(a.y, b.y) - reach)));
    const int bottom = std::min<int64_t>(box.bottom, static_cast<int64_t>(std::ceil(std::max(a.y, b.y) + reach)) + 1);
    for (int y = top; y < bottom; ++y) {
        const double sy = y + kNudge - a.y;
        double lo = -std::numeric_limits<double>::infinity();
        double hi = std::numeric_limits<double>::infinity();
        // Along the segment: (x - a.x) * ux + sy * uy in (-startExtra, length + endExtra).
        Band(ux, sy * uy - a.x * ux, -startExtra, length + endExtra, lo, hi);
        // Across it: (x - a.x) * -uy + sy * ux in (-radius, radius).
        Band(-uy, sy * ux + a.x * uy, -radius, radius, lo, hi);
        AddInterval(spans, y, lo, hi, box);
    }
}

}  // namespace

PixelSpans OutlinePixels(const POINT* points, size_t count, bool closed, const RECT& box) {
    PixelSpans spans;
    if (count == 0) return spans;
    const size_t segments = closed ? count : count - 1;
    for (size_t i = 0; i < segments; ++i) {
        TraceLine(points[i], points[(i + 1) % count], box, [&](int x, int y, int64_t) { spans.AddPixel(x, y); });
    }
    return spans;
}

std::vector<POINT> RoundOutline(const RECT& rect, int cornerWidth, int cornerHeight) {
    const std::vector<POINT> arc = QuarterArc(cornerWidth, cornerHeight);
    std::vector<POINT> loop;
    loop.reserve(arc.size() * 4);
    // Bottom right, from the right side's lower end to the bottom side's right end.
    for (const POINT& p : arc) loop.push_back({rect.right - cornerWidth + p.x, rect.bottom - cornerHeight + p.y});
    // Bottom left: the mirror image, walked back.
    const size_t half = loop.size();
    for (size_t i = half; i-- > 0;) loop.push_back({rect.left + rect.right - 1 - loop[i].x, loop[i].y});
    // The top half mirrors the bottom one.
    const size_t bottomHalf = loop.size();
    for (size_t i = bottomHalf; i-- > 0;) loop.push_back({loop[i].x, rect.top + rect.bottom - 1 - loop[i].y});
    // Where a mirror line runs through a middle pixel (odd sizes) the same point comes twice in a row.
    std::vector<POINT> unique;
    unique.reserve(loop.size());
    for (const POINT& p : loop) {
        if (unique.empty() || unique.back().x != p.x || unique.back().y != p.y) unique.push_back(p);
    }
    while (unique.size() > 1 && unique.back().x == unique.front().x && unique.back().y == unique.front().y)
        unique.pop_back();
    return unique;
}

PixelSpans FillPolygons(const POINT* points, const int* counts, size_t polygons, int fillMode, const RECT& box) {
    struct Edge {
        int64_t x0, y0, x1, y1;
        int direction;
    };
    std::vector<Edge> edges;
    int64_t top = std::numeric_limits<int64_t>::max();
    int64_t bottom = std::numeric_limits<int64_t>::min();
    size_t start = 0;
    for (size_t p = 0; p < polygons; ++p) {
        const size_t n = static_cast<size_t>(counts[p]);
        for (size_t i = 0; i < n; ++i) {
            const POINT& a = points[start + i];
            const POINT& b = points[start + (i + 1) % n];
            if (a.y == b.y) continue;
            if (a.y < b.y)
                edges.push_back({a.x, a.y, b.x, b.y, 1});
            else
                edges.push_back({b.x, b.y, a.x, a.y, -1});
            top = std::min<int64_t>(top, std::min(a.y, b.y));
            bottom = std::max<int64_t>(bottom, std::max(a.y, b.y));
        }
        start += n;
    }
    PixelSpans spans;
    if (edges.empty()) return spans;
    top = std::max<int64_t>(top, box.top);
    bottom = std::min<int64_t>(bottom, box.bottom);
    std::vector<std::pair<int64_t, int>> crossings;
    for (int64_t y = top; y < bottom; ++y) {
        crossings.clear();
        for (const Edge& e : edges) {
            if (y < e.y0 || y >= e.y1) continue;
            // The first pixel centre at or right of where the edge crosses this row.
            const int64_t height = e.y1 - e.y0;
            crossings.push_back({CeilDiv(e.x0 * height + (y - e.y0) * (e.x1 - e.x0), height), e.direction});
        }
        std::sort(crossings.begin(), crossings.end());
        int winding = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += fillMode == WINDING ? crossings[i].second : 1;
            const bool inside = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
            if (!inside) continue;
            const int64_t left = std::max<int64_t>(crossings[i].first, box.left);
            const int64_t right = std::min<int64_t>(crossings[i + 1].first, box.right);
            if (left < right) spans.Add(static_cast<int>(y), static_cast<int>(left), static_cast<int>(right));
        }
    }
    return spans;
}

PixelSpans StrokePolyline(const POINT* points, size_t count, bool closed, int width, UINT endCap, const RECT& box) {
    PixelSpans spans;
    const double radius = width / 2.0;
    bool anyLength = false;
    for (size_t i = 0; i + 1 < count; ++i)
        anyLength |= points[i].x != points[i + 1].x || points[i].y != points[i + 1].y;
    if (!anyLength) return spans;

    const size_t segments = closed ? count : count - 1;
    for (size_t i = 0; i < segments; ++i) {
        const POINT a = points[i];
        const POINT b = points[(i + 1) % count];
        if (a.x == b.x && a.y == b.y) continue;
        const bool squareStart = !closed && i == 0 && endCap == PS_ENDCAP_SQUARE;
        const bool squareEnd = !closed && i + 1 == segments && endCap == PS_ENDCAP_SQUARE;
        AddSlab(spans, a, b, radius, squareStart ? radius : 0, squareEnd ? radius : 0, box);
    }
    for (size_t i = 0; i < count; ++i) {
        const bool end = !closed && (i == 0 || i + 1 == count);
        if (end && endCap != PS_ENDCAP_ROUND) continue;
        AddDisk(spans, points[i], radius, box);
    }
    return spans;
}

}  // namespace win32::gdi
