// uxtheme's drawing and geometry functions: backgrounds, text, edges, sizes, content rectangles, regions and hit
// testing, all answered from the style's part measures.
#include "gdi/Region.h"
#include "theme/ThemePalette.h"
#include "theme/ThemePart.h"

#include <win32/windows.h>

#include <algorithm>
#include <cmath>

using namespace win32::theme;

namespace {

// The pixels a rounded part covers by at least half, as rectangles: one per row through the corners.
std::vector<RECT> PartShape(const PartMetrics& metrics, const RECT& rect) {
    int radius = std::min({metrics.radius, static_cast<int>(Width(rect) / 2), static_cast<int>(Height(rect) / 2)});
    if (radius <= 0) return {rect};
    std::vector<RECT> rows;
    auto inset = [&](int i) {
        float dy = radius - (i + 0.5f);
        return static_cast<int>(std::ceil(radius - 0.5f - std::sqrt(radius * radius - dy * dy)));
    };
    for (int i = 0; i < radius; ++i) {
        int top = rect.top + i;
        int bottom = rect.bottom - 1 - i;
        int in = inset(i);
        auto row = [&](int y, bool upper) {
            int left = (metrics.corners & (upper ? TopLeft : BottomLeft)) ? in : 0;
            int right = (metrics.corners & (upper ? TopRight : BottomRight)) ? in : 0;
            rows.push_back(RECT{rect.left + left, y, rect.right - right, y + 1});
        };
        row(top, true);
        row(bottom, false);
    }
    rows.push_back(RECT{rect.left, rect.top + radius, rect.right, rect.bottom - radius});
    return rows;
}

}  // namespace

HRESULT DrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pRect, LPCRECT pClipRect) {
    if (!pRect) return E_POINTER;
    ResolvedPart part;
    HRESULT result = ResolvePart(hTheme, iPartId, iStateId, part);
    if (FAILED(result)) return result;
    return PaintPart(hdc, part, *pRect, pClipRect);
}

HRESULT DrawThemeText(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText, int cchText,
                      DWORD dwTextFlags, DWORD dwTextFlags2, LPCRECT pRect) {
    if (!pszText || !pRect) return E_POINTER;
    ResolvedPart part;
    HRESULT result = ResolvePart(hTheme, iPartId, iStateId, part);
    if (FAILED(result)) return result;
    if (!GetObjectType(hdc)) return E_HANDLE;
    // The caller's text colour stands, as the style defines no text colour of its own for text drawn on a part;
    // DTT_GRAYED asks for the disabled colour.
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    COLORREF oldColor = (dwTextFlags2 & DTT_GRAYED) ? SetTextColor(hdc, ToneColor(Tone::TextDisabled)) : CLR_INVALID;
    RECT rect = *pRect;
    DrawTextW(hdc, pszText, cchText, &rect, dwTextFlags & ~DT_CALCRECT);
    if (oldColor != CLR_INVALID) SetTextColor(hdc, oldColor);
    SetBkMode(hdc, oldMode);
    return S_OK;
}

HRESULT GetThemeTextExtent(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCWSTR pszText, int cchCharCount,
                           DWORD dwTextFlags, LPCRECT pBoundingRect, LPRECT pExtentRect) {
    if (!pszText || !pExtentRect) return E_POINTER;
    ResolvedPart part;
    HRESULT result = ResolvePart(hTheme, iPartId, iStateId, part);
    if (FAILED(result)) return result;
    if (!GetObjectType(hdc)) return E_HANDLE;
    RECT rect = pBoundingRect ? *pBoundingRect : RECT{0, 0, 0, 0};
    DrawTextW(hdc, pszText, cchCharCount, &rect, dwTextFlags | DT_CALCRECT);
    *pExtentRect = rect;
    return S_OK;
}

HRESULT GetThemeTextMetrics(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, TEXTMETRICW* ptm) {
    if (!ptm) return E_POINTER;
    ResolvedPart part;
    HRESULT result = ResolvePart(hTheme, iPartId, iStateId, part);
    if (FAILED(result)) return result;
    return GetTextMetricsW(hdc, ptm) ? S_OK : E_HANDLE;
}

