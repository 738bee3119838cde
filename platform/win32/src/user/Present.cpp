// Presenting: what was drawn into a top-level surface goes to the display driver, as the changed rectangle only.
#include "geometry/Rects.h"
#include "user/Painting.h"

#include <backend/Driver.h>

#include <algorithm>
#include <vector>

namespace win32::user {
void MarkSurfaceDirty(Window& root, const RECT& surfaceRect) {
    if (EmptyRect(surfaceRect)) return;
    RECT& dirty = root.SurfaceDirty;
    if (EmptyRect(dirty)) {
        dirty = surfaceRect;
        return;
    }
    dirty.left = std::min(dirty.left, surfaceRect.left);
    dirty.top = std::min(dirty.top, surfaceRect.top);
    dirty.right = std::max(dirty.right, surfaceRect.right);
    dirty.bottom = std::max(dirty.bottom, surfaceRect.bottom);
}

void PresentPending() {
    for (Window* top : Desktop().Children) {
        if (!top->Surface) continue;
        gdi::BitmapObject& surface = *top->Surface;
        RECT bounds{0, 0, surface.Width(), surface.Height()};
        // A surface that was replaced (the window was resized) goes out whole, whatever changed in it.
        if (top->PresentedSize.cx != bounds.right || top->PresentedSize.cy != bounds.bottom) {
            top->SurfaceDirty = bounds;
            top->PresentedSize = SIZE{bounds.right, bounds.bottom};
        }
        RECT dirty = top->SurfaceDirty;
        dirty.left = std::max(dirty.left, LONG{0});
        dirty.top = std::max(dirty.top, LONG{0});
        dirty.right = std::min(dirty.right, bounds.right);
        dirty.bottom = std::min(dirty.bottom, bounds.bottom);
        top->SurfaceDirty = RECT{0, 0, 0, 0};
        if (EmptyRect(dirty) || surface.BitsPerPixel() != 32) continue;
        // GDI leaves alpha at 0, so the pixels already read as the driver's 0x00RRGGBB.
        if (surface.TopDown()) {
            backend::CurrentDriver().Present(top->Handle, surface.Row32(0), bounds.right, bounds.bottom, bounds.right,
                                             dirty);
        } else {
            std::vector<uint32_t> rows(static_cast<size_t>(bounds.right) * bounds.bottom);
            for (int y = 0; y < bounds.bottom; ++y) {
                std::copy_n(surface.Row32(y), bounds.right, rows.data() + static_cast<size_t>(y) * bounds.right);
            }
            backend::CurrentDriver().Present(top->Handle, rows.data(), bounds.right, bounds.bottom, bounds.right,
                                             dirty);
        }
    }
}

}  // namespace win32::user
