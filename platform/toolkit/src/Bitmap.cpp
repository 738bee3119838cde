// TBitmap: the DIB section, its memory DC and canvas, size and format changes, transparency and BMP streams.
#include <toolkit/Bitmap.h>

#include "BmpFormat.h"

#include <algorithm>
#include <cstring>

using bmpformat::DibImage;

namespace {

// MaskBlt's "leave the destination" operation, used where the mask marks transparent pixels.
constexpr DWORD kKeepDestination = 0x00AA0029;

int Distance(RGBQUAD a, COLORREF c) {
    int db = a.rgbBlue - static_cast<int>(GetBValue(c)), dg = a.rgbGreen - static_cast<int>(GetGValue(c)),
        dr = a.rgbRed - static_cast<int>(GetRValue(c));
    return db * db + dg * dg + dr * dr;
}

bool GetBit(const std::uint8_t* row, int x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }

void PutBit(std::uint8_t* row, int x, bool on) {
    std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
    row[x >> 3] = static_cast<std::uint8_t>(on ? row[x >> 3] | bit : row[x >> 3] & ~bit);
}

// The colour of pixel x of a bottom-up memory row.
COLORREF ImagePixel(const DibImage& image, int x, int y) {
    const std::uint8_t* row =
        image.Bits.data() +
        static_cast<size_t>(image.Height - 1 - y) * static_cast<size_t>(bmpformat::Stride(image.Width, image.BitCount));
    if (image.BitCount == 1) {
        RGBQUAD c = image.Palette[GetBit(row, x)];
        return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
    return RGB(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
}

DibImage BlankImage(int width, int height, int bitCount, const RGBQUAD palette[2], COLORREF fill) {
    DibImage image;
    image.Width = width;
    image.Height = height;
    image.BitCount = bitCount;
    image.Palette[0] = palette[0];
    image.Palette[1] = palette[1];
    int stride = bmpformat::Stride(width, bitCount);
    image.Bits.assign(static_cast<size_t>(stride) * static_cast<size_t>(height), 0);
    if (bitCount == 1) {
        bool on = Distance(palette[1], fill) < Distance(palette[0], fill);
        std::fill(image.Bits.begin(), image.Bits.end(), on ? 0xFF : 0x00);
    } else {
        for (size_t i = 0; i < image.Bits.size(); i += 4) {
            image.Bits[i] = GetBValue(fill);
            image.Bits[i + 1] = GetGValue(fill);
            image.Bits[i + 2] = GetRValue(fill);
        }
    }
    return image;
}

}  // namespace

// The bitmap's canvas makes its memory DC on first use and tells the bitmap of every drawing call.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : FBitmap(bitmap) {}
    ~TBitmapCanvas() override { FreeContext(); }

    HDC DC() {
        RequiredState(csHandleValid);
        return HandleAllocated() ? FDC : nullptr;
    }
    // A new handle of the bitmap goes into the DC in place of the old one.
    void Reselect() {
        if (FDC) SelectObject(FDC, FBitmap.FHandle ? FBitmap.FHandle : FStockBitmap);
    }

protected:
    void CreateHandle() override {
        FDC = CreateCompatibleDC(nullptr);
        if (!FDC) return;
        FStockBitmap = static_cast<HBITMAP>(GetCurrentObject(FDC, OBJ_BITMAP));
        Reselect();
        SetHandle(FDC);
    }
    void Changed() override {
        TCanvas::Changed();
        FBitmap.Changed();
    }

private:
    void FreeContext() {
        if (!FDC) return;
        SetHandle(nullptr);
        SelectObject(FDC, FStockBitmap);
        DeleteDC(FDC);
        FDC = nullptr;
    }

    TBitmap& FBitmap;
    HDC FDC = nullptr;
    HBITMAP FStockBitmap = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    FCanvas.reset();
    if (FHandle) DeleteObject(FHandle);
}

TCanvas& TBitmap::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(*this);
    return *FCanvas;
}

HDC TBitmap::DC() {
    Canvas();
    return FCanvas->DC();
}

