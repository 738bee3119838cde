// The dialog manager: IsDialogMessage's keyboard (Tab and Shift+Tab through the tab stops, arrows within a group,
// Enter for the default push button, Esc for IDCANCEL, mnemonics), the tab and group walks, and control ids.
#include "user/DialogManager.h"

#include "kernel/LastError.h"
#include "user/Window.h"

#include <algorithm>
#include <string>

namespace {

using win32::user::dialog::FocusControl;
using win32::user::dialog::GroupOf;

LONG_PTR StyleOf(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_STYLE); }

bool Reachable(HWND hwnd) { return IsWindowVisible(hwnd) && IsWindowEnabled(hwnd); }

std::vector<HWND> Children(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

LRESULT DialogCode(HWND control, const MSG* msg) {
    return SendMessageW(control, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg));
}

// The next item of list after from (before it with previous), going round, that pass accepts; from itself when
// no other does, null when from is not in the list and none does.
template <class Accept>
HWND Around(const std::vector<HWND>& list, HWND from, bool previous, Accept accept) {
    auto count = static_cast<int>(list.size());
    auto at = static_cast<int>(std::find(list.begin(), list.end(), from) - list.begin());
    int start = at < count ? at : (previous ? 0 : count - 1);
    for (int step = 1; step <= count; ++step) {
        HWND candidate = list[static_cast<size_t>((start + (previous ? -step : step) + count * 2) % count)];
        if (candidate != from && accept(candidate)) return candidate;
    }
    return at < count ? from : nullptr;
}

WCHAR Upper(WCHAR c) { return c >= u'a' && c <= u'z' ? static_cast<WCHAR>(c - u'a' + u'A') : c; }

// The letter after the first single '&' of the control's text, upper case; 0 without one.
WCHAR Mnemonic(HWND control) {
    const win32::user::Window* window = win32::user::FromHandleQuiet(control);
    if (!window) return 0;
    const std::u16string& text = window->Text;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] != u'&') return Upper(text[i + 1]);
        ++i;
    }
    return 0;
}

// The child whose mnemonic is the character, searched from the one after the focus as Windows does, so that
// two controls with one letter take turns.
bool PressMnemonic(HWND dialog, HWND focus, WCHAR character) {
    WCHAR wanted = Upper(character);
    if (!wanted) return false;
    std::vector<HWND> children = Children(dialog);
    HWND match =
        Around(children, focus, false, [wanted](HWND child) { return Reachable(child) && Mnemonic(child) == wanted; });
    if (!match || (match == focus && Mnemonic(match) != wanted)) return false;
    LRESULT code = DialogCode(match, nullptr);
    if (code & DLGC_STATIC) {
        // A label or a group box hands its mnemonic on to the control after it.
        if (HWND next = GetNextDlgTabItem(dialog, match, FALSE)) FocusControl(dialog, next);
        return true;
    }
    FocusControl(dialog, match);
    if (code & DLGC_BUTTON) SendMessageW(match, BM_CLICK, 0, 0);
    return true;
}

// The push button Enter presses: the focused one when it is a push button, else the default one.
HWND DefaultButton(HWND dialog, HWND focus) {
    if (focus && (DialogCode(focus, nullptr) & DLGC_DEFPUSHBUTTON)) return focus;
    for (HWND child : Children(dialog))
        if (DialogCode(child, nullptr) & DLGC_DEFPUSHBUTTON) return child;
    return nullptr;
}

void Command(HWND dialog, int id, HWND control) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

bool TakeKey(HWND dialog, const MSG* msg) {
    HWND control = msg->hwnd == dialog ? nullptr : msg->hwnd;
    LRESULT code = control ? DialogCode(control, msg) : 0;
    if (code & DLGC_WANTMESSAGE) return false;
    switch (msg->message) {
    case WM_KEYDOWN:
        switch (msg->wParam) {
        case VK_TAB: {
            if (code & DLGC_WANTTAB) return false;
            HWND next = GetNextDlgTabItem(dialog, control, GetKeyState(VK_SHIFT) < 0);
            if (next) FocusControl(dialog, next);
            return true;
        }
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
            if ((code & DLGC_WANTARROWS) || !control) return false;
            bool previous = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
            HWND next = GetNextDlgGroupItem(dialog, control, previous);
            if (!next || next == control) return true;
            FocusControl(dialog, next);
            // Arrows choose among automatic radio buttons as they move.
            if ((DialogCode(next, nullptr) & DLGC_RADIOBUTTON) && (StyleOf(next) & 0xF) == BS_AUTORADIOBUTTON)
                SendMessageW(next, BM_CLICK, 0, 0);
            return true;
        }
        case VK_RETURN: {
            HWND button = DefaultButton(dialog, control);
            if (button && IsWindowEnabled(button))
                Command(dialog, GetDlgCtrlID(button), button);
            else
                Command(dialog, IDOK, GetDlgItem(dialog, IDOK));
            return true;
        }
        case VK_ESCAPE: Command(dialog, IDCANCEL, GetDlgItem(dialog, IDCANCEL)); return true;
        default: return false;
        }
    case WM_CHAR:
        if (code & DLGC_WANTCHARS) return false;
        // Tab, Enter and Esc were the dialog's keys; their characters go nowhere.
        if (msg->wParam == u'\t' || msg->wParam == u'\r' || msg->wParam == 0x1B) return true;
        PressMnemonic(dialog, control, static_cast<WCHAR>(msg->wParam));
        return true;
    case WM_SYSCHAR: return PressMnemonic(dialog, control, static_cast<WCHAR>(msg->wParam));
    default: return false;
    }
}

