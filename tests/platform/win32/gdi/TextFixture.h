// A small 32-bit top-down DIB section in a memory DC for text tests, with helpers to make fonts and read ink back.
#pragma once

#include "DibCanvas.h"

#include <win32/windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

class TextFixture : public ::testing::Test {
protected:
    static constexpr uint32_t White = 0x00FFFFFF;

    void SetUp() override { Reset(200, 60); }
    void TearDown() override { Release(); }

    // A fresh white surface of the given size; the selected font and DC attributes start over.
    void Reset(int width, int height) {
        Release();
        FCanvas = std::make_unique<DibCanvas>(width, height, White);
        ASSERT_NE(FCanvas->Bitmap(), nullptr);
        ASSERT_NE(FCanvas->Dc(), nullptr);
    }
    void Clear(uint32_t pixel = White) { FCanvas->Fill(pixel); }

    // Makes a font and selects it; the fixture deletes it.
    HFONT Use(int height, const char16_t* face, int weight = FW_NORMAL, int escapement = 0, BYTE underline = 0,
              BYTE strikeOut = 0, BYTE italic = 0) {
        HFONT font =
            CreateFontW(height, 0, escapement, escapement, weight, italic, underline, strikeOut, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
        EXPECT_NE(font, nullptr);
        HGDIOBJ old = SelectObject(Dc(), font);
        if (FOriginalFont == nullptr) FOriginalFont = old;
        if (FFont) DeleteObject(FFont);
        FFont = font;
        return font;
    }

    uint32_t Pixel(int x, int y) const { return FCanvas->Pixel(x, y); }
    // The bounding box of every pixel that is not `background`; empty (all zero) when there is none.
    RECT InkBox(uint32_t background = White) const {
        RECT box{Width(), Height(), 0, 0};
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                if (Pixel(x, y) != background) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box.right == 0 ? RECT{0, 0, 0, 0} : box;
    }
    int Count(uint32_t pixel) const { return static_cast<int>(std::count(Bits(), Bits() + Width() * Height(), pixel)); }
    // Rows of the picture as text ('#' for ink), for messages and direct comparisons.
    std::string Picture(int left, int top, int right, int bottom) const {
        std::string text;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) text += Pixel(x, y) == White ? '.' : '#';
            text += '\n';
        }
        return text;
    }

    HDC Dc() const { return FCanvas->Dc(); }
    const uint32_t* Bits() const { return FCanvas->Bits(); }
    int Width() const { return FCanvas->Width(); }
    int Height() const { return FCanvas->Height(); }

private:
    void Release() {
        if (FCanvas && FOriginalFont) SelectObject(FCanvas->Dc(), FOriginalFont);
        FCanvas.reset();
        if (FFont) DeleteObject(FFont);
        FFont = nullptr;
        FOriginalFont = nullptr;
    }

    std::unique_ptr<DibCanvas> FCanvas;
    HGDIOBJ FOriginalFont = nullptr;
    HFONT FFont = nullptr;
};

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
