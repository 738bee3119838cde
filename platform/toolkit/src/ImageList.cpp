// TCustomImageList: images and masks kept one bitmap pair per image, masked drawing and the disabled look.
#include <toolkit/ImageList.h>

#include <algorithm>
#include <cstdint>

namespace {

// ((D xor P) and S) xor D: the brush where the source is white, the destination elsewhere.
constexpr DWORD kRopDSPDxax = 0x00E20746;
// MaskBlt's "leave the destination" operation, for the transparent (white) mask pixels.
constexpr DWORD kKeepDestination = 0x00AA0029;
constexpr COLORREF kWhite = 0x00FFFFFF;

void PutBit(void* row, int x, bool on) {
    auto* bytes = static_cast<std::uint8_t*>(row);
    std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
    bytes[x >> 3] = static_cast<std::uint8_t>(on ? bytes[x >> 3] | bit : bytes[x >> 3] & ~bit);
}

}  // namespace

TCustomImageList::TCustomImageList(TComponent* owner, int width, int height)
    : TComponent(owner), FWidth(std::max(width, 1)), FHeight(std::max(height, 1)) {}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::Changed() {
    if (OnChange) OnChange(this);
}

void TCustomImageList::SetSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == FWidth && height == FHeight) return;
    FWidth = width;
    FHeight = height;
    FImages.clear();
    Changed();
}

int TCustomImageList::Append(const TBitmap& image, const std::function<bool(int x, int y, COLORREF pixel)>& transparent,
                             bool blackenTransparent) {
    if (image.Width() < FWidth || image.Height() < FHeight) throw EInvalidGraphicOperation("Invalid image size");
    int first = Count();
    int pieces = image.Width() / FWidth;
    for (int piece = 0; piece < pieces; ++piece) {
        Entry entry{std::make_unique<TBitmap>(), std::make_unique<TBitmap>()};
        entry.Image->SetSize(FWidth, FHeight);
        entry.Mask->SetPixelFormat(pf1bit);
        entry.Mask->SetSize(FWidth, FHeight);
        for (int y = 0; y < FHeight; ++y) {
            auto* row = static_cast<std::uint8_t*>(entry.Image->ScanLine(y));
            void* maskRow = entry.Mask->ScanLine(y);
            for (int x = 0; x < FWidth; ++x) {
                int sx = piece * FWidth + x;
                COLORREF pixel = image.PixelColor(sx, y);
                bool clear = transparent(sx, y, pixel);
                PutBit(maskRow, x, clear);
                if (clear && blackenTransparent) pixel = 0;
                row[x * 4] = GetBValue(pixel), row[x * 4 + 1] = GetGValue(pixel), row[x * 4 + 2] = GetRValue(pixel);
                row[x * 4 + 3] = 0;
            }
        }
        FImages.push_back(std::move(entry));
    }
    Changed();
    return first;
}

int TCustomImageList::Add(const TBitmap& image, const TBitmap* mask) {
    return Append(
        image,
        [mask](int x, int y, COLORREF) {
            return mask && x < mask->Width() && y < mask->Height() && mask->PixelColor(x, y) == kWhite;
        },
        false);
}

int TCustomImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    COLORREF key = ColorToRGB(maskColor);
    bool masked = maskColor != clNone;
    return Append(
        image, [masked, key](int, int, COLORREF pixel) { return masked && pixel == key; }, masked);
}

void TCustomImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    FImages.erase(FImages.begin() + index);
    Changed();
}

void TCustomImageList::Clear() {
    if (FImages.empty()) return;
    FImages.clear();
    Changed();
}

void TCustomImageList::SetMasked(bool masked) {
    if (masked == FMasked) return;
    FMasked = masked;
    Changed();
}

bool TCustomImageList::GetBitmap(int index, TBitmap& bitmap) const {
    if (index < 0 || index >= Count()) return false;
    bitmap.Assign(*FImages[static_cast<size_t>(index)].Image);
    return true;
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    if (index < 0 || index >= Count()) return;
    Entry& entry = FImages[static_cast<size_t>(index)];
    HDC source = entry.Image->Canvas().Handle();
    // Through the mask (its white pixels keep the destination), or every pixel when the list is not masked.
    auto copy = [&](HDC dest, int left, int top) {
        if (FMasked)
            MaskBlt(dest, left, top, FWidth, FHeight, source, 0, 0, entry.Mask->Handle(), 0, 0,
                    MAKEROP4(kKeepDestination, SRCCOPY));
        else
            BitBlt(dest, left, top, FWidth, FHeight, source, 0, 0, SRCCOPY);
    };
    if (enabled) {
        copy(canvas.Handle(), x, y);
        return;
    }
    // The image's shape on white: white image pixels and transparent ones become white, all others black.
    TBitmap shape;
    shape.SetPixelFormat(pf1bit);
    shape.SetSize(FWidth, FHeight);
    shape.Canvas().Brush().SetColor(clWhite);
    shape.Canvas().FillRect(RECT{0, 0, FWidth, FHeight});
    SetBkColor(source, kWhite);
    copy(shape.Canvas().Handle(), 0, 0);

    TBrush& brush = canvas.Brush();
    TColor oldColor = brush.Color();
    TBrushStyle oldStyle = brush.Style();
    HDC shapeDC = shape.Canvas().Handle();
    const struct {
        TColor Color;
        int Offset;
    } passes[] = {{clBtnHighlight, 1}, {clBtnShadow, 0}};
    for (const auto& pass : passes) {
        brush.SetColor(pass.Color);
        HDC dest = canvas.Handle();
        // A monochrome source's black pixels take the text colour (white), its white pixels the background.
        COLORREF oldText = SetTextColor(dest, kWhite);
        COLORREF oldBack = SetBkColor(dest, 0);
        BitBlt(dest, x + pass.Offset, y + pass.Offset, FWidth, FHeight, shapeDC, 0, 0, kRopDSPDxax);
        SetTextColor(dest, oldText);
        SetBkColor(dest, oldBack);
    }
    brush.SetColor(oldColor);
    brush.SetStyle(oldStyle);
}
