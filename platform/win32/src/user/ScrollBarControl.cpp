// The "SCROLLBAR" window class: a bar filling the control's client area that notifies its parent (lParam the
// control) and answers the arrow, page and Home/End keys when it has the focus.
#include "user/ScrollBarState.h"

#include "user/SystemClasses.h"

namespace win32::user::scrollbar {
namespace {

void NotifyParent(HWND hwnd, int code) {
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    UINT message = (GetWindowLongPtrW(hwnd, GWL_STYLE) & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    SendMessageW(parent, message, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(hwnd));
}

int KeyCode(WPARAM key) {
    switch (key) {
    case VK_UP:
    case VK_LEFT: return SB_LINEUP;
    case VK_DOWN:
    case VK_RIGHT: return SB_LINEDOWN;
    case VK_PRIOR: return SB_PAGEUP;
    case VK_NEXT: return SB_PAGEDOWN;
    case VK_HOME: return SB_TOP;
    case VK_END: return SB_BOTTOM;
    default: return -1;
    }
}

// SBS_TOPALIGN and its kin keep one edge of the rectangle CreateWindowEx gave and the standard thickness.
void Align(HWND hwnd, DWORD style) {
    if (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) return;
    RECT rect;
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    if (style & SBS_VERT) {
        int width = GetSystemMetrics(SM_CXVSCROLL);
        if (style & SBS_LEFTALIGN)
            rect.right = rect.left + width;
        else if (style & SBS_RIGHTALIGN)
            rect.left = rect.right - width;
        else
            return;
    } else {
        int height = GetSystemMetrics(SM_CYHSCROLL);
        if (style & SBS_TOPALIGN)
            rect.bottom = rect.top + height;
        else if (style & SBS_BOTTOMALIGN)
            rect.top = rect.bottom - height;
        else
            return;
    }
    SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Paint(HWND hwnd, HDC hdc) {
    DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    RECT client;
    GetClientRect(hwnd, &client);
    if (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) {
        DrawFrameControl(hdc, &client, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        return;
    }
    BarState* state = Ensure(hwnd, SB_CTL);
    if (!state) return;
    Draw(hwnd, SB_CTL, hdc, MakeLayout(client, (style & SBS_VERT) != 0, *state, BarEnabled(hwnd, SB_CTL, *state)),
         *state);
}

LRESULT ScrollBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        Ensure(hwnd, SB_CTL);
        Align(hwnd, reinterpret_cast<const CREATESTRUCTW*>(lParam)->style);
        return 0;
    }
    case WM_NCDESTROY: Forget(hwnd); break;
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: PaintControl(hwnd, wParam, Paint); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
        if (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) break;
        Track(hwnd, SB_CTL, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    }
    case WM_KEYDOWN: {
        int code = KeyCode(wParam);
        if (code < 0) break;
        NotifyParent(hwnd, code);
        NotifyParent(hwnd, SB_ENDSCROLL);
        return 0;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_ENABLE:
    case WM_SIZE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

bool RegisterScrollBarClass() { return RegisterControlClass(u"ScrollBar", ScrollBarProc, 0); }

}  // namespace win32::user::scrollbar
