// The bitmap unit's start-up: the pixel routine slots by MmxAvailable, and the key-colour path onto device
// contexts by TransparentBltAvailable and the screen's depth.
#include "BitmapUnit.h"

#include <skin/Common.h>
#include <skin/PixelOps.h>
#include <skin/WinApi.h>

namespace {

bool keyThroughTransparentBlt = false;

int ScreenBitsPerPixel() {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return bits;
}

}  // namespace

void InitializeBitmapUnit() {
    // Formula B is the MMX formula; its loops here use SSE2 or AVX2 registers, never the MMX ones, so no
    // routine leaves MMX state behind for ResetMmxState to clear.
    PixelRoutines = MmxAvailable() ? PixelRoutinesB(CpuVectorLevel()) : PixelRoutinesA();
    keyThroughTransparentBlt = TransparentBltAvailable() && skapi::TransparentBlt && ScreenBitsPerPixel() > 23;
}

namespace bitmapunit {

bool KeyBlt(HDC dc, const RECT& dstRect, HDC srcDC, const RECT& srcRect) {
    if (!keyThroughTransparentBlt) return false;
    skapi::TransparentBlt(dc, dstRect.left, dstRect.top, dstRect.right - dstRect.left, dstRect.bottom - dstRect.top,
                          srcDC, srcRect.left, srcRect.top, srcRect.right - srcRect.left, srcRect.bottom - srcRect.top,
                          0x7F007F);
    return true;
}

}  // namespace bitmapunit
