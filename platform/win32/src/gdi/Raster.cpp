// Every fill and blit ends here: the brush becomes rows of pattern pixels, the source rows of destination pixels,
// and the ternary operation engine runs over each clipped rectangle, one row at a time.
#include "Raster.h"

#include "Rop.h"

#include <algorithm>
#include <cstring>

namespace win32::gdi {
namespace {

// A pixel made from a colour (a brush, a monochrome source's colours) has alpha 0. The operations themselves work on
// whole pixels, alpha included, as on a Windows DIB section: DSTINVERT inverts the top byte, PATINVERT with a
// colour keeps it, WHITENESS sets it and BLACKNESS or PATCOPY clear it.
constexpr uint32_t kColorBits = 0x00FFFFFF;

int Wrap(int value, int size) {
    int r = value % size;
    return r < 0 ? r + size : r;
}

// The six hatches on their 8 x 8 grid, before the brush origin is applied.
bool HatchBit(int hatch, int x, int y) {
    switch (hatch) {
    case HS_HORIZONTAL: return y == 4;
    case HS_VERTICAL: return x == 4;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x + y == 7;
    case HS_CROSS: return x == 4 || y == 4;
    case HS_DIAGCROSS: return x == y || x + y == 7;
    default: return false;
    }
}

// A brush as rows of destination pixels, aligned to the DC's brush origin. Transparent hatches also mark the
// gaps the operation must leave alone.
class PatternRows {
public:
    PatternRows(const DeviceContext& dc, const BrushObject* brush, const BitmapObject& destination)
        : FDestination(destination), FMono(destination.BitsPerPixel() == 1) {
        if (!brush || brush->Style == BS_NULL) return;
        const DcState& state = dc.State();
        FOrigin = dc.BrushOrigin();
        switch (brush->Style) {
        case BS_SOLID: {
            COLORREF color = brush->DcBrush ? state.DcBrushColor : brush->Color;
            FSolid = FromColor(color);
            FKind = Kind::Solid;
            return;
        }
        case BS_HATCHED: {
            FWidth = FHeight = 8;
            uint32_t line = FromColor(brush->Color), gap = FromColor(state.BkColor);
            bool transparent = state.BkMode == TRANSPARENT;
            FPixels.resize(64);
            if (transparent) FGaps.resize(64);
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    bool on = HatchBit(brush->Hatch, x, y);
                    FPixels[y * 8 + x] = on ? line : gap;
                    if (transparent) FGaps[y * 8 + x] = !on;
                }
            }
            FKind = Kind::Pattern;
            return;
        }
        default: break;
        }
        const BitmapObject* pattern = brush->Pattern.get();
        if (!pattern || pattern->Width() <= 0 || pattern->Height() <= 0) return;
        FWidth = pattern->Width();
        FHeight = pattern->Height();
        FPixels.resize(static_cast<size_t>(FWidth) * FHeight);
        // A monochrome pattern takes the DC's colours when it is drawn: 0 bits the text colour, 1 bits the
        // background colour.
        uint32_t zero = FromColor(state.TextColor), one = FromColor(state.BkColor);
        for (int y = 0; y < FHeight; ++y) {
            for (int x = 0; x < FWidth; ++x) {
                uint32_t value;
                if (pattern->BitsPerPixel() == 1) {
                    value = pattern->Bit(x, y) ? one : zero;
                } else {
                    uint32_t pixel = pattern->Row32(y)[x] & kColorBits;
                    value = FMono ? FromColor(PixelToColor(pixel)) : pixel;
                }
                FPixels[static_cast<size_t>(y) * FWidth + x] = value;
            }
        }
        FKind = Kind::Pattern;
    }

    bool Null() const { return FKind == Kind::None; }
    bool Solid() const { return FKind == Kind::Solid; }
    uint32_t SolidValue() const { return FSolid; }
    bool HasGaps() const { return !FGaps.empty(); }

