// TBrush values and the HBRUSH made from them.
#include <toolkit/Brush.h>

#include <toolkit/Bitmap.h>

void TBrush::SetColor(TColor color) {
    if (color == FColor && FStyle != bsClear) return;
    FColor = color;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    if (style == bsClear) FColor = clWhite;
    Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
    if (bitmap == FBitmap) return;
    FBitmap = bitmap;
    Changed();
}

void TBrush::Assign(const TPersistent* source) {
    if (auto same = dynamic_cast<const TBrush*>(source))
        Assign(*same);
    else
        inherited::Assign(source);
}

void TBrush::Assign(const TBrush& source) {
    if (&source == this) return;
    if (FColor == source.FColor && FStyle == source.FStyle && FBitmap == source.FBitmap) return;
    FColor = source.FColor;
    FStyle = source.FStyle;
    FBitmap = source.FBitmap;
    Changed();
}

HGDIOBJ TBrush::CreateHandle() const {
    HBRUSH handle = nullptr;
    if (FBitmap && !FBitmap->Empty()) {
        handle = CreatePatternBrush(FBitmap->Handle());
    } else {
        LOGBRUSH brush{BS_SOLID, ColorToRGB(FColor), 0};
        if (FStyle == bsClear) {
            brush.lbStyle = BS_HOLLOW;
        } else if (FStyle != bsSolid) {
            brush.lbStyle = BS_HATCHED;
            brush.lbHatch = static_cast<ULONG_PTR>(FStyle - bsHorizontal);
        }
        handle = CreateBrushIndirect(&brush);
    }
    if (!handle) throw EInvalidGraphicOperation("Cannot create the brush");
    return handle;
}
