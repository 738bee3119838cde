// Reading a packed DIB (BITMAPINFOHEADER, masks or colour table, then the rows), as bitmap resources hold it.
#pragma once

#include <win32/windows.h>

#include <cstdint>
#include <vector>

namespace win32::loader {

struct DecodedDib {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;  // 0x00RRGGBB, rows top-down
};

// The header is checked whole; 1, 4, 8, 16, 24 and 32 bits per pixel, BI_RGB or BI_BITFIELDS (16 and 32 bits).
// Run-length compressed pictures are not read.
bool IsPackedDib(const BYTE* bytes, size_t size);
bool DecodePackedDib(const BYTE* bytes, size_t size, DecodedDib& out);

}  // namespace win32::loader