DibImage TBitmap::Snapshot() const {
    DibImage image;
    image.Width = FWidth;
    image.Height = FHeight;
    image.BitCount = FPixelFormat == pf1bit ? 1 : 32;
    image.Palette[0] = FPalette[0];
    image.Palette[1] = FPalette[1];
    if (!FHandle) return image;
    int stride = bmpformat::Stride(FWidth, image.BitCount);
    image.Bits.assign(static_cast<size_t>(stride) * static_cast<size_t>(FHeight), 0);
    if (FBits) {
        std::memcpy(image.Bits.data(), FBits, image.Bits.size());
        return image;
    }
    // A device bitmap hands out top-down rows, 1-bit rows padded to 16 bits.
    LONG size = GetBitmapBits(FHandle, 0, nullptr);
    std::vector<std::uint8_t> rows(static_cast<size_t>(size));
    GetBitmapBits(FHandle, size, rows.data());
    size_t deviceStride = rows.size() / static_cast<size_t>(FHeight);
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(image.Bits.data() + static_cast<size_t>(FHeight - 1 - y) * stride,
                    rows.data() + static_cast<size_t>(y) * deviceStride, std::min<size_t>(deviceStride, stride));
    return image;
}

void TBitmap::Build(const DibImage& image, TBitmapHandleType type) {
    HBITMAP handle = nullptr;
    void* bits = nullptr;
    if (image.Width > 0 && image.Height > 0) {
        if (type == bmDIB) {
            struct {
                BITMAPINFOHEADER Header;
                RGBQUAD Colors[2];
            } info{};
            info.Header.biSize = sizeof(BITMAPINFOHEADER);
            info.Header.biWidth = image.Width;
            info.Header.biHeight = image.Height;
            info.Header.biPlanes = 1;
            info.Header.biBitCount = static_cast<WORD>(image.BitCount);
            info.Header.biCompression = BI_RGB;
            info.Colors[0] = image.Palette[0];
            info.Colors[1] = image.Palette[1];
            handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
            if (!handle) throw EInvalidGraphicOperation("Out of system resources");
            std::memcpy(bits, image.Bits.data(), image.Bits.size());
        } else {
            int stride = bmpformat::Stride(image.Width, image.BitCount);
            int deviceStride = image.BitCount == 1 ? ((image.Width + 15) / 16) * 2 : image.Width * 4;
            std::vector<std::uint8_t> rows(static_cast<size_t>(deviceStride) * static_cast<size_t>(image.Height));
            for (int y = 0; y < image.Height; ++y)
                std::memcpy(rows.data() + static_cast<size_t>(y) * deviceStride,
                            image.Bits.data() + static_cast<size_t>(image.Height - 1 - y) * stride,
                            static_cast<size_t>(deviceStride));
            handle = CreateBitmap(image.Width, image.Height, 1, static_cast<UINT>(image.BitCount), rows.data());
            if (!handle) throw EInvalidGraphicOperation("Out of system resources");
        }
    }
    HBITMAP old = FHandle;
    FHandle = handle;
    FBits = bits;
    FHandleType = type;
    FPalette[0] = image.Palette[0];
    FPalette[1] = image.Palette[1];
    if (FCanvas) FCanvas->Reselect();
    if (old) DeleteObject(old);
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == FWidth && height == FHeight) return;
    DibImage old = Snapshot();
    COLORREF fill = ColorToRGB(FCanvas ? FCanvas->Brush().Color() : clWhite);
    DibImage image = BlankImage(width, height, old.BitCount, FPalette, fill);
    int keepWidth = std::min(width, old.Width),
        keepHeight = old.Bits.empty() || image.Bits.empty() ? 0 : std::min(height, old.Height);
    for (int y = 0; y < keepHeight; ++y) {
        const std::uint8_t* from =
            old.Bits.data() + static_cast<size_t>(old.Height - 1 - y) * bmpformat::Stride(old.Width, old.BitCount);
        std::uint8_t* to =
            image.Bits.data() + static_cast<size_t>(height - 1 - y) * bmpformat::Stride(width, old.BitCount);
        if (old.BitCount == 32) {
            std::memcpy(to, from, static_cast<size_t>(keepWidth) * 4);
        } else {
            for (int x = 0; x < keepWidth; ++x) PutBit(to, x, GetBit(from, x));
        }
    }
    Build(image, FHandleType);
    FWidth = width;
    FHeight = height;
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == pfDevice) format = pf32bit;
    if (format != pf1bit && format != pf32bit) throw EInvalidGraphicOperation("Unsupported pixel format");
    if (format == FPixelFormat) return;
    DibImage old = Snapshot();
    int bitCount = format == pf1bit ? 1 : 32;
    RGBQUAD palette[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    if (format == pf32bit) std::copy(FPalette, FPalette + 2, palette);
    DibImage image = BlankImage(FWidth, FHeight, bitCount, palette, 0);
    if (!old.Bits.empty()) {
        int stride = bmpformat::Stride(FWidth, bitCount);
        for (int y = 0; y < FHeight; ++y) {
            std::uint8_t* row = image.Bits.data() + static_cast<size_t>(FHeight - 1 - y) * stride;
            for (int x = 0; x < FWidth; ++x) {
                COLORREF c = ImagePixel(old, x, y);
                if (bitCount == 1) {
                    PutBit(row, x, Distance(palette[1], c) < Distance(palette[0], c));
                } else {
                    row[x * 4] = GetBValue(c), row[x * 4 + 1] = GetGValue(c), row[x * 4 + 2] = GetRValue(c);
                }
            }
        }
    }
    FPixelFormat = format;
    Build(image, FHandleType);
    Changed();
}

