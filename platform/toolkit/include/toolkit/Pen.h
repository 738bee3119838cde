// TPen: colour, width, style and raster mode of lines, with the HPEN made from them on demand.
#pragma once

#include <toolkit/Graphics.h>
#include <toolkit/GraphicsObject.h>

class TPen : public TGraphicsObject {
    TOOLKIT_CLASS(TPen, TGraphicsObject)

public:
    // clBlack, width 1, psSolid, pmCopy.
    TPen() = default;

    HPEN Handle() { return static_cast<HPEN>(HandleNeeded()); }

    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    // Negative widths are ignored; 0 and 1 both draw one pixel wide.
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle style);
    // Applied by the canvas with SetROP2; it is not part of the handle.
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode mode);

    void Assign(const TPen& source);
    // A TPen is copied as above; anything else goes to the base, which raises EConvertError.
    void Assign(const TPersistent* source) override;

    // The R2_ code for a mode.
    static int Rop2(TPenMode mode);

protected:
    HGDIOBJ CreateHandle() const override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};
