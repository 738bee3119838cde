// TSkTabControl's painting: the strip over what lies under the control, the tabs, the page frame and the scroll
// buttons in the theme's look, the visual style or the classic look, and the quick repaint of the strip alone.
#include <skin/SkTabControl.h>

#include "VisualStyle.h"

#include <skin/CanvasUtils.h>
#include <skin/CodePage.h>
#include <skin/Common.h>
#include <skin/ParentBackground.h>
#include <skin/RectUtils.h>
#include <skin/RotatedText.h>
#include <skin/SkTabSheet.h>
#include <skin/SkinBitmap.h>
#include <skin/TextUtils.h>
#include <toolkit/ImageList.h>
#include <win32/vssym32.h>

namespace {

// A line from (x1, y1) to (x2, y2), the end point left out.
void Line(TCanvas& canvas, int x1, int y1, int x2, int y2, TColor color) {
    MoveToPoint(canvas, x1, y1);
    LineToColor(canvas, x2, y2, color);
}

// The rounded corners of a classic tab face F = (l, t, r, b).
void TopLeftCorner(TCanvas& canvas, const RECT& f) {
    Line(canvas, f.left, f.top + 2, f.left + 3, f.top - 1, clBtnHighlight);
}

void TopRightCorner(TCanvas& canvas, const RECT& f) {
    Line(canvas, f.right - 3, f.top, f.right - 2, f.top + 1, clBtnHighlight);
    LineToColor(canvas, f.right, f.top + 3, cl3DDkShadow);
    Line(canvas, f.right - 2, f.top + 2, f.right - 1, f.top + 2, clBtnShadow);
}

void BottomLeftCorner(TCanvas& canvas, const RECT& f) {
    Line(canvas, f.left, f.bottom - 3, f.left + 2, f.bottom - 1, clBtnHighlight);
    LineToColor(canvas, f.left + 2, f.bottom - 2, cl3DDkShadow);
    LineToColor(canvas, f.left + 2, f.bottom - 3, clBtnShadow);
}

void BottomRightCorner(TCanvas& canvas, const RECT& f) {
    Line(canvas, f.right - 1, f.bottom - 3, f.right - 4, f.bottom, cl3DDkShadow);
    Line(canvas, f.right - 2, f.bottom - 3, f.right - 4, f.bottom - 1, clBtnShadow);
}

// Theme kinds of a tab by side: top (the first and last visible tabs have their own), bottom, left, right.
constexpr std::uint8_t SideKind[] = {0, 9, 3, 6};

}  // namespace

void TSkTabControl::PaintClient() {
    TCanvas& canvas = *Canvas();
    HDC dc = canvas.Handle();
    const int saved = SaveDC(dc);
    if (FUsePages && FPages->Count() > 0) {
        // The pages paint themselves.
        RECT pages = ClientRect();
        AdjustClientRect(pages);
        ExcludeClipRect(dc, pages.left, pages.top, pages.right, pages.bottom);
    }
    try {
        PaintStrip();
    } catch (...) {
        RestoreDC(dc, saved);
        canvas.Refresh();
        throw;
    }
    RestoreDC(dc, saved);
    canvas.Refresh();
}

void TSkTabControl::PaintStrip() {
    TCanvas& canvas = *Canvas();
    DrawParentBackground(this, canvas.Handle());
    // The parent drew through the same DC with objects of its own.
    canvas.Refresh();
    DrawTabs(false);
    DrawPageArea();
    DrawTabs(true);
    if (ScrollerVisible()) {
        DrawLeftScrollButton();
        DrawRightScrollButton();
    }
}

void TSkTabControl::DrawTabs(bool selectedOnly) {
    LayoutRows();
    const int count = FTabs->Count();
    if (count == 0) return;
    if (selectedOnly) {
        if (FTabIndex >= 0 && FTabIndex < count) DrawTab(FTabIndex);
        return;
    }
    if (!FMultiLine) {
        const int last = LastVisibleTab(false);
        for (int i = FFirstVisibleTab; i <= count - 1 && i <= last; ++i)
            if (i != FTabIndex) DrawTab(i);
        return;
    }
    // Rows farther from the page first, every tab of a row (the selected one too) in index order.
    auto drawRow = [this, count](int row) {
        const int first = row == 0 ? 0 : FRows[static_cast<size_t>(row - 1)].LastTab + 1;
        for (int i = first; i <= FRows[static_cast<size_t>(row)].LastTab && i < count; ++i) DrawTab(i);
    };
    const int selected = RowOf(FTabIndex);
    const int rows = RowsInUse();
    if (FScrollOpposite) {
        for (int r = rows - 1; r >= selected; --r) drawRow(r);
        for (int r = 0; r < selected; ++r) drawRow(r);
    } else {
        for (int r = selected - 1; r >= 0; --r) drawRow(r);
        for (int r = rows - 1; r >= selected; --r) drawRow(r);
    }
}

