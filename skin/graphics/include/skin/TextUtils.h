// Text helpers of the skinning library: wide text drawn and measured through the platform's wide functions
// (the ANSI ones on systems without them), and captions shortened with "...".
#pragma once

#include <toolkit/Canvas.h>
#include <win32/windef.h>

#include <string>

// DrawText over a transparent background with the canvas's font and font colour; answers DrawText's result
// (the text height, 0 on failure). With DT_CALCRECT rect receives the measured box. DT_MODIFYSTRING is
// harmless: the shortened text goes to a private copy.
int DrawTextEx2(TCanvas& canvas, const std::u16string& text, RECT& rect, UINT flags);
// The same on a bare device context, with whatever font and text colour are selected into it.
int DrawTextEx2(HDC dc, const std::u16string& text, RECT& rect, UINT flags);
// flags 0: the width of one line of the text. Other flags: the right edge of DrawText's DT_CALCRECT box in an
// empty rectangle, measured on the ANSI form of the text (so DT_WORDBREAK answers the longest word's width).
int TextWidthEx(TCanvas& canvas, const std::u16string& text, UINT flags);
int TextHeightEx(TCanvas& canvas, const std::u16string& text);
// text when it fits in maxWidth; otherwise the longest prefix that still fits with "..." after it, followed by
// "..." ("..." alone when not even one character fits). A surrogate pair counts as one character; an empty
// text stays empty.
std::u16string EllipsisText(HDC dc, const std::u16string& text, int maxWidth);
