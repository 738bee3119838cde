// Classic glyph shapes drawn procedurally, scaled from the square they are asked for as the Marlett glyphs are.
#include "GlyphMask.h"

#include <algorithm>
#include <cmath>

namespace win32::gdi::classic {
namespace {

// The classic 7 x 7 check mark: a stroke three pixels high falling for three columns and rising for four.
const char* const CheckRows[] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

const char* const HelpRows[] = {
    ".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##..", "..##..",
};

// The stroke the caption glyphs share: one pixel in small buttons, two in the usual 14-pixel ones.
int Stroke(int side) { return std::max(1, (side + 4) / 8); }
int GlyphSpan(int side) { return std::max(1, side / 2); }

}  // namespace

GlyphMask::GlyphMask(int width, int height)
    : FWidth(std::max(0, width)),
      FHeight(std::max(0, height)),
      FBits(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight), 0) {}

bool GlyphMask::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return false;
    return FBits[static_cast<size_t>(y) * FWidth + x] != 0;
}

void GlyphMask::Set(int x, int y, bool on) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
    FBits[static_cast<size_t>(y) * FWidth + x] = on ? 1 : 0;
}

void GlyphMask::FillRect(int left, int top, int right, int bottom, bool on) {
    for (int y = std::max(0, top); y < std::min(FHeight, bottom); ++y)
        for (int x = std::max(0, left); x < std::min(FWidth, right); ++x) Set(x, y, on);
}

void GlyphMask::Stamp(const char* const* rows, int columns, int lines, int left, int top, int width, int height) {
    for (int y = 0; y < height; ++y) {
        const char* row = rows[y * lines / height];
        for (int x = 0; x < width; ++x)
            if (row[x * columns / width] == '#') Set(left + x, top + y);
    }
}

std::vector<RECT> GlyphMask::Runs(int dx, int dy) const {
    std::vector<RECT> runs;
    for (int y = 0; y < FHeight; ++y) {
        int x = 0;
        while (x < FWidth) {
            if (!Get(x, y)) {
                ++x;
                continue;
            }
            int start = x;
            while (x < FWidth && Get(x, y)) ++x;
            runs.push_back(RECT{start + dx, y + dy, x + dx, y + 1 + dy});
        }
    }
    return runs;
}

GlyphMask GlyphMask::CheckMark(int side, int markSize) {
    GlyphMask mask(side, side);
    int size = std::max(1, std::min(markSize, side));
    int offset = (side - size) / 2;
    mask.Stamp(CheckRows, 7, 7, offset, offset, size, size);
    return mask;
}

GlyphMask GlyphMask::Cross(int side) {
    GlyphMask mask(side, side);
    int span = GlyphSpan(side), stroke = Stroke(side);
    int width = span + stroke - 1;
    int left = (side - width) / 2, top = (side - span) / 2;
    // Two diagonals, each `stroke` pixels wide along the rows.
    for (int row = 0; row < span; ++row) {
        mask.FillRect(left + row, top + row, left + row + stroke, top + row + 1);
        mask.FillRect(left + span - 1 - row, top + row, left + span - 1 - row + stroke, top + row + 1);
    }
    return mask;
}

GlyphMask GlyphMask::MinimizeBar(int side) {
    GlyphMask mask(side, side);
    int span = GlyphSpan(side), stroke = Stroke(side);
    int left = (side - (span + stroke - 1)) / 2, top = (side - span) / 2;
    mask.FillRect(left, top + span - stroke, left + std::max(1, span - 1), top + span);
    return mask;
}

GlyphMask GlyphMask::MaximizeBox(int side) {
    GlyphMask mask(side, side);
    int stroke = Stroke(side);
    int box = GlyphSpan(side) + stroke;
    int left = (side - box) / 2, top = (side - box) / 2;
    // A window outline whose title bar is the thick top edge.
    mask.FillRect(left, top, left + box, top + box);
    mask.FillRect(left + 1, top + stroke, left + box - 1, top + box - 1, false);
    return mask;
}

