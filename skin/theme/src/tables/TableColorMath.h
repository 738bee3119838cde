// Hue and brightness shifts of one toolkit colour, as the theme tables derive them.
#pragma once

#include <toolkit/Graphics.h>

namespace sktables {

// The colour through ColorToPixel, ChangePixelHue / ChangePixelBrightness and PixelToColor: a plain RGB colour
// comes out, system-colour codes resolved. Deltas far outside the colour range are first brought to an
// equivalent one (brightness saturates at 255; hue turns round every 255 steps), so no delta overflows.
TColor ShiftHue(TColor color, int delta);
TColor ShiftBrightness(TColor color, int delta);

}  // namespace sktables
