// Recoloured system glyphs and translucent silhouettes, both through a temporary TskBitmap.
#include <skin/GlyphUtils.h>

#include <skin/PixelOps.h>
#include <skin/RectUtils.h>

#include <win32/windows.h>

void DrawGlyph(TCanvas& canvas, const RECT& rect, UINT frameControlType, TColor color, UINT frameControlState) {
    if (IsRectEmptyEx(rect)) return;
    TskBitmap glyph;
    glyph.SetSize(RectWidth(rect), RectHeight(rect));
    RECT area{0, 0, glyph.Width(), glyph.Height()};
    // Refused arguments leave every pixel 0, which would otherwise read as one solid glyph.
    if (!DrawFrameControl(glyph.DC(), &area, frameControlType, frameControlState)) return;
    // GDI leaves alpha 0, so the glyph's black is exactly 0 and the face anything else.
    const TskColor ink = ColorToPixel(color, 255);
    TskColor* pixel = glyph.Bits();
    for (TskColor* end = pixel + glyph.Width() * glyph.Height(); pixel != end; ++pixel)
        *pixel = *pixel == 0 ? ink : TransparentKey;
    glyph.SetTransparent(true);
    glyph.Draw(canvas, rect.left, rect.top);
}

void DrawSilhouette(TCanvas& canvas, int x, int y, TColor color, const TskBitmap& bitmap) {
    if (bitmap.Empty()) return;
    TskBitmap shape;
    shape.Assign(&bitmap);
    if (shape.Empty()) return;
    shape.SetAlphaBlend(true);
    shape.CheckingTransparent(TransparentKey);
    const TskColor ink = ColorToPixel(color, 100);
    TskColor* pixel = shape.Bits();
    for (TskColor* end = pixel + shape.Width() * shape.Height(); pixel != end; ++pixel)
        if (*pixel >> 24) *pixel = ink;
    shape.Draw(canvas, x, y);
}