void TBitmap::SetHandleType(TBitmapHandleType type) {
    if (type == FHandleType) return;
    if (FHandle) Build(Snapshot(), type);
    FHandleType = type;
    Changed();
}

void TBitmap::SetHandle(HBITMAP handle) {
    BITMAP info{};
    if (!handle || GetObjectA(handle, sizeof info, &info) < static_cast<int>(sizeof info) ||
        (info.bmBitsPixel != 1 && info.bmBitsPixel != 32))
        throw EInvalidGraphicOperation("Not a bitmap handle");
    DibImage image;
    image.Width = info.bmWidth;
    image.Height = info.bmHeight;
    image.BitCount = info.bmBitsPixel;
    int stride = bmpformat::Stride(image.Width, image.BitCount);
    image.Bits.assign(static_cast<size_t>(stride) * static_cast<size_t>(image.Height), 0);
    LONG size = GetBitmapBits(handle, 0, nullptr);
    std::vector<std::uint8_t> rows(static_cast<size_t>(size));
    GetBitmapBits(handle, size, rows.data());
    size_t deviceStride = image.Height ? rows.size() / static_cast<size_t>(image.Height) : 0;
    for (int y = 0; y < image.Height; ++y)
        std::memcpy(image.Bits.data() + static_cast<size_t>(image.Height - 1 - y) * stride,
                    rows.data() + static_cast<size_t>(y) * deviceStride, std::min<size_t>(deviceStride, stride));
    Build(image, bmDIB);
    FWidth = image.Width;
    FHeight = image.Height;
    FPixelFormat = image.BitCount == 1 ? pf1bit : pf32bit;
    DeleteObject(handle);
    Changed();
}

void* TBitmap::ScanLine(int y) {
    if (y < 0 || y >= FHeight || !FHandle) throw EInvalidGraphicOperation("Scan line index out of range");
    if (FHandleType != bmDIB) SetHandleType(bmDIB);
    return static_cast<std::uint8_t*>(FBits) +
           static_cast<size_t>(FHeight - 1 - y) * static_cast<size_t>(bmpformat::Stride(FWidth, Monochrome() ? 1 : 32));
}

COLORREF TBitmap::PixelColor(int x, int y) const {
    if (!FHandle || x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
    if (FBits) {
        const std::uint8_t* row = static_cast<const std::uint8_t*>(FBits) +
                                  static_cast<size_t>(FHeight - 1 - y) *
                                      static_cast<size_t>(bmpformat::Stride(FWidth, Monochrome() ? 1 : 32));
        if (Monochrome()) {
            RGBQUAD c = FPalette[GetBit(row, x)];
            return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
        }
        return RGB(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
    }
    return ImagePixel(Snapshot(), x, y);
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentColor == clDefault) return Empty() ? clDefault : static_cast<TColor>(PixelColor(0, FHeight - 1));
    return static_cast<TColor>(ColorToRGB(FTransparentColor));
}

void TBitmap::SetTransparentColor(TColor color) {
    if (color == FTransparentColor) return;
    FTransparentMode = color == clDefault ? tmAuto : tmFixed;
    FTransparentColor = color;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == FTransparentMode) return;
    SetTransparentColor(mode == tmAuto ? clDefault : TransparentColor());
}

