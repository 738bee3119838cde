// Rotated text: laid out upright in one key-filled bitmap, turned pixel by pixel into a second one, and drawn in
// key mode so that only the text lands on the canvas.
#include <skin/RotatedText.h>

#include <skin/RectUtils.h>
#include <skin/SkinBitmap.h>
#include <skin/TextUtils.h>

#include <win32/windows.h>

namespace {

class SelectedFont {
public:
    SelectedFont(HDC dc, HFONT font) : FDC(dc), FOld(SelectObject(dc, font)) {}
    ~SelectedFont() {
        if (FOld) SelectObject(FDC, FOld);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};

}  // namespace

void DrawRotatedText(TCanvas& canvas, const std::u16string& text, const RECT& rect, bool clockwise, UINT flags) {
    if (IsRectEmptyEx(rect)) return;
    const int width = RectWidth(rect);
    const int height = RectHeight(rect);
    TskBitmap upright;
    upright.SetSize(height, width);
    upright.Clear(TransparentKey);
    TskBitmap turned;
    turned.SetSize(width, height);
    turned.Clear(TransparentKey);
    {
        SelectedFont font(upright.DC(), canvas.Font().Handle());
        // The bitmap's DC knows nothing of the canvas: the text takes the colour of the canvas's DC, which is the
        // font's unless the caller set another on the DC.
        SetTextColor(upright.DC(), GetTextColor(canvas.Handle()));
        RECT box{0, 0, height, width};
        DrawTextEx2(upright.DC(), text, box, flags);
    }
    for (int y = 0; y < width; ++y) {
        const TskColor* row = upright.ScanLine(y);
        for (int x = 0; x < height; ++x) {
            if (IsKeyPixel(row[x])) continue;
            if (clockwise)
                *turned.PixelPtr(width - 1 - y, x) = row[x];
            else
                *turned.PixelPtr(y, height - 1 - x) = row[x];
        }
    }
    turned.SetTransparent(true);
    turned.Draw(canvas, rect.left, rect.top);
}
