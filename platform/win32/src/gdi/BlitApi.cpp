// PatBlt, BitBlt, StretchBlt, MaskBlt, StretchDIBits and SetDIBitsToDevice: each maps its rectangles once, keeps
// the source inside its bitmap, and hands the rows to the raster engine.
#include "Raster.h"
#include "Rop.h"
#include "geometry/Rects.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace win32::gdi {
namespace {

constexpr DWORD kBackRopMask = 0xFF000000;

// Destination pixels of a stretch take source pixel groups: column i of the destination (counted from the
// mirrored side when mirrored) covers source columns [start + i * n / m, start + (i + 1) * n / m), at least one.
// COLORONCOLOR keeps the first of each group; BLACKONWHITE ANDs the group and WHITEONBLACK ORs it, which only
// matters when shrinking; HALFTONE averages it.
struct Span {
    int First;
    int Last;  // exclusive
};

std::vector<Span> StretchSpans(int destinationCount, int sourceStart, int sourceCount, bool mirror, int limit,
                               bool firstOnly) {
    std::vector<Span> spans(static_cast<size_t>(destinationCount));
    for (int i = 0; i < destinationCount; ++i) {
        int64_t k = mirror ? destinationCount - 1 - i : i;
        int first = sourceStart + static_cast<int>(k * sourceCount / destinationCount);
        int last = sourceStart + static_cast<int>((k + 1) * sourceCount / destinationCount);
        if (firstOnly || last <= first) last = first + 1;
        // Source pixels outside the bitmap do not exist; a group with none of them draws nothing.
        first = std::max(first, 0);
        last = std::min(last, limit);
        spans[static_cast<size_t>(i)] = {first, std::max(first, last)};
    }
    return spans;
}

class StretchSourceRows : public SourceRows {
public:
    StretchSourceRows(const BitmapObject& source, RECT sourceRect, RECT destinationRect, bool mirrorX, bool mirrorY,
                      int mode, PixelConversion conversion)
        : FSource(source), FDestination(destinationRect), FMode(mode), FConversion(conversion) {
        bool firstOnly = mode != BLACKONWHITE && mode != WHITEONBLACK && mode != HALFTONE;
        FColumns = StretchSpans(destinationRect.right - destinationRect.left, sourceRect.left,
                                sourceRect.right - sourceRect.left, mirrorX, source.Width(), firstOnly);
        FRows = StretchSpans(destinationRect.bottom - destinationRect.top, sourceRect.top,
                             sourceRect.bottom - sourceRect.top, mirrorY, source.Height(), firstOnly);
    }

    // The destination pixels that take at least one source pixel; spans are monotonic, so they form one
    // rectangle.
    RECT Covered() const {
        RECT covered{0, 0, 0, 0};
        auto range = [](const std::vector<Span>& spans, LONG base, LONG& low, LONG& high) {
            int first = -1, last = -1;
            for (size_t i = 0; i < spans.size(); ++i) {
                if (spans[i].First < spans[i].Last) {
                    if (first < 0) first = static_cast<int>(i);
                    last = static_cast<int>(i);
                }
            }
            low = first < 0 ? base : base + first;
            high = first < 0 ? base : base + last + 1;
        };
        range(FColumns, FDestination.left, covered.left, covered.right);
        range(FRows, FDestination.top, covered.top, covered.bottom);
        return covered;
    }

    const uint32_t* Row(int y, int x, int count, uint32_t* scratch) const override {
        const Span& rows = FRows[static_cast<size_t>(y - FDestination.top)];
        for (int i = 0; i < count; ++i) {
            const Span& columns = FColumns[static_cast<size_t>(x + i - FDestination.left)];
            scratch[i] = FConversion(Sample(rows, columns));
        }
        return scratch;
    }

private:
    uint32_t Sample(const Span& rows, const Span& columns) const {
        if (FMode == BLACKONWHITE || FMode == WHITEONBLACK) {
            uint32_t value = FMode == BLACKONWHITE ? ~0u : 0u;
            for (int sy = rows.First; sy < rows.Last; ++sy) {
                for (int sx = columns.First; sx < columns.Last; ++sx) {
                    uint32_t pixel = PixelConversion::Read(FSource, sx, sy);
                    value = FMode == BLACKONWHITE ? value & pixel : value | pixel;
                }
            }
            return value;
        }
        if (FMode == HALFTONE && FSource.BitsPerPixel() == 32) {
            uint32_t sums[4] = {0, 0, 0, 0};
            uint32_t n = 0;
            for (int sy = rows.First; sy < rows.Last; ++sy) {
                for (int sx = columns.First; sx < columns.Last; ++sx, ++n) {
                    uint32_t pixel = FSource.Row32(sy)[sx];
                    for (int c = 0; c < 4; ++c) sums[c] += (pixel >> (8 * c)) & 0xFF;
                }
            }
            uint32_t value = 0;
            for (int c = 0; c < 4; ++c) value |= ((sums[c] + n / 2) / n) << (8 * c);
            return value;
        }
        return PixelConversion::Read(FSource, columns.First, rows.First);
    }

