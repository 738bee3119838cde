// The screen's pixel format: a small device-format DIB made by the toolkit, asked through GDI what it holds.
#include "shims/PixelFormat.h"

namespace sk_shims {

TPixelFormat DetectScreenPixelFormat() {
    TBitmap bitmap;
    bitmap.SetHandleType(bmDIB);
    bitmap.SetPixelFormat(pfDevice);
    bitmap.SetSize(4, 4);
    HGDIOBJ selected = GetCurrentObject(bitmap.Canvas().Handle(), OBJ_BITMAP);
    DIBSECTION section{};
    if (!selected || GetObjectA(selected, sizeof section, &section) != static_cast<int>(sizeof section)) {
        return pfCustom;
    }
    switch (section.dsBm.bmBitsPixel) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 15: return pf15bit;
    case 16: return pf16bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: return pfCustom;
    }
}

}  // namespace sk_shims
