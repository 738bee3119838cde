// A small white toolkit bitmap to paint into and read back, for the canvas, fill and text helper tests.
#pragma once

#include <toolkit/Bitmap.h>
#include <toolkit/Canvas.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

class PaintFixture : public ::testing::Test {
protected:
    TBitmap FBitmap;
    TCanvas& FCanvas = FBitmap.Canvas();

    void SetUp() override { Reset(40, 30, clWhite); }
    void Reset(int width, int height, TColor color) {
        FBitmap.SetSize(width, height);
        FCanvas.Brush().SetStyle(bsSolid);
        FCanvas.Brush().SetColor(color);
        FCanvas.FillRect(RECT{0, 0, width, height});
    }
    // 0x00BBGGRR.
    COLORREF At(int x, int y) const { return FBitmap.PixelColor(x, y) & 0xFFFFFF; }
    int Count(COLORREF color, const RECT& area) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) n += At(x, y) == color;
        return n;
    }
    int CountAll(COLORREF color) const { return Count(color, RECT{0, 0, FBitmap.Width(), FBitmap.Height()}); }
    // The picture as text, one character per pixel from legend (colour → character, '?' for others); for
    // readable failure messages on small pictures.
    std::string Picture(const RECT& area, COLORREF ink, char inkChar = '#') const {
        std::string text;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) text += At(x, y) == ink ? inkChar : '.';
            text += '\n';
        }
        return text;
    }
};
