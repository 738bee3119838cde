// The skinning library's two fills that carry decisions of their own: the banded colour gradient and the
// one-pixel checkerboard.
#pragma once

#include <toolkit/Canvas.h>
#include <win32/windef.h>

// Bands of solid colour from fromColor to toColor, left to right or (vertical) top to bottom: one band per
// column up to 254 columns, else 255 bands; vertically 255 bands, or one per row when fewer rows. The first
// band has fromColor exactly.
void FillGradient(TCanvas& canvas, const RECT& rect, TColor fromColor, bool vertical, TColor toColor);
// A one-pixel checkerboard: color2 where x + y is even (in the canvas's coordinates), color1 elsewhere. The
// parts of rect left of x = 0 or above y = 0 are left alone.
void FillChecker(TCanvas& canvas, const RECT& rect, TColor color1, TColor color2);
