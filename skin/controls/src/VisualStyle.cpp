// One visual-style part through the run-time-bound uxtheme entry points.
#include "VisualStyle.h"

#include <skin/WinApi.h>

void DrawVisualStylePart(HDC dc, LPCWSTR className, int part, int state, const RECT& rect) {
    if (!skapi::OpenThemeData || !skapi::DrawThemeBackground || !skapi::CloseThemeData) return;
    HTHEME theme = skapi::OpenThemeData(nullptr, className);
    if (!theme) return;
    skapi::DrawThemeBackground(theme, dc, part, state, &rect, nullptr);
    skapi::CloseThemeData(theme);
}
