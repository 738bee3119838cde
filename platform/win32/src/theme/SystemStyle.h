// The visual style as the platform's own drawing uses it: DefWindowProc's frame, native scroll bars, the system's
// buttons, dialogs and menus ask here at each paint whether a window takes the style, and draw the class's parts
// without opening theme handles (so GetWindowTheme keeps answering what the program itself opened).
#pragma once

#include "theme/ClassStyle.h"

namespace win32::theme {

// The class for the platform's drawing of hwnd (null hwnd: no window of its own), or null when it draws classic:
// visual styles off, the program's theming turned off for that kind of drawing (STAP_ALLOW_NONCLIENT for frames
// and their scroll bars, STAP_ALLOW_CONTROLS for the rest), or the window's styles switched off with
// SetWindowTheme(hwnd, u"", u"").
const ClassStyle* SystemStyle(HWND hwnd, std::u16string_view className, bool nonClient);

// DrawThemeBackground of one part of the class, over rect in the DC's logical coordinates.
void DrawSystemPart(HDC hdc, const ClassStyle& style, int part, int state, const RECT& rect);

}  // namespace win32::theme