HBITMAP TBitmap::CreateMask(TColor color) const {
    if (Empty()) return nullptr;
    COLORREF key = ColorToRGB(color) & 0x00FFFFFF;
    DibImage image = Snapshot();
    int deviceStride = ((FWidth + 15) / 16) * 2;
    std::vector<std::uint8_t> rows(static_cast<size_t>(deviceStride) * static_cast<size_t>(FHeight), 0);
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            if (ImagePixel(image, x, y) == key) PutBit(rows.data() + static_cast<size_t>(y) * deviceStride, x, true);
    return CreateBitmap(FWidth, FHeight, 1, 1, rows.data());
}

void TBitmap::Draw(TCanvas& canvas, const RECT& rect) {
    if (Empty()) return;
    HDC source = DC();
    HDC dest = canvas.Handle();
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    bool stretched = width != FWidth || height != FHeight;
    int oldMode = stretched ? SetStretchBltMode(dest, COLORONCOLOR) : 0;
    if (!Transparent()) {
        StretchBlt(dest, rect.left, rect.top, width, height, source, 0, 0, FWidth, FHeight,
                   static_cast<DWORD>(canvas.CopyMode()));
    } else {
        HBITMAP mask = CreateMask(TransparentColor());
        if (!stretched) {
            MaskBlt(dest, rect.left, rect.top, width, height, source, 0, 0, mask, 0, 0,
                    MAKEROP4(kKeepDestination, SRCCOPY));
        } else if (width > 0 && height > 0) {
            // MaskBlt does not stretch: stretch picture and mask first, then mask at the final size.
            HDC work = CreateCompatibleDC(nullptr);
            HDC maskDC = CreateCompatibleDC(nullptr);
            HBITMAP picture = CreateBitmap(width, height, 1, 32, nullptr);
            HBITMAP bigMask = CreateBitmap(width, height, 1, 1, nullptr);
            HGDIOBJ oldPicture = SelectObject(work, bigMask);
            HGDIOBJ oldMask = SelectObject(maskDC, mask);
            StretchBlt(work, 0, 0, width, height, maskDC, 0, 0, FWidth, FHeight, SRCCOPY);
            SelectObject(work, picture);
            SetStretchBltMode(work, COLORONCOLOR);
            StretchBlt(work, 0, 0, width, height, source, 0, 0, FWidth, FHeight, SRCCOPY);
            MaskBlt(dest, rect.left, rect.top, width, height, work, 0, 0, bigMask, 0, 0,
                    MAKEROP4(kKeepDestination, SRCCOPY));
            SelectObject(work, oldPicture);
            SelectObject(maskDC, oldMask);
            DeleteObject(picture);
            DeleteObject(bigMask);
            DeleteDC(work);
            DeleteDC(maskDC);
        }
        DeleteObject(mask);
    }
    if (stretched) SetStretchBltMode(dest, oldMode);
}

void TBitmap::LoadFromStream(TStream& stream) {
    DibImage image = bmpformat::Read(stream);
    Build(image, bmDIB);
    FWidth = image.Width;
    FHeight = image.Height;
    FPixelFormat = image.BitCount == 1 ? pf1bit : pf32bit;
    Changed();
}

void TBitmap::SaveToStream(TStream& stream) {
    if (Empty()) return;
    bmpformat::Write(stream, Snapshot());
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(*this);
    return copy;
}

void TBitmap::Assign(const TPersistent* source) {
    if (auto bitmap = dynamic_cast<const TBitmap*>(source))
        Assign(static_cast<const TGraphic&>(*bitmap));
    else
        inherited::Assign(source);
}

void TBitmap::Assign(const TGraphic& source) {
    const TBitmap* bitmap = dynamic_cast<const TBitmap*>(&source);
    if (!bitmap) throw EConvertError("Cannot assign this graphic to a TBitmap");
    if (bitmap == this) return;
    FPixelFormat = bitmap->FPixelFormat;
    Build(bitmap->Snapshot(), bitmap->FHandleType);
    FWidth = bitmap->FWidth;
    FHeight = bitmap->FHeight;
    FTransparentColor = bitmap->FTransparentColor;
    FTransparentMode = bitmap->FTransparentMode;
    StoreTransparent(bitmap->Transparent());
    Changed();
}