BOOL IsDialogMessageFor(HWND hDlg, LPMSG lpMsg, bool unicode) {
    if (!lpMsg || !hDlg || !IsWindow(hDlg)) return FALSE;
    if (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd)) return FALSE;
    if (!win32::user::dialog::DialogKey(hDlg, *lpMsg)) {
        TranslateMessage(lpMsg);
        if (unicode)
            DispatchMessageW(lpMsg);
        else
            DispatchMessageA(lpMsg);
    }
    return TRUE;
}

}  // namespace

namespace win32::user::dialog {

bool DialogKey(HWND dialog, const MSG& msg) { return TakeKey(dialog, &msg); }

void FocusControl(HWND dialog, HWND control) {
    LRESULT code = DialogCode(control, nullptr);
    if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        for (HWND child : Children(dialog))
            if (child != control && (DialogCode(child, nullptr) & DLGC_DEFPUSHBUTTON))
                SendMessageW(child, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        if (code & DLGC_UNDEFPUSHBUTTON) SendMessageW(control, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
    SetFocus(control);
}

std::vector<HWND> GroupOf(HWND control) {
    HWND first = control;
    while (!(StyleOf(first) & WS_GROUP))
        if (HWND previous = GetWindow(first, GW_HWNDPREV))
            first = previous;
        else
            break;
    std::vector<HWND> group{first};
    for (HWND next = GetWindow(first, GW_HWNDNEXT); next && !(StyleOf(next) & WS_GROUP);
         next = GetWindow(next, GW_HWNDNEXT))
        group.push_back(next);
    return group;
}

}  // namespace win32::user::dialog

BOOL IsDialogMessageW(HWND hDlg, LPMSG lpMsg) { return IsDialogMessageFor(hDlg, lpMsg, true); }

BOOL IsDialogMessageA(HWND hDlg, LPMSG lpMsg) { return IsDialogMessageFor(hDlg, lpMsg, false); }

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!IsWindow(hDlg)) return win32::Fail<HWND>(nullptr, ERROR_INVALID_WINDOW_HANDLE);
    if (hCtl && GetParent(hCtl) != hDlg) return win32::Fail<HWND>(nullptr, ERROR_INVALID_PARAMETER);
    return Around(Children(hDlg), hCtl, bPrevious,
                  [](HWND child) { return Reachable(child) && (StyleOf(child) & WS_TABSTOP); });
}

HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!IsWindow(hDlg)) return win32::Fail<HWND>(nullptr, ERROR_INVALID_WINDOW_HANDLE);
    if (!hCtl) hCtl = GetWindow(hDlg, GW_CHILD);
    if (!hCtl) return nullptr;
    if (GetParent(hCtl) != hDlg) return win32::Fail<HWND>(nullptr, ERROR_INVALID_PARAMETER);
    return Around(GroupOf(hCtl), hCtl, bPrevious, Reachable);
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem) {
    if (!IsWindow(hDlg)) return win32::Fail<HWND>(nullptr, ERROR_INVALID_WINDOW_HANDLE);
    for (HWND child : Children(hDlg))
        if (GetWindowLongPtrW(child, GWLP_ID) == nIDDlgItem) return child;
    return win32::Fail<HWND>(nullptr, ERROR_CONTROL_ID_NOT_FOUND);
}

int GetDlgCtrlID(HWND hWnd) {
    if (!IsWindow(hWnd)) return win32::Fail<int>(0, ERROR_INVALID_WINDOW_HANDLE);
    return static_cast<int>(GetWindowLongPtrW(hWnd, GWLP_ID));
}
