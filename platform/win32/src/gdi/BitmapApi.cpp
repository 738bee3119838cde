// Bitmap creation, the DIB transfer functions and single pixels.
#include "DeviceContext.h"
#include "StockObjects.h"
#include "kernel/LastError.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

using win32::Fail;

using namespace win32::gdi;

namespace {

HBITMAP Insert(std::shared_ptr<BitmapObject> bitmap) {
    return static_cast<HBITMAP>(ObjectTable::Insert(std::move(bitmap)));
}

// The bitmap formats drawn here: 1 bit per pixel for masks, 32 for everything else.
bool SupportedDib(const BITMAPINFOHEADER& h) {
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1) return false;
    if (h.biBitCount == 32) return h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS;
    return h.biBitCount == 1 && h.biCompression == BI_RGB;
}

// BI_BITFIELDS must name the usual masks; other layouts are not drawn here.
bool StandardMasks(const BITMAPINFO& info) {
    if (info.bmiHeader.biCompression != BI_BITFIELDS) return true;
    const DWORD* masks = reinterpret_cast<const DWORD*>(&info.bmiColors[0]);
    return masks[0] == 0x00FF0000 && masks[1] == 0x0000FF00 && masks[2] == 0x000000FF;
}

int DibStride(const BITMAPINFOHEADER& h) { return ((h.biWidth * h.biBitCount + 31) / 32) * 4; }

// Row y of a packed DIB counted from the top.
size_t DibRowOffset(const BITMAPINFOHEADER& h, int y) {
    int height = std::abs(h.biHeight);
    int memoryRow = h.biHeight < 0 ? y : height - 1 - y;
    return static_cast<size_t>(memoryRow) * static_cast<size_t>(DibStride(h));
}

