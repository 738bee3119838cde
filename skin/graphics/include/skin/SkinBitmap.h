// TskBitmap: the skinning library's 32-bit top-down DIB section with its own memory DC, its pixel access and
// storage, and its drawing onto device contexts and other bitmaps (opaque, key-colour or alpha-blended).
#pragma once

#include <toolkit/Persistent.h>
#include <win32/windows.h>

#include <cstdint>
#include <memory>
#include <string>

class TCanvas;
class TStream;
class TskBitmapLink;

// 0xAARRGGBB: in memory blue, green, red, alpha; colours not premultiplied, alpha 255 opaque.
using TskColor = std::uint32_t;

// The pixel that marks a hole. Only its low 24 bits are compared: the alpha byte of a pixel plays no part.
constexpr TskColor TransparentKey = 0x007F007F;
constexpr TskColor TransparentKeyRgb = 0x007F007F & 0x00FFFFFF;

inline bool IsKeyPixel(TskColor pixel) { return (pixel & 0x00FFFFFF) == TransparentKeyRgb; }

class TskBitmap : public TPersistent {
    TOOLKIT_CLASS(TskBitmap, TPersistent)

public:
    TskBitmap();
    ~TskBitmap() override;

    // Row 0 is the top row; nullptr while the bitmap is empty. The DIB section owns the memory.
    TskColor* Bits() const { return FBits; }
    // After a failed SetSize the old size stays here although the bitmap is empty: test Empty(), not these.
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& name) { FName = name; }
    const BITMAPINFO& BitmapInfo() const { return FBitmapInfo; }
    HBITMAP Handle() const { return FHandle; }
    HDC DC() const { return FDC; }
    // Made on first call and owned by the bitmap; it follows the DC when SetSize replaces it, and has no
    // handle while the bitmap is empty.
    TCanvas& Canvas();
    // Drawing blends when AlphaBlend is set; else skips key pixels when Transparent is set; else copies.
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool value) { FAlphaBlend = value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { FTransparent = value; }

    // A new size gives all-zero pixels (transparent black); the current size keeps them; a zero side changes
    // nothing and negative sides count as positive. Raises Exception "Can't allocate the DIB handle", "Can't
    // create compatible DC" or "Can't select an object into DC" and leaves the bitmap empty when GDI refuses.
    void SetSize(int width, int height);
    bool Empty() const { return FHandle == nullptr; }

    void Clear(TskColor pixel);
    void SetAlpha(std::uint8_t alpha);
    // Only inside rect clipped to the bitmap.
    void SetAlphaRect(std::uint8_t alpha, const RECT& rect);
    // AlphaBlend := some pixel has an alpha other than 0 and 255.
    void CheckingAlphaBlend();
    // Pixels within 5 of pixel in each of red, green and blue become TransparentKey; Transparent tells whether
    // any did.
    void CheckingTransparent(TskColor pixel);

    // Unchecked, for inner loops.
    TskColor* PixelPtr(int x, int y) const { return FBits + x + y * FWidth; }
    TskColor* ScanLine(int y) const { return FBits + y * FWidth; }
    // Checked: 0 outside the bitmap, and writes outside it are dropped.
    TskColor GetPixel(int x, int y) const;
    void SetPixel(int x, int y, TskColor pixel);

    // Name length, name bytes, width, height (negative: rows stored bottom first), then B, G, R, A pixels.
    // A stream that is cut short or names impossible sizes raises EReadError and leaves the bitmap untouched.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    // The bitmap resource resourceName of the module file, read without running the module; a missing
    // resource leaves the bitmap unchanged.
    void LoadFromResource(const std::string& moduleFileName, const std::string& resourceName);

    // From another TskBitmap, a toolkit TBitmap, a TPicture or any TGraphic.
    void Assign(const TPersistent* source) override;
    void FlipVertical();
    // The non-key pixels as a region offset by (x, y); nullptr for an empty bitmap. The caller owns it.
    HRGN CreateRegion(int x, int y) const;
    // A link to rect of this bitmap, named after it; the caller owns it.
    std::unique_ptr<TskBitmapLink> CreateLink(const RECT& rect);

    // Drawing onto a device context. When the DC belongs to another TskBitmap the pixels go there directly.
    void Draw(HDC dc, int x, int y) const;
    void DrawRect(HDC dc, int x, int y, const RECT& srcRect) const;
    void Draw(HDC dc, const RECT& dstRect, const RECT& srcRect) const;
    void Draw(TCanvas& canvas, int x, int y) const;
    void DrawRect(TCanvas& canvas, int x, int y, const RECT& srcRect) const;
    // The whole bitmap stretched to dstRect.
    void Draw(TCanvas& canvas, const RECT& dstRect) const;
    void Draw(TCanvas& canvas, const RECT& dstRect, const RECT& srcRect) const;

    // Drawing into another bitmap; a srcRect that leaves this bitmap draws nothing. Sizes that differ stretch
    // by nearest neighbour.
    void DrawTo(TskBitmap& target, int x, int y) const;
    void DrawRectTo(TskBitmap& target, int x, int y, const RECT& srcRect) const;
    void DrawTo(TskBitmap& target, const RECT& dstRect, const RECT& srcRect) const;

    // srcRect repeated over dstRect from its top-left corner; TileClip draws only the tiles touching clipRect
    // (all of them when clipRect is empty).
    void Tile(HDC dc, const RECT& dstRect, const RECT& srcRect) const;
    void Tile(TCanvas& canvas, const RECT& dstRect, const RECT& srcRect) const;
    void TileClip(HDC dc, const RECT& dstRect, const RECT& srcRect, const RECT& clipRect) const;
    void TileClip(TCanvas& canvas, const RECT& dstRect, const RECT& srcRect, const RECT& clipRect) const;

    // Blends pixel into rect when AlphaBlend is set, else stores it.
    void FillRect(const RECT& rect, TskColor pixel);
    // Puts srcRect of source at (x, y) underneath this bitmap's pixels, as a background for its partly
    // transparent ones.
    void MergeUnder(const TskBitmap& source, int x, int y, const RECT& srcRect);
    // Every pixel whose alpha is not 0; alphas are kept.
    void ChangeBrightness(int delta);
    void ChangeHue(int delta);

protected:
    // To a TBitmap or a TPicture (as a 32-bit bitmap); anything else raises EConvertError.
    void AssignTo(TPersistent* dest) const override;

private:
    enum class TDrawMode { Opaque, Key, Alpha };
    TDrawMode DrawMode() const;
    void Release();
    void DrawThroughTemporary(HDC dc, const RECT& dstRect, const RECT& srcRect) const;
    void TileWith(HDC dc, const RECT& dstRect, const RECT& srcRect, const RECT* clipRect) const;

    TskColor* FBits = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    std::string FName;
    BITMAPINFO FBitmapInfo{};
    HBITMAP FHandle = nullptr;
    HDC FDC = nullptr;
    std::unique_ptr<TCanvas> FCanvas;
    bool FAlphaBlend = false;
    bool FTransparent = false;
};

// The TskBitmap whose DC is dc, or nullptr.
TskBitmap* GetBitmapByDC(HDC dc);

// The unit's start and end, after the platform facts (MmxAvailable) are known: fills the pixel routine slots
// and picks the key-colour path; the end frees the DC registry.
void InitializeBitmapUnit();
void FinalizeBitmapUnit();
