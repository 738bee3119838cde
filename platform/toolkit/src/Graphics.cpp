// The colour-name table and the colour conversions.
#include <toolkit/Graphics.h>
#include <toolkit/SysUtils.h>

#include <win32/windows.h>

#include <cstdint>
#include <cstdio>

// The header spells these out; they must stay the platform's values.
static_assert(clBtnFace == (clSystemColor | COLOR_BTNFACE) && clMenuBar == (clSystemColor | COLOR_MENUBAR) &&
              clHotLight == (clSystemColor | COLOR_HOTLIGHT) && cl3DDkShadow == (clSystemColor | COLOR_3DDKSHADOW));
static_assert(cmSrcCopy == SRCCOPY && cmWhiteness == WHITENESS && cmPatInvert == PATINVERT && cmSrcErase == SRCERASE);

namespace {

struct ColorName {
    TColor Value;
    const char* Name;
};

// Order matters: ColorToIdent answers the first entry with a value, so clSilver wins over clLtGray.
const ColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

}  // namespace

COLORREF ColorToRGB(TColor color) {
    if (color < 0) return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color);
}

bool ColorToIdent(TColor color, std::string& ident) {
    for (const ColorName& entry : kColorNames) {
        if (entry.Value == color) {
            ident = entry.Name;
            return true;
        }
    }
    return false;
}

bool IdentToColor(const std::string& ident, TColor& color) {
    for (const ColorName& entry : kColorNames) {
        if (SameText(entry.Name, ident)) {
            color = entry.Value;
            return true;
        }
    }
    return false;
}

std::string ColorToString(TColor color) {
    std::string ident;
    if (ColorToIdent(color, ident)) return ident;
    char text[16];
    std::snprintf(text, sizeof text, "$%.8X", static_cast<unsigned>(static_cast<std::uint32_t>(color)));
    return text;
}

TColor StringToColor(const std::string& text) {
    TColor color = 0;
    if (IdentToColor(text, color)) return color;
    return StrToInt(text);
}

void GetColorValues(const std::function<void(const std::string&)>& proc) {
    for (const ColorName& entry : kColorNames) proc(entry.Name);
}

int GraphicsMulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    bool negative = (product < 0) != (c < 0);
    std::int64_t magnitude = (product < 0 ? -product : product);
    std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
    std::int64_t result = (magnitude + divisor / 2) / divisor;
    if (result > INT32_MAX) return -1;
    return static_cast<int>(negative ? -result : result);
}