COLORREF PaletteColor(const BITMAPINFO& info, int index) {
    const RGBQUAD& q = info.bmiColors[index];
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

// A bitmap whose pixels would need 2 GB or more is refused, as Windows refuses what it cannot map; the size is
// worked out in 64 bits so that no width or height can overflow it.
bool TooLarge(LONG width, LONG height, int bitsPerPixel) {
    auto columns = static_cast<uint64_t>(std::abs(static_cast<int64_t>(width)));
    auto rows = static_cast<uint64_t>(std::abs(static_cast<int64_t>(height)));
    uint64_t stride = (columns * static_cast<uint64_t>(bitsPerPixel) + 31) / 32 * 4;
    return stride * rows >= (uint64_t{1} << 31);
}

// Makes the bitmap, or fails with ERROR_NOT_ENOUGH_MEMORY when it is too large or its store cannot be had.
template <class... Args>
std::shared_ptr<BitmapObject> MakeBitmap(LONG width, LONG height, int bitsPerPixel, Args... args) {
    if (TooLarge(width, height, bitsPerPixel)) return nullptr;
    try {
        return std::make_shared<BitmapObject>(width, height, bitsPerPixel, args...);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection, DWORD offset) {
    if (ppvBits) *ppvBits = nullptr;
    if (hdc && !LookupDC(hdc)) return nullptr;
    if (!pbmi || usage != DIB_RGB_COLORS || hSection || offset) return Fail<HBITMAP>(nullptr, ERROR_INVALID_PARAMETER);
    const BITMAPINFOHEADER& h = pbmi->bmiHeader;
    if (!SupportedDib(h) || !StandardMasks(*pbmi)) return Fail<HBITMAP>(nullptr, ERROR_INVALID_PARAMETER);
    if (h.biHeight == INT32_MIN) return Fail<HBITMAP>(nullptr, ERROR_INVALID_PARAMETER);
    auto bitmap = MakeBitmap(h.biWidth, std::abs(h.biHeight), h.biBitCount, h.biHeight < 0, true);
    if (!bitmap) return Fail<HBITMAP>(nullptr, ERROR_NOT_ENOUGH_MEMORY);
    if (h.biBitCount == 1) {
        bitmap->SetPalette(0, pbmi->bmiColors[0]);
        bitmap->SetPalette(1, pbmi->bmiColors[1]);
    }
    if (ppvBits) *ppvBits = bitmap->Bits();
    return Insert(std::move(bitmap));
}

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits) {
    if (nWidth < 0 || nHeight < 0 || nPlanes != 1 || (nBitCount != 1 && nBitCount != 32))
        return Fail<HBITMAP>(nullptr, ERROR_INVALID_PARAMETER);
    if (nWidth == 0 || nHeight == 0) return static_cast<HBITMAP>(DefaultBitmap()->Handle());
    auto bitmap = MakeBitmap(nWidth, nHeight, static_cast<int>(nBitCount), true, false);
    if (!bitmap) return Fail<HBITMAP>(nullptr, ERROR_NOT_ENOUGH_MEMORY);
    if (lpBits) std::memcpy(bitmap->Bits(), lpBits, bitmap->ByteSize());
    return Insert(std::move(bitmap));
}

HBITMAP CreateBitmapIndirect(const BITMAP* pbm) {
    if (!pbm) return Fail<HBITMAP>(nullptr, ERROR_INVALID_PARAMETER);
    return CreateBitmap(pbm->bmWidth, pbm->bmHeight, pbm->bmPlanes, pbm->bmBitsPixel, pbm->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    auto dc = LookupDC(hdc);
    if (!dc) return nullptr;
    if (cx < 0 || cy < 0) return Fail<HBITMAP>(nullptr, ERROR_INVALID_PARAMETER);
    if (cx == 0 || cy == 0) return static_cast<HBITMAP>(DefaultBitmap()->Handle());
    // Compatible with a memory DC means the format of its selected bitmap: a fresh memory DC holds a monochrome
    // one, so its compatible bitmaps are monochrome, as on Windows.
    int bits = dc->Memory() && dc->Surface() ? dc->Surface()->BitsPerPixel() : 32;
    auto bitmap = MakeBitmap(cx, cy, bits, true, false);
    if (!bitmap) return Fail<HBITMAP>(nullptr, ERROR_NOT_ENOUGH_MEMORY);
    return Insert(std::move(bitmap));
}

LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits) {
    auto bitmap = ObjectTable::LookupAs<BitmapObject>(hbit);
    if (!bitmap) return 0;
    // Rows top-down, padded to 16 bits as device-dependent bitmaps are.
    LONG stride = bitmap->BitsPerPixel() == 32 ? bitmap->Width() * 4 : ((bitmap->Width() + 15) / 16) * 2;
    LONG total = stride * bitmap->Height();
    if (!lpvBits) return total;
    LONG rows = std::min<LONG>(bitmap->Height(), cb / stride);
    for (LONG y = 0; y < rows; ++y)
        std::memcpy(static_cast<uint8_t*>(lpvBits) + y * stride, bitmap->RowBytes(y), static_cast<size_t>(stride));
    return rows * stride;
}

LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits) {
    auto bitmap = ObjectTable::LookupAs<BitmapObject>(hbm);
    if (!bitmap || !pvBits) return 0;
    LONG stride = bitmap->BitsPerPixel() == 32 ? bitmap->Width() * 4 : ((bitmap->Width() + 15) / 16) * 2;
    LONG rows = std::min<LONG>(bitmap->Height(), static_cast<LONG>(cb) / stride);
    for (LONG y = 0; y < rows; ++y)
        std::memcpy(bitmap->RowBytes(y), static_cast<const uint8_t*>(pvBits) + y * stride, static_cast<size_t>(stride));
    return rows * stride;
}

BOOL GetBitmapDimensionEx(HBITMAP hbit, LPSIZE lpsize) {
    auto bitmap = ObjectTable::LookupAs<BitmapObject>(hbit);
    if (!bitmap || !lpsize) return FALSE;
    *lpsize = SIZE{0, 0};  // nobody sets a physical dimension here
    return TRUE;
}

