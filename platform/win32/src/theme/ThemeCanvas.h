// The visual style's painter: flat fills, rounded rectangles with anti-aliased corners, and anti-aliased strokes
// for glyphs, composed straight into a 32-bit surface through a list of clip rectangles. Coordinates are surface
// pixels; a pixel's coverage is taken at its centre.
#pragma once

#include "gdi/BitmapObject.h"

#include <win32/windef.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace win32::theme {

// Which corners of a rectangle are rounded.
enum Corners : unsigned {
    TopLeft = 1,
    TopRight = 2,
    BottomLeft = 4,
    BottomRight = 8,
    TopCorners = TopLeft | TopRight,
    AllCorners = 15,
};

struct PointF {
    float x;
    float y;
};

class ThemeCanvas {
public:
    // clip: where drawing may touch, in surface coordinates, the rectangles disjoint.
    ThemeCanvas(gdi::BitmapObject& surface, std::vector<RECT> clip);

    void Fill(const RECT& rect, COLORREF color);
    void FillRound(const RECT& rect, int radius, COLORREF color, unsigned corners = AllCorners);
    // A ring of the given width along the inside of the rectangle; the inner edge follows radius - width.
    void Frame(const RECT& rect, int radius, int width, COLORREF color, unsigned corners = AllCorners);
    // A one-pixel border around a fill, both following the rounded corners; NoColor-like CLR_INVALID skips
    // either.
    void Box(const RECT& rect, int radius, COLORREF border, COLORREF fill, unsigned corners = AllCorners);
    // A stroke through the points with round ends and joins.
    void Stroke(std::initializer_list<PointF> points, float width, COLORREF color);
    void Disc(float cx, float cy, float radius, COLORREF color);

private:
    // Calls coverage(x, y) -> 0..256 for every pixel of box inside the clip and blends color by it.
    template <class Coverage>
    void Paint(const RECT& box, COLORREF color, Coverage coverage);

    gdi::BitmapObject& FSurface;
    std::vector<RECT> FClip;
};

// Rectangle helpers for the styles.
RECT Inset(const RECT& rect, int dx, int dy);
RECT Inset(const RECT& rect, int left, int top, int right, int bottom);
// The square of the given side centred in the rectangle.
RECT CentredSquare(const RECT& rect, int side);
inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }

}  // namespace win32::theme