HRESULT GetThemePartSize(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT prc, THEMESIZE eSize, SIZE* psz) {
    (void)hdc;
    if (!psz) return E_POINTER;
    ResolvedPart part;
    HRESULT result = ResolvePart(hTheme, iPartId, iStateId, part);
    if (FAILED(result)) return result;
    const PartMetrics& m = part.Metrics;
    SIZE minimum = m.minSize;
    SIZE natural{m.trueSize.cx ? m.trueSize.cx : minimum.cx, m.trueSize.cy ? m.trueSize.cy : minimum.cy};
    switch (eSize) {
    case TS_MIN: *psz = minimum; return S_OK;
    case TS_TRUE: *psz = natural; return S_OK;
    case TS_DRAW:
        if (m.fixedSize || !prc) {
            *psz = natural;
        } else {
            *psz = SIZE{prc->right - prc->left, prc->bottom - prc->top};
        }
        return S_OK;
    }
    return E_INVALIDARG;
}

HRESULT GetThemeBackgroundContentRect(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pBoundingRect,
                                      LPRECT pContentRect) {
    (void)hdc;
    if (!pBoundingRect || !pContentRect) return E_POINTER;
    ResolvedPart part;
    HRESULT result = ResolvePart(hTheme, iPartId, iStateId, part);
    if (FAILED(result)) return result;
    *pContentRect = ContentRect(part.Metrics, *pBoundingRect);
    return S_OK;
}

HRESULT GetThemeBackgroundExtent(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pContentRect,
                                 LPRECT pExtentRect) {
    (void)hdc;
    if (!pContentRect || !pExtentRect) return E_POINTER;
    ResolvedPart part;
    HRESULT result = ResolvePart(hTheme, iPartId, iStateId, part);
    if (FAILED(result)) return result;
    const MARGINS& m = part.Metrics.content;
    *pExtentRect = RECT{pContentRect->left - m.cxLeftWidth, pContentRect->top - m.cyTopHeight,
                        pContentRect->right + m.cxRightWidth, pContentRect->bottom + m.cyBottomHeight};
    return S_OK;
}

HRESULT GetThemeBackgroundRegion(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pRect, HRGN* pRegion) {
    (void)hdc;
    if (!pRect || !pRegion) return E_POINTER;
    ResolvedPart part;
    HRESULT result = ResolvePart(hTheme, iPartId, iStateId, part);
    if (FAILED(result)) return result;
    RECT drawn = PartRect(part.Metrics, *pRect);
    auto region =
        std::make_shared<win32::gdi::RegionObject>(win32::gdi::Region::FromRects(PartShape(part.Metrics, drawn)));
    *pRegion = static_cast<HRGN>(win32::gdi::ObjectTable::Insert(region));
    return *pRegion ? S_OK : E_OUTOFMEMORY;
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME hTheme, int iPartId, int iStateId) {
    ResolvedPart part;
    return SUCCEEDED(ResolvePart(hTheme, iPartId, iStateId, part)) && part.Metrics.transparent;
}

// The state is documented as unused: the answer is the part's.
BOOL IsThemePartDefined(HTHEME hTheme, int iPartId, int iStateId) {
    ResolvedPart part;
    HRESULT result = ResolvePart(hTheme, iPartId, iStateId, part);
    if (FAILED(result)) {
        SetLastError(static_cast<DWORD>(result));
        return FALSE;
    }
    return TRUE;
}

