// The pixel engine every primitive ends in: filling rectangles with a brush under a ternary raster operation.
#pragma once

#include "DeviceContext.h"
#include "geometry/Rects.h"

#include <memory>
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

// Where a blit's source pixels come from, already in the destination's pixel form (32-bit pixels, or for a
// 1-bit destination all ones or all zeros per pixel).
class SourceRows {
public:
    virtual ~SourceRows() = default;
    // The source for destination surface row y, columns x to x + count. It may point into the source bitmap or
    // into scratch, which holds count pixels.
    virtual const uint32_t* Row(int y, int x, int count, uint32_t* scratch) const = 0;
    // For rows that fill their bitmap's whole width: the source of rows y to y + rows as one block of memory laid
    // out as those destination rows are (same stride, same order), or null when it is not, so that a large copy
    // runs as one memory move.
    virtual const uint32_t* Block(const BitmapObject& destination, int y, int rows, int x, int count) const {
        (void)destination, (void)y, (void)rows, (void)x, (void)count;
        return nullptr;
    }
};

// A whole raster operation over rectangles in surface coordinates (clipped to the DC's drawable region here).
struct RasterJob {
    const SourceRows* Source = nullptr;  // needed when the operation reads the source
    const BrushObject* Brush = nullptr;  // null acts as the null brush
    DWORD Rop = PATCOPY;
    // MaskBlt: where the 1-bit mask has a 1 the operation is Rop, where it has a 0 it is BackRop. Mask pixel
    // (x + MaskOffset.x, y + MaskOffset.y) belongs to surface pixel (x, y); outside the mask bitmap counts as 0.
    const BitmapObject* Mask = nullptr;
    POINT MaskOffset{0, 0};
    DWORD BackRop = 0;
};
void RunRaster(DeviceContext& dc, const std::vector<RECT>& rects, const RasterJob& job);

// Turns source pixels as read (32-bit pixels, or all ones / all zeros for a 1-bit source) into destination
// pixels. A 1-bit source onto a colour destination turns 0 bits into textColor and 1 bits into bkColor; a colour
// source onto a 1-bit destination turns pixels equal to sourceBkColor into 1 and all others into 0, or with
// nearestMono (DIB functions) each pixel into the nearer of the destination's two colours.
class PixelConversion {
public:
    PixelConversion(const BitmapObject& source, const BitmapObject& destination, COLORREF textColor, COLORREF bkColor,
                    COLORREF sourceBkColor, bool nearestMono = false);
    // A source pixel as read: the 32-bit pixel, or all ones / all zeros.
    static uint32_t Read(const BitmapObject& source, int x, int y) {
        return source.BitsPerPixel() == 1 ? (source.Bit(x, y) ? ~0u : 0u) : source.Row32(y)[x];
    }
    uint32_t operator()(uint32_t raw) const;
    bool Identity() const { return FSourceMono == FDestinationMono; }

private:
    const BitmapObject& FDestination;
    bool FSourceMono;
    bool FDestinationMono;
    bool FNearestMono;
    uint32_t FText;
    uint32_t FBack;
    uint32_t FSourceBack;
};

// The source rows of a blit from a bitmap, pixel for pixel: surface pixel (x, y) takes source pixel
// (x + offset.x, y + offset.y), which the caller keeps inside the source bitmap.
class BitmapSourceRows : public SourceRows {
public:
    BitmapSourceRows(const BitmapObject& source, POINT offset, PixelConversion conversion)
        : FSource(source), FOffset(offset), FConversion(conversion) {}
    const uint32_t* Row(int y, int x, int count, uint32_t* scratch) const override;
    const uint32_t* Block(const BitmapObject& destination, int y, int rows, int x, int count) const override;

private:
    const BitmapObject& FSource;
    POINT FOffset;
    PixelConversion FConversion;
};

// Reduces a 32-bit pixel or a COLORREF to one bit of a 1-bit bitmap: the nearer of its two palette colours.
bool NearestMonoBit(const BitmapObject& mono, COLORREF color);

// A DIB given as BITMAPINFO and bits (BI_RGB with 1, 4, 8, 16, 24 or 32 bits per pixel, or BI_BITFIELDS with
// 16 or 32), rows firstRow to firstRow + rowCount in memory order, decoded into a top-down 32-bit bitmap whose row
// 0 is the top of those rows. Colour-table colours get alpha 0; 32-bit pixels keep their bytes. Null with
// ERROR_INVALID_PARAMETER for other formats or for DIB_PAL_COLORS.
std::shared_ptr<BitmapObject> DecodeDib(const BITMAPINFO* info, const void* bits, UINT usage, int firstRow,
                                        int rowCount);
// Bytes a DIB's header and colour table take before the bits of a packed DIB; 0 for a header DecodeDib refuses.
size_t DibHeaderSize(const BITMAPINFO* info);

// A rectangle from a corner and signed extents, as blits take them: a negative extent reaches back from the
// corner pixel, which stays inside (x = 9, width = -10 covers 0 to 9).
RECT ExtentRect(int x, int y, int width, int height);

}  // namespace win32::gdi
