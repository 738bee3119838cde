// TskBitmap drawing onto device contexts and into other bitmaps: the three modes, the direct path between
// bitmaps, the temporary-bitmap path for blending onto any DC, and nearest-neighbour stretching.
#include "BitmapUnit.h"

#include <skin/PixelOps.h>
#include <skin/RectUtils.h>
#include <skin/SkinBitmap.h>
#include <toolkit/Canvas.h>

#include <algorithm>
#include <vector>

namespace {

// Source index m of a stretched run: the middle one for a single destination, otherwise m * ratio truncated,
// the ratio rounded to single precision first (so 8 to 11 maps the last column to 6, not 7).
std::vector<int> StretchMap(int first, int count, int dstStart, int dstSize, int srcStart, int srcEnd) {
    std::vector<int> map(static_cast<size_t>(count));
    int srcSize = srcEnd - srcStart;
    float ratio = dstSize < 2 ? 0.0f : static_cast<float>(srcSize - 1) / static_cast<float>(dstSize - 1);
    for (int i = 0; i < count; ++i) {
        if (dstSize < 2) {
            map[i] = (srcStart + srcEnd - 1) / 2;
        } else {
            int m = first + i - dstStart;
            map[i] = static_cast<int>(static_cast<double>(m) * static_cast<double>(ratio) + srcStart);
        }
    }
    return map;
}

}  // namespace

TskBitmap::TDrawMode TskBitmap::DrawMode() const {
    if (FAlphaBlend) return TDrawMode::Alpha;
    return FTransparent ? TDrawMode::Key : TDrawMode::Opaque;
}

void TskBitmap::Draw(HDC dc, int x, int y) const {
    if (!Empty()) Draw(dc, RECT{x, y, x + FWidth, y + FHeight}, RECT{0, 0, FWidth, FHeight});
}

void TskBitmap::DrawRect(HDC dc, int x, int y, const RECT& srcRect) const {
    Draw(dc, RECT{x, y, x + RectWidth(srcRect), y + RectHeight(srcRect)}, srcRect);
}

void TskBitmap::Draw(TCanvas& canvas, int x, int y) const {
    if (!Empty()) Draw(canvas.Handle(), x, y);
}

void TskBitmap::DrawRect(TCanvas& canvas, int x, int y, const RECT& srcRect) const {
    if (!Empty()) DrawRect(canvas.Handle(), x, y, srcRect);
}

void TskBitmap::Draw(TCanvas& canvas, const RECT& dstRect) const {
    if (!Empty()) Draw(canvas.Handle(), dstRect, RECT{0, 0, FWidth, FHeight});
}

void TskBitmap::Draw(TCanvas& canvas, const RECT& dstRect, const RECT& srcRect) const {
    if (!Empty()) Draw(canvas.Handle(), dstRect, srcRect);
}

void TskBitmap::Draw(HDC dc, const RECT& dstRect, const RECT& srcRect) const {
    if (Empty() || RectWidth(dstRect) <= 0 || RectHeight(dstRect) <= 0) return;
    if (TskBitmap* target = GetBitmapByDC(dc)) {
        POINT origin{0, 0};
        GetWindowOrgEx(dc, &origin);
        RECT moved{dstRect.left - origin.x, dstRect.top - origin.y, dstRect.right - origin.x,
                   dstRect.bottom - origin.y};
        DrawTo(*target, moved, srcRect);
        return;
    }
    if (RectWidth(srcRect) <= 0 || RectHeight(srcRect) <= 0 || srcRect.left < 0 || srcRect.top < 0 ||
        srcRect.right > FWidth || srcRect.bottom > FHeight)
        return;
    switch (DrawMode()) {
    case TDrawMode::Alpha: DrawThroughTemporary(dc, dstRect, srcRect); break;
    case TDrawMode::Key:
        if (!bitmapunit::KeyBlt(dc, dstRect, FDC, srcRect)) DrawThroughTemporary(dc, dstRect, srcRect);
        break;
    case TDrawMode::Opaque:
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, dstRect.left, dstRect.top, RectWidth(dstRect), RectHeight(dstRect), FDC, srcRect.left,
                   srcRect.top, RectWidth(srcRect), RectHeight(srcRect), SRCCOPY);
        break;
    }
}

