// Theme handles: what OpenThemeData gives out and CloseThemeData takes back. A handle names one class of the
// style and the window it was opened for; handles stay usable after visual styles go off, until closed.
#pragma once

#include "theme/ClassStyle.h"

namespace win32::theme {

struct ThemeData {
    const ClassStyle* Style = nullptr;
    HWND Window = nullptr;
};

HTHEME OpenThemeHandle(const ClassStyle& style, HWND window);
// False for a handle that is not open.
bool CloseThemeHandle(HTHEME theme);
// The data behind an open handle (a copy, so that a concurrent close cannot pull it away), or false.
bool LookupThemeHandle(HTHEME theme, ThemeData& data);

}  // namespace win32::theme
