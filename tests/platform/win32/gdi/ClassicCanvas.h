// A small top-down 32-bit DIB section selected into a memory DC, for the classic drawing tests.
#pragma once

#include <win32/windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

class ClassicCanvas {
public:
    // Every pixel starts as `fill`; give it a non-zero top byte to see which pixels GDI wrote (alpha 0).
    ClassicCanvas(int width, int height, uint32_t fill = 0xFF00FF00u) : FWidth(width), FHeight(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        FDc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        FBitmap = CreateDIBSection(FDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        FBits = static_cast<uint32_t*>(bits);
        FPrevious = SelectObject(FDc, FBitmap);
        Fill(fill);
    }
    ~ClassicCanvas() {
        SelectObject(FDc, FPrevious);
        DeleteObject(FBitmap);
        DeleteDC(FDc);
    }
    ClassicCanvas(const ClassicCanvas&) = delete;
    ClassicCanvas& operator=(const ClassicCanvas&) = delete;

    HDC Dc() const { return FDc; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    const uint32_t* Bits() const { return FBits; }
    void Fill(uint32_t value) { std::fill(FBits, FBits + FWidth * FHeight, value); }
    uint32_t& At(int x, int y) { return FBits[y * FWidth + x]; }
    // The pixel as 0x00RRGGBB with its alpha byte, and as the COLORREF GDI would report.
    uint32_t Pixel(int x, int y) const { return FBits[y * FWidth + x]; }
    COLORREF Color(int x, int y) const {
        uint32_t p = Pixel(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    std::vector<uint32_t> Snapshot() const { return std::vector<uint32_t>(FBits, FBits + FWidth * FHeight); }

private:
    int FWidth;
    int FHeight;
    HDC FDc = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FPrevious = nullptr;
    uint32_t* FBits = nullptr;
};

// A DIB pixel (alpha 0, as GDI writes it) for a COLORREF.
inline uint32_t DibPixel(COLORREF color) {
    return (static_cast<uint32_t>(GetRValue(color)) << 16) | (static_cast<uint32_t>(GetGValue(color)) << 8) |
           GetBValue(color);
}

inline std::string GoldenPath(const std::string& name) {
    return std::string(TEST_SOURCE_DIR) + "/platform/win32/gdi/data/" + name;
}