void TSkTabControl::DrawTab(int index) {
    if (index < 0) return;
    TCanvas& canvas = *Canvas();
    canvas.SetFont(*TabFont(index));
    RECT rect = TabRect(index);
    static const TSkTabPosition flipped[] = {vttpBottom, vttpTop, vttpRight, vttpLeft};
    const TSkTabPosition side = IsOppositeRow(index) ? flipped[FTabPosition] : FTabPosition;
    if (FOwnerDraw) {
        DoDrawTab(index, rect, index == FTabIndex);
        return;
    }
    DrawTabFace(index, side, rect);
    if (ImagePage(index)) {
        DrawTabImage(index, side, rect);
        const int h = RowHeight();
        switch (side) {
        case vttpTop:
        case vttpBottom: rect.left += h; break;
        case vttpLeft: rect.bottom -= h; break;
        case vttpRight: rect.top += h; break;
        }
    }
    const int length = side == vttpLeft || side == vttpRight ? RectHeight(rect) : RectWidth(rect);
    if (length > 8) DrawTabText(index, side, rect);
}

void TSkTabControl::DrawTabFace(int index, TSkTabPosition side, const RECT& rect) {
    TCanvas& canvas = *Canvas();
    const bool selected = index == FTabIndex;
    if (ThemeDefined()) {
        std::uint8_t state;
        if (!Enabled())
            state = selected ? 5 : 2;
        else if (selected)
            state = index == FHotTab ? 4 : 3;
        else
            state = index == FHotTab ? 1 : 0;
        std::uint8_t kind = SideKind[side];
        if (side == vttpTop && index == FFirstVisibleTab)
            kind = 1;
        else if (side == vttpTop && index == LastVisibleTab(true))
            kind = 2;
        GetTheme(FThemeLink)->TabDrawTab(0, canvas, FThemeObject, TskPartRecord{rect, kind, state});
        return;
    }
    // The selected tab stands out by 2 on its three free sides.
    RECT face = rect;
    if (selected) {
        if (side != vttpRight) face.left -= 2;
        if (side != vttpBottom) face.top -= 2;
        if (side != vttpLeft) face.right += 2;
        if (side != vttpTop) face.bottom += 2;
    }
    if (VisualStylesActive()) {
        const int part = selected && side == vttpTop && index == FFirstVisibleTab ? TABP_TABITEMLEFTEDGE : TABP_TABITEM;
        int state = TIS_NORMAL;
        if (!Enabled())
            state = TIS_DISABLED;
        else if (selected)
            state = TIS_SELECTED;
        else if (index == FHotTab)
            state = TIS_HOT;
        DrawVisualStylePart(canvas.Handle(), u"Tab", part, state, face);
        return;
    }
    ClassicTabFace(canvas, side, face, selected && HasFocus());
}

