// A small 32-bit top-down DIB section in a memory DC for text tests, with helpers to make fonts and read ink back.
#pragma once

#include <win32/windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

class TextFixture : public ::testing::Test {
protected:
    static constexpr uint32_t White = 0x00FFFFFF;

    void SetUp() override { Reset(200, 60); }
    void TearDown() override { Release(); }

    // A fresh white surface of the given size; the selected font and DC attributes start over.
    void Reset(int width, int height) {
        Release();
        FWidth = width;
        FHeight = height;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
        ASSERT_NE(FBitmap, nullptr);
        FDc = CreateCompatibleDC(nullptr);
        ASSERT_NE(FDc, nullptr);
        FOldBitmap = SelectObject(FDc, FBitmap);
        Clear();
    }
    void Clear(uint32_t pixel = White) { std::fill(FBits, FBits + FWidth * FHeight, pixel); }

    // Makes a font and selects it; the fixture deletes it.
    HFONT Use(int height, const char16_t* face, int weight = FW_NORMAL, int escapement = 0, BYTE underline = 0,
              BYTE strikeOut = 0, BYTE italic = 0) {
        HFONT font = CreateFontW(height, 0, escapement, escapement, weight, italic, underline, strikeOut,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH, face);
        EXPECT_NE(font, nullptr);
        HGDIOBJ old = SelectObject(FDc, font);
        if (FOriginalFont == nullptr) FOriginalFont = old;
        if (FFont) DeleteObject(FFont);
        FFont = font;
        return font;
    }

    uint32_t Pixel(int x, int y) const { return FBits[y * FWidth + x]; }
    // The bounding box of every pixel that is not `background`; empty (all zero) when there is none.
    RECT InkBox(uint32_t background = White) const {
        RECT box{FWidth, FHeight, 0, 0};
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x)
                if (Pixel(x, y) != background) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box.right == 0 ? RECT{0, 0, 0, 0} : box;
    }
    int Count(uint32_t pixel) const { return static_cast<int>(std::count(FBits, FBits + FWidth * FHeight, pixel)); }
    // Rows of the picture as text ('#' for ink), for messages and direct comparisons.
    std::string Picture(int left, int top, int right, int bottom) const {
        std::string text;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) text += Pixel(x, y) == White ? '.' : '#';
            text += '\n';
        }
        return text;
    }

    HDC Dc() const { return FDc; }
    const uint32_t* Bits() const { return FBits; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

private:
    void Release() {
        if (FDc) {
            if (FOriginalFont) SelectObject(FDc, FOriginalFont);
            SelectObject(FDc, FOldBitmap);
            DeleteDC(FDc);
        }
        if (FFont) DeleteObject(FFont);
        if (FBitmap) DeleteObject(FBitmap);
        FDc = nullptr;
        FFont = nullptr;
        FBitmap = nullptr;
        FOriginalFont = nullptr;
    }

    HDC FDc = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
    HGDIOBJ FOriginalFont = nullptr;
    HFONT FFont = nullptr;
    uint32_t* FBits = nullptr;
    int FWidth = 0;
    int FHeight = 0;
};

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
