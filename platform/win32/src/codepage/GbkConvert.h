// Whole-string conversions between code page 936 and UTF-16, shared by the NLS functions and the A-functions.
#pragma once

#include <win32/windef.h>

#include <string>

namespace win32::codepage {

// An invalid or truncated sequence becomes '?'; answers false when that happened. decompose gives MB_COMPOSITE's
// output (base characters followed by their nonspacing marks).
bool GbkToUtf16(const char* bytes, size_t count, bool decompose, std::u16string& out);

struct GbkEncoding {
    std::string defaultChar = "?";
    // WC_COMPOSITECHECK with at most one of WC_DISCARDNS, WC_SEPCHARS, WC_DEFAULTCHAR; 0 for none.
    DWORD compositeFlags = 0;
};

// A unit code page 936 cannot hold becomes the default character; answers whether that happened.
bool Utf16ToGbk(const char16_t* units, size_t count, const GbkEncoding& encoding, std::string& out);

}  // namespace win32::codepage
