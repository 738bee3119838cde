// Part resolution and the way into the device context: the part is drawn straight into the DC's 32-bit surface
// through its drawable region (clip region, visible region and surface bounds), like every GDI primitive; other
// surfaces through a 32-bit copy.
#include "theme/ThemePart.h"
#include "theme/SystemStyle.h"

#include "gdi/DeviceContext.h"
#include "geometry/Rects.h"

#include <win32/windows.h>

namespace win32::theme {

namespace {

// False for a part the class does not define.
bool ResolveInClass(int part, int state, ResolvedPart& resolved) {
    if (!resolved.Theme.Style->Metrics(part, resolved.Metrics)) return false;
    resolved.Part = part;
    resolved.State = state >= 1 && state <= resolved.Metrics.states ? state : 1;
    return true;
}

}  // namespace

HRESULT ResolvePart(HTHEME theme, int part, int state, ResolvedPart& resolved) {
    if (!LookupThemeHandle(theme, resolved.Theme)) return E_HANDLE;
    return ResolveInClass(part, state, resolved) ? S_OK : E_PROP_ID_UNSUPPORTED;
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

namespace {

// A surface that cannot take the style's colours (a monochrome bitmap) gets the part through a 32-bit copy of the
// area it covers: the copy starts as the destination's pixels, and goes back with the colours GDI reduces to two.
HRESULT PaintThroughCopy(HDC hdc, const ResolvedPart& part, const RECT& rect, const RECT* clip) {
    RECT area = PartRect(part.Metrics, rect);
    if (clip) area = Intersection(area, NormalRect(*clip));
    if (EmptyRect(area)) return S_OK;
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC scratch = CreateCompatibleDC(hdc);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(scratch, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!scratch || !bitmap) {
        if (scratch) DeleteDC(scratch);
        return E_OUTOFMEMORY;
    }
    HGDIOBJ previous = SelectObject(scratch, bitmap);
    SetWindowOrgEx(scratch, area.left, area.top, nullptr);
    BitBlt(scratch, area.left, area.top, width, height, hdc, area.left, area.top, SRCCOPY);
    HRESULT result = PaintPart(scratch, part, rect, clip);
    BitBlt(hdc, area.left, area.top, width, height, scratch, area.left, area.top, SRCCOPY);
    SelectObject(scratch, previous);
    DeleteObject(bitmap);
    DeleteDC(scratch);
    return result;
}

}  // namespace

HRESULT PaintPart(HDC hdc, const ResolvedPart& part, const RECT& rect, const RECT* clip) {
    std::shared_ptr<gdi::DeviceContext> dc = gdi::LookupDC(hdc);
    if (!dc) return E_HANDLE;
    gdi::BitmapObject* surface = dc->Surface();
    if (!surface) return E_HANDLE;
    if (surface->BitsPerPixel() != 32) return PaintThroughCopy(hdc, part, rect, clip);
    RECT target = NormalRect(dc->ToSurface(PartRect(part.Metrics, rect)));
    if (EmptyRect(target)) return S_OK;
    gdi::Region drawable = dc->DrawableRegion().Intersect(target);
    if (clip) drawable = drawable.Intersect(NormalRect(dc->ToSurface(*clip)));
    if (drawable.Empty()) return S_OK;
    ThemeCanvas canvas(*surface, drawable.Rects());
    part.Theme.Style->Draw(canvas, part.Part, part.State, target);
    return S_OK;
}

void DrawSystemPart(HDC hdc, const ClassStyle& style, int part, int state, const RECT& rect) {
    ResolvedPart resolved;
    resolved.Theme.Style = &style;
    if (ResolveInClass(part, state, resolved)) PaintPart(hdc, resolved, rect, nullptr);
}

}  // namespace win32::theme
