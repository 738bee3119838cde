// A region as a y-x banded list of rectangles: rectangles in a band share top and bottom, bands are sorted from
// top to bottom and do not overlap, rectangles in a band are sorted left to right and neither overlap nor touch,
// and vertically adjacent bands with the same rectangles are merged. That keeps the representation unique, so two
// regions are equal exactly when their lists are.
#pragma once

#include "GdiObject.h"

#include <vector>

namespace win32::gdi {

class Region {
public:
    Region() = default;
    // Swapped corners are normalised; an empty rectangle gives the empty region.
    explicit Region(const RECT& rect);
    static Region FromRect(int left, int top, int right, int bottom);
    static Region FromRects(const std::vector<RECT>& rects);  // union of arbitrary rectangles

    const std::vector<RECT>& Rects() const { return FRects; }
    const RECT& Box() const { return FBox; }  // all zero when empty
    bool Empty() const { return FRects.empty(); }
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;

    bool Contains(int x, int y) const;
    bool Intersects(const RECT& rect) const;
    void Offset(int dx, int dy);

    // RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF; RGN_COPY gives a.
    static Region Combine(const Region& a, const Region& b, int mode);
    Region Intersect(const RECT& rect) const;

    bool operator==(const Region& other) const;
    bool operator!=(const Region& other) const { return !(*this == other); }

private:
    void UpdateBox();

    std::vector<RECT> FRects;
    RECT FBox{0, 0, 0, 0};
};

class RegionObject : public GdiObject {
public:
    explicit RegionObject(Region region = Region()) : FRegion(std::move(region)) {}
    DWORD Type() const override { return OBJ_REGION; }
    Region& Value() { return FRegion; }
    const Region& Value() const { return FRegion; }

private:
    Region FRegion;
};

}  // namespace win32::gdi
