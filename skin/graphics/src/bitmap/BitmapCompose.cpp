// TskBitmap pixel work in place: filling (blended when the bitmap blends), putting a picture underneath, and
// brightness and hue shifts.
#include <skin/PixelOps.h>
#include <skin/SkinBitmap.h>

#include <algorithm>
#include <vector>

void TskBitmap::FillRect(const RECT& rect, TskColor pixel) {
    if (Empty()) return;
    RECT clip{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0), std::min<LONG>(rect.right, FWidth),
              std::min<LONG>(rect.bottom, FHeight)};
    if (clip.left >= clip.right || clip.top >= clip.bottom) return;
    const int n = clip.right - clip.left;
    if (!FAlphaBlend) {
        FillPixelRect(FBits, FWidth, pixel, {clip.left, clip.top, clip.right - 1, clip.bottom - 1});
        return;
    }
    std::vector<TskColor> row(static_cast<size_t>(n), pixel);
    for (int y = clip.top; y < clip.bottom; ++y) BlendLine(row.data(), PixelPtr(clip.left, y), n);
}

void TskBitmap::MergeUnder(const TskBitmap& source, int x, int y, const RECT& srcRect) {
    if (Empty() || source.Empty()) return;
    // The clipped rectangle also gives the placement: its top-left pixel lands at (x, y).
    RECT from{std::max<LONG>(srcRect.left, 0), std::max<LONG>(srcRect.top, 0),
              std::min<LONG>(srcRect.right, source.FWidth), std::min<LONG>(srcRect.bottom, source.FHeight)};
    for (int sy = from.top; sy < from.bottom; ++sy) {
        const int dy = y + sy - from.top;
        if (dy < 0 || dy >= FHeight) continue;
        for (int sx = from.left; sx < from.right; ++sx) {
            const int dx = x + sx - from.left;
            if (dx < 0 || dx >= FWidth) continue;
            TskColor& d = *PixelPtr(dx, dy);
            const TskColor s = *source.PixelPtr(sx, sy);
            switch (d >> 24) {
            case 0: d = s; break;
            case 255: break;
            // The existing pixel goes over the source with its own alpha.
            default: d = BlendPixel(d, s);
            }
        }
    }
}

namespace {

// Flat areas repeat one colour, so the last conversion is kept.
template <class Convert>
void ShiftVisiblePixels(TskColor* bits, int count, Convert convert) {
    TskColor lastIn = 0, lastOut = convert(0) & 0x00FFFFFF;
    for (TskColor* p = bits; p != bits + count; ++p) {
        const TskColor alpha = *p & 0xFF000000;
        if (!alpha) continue;
        const TskColor rgb = *p & 0x00FFFFFF;
        if (rgb != lastIn) {
            lastIn = rgb;
            lastOut = convert(rgb) & 0x00FFFFFF;
        }
        *p = alpha | lastOut;
    }
}

}  // namespace

void TskBitmap::ChangeBrightness(int delta) {
    if (Empty() || delta == 0) return;
    ShiftVisiblePixels(FBits, FWidth * FHeight, [delta](TskColor rgb) { return ChangePixelBrightness(rgb, delta); });
}

void TskBitmap::ChangeHue(int delta) {
    if (Empty() || delta == 0) return;
    ShiftVisiblePixels(FBits, FWidth * FHeight, [delta](TskColor rgb) { return ChangePixelHue(rgb, delta); });
}
