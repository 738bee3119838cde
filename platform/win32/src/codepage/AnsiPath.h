// File names at the A-function boundary: code page 936 bytes outside, UTF-8 at the Linux file system.
#pragma once

#include <string>

namespace win32 {

// The native (UTF-8) form of an ANSI path. Bytes code page 936 cannot decode become '?', as Windows would read them.
std::string AnsiToNativePath(const char* ansiPath);
// The ANSI form of a native path; characters code page 936 cannot hold become '?'.
std::string NativeToAnsiPath(const std::string& nativePath);

}  // namespace win32
