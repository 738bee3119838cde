// The BMP file format: reading 1, 4, 8, 16, 24 and 32 bits per pixel into the two layouts TBitmap keeps, and
// writing those two layouts back.
#pragma once

#include <toolkit/Stream.h>
#include <win32/windows.h>

#include <cstdint>
#include <vector>

namespace bmpformat {

// A picture as TBitmap keeps it: 32 bits per pixel (blue, green, red, alpha bytes) or 1 bit per pixel with two
// colours, rows padded to 32 bits, bottom-up.
struct DibImage {
    int Width = 0;
    int Height = 0;
    int BitCount = 32;
    RGBQUAD Palette[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    std::vector<std::uint8_t> Bits;
};

// Bytes in one row, rounded up to four; computed in 64 bits so that no width a file may claim overflows.
inline std::int64_t Stride(std::int64_t width, int bitCount) { return ((width * bitCount + 31) / 32) * 4; }

// Reads one BMP file at the stream's position (through bfSize when the file says more than it used).
// 1-bit files stay 1-bit; everything else becomes 32-bit. Raises EInvalidGraphic for anything else, a file
// that ends early included; nothing is allocated for pixels the stream does not hold.
DibImage Read(TStream& stream);
// Writes image (BitCount 1 or 32) as a BMP file with a BITMAPINFOHEADER, BI_RGB.
void Write(TStream& stream, const DibImage& image);

}  // namespace bmpformat
