// Canvas helpers of the skinning library: each sets a solid pen or brush of a toolkit colour (system colours
// included) and draws one primitive. They leave the canvas's pen and brush as they set them.
#pragma once

#include <toolkit/Canvas.h>
#include <win32/windef.h>

#include <vector>

void FillRectColor(TCanvas& canvas, const RECT& rect, TColor color);
void FillRectXY(TCanvas& canvas, int x1, int y1, TColor color, int x2, int y2);
// The outline on the rectangle's inner edge, the inside left alone.
void FrameRectColor(TCanvas& canvas, const RECT& rect, TColor color);
void FrameRectXY(TCanvas& canvas, int x1, int y1, TColor color, int x2, int y2);
// upperColor along the left and top edges, lowerColor along the right and bottom ones; the top-right and
// bottom-left corners take lowerColor.
void Frame3D(TCanvas& canvas, const RECT& rect, TColor upperColor, TColor lowerColor);
// The system focus rectangle (an XOR dotted frame, so a second call takes it away) over a brush of color.
void FocusRectColor(TCanvas& canvas, const RECT& rect, TColor color);
void MoveToPoint(TCanvas& canvas, int x, int y);
// Leaves out the end point, as LineTo does.
void LineToColor(TCanvas& canvas, int x, int y, TColor color);
// Corners rounded by a radius × radius ellipse.
void RoundRectFrame(TCanvas& canvas, const RECT& rect, int radius, TColor color);
void RoundRectFill(TCanvas& canvas, const RECT& rect, int radius, TColor color);
void PolygonFrame(TCanvas& canvas, const std::vector<POINT>& points, TColor color);
void PolygonFill(TCanvas& canvas, const std::vector<POINT>& points, TColor color);
// The icon at its own size, placed where a small icon (SM_CXSMICON × SM_CYSMICON) centred in rect would lie;
// nothing for no icon.
void DrawIconCentered(HDC dc, const RECT& rect, HICON icon);
void DrawIconCentered(TCanvas& canvas, const RECT& rect, HICON icon);
