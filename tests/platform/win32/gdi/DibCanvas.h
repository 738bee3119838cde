// A small top-down 32-bit DIB section selected into a memory DC: the surface the GDI tests draw on, its pixels
// read straight from the section's bits.
#pragma once

#include <win32/windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

class DibCanvas {
public:
    DibCanvas(int width, int height, uint32_t fill = 0) : FWidth(width), FHeight(height) {
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
    ~DibCanvas() {
        SelectObject(FDc, FPrevious);
        DeleteObject(FBitmap);
        DeleteDC(FDc);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC Dc() const { return FDc; }
    HBITMAP Bitmap() const { return FBitmap; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    uint32_t* Bits() { return FBits; }
    const uint32_t* Bits() const { return FBits; }
    void Fill(uint32_t value) { std::fill(FBits, FBits + FWidth * FHeight, value); }
    uint32_t& At(int x, int y) { return FBits[y * FWidth + x]; }
    uint32_t Pixel(int x, int y) const { return FBits[y * FWidth + x]; }
    std::vector<uint32_t> Snapshot() const { return std::vector<uint32_t>(FBits, FBits + FWidth * FHeight); }

private:
    int FWidth;
    int FHeight;
    HDC FDc = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FPrevious = nullptr;
    uint32_t* FBits = nullptr;
};
