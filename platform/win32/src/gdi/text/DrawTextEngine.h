// DrawText's work on UTF-16 text: prefixes, tabs, line and word breaks, ellipses, alignment, measuring
// (DT_CALCRECT) and drawing.
#pragma once

#include <win32/windows.h>

#include <string>

namespace win32::gdi {

class DrawTextEngine {
public:
    // The text height as DrawText answers it, 0 on failure (with the last error set). With DT_MODIFYSTRING,
    // when an ellipsis shortened the text, *modified receives the text as displayed and *changed is set.
    static int Run(HDC hdc, const std::u16string& text, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params,
                   std::u16string* modified, bool* changed);
};

}  // namespace win32::gdi
