// UTF-8 to UTF-16 and back, replacing what cannot be converted with U+FFFD as Windows does since Vista.
#pragma once

#include <cstddef>
#include <string>

namespace win32::codepage {

// Each maximal ill-formed subsequence becomes one U+FFFD. Answers false when anything was replaced.
bool Utf8ToUtf16(const char* bytes, size_t count, std::u16string& out);
// A lone surrogate becomes U+FFFD. Answers false when anything was replaced.
bool Utf16ToUtf8(const char16_t* units, size_t count, std::string& out);

}  // namespace win32::codepage
