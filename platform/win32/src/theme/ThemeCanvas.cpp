// Coverage painting: every shape answers, per pixel, how much of it the shape covers (0 to 256), and the colour is
// blended over the destination by that much. Solid interiors answer 256 without any arithmetic.
#include "theme/ThemeCanvas.h"

#include "geometry/Rects.h"

#include <algorithm>
#include <cmath>

namespace win32::theme {
namespace {

int ToCoverage(float amount) {
    if (amount <= 0.0f) return 0;
    if (amount >= 1.0f) return 256;
    return static_cast<int>(amount * 256.0f + 0.5f);
}

uint32_t Blend(uint32_t destination, uint32_t source, int coverage) {
    if (coverage >= 256) return source;
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int d = (destination >> shift) & 0xFF;
        int s = (source >> shift) & 0xFF;
        result |= static_cast<uint32_t>(d + (((s - d) * coverage + 128) >> 8)) << shift;
    }
    return result;
}

// Coverage of the pixel centred at (cx, cy) by the rounded rectangle, the pixel already inside its bounds.
float RoundCoverage(const RECT& r, float radius, unsigned corners, float cx, float cy) {
    if (radius <= 0.0f) return 1.0f;
    float ox;
    float oy;
    unsigned corner;
    if (cx < r.left + radius) {
        ox = r.left + radius;
        corner = TopLeft;
    } else if (cx > r.right - radius) {
        ox = r.right - radius;
        corner = TopRight;
    } else {
        return 1.0f;
    }
    if (cy < r.top + radius) {
        oy = r.top + radius;
    } else if (cy > r.bottom - radius) {
        oy = r.bottom - radius;
        corner <<= 2;  // the bottom corner on the same side
    } else {
        return 1.0f;
    }
    if (!(corners & corner)) return 1.0f;
    float distance = std::hypot(cx - ox, cy - oy);
    return std::clamp(radius + 0.5f - distance, 0.0f, 1.0f);
}

float SegmentDistance(PointF a, PointF b, float x, float y) {
    float dx = b.x - a.x;
    float dy = b.y - a.y;
    float length2 = dx * dx + dy * dy;
    float t = length2 > 0.0f ? std::clamp(((x - a.x) * dx + (y - a.y) * dy) / length2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

bool Inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

RECT Inset(const RECT& rect, int dx, int dy) { return Inset(rect, dx, dy, dx, dy); }

RECT Inset(const RECT& rect, int left, int top, int right, int bottom) {
    return RECT{rect.left + left, rect.top + top, rect.right - right, rect.bottom - bottom};
}

RECT CentredSquare(const RECT& rect, int side) {
    int left = rect.left + (Width(rect) - side) / 2;
    int top = rect.top + (Height(rect) - side) / 2;
    return RECT{left, top, left + side, top + side};
}

ThemeCanvas::ThemeCanvas(gdi::BitmapObject& surface, std::vector<RECT> clip)
    : FSurface(surface), FClip(std::move(clip)) {}

template <class Coverage>
void ThemeCanvas::Paint(const RECT& box, COLORREF color, Coverage coverage) {
    if (EmptyRect(box)) return;
    uint32_t source = gdi::ColorToPixel(color);
    for (const RECT& clip : FClip) {
        RECT area = Intersection(box, clip);
        for (int y = area.top; y < area.bottom; ++y) {
            uint32_t* row = FSurface.Row32(y);
            for (int x = area.left; x < area.right; ++x) {
                int amount = coverage(x, y);
                if (amount > 0) row[x] = Blend(row[x], source, amount);
            }
        }
    }
}

void ThemeCanvas::Fill(const RECT& rect, COLORREF color) {
    Paint(rect, color, [](int, int) { return 256; });
}

void ThemeCanvas::FillRound(const RECT& rect, int radius, COLORREF color, unsigned corners) {
    radius = std::min({radius, Width(rect) / 2, Height(rect) / 2});
    // Rows and columns clear of the corner squares are wholly covered.
    RECT straight = Inset(rect, radius, radius);
    Paint(rect, color, [&](int x, int y) {
        if ((x >= straight.left && x < straight.right) || (y >= straight.top && y < straight.bottom)) return 256;
        return ToCoverage(RoundCoverage(rect, static_cast<float>(radius), corners, x + 0.5f, y + 0.5f));
    });
}

void ThemeCanvas::Frame(const RECT& rect, int radius, int width, COLORREF color, unsigned corners) {
    radius = std::min({radius, Width(rect) / 2, Height(rect) / 2});
    RECT inner = Inset(rect, width, width);
    int innerRadius = std::max(radius - width, 0);
    RECT innerStraight = Inset(inner, innerRadius, innerRadius);
    RECT outerStraight = Inset(rect, radius, radius);
    Paint(rect, color, [&](int x, int y) {
        float cx = x + 0.5f;
        float cy = y + 0.5f;
        float innerAmount = 0.0f;
        if (Inside(inner, x, y)) {
            bool clear = (x >= innerStraight.left && x < innerStraight.right) ||
                         (y >= innerStraight.top && y < innerStraight.bottom);
            if (clear) return 0;
            innerAmount = RoundCoverage(inner, static_cast<float>(innerRadius), corners, cx, cy);
        }
        bool solid = (x >= outerStraight.left && x < outerStraight.right) ||
                     (y >= outerStraight.top && y < outerStraight.bottom);
        float outerAmount = solid ? 1.0f : RoundCoverage(rect, static_cast<float>(radius), corners, cx, cy);
        return ToCoverage(outerAmount - innerAmount);
    });
}

void ThemeCanvas::Box(const RECT& rect, int radius, COLORREF border, COLORREF fill, unsigned corners) {
    if (border != CLR_INVALID && fill != CLR_INVALID) {
        FillRound(rect, radius, border, corners);
        FillRound(Inset(rect, 1, 1), std::max(radius - 1, 0), fill, corners);
    } else if (border != CLR_INVALID) {
        Frame(rect, radius, 1, border, corners);
    } else if (fill != CLR_INVALID) {
        FillRound(rect, radius, fill, corners);
    }
}

void ThemeCanvas::Stroke(std::initializer_list<PointF> points, float width, COLORREF color) {
    if (points.size() == 0) return;
    float half = width / 2.0f;
    float left = points.begin()->x;
    float right = left;
    float top = points.begin()->y;
    float bottom = top;
    for (const PointF& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    RECT box{static_cast<LONG>(std::floor(left - half - 1)), static_cast<LONG>(std::floor(top - half - 1)),
             static_cast<LONG>(std::ceil(right + half + 1)), static_cast<LONG>(std::ceil(bottom + half + 1))};
    std::vector<PointF> path(points);
    Paint(box, color, [&](int x, int y) {
        float cx = x + 0.5f;
        float cy = y + 0.5f;
        float nearest = path.size() == 1 ? std::hypot(cx - path[0].x, cy - path[0].y) : 1e9f;
        for (size_t i = 1; i < path.size(); ++i)
            nearest = std::min(nearest, SegmentDistance(path[i - 1], path[i], cx, cy));
        return ToCoverage(half + 0.5f - nearest);
    });
}

void ThemeCanvas::Disc(float cx, float cy, float radius, COLORREF color) {
    RECT box{static_cast<LONG>(std::floor(cx - radius - 1)), static_cast<LONG>(std::floor(cy - radius - 1)),
             static_cast<LONG>(std::ceil(cx + radius + 1)), static_cast<LONG>(std::ceil(cy + radius + 1))};
    Paint(box, color,
          [&](int x, int y) { return ToCoverage(radius + 0.5f - std::hypot(x + 0.5f - cx, y + 0.5f - cy)); });
}

}  // namespace win32::theme
