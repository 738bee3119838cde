// The classic look in one place: bevelled edges, frame controls, focus rectangles and glyphs, drawn on a device
// context in logical coordinates. DrawEdge, DrawFrameControl and DrawFocusRect are thin wrappers over it; the
// window manager and the toolkit call it (or those functions) rather than drawing bevels of their own.
#pragma once

#include "../DeviceContext.h"
#include "GlyphMask.h"

#include <vector>

namespace win32::gdi::classic {

class ClassicPainter {
public:
    explicit ClassicPainter(DeviceContext& dc) : FDc(dc) {}

    // Solid fills of logical rectangles (empty ones are skipped), clipped to the DC's drawable region.
    void Fill(const RECT& rect, COLORREF color);
    void Fill(const std::vector<RECT>& rects, COLORREF color);
    // The 50% checkerboard of two colours that checked buttons show, aligned to the brush origin.
    void FillDither(const RECT& rect, COLORREF even, COLORREF odd);
    // The glyph's set pixels in one colour, its top-left corner at (x, y).
    void Glyph(const GlyphMask& glyph, int x, int y, COLORREF color);

    // DrawEdge. False (nothing drawn) for flags DrawEdge does not know.
    bool Edge(RECT& rect, UINT edge, UINT flags);
    // DrawFrameControl. False for an unknown type or state.
    bool FrameControl(RECT& rect, UINT type, UINT state);
    // DrawFocusRect: the checkerboard brush XORed along the four sides, so drawing it twice restores the pixels.
    void FocusRect(const RECT& rect);

    // The square of side min(width, height) centred in the rectangle, as the frame-control glyphs use it.
    static RECT Square(const RECT& rect);

private:
    void DiagonalEdge(const RECT& rect, int outer[2], int inner[2], UINT flags);
    void PushButton(RECT& rect, UINT state);
    void CheckBox(const RECT& rect, UINT state);
    void RadioButton(const RECT& rect, UINT kind, UINT state);
    // Button face with a caption or scroll glyph: pushed glyphs move one pixel down and right; inactive ones
    // are grey with a white copy one pixel further. Caption buttons have the soft edge of push buttons (white
    // outermost); scroll buttons the plain DrawEdge one.
    void GlyphButton(RECT& rect, const GlyphMask& glyph, UINT state, bool softEdge);
    void SizeGrip(const RECT& rect, UINT state);
    void MenuGlyph(const RECT& rect, UINT state);
    void PatternFill(const RECT& rect, COLORREF zeroColor, COLORREF oneColor, bool useDcColors, DWORD rop);

    DeviceContext& FDc;
};

}  // namespace win32::gdi::classic
