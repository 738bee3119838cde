// Brush creation (solid, hatched, pattern and DIB pattern brushes) and GetObject for brushes.
#include "BrushObject.h"
#include "Raster.h"
#include "kernel/LastError.h"

#include <cstring>

using win32::Fail;

namespace win32::gdi {

int BrushObject::Describe(int size, void* buffer, bool) const {
    LOGBRUSH brush{};
    brush.lbStyle = Style;
    brush.lbColor = Style == BS_SOLID || Style == BS_HATCHED ? Color : 0;
    // Pattern brushes keep a private copy of their bitmap, so there is no handle of the caller's to give back.
    brush.lbHatch = Style == BS_HATCHED ? static_cast<ULONG_PTR>(Hatch) : 0;
    if (!buffer) return sizeof(LOGBRUSH);
    int copied = size < static_cast<int>(sizeof(LOGBRUSH)) ? size : static_cast<int>(sizeof(LOGBRUSH));
    if (copied <= 0) return 0;
    std::memcpy(buffer, &brush, static_cast<size_t>(copied));
    return copied;
}

namespace {

HBRUSH Publish(std::shared_ptr<BrushObject> brush) {
    return static_cast<HBRUSH>(ObjectTable::Insert(std::move(brush)));
}

HBRUSH MakeHatch(int hatch, COLORREF color) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return Fail<HBRUSH>(nullptr, ERROR_INVALID_PARAMETER);
    auto brush = std::make_shared<BrushObject>();
    brush->Style = BS_HATCHED;
    brush->Color = color;
    brush->Hatch = hatch;
    return Publish(std::move(brush));
}

HBRUSH MakePattern(HBITMAP bitmap) {
    auto source = ObjectTable::LookupAs<BitmapObject>(bitmap);
    if (!source) return nullptr;
    // The brush copies the bitmap, so the caller may delete or draw into it afterwards.
    auto copy = std::make_shared<BitmapObject>(source->Width(), source->Height(), source->BitsPerPixel(), true, false);
    copy->SetPalette(0, source->Palette(0));
    copy->SetPalette(1, source->Palette(1));
    size_t rowBytes = source->BitsPerPixel() == 32 ? static_cast<size_t>(source->Width()) * 4
                                                   : static_cast<size_t>(source->Width() + 7) / 8;
    for (int y = 0; y < source->Height(); ++y) std::memcpy(copy->RowBytes(y), source->RowBytes(y), rowBytes);
    auto brush = std::make_shared<BrushObject>();
    brush->Style = BS_PATTERN;
    brush->Pattern = std::move(copy);
    return Publish(std::move(brush));
}

HBRUSH MakeDibPattern(const void* packedDib, UINT usage) {
    if (!packedDib) return Fail<HBRUSH>(nullptr, ERROR_INVALID_PARAMETER);
    auto info = static_cast<const BITMAPINFO*>(packedDib);
    size_t headerBytes = DibHeaderSize(info);
    if (!headerBytes) return Fail<HBRUSH>(nullptr, ERROR_INVALID_PARAMETER);
    int height = info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
    // DIB patterns carry their own colours: a 1-bit DIB's colour table decides, not the DC's text colours.
    auto pattern = DecodeDib(info, static_cast<const uint8_t*>(packedDib) + headerBytes, usage, 0, height);
    if (!pattern) return nullptr;
    auto brush = std::make_shared<BrushObject>();
    brush->Style = BS_DIBPATTERN;
    brush->Pattern = std::move(pattern);
    return Publish(std::move(brush));
}

}  // namespace

}  // namespace win32::gdi

using namespace win32::gdi;

HBRUSH CreateSolidBrush(COLORREF color) {
    auto brush = std::make_shared<BrushObject>();
    brush->Style = BS_SOLID;
    brush->Color = color;
    return Publish(std::move(brush));
}

HBRUSH CreatePatternBrush(HBITMAP hbm) { return MakePattern(hbm); }

HBRUSH CreateHatchBrush(int iHatch, COLORREF color) { return MakeHatch(iHatch, color); }

HBRUSH CreateDIBPatternBrushPt(const void* lpPackedDIB, UINT iUsage) { return MakeDibPattern(lpPackedDIB, iUsage); }

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush) {
    if (!plbrush) return Fail<HBRUSH>(nullptr, ERROR_INVALID_PARAMETER);
    switch (plbrush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(plbrush->lbColor);
    case BS_NULL: {
        auto brush = std::make_shared<BrushObject>();
        brush->Style = BS_NULL;
        return Publish(std::move(brush));
    }
    case BS_HATCHED: return MakeHatch(static_cast<int>(plbrush->lbHatch), plbrush->lbColor);
    case BS_PATTERN:
    case BS_PATTERN8X8: return MakePattern(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
    case BS_DIBPATTERNPT:
        // lbColor's low word says how the colour table is to be read.
        return MakeDibPattern(reinterpret_cast<const void*>(plbrush->lbHatch), LOWORD(plbrush->lbColor));
    default:
        // BS_DIBPATTERN takes a global memory handle and BS_INDEXED a palette index; neither exists here.
        return Fail<HBRUSH>(nullptr, ERROR_INVALID_PARAMETER);
    }
}
