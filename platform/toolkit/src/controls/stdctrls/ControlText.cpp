// DrawControlText and DrawDisabledText: the caption painting of the standard controls and the tab control.
#include "ControlText.h"

HDC BeginCaptionPaint(TCanvas& canvas, const RECT& client, TColor color, const TFont& font) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(client);
    canvas.SetFont(font);
    return canvas.Handle();
}

int DrawDisabledText(HDC dc, const std::string& text, RECT& rect, UINT flags) {
    auto length = static_cast<int>(text.size());
    RECT shifted = rect;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(dc, text.c_str(), length, &shifted, flags);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    return DrawTextA(dc, text.c_str(), length, &rect, flags);
}

int DrawControlText(HDC dc, const std::string& text, RECT& rect, UINT flags, bool enabled, TColor color) {
    int oldMode = SetBkMode(dc, TRANSPARENT);
    int height;
    if (enabled) {
        SetTextColor(dc, ColorToRGB(color));
        height = DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
    } else {
        height = DrawDisabledText(dc, text, rect, flags);
    }
    SetBkMode(dc, oldMode);
    return height;
}
