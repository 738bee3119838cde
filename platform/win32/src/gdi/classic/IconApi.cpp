// CreateIconIndirect, GetIconInfo, CopyIcon, DestroyIcon and DrawIconEx.
#include "IconObject.h"

#include "../DeviceContext.h"
#include "../Raster.h"

#include <win32/winbase.h>

#include <algorithm>

using win32::gdi::BitmapObject;
using win32::gdi::BrushObject;
using win32::gdi::ObjectTable;
using win32::gdi::classic::IconObject;

namespace {

// SM_CXICON and SM_CYICON at 96 DPI.
constexpr int DefaultIconSize = 32;

uint32_t Blend(uint32_t source, uint32_t destination) {
    uint32_t alpha = source >> 24, result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t s = (source >> shift) & 0xFF, d = (destination >> shift) & 0xFF;
        result |= ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
    }
    return result;
}

}  // namespace

HICON CreateIconIndirect(PICONINFO piconinfo) {
    if (!piconinfo || !piconinfo->hbmMask) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto mask = ObjectTable::LookupAs<BitmapObject>(piconinfo->hbmMask);
    if (!mask) return nullptr;
    std::shared_ptr<BitmapObject> color;
    if (piconinfo->hbmColor) {
        color = ObjectTable::LookupAs<BitmapObject>(piconinfo->hbmColor);
        if (!color) return nullptr;
    }
    // Without a colour image the mask holds both halves, so it must be at least two rows high.
    if (!color && mask->Height() < 2) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto maskCopy = IconObject::CopyBitmap(*mask);
    auto colorCopy = color ? IconObject::CopyBitmap(*color) : nullptr;
    int width = color ? color->Width() : mask->Width(), height = color ? color->Height() : mask->Height() / 2;
    // An icon's hot spot is always its centre; a cursor keeps the one given.
    POINT hotspot = piconinfo->fIcon
                        ? POINT{width / 2, height / 2}
                        : POINT{static_cast<LONG>(piconinfo->xHotspot), static_cast<LONG>(piconinfo->yHotspot)};
    return IconObject::Insert(std::make_shared<IconObject>(maskCopy, colorCopy, piconinfo->fIcon != FALSE, hotspot));
}

BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo) {
    auto icon = IconObject::Lookup(hIcon);
    if (!icon) return FALSE;
    if (!piconinfo) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // The caller owns (and deletes) the bitmaps it is given: fresh copies each time.
    piconinfo->fIcon = icon->Icon() ? TRUE : FALSE;
    piconinfo->xHotspot = static_cast<DWORD>(icon->Hotspot().x);
    piconinfo->yHotspot = static_cast<DWORD>(icon->Hotspot().y);
    piconinfo->hbmMask = static_cast<HBITMAP>(ObjectTable::Insert(IconObject::CopyBitmap(*icon->Mask())));
    piconinfo->hbmColor =
        icon->Color() ? static_cast<HBITMAP>(ObjectTable::Insert(IconObject::CopyBitmap(*icon->Color()))) : nullptr;
    return TRUE;
}

HICON CopyIcon(HICON hIcon) {
    auto icon = IconObject::Lookup(hIcon);
    if (!icon) return nullptr;
    // The pictures never change after creation, so the copy can share them.
    return IconObject::Insert(std::make_shared<IconObject>(*icon));
}

BOOL DestroyIcon(HICON hIcon) { return IconObject::Remove(hIcon) ? TRUE : FALSE; }

BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
    (void)istepIfAniCur;  // only animated cursors have steps; a still icon draws its one picture
    auto dc = win32::gdi::LookupDC(hdc);
    if (!dc) return FALSE;
    auto icon = IconObject::Lookup(hIcon);
    if (!icon) return FALSE;
    if ((diFlags & ~(DI_NORMAL | DI_COMPAT | DI_DEFAULTSIZE | DI_NOMIRROR)) || !(diFlags & DI_NORMAL) || cxWidth < 0 ||
        cyWidth < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::shared_ptr<BrushObject> brush;
    if (hbrFlickerFreeDraw) {
        brush = ObjectTable::LookupAs<BrushObject>(hbrFlickerFreeDraw);
        if (!brush) return FALSE;
    }
    int width = cxWidth ? cxWidth : (diFlags & DI_DEFAULTSIZE ? DefaultIconSize : icon->Width());
    int height = cyWidth ? cyWidth : (diFlags & DI_DEFAULTSIZE ? DefaultIconSize : icon->Height());
    RECT target = dc->ToSurface(RECT{xLeft, yTop, xLeft + width, yTop + height});
    // With a brush, the icon lands on a background of that brush, as if drawn off screen and copied.
    if (brush) win32::gdi::FillRects(*dc, {target}, *brush, PATCOPY);

    BitmapObject* surface = dc->Surface();
    if (!surface) return TRUE;
    bool useMask = diFlags & DI_MASK, useImage = diFlags & DI_IMAGE;
    bool blend = useImage && icon->HasAlpha();
    for (const RECT& area : dc->DrawableRegion().Rects()) {
        int left = std::max(area.left, target.left), right = std::min(area.right, target.right);
        int top = std::max(area.top, target.top), bottom = std::min(area.bottom, target.bottom);
        for (int y = top; y < bottom; ++y) {
            int sy = static_cast<int>(static_cast<long long>(y - target.top) * icon->Height() / height);
            for (int x = left; x < right; ++x) {
                int sx = static_cast<int>(static_cast<long long>(x - target.left) * icon->Width() / width);
                uint32_t pixel = surface->BitsPerPixel() == 32 ? surface->Row32(y)[x] & 0x00FFFFFFu
                                                               : win32::gdi::ColorToPixel(surface->GetColor(x, y));
                uint32_t image = icon->Image(sx, sy);
                if (blend) {
                    pixel = Blend(image, pixel);
                } else {
                    // AND with the mask, then XOR with the image; the image alone is copied.
                    if (useMask && !icon->MaskBit(sx, sy)) pixel = 0;
                    if (useImage) pixel = useMask ? (pixel ^ (image & 0x00FFFFFFu)) : (image & 0x00FFFFFFu);
                }
                if (surface->BitsPerPixel() == 32)
                    surface->Row32(y)[x] = pixel;
                else
                    surface->SetColor(x, y, win32::gdi::PixelToColor(pixel));
            }
        }
    }
    return TRUE;
}
