// A line of glyphs with their advances, and how ExtTextOut lays it on a device context: alignment, the current
// position, escapement, the opaque cell, underline and strike-out, clipping.
#pragma once

#include "FontInstance.h"

#include <vector>

namespace win32::gdi {

class DeviceContext;
class FontObject;

class TextRun {
public:
    // Advances come from lpDx when given, else from the glyphs; the DC's character extra is added to each.
    TextRun(FontInstance& font, const char16_t* text, int count, const INT* dx, int charExtra, bool glyphIndices);

    int Width() const { return FWidth; }
    const std::vector<int>& Advances() const { return FAdvances; }

    // Draws at the logical point (x, y) (or the current position with TA_UPDATECP). options holds ETO_OPAQUE
    // and ETO_CLIPPED, rect the logical rectangle they use (null for neither).
    void Paint(DeviceContext& dc, const FontObject& font, int x, int y, UINT options, const RECT* rect) const;

private:
    FontInstance& FFont;
    std::vector<GlyphRef> FGlyphs;  // held, so the cache may drop them while the run lives
    std::vector<int> FAdvances;
    int FWidth = 0;
};

}  // namespace win32::gdi
