// TBrush: colour, style and optional pattern bitmap of fills, with the HBRUSH made from them on demand.
#pragma once

#include <toolkit/Graphics.h>
#include <toolkit/GraphicsObject.h>

class TBitmap;

class TBrush : public TGraphicsObject {
    TOOLKIT_CLASS(TBrush, TGraphicsObject)

public:
    // clWhite, bsSolid, no bitmap.
    TBrush() = default;

    HBRUSH Handle() { return static_cast<HBRUSH>(HandleNeeded()); }

    TColor Color() const { return FColor; }
    // A colour makes a clear brush solid again.
    void SetColor(TColor color);
    TBrushStyle Style() const { return FStyle; }
    // bsClear resets the colour to clWhite.
    void SetStyle(TBrushStyle style);
    // A pattern brush made from the bitmap's pixels at the time the handle is made. The brush does not own the
    // bitmap; nullptr returns to Color and Style.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* bitmap);

    void Assign(const TBrush& source);
    // A TBrush is copied as above; anything else goes to the base, which raises EConvertError.
    void Assign(const TPersistent* source) override;

protected:
    HGDIOBJ CreateHandle() const override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};
