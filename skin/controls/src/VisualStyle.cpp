// One visual-style part or text through the run-time-bound uxtheme entry points.
#include "VisualStyle.h"

#include <skin/WinApi.h>

namespace {

// Runs draw with a handle of the class opened without a window, then closes it; nothing when uxtheme is not bound
// or the class does not open.
template <class Draw>
void WithClass(LPCWSTR className, Draw draw) {
    if (!skapi::OpenThemeData || !skapi::CloseThemeData) return;
    HTHEME theme = skapi::OpenThemeData(nullptr, className);
    if (!theme) return;
    draw(theme);
    skapi::CloseThemeData(theme);
}

}  // namespace

void DrawVisualStylePart(HDC dc, LPCWSTR className, int part, int state, const RECT& rect) {
    if (!skapi::DrawThemeBackground) return;
    WithClass(className, [&](HTHEME theme) { skapi::DrawThemeBackground(theme, dc, part, state, &rect, nullptr); });
}

void DrawVisualStyleText(HDC dc, LPCWSTR className, int part, int state, const std::u16string& text, UINT flags,
                         const RECT& rect) {
    if (!skapi::DrawThemeText) return;
    WithClass(className, [&](HTHEME theme) {
        skapi::DrawThemeText(theme, dc, part, state, text.c_str(), static_cast<int>(text.size()), flags, 0, &rect);
    });
}
