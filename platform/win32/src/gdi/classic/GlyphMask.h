// A one-bit picture of a classic glyph (check mark, caption symbols, arrows, radio rings) made for a given size,
// in the square the glyph is sized from, so every caller draws the same shape at any size.
#pragma once

#include <win32/windef.h>

#include <cstdint>
#include <vector>

namespace win32::gdi::classic {

class GlyphMask {
public:
    GlyphMask(int width, int height);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Get(int x, int y) const;
    // Points outside are ignored, so shapes may run off the edge.
    void Set(int x, int y, bool on = true);
    void FillRect(int left, int top, int right, int bottom, bool on = true);
    // A small picture given as rows of '#' and '.', scaled (nearest pixel) into the box.
    void Stamp(const char* const* rows, int columns, int lines, int left, int top, int width, int height);
    // Horizontal runs of set pixels as rectangles, moved by (dx, dy).
    std::vector<RECT> Runs(int dx, int dy) const;

    // The glyphs, each centred in a square of the given side.
    static GlyphMask CheckMark(int side, int markSize);
    static GlyphMask Cross(int side);
    static GlyphMask MinimizeBar(int side);
    static GlyphMask MaximizeBox(int side);
    static GlyphMask RestoreBoxes(int side);
    static GlyphMask HelpMark(int side);
    // direction: 0 up, 1 down, 2 left, 3 right (the DFCS_SCROLLxxx order); size is the triangle's height.
    static GlyphMask Arrow(int side, int direction, int size);
    // The arrow of a scroll-bar button, sized and placed as Windows places it rather than centred.
    static GlyphMask ScrollArrow(int side, int direction);
    static GlyphMask Disc(int side, double radius);
    // Radio rings: part 0 outer top-left, 1 outer bottom-right, 2 inner top-left, 3 inner bottom-right,
    // 4 the inside, 5 the whole disc.
    static GlyphMask RadioPart(int side, int part);

private:
    // A triangle of `rows` rows (or columns) pointing in direction, its point at `tip` along that direction and its
    // axis at `axis` across it; each step back from the point is two pixels wider.
    static GlyphMask Triangle(int side, int direction, int rows, int axis, int tip);

    int FWidth;
    int FHeight;
    std::vector<uint8_t> FBits;
};

}  // namespace win32::gdi::classic
