// The built-in look's visual-style form: one part of a uxtheme class drawn through a handle opened without a
// window and closed again.
#pragma once

#include <win32/windows.h>

// Nothing when uxtheme is not bound or the class does not open.
void DrawVisualStylePart(HDC dc, LPCWSTR className, int part, int state, const RECT& rect);
