// File names at the A- and W-function boundaries: code page 936 bytes or UTF-16 outside, UTF-8 at the Linux file
// system.
#pragma once

#include <string>

namespace win32 {

// The native (UTF-8) form of an ANSI path. Bytes code page 936 cannot decode become '?', as Windows would read them.
std::string AnsiToNativePath(const char* ansiPath);
// The ANSI form of a native path; characters code page 936 cannot hold become '?'.
std::string NativeToAnsiPath(const std::string& nativePath);
// The native form of a UTF-16 path, which holds any name; a lone surrogate becomes U+FFFD.
std::string WideToNativePath(const char16_t* widePath);
// The UTF-16 form of a native path; bytes that are not UTF-8 become U+FFFD.
std::u16string NativeToWidePath(const std::string& nativePath);

}  // namespace win32
