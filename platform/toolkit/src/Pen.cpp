// TPen values and the HPEN made from them.
#include <toolkit/Pen.h>

void TPen::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width < 0 || width == FWidth) return;
    FWidth = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TPen::SetMode(TPenMode mode) {
    if (mode == FMode) return;
    FMode = mode;
    Changed(false);
}

void TPen::Assign(const TPersistent* source) {
    if (auto same = dynamic_cast<const TPen*>(source))
        Assign(*same);
    else
        inherited::Assign(source);
}

void TPen::Assign(const TPen& source) {
    if (&source == this) return;
    bool resource = FColor != source.FColor || FWidth != source.FWidth || FStyle != source.FStyle;
    if (!resource && FMode == source.FMode) return;
    FColor = source.FColor;
    FWidth = source.FWidth;
    FStyle = source.FStyle;
    FMode = source.FMode;
    Changed(resource);
}

int TPen::Rop2(TPenMode mode) {
    static const int kRop2[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return kRop2[mode];
}

HGDIOBJ TPen::CreateHandle() const {
    static const UINT kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    LOGPEN pen{kStyles[FStyle], POINT{FWidth, 0}, ColorToRGB(FColor)};
    HPEN handle = CreatePenIndirect(&pen);
    if (!handle) throw EInvalidGraphicOperation("Cannot create the pen");
    return handle;
}