// The destination area comes up into a bitmap, the picture goes onto it there, and the result goes back.
void TskBitmap::DrawThroughTemporary(HDC dc, const RECT& dstRect, const RECT& srcRect) const {
    int w = RectWidth(dstRect), h = RectHeight(dstRect);
    TskBitmap temporary;
    temporary.SetSize(w, h);
    BitBlt(temporary.DC(), 0, 0, w, h, dc, dstRect.left, dstRect.top, SRCCOPY);
    DrawTo(temporary, RECT{0, 0, w, h}, srcRect);
    BitBlt(dc, dstRect.left, dstRect.top, w, h, temporary.DC(), 0, 0, SRCCOPY);
}

void TskBitmap::DrawTo(TskBitmap& target, int x, int y) const {
    if (!Empty()) DrawTo(target, RECT{x, y, x + FWidth, y + FHeight}, RECT{0, 0, FWidth, FHeight});
}

void TskBitmap::DrawRectTo(TskBitmap& target, int x, int y, const RECT& srcRect) const {
    DrawTo(target, RECT{x, y, x + RectWidth(srcRect), y + RectHeight(srcRect)}, srcRect);
}

void TskBitmap::DrawTo(TskBitmap& target, const RECT& dstRect, const RECT& srcRect) const {
    const int sw = RectWidth(srcRect), sh = RectHeight(srcRect);
    if (sw <= 0 || sh <= 0 || Empty() || target.Empty()) return;
    RECT clip{std::max<LONG>(dstRect.left, 0), std::max<LONG>(dstRect.top, 0),
              std::min<LONG>(dstRect.right, target.FWidth), std::min<LONG>(dstRect.bottom, target.FHeight)};
    if (clip.left >= clip.right || clip.top >= clip.bottom) return;
    if (srcRect.left < 0 || srcRect.top < 0 || srcRect.right > FWidth || srcRect.bottom > FHeight) return;

    const TDrawMode mode = DrawMode();
    const TskPixelRoutines& routines = PixelRoutines;
    auto apply = [mode, &routines](const TskColor* src, TskColor* dst, int n) {
        switch (mode) {
        case TDrawMode::Opaque: routines.CopyLine(src, dst, n); break;
        case TDrawMode::Key: routines.CopyKeyLine(src, dst, n); break;
        case TDrawMode::Alpha: routines.BlendLine(src, dst, n); break;
        }
    };
    const int n = clip.right - clip.left;
    const int dw = RectWidth(dstRect), dh = RectHeight(dstRect);
    if (dw == sw && dh == sh) {
        const int sx = srcRect.left + clip.left - dstRect.left;
        const int sy = srcRect.top + clip.top - dstRect.top;
        // Whole rows of two bitmaps of one width lie back to back: one run instead of a call per row. The line
        // routines work pixel by pixel, so the result is the same (a bitmap onto itself keeps the row order).
        if (n == FWidth && n == target.FWidth && &target != this) {
            apply(PixelPtr(0, sy), target.PixelPtr(0, clip.top), n * (clip.bottom - clip.top));
            return;
        }
        for (int y = clip.top; y < clip.bottom; ++y)
            apply(PixelPtr(sx, sy + y - clip.top), target.PixelPtr(clip.left, y), n);
        return;
    }

    const std::vector<int> columns = StretchMap(clip.left, n, dstRect.left, dw, srcRect.left, srcRect.right);
    const std::vector<int> rows =
        StretchMap(clip.top, clip.bottom - clip.top, dstRect.top, dh, srcRect.top, srcRect.bottom);
    int previousRow = -1;
    if (mode == TDrawMode::Opaque) {
        // A destination row that repeats the source row of the one above copies that finished row.
        const TskColor* previous = nullptr;
        for (int y = clip.top; y < clip.bottom; ++y) {
            int sourceRow = rows[static_cast<size_t>(y - clip.top)];
            TskColor* out = target.PixelPtr(clip.left, y);
            if (sourceRow == previousRow) {
                routines.CopyLine(previous, out, n);
            } else {
                const TskColor* in = ScanLine(sourceRow);
                for (int i = 0; i < n; ++i) out[i] = in[columns[static_cast<size_t>(i)]];
            }
            previousRow = sourceRow;
            previous = out;
        }
        return;
    }
    std::vector<TskColor> gathered(static_cast<size_t>(n));
    for (int y = clip.top; y < clip.bottom; ++y) {
        int sourceRow = rows[static_cast<size_t>(y - clip.top)];
        if (sourceRow != previousRow) {
            const TskColor* in = ScanLine(sourceRow);
            for (int i = 0; i < n; ++i) gathered[static_cast<size_t>(i)] = in[columns[static_cast<size_t>(i)]];
            previousRow = sourceRow;
        }
        apply(gathered.data(), target.PixelPtr(clip.left, y), n);
    }
}