HRESULT HitTestThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, DWORD dwOptions, LPCRECT pRect,
                               HRGN hrgn, POINT ptTest, WORD* pwHitTestCode) {
    (void)hdc;
    if (!pRect || !pwHitTestCode) return E_POINTER;
    ResolvedPart part;
    HRESULT result = ResolvePart(hTheme, iPartId, iStateId, part);
    if (FAILED(result)) return result;
    const RECT& r = *pRect;
    bool inside = ptTest.x >= r.left && ptTest.x < r.right && ptTest.y >= r.top && ptTest.y < r.bottom;
    if (!inside || (hrgn && !PtInRegion(hrgn, ptTest.x, ptTest.y))) {
        *pwHitTestCode = HTNOWHERE;
        return S_OK;
    }
    const MARGINS& m = part.Metrics.content;
    bool left = ptTest.x < r.left + m.cxLeftWidth;
    bool right = ptTest.x >= r.right - m.cxRightWidth;
    bool top = ptTest.y < r.top + m.cyTopHeight;
    bool bottom = ptTest.y >= r.bottom - m.cyBottomHeight;
    WORD code = HTCLIENT;
    if (dwOptions & HTTB_RESIZINGBORDER) {
        left = left && (dwOptions & HTTB_RESIZINGBORDER_LEFT);
        right = right && (dwOptions & HTTB_RESIZINGBORDER_RIGHT);
        top = top && (dwOptions & HTTB_RESIZINGBORDER_TOP);
        bottom = bottom && (dwOptions & HTTB_RESIZINGBORDER_BOTTOM);
        if (top && left)
            code = HTTOPLEFT;
        else if (top && right)
            code = HTTOPRIGHT;
        else if (bottom && left)
            code = HTBOTTOMLEFT;
        else if (bottom && right)
            code = HTBOTTOMRIGHT;
        else if (top)
            code = (dwOptions & HTTB_CAPTION) ? HTCAPTION : HTTOP;
        else if (bottom)
            code = HTBOTTOM;
        else if (left)
            code = HTLEFT;
        else if (right)
            code = HTRIGHT;
    } else if ((dwOptions & HTTB_FIXEDBORDER) && (left || right || top || bottom)) {
        code = (top && (dwOptions & HTTB_CAPTION)) ? HTCAPTION : HTBORDER;
    }
    *pwHitTestCode = code;
    return S_OK;
}

HRESULT DrawThemeEdge(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pDestRect, UINT uEdge, UINT uFlags,
                      LPRECT pContentRect) {
    if (!pDestRect) return E_POINTER;
    ResolvedPart part;
    HRESULT result = ResolvePart(hTheme, iPartId, iStateId, part);
    if (FAILED(result)) return result;
    // The style's edges are the system's: its edge colours are the system colours DrawEdge uses.
    RECT rect = *pDestRect;
    if (!DrawEdge(hdc, &rect, uEdge, uFlags)) return E_INVALIDARG;
    if (pContentRect) *pContentRect = rect;
    return S_OK;
}

HRESULT DrawThemeIcon(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, LPCRECT pRect, HIMAGELIST himl,
                      int iImageIndex) {
    (void)hdc, (void)himl, (void)iImageIndex;
    if (!pRect) return E_POINTER;
    ResolvedPart part;
    HRESULT result = ResolvePart(hTheme, iPartId, iStateId, part);
    if (FAILED(result)) return result;
    // The platform has no common-control image lists, so no HIMAGELIST names one.
    return E_INVALIDARG;
}

HRESULT DrawThemeParentBackground(HWND hwnd, HDC hdc, const RECT* prc) {
    if (!IsWindow(hwnd)) return E_HANDLE;
    if (!GetObjectType(hdc)) return E_HANDLE;
    HWND parent = GetAncestor(hwnd, GA_PARENT);
    if (!parent || parent == GetDesktopWindow()) return E_FAIL;
    POINT origin{0, 0};
    MapWindowPoints(hwnd, parent, &origin, 1);
    int saved = SaveDC(hdc);
    if (prc) IntersectClipRect(hdc, prc->left, prc->top, prc->right, prc->bottom);
    // The parent paints in its own client coordinates onto the child's DC.
    OffsetWindowOrgEx(hdc, origin.x, origin.y, nullptr);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT);
    RestoreDC(hdc, saved);
    return S_OK;
}
