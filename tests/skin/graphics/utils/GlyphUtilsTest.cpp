// Recoloured system glyphs and silhouettes: only the glyph's or the picture's pixels change, in the given colour.
#include "PaintFixture.h"

#include <skin/CanvasUtils.h>
#include <skin/GlyphUtils.h>
#include <skin/PixelOps.h>

#include <win32/windows.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

using GlyphUtils = PaintFixture;

// What DrawFrameControl itself draws, as a mask of the glyph's black pixels.
std::vector<bool> SystemGlyph(UINT type, UINT state, int width, int height) {
    TskBitmap reference;
    reference.SetSize(width, height);
    RECT rect{0, 0, width, height};
    EXPECT_TRUE(DrawFrameControl(reference.DC(), &rect, type, state));
    std::vector<bool> mask;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) mask.push_back(reference.GetPixel(x, y) == 0);
    return mask;
}

TEST_F(GlyphUtils, DrawGlyphPaintsOnlyTheGlyphInTheColour) {
    struct Case {
        UINT Type, State;
    } cases[] = {{DFC_CAPTION, DFCS_CAPTIONCLOSE},
                 {DFC_MENU, DFCS_MENUARROW},
                 {DFC_CAPTION, DFCS_CAPTIONMIN},
                 {DFC_CAPTION, DFCS_CAPTIONMAX | DFCS_PUSHED}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Type << "/" << c.State);
        Reset(40, 30, clWhite);
        const RECT rect{5, 4, 21, 18};
        DrawGlyph(FCanvas, rect, c.Type, clRed, c.State);
        std::vector<bool> mask = SystemGlyph(c.Type, c.State, 16, 14);
        int glyphPixels = 0;
        int wrong = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                bool ink = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom &&
                           mask[(y - rect.top) * 16 + (x - rect.left)];
                glyphPixels += ink;
                wrong += At(x, y) != (ink ? kRed : kWhite);
            }
        EXPECT_GT(glyphPixels, 4);
        EXPECT_EQ(wrong, 0) << Picture(RECT{0, 0, 26, 22}, kRed);
    }
}

TEST_F(GlyphUtils, DrawGlyphResolvesSystemColours) {
    DrawGlyph(FCanvas, RECT{0, 0, 16, 14}, DFC_CAPTION, clHighlight, DFCS_CAPTIONCLOSE);
    EXPECT_GT(CountAll(GetSysColor(COLOR_HIGHLIGHT)), 4);
    EXPECT_EQ(CountAll(GetSysColor(COLOR_HIGHLIGHT)) + CountAll(kWhite), 40 * 30);
}

TEST_F(GlyphUtils, RefusedGlyphsAndEmptyRectsDrawNothing) {
    DrawGlyph(FCanvas, RECT{0, 0, 16, 14}, 99, clRed, 0);
    DrawGlyph(FCanvas, RECT{0, 0, 0, 14}, DFC_CAPTION, clRed, DFCS_CAPTIONCLOSE);
    DrawGlyph(FCanvas, RECT{0, 0, 16, -2}, DFC_CAPTION, clRed, DFCS_CAPTIONCLOSE);
    EXPECT_EQ(CountAll(kWhite), 40 * 30);
}

TEST_F(GlyphUtils, DrawSilhouetteBlendsTheShapeAtAlpha100) {
    // A 4 × 3 picture: opaque and half-transparent pixels, a hole of alpha 0, the key and a near-key pixel.
    TskBitmap picture;
    picture.SetSize(4, 3);
    picture.Clear(0xFF00FF00);
    picture.SetPixel(1, 0, 0x80123456);
    picture.SetPixel(2, 0, 0x00FFFFFF);
    picture.SetPixel(3, 0, 0xFF7F007F);
    picture.SetPixel(0, 1, 0xFF82007B);  // within 5 of the key in every channel
    const TskColor before = picture.GetPixel(1, 0);

    FillRectColor(FCanvas, RECT{0, 0, 40, 30}, clWhite);
    DrawSilhouette(FCanvas, 10, 20, clBlack, picture);
    // Black at 100 / 255 over white, by the bitmap unit's blend.
    const COLORREF shade = PixelToColor(PixelRoutines.BlendPixel(ColorToPixel(clBlack, 100), 0xFFFFFFFF));
    EXPECT_NE(shade, kWhite);
    const bool ink[3][4] = {{true, true, false, false}, {false, true, true, true}, {true, true, true, true}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(At(10 + x, 20 + y), ink[y][x] ? shade : kWhite) << x << "," << y;
    EXPECT_EQ(Count(kWhite, RECT{0, 0, 40, 30}), 40 * 30 - 9);
    // The caller's picture is untouched.
    EXPECT_EQ(picture.GetPixel(1, 0), before);
    EXPECT_EQ(picture.GetPixel(3, 0), 0xFF7F007Fu);
}

TEST_F(GlyphUtils, DrawSilhouetteOfAnEmptyBitmapDrawsNothing) {
    TskBitmap empty;
    DrawSilhouette(FCanvas, 0, 0, clBlack, empty);
    EXPECT_EQ(CountAll(kWhite), 40 * 30);
}

}  // namespace