    // Pattern pixels for surface row y, columns x to x + count; gaps, when the pattern has them, get 1 where the
    // destination stays as it is.
    void Row(int y, int x, int count, uint32_t* out, uint8_t* gaps) const {
        int row = Wrap(y - FOrigin.y, FHeight);
        int column = Wrap(x - FOrigin.x, FWidth);
        const uint32_t* source = FPixels.data() + static_cast<size_t>(row) * FWidth;
        const uint8_t* gapRow = HasGaps() ? FGaps.data() + static_cast<size_t>(row) * FWidth : nullptr;
        for (int i = 0; i < count; ++i) {
            out[i] = source[column];
            if (gaps) gaps[i] = gapRow ? gapRow[column] : 0;
            if (++column == FWidth) column = 0;
        }
    }

private:
    enum class Kind { None, Solid, Pattern };

    uint32_t FromColor(COLORREF color) const {
        if (FMono) return NearestMonoBit(FDestination, color) ? ~0u : 0u;
        return ColorToPixel(color);
    }

    const BitmapObject& FDestination;
    bool FMono;
    Kind FKind = Kind::None;
    uint32_t FSolid = 0;
    POINT FOrigin{0, 0};
    int FWidth = 1;
    int FHeight = 1;
    std::vector<uint32_t> FPixels;
    std::vector<uint8_t> FGaps;
};

bool MaskBit(const BitmapObject& mask, int x, int y) {
    if (x < 0 || y < 0 || x >= mask.Width() || y >= mask.Height()) return false;
    return mask.Bit(x, y);
}

}  // namespace

bool NearestMonoBit(const BitmapObject& mono, COLORREF color) {
    auto distance = [color](RGBQUAD q) {
        int r = GetRValue(color) - q.rgbRed, g = GetGValue(color) - q.rgbGreen, b = GetBValue(color) - q.rgbBlue;
        return r * r + g * g + b * b;
    };
    return distance(mono.Palette(1)) < distance(mono.Palette(0));
}

PixelConversion::PixelConversion(const BitmapObject& source, const BitmapObject& destination, COLORREF textColor,
                                 COLORREF bkColor, COLORREF sourceBkColor, bool nearestMono)
    : FDestination(destination),
      FSourceMono(source.BitsPerPixel() == 1),
      FDestinationMono(destination.BitsPerPixel() == 1),
      FNearestMono(nearestMono),
      FText(ColorToPixel(textColor)),
      FBack(ColorToPixel(bkColor)),
      FSourceBack(ColorToPixel(sourceBkColor)) {}

uint32_t PixelConversion::operator()(uint32_t raw) const {
    if (FSourceMono == FDestinationMono) return raw;
    if (FSourceMono) return raw ? FBack : FText;
    if (FNearestMono) return NearestMonoBit(FDestination, PixelToColor(raw)) ? ~0u : 0u;
    return (raw & kColorBits) == FSourceBack ? ~0u : 0u;
}

const uint32_t* BitmapSourceRows::Row(int y, int x, int count, uint32_t* scratch) const {
    int sx = x + FOffset.x, sy = y + FOffset.y;
    if (FSource.BitsPerPixel() == 32 && FConversion.Identity()) return FSource.Row32(sy) + sx;
    if (FSource.BitsPerPixel() == 32) {
        const uint32_t* row = FSource.Row32(sy) + sx;
        for (int i = 0; i < count; ++i) scratch[i] = FConversion(row[i]);
    } else {
        const uint8_t* row = FSource.RowBytes(sy);
        for (int i = 0; i < count; ++i) {
            int bx = sx + i;
            scratch[i] = FConversion(((row[bx >> 3] >> (7 - (bx & 7))) & 1) ? ~0u : 0u);
        }
    }
    return scratch;
}

const uint32_t* BitmapSourceRows::Block(const BitmapObject& destination, int y, int rows, int x, int count) const {
    int sx = x + FOffset.x, sy = y + FOffset.y;
    if (FSource.BitsPerPixel() != 32 || !FConversion.Identity() || sx != 0 || count * 4 != FSource.Stride() ||
        FSource.Stride() != destination.Stride() || FSource.TopDown() != destination.TopDown()) {
        return nullptr;
    }
    return reinterpret_cast<const uint32_t*>(FSource.TopDown() ? FSource.RowBytes(sy)
                                                               : FSource.RowBytes(sy + rows - 1));
}

