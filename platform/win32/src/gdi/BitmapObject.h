// A bitmap: 32 bits per pixel (blue, green, red, alpha in memory) or 1 bit per pixel for masks, top-down or
// bottom-up, owning its pixels. Window surfaces are bitmaps too.
#pragma once

#include "GdiObject.h"

#include <cstdint>
#include <vector>

namespace win32::gdi {

class BitmapObject : public GdiObject {
public:
    // Zero-filled pixels. bitsPerPixel is 1 or 32; topDown says how the rows lie in memory.
    BitmapObject(int width, int height, int bitsPerPixel, bool topDown, bool dibSection);

    DWORD Type() const override { return OBJ_BITMAP; }
    int Describe(int size, void* buffer, bool wide) const override;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int BitsPerPixel() const { return FBitsPerPixel; }
    bool TopDown() const { return FTopDown; }
    bool DibSection() const { return FDibSection; }
    // Bytes per row in memory: 32-bit rows are width * 4; 1-bit rows are padded to 16 bits for CreateBitmap
    // bitmaps and to 32 bits for DIB sections, as Windows pads them.
    int Stride() const { return FStride; }
    uint8_t* Bits() { return FPixels.data(); }
    const uint8_t* Bits() const { return FPixels.data(); }
    size_t ByteSize() const { return FPixels.size(); }

    // Row y counted from the top of the picture, whatever the memory order.
    uint32_t* Row32(int y) { return reinterpret_cast<uint32_t*>(RowBytes(y)); }
    const uint32_t* Row32(int y) const { return reinterpret_cast<const uint32_t*>(RowBytes(y)); }
    uint8_t* RowBytes(int y) { return FPixels.data() + static_cast<size_t>(MemoryRow(y)) * FStride; }
    const uint8_t* RowBytes(int y) const { return FPixels.data() + static_cast<size_t>(MemoryRow(y)) * FStride; }

    // A 1-bit pixel: bit 7 of byte 0 is the leftmost.
    bool Bit(int x, int y) const { return (RowBytes(y)[x >> 3] >> (7 - (x & 7))) & 1; }
    void SetBit(int x, int y, bool on);

    // The two colours of a 1-bit bitmap (index 0 and 1): black and white unless a DIB section says otherwise.
    RGBQUAD Palette(int index) const { return FPalette[index & 1]; }
    void SetPalette(int index, RGBQUAD color) { FPalette[index & 1] = color; }

    // Pixel as COLORREF (alpha ignored) and set from a COLORREF with alpha 0, as GDI writes.
    COLORREF GetColor(int x, int y) const;
    void SetColor(int x, int y, COLORREF color);

private:
    int MemoryRow(int y) const { return FTopDown ? y : FHeight - 1 - y; }

    int FWidth;
    int FHeight;
    int FBitsPerPixel;
    bool FTopDown;
    bool FDibSection;
    int FStride;
    std::vector<uint8_t> FPixels;
    RGBQUAD FPalette[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
};

// COLORREF (0x00BBGGRR) to a 32-bit pixel (0x00RRGGBB, alpha 0) and back.
inline uint32_t ColorToPixel(COLORREF color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
inline COLORREF PixelToColor(uint32_t pixel) {
    return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

}  // namespace win32::gdi
