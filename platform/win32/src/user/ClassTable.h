// The registered window classes, as CreateWindowEx and the class functions look them up.
#pragma once

#include "user/Window.h"

namespace win32::user {

// A class by name (compared without regard to case) or by atom (MAKEINTATOM): first a class the instance
// registered, then a CS_GLOBALCLASS class. Null with ERROR_CANNOT_FIND_WND_CLASS when there is none.
std::shared_ptr<WindowClass> FindClass(const char16_t* nameOrAtom, HINSTANCE instance);

}  // namespace win32::user
