// Text output: the run is drawn into a coverage canvas in its own (unrotated) frame, then every pixel of the
// target inside the clip is mapped back into that frame, which makes 90-degree escapements exact.
#include "TextRun.h"

#include "../DeviceContext.h"
#include "FontObject.h"
#include "geometry/Rects.h"

#include <algorithm>
#include <cmath>

namespace win32::gdi {

namespace {

// Where the run's frame lies on the surface: a point (u, v) of the frame, u along the baseline and v down
// from the top of the cell, is the surface point origin + u * along + v * down.
class Placement {
public:
    Placement(POINT origin, LONG escapement) : FOrigin(origin) {
        long tenths = ((escapement % 3600) + 3600) % 3600;
        FQuadrant = tenths % 900 == 0 ? static_cast<int>(tenths / 900) : -1;
        double radians = tenths * M_PI / 1800.0;
        FCos = std::cos(radians);
        FSin = std::sin(radians);
    }
    // The frame point a surface pixel's centre falls in.
    void Locate(int x, int y, int& u, int& v) const {
        int dx = x - FOrigin.x, dy = y - FOrigin.y;
        switch (FQuadrant) {
        case 0:
            u = dx;
            v = dy;
            return;
        case 1:
            u = -dy - 1;
            v = dx;
            return;
        case 2:
            u = -dx - 1;
            v = -dy - 1;
            return;
        case 3:
            u = dy;
            v = -dx - 1;
            return;
        default: {
            double px = dx + 0.5, py = dy + 0.5;
            u = static_cast<int>(std::floor(px * FCos - py * FSin));
            v = static_cast<int>(std::floor(px * FSin + py * FCos));
        }
        }
    }
    // The surface box covering the frame rectangle [left, right) x [top, bottom).
    RECT Cover(int left, int top, int right, int bottom) const {
        double xs[4], ys[4];
        int k = 0;
        for (int u : {left, right})
            for (int v : {top, bottom}) {
                xs[k] = FOrigin.x + u * FCos + v * FSin;
                ys[k++] = FOrigin.y - u * FSin + v * FCos;
            }
        return RECT{static_cast<LONG>(std::floor(*std::min_element(xs, xs + 4) + 1e-9)),
                    static_cast<LONG>(std::floor(*std::min_element(ys, ys + 4) + 1e-9)),
                    static_cast<LONG>(std::ceil(*std::max_element(xs, xs + 4) - 1e-9)),
                    static_cast<LONG>(std::ceil(*std::max_element(ys, ys + 4) - 1e-9))};
    }
    POINT Along(int distance) const {
        return POINT{static_cast<LONG>(std::lround(distance * FCos)), static_cast<LONG>(std::lround(-distance * FSin))};
    }

private:
    POINT FOrigin;
    int FQuadrant;
    double FCos;
    double FSin;
};

// Coverage of the run in its own frame, offset so that frame point (Left, Top) is element 0.
struct Canvas {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::vector<uint8_t> Coverage;
    uint8_t At(int u, int v) const {
        u -= Left;
        v -= Top;
        if (u < 0 || v < 0 || u >= Width || v >= Height) return 0;
        return Coverage[static_cast<size_t>(v) * Width + u];
    }
    void Bar(int top, int height, int width) {
        for (int v = top; v < top + height; ++v)
            for (int u = 0; u < width; ++u)
                if (u - Left >= 0 && u - Left < Width && v - Top >= 0 && v - Top < Height)
                    Coverage[static_cast<size_t>(v - Top) * Width + (u - Left)] = 255;
    }
};

void Blend(BitmapObject& surface, int x, int y, COLORREF color, uint8_t coverage) {
    if (surface.BitsPerPixel() != 32) {
        if (coverage >= 128) surface.SetColor(x, y, color);
        return;
    }
    uint32_t& pixel = surface.Row32(y)[x];
    if (coverage == 255) {
        pixel = ColorToPixel(color);
        return;
    }
    uint32_t source = ColorToPixel(color), result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t s = (source >> shift) & 0xFF, d = (pixel >> shift) & 0xFF;
        result |= ((s * coverage + d * (255 - coverage) + 127) / 255) << shift;
    }
    pixel = result;
}

// Paints every pixel of box inside clip with the coverage the frame gives it.
template <class CoverageAt>
void PaintMapped(DeviceContext& dc, const Region& clip, const RECT& box, const Placement& placement, COLORREF color,
                 CoverageAt coverageAt) {
    BitmapObject* surface = dc.Surface();
    if (!surface) return;
    for (const RECT& r : clip.Rects()) {
        int left = std::max(r.left, box.left), right = std::min(r.right, box.right);
        int top = std::max(r.top, box.top), bottom = std::min(r.bottom, box.bottom);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                int u, v;
                placement.Locate(x, y, u, v);
                uint8_t coverage = coverageAt(u, v);
                if (coverage) Blend(*surface, x, y, color, coverage);
            }
    }
}

}  // namespace