    const BitmapObject& FSource;
    RECT FDestination;
    int FMode;
    PixelConversion FConversion;
    std::vector<Span> FColumns;
    std::vector<Span> FRows;
};

// A copy of part of a bitmap, so that a blit within one bitmap reads the source as it was before any row of
// the destination is written, whatever the direction of the move.
std::shared_ptr<BitmapObject> Snapshot(const BitmapObject& bitmap, const RECT& area) {
    int width = area.right - area.left, height = area.bottom - area.top;
    auto copy = std::make_shared<BitmapObject>(width, height, bitmap.BitsPerPixel(), true, false);
    copy->SetPalette(0, bitmap.Palette(0));
    copy->SetPalette(1, bitmap.Palette(1));
    for (int y = 0; y < height; ++y) {
        if (bitmap.BitsPerPixel() == 32) {
            std::memcpy(copy->Row32(y), bitmap.Row32(area.top + y) + area.left, static_cast<size_t>(width) * 4);
        } else {
            for (int x = 0; x < width; ++x) copy->SetBit(x, y, bitmap.Bit(area.left + x, area.top + y));
        }
    }
    return copy;
}

const BrushObject* SelectedBrush(const DeviceContext& dc) { return dc.State().Brush.get(); }

// The operations that read no source: a rectangle of the destination and the selected brush.
BOOL FillArea(DeviceContext& dc, const RECT& logical, DWORD rop, const BitmapObject* mask = nullptr,
              POINT maskCorner = {0, 0}, DWORD backRop = 0) {
    RECT area = NormalRect(dc.ToSurface(logical));
    RasterJob job;
    job.Brush = SelectedBrush(dc);
    job.Rop = rop;
    job.Mask = mask;
    job.MaskOffset = {maskCorner.x - area.left, maskCorner.y - area.top};
    job.BackRop = backRop;
    RunRaster(dc, {area}, job);
    return TRUE;
}

// A pixel-for-pixel blit: destination rectangle (logical, positive extents) from the source bitmap at a corner
// in the source's surface coordinates.
void BlitPixels(DeviceContext& dc, const RECT& logical, const BitmapObject& source, POINT sourceCorner,
                const PixelConversion& conversion, DWORD rop, const BitmapObject* mask = nullptr,
                POINT maskCorner = {0, 0}, DWORD backRop = 0) {
    BitmapObject* surface = dc.Surface();
    if (!surface) return;
    RECT area = NormalRect(dc.ToSurface(logical));
    POINT offset{sourceCorner.x - area.left, sourceCorner.y - area.top};
    POINT maskOffset{maskCorner.x - area.left, maskCorner.y - area.top};
    // Only the part of the source rectangle that lies on the source bitmap is copied.
    RECT sourceBounds{-offset.x, -offset.y, source.Width() - offset.x, source.Height() - offset.y};
    area = Intersection(area, sourceBounds);
    if (area.left >= area.right) return;

    std::shared_ptr<BitmapObject> copy;
    const BitmapObject* from = &source;
    if (&source == surface) {
        RECT sourceArea{area.left + offset.x, area.top + offset.y, area.right + offset.x, area.bottom + offset.y};
        copy = Snapshot(source, sourceArea);
        from = copy.get();
        offset = {-area.left, -area.top};
    }
    BitmapSourceRows rows(*from, offset, conversion);
    RasterJob job;
    job.Source = &rows;
    job.Brush = SelectedBrush(dc);
    job.Rop = rop;
    job.Mask = mask;
    job.MaskOffset = maskOffset;
    job.BackRop = backRop;
    RunRaster(dc, {area}, job);
}

// The stretched form: rectangles as ExtentRect gives them, mirrored where the extents' signs differ.
void BlitStretched(DeviceContext& dc, const RECT& logical, const BitmapObject& source, const RECT& sourceRect,
                   bool mirrorX, bool mirrorY, const PixelConversion& conversion, DWORD rop) {
    BitmapObject* surface = dc.Surface();
    if (!surface) return;
    RECT area = NormalRect(dc.ToSurface(logical));
    if (area.left >= area.right || area.top >= area.bottom) return;
    std::shared_ptr<BitmapObject> copy;
    const BitmapObject* from = &source;
    RECT fromRect = sourceRect;
    if (&source == surface) {
        RECT whole{0, 0, source.Width(), source.Height()};
        copy = Snapshot(source, whole);
        from = copy.get();
    }
    int mode = dc.State().StretchMode;
    StretchSourceRows rows(*from, fromRect, area, mirrorX, mirrorY, mode, conversion);
    RasterJob job;
    job.Source = &rows;
    job.Brush = SelectedBrush(dc);
    job.Rop = rop;
    RunRaster(dc, {rows.Covered()}, job);
}

PixelConversion DcConversion(const DeviceContext& destination, const BitmapObject& destinationSurface,
                             const DeviceContext& source, const BitmapObject& sourceSurface) {
    return PixelConversion(sourceSurface, destinationSurface, destination.State().TextColor,
                           destination.State().BkColor, source.State().BkColor);
}

// A BitBlt or MaskBlt with its extents made positive: negative extents name the same pixels from the other
// side in both rectangles, so nothing is mirrored.
void Unflip(int& x, int& width, int& sourceX, int& maskX) {
    if (width < 0) {
        x += width + 1;
        sourceX += width + 1;
        maskX += width + 1;
        width = -width;
    }
}

BOOL NeedSourceDc(HDC hdcSrc, std::shared_ptr<DeviceContext>& source) {
    if (!hdcSrc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    source = LookupDC(hdcSrc);
    return source ? TRUE : FALSE;
}

// A packed or split DIB's rows, or null (error set) when the header is one DecodeDib refuses.
const BITMAPINFOHEADER* DibHeader(const BITMAPINFO* info) {
    if (!info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) || info->bmiHeader.biWidth <= 0 ||
        info->bmiHeader.biHeight == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return &info->bmiHeader;
}

}  // namespace

}  // namespace win32::gdi

