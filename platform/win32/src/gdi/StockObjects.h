// The stock objects: made once, never deleted.
#pragma once

#include "BitmapObject.h"

#include <memory>

namespace win32::gdi {

// WHITE_BRUSH ... DC_PEN; null for an index that names none.
std::shared_ptr<GdiObject> StockObject(int index);
// The 1 x 1 monochrome bitmap a new memory DC holds.
std::shared_ptr<BitmapObject> DefaultBitmap();

}  // namespace win32::gdi
