// The selected pen of a device context turned into pixels: one-pixel cosmetic lines with their style patterns,
// or geometric strokes for wide pens, painted under the DC's binary raster operation.
#pragma once

#include "DeviceContext.h"
#include "PixelSpans.h"

#include <cstdint>
#include <vector>

namespace win32::gdi {

class PenPainter {
public:
    explicit PenPainter(DeviceContext& dc);

    // False when the pen asks for something this GDI does not draw (a styled wide pen): callers fail with
    // ERROR_NOT_SUPPORTED rather than draw something else.
    bool Supported() const { return FSupported; }
    bool Null() const { return FNull; }
    // Width in device units (a width of 0 draws one pixel wide).
    int Width() const { return FWidth; }
    bool InsideFrame() const { return FInsideFrame; }
    // Where anything can land: the bounding box of the DC's drawable region, in surface coordinates.
    const RECT& Box() const { return FBox; }

    // Queues the outline of a polyline in surface coordinates (closed: back to its first point). Cosmetic pens
    // leave out each segment's end point and run their style pattern on from segment to segment, starting afresh
    // with each call; wide pens add a stroke with round joins.
    void AddPolyline(const POINT* points, size_t count, bool closed);
    // Every pixel the queued outline will paint, for cutting it out of an interior.
    const PixelSpans& Covered() const { return FCovered; }
    // Paints the queued outline and empties the queue.
    void Flush();

private:
    struct Pixel {
        int x;
        int y;
        bool gap;  // a gap of a styled line, painted in the background colour when the mode is OPAQUE
    };
    bool Visible(int x, int y) const;
    void PaintPixel(int x, int y, uint32_t andMask, uint32_t xorMask);

    DeviceContext& FDc;
    BitmapObject* FSurface;
    const Region& FDrawable;
    RECT FBox;
    bool FSupported = true;
    bool FNull = false;
    bool FWide = false;
    bool FInsideFrame = false;
    bool FOpaqueGaps = false;
    int FWidth = 1;
    UINT FEndCap = PS_ENDCAP_ROUND;
    std::vector<int> FPattern;  // alternating on and off lengths; empty for a solid pen
    uint32_t FPenAnd = 0, FPenXor = 0, FGapAnd = 0, FGapXor = 0;
    std::vector<Pixel> FPixels;  // cosmetic outline, in drawing order
    PixelSpans FStroke;          // wide outline
    PixelSpans FCovered;
};

// Logical points to surface points. Fails (ERROR_INVALID_PARAMETER) for coordinates beyond the 27 bits that
// GDI's fixed-point geometry holds, which also keeps the scan converters' arithmetic far from overflow.
bool ToSurfacePoints(const DeviceContext& dc, const POINT* points, size_t count, std::vector<POINT>& out);

// The AND and XOR masks that make a binary raster operation (R2_BLACK ... R2_WHITE) with the pen value pen:
// result = (destination & andMask) ^ xorMask, bit for bit.
void Rop2Masks(int rop2, uint32_t pen, uint32_t& andMask, uint32_t& xorMask);

}  // namespace win32::gdi
