// Registration of the system classes, called from the class lookup so that a program that only names a class
// ("SCROLLBAR", "BUTTON") still finds it, whatever else it links.
#include "user/SystemClasses.h"

#include "user/Button.h"
#include "user/ScrollBarState.h"

namespace win32::user {

void RegisterSystemClasses() {
    // Set before registering: registration itself looks classes up.
    static bool registered = false;
    if (registered) return;
    registered = true;
    scrollbar::RegisterScrollBarClass();
    button::RegisterButtonClass();
}

bool RegisterControlClass(const char16_t* name, WNDPROC proc, int windowExtra) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = windowExtra;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

void PaintControl(HWND hwnd, WPARAM wParam, void (*paint)(HWND, HDC)) {
    PAINTSTRUCT ps;
    HDC hdc = wParam ? reinterpret_cast<HDC>(wParam) : BeginPaint(hwnd, &ps);
    if (hdc) paint(hwnd, hdc);
    if (!wParam) EndPaint(hwnd, &ps);
}

}  // namespace win32::user
