// Bitmap pixels and what GetObject tells of them.
#include "BitmapObject.h"

#include <cstring>

namespace win32::gdi {

BitmapObject::BitmapObject(int width, int height, int bitsPerPixel, bool topDown, bool dibSection)
    : FWidth(width), FHeight(height), FBitsPerPixel(bitsPerPixel), FTopDown(topDown), FDibSection(dibSection) {
    if (bitsPerPixel == 32) {
        FStride = width * 4;
    } else {
        int alignBits = dibSection ? 32 : 16;
        FStride = ((width + alignBits - 1) / alignBits) * (alignBits / 8);
    }
    FPixels.assign(static_cast<size_t>(FStride) * static_cast<size_t>(height), 0);
}

void BitmapObject::SetBit(int x, int y, bool on) {
    uint8_t& byte = RowBytes(y)[x >> 3];
    uint8_t mask = static_cast<uint8_t>(0x80 >> (x & 7));
    byte = on ? (byte | mask) : (byte & ~mask);
}

COLORREF BitmapObject::GetColor(int x, int y) const {
    if (FBitsPerPixel == 32) return PixelToColor(Row32(y)[x]);
    RGBQUAD q = FPalette[Bit(x, y) ? 1 : 0];
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

void BitmapObject::SetColor(int x, int y, COLORREF color) {
    if (FBitsPerPixel == 32) {
        Row32(y)[x] = ColorToPixel(color);
        return;
    }
    // A monochrome bitmap takes whichever of its two colours is nearer; ties go to white, as GDI maps them.
    auto distance = [&](const RGBQUAD& q) {
        int dr = GetRValue(color) - q.rgbRed, dg = GetGValue(color) - q.rgbGreen, db = GetBValue(color) - q.rgbBlue;
        return dr * dr + dg * dg + db * db;
    };
    SetBit(x, y, distance(FPalette[1]) <= distance(FPalette[0]));
}

int BitmapObject::Describe(int size, void* buffer, bool) const {
    BITMAP bm{};
    bm.bmType = 0;
    bm.bmWidth = FWidth;
    bm.bmHeight = FHeight;
    // GetObject reports DDB rows padded to 16 bits and DIB section rows padded to 32 bits.
    bm.bmWidthBytes = FBitsPerPixel == 32 ? FWidth * 4 : FStride;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = static_cast<WORD>(FBitsPerPixel);
    bm.bmBits = FDibSection ? const_cast<uint8_t*>(FPixels.data()) : nullptr;

    // Asked for the size, GDI answers that of BITMAP even for a DIB section; a buffer large enough for a
    // DIBSECTION gets one.
    if (!buffer) return sizeof(BITMAP);
    if (FDibSection && size >= static_cast<int>(sizeof(DIBSECTION))) {
        DIBSECTION ds{};
        ds.dsBm = bm;
        ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
        ds.dsBmih.biWidth = FWidth;
        ds.dsBmih.biHeight = FTopDown ? -FHeight : FHeight;
        ds.dsBmih.biPlanes = 1;
        ds.dsBmih.biBitCount = static_cast<WORD>(FBitsPerPixel);
        ds.dsBmih.biCompression = BI_RGB;
        ds.dsBmih.biSizeImage = static_cast<DWORD>(FPixels.size());
        ds.dsBmih.biClrUsed = FBitsPerPixel == 1 ? 2 : 0;
        std::memcpy(buffer, &ds, sizeof ds);
        return sizeof(DIBSECTION);
    }
    if (size < static_cast<int>(sizeof(BITMAP))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::memcpy(buffer, &bm, sizeof bm);
    return sizeof(BITMAP);
}

}  // namespace win32::gdi
