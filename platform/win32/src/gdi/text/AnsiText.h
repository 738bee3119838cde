// Code page 936 strings handed to the A text functions, as UTF-16 with the byte count of each unit kept, so that
// per-byte arrays (lpDx, DRAWTEXTPARAMS lengths) can be mapped between the two.
#pragma once

#include <win32/windef.h>

#include <string>
#include <vector>

namespace win32::gdi {

struct AnsiText {
    std::u16string Wide;
    std::vector<int> Bytes;  // bytes of the source behind each UTF-16 unit (1 or 2)

    AnsiText(LPCSTR text, int count);
    // The UTF-16 count that covers the first `bytes` source bytes.
    int UnitsForBytes(int bytes) const;
    int BytesForUnits(int units) const;
    // The UTF-16 string back in code page 936.
    static std::string ToAnsi(const std::u16string& wide);
};

}  // namespace win32::gdi
