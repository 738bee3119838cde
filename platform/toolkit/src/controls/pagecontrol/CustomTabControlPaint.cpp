// TCustomTabControl's classic look: raised tabs with cut corners on the strip, the selected one two pixels larger
// and open into the page frame below it, captions grey and embossed when disabled, the focus rectangle on the
// selected caption, and scroll arrows when the tabs overflow.
#include <toolkit/CustomTabControl.h>

#include "controls/stdctrls/ControlText.h"

namespace {

constexpr int kSelectedRise = 2;

void FillSys(HDC dc, const RECT& rect, int color) { FillRect(dc, &rect, GetSysColorBrush(color)); }

void Dot(HDC dc, int x, int y, COLORREF color) { SetPixelV(dc, x, y, color); }

}  // namespace

void TCustomTabControl::Paint() {
    HDC dc = Canvas()->Handle();
    TLayout layout = Layout();
    int width = ClientWidth(), height = ClientHeight();
    int strip = kSelectedRise + layout.Rows * layout.RowHeight;

    // Behind the tabs the strip shows the control's colour; the page area is a raised frame of button face.
    Canvas()->Brush().SetColor(Color());
    Canvas()->FillRect(Place(RECT{0, 0, width, strip}));
    RECT frame = Place(RECT{0, strip, width, height});
    FillSys(dc, frame, COLOR_BTNFACE);
    DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT | BF_SOFT);

    int selected = TabIndex();
    int saved = SaveDC(dc);
    if (layout.Arrows) IntersectClipRect(dc, 0, 0, layout.StripRight, height);
    // Row by row from the outside in: each row's lower edge hides under the next row's tabs.
    for (int row = 0; row < layout.Rows; ++row)
        for (int i = FFirstTab; i < static_cast<int>(layout.Tabs.size()); ++i)
            if (i != selected && layout.Tabs[static_cast<size_t>(i)].top == kSelectedRise + row * layout.RowHeight)
                PaintTab(dc, layout, i, false);
    // Last, so that it covers its neighbours' edges and the frame line it opens into.
    if (selected >= FFirstTab && selected < static_cast<int>(layout.Tabs.size())) PaintTab(dc, layout, selected, true);
    RestoreDC(dc, saved);
    if (layout.Arrows) PaintArrows(dc, layout);
}

void TCustomTabControl::PaintTab(HDC dc, const TLayout& layout, int index, bool selected) {
    RECT fromTop = layout.Tabs[static_cast<size_t>(index)];
    if (selected) {
        // Two pixels larger on the three free sides, and one row down over the frame's outer line.
        InflateRect(&fromTop, kSelectedRise, kSelectedRise);
        fromTop.bottom -= kSelectedRise - 1;
    }
    bool bottom = FTabPosition == tpBottom;
    RECT r = Place(fromTop);
    FillSys(dc, r, COLOR_BTNFACE);
    DrawEdge(dc, &r, EDGE_RAISED, BF_SOFT | BF_LEFT | BF_RIGHT | (bottom ? BF_BOTTOM : BF_TOP));

    // Cut the two outer corners: the strip's colour where the square corner was, one diagonal dot inside it.
    COLORREF background = ColorToRGB(Color());
    int edgeRow = bottom ? r.bottom - 1 : r.top;
    int nextRow = bottom ? r.bottom - 2 : r.top + 1;
    for (int x : {r.left, r.left + 1, r.right - 2, r.right - 1}) Dot(dc, x, edgeRow, background);
    Dot(dc, r.left, nextRow, background);
    Dot(dc, r.right - 1, nextRow, background);
    Dot(dc, r.left + 1, nextRow, GetSysColor(COLOR_BTNHIGHLIGHT));
    Dot(dc, r.right - 2, nextRow, GetSysColor(COLOR_3DDKSHADOW));

    if (selected) {
        // Open the frame under the selected tab: its two lines give way to the face between the tab's sides.
        int strip = kSelectedRise + layout.Rows * layout.RowHeight;
        FillSys(dc, Place(RECT{fromTop.left + 2, strip, fromTop.right - 2, strip + 2}), COLOR_BTNFACE);
    }
    PaintCaption(index, r, selected);
}

void TCustomTabControl::PaintCaption(int index, RECT rect, bool selected) {
    std::string caption = TabCaption(index);
    TCanvas* canvas = Canvas();
    canvas->SetFont(*Font());
    // The canvas selects the font into the paint DC.
    HDC textDC = canvas->Handle();

    // The image and the caption together, centred in the tab.
    int textWidth = CaptionWidth(index);
    bool image = HasImage(index);
    int imageWidth = image ? FImages->Width() + 3 : 0;
    int left = (rect.left + rect.right - textWidth - imageWidth) / 2;
    if (image)
        FImages->Draw(*canvas, left, (rect.top + rect.bottom - FImages->Height()) / 2, TabImageIndex(index), Enabled());
    RECT text{left + imageWidth, rect.top, left + imageWidth + textWidth, rect.bottom};

    SetBkMode(textDC, TRANSPARENT);
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    if (!Enabled()) {
        DrawDisabledText(textDC, caption, text, format);
    } else {
        SetTextColor(textDC, GetSysColor(FHotTrack && index == FHotIndex ? COLOR_HOTLIGHT : COLOR_BTNTEXT));
        DrawTextA(textDC, caption.c_str(), static_cast<int>(caption.size()), &text, format);
    }

    if (selected && Focused()) {
        RECT focus = rect;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(textDC, &focus);
    }
}

void TCustomTabControl::PaintArrows(HDC dc, const TLayout& layout) {
    RECT left = Place(layout.LeftArrow), right = Place(layout.RightArrow);
    DrawFrameControl(dc, &left, DFC_SCROLL, DFCS_SCROLLLEFT | (layout.CanScrollLeft ? 0 : DFCS_INACTIVE));
    DrawFrameControl(dc, &right, DFC_SCROLL, DFCS_SCROLLRIGHT | (layout.CanScrollRight ? 0 : DFCS_INACTIVE));
}
