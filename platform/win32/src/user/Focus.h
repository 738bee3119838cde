// Activation as the input code needs it, beside the public focus, activation and capture functions.
#pragma once

#include <win32/windows.h>

namespace win32::user {

// Activates a top-level window because it was clicked (WM_ACTIVATE says WA_CLICKACTIVE). False when it could not
// be activated (gone, or a handler moved activation elsewhere).
bool ActivateByMouse(HWND topLevel);

}  // namespace win32::user
