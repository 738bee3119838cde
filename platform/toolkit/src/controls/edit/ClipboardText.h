// The clipboard's text in code page 936, through the platform's clipboard (CF_TEXT; the platform makes the other
// text formats from it).
#pragma once

#include <win32/windows.h>

#include <string>

namespace edittext {

// False when the clipboard could not be opened or would not take the data.
bool PutClipboardText(HWND owner, const std::string& text);
// False when the clipboard could not be opened or holds no text.
bool GetClipboardText(HWND owner, std::string& text);

}  // namespace edittext
