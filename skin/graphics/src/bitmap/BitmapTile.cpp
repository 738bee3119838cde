// TskBitmap tiling: tiles laid column by column from the destination's top-left corner, drawn straight into a
// TskBitmap or a bottom-up 32-bit DIB section when the DC holds one, else through the DC.
#include <skin/PixelOps.h>
#include <skin/SkinBitmap.h>
#include <toolkit/Canvas.h>

#include <algorithm>
#include <functional>

namespace {

// Columns outside, rows inside; a column ends at its first tile that leaves dstRect. A partial tile takes the
// top-left part of srcRect.
void ForEachTile(const RECT& dstRect, const RECT& srcRect, const std::function<void(const RECT&, const RECT&)>& draw) {
    const int sw = srcRect.right - srcRect.left, sh = srcRect.bottom - srcRect.top;
    if (sw <= 0 || sh <= 0) return;
    for (long long x = dstRect.left; x < dstRect.right; x += sw) {
        for (long long y = dstRect.top;; y += sh) {
            if (y >= dstRect.bottom) break;
            const RECT whole{static_cast<LONG>(x), static_cast<LONG>(y),
                             static_cast<LONG>(std::min<long long>(x + sw, dstRect.right)),
                             static_cast<LONG>(std::min<long long>(y + sh, dstRect.bottom))};
            RECT tile;
            if (!IntersectRect(&tile, &whole, &dstRect)) break;
            draw(tile, RECT{srcRect.left, srcRect.top, srcRect.left + (tile.right - tile.left),
                            srcRect.top + (tile.bottom - tile.top)});
        }
    }
}

// The 32-bit bottom-up DIB section selected into dc, if that is what it holds.
bool BottomUpDib(HDC dc, DIBSECTION& section) {
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    if (!bitmap) return false;
    section = DIBSECTION{};
    if (GetObjectA(bitmap, sizeof section, &section) != static_cast<int>(sizeof section)) return false;
    return section.dsBm.bmBits && section.dsBm.bmBitsPixel == 32 && section.dsBmih.biHeight > 0;
}

}  // namespace

void TskBitmap::Tile(HDC dc, const RECT& dstRect, const RECT& srcRect) const {
    TileWith(dc, dstRect, srcRect, nullptr);
}

void TskBitmap::Tile(TCanvas& canvas, const RECT& dstRect, const RECT& srcRect) const {
    if (!Empty()) Tile(canvas.Handle(), dstRect, srcRect);
}

void TskBitmap::TileClip(HDC dc, const RECT& dstRect, const RECT& srcRect, const RECT& clipRect) const {
    TileWith(dc, dstRect, srcRect, &clipRect);
}

void TskBitmap::TileClip(TCanvas& canvas, const RECT& dstRect, const RECT& srcRect, const RECT& clipRect) const {
    if (!Empty()) TileClip(canvas.Handle(), dstRect, srcRect, clipRect);
}

// clipRect set: TileClip, every tile through the DC, tiles off clipRect skipped (when clipRect is not empty).
void TskBitmap::TileWith(HDC dc, const RECT& dstRect, const RECT& srcRect, const RECT* clipRect) const {
    if (Empty() || srcRect.left < 0 || srcRect.top < 0 || srcRect.right > FWidth || srcRect.bottom > FHeight) return;
    if (clipRect) {
        const bool all = IsRectEmpty(clipRect);
        ForEachTile(dstRect, srcRect, [&](const RECT& tile, const RECT& tileSrc) {
            RECT common;
            if (all || IntersectRect(&common, &tile, clipRect)) Draw(dc, tile, tileSrc);
        });
        return;
    }
    POINT origin{0, 0};
    if (TskBitmap* target = GetBitmapByDC(dc)) {
        GetWindowOrgEx(dc, &origin);
        ForEachTile(dstRect, srcRect, [&](const RECT& tile, const RECT& tileSrc) {
            DrawTo(*target,
                   RECT{tile.left - origin.x, tile.top - origin.y, tile.right - origin.x, tile.bottom - origin.y},
                   tileSrc);
        });
        return;
    }
    DIBSECTION section;
    if (!BottomUpDib(dc, section)) {
        ForEachTile(dstRect, srcRect, [&](const RECT& tile, const RECT& tileSrc) { Draw(dc, tile, tileSrc); });
        return;
    }
    GetWindowOrgEx(dc, &origin);
    const int dibWidth = section.dsBm.bmWidth, dibHeight = section.dsBm.bmHeight;
    auto* dibBits = static_cast<TskColor*>(section.dsBm.bmBits);
    const TDrawMode mode = DrawMode();
    ForEachTile(dstRect, srcRect, [&](const RECT& tile, const RECT& tileSrc) {
        RECT device{tile.left - origin.x, tile.top - origin.y, tile.right - origin.x, tile.bottom - origin.y};
        const RECT dib{0, 0, dibWidth, dibHeight};
        RECT clip;
        if (!IntersectRect(&clip, &device, &dib)) return;
        const int n = clip.right - clip.left;
        const int sx = tileSrc.left + clip.left - device.left;
        for (int y = clip.top; y < clip.bottom; ++y) {
            const TskColor* in = PixelPtr(sx, tileSrc.top + y - device.top);
            // Bottom-up: device row y lies dibHeight - 1 - y rows into the memory.
            TskColor* out = dibBits + static_cast<ptrdiff_t>(dibHeight - 1 - y) * dibWidth + clip.left;
            switch (mode) {
            case TDrawMode::Opaque: CopyLine(in, out, n); break;
            case TDrawMode::Key: CopyKeyLine(in, out, n); break;
            case TDrawMode::Alpha: BlendLine(in, out, n); break;
            }
        }
    });
}
