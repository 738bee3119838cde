// Filled shapes: Rectangle, Ellipse, RoundRect, Polygon and PolyPolygon.
//
// Every shape is a closed path through pixel centres, the interior painted with the brush and the path stroked
// with the pen. A rectangle's path runs through (left, top) and (right - 1, bottom - 1), so right and bottom are
// excluded; ellipses and rounded corners follow the integer midpoint arcs of ScanConverter. The interior is the
// path's polygon fill (centres inside, or on a left or top edge) less whatever the pen paints, so no pixel is
// painted twice under XOR modes. With a null pen nothing is cut out and the path's right and bottom edges stay
// unfilled, which is why Windows documents a null-pen Rectangle as one pixel smaller on those sides.
#include "PenPainter.h"
#include "Raster.h"
#include "ScanConverter.h"
#include "kernel/LastError.h"

#include <win32/winbase.h>
#include <win32/winerror.h>

#include <cstdlib>
#include <vector>

using win32::Fail;

using namespace win32::gdi;

namespace {

void FillInterior(DeviceContext& dc, const PixelSpans& spans) {
    const BrushObject* brush = dc.State().Brush.get();
    if (!brush || brush->Style == BS_NULL || spans.Empty()) return;
    const DWORD rop = Rop2ToRop3(dc.State().Rop2);
    if (brush->DcBrush)
        FillRects(dc, spans.ToRects(), SolidBrush(dc.BrushColor()), rop);
    else
        FillRects(dc, spans.ToRects(), *brush, rop);
}

// Paints closed paths (surface coordinates, counts[i] points each): interior first, outline over it.
void DrawFigure(DeviceContext& dc, PenPainter& pen, const std::vector<POINT>& points, const std::vector<int>& counts,
                int fillMode) {
    size_t start = 0;
    for (int count : counts) {
        pen.AddPolyline(points.data() + start, static_cast<size_t>(count), true);
        start += static_cast<size_t>(count);
    }
    const BrushObject* brush = dc.State().Brush.get();
    if (brush && brush->Style != BS_NULL) {
        PixelSpans interior = FillPolygons(points.data(), counts.data(), counts.size(), fillMode, pen.Box());
        interior.Subtract(pen.Covered());
        FillInterior(dc, interior);
    }
    pen.Flush();
}

// The bounding rectangle in surface coordinates, corners put in order and, for an inside-frame pen, pulled in so
// that the stroke stays within it. False when the coordinates are out of range.
bool FigureRect(const DeviceContext& dc, const PenPainter& pen, int left, int top, int right, int bottom, RECT& rect) {
    const POINT corners[2] = {{left, top}, {right, bottom}};
    std::vector<POINT> mapped;
    if (!ToSurfacePoints(dc, corners, 2, mapped)) return false;
    rect = {std::min(mapped[0].x, mapped[1].x), std::min(mapped[0].y, mapped[1].y), std::max(mapped[0].x, mapped[1].x),
            std::max(mapped[0].y, mapped[1].y)};
    if (pen.InsideFrame() && !pen.Null()) {
        const int width = pen.Width();
        rect.left += width / 2;
        rect.top += width / 2;
        rect.right -= (width - 1) / 2;
        rect.bottom -= (width - 1) / 2;
    }
    return true;
}

std::vector<POINT> RectanglePath(const RECT& r) {
    // Anticlockwise from the top right corner, as GDI walks it by default; styled pens start their pattern there.
    return {{r.right - 1, r.top}, {r.left, r.top}, {r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}};
}

BOOL RoundShape(HDC hdc, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight, bool ellipse) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    PenPainter pen(*dc);
    if (!pen.Supported()) return Fail(ERROR_NOT_SUPPORTED);
    RECT rect;
    if (!FigureRect(*dc, pen, left, top, right, bottom, rect)) return FALSE;
    if (rect.left >= rect.right || rect.top >= rect.bottom) return TRUE;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (ellipse) {
        cornerWidth = width;
        cornerHeight = height;
    }
    cornerWidth = std::min(width, std::abs(cornerWidth));
    cornerHeight = std::min(height, std::abs(cornerHeight));
    // Corners of two pixels or less have no curve to draw.
    std::vector<POINT> path =
        cornerWidth <= 2 || cornerHeight <= 2 ? RectanglePath(rect) : RoundOutline(rect, cornerWidth, cornerHeight);
    DrawFigure(*dc, pen, path, {static_cast<int>(path.size())}, ALTERNATE);
    return TRUE;
}

}  // namespace

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    return RoundShape(hdc, left, top, right, bottom, 0, 0, false);
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    return RoundShape(hdc, left, top, right, bottom, 0, 0, true);
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
    return RoundShape(hdc, left, top, right, bottom, width, height, false);
}

BOOL PolyPolygon(HDC hdc, const POINT* apt, const INT* asz, int csz) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (!apt || !asz || csz <= 0) return Fail(ERROR_INVALID_PARAMETER);
    std::vector<int> counts(asz, asz + csz);
    size_t total = 0;
    for (int count : counts) {
        if (count < 2) return Fail(ERROR_INVALID_PARAMETER);
        total += static_cast<size_t>(count);
    }
    PenPainter pen(*dc);
    if (!pen.Supported()) return Fail(ERROR_NOT_SUPPORTED);
    std::vector<POINT> points;
    if (!ToSurfacePoints(*dc, apt, total, points)) return FALSE;
    DrawFigure(*dc, pen, points, counts, dc->State().PolyFillMode);
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* apt, int cpt) { return PolyPolygon(hdc, apt, &cpt, 1); }
