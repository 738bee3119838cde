// Hue and brightness of one table colour through the pixel formulas.
#include "tables/TableColorMath.h"

#include <skin/PixelOps.h>

#include <algorithm>

namespace sktables {

TColor ShiftHue(TColor color, int delta) {
    // Within one turn the pixel formula runs on the delta as given; beyond it only the remainder matters.
    if (delta > 255 || delta < -255) delta %= 255;
    return PixelToColor(ChangePixelHue(ColorToPixel(color, 255), delta));
}

TColor ShiftBrightness(TColor color, int delta) {
    delta = std::clamp(delta, -255, 255);
    return PixelToColor(ChangePixelBrightness(ColorToPixel(color, 255), delta));
}

}  // namespace sktables
