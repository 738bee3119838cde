// The "BUTTON" window class: its kinds and state, the press protocol (capture while the mouse holds it, Space
// down and up), the automatic check boxes and radio buttons, and BN_CLICKED to the parent.
#include "user/Button.h"

#include "kernel/LastError.h"
#include "user/DialogManager.h"
#include "user/SystemClasses.h"

namespace win32::user::button {
namespace {

DWORD Style(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)); }
LONG_PTR State(HWND hwnd) { return GetWindowLongPtrW(hwnd, StateOffset); }

bool Supported(DWORD style) {
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_GROUPBOX: break;
    default: return false;
    }
    return (style & 0xFFFF & ~(BS_TYPEMASK | BS_LEFTTEXT | BS_MULTILINE | BS_NOTIFY)) == 0;
}

bool Checkable(UINT kind) {
    return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

bool Radio(UINT kind) { return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON; }

void SetState(HWND hwnd, LONG_PTR state) {
    LONG_PTR old = State(hwnd);
    if (old == state) return;
    SetWindowLongPtrW(hwnd, StateOffset, state);
    if ((old ^ state) & (BST_CHECKED | BST_PUSHED | BST_FOCUS)) InvalidateRect(hwnd, nullptr, FALSE);
}

void Notify(HWND hwnd, WORD code) {
    if (HWND parent = GetParent(hwnd))
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

bool Inside(HWND hwnd, LPARAM lParam) {
    RECT client;
    GetClientRect(hwnd, &client);
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&client, point) != FALSE;
}

void SetCheck(HWND hwnd, UINT kind, bool checked) {
    LONG_PTR state = State(hwnd);
    SetState(hwnd, checked ? state | BST_CHECKED : state & ~BST_CHECKED);
    // Only the checked radio button of a group is a tab stop, so that Tab enters the group at the chosen one.
    if (Radio(kind)) {
        DWORD style = Style(hwnd);
        DWORD wanted = checked ? style | WS_TABSTOP : style & ~WS_TABSTOP;
        if (wanted != style) SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(wanted));
    }
}

// A completed press: the automatic kinds change their check first, then the parent hears of the click.
void Click(HWND hwnd) {
    UINT kind = Style(hwnd) & BS_TYPEMASK;
    if (kind == BS_AUTOCHECKBOX) {
        SetCheck(hwnd, kind, !(State(hwnd) & BST_CHECKED));
    } else if (kind == BS_AUTORADIOBUTTON) {
        SetCheck(hwnd, kind, true);
        for (HWND other : dialog::GroupOf(hwnd))
            if (other != hwnd && (Style(other) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    Notify(hwnd, BN_CLICKED);
}

// Ends a press without a click (focus lost, disabled, capture taken away).
void CancelPress(HWND hwnd) {
    LONG_PTR state = State(hwnd);
    if (!(state & (MouseDown | SpaceDown))) return;
    SetState(hwnd, state & ~(MouseDown | SpaceDown | BST_PUSHED));
    if (GetCapture() == hwnd) ReleaseCapture();
}

LRESULT DialogCode(UINT kind) {
    switch (kind) {
    case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
    }
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD style = Style(hwnd);
    UINT kind = style & BS_TYPEMASK;
    LONG_PTR state = State(hwnd);
    switch (message) {
    case WM_CREATE:
        if (!Supported(reinterpret_cast<const CREATESTRUCTW*>(lParam)->style))
            return Fail<LRESULT>(-1, ERROR_INVALID_PARAMETER);
        return 0;
    case WM_NCHITTEST:
        // A group box lets the mouse through to the controls it frames.
        if (kind == BS_GROUPBOX) return HTTRANSPARENT;
        break;
    case WM_ERASEBKGND: return 1;  // the painter covers what it owns
    case WM_PAINT:
    case WM_PRINTCLIENT: PaintControl(hwnd, wParam, Paint); return 0;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        return result;
    }
    case WM_SETFONT:
        SetWindowLongPtrW(hwnd, FontOffset, static_cast<LONG_PTR>(wParam));
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_GETFONT: return GetWindowLongPtrW(hwnd, FontOffset);
    case WM_ENABLE:
        if (!wParam) CancelPress(hwnd);
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_GETDLGCODE: return DialogCode(kind);
    case WM_SETFOCUS:
        SetState(hwnd, state | BST_FOCUS);
        if (style & BS_NOTIFY) Notify(hwnd, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        CancelPress(hwnd);
        SetState(hwnd, State(hwnd) & ~BST_FOCUS);
        if (style & BS_NOTIFY) Notify(hwnd, BN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // Without notifications a double click is a second press.
        if (kind == BS_GROUPBOX) break;
        SetFocus(hwnd);
        // A focus handler that sent the focus elsewhere (a validation message) cancels the press.
        if (GetFocus() != hwnd) return 0;
        SetCapture(hwnd);
        SetState(hwnd, (State(hwnd) & ~SpaceDown) | MouseDown | BST_PUSHED);
        return 0;
    case WM_MOUSEMOVE:
        if ((state & MouseDown) && GetCapture() == hwnd)
            SetState(hwnd, Inside(hwnd, lParam) ? state | BST_PUSHED : state & ~BST_PUSHED);
        return 0;
    case WM_LBUTTONUP:
        if (state & MouseDown) {
            bool inside = Inside(hwnd, lParam);
            SetState(hwnd, state & ~(MouseDown | BST_PUSHED));
            ReleaseCapture();
            if (inside) Click(hwnd);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (state & MouseDown) SetState(hwnd, state & ~(MouseDown | BST_PUSHED));
        return 0;
    case WM_KEYDOWN:
        if (wParam != VK_SPACE || kind == BS_GROUPBOX) break;
        if (!(state & (MouseDown | SpaceDown))) SetState(hwnd, state | SpaceDown | BST_PUSHED);
        return 0;
    case WM_KEYUP:
        if (wParam != VK_SPACE || !(state & SpaceDown)) break;
        SetState(hwnd, state & ~(SpaceDown | BST_PUSHED));
        Click(hwnd);
        return 0;
    case BM_GETCHECK: return Checkable(kind) ? (state & BST_CHECKED) : BST_UNCHECKED;
    case BM_SETCHECK:
        if (Checkable(kind)) SetCheck(hwnd, kind, wParam != BST_UNCHECKED);
        return 0;
    case BM_GETSTATE: return state & (BST_CHECKED | BST_PUSHED | BST_FOCUS);
    case BM_SETSTATE: SetState(hwnd, wParam ? state | BST_PUSHED : state & ~BST_PUSHED); return 0;
    case BM_SETSTYLE: {
        // The control's own half of the style (the low word) is replaced; a kind the class cannot draw is refused.
        DWORD wanted = (style & 0xFFFF0000) | LOWORD(wParam);
        if (Supported(wanted) && wanted != style) SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(wanted));
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    }
    case BM_CLICK:
        // The press a mouse would make, so that the focus and the automatic check follow as they would.
        if (kind == BS_GROUPBOX || !IsWindowEnabled(hwnd)) return 0;
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
        return 0;
    default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

bool RegisterButtonClass() { return RegisterControlClass(u"Button", ButtonProc, ExtraBytes); }

}  // namespace win32::user::button
