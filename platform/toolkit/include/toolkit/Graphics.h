// Colours (TColor, its named constants and name table), the font style set and the drawing-object enumerations
// shared by TFont, TPen, TBrush and TCanvas.
#pragma once

#include <toolkit/Set.h>
#include <toolkit/SysUtils.h>
#include <win32/windef.h>

#include <cstdint>
#include <functional>
#include <string>

// The values are written out so that this header pulls in no GDI or window-manager declarations.

// 0x00BBGGRR, or clSystemColor + a COLOR_ index, or one of the special values clNone / clDefault.
using TColor = std::int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);

constexpr TColor clScrollBar = clSystemColor | 0;                 // COLOR_SCROLLBAR
constexpr TColor clBackground = clSystemColor | 1;                // COLOR_BACKGROUND
constexpr TColor clActiveCaption = clSystemColor | 2;             // COLOR_ACTIVECAPTION
constexpr TColor clInactiveCaption = clSystemColor | 3;           // COLOR_INACTIVECAPTION
constexpr TColor clMenu = clSystemColor | 4;                      // COLOR_MENU
constexpr TColor clWindow = clSystemColor | 5;                    // COLOR_WINDOW
constexpr TColor clWindowFrame = clSystemColor | 6;               // COLOR_WINDOWFRAME
constexpr TColor clMenuText = clSystemColor | 7;                  // COLOR_MENUTEXT
constexpr TColor clWindowText = clSystemColor | 8;                // COLOR_WINDOWTEXT
constexpr TColor clCaptionText = clSystemColor | 9;               // COLOR_CAPTIONTEXT
constexpr TColor clActiveBorder = clSystemColor | 10;             // COLOR_ACTIVEBORDER
constexpr TColor clInactiveBorder = clSystemColor | 11;           // COLOR_INACTIVEBORDER
constexpr TColor clAppWorkSpace = clSystemColor | 12;             // COLOR_APPWORKSPACE
constexpr TColor clHighlight = clSystemColor | 13;                // COLOR_HIGHLIGHT
constexpr TColor clHighlightText = clSystemColor | 14;            // COLOR_HIGHLIGHTTEXT
constexpr TColor clBtnFace = clSystemColor | 15;                  // COLOR_BTNFACE
constexpr TColor clBtnShadow = clSystemColor | 16;                // COLOR_BTNSHADOW
constexpr TColor clGrayText = clSystemColor | 17;                 // COLOR_GRAYTEXT
constexpr TColor clBtnText = clSystemColor | 18;                  // COLOR_BTNTEXT
constexpr TColor clInactiveCaptionText = clSystemColor | 19;      // COLOR_INACTIVECAPTIONTEXT
constexpr TColor clBtnHighlight = clSystemColor | 20;             // COLOR_BTNHIGHLIGHT
constexpr TColor cl3DDkShadow = clSystemColor | 21;               // COLOR_3DDKSHADOW
constexpr TColor cl3DLight = clSystemColor | 22;                  // COLOR_3DLIGHT
constexpr TColor clInfoText = clSystemColor | 23;                 // COLOR_INFOTEXT
constexpr TColor clInfoBk = clSystemColor | 24;                   // COLOR_INFOBK
constexpr TColor clHotLight = clSystemColor | 26;                 // COLOR_HOTLIGHT
constexpr TColor clGradientActiveCaption = clSystemColor | 27;    // COLOR_GRADIENTACTIVECAPTION
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;  // COLOR_GRADIENTINACTIVECAPTION
constexpr TColor clMenuHighlight = clSystemColor | 29;            // COLOR_MENUHILIGHT
constexpr TColor clMenuBar = clSystemColor | 30;                  // COLOR_MENUBAR

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// A system colour through GetSysColor; every other value is returned as it is (clNone and clDefault included).
COLORREF ColorToRGB(TColor color);

// The colour-name table: "clBtnFace" and friends, compared without regard to case.
bool ColorToIdent(TColor color, std::string& ident);
bool IdentToColor(const std::string& ident, TColor& color);
// A named colour gives its name; any other value "$" and eight hexadecimal digits ("$00BBGGRR").
std::string ColorToString(TColor color);
// A name from the table, or an integer as StrToInt reads it; raises EConvertError otherwise.
TColor StringToColor(const std::string& text);
// Calls proc with each name of the table, in table order.
void GetColorValues(const std::function<void(const std::string&)>& proc);

// Rounded a * b / c as the platform's MulDiv computes it (halves away from zero); -1 when c is 0.
int GraphicsMulDiv(int a, int b, int c);

// Raised for a picture that cannot be read or an operation a graphic does not support.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

using TFontStyles = TSet<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = std::uint8_t;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// Raster operations for TCanvas::CopyMode.
using TCopyMode = std::int32_t;
constexpr TCopyMode cmBlackness = 0x00000042;    // BLACKNESS
constexpr TCopyMode cmDstInvert = 0x00550009;    // DSTINVERT
constexpr TCopyMode cmMergeCopy = 0x00C000CA;    // MERGECOPY
constexpr TCopyMode cmMergePaint = 0x00BB0226;   // MERGEPAINT
constexpr TCopyMode cmNotSrcCopy = 0x00330008;   // NOTSRCCOPY
constexpr TCopyMode cmNotSrcErase = 0x001100A6;  // NOTSRCERASE
constexpr TCopyMode cmPatCopy = 0x00F00021;      // PATCOPY
constexpr TCopyMode cmPatInvert = 0x005A0049;    // PATINVERT
constexpr TCopyMode cmPatPaint = 0x00FB0A09;     // PATPAINT
constexpr TCopyMode cmSrcAnd = 0x008800C6;       // SRCAND
constexpr TCopyMode cmSrcCopy = 0x00CC0020;      // SRCCOPY
constexpr TCopyMode cmSrcErase = 0x00440328;     // SRCERASE
constexpr TCopyMode cmSrcInvert = 0x00660046;    // SRCINVERT
constexpr TCopyMode cmSrcPaint = 0x00EE0086;     // SRCPAINT
constexpr TCopyMode cmWhiteness = 0x00FF0062;    // WHITENESS
