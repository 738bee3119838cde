// Our own additions to the module loader: bitmap resources compiled into the program, and the switches that
// platform/testing uses to take optional system modules away, and the visual-style switch.
#pragma once

#include <win32/windows.h>

#include <cstddef>

namespace win32 {

// Gives a module a bitmap resource (RT_BITMAP), found by FindResourceA and LoadBitmapA. name is a string (any
// case) or MAKEINTRESOURCE(id); bytes are a BMP file (its BITMAPFILEHEADER is dropped, as resource compilers do)
// or a packed DIB that starts with its BITMAPINFOHEADER. A second registration of a name replaces the first.
// False with ERROR_INVALID_HANDLE for an unknown module, ERROR_INVALID_DATA for bytes that are no bitmap.
bool RegisterBitmapResource(HMODULE module, LPCSTR name, const void* bytes, size_t size);
bool RegisterBitmapResource(LPCSTR moduleFileName, LPCSTR name, const void* bytes, size_t size);

namespace loader {

// Whether LoadLibraryA and GetModuleHandleA find a built-in module ("uxtheme.dll", "msimg32.dll",
// "user32.dll"). Handles given out before stay valid until freed. False for a name that is no built-in module.
bool SetModuleAvailable(LPCSTR moduleName, bool available);
bool ModuleAvailable(LPCSTR moduleName);
// Whether GetProcAddress finds one export of a built-in module.
bool SetExportAvailable(LPCSTR moduleName, LPCSTR procName, bool available);
// The visual-style state that IsThemeActive and IsAppThemed answer (on at start). Changing it sends
// WM_THEMECHANGED to the windows, as the desktop does.
void SetVisualStylesActive(bool active);
bool VisualStylesActive();

}  // namespace loader
}  // namespace win32
