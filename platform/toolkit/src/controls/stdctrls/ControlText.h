// Caption drawing shared by the standard controls: DrawTextA in the font colour, or the embossed grey of a
// disabled control (highlight one pixel down and right, then shadow on top), as classic Windows draws it.
#pragma once

#include <toolkit/Canvas.h>
#include <toolkit/Graphics.h>
#include <win32/windows.h>

#include <string>

// Fills client with color and selects font into canvas, the start of every caption control's Paint; answers the
// canvas's DC.
HDC BeginCaptionPaint(TCanvas& canvas, const RECT& client, TColor color, const TFont& font);

// Draws text into rect with flags, transparently, and answers DrawTextA's height. The font must be selected into dc
// already; measuring goes through TFont::MeasureText.
int DrawControlText(HDC dc, const std::string& text, RECT& rect, UINT flags, bool enabled, TColor color);

// The classic disabled text: COLOR_BTNHIGHLIGHT offset by (1, 1), then COLOR_BTNSHADOW at rect. Leaves the text
// colour changed; the caller sets the background mode. Answers DrawTextA's height.
int DrawDisabledText(HDC dc, const std::string& text, RECT& rect, UINT flags);
