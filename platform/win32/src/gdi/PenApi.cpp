// CreatePen, CreatePenIndirect and ExtCreatePen.
#include "BrushObject.h"
#include "StockObjects.h"
#include "kernel/LastError.h"

#include <win32/winbase.h>
#include <win32/winerror.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>

using win32::Fail;

using namespace win32::gdi;

int PenObject::Describe(int size, void* buffer, bool) const {
    const LOGPEN pen{Style, {Width, 0}, Color};
    if (!buffer) return sizeof(pen);
    if (size < static_cast<int>(sizeof(pen))) return 0;
    std::memcpy(buffer, &pen, sizeof(pen));
    return sizeof(pen);
}

namespace {

// A pen made by ExtCreatePen: typed OBJ_EXTPEN and described by GetObject as an EXTLOGPEN, as on Windows.
class ExtPenObject : public PenObject {
public:
    DWORD Type() const override { return OBJ_EXTPEN; }
    int Describe(int size, void* buffer, bool) const override {
        const int needed = static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry));
        if (!buffer) return needed;
        if (size < needed) return 0;
        EXTLOGPEN pen{};
        pen.elpPenStyle = Style;
        pen.elpWidth = static_cast<DWORD>(Width);
        pen.elpBrushStyle = BS_SOLID;
        pen.elpColor = Color;
        pen.elpHatch = Hatch;
        std::memcpy(buffer, &pen, static_cast<size_t>(needed));
        return needed;
    }
    ULONG_PTR Hatch = 0;
};

HPEN NullPen() { return static_cast<HPEN>(StockObject(NULL_PEN)->Handle()); }

HPEN MakePen(UINT style, int width, COLORREF color) {
    auto pen = std::make_shared<PenObject>();
    pen->Style = style;
    pen->Width = width;
    pen->Color = color;
    return static_cast<HPEN>(ObjectTable::Insert(pen));
}

HPEN MakeExtPen(UINT style, int width, const LOGBRUSH& brush) {
    auto pen = std::make_shared<ExtPenObject>();
    pen->Style = style;
    pen->Hatch = brush.lbHatch;
    pen->Width = width;
    pen->Color = brush.lbColor;
    return static_cast<HPEN>(ObjectTable::Insert(pen));
}

}  // namespace

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
    // CreatePen knows only the plain styles; end caps, joins and the geometric type are ExtCreatePen's.
    if (iStyle < 0 || (static_cast<UINT>(iStyle) & ~static_cast<UINT>(PS_STYLE_MASK)) != 0)
        return Fail<HPEN>(nullptr, ERROR_INVALID_PARAMETER);
    UINT style = static_cast<UINT>(iStyle);
    if (style == PS_NULL) return NullPen();
    int width = std::abs(cWidth);
    // As Windows does, the styles it cannot make here (user styles, alternate, unknown numbers) become solid, and
    // so do the dashed and dotted ones wider than a pixel: such a pen draws, and reads back, as PS_SOLID.
    if (style > PS_INSIDEFRAME || (width > 1 && style >= PS_DASH && style <= PS_DASHDOTDOT)) style = PS_SOLID;
    return MakePen(style, width, color);
}

HPEN CreatePenIndirect(const LOGPEN* plpen) {
    if (!plpen) return Fail<HPEN>(nullptr, ERROR_INVALID_PARAMETER);
    return CreatePen(static_cast<int>(plpen->lopnStyle), plpen->lopnWidth.x, plpen->lopnColor);
}

HPEN ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD cStyle, const DWORD* pstyle) {
    const DWORD known = PS_STYLE_MASK | PS_ENDCAP_MASK | PS_JOIN_MASK | PS_TYPE_MASK;
    if ((iPenStyle & ~known) != 0 || !plbrush) return Fail<HPEN>(nullptr, ERROR_INVALID_PARAMETER);
    const DWORD type = iPenStyle & PS_TYPE_MASK;
    const DWORD style = iPenStyle & PS_STYLE_MASK;
    const DWORD cap = iPenStyle & PS_ENDCAP_MASK;
    const DWORD join = iPenStyle & PS_JOIN_MASK;
    if (type != PS_COSMETIC && type != PS_GEOMETRIC) return Fail<HPEN>(nullptr, ERROR_INVALID_PARAMETER);
    if (style > PS_ALTERNATE) return Fail<HPEN>(nullptr, ERROR_INVALID_PARAMETER);
    if (cap != PS_ENDCAP_ROUND && cap != PS_ENDCAP_SQUARE && cap != PS_ENDCAP_FLAT)
        return Fail<HPEN>(nullptr, ERROR_INVALID_PARAMETER);
    if (join != PS_JOIN_ROUND && join != PS_JOIN_BEVEL && join != PS_JOIN_MITER)
        return Fail<HPEN>(nullptr, ERROR_INVALID_PARAMETER);
    if (style == PS_USERSTYLE) {
        if (cStyle == 0 || cStyle > 16 || !pstyle) return Fail<HPEN>(nullptr, ERROR_INVALID_PARAMETER);
        return Fail<HPEN>(nullptr, ERROR_NOT_SUPPORTED);  // user style arrays are not drawn here
    }
    if (cStyle != 0 || pstyle) return Fail<HPEN>(nullptr, ERROR_INVALID_PARAMETER);
    switch (plbrush->lbStyle) {
    case BS_SOLID: break;
    case BS_NULL:
    case BS_HATCHED:
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
        // Cosmetic pens take solid brushes only; geometric pens with other brushes are valid but not drawn here.
        return Fail<HPEN>(nullptr, type == PS_COSMETIC ? ERROR_INVALID_PARAMETER : ERROR_NOT_SUPPORTED);
    default: return Fail<HPEN>(nullptr, ERROR_INVALID_PARAMETER);
    }

    if (type == PS_COSMETIC) {
        // Cosmetic pens are one pixel wide, have no caps or joins, and cannot be inside-frame pens.
        if (cWidth != 1 || style == PS_INSIDEFRAME || cap != 0 || join != 0)
            return Fail<HPEN>(nullptr, ERROR_INVALID_PARAMETER);
        if (style == PS_NULL) return NullPen();
        return MakeExtPen(iPenStyle, 1, *plbrush);
    }
    if (style == PS_ALTERNATE) return Fail<HPEN>(nullptr, ERROR_INVALID_PARAMETER);
    if (style == PS_NULL) return NullPen();
    if (cWidth > 0x7FFFFFFu) return Fail<HPEN>(nullptr, ERROR_INVALID_PARAMETER);
    // Geometric pens are stroked as filled outlines: solid ones with round joins are what that stroker draws.
    if (style != PS_SOLID && style != PS_INSIDEFRAME) return Fail<HPEN>(nullptr, ERROR_NOT_SUPPORTED);
    if (join != PS_JOIN_ROUND) return Fail<HPEN>(nullptr, ERROR_NOT_SUPPORTED);
    return MakeExtPen(iPenStyle, static_cast<int>(cWidth), *plbrush);
}