using namespace win32::gdi;
using win32::NormalRect;

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (Rop3(rop).UsesSource()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return FillArea(*dc, ExtentRect(x, y, w, h), rop);
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    auto dc = LookupDC(hdc);
    if (!dc) return FALSE;
    if (!Rop3(rop).UsesSource()) return FillArea(*dc, ExtentRect(x, y, cx, cy), rop);
    std::shared_ptr<DeviceContext> source;
    if (!NeedSourceDc(hdcSrc, source)) return FALSE;
    int unusedMask = 0;
    Unflip(x, cx, x1, unusedMask);
    Unflip(y, cy, y1, unusedMask);
    BitmapObject* surface = dc->Surface();
    BitmapObject* sourceSurface = source->Surface();
    if (!surface || !sourceSurface) return TRUE;
    BlitPixels(*dc, RECT{x, y, x + cx, y + cy}, *sourceSurface, source->ToSurface(POINT{x1, y1}),
               DcConversion(*dc, *surface, *source, *sourceSurface), rop);
    return TRUE;
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop) {
    auto dc = LookupDC(hdcDest);
    if (!dc) return FALSE;
    if (!Rop3(rop).UsesSource()) return FillArea(*dc, ExtentRect(xDest, yDest, wDest, hDest), rop);
    std::shared_ptr<DeviceContext> source;
    if (!NeedSourceDc(hdcSrc, source)) return FALSE;
    if (wDest == wSrc && hDest == hSrc) return BitBlt(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, rop);
    if (wSrc == 0 || hSrc == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (wDest == 0 || hDest == 0) return TRUE;
    BitmapObject* surface = dc->Surface();
    BitmapObject* sourceSurface = source->Surface();
    if (!surface || !sourceSurface) return TRUE;
    RECT sourceRect = NormalRect(source->ToSurface(ExtentRect(xSrc, ySrc, wSrc, hSrc)));
    BlitStretched(*dc, ExtentRect(xDest, yDest, wDest, hDest), *sourceSurface, sourceRect, (wDest < 0) != (wSrc < 0),
                  (hDest < 0) != (hSrc < 0), DcConversion(*dc, *surface, *source, *sourceSurface), rop);
    return TRUE;
}

BOOL MaskBlt(HDC hdcDest, int xDest, int yDest, int width, int height, HDC hdcSrc, int xSrc, int ySrc, HBITMAP hbmMask,
             int xMask, int yMask, DWORD rop) {
    DWORD foreRop = rop & ~kBackRopMask;
    if (!hbmMask) return BitBlt(hdcDest, xDest, yDest, width, height, hdcSrc, xSrc, ySrc, foreRop);
    auto dc = LookupDC(hdcDest);
    if (!dc) return FALSE;
    auto mask = ObjectTable::LookupAs<BitmapObject>(hbmMask);
    if (!mask) return FALSE;
    if (mask->BitsPerPixel() != 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD backRop = (rop >> 8) & 0x00FF0000;
    Unflip(xDest, width, xSrc, xMask);
    Unflip(yDest, height, ySrc, yMask);
    RECT logical{xDest, yDest, xDest + width, yDest + height};
    if (!Rop3(foreRop).UsesSource() && !Rop3(backRop).UsesSource()) {
        return FillArea(*dc, logical, foreRop, mask.get(), POINT{xMask, yMask}, backRop);
    }
    std::shared_ptr<DeviceContext> source;
    if (!NeedSourceDc(hdcSrc, source)) return FALSE;
    BitmapObject* surface = dc->Surface();
    BitmapObject* sourceSurface = source->Surface();
    if (!surface || !sourceSurface) return TRUE;
    BlitPixels(*dc, logical, *sourceSurface, source->ToSurface(POINT{xSrc, ySrc}),
               DcConversion(*dc, *surface, *source, *sourceSurface), foreRop, mask.get(), POINT{xMask, yMask}, backRop);
    return TRUE;
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc, int SrcWidth,
                  int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage, DWORD rop) {
    auto dc = LookupDC(hdc);
    if (!dc) return 0;
    const BITMAPINFOHEADER* header = DibHeader(lpbmi);
    if (!header) return 0;
    int lines = std::abs(SrcHeight);
    if (!Rop3(rop).UsesSource()) {
        FillArea(*dc, ExtentRect(xDest, yDest, DestWidth, DestHeight), rop);
        return lines;
    }
    if (!lpBits || SrcWidth == 0 || SrcHeight == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int height = std::abs(header->biHeight);
    auto image = DecodeDib(lpbmi, lpBits, iUsage, 0, height);
    if (!image) return 0;
    BitmapObject* surface = dc->Surface();
    if (!surface) return lines;
    if (DestWidth == 0 || DestHeight == 0) return lines;
    // A bottom-up DIB counts its source rows from the bottom.
    RECT sourceRect = NormalRect(ExtentRect(xSrc, ySrc, SrcWidth, SrcHeight));
    if (header->biHeight > 0) {
        RECT flipped{sourceRect.left, height - sourceRect.bottom, sourceRect.right, height - sourceRect.top};
        sourceRect = flipped;
    }
    PixelConversion conversion(*image, *surface, dc->State().TextColor, dc->State().BkColor, 0, true);
    bool mirrorX = (DestWidth < 0) != (SrcWidth < 0);
    bool mirrorY = (DestHeight < 0) != (SrcHeight < 0);
    if (DestWidth == SrcWidth && DestHeight == SrcHeight) {
        RECT logical = NormalRect(ExtentRect(xDest, yDest, DestWidth, DestHeight));
        BlitPixels(*dc, logical, *image, POINT{sourceRect.left, sourceRect.top}, conversion, rop);
    } else {
        BlitStretched(*dc, ExtentRect(xDest, yDest, DestWidth, DestHeight), *image, sourceRect, mirrorX, mirrorY,
                      conversion, rop);
    }
    return lines;
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan, UINT cLines,
                      const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse) {
    auto dc = LookupDC(hdc);
    if (!dc) return 0;
    const BITMAPINFOHEADER* header = DibHeader(lpbmi);
    if (!header) return 0;
    if (!lpvBits) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int height = std::abs(header->biHeight);
    if (cLines == 0 || StartScan >= static_cast<UINT>(height)) return 0;
    int lines = static_cast<int>(std::min<UINT>(cLines, static_cast<UINT>(height) - StartScan));
    auto band = DecodeDib(lpbmi, lpvBits, ColorUse, 0, lines);
    if (!band) return 0;
    BitmapObject* surface = dc->Surface();
    if (!surface) return lines;
    int width = static_cast<int>(std::min<DWORD>(w, 0x7FFFFFFF));
    int rows = static_cast<int>(std::min<DWORD>(h, 0x7FFFFFFF));
    // The band's rows are numbered as the DIB numbers them: from the bottom for a bottom-up DIB, so the band's
    // top row is DIB row StartScan + lines - 1; from the top for a top-down one.
    int start = static_cast<int>(StartScan);
    int bandRow = header->biHeight > 0 ? start + lines - ySrc - rows : ySrc - start;
    PixelConversion conversion(*band, *surface, dc->State().TextColor, dc->State().BkColor, 0, true);
    BlitPixels(*dc, RECT{xDest, yDest, xDest + width, yDest + rows}, *band, POINT{xSrc, bandRow}, conversion, SRCCOPY);
    return lines;
}
