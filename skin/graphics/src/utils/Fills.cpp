// The gradient and checkerboard fills of the skinning library.
#include <skin/Fills.h>

#include <skin/RectUtils.h>
#include <toolkit/Bitmap.h>

#include <win32/windows.h>

#include <algorithm>
#include <cmath>

namespace {

// Round half to even, as the band colours are specified.
int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

struct RestoreBrushBitmap {
    TBrush& Brush;
    ~RestoreBrushBitmap() { Brush.SetBitmap(nullptr); }
};

}  // namespace

void FillGradient(TCanvas& canvas, const RECT& rect, TColor fromColor, bool vertical, TColor toColor) {
    if (IsRectEmptyEx(rect)) return;
    const int width = RectWidth(rect);
    const int height = RectHeight(rect);
    int bands = (vertical || width > 254) ? 255 : width;
    if (vertical && height < bands) bands = height;

    const COLORREF from = ColorToRGB(fromColor);
    const COLORREF to = ColorToRGB(toColor);
    const int fromChannel[3] = {GetRValue(from), GetGValue(from), GetBValue(from)};
    const int toChannel[3] = {GetRValue(to), GetGValue(to), GetBValue(to)};
    const int extent = vertical ? height : width;
    // n + 1 bands: the last one starts at the far edge and is clipped away, but a rounding MulDiv may leave
    // it a sliver.
    for (int i = 0; i <= bands; ++i) {
        int value[3];
        for (int c = 0; c < 3; ++c) {
            double start = fromChannel[c] * 255.0;
            double delta = (toChannel[c] - fromChannel[c]) * 255.0;
            value[c] = std::clamp(RoundEven((i * delta / bands + start) / 255.0), 0, 255);
        }
        int first = std::max(GraphicsMulDiv(i, extent, bands), 0);
        int last = std::min(GraphicsMulDiv(i + 1, extent, bands), extent);
        if (last <= first) continue;
        RECT band = vertical ? RECT{rect.left, rect.top + first, rect.right, rect.top + last}
                             : RECT{rect.left + first, rect.top, rect.left + last, rect.bottom};
        canvas.Brush().SetBitmap(nullptr);
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(static_cast<TColor>(RGB(value[0], value[1], value[2])));
        canvas.FillRect(band);
    }
}

void FillChecker(TCanvas& canvas, const RECT& rect, TColor color1, TColor color2) {
    RECT area = rect;
    area.left = std::max<LONG>(area.left, 0);
    area.top = std::max<LONG>(area.top, 0);
    if (IsRectEmptyEx(area)) return;

    TBitmap pattern;
    pattern.SetSize(8, 8);
    const TColor first = static_cast<TColor>(ColorToRGB(color1));
    const TColor second = static_cast<TColor>(ColorToRGB(color2));
    TCanvas& patternCanvas = pattern.Canvas();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) patternCanvas.SetPixels(x, y, (x + y) % 2 == 0 ? second : first);

    // The brush only refers to the pattern, which dies here: take it off again on every path.
    TBrush& brush = canvas.Brush();
    RestoreBrushBitmap restore{brush};
    brush.SetBitmap(&pattern);
    canvas.FillRect(area);
}
