// Text turned by a quarter: the vertical captions of tabs on the left and right side of a tab strip.
#pragma once

#include <toolkit/Canvas.h>
#include <win32/windef.h>

#include <string>

// Lays text out in a box of rect's height by rect's width with DrawText flags, in the canvas's font and font
// colour, turns it a quarter clockwise (reading top to bottom) or counter-clockwise (bottom to top), and puts
// it at rect's top-left, only the text's own pixels. Nothing for an empty rect.
void DrawRotatedText(TCanvas& canvas, const std::u16string& text, const RECT& rect, bool clockwise, UINT flags);
