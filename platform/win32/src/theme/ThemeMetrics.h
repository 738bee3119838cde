// The measures the style shares between classes. Frame and caption sizes follow the system metrics, so a
// window drawn in the style keeps the geometry the window manager computes for it.
#pragma once

#include <win32/windef.h>

namespace win32::theme::metrics {

constexpr int CheckSize = 13;     // check boxes and radio buttons
constexpr int ControlRadius = 3;  // push buttons, group boxes, tabs, menu highlights
constexpr int BoxRadius = 2;      // check boxes, spin buttons
constexpr int CaptionRadius = 6;  // the top corners of a window
constexpr int SmallCaptionRadius = 4;
constexpr int CaptionButtonRadius = 3;
constexpr int ProgressChunk = 8;
constexpr int ProgressSpace = 2;
constexpr int MenuGlyph = 16;  // check marks and submenu arrows
constexpr int MenuSeparator = 7;

int FrameWidth();     // sizing border of a window
int CaptionHeight();  // the caption part: border plus caption bar
int SmallCaptionHeight();
int CaptionButton();  // side of a caption button
int SmallCaptionButton();
int ScrollBarSize();

}  // namespace win32::theme::metrics
