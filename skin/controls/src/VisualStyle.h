// The built-in look's visual-style form: one part of a uxtheme class drawn through a handle opened without a
// window and closed again.
#pragma once

#include <win32/windows.h>

#include <string>

// Nothing when uxtheme is not bound or the class does not open.
void DrawVisualStylePart(HDC dc, LPCWSTR className, int part, int state, const RECT& rect);

// text through the class's text drawing (DrawThemeText) in the DC's font and text colour; nothing when uxtheme is
// not bound or the class does not open.
void DrawVisualStyleText(HDC dc, LPCWSTR className, int part, int state, const std::u16string& text, UINT flags,
                         const RECT& rect);
