// Operating-system services bound at run time (uxtheme, msimg32, the layered-window, monitor and scroll-bar
// functions of user32): nullable entry points, the reference-counted visual-styles binding and the monitor helpers.
#pragma once

#include <win32/windows.h>

// The msimg32 entry point, which our platform headers do not declare.
typedef BOOL (*PFN_TransparentBlt)(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc,
                                   int xoriginSrc, int yoriginSrc, int wSrc, int hSrc, UINT crTransparent);

// Every uxtheme entry point the library binds, in one list: X(name).
// clang-format off
#define SK_UXTHEME_ENTRIES(X)                                                                                       \
    X(OpenThemeData) X(CloseThemeData) X(DrawThemeBackground) X(DrawThemeText) X(GetThemeBackgroundContentRect)    \
    X(GetThemePartSize) X(GetThemeTextExtent) X(GetThemeTextMetrics) X(GetThemeBackgroundRegion)                   \
    X(HitTestThemeBackground) X(DrawThemeEdge) X(DrawThemeIcon) X(IsThemePartDefined)                              \
    X(IsThemeBackgroundPartiallyTransparent) X(GetThemeColor) X(GetThemeMetric) X(GetThemeString) X(GetThemeBool)  \
    X(GetThemeInt) X(GetThemeEnumValue) X(GetThemePosition) X(GetThemeFont) X(GetThemeRect) X(GetThemeMargins)     \
    X(GetThemeIntList) X(GetThemePropertyOrigin) X(SetWindowTheme) X(GetThemeFilename) X(GetThemeSysColor)         \
    X(GetThemeSysColorBrush) X(GetThemeSysBool) X(GetThemeSysSize) X(GetThemeSysFont) X(GetThemeSysString)         \
    X(GetThemeSysInt) X(IsThemeActive) X(IsAppThemed) X(GetWindowTheme) X(EnableThemeDialogTexture)                \
    X(IsThemeDialogTextureEnabled) X(GetThemeAppProperties) X(SetThemeAppProperties) X(GetCurrentThemeName)        \
    X(GetThemeDocumentationProperty) X(DrawThemeParentBackground) X(EnableTheming)
// clang-format on

// The bound entry points, each null while its module or export is missing. Callers test the pointer (or the
// matching availability fact) and fall back. They carry Windows' names, so they live in their own namespace.
namespace skapi {

#define SK_DECLARE_ENTRY(name) extern decltype(&::name) name;
SK_UXTHEME_ENTRIES(SK_DECLARE_ENTRY)
SK_DECLARE_ENTRY(SetLayeredWindowAttributes)
SK_DECLARE_ENTRY(UpdateLayeredWindow)
SK_DECLARE_ENTRY(MonitorFromRect)
SK_DECLARE_ENTRY(MonitorFromPoint)
SK_DECLARE_ENTRY(MonitorFromWindow)
SK_DECLARE_ENTRY(GetMonitorInfoA)
SK_DECLARE_ENTRY(GetScrollBarInfo)
#undef SK_DECLARE_ENTRY
extern PFN_TransparentBlt TransparentBlt;

}  // namespace skapi

// The visual-styles binding, counted per user and guarded by one critical section. LoadUxTheme answers whether
// uxtheme is loaded; FreeUxTheme never counts below zero and unloads with the last user.
bool LoadUxTheme();
void FreeUxTheme();
// Re-reads IsAppThemed and IsThemeActive (false while uxtheme is not loaded); called on WM_THEMECHANGED.
bool UpdateVisualStylesActive();

// The work area (when workArea and SPI_GETWORKAREA answer) or the whole screen.
void GetDesktopRect(bool workArea, RECT& rect);
// The nearest monitor's work or monitor rectangle when several monitors exist, else GetDesktopRect(workArea).
void GetMonitorRectFromPoint(POINT point, bool workArea, RECT& rect);
void GetMonitorRectFromWindow(HWND window, bool workArea, RECT& rect);
// GetScrollBarInfo when it is bound; otherwise the bar is reported invisible (rgstate[0] = STATE_SYSTEM_INVISIBLE)
// and the answer is false.
bool GetScrollBarInfoSafe(HWND window, LONG objectId, SCROLLBARINFO& info);
