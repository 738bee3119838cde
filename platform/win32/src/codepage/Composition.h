// Composing a base character with a nonspacing mark, and the reverse, as far as code page 936 needs it.
#pragma once

#include <win32/windef.h>

#include <string>

namespace win32::codepage {

// Combining marks (general category Mn in the ranges a code page 936 text meets).
bool IsNonSpacing(WCHAR c);
// The precomposed character for base + mark, or 0 when there is none.
WCHAR Compose(WCHAR base, WCHAR mark);
// Appends c fully decomposed (base first, then its marks).
void AppendDecomposed(WCHAR c, std::u16string& out);

}  // namespace win32::codepage
