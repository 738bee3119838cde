// The current position and the line functions: MoveToEx, GetCurrentPositionEx, LineTo, Polyline, PolylineTo and
// PolyPolyline.
#include "PenPainter.h"

#include "kernel/LastError.h"

#include <win32/winbase.h>
#include <win32/winerror.h>

#include <vector>

using win32::Fail;

using namespace win32::gdi;

namespace {

// Draws polylines given in logical coordinates as one figure: a wide pen's strokes are united before painting,
// so no pixel is painted twice under XOR; a cosmetic pen restarts its style at each polyline.
BOOL DrawPolylines(DeviceContext& dc, const POINT* points, const DWORD* counts, DWORD polylines) {
    size_t total = 0;
    for (DWORD i = 0; i < polylines; ++i) total += counts[i];
    std::vector<POINT> surface;
    if (!ToSurfacePoints(dc, points, total, surface)) return FALSE;
    PenPainter pen(dc);
    if (!pen.Supported()) return Fail(ERROR_NOT_SUPPORTED);
    size_t start = 0;
    for (DWORD i = 0; i < polylines; ++i) {
        pen.AddPolyline(surface.data() + start, counts[i], false);
        start += counts[i];
    }
    pen.Flush();
    return TRUE;
}

}  // namespace

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (lppt) *lppt = dc->State().CurrentPos;
    dc->State().CurrentPos = {x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (!lppt) return Fail(ERROR_INVALID_PARAMETER);
    *lppt = dc->State().CurrentPos;
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    const POINT points[2] = {dc->State().CurrentPos, {x, y}};
    const DWORD count = 2;
    const BOOL drawn = DrawPolylines(*dc, points, &count, 1);
    if (drawn) dc->State().CurrentPos = points[1];
    return drawn;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (!apt || cpt < 2) return Fail(ERROR_INVALID_PARAMETER);
    const DWORD count = static_cast<DWORD>(cpt);
    return DrawPolylines(*dc, apt, &count, 1);
}

BOOL PolylineTo(HDC hdc, const POINT* apt, DWORD cpt) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (!apt || cpt == 0) return Fail(ERROR_INVALID_PARAMETER);
    std::vector<POINT> points;
    points.reserve(cpt + 1);
    points.push_back(dc->State().CurrentPos);
    points.insert(points.end(), apt, apt + cpt);
    const DWORD count = cpt + 1;
    const BOOL drawn = DrawPolylines(*dc, points.data(), &count, 1);
    if (drawn) dc->State().CurrentPos = points.back();
    return drawn;
}

BOOL PolyPolyline(HDC hdc, const POINT* apt, const DWORD* asz, DWORD csz) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (!apt || !asz || csz == 0) return Fail(ERROR_INVALID_PARAMETER);
    for (DWORD i = 0; i < csz; ++i) {
        if (asz[i] < 2) return Fail(ERROR_INVALID_PARAMETER);
    }
    return DrawPolylines(*dc, apt, asz, csz);
}
