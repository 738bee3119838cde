// Scan conversion for lines and shapes in surface coordinates, where a pixel's centre sits on its integer
// coordinate (GDI's grid-intersection model). Everything is clipped to a box early so that far-away geometry
// costs nothing.
#pragma once

#include "PixelSpans.h"

#include <win32/wingdi.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace win32::gdi {

// A one-pixel line from a to b with b left out, calling plot(x, y, index) for the pixels inside box in drawing
// order; index counts pixels from a, so line styles stay in step whatever is clipped. Each pixel is the one whose
// diamond the line leaves (the GIQ diamond rule): along the major axis every column (or row) gets one pixel,
// rounded to the nearest; an exact tie goes to the upper pixel for lines more horizontal than steep and to the
// left one otherwise, in whichever direction the line is drawn.
template <class Plot>
void TraceLine(POINT a, POINT b, const RECT& box, Plot&& plot) {
    const int64_t dx = static_cast<int64_t>(b.x) - a.x;
    const int64_t dy = static_cast<int64_t>(b.y) - a.y;
    const bool xMajor = std::llabs(dx) > std::llabs(dy);
    const int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
    if (major == 0) return;
    const int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t majorStart = xMajor ? a.x : a.y;
    const int64_t minorStart = xMajor ? a.y : a.x;
    const int64_t majorLow = xMajor ? box.left : box.top;
    const int64_t majorHigh = xMajor ? box.right : box.bottom;  // exclusive
    const int64_t minorLow = xMajor ? box.top : box.left;
    const int64_t minorHigh = xMajor ? box.bottom : box.right;
    // A tie rounds towards the smaller minor coordinate: half down while it grows, half up while it shrinks.
    const int64_t rounding = minorStep > 0 ? major - 1 : major;

    int64_t first = 0;
    int64_t last = major - 1;
    if (majorStep > 0) {
        first = std::max(first, majorLow - majorStart);
        last = std::min(last, majorHigh - 1 - majorStart);
    } else {
        first = std::max(first, majorStart - (majorHigh - 1));
        last = std::min(last, majorStart - majorLow);
    }
    for (int64_t i = first; i <= last; ++i) {
        const int64_t offset = (2 * i * minor + rounding) / (2 * major);
        const int64_t minorPos = minorStart + minorStep * offset;
        if (minorPos < minorLow || minorPos >= minorHigh) continue;
        const int64_t majorPos = majorStart + majorStep * i;
        if (xMajor)
            plot(static_cast<int>(majorPos), static_cast<int>(minorPos), i);
        else
            plot(static_cast<int>(minorPos), static_cast<int>(majorPos), i);
    }
}

// Pixels a line from a to b lights (end left out): the longer of its two extents.
inline int64_t LinePixelCount(POINT a, POINT b) {
    return std::max(std::llabs(static_cast<int64_t>(b.x) - a.x), std::llabs(static_cast<int64_t>(b.y) - a.y));
}

// The one-pixel outline of a polyline (closed: back to its first point), inside box.
PixelSpans OutlinePixels(const POINT* points, size_t count, bool closed, const RECT& box);

// The outline of an ellipse or round rectangle in the bounding rectangle rect (right and bottom exclusive) whose
// corners are quarter ellipses cornerWidth x cornerHeight (at most the rectangle's size, both above 2), as a closed
// loop of points, each next to the one before except across the straight sides.
std::vector<POINT> RoundOutline(const RECT& rect, int cornerWidth, int cornerHeight);

// The interior of polygons (counts[i] points each, each implicitly closed) under ALTERNATE or WINDING, inside box.
// A pixel belongs when its centre is inside, or on a left or top edge (never on a right or bottom one), so
// polygons that share an edge never share a pixel.
PixelSpans FillPolygons(const POINT* points, const int* counts, size_t polygons, int fillMode, const RECT& box);

// A geometric stroke of the given width along a polyline: round joins, and PS_ENDCAP_ROUND, PS_ENDCAP_SQUARE or
// PS_ENDCAP_FLAT at the two ends of an open one. A pixel belongs when its centre, nudged a hair down and right,
// lies inside the stroke, which makes the same top-left tie rule as polygons.
PixelSpans StrokePolyline(const POINT* points, size_t count, bool closed, int width, UINT endCap, const RECT& box);

}  // namespace win32::gdi
