// Pen painting: style patterns, raster operations and clipping for outlines.
#include "PenPainter.h"

#include "ScanConverter.h"

#include <win32/winbase.h>
#include <win32/winerror.h>

namespace win32::gdi {
namespace {

// Cosmetic style patterns in pixels, on first, as display drivers step them.
const std::vector<int>& StylePattern(UINT style) {
    static const std::vector<int> solid;
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dashDot{9, 6, 3, 6};
    static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
    static const std::vector<int> alternate{1, 1};
    switch (style) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    case PS_ALTERNATE: return alternate;
    default: return solid;
    }
}

// Whether pattern position index falls on a gap.
bool InGap(const std::vector<int>& pattern, int total, int64_t index) {
    int64_t position = index % total;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (position < pattern[i]) return (i & 1) != 0;
        position -= pattern[i];
    }
    return false;
}

// The value a colour takes on the surface: a 32-bit pixel, or for a monochrome surface all ones or all zeros
// after the nearer of its two palette colours.
uint32_t SurfaceValue(const BitmapObject& surface, COLORREF color) {
    if (surface.BitsPerPixel() != 1) return ColorToPixel(color);
    auto distance = [&](const RGBQUAD& q) {
        const int r = GetRValue(color) - q.rgbRed, g = GetGValue(color) - q.rgbGreen, b = GetBValue(color) - q.rgbBlue;
        return r * r + g * g + b * b;
    };
    return distance(surface.Palette(1)) <= distance(surface.Palette(0)) ? 0xFFFFFFFFu : 0u;
}

}  // namespace

bool ToSurfacePoints(const DeviceContext& dc, const POINT* points, size_t count, std::vector<POINT>& out) {
    constexpr LONG limit = 1 << 27;
    out.resize(count);
    for (size_t i = 0; i < count; ++i) {
        out[i] = dc.ToSurface(points[i]);
        if (out[i].x <= -limit || out[i].x >= limit || out[i].y <= -limit || out[i].y >= limit) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
    }
    return true;
}

void Rop2Masks(int rop2, uint32_t pen, uint32_t& andMask, uint32_t& xorMask) {
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) rop2 = R2_COPYPEN;
    // Bit (2 * p + d) of rop2 - 1 is the result for pen bit p and destination bit d.
    const unsigned table = static_cast<unsigned>(rop2 - 1);
    auto bit = [&](int index) { return ((table >> index) & 1) ? 0xFFFFFFFFu : 0u; };
    const uint32_t xorOff = bit(0), xorOn = bit(2);
    const uint32_t andOff = bit(1) ^ bit(0), andOn = bit(3) ^ bit(2);
    andMask = (pen & andOn) | (~pen & andOff);
    xorMask = (pen & xorOn) | (~pen & xorOff);
}

PenPainter::PenPainter(DeviceContext& dc)
    : FDc(dc), FSurface(dc.Surface()), FDrawable(dc.DrawableRegion()), FBox(FDrawable.Box()) {
    const DcState& state = dc.State();
    const PenObject* pen = state.Pen.get();
    const UINT style = pen ? pen->BaseStyle() : PS_SOLID;
    FNull = !pen || style == PS_NULL;
    FWidth = pen && pen->Width > 1 ? pen->Width : 1;
    FInsideFrame = style == PS_INSIDEFRAME;
    FWide = pen && (FWidth > 1 || (pen->Style & PS_TYPE_MASK) == PS_GEOMETRIC);
    FEndCap = pen ? (pen->Style & PS_ENDCAP_MASK) : PS_ENDCAP_ROUND;
    if (FWide && !FNull && style != PS_SOLID && style != PS_INSIDEFRAME) FSupported = false;
    if (FWide && (pen->Style & PS_JOIN_MASK) != PS_JOIN_ROUND) FSupported = false;
    if (!FWide) FPattern = StylePattern(style);
    FOpaqueGaps = state.BkMode == OPAQUE;
    // R2_NOP changes nothing.
    if (!FSurface || state.Rop2 == R2_NOP) {
        FNull = true;
        return;
    }
    Rop2Masks(state.Rop2, SurfaceValue(*FSurface, dc.PenColor()), FPenAnd, FPenXor);
    Rop2Masks(state.Rop2, SurfaceValue(*FSurface, state.BkColor), FGapAnd, FGapXor);
}

void PenPainter::AddPolyline(const POINT* points, size_t count, bool closed) {
    if (FNull || count == 0 || FBox.left >= FBox.right) return;
    if (FWide) {
        PixelSpans stroke = StrokePolyline(points, count, closed, FWidth, FEndCap, FBox);
        FStroke.AddAll(stroke);
        FCovered.AddAll(stroke);
        return;
    }
    int total = 0;
    for (int length : FPattern) total += length;
    int64_t styleStart = 0;
    const size_t segments = closed ? count : count - 1;
    for (size_t i = 0; i < segments; ++i) {
        const POINT a = points[i];
        const POINT b = points[(i + 1) % count];
        TraceLine(a, b, FBox, [&](int x, int y, int64_t index) {
            const bool gap = total > 0 && InGap(FPattern, total, styleStart + index);
            if (gap && !FOpaqueGaps) return;
            FPixels.push_back({x, y, gap});
            FCovered.AddPixel(x, y);
        });
        styleStart += LinePixelCount(a, b);
    }
}

bool PenPainter::Visible(int x, int y) const {
    if (x < FBox.left || x >= FBox.right || y < FBox.top || y >= FBox.bottom) return false;
    return FDrawable.Rects().size() == 1 || FDrawable.Contains(x, y);
}

void PenPainter::PaintPixel(int x, int y, uint32_t andMask, uint32_t xorMask) {
    if (FSurface->BitsPerPixel() == 1) {
        const uint32_t value = FSurface->Bit(x, y) ? 1u : 0u;
        FSurface->SetBit(x, y, (((value & andMask) ^ xorMask) & 1) != 0);
    } else {
        uint32_t& pixel = FSurface->Row32(y)[x];
        // On all 32 bits, as a raster operation on a DIB section works: the pen's colour has alpha 0, so
        // R2_COPYPEN clears the top byte, R2_XORPEN keeps it and R2_NOT inverts it.
        pixel = (pixel & andMask) ^ xorMask;
    }
}

void PenPainter::Flush() {
    if (!FSurface) return;
    for (const Pixel& p : FPixels) {
        if (!Visible(p.x, p.y)) continue;
        if (p.gap)
            PaintPixel(p.x, p.y, FGapAnd, FGapXor);
        else
            PaintPixel(p.x, p.y, FPenAnd, FPenXor);
    }
    const std::vector<RECT>& clip = FDrawable.Rects();
    for (const PixelSpan& span : FStroke.Spans()) {
        for (const RECT& r : clip) {
            if (r.top > span.y) break;
            if (r.bottom <= span.y) continue;
            const int left = std::max<int>(span.left, r.left);
            const int right = std::min<int>(span.right, r.right);
            for (int x = left; x < right; ++x) PaintPixel(x, span.y, FPenAnd, FPenXor);
        }
    }
    FPixels.clear();
    FStroke = PixelSpans();
    FCovered = PixelSpans();
}

}  // namespace win32::gdi
