// A small 32-bit top-down DIB section in a memory DC for line and shape tests, read back as a picture of
// characters so that expected pixel sets read like the drawing.
#pragma once

#include "DibCanvas.h"

#include <win32/windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

class ShapeCanvas : public DibCanvas {
public:
    static constexpr uint32_t kBackground = 0x00FFFFFF;

    ShapeCanvas(int width, int height) : DibCanvas(width, height, kBackground) {}

    uint32_t& Pixel(int x, int y) { return At(x, y); }
    void Clear(uint32_t value = kBackground) { Fill(value); }

    // One character a pixel, rows joined by '\n': '.' for the background, '#' for black, 'o' for anything else. Only
    // the colour counts: what an operation does to the alpha byte is the raster tests' business.
    std::string Picture() {
        std::string text;
        for (int y = 0; y < Height(); ++y) {
            if (y) text += '\n';
            for (int x = 0; x < Width(); ++x) {
                const uint32_t p = Pixel(x, y) & 0x00FFFFFFu;
                text += p == kBackground ? '.' : (p == 0 ? '#' : 'o');
            }
        }
        return text;
    }
    int Changed() {
        int count = 0;
        for (int i = 0; i < Width() * Height(); ++i) count += Bits()[i] != kBackground;
        return count;
    }

    // Selects a pen for the canvas's lifetime of the test and deletes it afterwards.
    void UsePen(HPEN pen) {
        ASSERT_NE(pen, nullptr);
        DeleteObject(SelectObject(Dc(), pen));
    }
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
