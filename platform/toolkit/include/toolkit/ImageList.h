// TCustomImageList: equally sized images with masks, drawn transparently, or greyed in the classic disabled look.
#pragma once

#include <toolkit/Bitmap.h>
#include <toolkit/Canvas.h>
#include <toolkit/Component.h>

#include <memory>
#include <vector>

class TCustomImageList : public TComponent {
    TOOLKIT_CLASS(TCustomImageList, TComponent)

public:
    // 16 x 16 images.
    explicit TCustomImageList(TComponent* owner) : TComponent(owner) {}
    TCustomImageList(TComponent* owner, int width, int height);
    ~TCustomImageList() override;
    TCustomImageList(const TCustomImageList&) = delete;
    TCustomImageList& operator=(const TCustomImageList&) = delete;

    // Changing the size empties the list. Sizes below 1 count as 1.
    int Width() const { return FWidth; }
    void SetWidth(int width) { SetSize(width, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int height) { SetSize(FWidth, height); }
    void SetSize(int width, int height);
    int Count() const { return static_cast<int>(FImages.size()); }
    // Masked (the default): images are drawn through their masks. Not masked: every pixel is drawn, the
    // transparent ones in the colour they are stored in (black for AddMasked).
    bool Masked() const { return FMasked; }
    void SetMasked(bool masked);

    // Adds image cut into Width-wide pieces (Width() / Width of them, from the left) and answers the first new
    // index. mask: white pixels are transparent; nullptr keeps every pixel. Raises EInvalidGraphicOperation for
    // an image smaller than one piece.
    int Add(const TBitmap& image, const TBitmap* mask);
    // Like Add, with pixels of maskColor transparent (and stored black); clNone keeps every pixel.
    int AddMasked(const TBitmap& image, TColor maskColor);
    // Out-of-range indexes are ignored.
    void Delete(int index);
    void Clear();
    // Copies image index into bitmap (Width x Height, 32-bit); false when index is out of range.
    bool GetBitmap(int index, TBitmap& bitmap) const;

    // Draws image index at (x, y), through its mask when Masked. Disabled: the shape of the non-white pixels, once in
    // clBtnHighlight one pixel down and right, then in clBtnShadow on top. Out-of-range indexes draw nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);

    TNotifyEvent OnChange;

private:
    struct Entry {
        std::unique_ptr<TBitmap> Image;
        std::unique_ptr<TBitmap> Mask;  // 1 bit per pixel, 1 (white) where transparent
    };

    int Append(const TBitmap& image, const std::function<bool(int x, int y, COLORREF pixel)>& transparent,
               bool blackenTransparent);
    void Changed();

    int FWidth = 16;
    int FHeight = 16;
    bool FMasked = true;
    std::vector<Entry> FImages;
};
