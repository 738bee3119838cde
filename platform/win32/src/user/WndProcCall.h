// Calling a window procedure from an A or a W function: text-carrying messages are converted when the procedure
// expects the other character set (code page 936 on the A side).
#pragma once

#include <win32/windows.h>

#include <string>

namespace win32::user {

// Shared by SendMessage, DispatchMessage and CallWindowProc. A lead byte of a double-byte character sent or
// dispatched alone to a W procedure is held until its trail byte comes, as Windows does.
LRESULT CallWndProc(WNDPROC proc, bool procUnicode, bool callerUnicode, HWND hwnd, UINT message, WPARAM wParam,
                    LPARAM lParam);

// The procedure as a caller of the other character set must see it: itself when the sets agree, else a handle
// standing for (procedure, character set) that CallWindowProc and SetWindowLongPtr resolve.
WNDPROC ProcAs(WNDPROC proc, bool procUnicode, bool callerUnicode);

// Character messages (WM_CHAR, WM_SYSCHAR, WM_DEADCHAR, WM_SYSDEADCHAR, WM_IME_CHAR).
bool IsCharMessage(UINT message);
// One A character message's byte as UTF-16: false while it is a lead byte waiting for its trail (kept in lead).
bool AnsiCharToWide(UINT message, WPARAM& wParam, BYTE& lead);
// One W character message's unit in code page 936: one or two bytes.
std::string WideCharToAnsi(WPARAM wParam);

}  // namespace win32::user
