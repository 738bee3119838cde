// The export tables of the built-in modules: names to the platform's own functions.
#pragma once

#include <win32/windows.h>

#include <map>
#include <string>

namespace win32::loader {

std::map<std::string, FARPROC> User32Exports();
std::map<std::string, FARPROC> UxThemeExports();

}  // namespace win32::loader
