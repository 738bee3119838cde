// Steps that several skinned controls share when they paint their built-in look or follow their Text.
#pragma once

#include <win32/windows.h>

#include <toolkit/Graphics.h>

#include <string>

class TCanvas;
class TControl;

// The parent's picture under control when transparent (the canvas is refreshed after the parent drew through its
// DC), else rect filled with color.
void PaintControlBackground(TControl* control, TCanvas& canvas, bool transparent, const RECT& rect, TColor color);

// text in the canvas's font over a transparent background: once in the font colour when enabled, else engraved
// (clBtnHighlight one pixel down and right, then clBtnShadow in place).
void DrawControlText(TCanvas& canvas, const std::u16string& text, const RECT& rect, UINT flags, bool enabled);

// After CM_TEXTCHANGED: the wide caption takes the (ANSI) Text, unless it already stands for it; a caption the ANSI
// code page cannot hold thus stays as it was set.
void FollowText(std::u16string& caption, const std::string& text);
