// The style's glyphs, stroked at any size: arrows, check marks and the caption-button symbols.
#pragma once

#include "theme/ThemeCanvas.h"

namespace win32::theme {

enum class Direction { Up, Down, Left, Right };

// An open arrow head pointing the given way, centred in the rectangle and scaled to its smaller side.
void Chevron(ThemeCanvas& canvas, const RECT& rect, Direction direction, COLORREF color);
// A tick filling most of the rectangle.
void CheckMark(ThemeCanvas& canvas, const RECT& rect, float width, COLORREF color);

// Caption-button symbols in a square.
void CloseGlyph(ThemeCanvas& canvas, const RECT& square, COLORREF color);
void MinimizeGlyph(ThemeCanvas& canvas, const RECT& square, COLORREF color);
void MaximizeGlyph(ThemeCanvas& canvas, const RECT& square, COLORREF color);
void RestoreGlyph(ThemeCanvas& canvas, const RECT& square, COLORREF color);
void HelpGlyph(ThemeCanvas& canvas, const RECT& square, COLORREF color);
void SystemGlyph(ThemeCanvas& canvas, const RECT& square, COLORREF color);

}  // namespace win32::theme
