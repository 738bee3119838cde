// Bookkeeping shared by the control sources: the window-to-control map and the control under the mouse.
#pragma once

#include <toolkit/Control.h>

// A window the toolkit made is gone: forget which control it belonged to.
void ForgetControlWindow(HWND handle);
// A control is being destroyed: it is no longer the one under the mouse.
void ForgetMouseControl(const TControl* control);
