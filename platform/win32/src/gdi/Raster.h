// The pixel engine every primitive ends in: filling rectangles with a brush under a ternary raster operation.
#pragma once

#include "DeviceContext.h"

#include <vector>

namespace win32::gdi {

// Fills the rectangles, given in surface coordinates, with the brush under the ternary raster operation rop
// (PATCOPY, PATINVERT, DSTINVERT, BLACKNESS...; only its high-order byte counts). They are clipped to the DC's
// drawable region here. The pattern is aligned to the DC's brush origin; a monochrome pattern takes the text
// colour for 0 bits and the background colour for 1 bits, as GDI does. Pixels written get alpha 0.
void FillRects(DeviceContext& dc, const std::vector<RECT>& rects, const BrushObject& brush, DWORD rop);

// The same for a region in surface coordinates.
void FillRegion(DeviceContext& dc, const Region& region, const BrushObject& brush, DWORD rop);

// The ternary operation that a binary one (R2_COPYPEN...) performs with the pen as pattern: R2_COPYPEN is
// PATCOPY, R2_XORPEN is PATINVERT, R2_NOT is DSTINVERT.
DWORD Rop2ToRop3(int rop2);

// A solid brush of one colour, for pens and text backgrounds.
BrushObject SolidBrush(COLORREF color);

}  // namespace win32::gdi
