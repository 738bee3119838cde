// DrawControlText and MeasureControlText: the caption painting and measuring of the standard controls.
#include "ControlText.h"

int DrawControlText(HDC dc, const std::string& text, RECT& rect, UINT flags, bool enabled, TColor color) {
    auto length = static_cast<int>(text.size());
    if (flags & DT_CALCRECT) return DrawTextA(dc, text.c_str(), length, &rect, flags);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    int height;
    if (enabled) {
        SetTextColor(dc, ColorToRGB(color));
        height = DrawTextA(dc, text.c_str(), length, &rect, flags);
    } else {
        RECT shifted = rect;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, text.c_str(), length, &shifted, flags);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        height = DrawTextA(dc, text.c_str(), length, &rect, flags);
    }
    SetBkMode(dc, oldMode);
    return height;
}

RECT MeasureControlText(HFONT font, const std::string& text, RECT rect, UINT flags) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return RECT{rect.left, rect.top, rect.left, rect.top};
    HGDIOBJ old = SelectObject(dc, font);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags | DT_CALCRECT);
    SelectObject(dc, old);
    DeleteDC(dc);
    return rect;
}