void RunRaster(DeviceContext& dc, const std::vector<RECT>& rects, const RasterJob& job) {
    BitmapObject* surface = dc.Surface();
    if (!surface) return;
    Rop3 fore(job.Rop);
    Rop3 back(job.Mask ? job.BackRop : job.Rop);
    bool masked = job.Mask != nullptr;
    bool needsPattern = fore.UsesPattern() || (masked && back.UsesPattern());
    bool needsSource = fore.UsesSource() || (masked && back.UsesSource());
    if (needsSource && !job.Source) return;

    PatternRows pattern(dc, needsPattern ? job.Brush : nullptr, *surface);
    // The null brush draws nothing, whatever the operation does with the destination.
    if (needsPattern && pattern.Null()) return;

    std::vector<RECT> clipped;
    const Region& drawable = dc.DrawableRegion();
    for (const RECT& rect : rects) {
        if (rect.left >= rect.right || rect.top >= rect.bottom) continue;
        for (const RECT& clip : drawable.Rects()) {
            RECT piece{std::max(rect.left, clip.left), std::max(rect.top, clip.top), std::min(rect.right, clip.right),
                       std::min(rect.bottom, clip.bottom)};
            if (piece.left < piece.right && piece.top < piece.bottom) clipped.push_back(piece);
        }
    }
    if (clipped.empty()) return;

    int widest = 0;
    for (const RECT& rect : clipped) widest = std::max(widest, static_cast<int>(rect.right - rect.left));
    size_t width = static_cast<size_t>(widest);
    bool mono = surface->BitsPerPixel() == 1;
    bool patterned = needsPattern && !pattern.Solid();
    bool gapped = patterned && pattern.HasGaps();
    std::vector<uint32_t> sourceScratch(needsSource ? width : 0);
    std::vector<uint32_t> patternRow(patterned ? width : 0);
    std::vector<uint8_t> gapRow(gapped ? width : 0);
    std::vector<uint32_t> monoRow(mono ? width : 0);
    std::vector<uint32_t> foreRow(masked || gapped ? width : 0);
    std::vector<uint32_t> backRow(masked ? width : 0);
    uint32_t solid = pattern.Solid() ? pattern.SolidValue() : 0;

    for (const RECT& rect : clipped) {
        int count = rect.right - rect.left;
        // Rows as wide as the bitmap lie end to end in memory: one long row then, when the source's do too.
        if (!mono && !masked && !patterned && count * 4 == surface->Stride()) {
            int rows = rect.bottom - rect.top;
            const uint32_t* block =
                needsSource ? job.Source->Block(*surface, rect.top, rows, rect.left, count) : nullptr;
            if (block || !needsSource) {
                auto* first = reinterpret_cast<uint32_t*>(surface->TopDown() ? surface->RowBytes(rect.top)
                                                                             : surface->RowBytes(rect.bottom - 1));
                fore.Row(first, block, nullptr, solid, count * rows);
                continue;
            }
        }
        for (int y = rect.top; y < rect.bottom; ++y) {
            uint32_t* dst;
            uint8_t* bits = nullptr;
            if (mono) {
                bits = surface->RowBytes(y);
                for (int i = 0; i < count; ++i) {
                    int x = rect.left + i;
                    monoRow[i] = ((bits[x >> 3] >> (7 - (x & 7))) & 1) ? ~0u : 0u;
                }
                dst = monoRow.data();
            } else {
                dst = surface->Row32(y) + rect.left;
            }
            const uint32_t* src = needsSource ? job.Source->Row(y, rect.left, count, sourceScratch.data()) : nullptr;
            const uint32_t* pat = nullptr;
            if (patterned) {
                pattern.Row(y, rect.left, count, patternRow.data(), gapped ? gapRow.data() : nullptr);
                pat = patternRow.data();
            }

            if (masked) {
                std::copy(dst, dst + count, foreRow.begin());
                std::copy(dst, dst + count, backRow.begin());
                fore.Row(foreRow.data(), src, pat, solid, count);
                back.Row(backRow.data(), src, pat, solid, count);
                for (int i = 0; i < count; ++i) {
                    bool on = MaskBit(*job.Mask, rect.left + i + job.MaskOffset.x, y + job.MaskOffset.y);
                    dst[i] = on ? foreRow[i] : backRow[i];
                }
            } else if (gapped) {
                std::copy(dst, dst + count, foreRow.begin());
                fore.Row(foreRow.data(), src, pat, solid, count);
                for (int i = 0; i < count; ++i) {
                    if (!gapRow[i]) dst[i] = foreRow[i];
                }
            } else {
                fore.Row(dst, src, pat, solid, count);
            }

            if (mono) {
                for (int i = 0; i < count; ++i) {
                    int x = rect.left + i;
                    uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
                    if (monoRow[i] & 1) {
                        bits[x >> 3] |= bit;
                    } else {
                        bits[x >> 3] &= static_cast<uint8_t>(~bit);
                    }
                }
            }
        }
    }
}

