// Glyph geometry in floating point on the pixel grid: a line of odd width is centred on pixel centres so that
// straight strokes stay crisp at every size.
#include "theme/ThemeGlyphs.h"

#include <algorithm>
#include <cmath>

namespace win32::theme {
namespace {

float Side(const RECT& r) { return static_cast<float>(std::min(Width(r), Height(r))); }

float StrokeWidth(float side) { return std::max(1.0f, std::round(side / 12.0f)); }

// The glyph box: the middle part of the square, on whole pixels.
struct Box {
    float left, top, right, bottom, width;
};

Box GlyphBox(const RECT& square, float share) {
    float side = Side(square);
    float inner = std::max(4.0f, std::round(side * share));
    float left = std::floor(square.left + (Width(square) - inner) / 2.0f);
    float top = std::floor(square.top + (Height(square) - inner) / 2.0f);
    float width = StrokeWidth(side);
    // Strokes run through pixel centres, half a stroke inside the box.
    float inset = width / 2.0f;
    return Box{left + inset, top + inset, left + inner - inset, top + inner - inset, width};
}

}  // namespace

void Chevron(ThemeCanvas& canvas, const RECT& rect, Direction direction, COLORREF color) {
    float side = Side(rect);
    float half = std::max(2.5f, std::round(side * 0.22f));
    float depth = half / 2.0f;
    float cx = rect.left + Width(rect) / 2.0f;
    float cy = rect.top + Height(rect) / 2.0f;
    float width = std::max(1.4f, side / 11.0f);
    switch (direction) {
    case Direction::Up:
        canvas.Stroke({{cx - half, cy + depth}, {cx, cy - depth}, {cx + half, cy + depth}}, width, color);
        break;
    case Direction::Down:
        canvas.Stroke({{cx - half, cy - depth}, {cx, cy + depth}, {cx + half, cy - depth}}, width, color);
        break;
    case Direction::Left:
        canvas.Stroke({{cx + depth, cy - half}, {cx - depth, cy}, {cx + depth, cy + half}}, width, color);
        break;
    case Direction::Right:
        canvas.Stroke({{cx - depth, cy - half}, {cx + depth, cy}, {cx - depth, cy + half}}, width, color);
        break;
    }
}

void CheckMark(ThemeCanvas& canvas, const RECT& rect, float width, COLORREF color) {
    float w = static_cast<float>(Width(rect));
    float h = static_cast<float>(Height(rect));
    float x = static_cast<float>(rect.left);
    float y = static_cast<float>(rect.top);
    canvas.Stroke({{x + w * 0.22f, y + h * 0.52f}, {x + w * 0.42f, y + h * 0.72f}, {x + w * 0.78f, y + h * 0.30f}},
                  width, color);
}

void CloseGlyph(ThemeCanvas& canvas, const RECT& square, COLORREF color) {
    Box b = GlyphBox(square, 0.42f);
    canvas.Stroke({{b.left, b.top}, {b.right, b.bottom}}, b.width * 1.2f, color);
    canvas.Stroke({{b.right, b.top}, {b.left, b.bottom}}, b.width * 1.2f, color);
}

void MinimizeGlyph(ThemeCanvas& canvas, const RECT& square, COLORREF color) {
    Box b = GlyphBox(square, 0.42f);
    float y = std::round((b.top + b.bottom) / 2.0f) + b.width / 2.0f;
    canvas.Stroke({{b.left, y}, {b.right, y}}, b.width, color);
}

void MaximizeGlyph(ThemeCanvas& canvas, const RECT& square, COLORREF color) {
    Box b = GlyphBox(square, 0.42f);
    canvas.Stroke({{b.left, b.top}, {b.right, b.top}, {b.right, b.bottom}, {b.left, b.bottom}, {b.left, b.top}},
                  b.width, color);
}

void RestoreGlyph(ThemeCanvas& canvas, const RECT& square, COLORREF color) {
    Box b = GlyphBox(square, 0.46f);
    float shift = std::max(2.0f, std::round((b.right - b.left) / 4.0f));
    // The front window, and the back window's two visible sides.
    canvas.Stroke({{b.left, b.top + shift},
                   {b.right - shift, b.top + shift},
                   {b.right - shift, b.bottom},
                   {b.left, b.bottom},
                   {b.left, b.top + shift}},
                  b.width, color);
    canvas.Stroke({{b.left + shift, b.top + shift},
                   {b.left + shift, b.top},
                   {b.right, b.top},
                   {b.right, b.bottom - shift},
                   {b.right - shift, b.bottom - shift}},
                  b.width, color);
}

void HelpGlyph(ThemeCanvas& canvas, const RECT& square, COLORREF color) {
    Box b = GlyphBox(square, 0.5f);
    float cx = (b.left + b.right) / 2.0f;
    float r = (b.right - b.left) / 2.8f;
    float cy = b.top + r;
    // The hook: an arc over the top from the left round to the right, then down to the stem.
    float pi = 3.14159265f;
    PointF a[6];
    for (int i = 0; i < 5; ++i) {
        float angle = pi * (1.0f - i * 0.3125f);  // 180 degrees down to -45
        a[i] = {cx + r * std::cos(angle), cy - r * std::sin(angle)};
    }
    a[5] = {cx, cy + r * 1.35f};
    canvas.Stroke({a[0], a[1], a[2], a[3], a[4], a[5]}, b.width, color);
    canvas.Disc(cx, b.bottom - b.width / 2.0f, b.width * 0.8f, color);
}

void SystemGlyph(ThemeCanvas& canvas, const RECT& square, COLORREF color) {
    Box b = GlyphBox(square, 0.5f);
    canvas.Stroke({{b.left, b.top}, {b.right, b.top}, {b.right, b.bottom}, {b.left, b.bottom}, {b.left, b.top}},
                  b.width, color);
    canvas.Fill(RECT{static_cast<LONG>(b.left), static_cast<LONG>(b.top), static_cast<LONG>(std::ceil(b.right)),
                     static_cast<LONG>(b.top + 2 * b.width)},
                color);
}

}  // namespace win32::theme
