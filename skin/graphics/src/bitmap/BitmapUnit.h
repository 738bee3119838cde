// What the bitmap unit decides at start-up and the drawing code asks: how key-colour drawing reaches a DC that
// is not a TskBitmap's.
#pragma once

#include <win32/windows.h>

namespace bitmapunit {

// Draws through the platform's TransparentBlt when start-up chose it (the function bound and the screen deeper
// than 23 bits per pixel); false when the temporary-bitmap path is to be taken instead.
bool KeyBlt(HDC dc, const RECT& dstRect, HDC srcDC, const RECT& srcRect);

}  // namespace bitmapunit
