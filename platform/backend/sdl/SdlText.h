// UTF-8 (what SDL speaks) to and from UTF-16 (what the window manager speaks).
#pragma once

#include <string>

namespace backend::sdl {

// Malformed input becomes U+FFFD rather than being dropped, so a caller sees that something was there.
std::u16string Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const std::u16string& text);

}  // namespace backend::sdl
