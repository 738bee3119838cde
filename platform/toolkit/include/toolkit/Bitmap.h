// TBitmap: a picture held as a bottom-up DIB section (32 or 1 bit per pixel) with its own memory DC and
// canvas, transparency by a key colour, and BMP files.
#pragma once

#include <toolkit/Canvas.h>
#include <toolkit/Graphic.h>

#include <memory>

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };

namespace bmpformat {
struct DibImage;
}

class TBitmap : public TGraphic {
    TOOLKIT_CLASS(TBitmap, TGraphic)

public:
    TBitmap();
    ~TBitmap() override;

    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    int Width() const override { return FWidth; }
    void SetWidth(int width) override { SetSize(width, FHeight); }
    int Height() const override { return FHeight; }
    void SetHeight(int height) override { SetSize(FWidth, height); }
    // Keeps the picture at the top left; new area takes the canvas brush colour. Negative sizes count as 0.
    void SetSize(int width, int height);

    // Drawing on the canvas changes the bitmap and fires OnChange.
    TCanvas& Canvas();

    // The HBITMAP (nullptr while empty). The bitmap owns it.
    HBITMAP Handle() const { return FHandle; }
    // Takes the picture of handle, which the bitmap then owns: the pixels are copied into the bitmap's own
    // DIB section and handle is deleted.
    void SetHandle(HBITMAP handle);

    // pf32bit or pf1bit; pfDevice means pf32bit (the display's format). Converting keeps the picture (to 1 bit
    // by the nearer of the two colours). Other formats raise EInvalidGraphicOperation.
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat format);
    bool Monochrome() const { return FPixelFormat == pf1bit; }
    void SetMonochrome(bool monochrome) { SetPixelFormat(monochrome ? pf1bit : pf32bit); }
    // bmDIB: a DIB section whose rows ScanLine hands out; bmDDB: a device bitmap (CreateBitmap).
    TBitmapHandleType HandleType() const { return FHandleType; }
    void SetHandleType(TBitmapHandleType type);

    // Row y (0 = top) of the pixels in memory, rows lying bottom-up; a device bitmap becomes a DIB first.
    // Raises EInvalidGraphicOperation for a row outside the picture.
    void* ScanLine(int y);

    // The colour drawn as transparent: the bottom-left pixel in tmAuto, the set colour (as RGB) in tmFixed.
    TColor TransparentColor() const;
    // clDefault returns to tmAuto; any other colour fixes it.
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode mode);
    // The colour of pixel (x, y), read from memory without a DC; 0 outside the picture.
    COLORREF PixelColor(int x, int y) const;
    // A new monochrome bitmap, 1 (white) where the picture has color, 0 elsewhere; the caller owns it.
    HBITMAP CreateMask(TColor color) const;

    // A BMP file; an empty bitmap writes nothing, and a stream already at its end loads as empty.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

    std::unique_ptr<TGraphic> Clone() const override;
    void Assign(const TGraphic& source) override;
    void Assign(const TPersistent* source) override;

protected:
    void Draw(TCanvas& canvas, const RECT& rect) override;

private:
    class TBitmapCanvas;

    bmpformat::DibImage Snapshot() const;
    // Replaces the handle by one holding image (or by none for an empty size).
    void Build(const bmpformat::DibImage& image, TBitmapHandleType type);
    HDC DC();

    HBITMAP FHandle = nullptr;
    void* FBits = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = pf32bit;
    TBitmapHandleType FHandleType = bmDIB;
    RGBQUAD FPalette[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};
