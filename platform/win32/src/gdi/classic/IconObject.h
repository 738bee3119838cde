// Icons as the window manager keeps them: private copies of the AND mask and the colour image, behind HICON
// handles of their own (icons are not GDI objects).
#pragma once

#include "../BitmapObject.h"

#include <win32/winuser.h>

#include <memory>

namespace win32::gdi::classic {

class IconObject {
public:
    // A monochrome icon has no colour bitmap: its mask is twice as high, AND mask above, XOR image below.
    IconObject(std::shared_ptr<BitmapObject> mask, std::shared_ptr<BitmapObject> color, bool icon, POINT hotspot);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Icon() const { return FIcon; }
    POINT Hotspot() const { return FHotspot; }
    const std::shared_ptr<BitmapObject>& Mask() const { return FMask; }
    const std::shared_ptr<BitmapObject>& Color() const { return FColor; }
    // A 32-bit image with any non-zero alpha is blended by its alpha, and its mask is not used.
    bool HasAlpha() const { return FHasAlpha; }

    // The AND mask bit and the image colour (0x00RRGGBB; alpha in the top byte when HasAlpha) at a pixel.
    bool MaskBit(int x, int y) const;
    uint32_t Image(int x, int y) const;

    // The handle table. Handles are shared by copies (CopyIcon makes a new handle for the same pictures).
    static HICON Insert(std::shared_ptr<IconObject> icon);
    // Null with ERROR_INVALID_CURSOR_HANDLE when the handle names no icon.
    static std::shared_ptr<IconObject> Lookup(HICON handle);
    static bool Remove(HICON handle);

    // A private copy of a bitmap (1 or 32 bits per pixel), top-down, not a DIB section.
    static std::shared_ptr<BitmapObject> CopyBitmap(const BitmapObject& source);

private:
    std::shared_ptr<BitmapObject> FMask;
    std::shared_ptr<BitmapObject> FColor;
    bool FIcon;
    POINT FHotspot;
    int FWidth;
    int FHeight;
    bool FHasAlpha = false;
};

}  // namespace win32::gdi::classic