void TSkTabControl::ClassicTabFace(TCanvas& canvas, TSkTabPosition side, const RECT& f, bool focused) {
    const int l = f.left, t = f.top, r = f.right, b = f.bottom;
    switch (side) {
    case vttpTop:
        RoundRectFill(canvas, RECT{l + 1, t + 1, r - 1, b}, 4, clBtnFace);
        FillRectColor(canvas, RECT{l + 1, t + 2, r - 1, b}, clBtnFace);
        break;
    case vttpBottom:
        RoundRectFill(canvas, RECT{l + 1, t, r - 1, b}, 4, clBtnFace);
        FillRectColor(canvas, RECT{l + 1, t + 2, r - 1, b}, clBtnFace);
        break;
    case vttpLeft:
        RoundRectFill(canvas, RECT{l, t + 1, r, b - 1}, 4, clBtnFace);
        FillRectColor(canvas, RECT{l + 2, t + 1, r, b}, clBtnFace);
        break;
    case vttpRight:
        RoundRectFill(canvas, RECT{l, t + 1, r, b - 1}, 4, clBtnFace);
        FillRectColor(canvas, RECT{l, t + 1, r - 2, b - 1}, clBtnFace);
        break;
    }
    if (focused) FocusRectColor(canvas, RECT{l + 3, t + 3, r - 3, b - 3}, clBtnFace);
    switch (side) {
    case vttpTop:
        Line(canvas, l + 3, t, r - 3, t, clBtnHighlight);
        Line(canvas, l, t + 3, l, b - 1, clBtnHighlight);
        Line(canvas, r - 1, t + 3, r - 1, b - 1, cl3DDkShadow);
        Line(canvas, r - 2, t + 3, r - 2, b - 1, clBtnShadow);
        TopLeftCorner(canvas, f);
        TopRightCorner(canvas, f);
        break;
    case vttpBottom:
        Line(canvas, l, t, l, b - 3, clBtnHighlight);
        Line(canvas, r - 1, t + 1, r - 1, b - 3, cl3DDkShadow);
        Line(canvas, r - 2, t + 1, r - 2, b - 3, clBtnShadow);
        Line(canvas, l + 3, b - 1, r - 3, b - 1, cl3DDkShadow);
        Line(canvas, l + 3, b - 2, r - 3, b - 2, clBtnShadow);
        BottomLeftCorner(canvas, f);
        BottomRightCorner(canvas, f);
        break;
    case vttpLeft:
        Line(canvas, l + 3, t, r - 1, t, clBtnHighlight);
        Line(canvas, l, t + 3, l, b - 3, clBtnHighlight);
        Line(canvas, l + 3, b - 1, r - 1, b - 1, cl3DDkShadow);
        Line(canvas, l + 3, b - 2, r - 1, b - 2, clBtnShadow);
        TopLeftCorner(canvas, f);
        BottomLeftCorner(canvas, f);
        break;
    case vttpRight:
        Line(canvas, l, t, r - 3, t, clBtnHighlight);
        Line(canvas, r - 1, t + 3, r - 1, b - 3, cl3DDkShadow);
        Line(canvas, r - 2, t + 3, r - 2, b - 3, clBtnShadow);
        Line(canvas, l + 1, b - 1, r - 3, b - 1, cl3DDkShadow);
        Line(canvas, l + 1, b - 2, r - 3, b - 2, clBtnShadow);
        TopRightCorner(canvas, f);
        BottomRightCorner(canvas, f);
        break;
    }
}

void TSkTabControl::DrawTabImage(int index, TSkTabPosition side, const RECT& rect) {
    TSkTabSheet* page = ImagePage(index);
    if (!page) return;
    RECT area = rect;
    if (index == FTabIndex) InflateRect(&area, 1, 1);
    InflateRect(&area, -3, -3);
    const int h = RowHeight();
    POINT at{area.left, area.top};
    if (side == vttpLeft) at = POINT{area.left, area.bottom - h};
    if (side == vttpRight) at = POINT{area.right - h, area.top};
    FImages->Draw(*Canvas(), at.x, at.y, page->ImageIndex(), true);
}

void TSkTabControl::DrawTabText(int index, TSkTabPosition side, const RECT& rect) {
    TCanvas& canvas = *Canvas();
    const std::u16string caption = WideFromCodePage(CP_ACP, FTabs->Strings(index));
    const bool selected = index == FTabIndex;
    const int h = RowHeight();
    if (ThemeDefined()) {
        canvas.SetFont(*TabFont(index));
        RECT text = rect;
        switch (side) {
        case vttpTop: text.bottom = text.top + h; break;
        case vttpBottom: text.top = text.bottom - h; break;
        case vttpLeft: text.right = text.left + h; break;
        case vttpRight: text.left = text.right - h; break;
        }
        TskTextInfo info;
        info.Rect = text;
        info.Text = caption;
        info.Alignment = txaCenter;
        // The toolkit has no right-to-left reading order, so neither look asks for it.
        info.TextFlags = tfSingleLine;
        GetTheme(FThemeLink)->TabDrawText(0, canvas, FThemeObject, info, TskPartRecord{text, SideKind[side], 0});
        return;
    }
    canvas.SetFont(*Font());
    if (FHotTrack && index == FHotTab) canvas.Font().SetColor(clHighlight);
    // A selected tab's rectangle grows by 1 for the text and its text rectangle shrinks by 1 again.
    RECT text = rect;
    const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    switch (side) {
    case vttpTop:
        if (!selected) text.top += 1;
        text.bottom = text.top + h;
        DrawTextEx2(canvas, caption, text, flags);
        break;
    case vttpBottom:
        text.top = text.bottom - h;
        DrawTextEx2(canvas, caption, text, flags);
        break;
    case vttpLeft:
        text.right = text.left + h;
        DrawRotatedText(canvas, caption, text, false, flags);
        break;
    case vttpRight:
        text.left = text.right - h;
        DrawRotatedText(canvas, caption, text, true, flags);
        break;
    }
}

