// Part resolution and the way into the device context: the part is drawn straight into the DC's 32-bit surface
// through its drawable region (clip region, visible region and surface bounds), like every GDI primitive.
#include "theme/ThemePart.h"

#include "gdi/DeviceContext.h"
#include "geometry/Rects.h"

namespace win32::theme {

HRESULT ResolvePart(HTHEME theme, int part, int state, ResolvedPart& resolved) {
    if (!LookupThemeHandle(theme, resolved.Theme)) return E_HANDLE;
    if (!resolved.Theme.Style->Metrics(part, resolved.Metrics)) return E_PROP_ID_UNSUPPORTED;
    resolved.Part = part;
    resolved.State = state >= 1 && state <= resolved.Metrics.states ? state : 1;
    return S_OK;
}

RECT PartRect(const PartMetrics& metrics, const RECT& rect) {
    if (!metrics.fixedSize) return rect;
    LONG left = rect.left + (rect.right - rect.left - metrics.trueSize.cx) / 2;
    LONG top = rect.top + (rect.bottom - rect.top - metrics.trueSize.cy) / 2;
    return RECT{left, top, left + metrics.trueSize.cx, top + metrics.trueSize.cy};
}

RECT ContentRect(const PartMetrics& metrics, const RECT& rect) {
    RECT drawn = PartRect(metrics, rect);
    const MARGINS& m = metrics.content;
    return RECT{drawn.left + m.cxLeftWidth, drawn.top + m.cyTopHeight, drawn.right - m.cxRightWidth,
                drawn.bottom - m.cyBottomHeight};
}

HRESULT PaintPart(HDC hdc, const ResolvedPart& part, const RECT& rect, const RECT* clip) {
    std::shared_ptr<gdi::DeviceContext> dc = gdi::LookupDC(hdc);
    if (!dc) return E_HANDLE;
    gdi::BitmapObject* surface = dc->Surface();
    // Only colour surfaces carry the style; a monochrome bitmap cannot show it.
    if (!surface || surface->BitsPerPixel() != 32) return E_FAIL;
    RECT target = NormalRect(dc->ToSurface(PartRect(part.Metrics, rect)));
    if (EmptyRect(target)) return S_OK;
    gdi::Region drawable = dc->DrawableRegion().Intersect(target);
    if (clip) drawable = drawable.Intersect(NormalRect(dc->ToSurface(*clip)));
    if (drawable.Empty()) return S_OK;
    ThemeCanvas canvas(*surface, drawable.Rects());
    part.Theme.Style->Draw(canvas, part.Part, part.State, target);
    return S_OK;
}

}  // namespace win32::theme
