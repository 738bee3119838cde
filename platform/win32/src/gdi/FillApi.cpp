// Rectangle and region fills: FillRect, FrameRect, InvertRect, FillRgn, FrameRgn, PaintRgn and InvertRgn.
#include "Raster.h"
#include "kernel/LastError.h"

#include <win32/winuser.h>

namespace win32::gdi {
namespace {

// FillRect and FrameRect take (HBRUSH)(COLOR_xxx + 1) for a system colour, as window classes do.
std::shared_ptr<BrushObject> ResolveBrush(HBRUSH brush) {
    auto value = reinterpret_cast<UINT_PTR>(brush);
    if (value >= 1 && value <= COLOR_MENUBAR + 1) brush = GetSysColorBrush(static_cast<int>(value) - 1);
    return ObjectTable::LookupAs<BrushObject>(brush);
}

std::shared_ptr<RegionObject> LookupRegion(HRGN region) { return ObjectTable::LookupAs<RegionObject>(region); }

// A logical rectangle the way the rectangle functions pass it to PatBlt: a corner and signed extents.
RECT SurfaceRect(const DeviceContext& dc, const RECT& rect) {
    return NormalRect(dc.ToSurface(ExtentRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top)));
}

// A region in logical coordinates moved onto the DC's surface.
Region SurfaceRegion(const DeviceContext& dc, const Region& region) {
    Region moved = region;
    POINT origin = dc.ToSurface(POINT{0, 0});
    moved.Offset(origin.x, origin.y);
    return moved;
}

BOOL FillRegionWith(HDC hdc, HRGN hrgn, const BrushObject* brush, DWORD rop) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    auto region = LookupRegion(hrgn);
    if (!region) return FALSE;
    static const BrushObject nullBrush = [] {
        BrushObject made;
        made.Style = BS_NULL;
        return made;
    }();
    FillRegion(*dc, SurfaceRegion(*dc, region->Value()), brush ? *brush : nullBrush, rop);
    return TRUE;
}

}  // namespace
}  // namespace win32::gdi

using namespace win32::gdi;
using win32::Fail;
using win32::NormalRect;

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    auto dc = LookupDC(hDC);
    if (!dc) return 0;
    if (!lprc) return Fail(0, ERROR_INVALID_PARAMETER);
    auto brush = ResolveBrush(hbr);
    if (!brush) return 0;
    FillRects(*dc, {SurfaceRect(*dc, *lprc)}, *brush, PATCOPY);
    return 1;
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    auto dc = LookupDC(hDC);
    if (!dc) return 0;
    if (!lprc) return Fail(0, ERROR_INVALID_PARAMETER);
    auto brush = ResolveBrush(hbr);
    if (!brush) return 0;
    // An empty or upside-down rectangle draws nothing, and FrameRect says so with 0.
    const RECT& r = *lprc;
    if (r.right <= r.left || r.bottom <= r.top) return 0;
    RECT area = NormalRect(dc->ToSurface(r));
    std::vector<RECT> sides{
        {area.left, area.top, area.right, area.top + 1},
        {area.left, area.bottom - 1, area.right, area.bottom},
        {area.left, area.top + 1, area.left + 1, area.bottom - 1},
        {area.right - 1, area.top + 1, area.right, area.bottom - 1},
    };
    FillRects(*dc, sides, *brush, PATCOPY);
    return 1;
}

BOOL InvertRect(HDC hDC, const RECT* lprc) {
    auto dc = LookupDC(hDC);
    if (!dc) return FALSE;
    if (!lprc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    FillRects(*dc, {SurfaceRect(*dc, *lprc)}, SolidBrush(0), DSTINVERT);
    return TRUE;
}

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) {
    auto brush = ObjectTable::LookupAs<BrushObject>(hbr);
    if (!brush) return FALSE;
    return FillRegionWith(hdc, hrgn, brush.get(), PATCOPY);
}

BOOL PaintRgn(HDC hdc, HRGN hrgn) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    // PaintRgn draws with the selected brush under the DC's binary raster mode.
    return FillRegionWith(hdc, hrgn, dc->State().Brush.get(), Rop2ToRop3(dc->State().Rop2));
}

BOOL InvertRgn(HDC hdc, HRGN hrgn) {
    BrushObject unused = SolidBrush(0);
    return FillRegionWith(hdc, hrgn, &unused, DSTINVERT);
}

BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    auto region = LookupRegion(hrgn);
    if (!region) return FALSE;
    auto brush = ObjectTable::LookupAs<BrushObject>(hbr);
    if (!brush) return FALSE;
    if (w <= 0 || h <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // The frame is what is left of the region after keeping only the pixels whose neighbours w to the left and
    // right and h above and below are all inside it.
    const Region& shape = region->Value();
    Region inner = shape;
    const POINT shifts[4] = {{-w, 0}, {w, 0}, {0, -h}, {0, h}};
    for (const POINT& shift : shifts) {
        Region moved = shape;
        moved.Offset(shift.x, shift.y);
        inner = Region::Combine(inner, moved, RGN_AND);
    }
    Region frame = Region::Combine(shape, inner, RGN_DIFF);
    FillRegion(*dc, SurfaceRegion(*dc, frame), *brush, PATCOPY);
    return TRUE;
}
