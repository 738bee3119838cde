// TSkControl's frame: the bevel and border properties, the inner rectangle they leave, and the frame drawn as
// classic bevel rings or as the visual style's edit frame.
#include <skin/SkControl.h>

#include "VisualStyle.h"

#include <skin/CanvasUtils.h>
#include <skin/Common.h>
#include <skin/RectUtils.h>
#include <win32/vssym32.h>

namespace {

// The two colours of one ring: left and top edges, then bottom and right edges.
struct TRingColors {
    TColor Upper;
    TColor Lower;
};

// By cut (vbvNone has no ring): the outer bevel's colours and the inner bevel's.
const TRingColors OuterRing[] = {{clNone, clNone},       {clBtnShadow, clBtnHighlight}, {clBtnHighlight, cl3DDkShadow},
                                 {clBtnFace, clBtnFace}, {cl3DDkShadow, cl3DDkShadow},  {clBtnShadow, clBtnShadow}};
const TRingColors InnerRing[] = {{clNone, clNone},       {cl3DDkShadow, clBtnFace}, {clBtnShadow, clBtnShadow},
                                 {clBtnFace, clBtnFace}, {clWindow, clWindow},      {clBtnFace, clBtnFace}};

}  // namespace

void TSkControl::FrameChanged() {
    BorderChanged();
    Invalidate();
}

void TSkControl::SetBorderWidth(int value) {
    if (value == FBorderWidth) return;
    FBorderWidth = value;
    FrameChanged();
}

void TSkControl::SetBevelInner(TSkBevelCut value) {
    if (value == FBevelInner) return;
    SetBevelKind(vbkNone);
    FBevelInner = value;
    FrameChanged();
}

void TSkControl::SetBevelOuter(TSkBevelCut value) {
    if (value == FBevelOuter) return;
    SetBevelKind(vbkNone);
    FBevelOuter = value;
    FrameChanged();
}

void TSkControl::SetBevelSides(TSkBevelSides value) {
    if (value == FBevelSides) return;
    FBevelSides = value;
    FrameChanged();
}

void TSkControl::SetBevelKind(TSkBevelKind value) {
    if (value == FBevelKind) return;
    FBevelKind = value;
    switch (value) {
    case vbkSingle:
    case vbkTile:
    case vbkSoft: FBevelInner = FBevelOuter = vbvLowered; break;
    case vbkBorder: FBevelInner = FBevelOuter = vbvBorder; break;
    case vbkFlat: FBevelInner = FBevelOuter = vbvFlatBorder; break;
    case vbkNone: break;
    }
    FrameChanged();
}

void TSkControl::SetBevelWidth(int value) {
    if (value == FBevelWidth) return;
    FBevelWidth = value;
    FrameChanged();
}

void TSkControl::SetUseSystemStyle(bool value) {
    if (value == FUseSystemStyle) return;
    FUseSystemStyle = value;
    Invalidate();
}

RECT TSkControl::GetInnerRect() {
    RECT rect = InflateRectBy(RECT{0, 0, FCachedWidth, FCachedHeight}, -FBorderWidth);
    const int bevel = FBevelWidth * ((FBevelInner != vbvNone ? 1 : 0) + (FBevelOuter != vbvNone ? 1 : 0));
    if (FBevelSides.Contains(vbsLeft)) rect.left += bevel;
    if (FBevelSides.Contains(vbsTop)) rect.top += bevel;
    if (FBevelSides.Contains(vbsRight)) rect.right -= bevel;
    if (FBevelSides.Contains(vbsBottom)) rect.bottom -= bevel;
    return rect;
}

void TSkControl::PaintBevel(RECT& rect, TSkBevelCut cut, bool outer) {
    const TRingColors colors = (outer ? OuterRing : InnerRing)[cut];
    TCanvas& canvas = *Canvas();
    for (int ring = 0; ring < FBevelWidth; ++ring) {
        const RECT r = rect;
        // Drawn in this order, the bottom-left and top-right corners take the lower colour.
        if (FBevelSides.Contains(vbsLeft)) {
            MoveToPoint(canvas, r.left, r.top);
            LineToColor(canvas, r.left, r.bottom, colors.Upper);
        }
        if (FBevelSides.Contains(vbsTop)) {
            MoveToPoint(canvas, r.left, r.top);
            LineToColor(canvas, r.right, r.top, colors.Upper);
        }
        if (FBevelSides.Contains(vbsBottom)) {
            MoveToPoint(canvas, r.left, r.bottom - 1);
            LineToColor(canvas, r.right, r.bottom - 1, colors.Lower);
        }
        if (FBevelSides.Contains(vbsRight)) {
            MoveToPoint(canvas, r.right - 1, r.top);
            LineToColor(canvas, r.right - 1, r.bottom, colors.Lower);
        }
        if (FBevelSides.Contains(vbsLeft)) ++rect.left;
        if (FBevelSides.Contains(vbsTop)) ++rect.top;
        if (FBevelSides.Contains(vbsRight)) --rect.right;
        if (FBevelSides.Contains(vbsBottom)) --rect.bottom;
    }
}

void TSkControl::PaintBorder() {
    TCanvas& canvas = *Canvas();
    const RECT full{0, 0, FCachedWidth, FCachedHeight};
    const bool systemStyle = VisualStylesActive() && FUseSystemStyle;
    if (FScrollBars == vsbBoth) {
        // The square between the two bars is 20 pixels whatever their thickness.
        const RECT corner{FCachedWidth - 20, FCachedHeight - 20, FCachedWidth, FCachedHeight};
        if (systemStyle)
            DrawVisualStylePart(canvas.Handle(), u"Edit", EP_EDITTEXT, 0, corner);
        else
            FillRectColor(canvas, corner, Color());
    }
    const RECT inner = GetInnerRect();
    if (RectEqual(inner, full)) return;
    if (systemStyle) {
        const int state = !Enabled() ? ETS_DISABLED : FHasFocus ? ETS_SELECTED : FMouseInControl ? ETS_HOT : ETS_NORMAL;
        HDC dc = canvas.Handle();
        int saved = SaveDC(dc);
        ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
        DrawVisualStylePart(dc, u"Edit", EP_EDITTEXT, state, full);
        RestoreDC(dc, saved);
        canvas.Refresh();
        return;
    }
    RECT rect = full;
    if (FBevelWidth > 0) {
        if (FBevelOuter != vbvNone) PaintBevel(rect, FBevelOuter, true);
        if (FBevelInner != vbvNone) PaintBevel(rect, FBevelInner, false);
    }
    for (int ring = 0; ring < FBorderWidth; ++ring) {
        FrameRectColor(canvas, rect, Color());
        rect = InflateRectBy(rect, -1);
    }
}
