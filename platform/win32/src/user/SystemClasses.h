// The window classes every process has from the start ("SCROLLBAR", "BUTTON" and the others the window manager
// defines).
#pragma once

namespace win32::user {

// Registers them the first time any class is looked up; later calls do nothing.
void RegisterSystemClasses();

}  // namespace win32::user
