// Caption drawing shared by the standard controls: DrawTextA in the font colour, or the embossed grey of a
// disabled control (highlight one pixel down and right, then shadow on top), as classic Windows draws it.
#pragma once

#include <toolkit/Graphics.h>
#include <win32/windows.h>

#include <string>

// Draws text into rect with flags (DT_CALCRECT only measures) and answers DrawTextA's height. The font must be
// selected into dc already.
int DrawControlText(HDC dc, const std::string& text, RECT& rect, UINT flags, bool enabled, TColor color);

// The size text takes in font, measured on a memory DC with the given DrawTextA flags (DT_CALCRECT is added);
// rect's width bounds the lines when flags word-wrap.
RECT MeasureControlText(HFONT font, const std::string& text, RECT rect, UINT flags);
