// A white TskBitmap to draw a theme into and read back as 0x00BBGGRR colours, with the box around the pixels of
// one colour, for the theme's text and drawing tests.
#pragma once

#include <skin/SkinBitmap.h>
#include <toolkit/Canvas.h>
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

class ThemePaint : public ::testing::Test {
protected:
    TskBitmap FBitmap;

    void SetUp() override { Reset(160, 80); }
    void Reset(int width, int height) {
        FBitmap.SetSize(width, height);
        FBitmap.Clear(0xFFFFFFFF);
    }
    TCanvas& Canvas() { return FBitmap.Canvas(); }
    // 0x00BBGGRR, as toolkit colours are written.
    COLORREF At(int x, int y) const {
        const TskColor pixel = FBitmap.GetPixel(x, y);
        return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
    }
    int InkCount() const {
        int count = 0;
        for (int y = 0; y < FBitmap.Height(); ++y)
            for (int x = 0; x < FBitmap.Width(); ++x) count += At(x, y) != RGB(255, 255, 255);
        return count;
    }
    // The smallest box holding every pixel that is not white; empty (0, 0, 0, 0) when there is none.
    RECT InkBox() const {
        RECT box{FBitmap.Width(), FBitmap.Height(), 0, 0};
        for (int y = 0; y < FBitmap.Height(); ++y)
            for (int x = 0; x < FBitmap.Width(); ++x)
                if (At(x, y) != RGB(255, 255, 255)) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box.right == 0 ? RECT{0, 0, 0, 0} : box;
    }
};

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
