// The region functions: creation from rectangles, shapes and RGNDATA, combination, queries and GetRegionData.
#include "Region.h"
#include "RegionShapes.h"
#include "kernel/LastError.h"

#include <win32/winbase.h>

#include <algorithm>
#include <cstring>
#include <limits>

using win32::Fail;

using namespace win32::gdi;

namespace {

HRGN Insert(Region region) {
    return static_cast<HRGN>(ObjectTable::Insert(std::make_shared<RegionObject>(std::move(region))));
}

std::shared_ptr<RegionObject> LookupRegion(HRGN hrgn) { return ObjectTable::LookupAs<RegionObject>(hrgn); }

bool IsIdentity(const XFORM& x) {
    return x.eM11 == 1.0f && x.eM12 == 0.0f && x.eM21 == 0.0f && x.eM22 == 1.0f && x.eDx == 0.0f && x.eDy == 0.0f;
}

}  // namespace

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) { return Insert(Region::FromRect(x1, y1, x2, y2)); }

HRGN CreateRectRgnIndirect(const RECT* lprect) {
    if (!lprect) return Fail<HRGN>(nullptr, ERROR_INVALID_PARAMETER);
    return Insert(Region(*lprect));
}

HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h) {
    return Insert(RoundRectRegion(x1, y1, x2, y2, w, h));
}

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2) {
    // Corner ellipses as large as the whole box (they are capped to it) make the ellipse.
    constexpr int kWhole = std::numeric_limits<int>::max();
    return Insert(RoundRectRegion(x1, y1, x2, y2, kWhole, kWhole));
}

HRGN CreateEllipticRgnIndirect(const RECT* lprect) {
    if (!lprect) return Fail<HRGN>(nullptr, ERROR_INVALID_PARAMETER);
    return CreateEllipticRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode) {
    return CreatePolyPolygonRgn(pptl, &cPoint, 1, iMode);
}

HRGN CreatePolyPolygonRgn(const POINT* pptl, const INT* pc, int cPoly, int iMode) {
    if (!pptl || !pc || cPoly <= 0 || (iMode != ALTERNATE && iMode != WINDING))
        return Fail<HRGN>(nullptr, ERROR_INVALID_PARAMETER);
    for (int i = 0; i < cPoly; ++i) {
        if (pc[i] < 2) return Fail<HRGN>(nullptr, ERROR_INVALID_PARAMETER);
    }
    return Insert(PolygonRegion(pptl, pc, cPoly, iMode));
}

HRGN ExtCreateRegion(const XFORM* lpx, DWORD nCount, const RGNDATA* lpData) {
    if (!lpData || nCount < sizeof(RGNDATAHEADER) || lpData->rdh.dwSize < sizeof(RGNDATAHEADER) ||
        lpData->rdh.iType != RDH_RECTANGLES)
        return Fail<HRGN>(nullptr, ERROR_INVALID_PARAMETER);
    if (lpData->rdh.dwSize > nCount || lpData->rdh.nCount > (nCount - lpData->rdh.dwSize) / sizeof(RECT))
        return Fail<HRGN>(nullptr, ERROR_INVALID_PARAMETER);
    // Only the transform that changes nothing is carried out; any other is refused rather than half done.
    if (lpx && !IsIdentity(*lpx)) return Fail<HRGN>(nullptr, ERROR_INVALID_PARAMETER);

    const char* base = reinterpret_cast<const char*>(lpData) + lpData->rdh.dwSize;
    std::vector<RECT> rects;
    rects.reserve(lpData->rdh.nCount);
    for (DWORD i = 0; i < lpData->rdh.nCount; ++i) {
        RECT r;
        std::memcpy(&r, base + i * sizeof(RECT), sizeof r);
        // Rectangles with swapped corners are skipped, not turned round.
        if (r.left < r.right && r.top < r.bottom) rects.push_back(r);
    }
    return Insert(Region::FromRects(rects));
}

DWORD GetRegionData(HRGN hrgn, DWORD nCount, LPRGNDATA lpRgnData) {
    auto region = LookupRegion(hrgn);
    if (!region) return 0;
    const std::vector<RECT>& rects = region->Value().Rects();
    DWORD rectBytes = static_cast<DWORD>(rects.size() * sizeof(RECT));
    DWORD size = static_cast<DWORD>(sizeof(RGNDATAHEADER)) + rectBytes;
    if (!lpRgnData) return size;
    if (nCount < size) return Fail<DWORD>(0, ERROR_INVALID_PARAMETER);
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(rects.size());
    header.nRgnSize = rectBytes;
    header.rcBound = region->Value().Box();
    std::memcpy(lpRgnData, &header, sizeof header);
    if (!rects.empty()) std::memcpy(reinterpret_cast<char*>(lpRgnData) + sizeof header, rects.data(), rectBytes);
    return size;
}

int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode) {
    if (iMode < RGN_AND || iMode > RGN_COPY) return Fail<int>(ERROR, ERROR_INVALID_PARAMETER);
    auto dst = LookupRegion(hrgnDst);
    auto src1 = LookupRegion(hrgnSrc1);
    if (!dst || !src1) return ERROR;
    if (iMode == RGN_COPY) {
        dst->Value() = src1->Value();
        return dst->Value().Complexity();
    }
    auto src2 = LookupRegion(hrgnSrc2);
    if (!src2) return ERROR;
    dst->Value() = Region::Combine(src1->Value(), src2->Value(), iMode);
    return dst->Value().Complexity();
}

int OffsetRgn(HRGN hrgn, int x, int y) {
    auto region = LookupRegion(hrgn);
    if (!region) return ERROR;
    region->Value().Offset(x, y);
    return region->Value().Complexity();
}

BOOL PtInRegion(HRGN hrgn, int x, int y) {
    auto region = LookupRegion(hrgn);
    return region && region->Value().Contains(x, y);
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprect) {
    auto region = LookupRegion(hrgn);
    if (!region) return FALSE;
    if (!lprect) return Fail<BOOL>(FALSE, ERROR_INVALID_PARAMETER);
    // Swapped corners name the same rectangle here.
    RECT r{std::min(lprect->left, lprect->right), std::min(lprect->top, lprect->bottom),
           std::max(lprect->left, lprect->right), std::max(lprect->top, lprect->bottom)};
    return region->Value().Intersects(r);
}

int GetRgnBox(HRGN hrgn, LPRECT lprc) {
    auto region = LookupRegion(hrgn);
    if (!region) return ERROR;
    if (!lprc) return Fail<int>(ERROR, ERROR_INVALID_PARAMETER);
    *lprc = region->Value().Box();
    return region->Value().Complexity();
}

BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2) {
    auto a = LookupRegion(hrgn1);
    auto b = LookupRegion(hrgn2);
    if (!a || !b) return ERROR;
    return a->Value() == b->Value();
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom) {
    auto region = LookupRegion(hrgn);
    if (!region) return FALSE;
    region->Value() = Region::FromRect(left, top, right, bottom);
    return TRUE;
}
