// The start-up steps that bind entry points, in the order InitializePlatformShims runs them, and their undoing.
#pragma once

#include <skin/WinApi.h>

namespace sk_shims {

bool BindLayeredWindows();              // LoadLibrary "user32.dll": SetLayeredWindowAttributes, UpdateLayeredWindow
void CreateUxThemeLock();               // the critical section around the uxtheme binding
void BindMonitors();                    // from the loaded user32 module (GetModuleHandleA)
bool BindTransparentBlt(bool attempt);  // LoadLibrary "msimg32.dll" when attempt is true
void BindScrollBarInfo();               // from the user32 module BindLayeredWindows loaded
// Finalisation: clears every binding, frees the modules loaded above and drops every uxtheme user.
void UnbindAll();

bool LayeredBound();
bool TransparentBltBound();

}  // namespace sk_shims
