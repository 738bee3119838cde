// A small 32-bit top-down DIB section in a memory DC for line and shape tests, read back as a picture of
// characters so that expected pixel sets read like the drawing.
#pragma once

#include <win32/windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

class ShapeCanvas {
public:
    static constexpr uint32_t kBackground = 0x00FFFFFF;

    ShapeCanvas(int width, int height) : FWidth(width), FHeight(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        FBits = static_cast<uint32_t*>(bits);
        FDc = CreateCompatibleDC(nullptr);
        FOldBitmap = SelectObject(FDc, FBitmap);
        Clear();
    }
    ~ShapeCanvas() {
        SelectObject(FDc, FOldBitmap);
        DeleteDC(FDc);
        DeleteObject(FBitmap);
    }
    ShapeCanvas(const ShapeCanvas&) = delete;
    ShapeCanvas& operator=(const ShapeCanvas&) = delete;

    HDC Dc() const { return FDc; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    uint32_t& Pixel(int x, int y) { return FBits[y * FWidth + x]; }
    void Clear(uint32_t value = kBackground) {
        for (int i = 0; i < FWidth * FHeight; ++i) FBits[i] = value;
    }

    // One character a pixel, rows joined by '\n': '.' for the background, '#' for black, 'o' for anything else.
    std::string Picture() {
        std::string text;
        for (int y = 0; y < FHeight; ++y) {
            if (y) text += '\n';
            for (int x = 0; x < FWidth; ++x) {
                const uint32_t p = Pixel(x, y);
                text += p == kBackground ? '.' : (p == 0 ? '#' : 'o');
            }
        }
        return text;
    }
    int Changed() {
        int count = 0;
        for (int i = 0; i < FWidth * FHeight; ++i) count += FBits[i] != kBackground;
        return count;
    }

    // Selects a pen for the canvas's lifetime of the test and deletes it afterwards.
    void UsePen(HPEN pen) {
        ASSERT_NE(pen, nullptr);
        DeleteObject(SelectObject(FDc, pen));
    }

private:
    int FWidth;
    int FHeight;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
    HDC FDc = nullptr;
    uint32_t* FBits = nullptr;
};

// Joins picture rows.
inline std::string Rows(std::initializer_list<const char*> rows) {
    std::string text;
    for (const char* row : rows) {
        if (!text.empty()) text += '\n';
        text += row;
    }
    return text;
}
