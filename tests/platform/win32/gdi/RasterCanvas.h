// Tiny bitmaps selected into memory DCs for the raster, brush and blit tests: a top-down 32-bit DIB section whose
// pixels are read straight from its bits, or a monochrome device-dependent bitmap read through GetBitmapBits.
#pragma once

#include <win32/windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

class RasterCanvas {
public:
    RasterCanvas(int width, int height, uint32_t fill = 0) : FWidth(width), FHeight(height) {
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
    ~RasterCanvas() {
        SelectObject(FDc, FPrevious);
        DeleteObject(FBitmap);
        DeleteDC(FDc);
    }
    RasterCanvas(const RasterCanvas&) = delete;
    RasterCanvas& operator=(const RasterCanvas&) = delete;

    HDC Dc() const { return FDc; }
    HBITMAP Bitmap() const { return FBitmap; }
    void Fill(uint32_t value) { std::fill(FBits, FBits + FWidth * FHeight, value); }
    uint32_t& At(int x, int y) { return FBits[y * FWidth + x]; }
    uint32_t Pixel(int x, int y) const { return FBits[y * FWidth + x]; }
    std::vector<uint32_t> Row(int y) const { return std::vector<uint32_t>(FBits + y * FWidth, FBits + (y + 1) * FWidth); }
    // One character per pixel from a legend: the picture of what was drawn, for readable expectations.
    std::string Picture(const std::vector<std::pair<uint32_t, char>>& legend) const {
        std::string text;
        for (int y = 0; y < FHeight; ++y) {
            for (int x = 0; x < FWidth; ++x) {
                char c = '?';
                for (const auto& entry : legend) {
                    if (entry.first == Pixel(x, y)) c = entry.second;
                }
                text += c;
            }
            text += '\n';
        }
        return text;
    }

private:
    int FWidth;
    int FHeight;
    HDC FDc = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FPrevious = nullptr;
    uint32_t* FBits = nullptr;
};

// A monochrome bitmap (rows padded to 16 bits, as CreateBitmap pads them) in a memory DC.
class MonoCanvas {
public:
    MonoCanvas(int width, int height, const std::vector<uint8_t>& rows = {}) : FWidth(width), FHeight(height) {
        std::vector<uint8_t> bits = rows;
        bits.resize(static_cast<size_t>(Stride() * height), 0);
        FDc = CreateCompatibleDC(nullptr);
        FBitmap = CreateBitmap(width, height, 1, 1, bits.data());
        FPrevious = SelectObject(FDc, FBitmap);
    }
    ~MonoCanvas() {
        SelectObject(FDc, FPrevious);
        DeleteObject(FBitmap);
        DeleteDC(FDc);
    }
    MonoCanvas(const MonoCanvas&) = delete;
    MonoCanvas& operator=(const MonoCanvas&) = delete;

    HDC Dc() const { return FDc; }
    HBITMAP Bitmap() const { return FBitmap; }
    int Stride() const { return (FWidth + 15) / 16 * 2; }
    bool Bit(int x, int y) const {
        std::vector<uint8_t> bits(static_cast<size_t>(Stride() * FHeight));
        GetBitmapBits(FBitmap, static_cast<LONG>(bits.size()), bits.data());
        return (bits[static_cast<size_t>(y * Stride() + x / 8)] >> (7 - x % 8)) & 1;
    }
    std::string Picture() const {
        std::string text;
        for (int y = 0; y < FHeight; ++y) {
            for (int x = 0; x < FWidth; ++x) text += Bit(x, y) ? '1' : '0';
            text += '\n';
        }
        return text;
    }

private:
    int FWidth;
    int FHeight;
    HDC FDc = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FPrevious = nullptr;
};
