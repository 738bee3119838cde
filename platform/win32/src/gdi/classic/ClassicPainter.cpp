// Classic bevels, frame controls, focus rectangles and glyphs over the raster engine's rectangle fills.
#include "ClassicPainter.h"

#include "../Raster.h"
#include "geometry/Rects.h"

#include <win32/winuser.h>

#include <algorithm>
#include <memory>

namespace win32::gdi::classic {
namespace {

constexpr UINT KnownEdgeFlags = BF_RECT | BF_DIAGONAL | BF_MIDDLE | BF_SOFT | BF_ADJUST | BF_FLAT | BF_MONO;
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);

// The colours of one bevel line, top-left and bottom-right; -1 where nothing is drawn.
struct BevelLine {
    int TopLeft;
    int BottomRight;
};

// Raised and sunken, outer and inner, as Windows colours them. BF_SOFT swaps the top-left colours of the outer and
// inner lines, which gives push buttons their white outer highlight.
BevelLine Bevel(bool raised, bool outer, bool soft) {
    if (raised) {
        if (outer) return {soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
        return {soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    }
    if (outer) return {soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    return {soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

// The lines of an edge from the outside in. Both outer bits together draw nothing, and both inner bits leave
// the inner line out; a lone inner line takes the outer place.
std::vector<BevelLine> BevelLines(UINT edge, UINT flags) {
    std::vector<BevelLine> lines;
    UINT outer = edge & BDR_OUTER, inner = (edge & BDR_INNER) >> 2;
    if (outer == BDR_OUTER) return lines;
    bool soft = flags & BF_SOFT;
    if (outer) lines.push_back(Bevel(outer == BDR_RAISEDOUTER, true, soft));
    if (inner == 1 || inner == 2) lines.push_back(Bevel(inner == 1, false, soft));
    if (flags & (BF_MONO | BF_FLAT)) {
        bool mono = flags & BF_MONO;
        for (size_t i = 0; i < lines.size(); ++i) {
            int color = i == 0 ? (mono ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW) : (mono ? COLOR_WINDOW : COLOR_BTNFACE);
            lines[i] = {color, color};
        }
    }
    return lines;
}

// The 8 x 8 checkerboard: bit set where x + y is odd, rows alternating 0x55 and 0xAA.
std::shared_ptr<BitmapObject> Checkerboard() {
    static const std::shared_ptr<BitmapObject> pattern = [] {
        auto bitmap = std::make_shared<BitmapObject>(8, 8, 1, true, false);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) bitmap->SetBit(x, y, (x + y) & 1);
        return bitmap;
    }();
    return pattern;
}

}  // namespace

RECT ClassicPainter::Square(const RECT& rect) {
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    int side = std::max(0, std::min(width, height));
    int left = rect.left + (width - side) / 2, top = rect.top + (height - side) / 2;
    return RECT{left, top, left + side, top + side};
}

void ClassicPainter::Fill(const RECT& rect, COLORREF color) { Fill(std::vector<RECT>{rect}, color); }

void ClassicPainter::Fill(const std::vector<RECT>& rects, COLORREF color) {
    std::vector<RECT> surface;
    surface.reserve(rects.size());
    for (const RECT& rect : rects) {
        if (EmptyRect(rect)) continue;
        RECT mapped = FDc.ToSurface(rect);
        surface.push_back(RECT{std::min(mapped.left, mapped.right), std::min(mapped.top, mapped.bottom),
                               std::max(mapped.left, mapped.right), std::max(mapped.top, mapped.bottom)});
    }
    if (surface.empty()) return;
    FillRects(FDc, surface, SolidBrush(color), PATCOPY);
}

void ClassicPainter::PatternFill(const RECT& rect, COLORREF zeroColor, COLORREF oneColor, bool useDcColors, DWORD rop) {
    if (EmptyRect(rect)) return;
    BrushObject brush;
    brush.Style = BS_PATTERN;
    brush.Pattern = Checkerboard();
    // A monochrome pattern draws its 0 bits in the text colour and its 1 bits in the background colour.
    DcState& state = FDc.State();
    COLORREF savedText = state.TextColor, savedBk = state.BkColor;
    if (!useDcColors) {
        state.TextColor = zeroColor;
        state.BkColor = oneColor;
    }
    RECT mapped = FDc.ToSurface(rect);
    FillRects(FDc, {mapped}, brush, rop);
    state.TextColor = savedText;
    state.BkColor = savedBk;
}

void ClassicPainter::FillDither(const RECT& rect, COLORREF even, COLORREF odd) {
    PatternFill(rect, even, odd, false, PATCOPY);
}

void ClassicPainter::Glyph(const GlyphMask& glyph, int x, int y, COLORREF color) { Fill(glyph.Runs(x, y), color); }

bool ClassicPainter::Edge(RECT& rect, UINT edge, UINT flags) {
    if ((edge & ~(BDR_OUTER | BDR_INNER)) || (flags & ~KnownEdgeFlags)) return false;
    std::vector<BevelLine> lines = BevelLines(edge, flags);
    if (flags & BF_DIAGONAL) {
        int outer[2] = {-1, -1}, inner[2] = {-1, -1};
        if (!lines.empty()) outer[0] = lines[0].TopLeft, outer[1] = lines[0].BottomRight;
        if (lines.size() > 1) inner[0] = lines[1].TopLeft, inner[1] = lines[1].BottomRight;
        DiagonalEdge(rect, outer, inner, flags);
        return true;
    }
    RECT r = rect;
    for (const BevelLine& line : lines) {
        // Top-left first, so the bottom-right colours own the top-right and bottom-left corners.
        COLORREF lt = GetSysColor(line.TopLeft), rb = GetSysColor(line.BottomRight);
        if (flags & BF_TOP) Fill(RECT{r.left, r.top, r.right, r.top + 1}, lt);
        if (flags & BF_LEFT) Fill(RECT{r.left, r.top, r.left + 1, r.bottom}, lt);
        if (flags & BF_BOTTOM) Fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, rb);
        if (flags & BF_RIGHT) Fill(RECT{r.right - 1, r.top, r.right, r.bottom}, rb);
        if (flags & BF_LEFT) ++r.left;
        if (flags & BF_TOP) ++r.top;
        if (flags & BF_RIGHT) --r.right;
        if (flags & BF_BOTTOM) --r.bottom;
    }
    if (flags & BF_MIDDLE) Fill(r, GetSysColor(flags & BF_MONO ? COLOR_WINDOW : COLOR_BTNFACE));
    if (flags & BF_ADJUST) rect = r;
    return true;
}

void ClassicPainter::DiagonalEdge(const RECT& rect, int outer[2], int inner[2], UINT flags) {
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    // "/" runs from the bottom-left to the top-right corner and faces up-left: it takes the top-left colours.
    // "\" joins the other two corners and takes the bottom-right ones. The inside lies right of the line.
    bool backslash = ((flags & BF_TOPLEFT) == BF_TOPLEFT || (flags & BF_BOTTOMRIGHT) == BF_BOTTOMRIGHT) &&
                     (flags & BF_TOPRIGHT) != BF_TOPRIGHT && (flags & BF_BOTTOMLEFT) != BF_BOTTOMLEFT;
    int side = backslash ? 1 : 0;
    // Per row, the leftmost and rightmost column of the line.
    std::vector<int> first(height, width), last(height, -1);
    int steps = std::max(width, height);
    for (int i = 0; i < steps; ++i) {
        int x = steps == 1 ? 0 : (i * (width - 1) * 2 + steps - 1) / (2 * (steps - 1));
        int y = steps == 1 ? 0 : (i * (height - 1) * 2 + steps - 1) / (2 * (steps - 1));
        if (!backslash) y = height - 1 - y;
        first[y] = std::min(first[y], x);
        last[y] = std::max(last[y], x);
    }
    std::vector<RECT> outerRuns, innerRuns, middleRuns;
    for (int y = 0; y < height; ++y) {
        if (last[y] < 0) continue;
        int top = rect.top + y;
        outerRuns.push_back(RECT{rect.left + first[y], top, rect.left + last[y] + 1, top + 1});
        int innerStart = last[y] + 1;
        if (inner[side] >= 0 && innerStart < width) {
            innerRuns.push_back(RECT{rect.left + innerStart, top, rect.left + innerStart + 1, top + 1});
            ++innerStart;
        }
        middleRuns.push_back(RECT{rect.left + innerStart, top, rect.right, top + 1});
    }
    if (outer[side] >= 0) Fill(outerRuns, GetSysColor(outer[side]));
    if (inner[side] >= 0) Fill(innerRuns, GetSysColor(inner[side]));
    if (flags & BF_MIDDLE) Fill(middleRuns, GetSysColor(flags & BF_MONO ? COLOR_WINDOW : COLOR_BTNFACE));
}

void ClassicPainter::FocusRect(const RECT& rect) {
    if (EmptyRect(rect)) return;
    // Each side separately: where two sides meet (a one-pixel-high rectangle) they cancel, as on Windows.
    const RECT sides[4] = {
        {rect.left, rect.top, rect.right, rect.top + 1},
        {rect.left, rect.bottom - 1, rect.right, rect.bottom},
        {rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1},
        {rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1},
    };
    for (const RECT& piece : sides) PatternFill(piece, 0, 0, true, PATINVERT);
}

bool ClassicPainter::FrameControl(RECT& rect, UINT type, UINT state) {
    if (state & 0xFFFF0000u) return false;
    UINT kind = state & 0xFF;
    switch (type) {
    case DFC_BUTTON:
        switch (kind) {
        case DFCS_BUTTONPUSH: PushButton(rect, state); return true;
        case DFCS_BUTTONCHECK:
        case DFCS_BUTTON3STATE: CheckBox(rect, state); return true;
        case DFCS_BUTTONRADIO:
        case DFCS_BUTTONRADIOIMAGE:
        case DFCS_BUTTONRADIOMASK: RadioButton(rect, kind, state); return true;
        default: return false;
        }
    case DFC_CAPTION: {
        int side = Square(rect).right - Square(rect).left;
        switch (kind) {
        case DFCS_CAPTIONCLOSE: GlyphButton(rect, GlyphMask::Cross(side), state, true); return true;
        case DFCS_CAPTIONMIN: GlyphButton(rect, GlyphMask::MinimizeBar(side), state, true); return true;
        case DFCS_CAPTIONMAX: GlyphButton(rect, GlyphMask::MaximizeBox(side), state, true); return true;
        case DFCS_CAPTIONRESTORE: GlyphButton(rect, GlyphMask::RestoreBoxes(side), state, true); return true;
        case DFCS_CAPTIONHELP: GlyphButton(rect, GlyphMask::HelpMark(side), state, true); return true;
        default: return false;
        }
    }
    case DFC_SCROLL: {
        int side = Square(rect).right - Square(rect).left;
        switch (kind) {
        case DFCS_SCROLLUP:
        case DFCS_SCROLLDOWN:
        case DFCS_SCROLLLEFT:
        case DFCS_SCROLLRIGHT:
            GlyphButton(rect, GlyphMask::ScrollArrow(side, static_cast<int>(kind)), state, false);
            return true;
        case DFCS_SCROLLCOMBOBOX: GlyphButton(rect, GlyphMask::ScrollArrow(side, 1), state, false); return true;
        case DFCS_SCROLLSIZEGRIP:
        case DFCS_SCROLLSIZEGRIPRIGHT: SizeGrip(rect, state); return true;
        default: return false;
        }
    }
    case DFC_MENU:
        switch (kind) {
        case DFCS_MENUARROW:
        case DFCS_MENUCHECK:
        case DFCS_MENUBULLET:
        case DFCS_MENUARROWRIGHT: MenuGlyph(rect, state); return true;
        default: return false;
        }
    default: return false;
    }
}

void ClassicPainter::PushButton(RECT& rect, UINT state) {
    bool down = state & (DFCS_PUSHED | DFCS_CHECKED);
    UINT flags = BF_RECT | BF_SOFT | BF_ADJUST | (state & DFCS_FLAT ? BF_FLAT : 0) | (state & DFCS_MONO ? BF_MONO : 0);
    bool transparent = state & DFCS_TRANSPARENT;
    RECT inside = rect;
    Edge(inside, down ? EDGE_SUNKEN : EDGE_RAISED, flags);
    if (!transparent) {
        // A checked (toggle) button that is not held down shows the 50% highlight pattern.
        if ((state & DFCS_CHECKED) && !(state & DFCS_PUSHED))
            FillDither(inside, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT));
        else
            Fill(inside, GetSysColor(state & DFCS_MONO ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    if (state & DFCS_ADJUSTRECT) rect = inside;
}

void ClassicPainter::CheckBox(const RECT& rect, UINT state) {
    RECT box = Square(rect);
    UINT flags = BF_RECT | BF_ADJUST | (state & DFCS_FLAT ? BF_FLAT : 0) | (state & DFCS_MONO ? BF_MONO : 0);
    Edge(box, EDGE_SUNKEN, flags);
    bool indeterminate = (state & 0xFF) == DFCS_BUTTON3STATE && (state & DFCS_CHECKED);
    bool grey = state & (DFCS_PUSHED | DFCS_INACTIVE);
    if (!(state & DFCS_TRANSPARENT)) {
        if (indeterminate && !grey)
            FillDither(box, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE));
        else
            Fill(box, GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW));
    }
    if (state & DFCS_CHECKED) {
        int side = box.right - box.left;
        if (side <= 0) return;
        COLORREF mark = GetSysColor(indeterminate || (state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
        Glyph(GlyphMask::CheckMark(side, std::max(1, side - 2)), box.left, box.top, mark);
    }
}

void ClassicPainter::RadioButton(const RECT& rect, UINT kind, UINT state) {
    RECT square = Square(rect);
    // An even diameter keeps the rings and the dot symmetric (the classic 12-pixel button in a 13-pixel cell).
    int side = (square.right - square.left) & ~1;
    if (side <= 0) return;
    if (kind == DFCS_BUTTONRADIOMASK) {
        // The mask: black where the button is, white around it.
        Fill(RECT{square.left, square.top, square.left + side, square.top + side}, White);
        Glyph(GlyphMask::RadioPart(side, 5), square.left, square.top, Black);
        return;
    }
    int ring[4] = {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT};
    bool grey = state & (DFCS_PUSHED | DFCS_INACTIVE);
    int inside = grey ? COLOR_BTNFACE : COLOR_WINDOW;
    if (state & DFCS_MONO) {
        ring[0] = ring[1] = COLOR_WINDOWFRAME;
        ring[2] = ring[3] = inside = COLOR_WINDOW;
    } else if (state & DFCS_FLAT) {
        ring[0] = ring[1] = COLOR_BTNSHADOW;
        ring[2] = ring[3] = inside;
    }
    for (int part = 0; part < 4; ++part)
        Glyph(GlyphMask::RadioPart(side, part), square.left, square.top, GetSysColor(ring[part]));
    if (!(state & DFCS_TRANSPARENT)) Glyph(GlyphMask::RadioPart(side, 4), square.left, square.top, GetSysColor(inside));
    if (state & DFCS_CHECKED) {
        COLORREF dot = GetSysColor(state & DFCS_INACTIVE ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
        Glyph(GlyphMask::Disc(side, side / 6.0), square.left, square.top, dot);
    }
}

void ClassicPainter::GlyphButton(RECT& rect, const GlyphMask& glyph, UINT state, bool softEdge) {
    UINT flags = BF_RECT | (softEdge ? BF_SOFT : 0) | (state & DFCS_TRANSPARENT ? 0 : BF_MIDDLE) |
                 (state & DFCS_FLAT ? BF_FLAT : 0) | (state & DFCS_MONO ? BF_MONO : 0);
    RECT frame = rect;
    Edge(frame, state & DFCS_PUSHED ? EDGE_SUNKEN : EDGE_RAISED, flags);
    RECT square = Square(rect);
    int shift = state & DFCS_PUSHED ? 1 : 0;
    int x = square.left + shift, y = square.top + shift;
    if (state & DFCS_INACTIVE) {
        Glyph(glyph, x + 1, y + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
        Glyph(glyph, x, y, GetSysColor(COLOR_BTNSHADOW));
    } else {
        Glyph(glyph, x, y, GetSysColor(COLOR_BTNTEXT));
    }
}

void ClassicPainter::SizeGrip(const RECT& rect, UINT state) {
    if (!(state & DFCS_TRANSPARENT)) Fill(rect, GetSysColor(COLOR_BTNFACE));
    RECT square = Square(rect);
    int side = square.right - square.left;
    bool mirrored = (state & 0xFF) == DFCS_SCROLLSIZEGRIPRIGHT;
    // Square in the bottom corner the grip belongs to.
    int left = mirrored ? rect.left : rect.right - side, top = rect.bottom - side;
    GlyphMask light(side, side), dark(side, side);
    // Ridges along the corner's diagonal, four pixels apart: a highlight line, then two shadow lines.
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            int fromCorner = (side - 1 - y) + (mirrored ? x : side - 1 - x);
            if (fromCorner >= side || fromCorner >= 12) continue;
            int phase = fromCorner % 4;
            if (phase == 3) light.Set(x, y);
            if (phase == 1 || phase == 2) dark.Set(x, y);
        }
    }
    Glyph(light, left, top, GetSysColor(COLOR_BTNHIGHLIGHT));
    Glyph(dark, left, top, GetSysColor(COLOR_BTNSHADOW));
}

void ClassicPainter::MenuGlyph(const RECT& rect, UINT state) {
    // Menu glyphs are drawn black on white, ready to serve as a mask.
    Fill(rect, White);
    RECT square = Square(rect);
    int side = square.right - square.left;
    if (side <= 0) return;
    switch (state & 0xFF) {
    case DFCS_MENUCHECK:
        Glyph(GlyphMask::CheckMark(side, std::max(1, side * 7 / 15)), square.left, square.top, Black);
        break;
    case DFCS_MENUBULLET: Glyph(GlyphMask::Disc(side, side / 6.0), square.left, square.top, Black); break;
    case DFCS_MENUARROWRIGHT:
        Glyph(GlyphMask::Arrow(side, 2, std::max(1, side / 4)), square.left, square.top, Black);
        break;
    default: Glyph(GlyphMask::Arrow(side, 3, std::max(1, side / 4)), square.left, square.top, Black); break;
    }
}

}  // namespace win32::gdi::classic