GlyphMask GlyphMask::RestoreBoxes(int side) {
    GlyphMask mask(side, side);
    int stroke = Stroke(side);
    int outer = GlyphSpan(side) + stroke;
    int shift = std::max(1, outer / 3);
    int box = outer - shift;
    int left = (side - outer) / 2, top = (side - outer) / 2;
    // The window behind shows only where the front one does not cover it.
    mask.FillRect(left + shift, top, left + shift + box, top + box);
    mask.FillRect(left + shift + 1, top + stroke, left + shift + box - 1, top + box - 1, false);
    mask.FillRect(left, top + shift, left + box, top + shift + box, false);
    mask.FillRect(left, top + shift, left + box, top + shift + box);
    mask.FillRect(left + 1, top + shift + stroke, left + box - 1, top + shift + box - 1, false);
    return mask;
}

GlyphMask GlyphMask::HelpMark(int side) {
    GlyphMask mask(side, side);
    int height = std::max(1, GlyphSpan(side) + Stroke(side));
    int width = std::max(1, height * 6 / 9);
    mask.Stamp(HelpRows, 6, 9, (side - width) / 2, (side - height) / 2, width, height);
    return mask;
}

GlyphMask GlyphMask::Triangle(int side, int direction, int rows, int axis, int tip) {
    GlyphMask mask(side, side);
    // Up and left step forwards from the point, down and right backwards.
    int away = direction == 0 || direction == 2 ? 1 : -1;
    for (int step = 0; step < rows; ++step) {
        int at = tip + away * step, from = axis - step, to = axis + step + 1;
        if (direction <= 1)
            mask.FillRect(from, at, to, at + 1);
        else
            mask.FillRect(at, from, at + 1, to);
    }
    return mask;
}

GlyphMask GlyphMask::Arrow(int side, int direction, int size) {
    size = std::max(1, std::min(size, (side + 1) / 2));
    int along = (side - size) / 2, axis = (side - (2 * size - 1)) / 2 + size - 1;
    bool backwards = direction == 0 || direction == 2;
    return Triangle(side, direction, size, axis, backwards ? along : along + size - 1);
}

GlyphMask GlyphMask::ScrollArrow(int side, int direction) {
    // Measured on the button's side less its outer edge line: the triangle is 29% of it high, its axis lies 47% of
    // it (plus 2) across, and its point 69% of it along, 31% for up and left (plus 1 either way). The arrow so sits
    // half a pixel right of and below the middle, and a 16-pixel button gets the classic 7 x 4 triangle.
    int inner = std::max(0, side - 2);
    int rows = std::max(1, inner * 290 / 1000);
    int axis = inner * 470 / 1000 + 2;
    bool backwards = direction == 0 || direction == 2;
    int tip = (backwards ? inner * 313 / 1000 : inner * 687 / 1000) + 1;
    return Triangle(side, direction, rows, axis, tip);
}

GlyphMask GlyphMask::Disc(int side, double radius) {
    GlyphMask mask(side, side);
    double centre = side / 2.0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (std::hypot(x + 0.5 - centre, y + 0.5 - centre) <= radius) mask.Set(x, y);
    return mask;
}

GlyphMask GlyphMask::RadioPart(int side, int part) {
    GlyphMask mask(side, side);
    double centre = side / 2.0, radius = side / 2.0;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            double distance = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
            if (distance > radius) continue;
            // The anti-diagonal splits the lit top-left half from the shaded bottom-right half.
            bool topLeft = x + y < side - 1;
            int ring = distance > radius - 1 ? 0 : distance > radius - 2 ? 2 : 4;
            int which = ring == 4 ? 4 : ring + (topLeft ? 0 : 1);
            if (part == 5 || part == which) mask.Set(x, y);
        }
    }
    return mask;
}

}  // namespace win32::gdi::classic