int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage) {
    if (!LookupDC(hdc)) return 0;
    auto bitmap = ObjectTable::LookupAs<BitmapObject>(hbm);
    if (!bitmap) return 0;
    if (!lpbmi || usage != DIB_RGB_COLORS || lpbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    if (!lpvBits && h.biBitCount == 0) {
        // Describe the bitmap: bottom-up, in its own depth.
        h.biWidth = bitmap->Width();
        h.biHeight = bitmap->Height();
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(bitmap->BitsPerPixel());
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(DibStride(h) * bitmap->Height());
        h.biXPelsPerMeter = h.biYPelsPerMeter = 0;
        h.biClrUsed = h.biClrImportant = 0;
        return 1;
    }
    if (!SupportedDib(h) || !StandardMasks(*lpbmi)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (h.biBitCount == 1) {
        lpbmi->bmiColors[0] = bitmap->BitsPerPixel() == 1 ? bitmap->Palette(0) : RGBQUAD{0, 0, 0, 0};
        lpbmi->bmiColors[1] = bitmap->BitsPerPixel() == 1 ? bitmap->Palette(1) : RGBQUAD{255, 255, 255, 0};
    }
    if (!lpvBits) {
        h.biSizeImage = static_cast<DWORD>(DibStride(h) * std::abs(h.biHeight));
        return 1;
    }
    // Scan lines are counted from the bottom of the picture, whatever the DIB's orientation.
    int height = std::min(std::abs(h.biHeight), bitmap->Height());
    int width = std::min<int>(h.biWidth, bitmap->Width());
    int copied = 0;
    // A 32-bit request may come with a one-entry BITMAPINFO: the colour table is touched only for 1 bit.
    BitmapObject scratch(1, 1, 1, true, false);
    if (h.biBitCount == 1) {
        scratch.SetPalette(0, lpbmi->bmiColors[0]);
        scratch.SetPalette(1, lpbmi->bmiColors[1]);
    }
    for (UINT line = start; line < start + cLines && static_cast<int>(line) < height; ++line, ++copied) {
        int y = height - 1 - static_cast<int>(line);  // from the top
        uint8_t* out = static_cast<uint8_t*>(lpvBits) + DibRowOffset(h, std::abs(h.biHeight) - height + y);
        if (h.biBitCount == 32 && bitmap->BitsPerPixel() == 32) {
            std::memcpy(out, bitmap->RowBytes(y), static_cast<size_t>(width) * 4);
            continue;
        }
        for (int x = 0; x < width; ++x) {
            COLORREF color = bitmap->GetColor(x, y);
            if (h.biBitCount == 32) {
                reinterpret_cast<uint32_t*>(out)[x] = ColorToPixel(color);
            } else {
                scratch.SetColor(0, 0, color);
                uint8_t mask = static_cast<uint8_t>(0x80 >> (x & 7));
                out[x >> 3] = scratch.Bit(0, 0) ? (out[x >> 3] | mask) : (out[x >> 3] & ~mask);
            }
        }
    }
    return copied;
}

int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
              UINT ColorUse) {
    if (hdc && !LookupDC(hdc)) return 0;
    auto bitmap = ObjectTable::LookupAs<BitmapObject>(hbm);
    if (!bitmap) return 0;
    if (!lpBits || !lpbmi || ColorUse != DIB_RGB_COLORS || !SupportedDib(lpbmi->bmiHeader) || !StandardMasks(*lpbmi)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    int height = std::min(std::abs(h.biHeight), bitmap->Height());
    int width = std::min<int>(h.biWidth, bitmap->Width());
    int copied = 0;
    for (UINT line = start; line < start + cLines && static_cast<int>(line) < std::abs(h.biHeight); ++line) {
        int dibY = std::abs(h.biHeight) - 1 - static_cast<int>(line);
        int y = bitmap->Height() - 1 - static_cast<int>(line);  // the same scan line, counted from the bottom
        if (y < 0 || static_cast<int>(line) >= height) break;
        const uint8_t* in = static_cast<const uint8_t*>(lpBits) + DibRowOffset(h, dibY);
        if (h.biBitCount == 32 && bitmap->BitsPerPixel() == 32) {
            std::memcpy(bitmap->RowBytes(y), in, static_cast<size_t>(width) * 4);
        } else {
            for (int x = 0; x < width; ++x) {
                COLORREF color = h.biBitCount == 32 ? PixelToColor(reinterpret_cast<const uint32_t*>(in)[x])
                                                    : PaletteColor(*lpbmi, (in[x >> 3] >> (7 - (x & 7))) & 1);
                bitmap->SetColor(x, y, color);
            }
        }
        ++copied;
    }
    return copied;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    auto dc = LookupDC(hdc);
    if (!dc) return CLR_INVALID;
    POINT p = dc->ToSurface(POINT{x, y});
    BitmapObject* surface = dc->Surface();
    if (!surface || !dc->DrawableRegion().Contains(p.x, p.y)) return CLR_INVALID;
    return surface->GetColor(p.x, p.y);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    auto dc = LookupDC(hdc);
    if (!dc) return CLR_INVALID;
    POINT p = dc->ToSurface(POINT{x, y});
    BitmapObject* surface = dc->Surface();
    if (!surface || !dc->DrawableRegion().Contains(p.x, p.y)) return CLR_INVALID;
    surface->SetColor(p.x, p.y, color & 0x00FFFFFF);
    return surface->GetColor(p.x, p.y);
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) { return SetPixel(hdc, x, y, color) != CLR_INVALID; }

BOOL GdiFlush(void) { return TRUE; }  // drawing is never batched here
