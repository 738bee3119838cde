// Conversions between the skinning library's wide text and byte strings of a code page.
#pragma once

#include <win32/windef.h>

#include <string>

// text read in codePage. A code page the system does not know is replaced by the ANSI code page; text that
// cannot be converted at all comes back as one '?' per byte.
std::u16string WideFromCodePage(UINT codePage, const std::string& text);
// text in the ANSI code page (936); characters it cannot hold become its default character '?'.
std::string WideToAnsi(const std::u16string& text);
