// The caret: one per thread, owned by a window, drawn by inverting its rectangle in the owner's client area and
// blinking every GetCaretBlinkTime() milliseconds while its hide count is zero.
#pragma once

#include <win32/windows.h>

namespace win32::user {

// BeginPaint hides the caret while the window paints (so erasing and drawing never meet an inverted caret) and
// EndPaint shows it again. Both do nothing when another window, or no window, owns the caret, and leave the last
// error alone.
void HideCaretForPaint(HWND hwnd);
void ShowCaretAfterPaint(HWND hwnd);

// DestroyWindow calls this: the caret goes with the window that owns it.
void DestroyWindowCaret(HWND hwnd);

}  // namespace win32::user