void TSkTabControl::DrawPageArea() {
    TCanvas& canvas = *Canvas();
    RECT area = PageAreaRect();
    if (ThemeDefined()) {
        GetTheme(FThemeLink)->TabDraw(0, canvas, FThemeObject, area);
        return;
    }
    if (VisualStylesActive()) {
        DrawVisualStylePart(canvas.Handle(), u"Tab", TABP_BODY, 1, InflateRectBy(area, -2));
        DrawVisualStylePart(canvas.Handle(), u"Tab", TABP_PANE, 1, area);
        return;
    }
    FillRectColor(canvas, area, clBtnFace);
    Frame3D(canvas, area, clBtnHighlight, cl3DDkShadow);
    InflateRect(&area, -1, -1);
    Frame3D(canvas, area, clBtnFace, clBtnShadow);
}

void TSkTabControl::DrawLeftScrollButton() { DrawScrollButton(true); }

void TSkTabControl::DrawRightScrollButton() { DrawScrollButton(false); }

void TSkTabControl::DrawScrollButton(bool left) {
    TCanvas& canvas = *Canvas();
    RECT rect = left ? LeftScrollButtonRect() : RightScrollButtonRect();
    const bool pressed = left ? FLeftButtonDown && FLeftButtonHot : FRightButtonDown && FRightButtonHot;
    const bool hot = left ? FLeftButtonHot : FRightButtonHot;
    if (ThemeDefined()) {
        const std::uint8_t state = !Enabled() ? 3 : pressed ? 2 : hot ? 1 : 0;
        GetTheme(FThemeLink)
            ->TabDrawButton(0, canvas, FThemeObject, TskPartRecord{rect, std::uint8_t(left ? 1 : 4), state});
        return;
    }
    if (VisualStylesActive()) {
        // Four states each, the left arrow's from 9 and the right arrow's from 13: normal, hot, pressed, disabled.
        const int condition = !Enabled() ? 3 : pressed ? 2 : hot ? 1 : 0;
        DrawVisualStylePart(canvas.Handle(), u"ScrollBar", SBP_ARROWBTN,
                            (left ? ABS_LEFTNORMAL : ABS_RIGHTNORMAL) + condition, rect);
        return;
    }
    DrawFrameControl(canvas.Handle(), &rect, DFC_SCROLL,
                     (left ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT) | (pressed ? DFCS_PUSHED : 0));
}

void TSkTabControl::RedrawStrip() {
    if (FTabs->Count() == 0 || !Parent() || !HandleAllocated()) return;
    if (ComponentState().Contains(csDesigning) || FScrollOpposite || Performance() != vnpNoBuffer) {
        Invalidate();
        return;
    }
    LayoutRows();
    RECT strip{0, 0, 0, 0};
    for (int i = 0; i < FTabs->Count(); ++i) {
        const RECT tab = TabRect(i);
        UnionRect(&strip, &strip, &tab);
    }
    if (IsRectEmptyEx(strip)) return;
    if (SideStrip()) {
        InflateRect(&strip, 2, 0);
        strip.top = 0;
        strip.bottom = CachedHeight();
    } else {
        InflateRect(&strip, 0, 2);
        strip.left = 0;
        strip.right = CachedWidth();
    }
    TskBitmap buffer;
    buffer.SetSize(RectWidth(strip), RectHeight(strip));
    SetWindowOrgEx(buffer.DC(), strip.left, strip.top, nullptr);
    TCanvas& canvas = *Canvas();
    HDC previous = canvas.HandleAllocated() ? canvas.Handle() : nullptr;
    canvas.SetHandle(buffer.DC());
    try {
        PaintFont()->Assign(*Font());
        PaintStrip();
    } catch (...) {
        canvas.SetHandle(previous);
        throw;
    }
    canvas.SetHandle(previous);
    SetWindowOrgEx(buffer.DC(), 0, 0, nullptr);
    HDC dc = GetDC(Handle());
    buffer.Draw(dc, strip.left, strip.top);
    ReleaseDC(Handle(), dc);
}