TextRun::TextRun(FontInstance& font, const char16_t* text, int count, const INT* dx, int charExtra, bool glyphIndices)
    : FFont(font) {
    FGlyphs.reserve(count);
    FAdvances.reserve(count);
    for (int i = 0; i < count; ++i) {
        GlyphRef glyph = glyphIndices ? font.IndexGlyph(text[i]) : font.CharGlyph(text[i]);
        FAdvances.push_back((dx ? dx[i] : glyph->Advance) + charExtra);
        FGlyphs.push_back(std::move(glyph));
        FWidth += FAdvances.back();
    }
}

void TextRun::Paint(DeviceContext& dc, const FontObject& font, int x, int y, UINT options, const RECT* rect) const {
    const TEXTMETRICW& tm = FFont.Metrics();
    const LOGFONTW& logFont = font.LogFont();
    DcState& state = dc.State();
    UINT align = state.TextAlign;
    POINT reference = (align & TA_UPDATECP) ? state.CurrentPos : POINT{x, y};

    int alongShift = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        alongShift = FWidth / 2;
    else if (align & TA_RIGHT)
        alongShift = FWidth;
    int downShift = 0;
    if ((align & TA_BASELINE) == TA_BASELINE)
        downShift = tm.tmAscent;
    else if (align & TA_BOTTOM)
        downShift = tm.tmHeight;

    Placement placement(dc.ToSurface(reference), logFont.lfEscapement);
    if (align & TA_UPDATECP) {
        // Left-aligned output moves the position past the text, right-aligned output to its start; centred
        // output leaves it where it was.
        int move = (align & TA_CENTER) == TA_CENTER ? 0 : (align & TA_RIGHT) ? -FWidth : FWidth;
        POINT step = placement.Along(move);
        state.CurrentPos = POINT{reference.x + step.x, reference.y + step.y};
    }

    const Region& drawable = dc.DrawableRegion();
    RECT surfaceRect{};
    if (rect) surfaceRect = NormalRect(dc.ToSurface(*rect));
    if ((options & ETO_OPAQUE) && rect) {
        Placement flat(POINT{0, 0}, 0);
        PaintMapped(dc, drawable, surfaceRect, flat, state.BkColor, [](int, int) -> uint8_t { return 255; });
    }
    Region clip = (options & ETO_CLIPPED) && rect ? drawable.Intersect(surfaceRect) : drawable;
    if (clip.Empty()) return;

    if (state.BkMode == OPAQUE && FWidth > 0) {
        int width = FWidth, height = tm.tmHeight;
        RECT box = placement.Cover(-alongShift, -downShift, width - alongShift, height - downShift);
        PaintMapped(dc, clip, box, placement, state.BkColor, [&](int u, int v) -> uint8_t {
            u += alongShift;
            v += downShift;
            return u >= 0 && u < width && v >= 0 && v < height ? 255 : 0;
        });
    }

    // The canvas covers the cell and every glyph image, which may reach outside it.
    int left = std::min(0, FWidth), right = std::max(0, FWidth), top = 0, bottom = tm.tmHeight;
    int pen = 0;
    for (size_t i = 0; i < FGlyphs.size(); ++i) {
        const Glyph& glyph = *FGlyphs[i];
        if (glyph.Width > 0) {
            left = std::min(left, pen + glyph.Left);
            right = std::max(right, pen + glyph.Left + glyph.Width);
            top = std::min<int>(top, tm.tmAscent - glyph.Top);
            bottom = std::max<int>(bottom, tm.tmAscent - glyph.Top + glyph.Height);
        }
        pen += FAdvances[i];
    }
    Canvas canvas;
    canvas.Left = left;
    canvas.Top = top;
    canvas.Width = right - left;
    canvas.Height = bottom - top;
    canvas.Coverage.assign(static_cast<size_t>(canvas.Width) * canvas.Height, 0);
    pen = 0;
    for (size_t i = 0; i < FGlyphs.size(); ++i) {
        const Glyph& glyph = *FGlyphs[i];
        int originU = pen + glyph.Left - left, originV = tm.tmAscent - glyph.Top - top;
        for (int gy = 0; gy < glyph.Height; ++gy) {
            uint8_t* row = &canvas.Coverage[static_cast<size_t>(originV + gy) * canvas.Width + originU];
            const uint8_t* source = &glyph.Coverage[static_cast<size_t>(gy) * glyph.Width];
            for (int gx = 0; gx < glyph.Width; ++gx) row[gx] = std::max(row[gx], source[gx]);
        }
        pen += FAdvances[i];
    }
    if (logFont.lfUnderline) canvas.Bar(FFont.UnderlineTop(), FFont.UnderlineHeight(), FWidth);
    if (logFont.lfStrikeOut) canvas.Bar(FFont.StrikeOutTop(), FFont.StrikeOutHeight(), FWidth);

    RECT box = placement.Cover(left - alongShift, top - downShift, right - alongShift, bottom - downShift);
    PaintMapped(dc, clip, box, placement, state.TextColor,
                [&](int u, int v) -> uint8_t { return canvas.At(u + alongShift, v + downShift); });
}

}  // namespace win32::gdi
