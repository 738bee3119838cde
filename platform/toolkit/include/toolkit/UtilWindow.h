// AllocateHWnd / DeallocateHWnd: hidden utility windows whose messages go to a method, for objects that are not
// controls but need a window (timers, listeners for WM_SYSCOLORCHANGE and WM_THEMECHANGED, posted callbacks).
#pragma once

#include <toolkit/Messages.h>

#include <win32/windows.h>

#include <functional>

using TWndMethod = std::function<void(TMessage& message)>;

// A never-shown top-level window (WS_POPUP, WS_EX_TOOLWINDOW, 0 x 0) of the class "TPUtilWindow". It receives
// what is sent or posted to it and the broadcasts that reach hidden windows. Every message goes to method with
// Result 0; the method passes what it does not handle to DefWindowProcA itself. An exception escaping the method
// goes to Application->HandleException. Answers nullptr (with the window manager's error) when no window could be
// made.
HWND AllocateHWnd(TWndMethod method);
// Destroys the window; the method is not called again, not even for WM_DESTROY.
void DeallocateHWnd(HWND wnd);
