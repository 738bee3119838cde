// The window classes every process has from the start ("SCROLLBAR", "BUTTON" and the others the window manager
// defines).
#pragma once

#include <win32/windows.h>

namespace win32::user {

// Registers them the first time any class is looked up; later calls do nothing.
void RegisterSystemClasses();

// Registers one control class the way every system class is: global to the process, double clicks, redrawn
// whole when resized, the arrow cursor, no background brush (the control paints all it owns).
bool RegisterControlClass(const char16_t* name, WNDPROC proc, int windowExtra);

// A control's WM_PAINT or WM_PRINTCLIENT: paint draws into the DC wParam brings, or between BeginPaint and
// EndPaint when it brings none.
void PaintControl(HWND hwnd, WPARAM wParam, void (*paint)(HWND, HDC));

}  // namespace win32::user
