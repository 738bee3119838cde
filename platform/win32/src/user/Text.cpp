// Window text: Get/SetWindowText and GetWindowTextLength, A and W, through WM_GETTEXT, WM_SETTEXT and
// WM_GETTEXTLENGTH so that a window procedure (or a subclass) answers for its own text.
#include "user/Window.h"

#include <backend/Driver.h>

using namespace win32::user;

namespace {

template <class Char>
int GetText(HWND hwnd, Char* buffer, int size, bool unicode) {
    if (!FromHandle(hwnd)) return 0;
    if (!buffer || size <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    buffer[0] = 0;
    auto lParam = reinterpret_cast<LPARAM>(buffer);
    return static_cast<int>(unicode ? SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), lParam)
                                    : SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), lParam));
}

BOOL SetText(HWND hwnd, LPARAM text, bool unicode) {
    if (!FromHandle(hwnd)) return FALSE;
    LRESULT result = unicode ? SendMessageW(hwnd, WM_SETTEXT, 0, text) : SendMessageA(hwnd, WM_SETTEXT, 0, text);
    Window* window = FromHandleQuiet(hwnd);
    if (result && window && window->TopLevel()) backend::CurrentDriver().WindowTitle(hwnd, window->Text);
    return result ? TRUE : FALSE;
}

}  // namespace

int GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount) { return GetText(hWnd, lpString, nMaxCount, true); }
int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) { return GetText(hWnd, lpString, nMaxCount, false); }

int GetWindowTextLengthW(HWND hWnd) {
    if (!FromHandle(hWnd)) return 0;
    return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

int GetWindowTextLengthA(HWND hWnd) {
    if (!FromHandle(hWnd)) return 0;
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetWindowTextW(HWND hWnd, LPCWSTR lpString) { return SetText(hWnd, reinterpret_cast<LPARAM>(lpString), true); }
BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString) { return SetText(hWnd, reinterpret_cast<LPARAM>(lpString), false); }
