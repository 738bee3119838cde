// A small top-down 32-bit DIB section selected into a memory DC, for the classic drawing tests.
#pragma once

#include "DibCanvas.h"

#include <win32/windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

class ClassicCanvas : public DibCanvas {
public:
    // Every pixel starts as `fill`; give it a non-zero top byte to see which pixels GDI wrote (alpha 0).
    ClassicCanvas(int width, int height, uint32_t fill = 0xFF00FF00u) : DibCanvas(width, height, fill) {}

    // The pixel as the COLORREF GDI would report.
    COLORREF Color(int x, int y) const {
        uint32_t p = Pixel(x, y);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

// A DIB pixel (alpha 0, as GDI writes it) for a COLORREF.
inline uint32_t DibPixel(COLORREF color) {
    return (static_cast<uint32_t>(GetRValue(color)) << 16) | (static_cast<uint32_t>(GetGValue(color)) << 8) |
           GetBValue(color);
}

inline std::string GoldenPath(const std::string& name) {
    return std::string(TEST_SOURCE_DIR) + "/platform/win32/gdi/data/" + name;
}
