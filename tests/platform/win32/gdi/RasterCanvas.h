// Tiny bitmaps selected into memory DCs for the raster, brush and blit tests: a top-down 32-bit DIB section whose
// pixels are read straight from its bits, or a monochrome device-dependent bitmap read through GetBitmapBits.
#pragma once

#include "DibCanvas.h"

#include <win32/windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

class RasterCanvas : public DibCanvas {
public:
    using DibCanvas::DibCanvas;

    std::vector<uint32_t> Row(int y) const {
        return std::vector<uint32_t>(Bits() + y * Width(), Bits() + (y + 1) * Width());
    }
    // One character per pixel from a legend: the picture of what was drawn, for readable expectations.
    std::string Picture(const std::vector<std::pair<uint32_t, char>>& legend) const {
        std::string text;
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
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
