// TskBitmapLink: one named picture cut out of a larger TskBitmap strip, with flags telling where it holds
// pixels that are not opaque.
#pragma once

#include <skin/SkinBitmap.h>
#include <toolkit/Persistent.h>

#include <string>

class TskBitmapLink : public TPersistent {
    TOOLKIT_CLASS(TskBitmapLink, TPersistent)

public:
    TskBitmapLink() = default;

    // Not owned.
    TskBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TskBitmap* bitmap) { FBitmap = bitmap; }
    // In the bitmap's pixels, right and bottom exclusive.
    int Left() const { return FLeft; }
    void SetLeft(int value) { FLeft = value; }
    int Top() const { return FTop; }
    void SetTop(int value) { FTop = value; }
    int Right() const { return FRight; }
    void SetRight(int value) { FRight = value; }
    int Bottom() const { return FBottom; }
    void SetBottom(int value) { FBottom = value; }
    RECT Rect() const { return {FLeft, FTop, FRight, FBottom}; }
    void SetRect(const RECT& rect);
    const std::string& Name() const { return FName; }
    void SetName(const std::string& name) { FName = name; }

    // Set by CheckingMasked: some pixel of the edge bands, of the corner cells or of the centre is not opaque.
    bool MaskedBorder() const { return FMaskedBorder; }
    bool MaskedCorner() const { return FMaskedCorner; }
    bool Masked() const { return FMasked; }

    // Another link's bitmap, rectangle, name and flags.
    void Assign(const TPersistent* source) override;
    bool IsValid() const;
    // margins: the widths of the left and right bands and the heights of the top and bottom bands of a
    // nine-cell layout. Without margins only Masked is found, and the scan stops at the first pixel that tells.
    // A pixel is opaque when its alpha is 255 or it is 0x33333333.
    void CheckingMasked(const RECT& margins);
    void CheckingMasked();

private:
    TskBitmap* FBitmap = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FRight = 0;
    int FBottom = 0;
    std::string FName;
    bool FMaskedBorder = false;
    bool FMaskedCorner = false;
    bool FMasked = false;
};