void FillRects(DeviceContext& dc, const std::vector<RECT>& rects, const BrushObject& brush, DWORD rop) {
    RasterJob job;
    job.Brush = &brush;
    job.Rop = rop;
    RunRaster(dc, rects, job);
}

void FillRegion(DeviceContext& dc, const Region& region, const BrushObject& brush, DWORD rop) {
    FillRects(dc, region.Rects(), brush, rop);
}

DWORD Rop2ToRop3(int rop2) {
    // The binary operations that do not read a source, with their full ternary codes.
    static const DWORD codes[16] = {
        BLACKNESS,  0x00050089, 0x000A0329, 0x000F0001, 0x00500325, DSTINVERT,  PATINVERT,  0x005F00E9,
        0x00A000C9, 0x00A50065, 0x00AA0029, 0x00AF0229, PATCOPY,    0x00F50225, 0x00FA0089, WHITENESS,
    };
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) return PATCOPY;
    return codes[rop2 - R2_BLACK];
}

BrushObject SolidBrush(COLORREF color) {
    BrushObject brush;
    brush.Style = BS_SOLID;
    brush.Color = color;
    return brush;
}

RECT ExtentRect(int x, int y, int width, int height) {
    RECT rect{x, y, x + width, y + height};
    if (width < 0) {
        rect.left = x + width + 1;
        rect.right = x + 1;
    }
    if (height < 0) {
        rect.top = y + height + 1;
        rect.bottom = y + 1;
    }
    return rect;
}

namespace {

// One colour channel of a BI_BITFIELDS pixel, scaled to eight bits.
uint32_t Channel(uint32_t value, uint32_t mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    uint32_t field = mask >> shift;
    uint32_t maximum = field;
    return static_cast<uint32_t>((static_cast<uint64_t>((value >> shift) & field) * 255 + maximum / 2) / maximum);
}

struct DibFormat {
    int Width = 0;
    int Height = 0;
    bool BottomUp = true;
    int BitCount = 0;
    size_t Stride = 0;
    uint32_t Masks[3] = {0, 0, 0};
    const RGBQUAD* Table = nullptr;
    uint32_t TableSize = 0;
    size_t HeaderBytes = 0;
};

bool ReadDibFormat(const BITMAPINFO* info, DibFormat& format) {
    if (!info) return false;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0 ||
        header.biPlanes != 1) {
        return false;
    }
    int bits = header.biBitCount;
    const uint8_t* after = reinterpret_cast<const uint8_t*>(info) + header.biSize;
    format.HeaderBytes = header.biSize;
    if (header.biCompression == BI_RGB) {
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
        if (bits == 16) {
            format.Masks[0] = 0x7C00;
            format.Masks[1] = 0x03E0;
            format.Masks[2] = 0x001F;
        }
    } else if (header.biCompression == BI_BITFIELDS) {
        if (bits != 16 && bits != 32) return false;
        // A version 4 or 5 header holds its masks; the plain header is followed by them.
        const uint32_t* masks =
            header.biSize >= 52
                ? reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(info) + sizeof(BITMAPINFOHEADER))
                : reinterpret_cast<const uint32_t*>(after);
        std::memcpy(format.Masks, masks, sizeof format.Masks);
        if (header.biSize < 52) format.HeaderBytes += sizeof format.Masks;
        if (!format.Masks[0] || !format.Masks[1] || !format.Masks[2]) return false;
    } else {
        return false;
    }
    if (bits <= 8) {
        uint32_t entries = header.biClrUsed ? header.biClrUsed : (1u << bits);
        format.TableSize = std::min<uint32_t>(entries, 1u << bits);
        format.Table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const uint8_t*>(info) + format.HeaderBytes);
        format.HeaderBytes += static_cast<size_t>(entries) * sizeof(RGBQUAD);
    }
    format.Width = header.biWidth;
    format.Height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    format.BottomUp = header.biHeight > 0;
    format.BitCount = bits;
    format.Stride = ((static_cast<size_t>(format.Width) * bits + 31) / 32) * 4;
    return true;
}

