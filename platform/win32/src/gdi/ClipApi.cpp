// Clipping: selecting, combining and offsetting a DC's clip region (kept in device coordinates), and the queries
// that see the clip and the visible region together.
#include "ClipApi.h"

#include <win32/winbase.h>

#include <algorithm>

namespace win32::gdi {
namespace {

int SetClip(DeviceContext& dc, Region clip) {
    int complexity = clip.Complexity();
    dc.State().Clip = std::move(clip);
    dc.ClipChanged();
    return complexity;
}

// Without a clip region every combination starts from the whole device area.
Region CurrentClip(const DeviceContext& dc) {
    return dc.State().Clip ? *dc.State().Clip : Region(dc.VisibleRegion().Box());
}

RECT Normalised(POINT a, POINT b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace

int SelectClipRegion(DeviceContext& dc, const Region* region, int mode) {
    if (mode < RGN_AND || mode > RGN_COPY || (!region && mode != RGN_COPY)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR;
    }
    if (!region) {
        dc.State().Clip.reset();
        dc.ClipChanged();
        return SIMPLEREGION;
    }
    if (mode == RGN_COPY) return SetClip(dc, *region);
    return SetClip(dc, Region::Combine(CurrentClip(dc), *region, mode));
}

}  // namespace win32::gdi

using namespace win32::gdi;

namespace {

// A logical rectangle in device coordinates, corners put in order.
RECT ToDeviceRect(const DeviceContext& dc, int left, int top, int right, int bottom) {
    return Normalised(dc.ToDevice(POINT{left, top}), dc.ToDevice(POINT{right, bottom}));
}

}  // namespace

int SelectClipRgn(HDC hdc, HRGN hrgn) { return ExtSelectClipRgn(hdc, hrgn, RGN_COPY); }

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode) {
    auto dc = LookupDC(hdc);
    if (!dc) return ERROR;
    std::shared_ptr<RegionObject> region;
    if (hrgn) {
        region = ObjectTable::LookupAs<RegionObject>(hrgn);
        if (!region) return ERROR;
    }
    return SelectClipRegion(*dc, region ? &region->Value() : nullptr, mode);
}

int GetClipBox(HDC hdc, LPRECT lprect) {
    auto dc = LookupDC(hdc);
    if (!dc) return ERROR;
    if (!lprect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR;
    }
    const Region& drawable = dc->DrawableRegion();
    if (drawable.Empty()) {
        *lprect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    // Surface to device, then device to logical.
    const RECT& box = drawable.Box();
    POINT origin = dc->Origin();
    POINT a = dc->ToLogical(POINT{box.left - origin.x, box.top - origin.y});
    POINT b = dc->ToLogical(POINT{box.right - origin.x, box.bottom - origin.y});
    *lprect = RECT{a.x, a.y, b.x, b.y};
    return drawable.Complexity();
}

int GetClipRgn(HDC hdc, HRGN hrgn) {
    auto dc = LookupDC(hdc);
    if (!dc) return -1;
    auto region = ObjectTable::LookupAs<RegionObject>(hrgn);
    if (!region) return -1;
    if (!dc->State().Clip) return 0;
    region->Value() = *dc->State().Clip;
    return 1;
}

int GetRandomRgn(HDC hdc, HRGN hrgn, INT i) {
    auto dc = LookupDC(hdc);
    if (!dc) return -1;
    auto region = ObjectTable::LookupAs<RegionObject>(hrgn);
    if (!region) return -1;
    if (i != SYSRGN) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    // The visible region counted from the same origin GetDCOrgEx reports; a memory DC's is its bitmap.
    Region visible = dc->VisibleRegion();
    visible.Offset(dc->Origin().x, dc->Origin().y);
    region->Value() = std::move(visible);
    return 1;
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    auto dc = LookupDC(hdc);
    if (!dc) return ERROR;
    Region rect(ToDeviceRect(*dc, left, top, right, bottom));
    return SelectClipRegion(*dc, &rect, RGN_AND);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    auto dc = LookupDC(hdc);
    if (!dc) return ERROR;
    Region rect(ToDeviceRect(*dc, left, top, right, bottom));
    return SelectClipRegion(*dc, &rect, RGN_DIFF);
}

int OffsetClipRgn(HDC hdc, int x, int y) {
    auto dc = LookupDC(hdc);
    if (!dc) return ERROR;
    // Without a clip region there is nothing to move; the whole device area stays one rectangle.
    if (!dc->State().Clip) return SIMPLEREGION;
    Region clip = *dc->State().Clip;
    clip.Offset(x, y);  // logical and device units are the same size (MM_TEXT)
    return SetClip(*dc, std::move(clip));
}

BOOL RectVisible(HDC hdc, const RECT* lprect) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (!lprect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    RECT r = Normalised(dc->ToSurface(POINT{lprect->left, lprect->top}),
                        dc->ToSurface(POINT{lprect->right, lprect->bottom}));
    return dc->DrawableRegion().Intersects(r);
}

BOOL PtVisible(HDC hdc, int x, int y) {
    auto dc = LookupDC(hdc);
    if (!dc) return -1;  // as Windows answers for a bad DC
    POINT p = dc->ToSurface(POINT{x, y});
    return dc->DrawableRegion().Contains(p.x, p.y);
}
