// The screen's pixel format, read from a device-format toolkit bitmap.
#pragma once

#include <toolkit/Bitmap.h>

namespace sk_shims {

TPixelFormat DetectScreenPixelFormat();

}  // namespace sk_shims