uint32_t DibPixel(const DibFormat& format, const uint8_t* row, int x) {
    auto fromTable = [&format](uint32_t index) -> uint32_t {
        if (index >= format.TableSize) return 0;
        const RGBQUAD& q = format.Table[index];
        return (static_cast<uint32_t>(q.rgbRed) << 16) | (static_cast<uint32_t>(q.rgbGreen) << 8) | q.rgbBlue;
    };
    switch (format.BitCount) {
    case 1: return fromTable((row[x >> 3] >> (7 - (x & 7))) & 1);
    case 4: return fromTable((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F);
    case 8: return fromTable(row[x]);
    case 16: {
        uint32_t v = row[x * 2] | (static_cast<uint32_t>(row[x * 2 + 1]) << 8);
        return (Channel(v, format.Masks[0]) << 16) | (Channel(v, format.Masks[1]) << 8) | Channel(v, format.Masks[2]);
    }
    case 24:
        return (static_cast<uint32_t>(row[x * 3 + 2]) << 16) | (static_cast<uint32_t>(row[x * 3 + 1]) << 8) |
               row[x * 3];
    default: {
        uint32_t v;
        std::memcpy(&v, row + x * 4, 4);
        if (format.Masks[0] == 0 ||
            (format.Masks[0] == 0xFF0000 && format.Masks[1] == 0xFF00 && format.Masks[2] == 0xFF)) {
            return v;
        }
        return (Channel(v, format.Masks[0]) << 16) | (Channel(v, format.Masks[1]) << 8) | Channel(v, format.Masks[2]);
    }
    }
}

}  // namespace

std::shared_ptr<BitmapObject> DecodeDib(const BITMAPINFO* info, const void* bits, UINT usage, int firstRow,
                                        int rowCount) {
    DibFormat format;
    if (usage != DIB_RGB_COLORS || !bits || !ReadDibFormat(info, format) || firstRow < 0 || rowCount <= 0 ||
        firstRow + rowCount > format.Height) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto image = std::make_shared<BitmapObject>(format.Width, rowCount, 32, true, false);
    const uint8_t* base = static_cast<const uint8_t*>(bits);
    for (int k = 0; k < rowCount; ++k) {
        int memoryRow = format.BottomUp ? firstRow + rowCount - 1 - k : firstRow + k;
        const uint8_t* row = base + static_cast<size_t>(memoryRow) * format.Stride;
        uint32_t* out = image->Row32(k);
        if (format.BitCount == 32 && format.Masks[0] == 0) {
            std::memcpy(out, row, static_cast<size_t>(format.Width) * 4);
            continue;
        }
        for (int x = 0; x < format.Width; ++x) out[x] = DibPixel(format, row, x);
    }
    return image;
}

size_t DibHeaderSize(const BITMAPINFO* info) {
    DibFormat format;
    return ReadDibFormat(info, format) ? format.HeaderBytes : 0;
}

}  // namespace win32::gdi
