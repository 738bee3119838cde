// Canvas helpers of the skinning library: one primitive each over a solid pen or brush.
#include <skin/CanvasUtils.h>

#include <win32/windows.h>

namespace {

// A pattern left on the brush would win over the colour, so it goes first.
void UseSolidBrush(TCanvas& canvas, TColor color) {
    TBrush& brush = canvas.Brush();
    brush.SetBitmap(nullptr);
    brush.SetStyle(bsSolid);
    brush.SetColor(color);
}

void UseClearBrush(TCanvas& canvas) {
    canvas.Brush().SetBitmap(nullptr);
    canvas.Brush().SetStyle(bsClear);
}

void UseSolidPen(TCanvas& canvas, TColor color) {
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(color);
}

}  // namespace

void FillRectColor(TCanvas& canvas, const RECT& rect, TColor color) {
    UseSolidBrush(canvas, color);
    canvas.FillRect(rect);
}

void FillRectXY(TCanvas& canvas, int x1, int y1, TColor color, int x2, int y2) {
    FillRectColor(canvas, RECT{x1, y1, x2, y2}, color);
}

void FrameRectColor(TCanvas& canvas, const RECT& rect, TColor color) {
    UseClearBrush(canvas);
    UseSolidPen(canvas, color);
    canvas.Rectangle(rect);
}

void FrameRectXY(TCanvas& canvas, int x1, int y1, TColor color, int x2, int y2) {
    FrameRectColor(canvas, RECT{x1, y1, x2, y2}, color);
}

void Frame3D(TCanvas& canvas, const RECT& rect, TColor upperColor, TColor lowerColor) {
    UseClearBrush(canvas);
    // LineTo leaves out each end point, so the upper pass stops short of the top-right corner and of the
    // bottom-left one; the lower pass draws both.
    UseSolidPen(canvas, upperColor);
    canvas.MoveTo(rect.left, rect.bottom - 2);
    canvas.LineTo(rect.left, rect.top);
    canvas.LineTo(rect.right - 1, rect.top);
    UseSolidPen(canvas, lowerColor);
    canvas.LineTo(rect.right - 1, rect.bottom - 1);
    canvas.LineTo(rect.left - 1, rect.bottom - 1);
}

void FocusRectColor(TCanvas& canvas, const RECT& rect, TColor color) {
    UseSolidBrush(canvas, color);
    canvas.DrawFocusRect(rect);
}

void MoveToPoint(TCanvas& canvas, int x, int y) { canvas.MoveTo(x, y); }

void LineToColor(TCanvas& canvas, int x, int y, TColor color) {
    UseSolidPen(canvas, color);
    canvas.LineTo(x, y);
}

void RoundRectFrame(TCanvas& canvas, const RECT& rect, int radius, TColor color) {
    UseClearBrush(canvas);
    UseSolidPen(canvas, color);
    canvas.RoundRect(rect.left, rect.top, rect.right, rect.bottom, radius, radius);
}

void RoundRectFill(TCanvas& canvas, const RECT& rect, int radius, TColor color) {
    UseSolidBrush(canvas, color);
    UseSolidPen(canvas, color);
    canvas.RoundRect(rect.left, rect.top, rect.right, rect.bottom, radius, radius);
}

void PolygonFrame(TCanvas& canvas, const std::vector<POINT>& points, TColor color) {
    if (points.empty()) return;
    UseClearBrush(canvas);
    UseSolidPen(canvas, color);
    canvas.Polygon(points);
}

void PolygonFill(TCanvas& canvas, const std::vector<POINT>& points, TColor color) {
    if (points.empty()) return;
    UseSolidBrush(canvas, color);
    UseSolidPen(canvas, color);
    canvas.Polygon(points);
}

void DrawIconCentered(HDC dc, const RECT& rect, HICON icon) {
    if (!icon) return;
    int x = rect.left + (rect.right - rect.left - GetSystemMetrics(SM_CXSMICON)) / 2;
    int y = rect.top + (rect.bottom - rect.top - GetSystemMetrics(SM_CYSMICON)) / 2;
    DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

void DrawIconCentered(TCanvas& canvas, const RECT& rect, HICON icon) {
    if (!icon) return;
    DrawIconCentered(canvas.Handle(), rect, icon);
}
