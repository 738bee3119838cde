// DefWindowProcA/W: Windows' default answers; the frame's painting, clicks and loops are in user/ClassicFrame.h.
#include "user/AnsiConvert.h"
#include "user/ClassicFrame.h"
#include "user/NonClient.h"
#include "user/Window.h"
#include "user/WindowPos.h"

#include <backend/Driver.h>

#include <algorithm>

using namespace win32::user;

namespace {

// Key presses that may end as a keyboard menu request when their key comes back up.
bool altAlonePending = false;
bool f10Pending = false;

constexpr UINT KfAltDown = 0x2000;                            // HIWORD(lParam) of key messages: the context bit
constexpr UINT KfRepeat = 0x4000;                             // and the previous key state
constexpr WPARAM IconSmall = 0, IconBig = 1, IconSmall2 = 2;  // ICON_SMALL, ICON_BIG, ICON_SMALL2

template <class Char>
size_t Length(const Char* text) {
    return text ? std::char_traits<Char>::length(text) : 0;
}

void NotifyTitle(Window& window) {
    if (window.TopLevel()) backend::CurrentDriver().WindowTitle(window.Handle, window.Text);
}

// The frame is repainted through WM_NCPAINT later; storing the text never paints.
void InvalidateCaption(Window& window) {
    if ((window.Style & WS_CAPTION) != WS_CAPTION || !window.Visible()) return;
    RECT windowRect = window.ScreenWindowRect();
    RECT client = window.ScreenClientRect();
    HRGN frame = CreateRectRgn(windowRect.left - client.left, windowRect.top - client.top,
                               windowRect.right - client.left, windowRect.bottom - client.top);
    HRGN inside = CreateRectRgn(0, 0, client.right - client.left, client.bottom - client.top);
    CombineRgn(frame, frame, inside, RGN_DIFF);
    RedrawWindow(window.Handle, nullptr, frame, RDW_INVALIDATE | RDW_FRAME | RDW_NOERASE | RDW_NOCHILDREN);
    DeleteObject(inside);
    DeleteObject(frame);
}

LRESULT GetText(Window& window, WPARAM size, LPARAM buffer, bool unicode) {
    if (!buffer || size == 0) return 0;
    if (unicode) {
        auto* out = reinterpret_cast<LPWSTR>(buffer);
        size_t count = std::min<size_t>(window.Text.size(), size - 1);
        std::copy(window.Text.begin(), window.Text.begin() + static_cast<std::ptrdiff_t>(count), out);
        out[count] = 0;
        return static_cast<LRESULT>(count);
    }
    std::string ansi = WideToAnsi(window.Text);
    size_t count = 0;
    // Stops before a character that would not fit whole.
    while (count < ansi.size()) {
        size_t step = IsDBCSLeadByte(static_cast<BYTE>(ansi[count])) ? 2 : 1;
        if (count + step > size - 1) break;
        count += step;
    }
    auto* out = reinterpret_cast<LPSTR>(buffer);
    std::copy(ansi.begin(), ansi.begin() + static_cast<std::ptrdiff_t>(count), out);
    out[count] = 0;
    return static_cast<LRESULT>(count);
}

void SetText(Window& window, LPARAM text, bool unicode) {
    if (unicode) {
        auto* wide = reinterpret_cast<LPCWSTR>(text);
        window.Text.assign(wide ? wide : u"", Length(wide));
    } else {
        window.Text = AnsiToWide(reinterpret_cast<LPCSTR>(text));
    }
}

bool IsButtonDown(UINT mouseMessage) {
    return mouseMessage == WM_LBUTTONDOWN || mouseMessage == WM_RBUTTONDOWN || mouseMessage == WM_MBUTTONDOWN;
}

// A click on a disabled window brings forward the enabled window it is waiting for, as Windows does for an
// owner disabled by its modal dialog.
void ActivateEnabledPopup(HWND hwnd) {
    for (Window* top : Desktop().Children) {
        if (top->Owner && top->Owner->Handle == hwnd && top->Visible() && !(top->Style & WS_DISABLED)) {
            SetActiveWindow(top->Handle);
            return;
        }
    }
}

LRESULT SetCursorFor(HWND hwnd, Window& window, LPARAM lParam) {
    auto hit = static_cast<short>(LOWORD(lParam));
    // A child's parent decides first, except over the child's own sizing border.
    if (window.Child() && (hit < HTLEFT || hit > HTBOTTOMRIGHT) && window.Parent && window.Parent != &Desktop()) {
        if (SendMessageW(window.Parent->Handle, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), lParam)) return TRUE;
    }
    LPCSTR shape = IDC_ARROW;
    switch (hit) {
    case HTERROR:
        if (IsButtonDown(HIWORD(lParam))) {
            MessageBeep(0);
            ActivateEnabledPopup(hwnd);
        }
        break;
    case HTCLIENT:
        if (window.Class && window.Class->Cursor) {
            SetCursor(window.Class->Cursor);
            return TRUE;
        }
        return FALSE;
    case HTLEFT:
    case HTRIGHT: shape = IDC_SIZEWE; break;
    case HTTOP:
    case HTBOTTOM: shape = IDC_SIZENS; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: shape = IDC_SIZENWSE; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: shape = IDC_SIZENESW; break;
    default: break;
    }
    SetCursor(LoadCursorA(nullptr, shape));
    return FALSE;
}

LRESULT SysCommand(HWND hwnd, WPARAM command, LPARAM lParam) {
    if (FrameSysCommand(hwnd, command, lParam)) return 0;
    switch (command & 0xFFF0) {
    case SC_CLOSE: SendMessageW(hwnd, WM_CLOSE, 0, 0); return 0;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
    default: return 0;
    }
}

void ShowForOwner(HWND hwnd, Window& window, WPARAM show, LPARAM reason) {
    // lParam 0: ShowWindow itself sent it, nothing to do.
    if (reason != SW_PARENTCLOSING && reason != SW_PARENTOPENING) return;
    if (!window.Owner) return;
    // Only owned windows hidden because their owner was minimized come back with it.
    if (!show && window.Visible()) {
        ShowWindow(hwnd, SW_HIDE);
    } else if (show && !window.Visible() && window.HiddenByOwner) {
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    }
}

// An overlapped or sizable window keeps a size within what WM_GETMINMAXINFO allows (a minimized one has no
// lower bound).
void KeepTrackSize(HWND hwnd, Window& window, WINDOWPOS* pos) {
    if (!pos || (pos->flags & SWP_NOSIZE)) return;
    if (!(window.Style & WS_THICKFRAME) && (window.Style & (WS_POPUP | WS_CHILD))) return;
    MINMAXINFO info = QueryMinMaxInfo(window);
    if (!FromHandleQuiet(hwnd)) return;
    pos->cx = std::min<int>(pos->cx, info.ptMaxTrackSize.x);
    pos->cy = std::min<int>(pos->cy, info.ptMaxTrackSize.y);
    if (window.Style & WS_MINIMIZE) return;
    pos->cx = std::max<int>(pos->cx, info.ptMinTrackSize.x);
    pos->cy = std::max<int>(pos->cy, info.ptMinTrackSize.y);
}

LRESULT EraseBackground(HWND hwnd, Window& window, HDC hdc) {
    HBRUSH brush = window.Class ? window.Class->Background : nullptr;
    if (!brush || !hdc) return 0;
    RECT rect;
    GetClientRect(hwnd, &rect);
    FillRect(hdc, &rect, brush);
    return 1;
}

LRESULT ControlColor(UINT message, HDC hdc) {
    bool windowColors = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(hdc, GetSysColor(windowColors ? COLOR_WINDOW : COLOR_3DFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(windowColors ? COLOR_WINDOW : COLOR_3DFACE));
}

LRESULT DefProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool unicode) {
    Window* window = FromHandle(hwnd);
    if (!window) return 0;
    switch (message) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (create && create->lpszName && !IsIntResource(create->lpszName)) {
            SetText(*window, reinterpret_cast<LPARAM>(create->lpszName), unicode);
            NotifyTitle(*window);
        }
        return TRUE;
    }
    case WM_NCCALCSIZE: {
        if (!lParam) return 0;
        RECT* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        *rect = DefaultClientRect(*window, *rect);
        return 0;
    }
    case WM_NCHITTEST: return DefaultHitTest(*window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCACTIVATE: return ActivateFrame(hwnd, wParam != FALSE);
    case WM_NCPAINT: PaintFrame(hwnd, reinterpret_cast<HRGN>(wParam)); return 0;
    case WM_NCLBUTTONDOWN:
        FrameButtonDown(hwnd, static_cast<int>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_NCMOUSEMOVE: FrameMouseMove(hwnd, static_cast<int>(wParam)); return 0;
    case WM_NCMOUSELEAVE: FrameMouseMove(hwnd, HTNOWHERE); return 0;
    case WM_NCLBUTTONDBLCLK:
        FrameDoubleClick(hwnd, static_cast<int>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_NCDESTROY: return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (BeginPaint(hwnd, &paint)) EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND: return EraseBackground(hwnd, *window, reinterpret_cast<HDC>(wParam));
    case WM_SETCURSOR: return SetCursorFor(hwnd, *window, lParam);
    case WM_MOUSEACTIVATE:
        if (window->Child() && window->Parent && window->Parent != &Desktop()) {
            LRESULT answer = SendMessageW(window->Parent->Handle, WM_MOUSEACTIVATE, wParam, lParam);
            if (answer) return answer;
        }
        // The frame has no modal move loop to activate the window later, so a caption click activates too.
        return MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(window->Style & WS_MINIMIZE)) SetFocus(hwnd);
        return 0;
    case WM_MOUSEWHEEL:
        if (window->Child() && window->Parent && window->Parent != &Desktop())
            return SendMessageW(window->Parent->Handle, message, wParam, lParam);
        return 0;
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_GETTEXT: return GetText(*window, wParam, lParam, unicode);
    case WM_GETTEXTLENGTH:
        return unicode ? static_cast<LRESULT>(window->Text.size())
                       : static_cast<LRESULT>(WideToAnsi(window->Text).size());
    case WM_SETTEXT:
        SetText(*window, lParam, unicode);
        NotifyTitle(*window);
        InvalidateCaption(*window);
        return TRUE;
    case WM_SHOWWINDOW: ShowForOwner(hwnd, *window, wParam, lParam); return 0;
    case WM_WINDOWPOSCHANGING: KeepTrackSize(hwnd, *window, reinterpret_cast<WINDOWPOS*>(lParam)); return 0;
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!pos) return 0;
        RECT client = window->ClientRect;
        if (!(pos->flags & SwpNoClientMove)) SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
        if (!(pos->flags & SwpNoClientSize) || (pos->flags & SWP_STATECHANGED)) {
            if (!(window = FromHandleQuiet(hwnd))) return 0;
            client = window->ClientRect;
            if (window->Style & WS_MINIMIZE)
                SendMessageW(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
            else
                SendMessageW(hwnd, WM_SIZE, (window->Style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED,
                             MAKELPARAM(client.right - client.left, client.bottom - client.top));
        }
        return 0;
    }
    case WM_SYSCOMMAND: return SysCommand(hwnd, wParam, lParam);
    case WM_SYSKEYDOWN:
        if (HIWORD(lParam) & KfAltDown) {
            altAlonePending = wParam == VK_MENU && !(HIWORD(lParam) & KfRepeat);
            // Alt+F4 closes the top-level window, whichever of its children has the keyboard.
            if (wParam == VK_F4)
                SendMessageW(window->Child() ? GetAncestor(hwnd, GA_ROOT) : hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else if (wParam == VK_F10) {
            f10Pending = true;
        }
        return 0;
    case WM_KEYDOWN:
        altAlonePending = false;
        if (wParam == VK_F10) f10Pending = true;
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if ((wParam == VK_MENU && altAlonePending) || (wParam == VK_F10 && f10Pending))
            SendMessageW(window->Child() ? GetAncestor(hwnd, GA_ROOT) : hwnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
        altAlonePending = f10Pending = false;
        return 0;
    case WM_SYSCHAR:
        altAlonePending = false;
        if (wParam == VK_RETURN && (window->Style & WS_MINIMIZE)) {
            SendMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else if ((HIWORD(lParam) & KfAltDown) && wParam) {
            if (wParam == VK_TAB || wParam == VK_ESCAPE) return 0;
            if (wParam == ' ' && window->Child())
                SendMessageW(GetParent(hwnd), message, wParam, lParam);
            else
                SendMessageW(window->Child() ? GetAncestor(hwnd, GA_ROOT) : hwnd, WM_SYSCOMMAND, SC_KEYMENU,
                             static_cast<LPARAM>(wParam));
        } else if (wParam != VK_ESCAPE) {
            MessageBeep(0);
        }
        return 0;
    case WM_IME_CHAR:
        // The input method's character reaches the window as plain characters, a double-byte one as two bytes.
        if (unicode) {
            PostMessageW(hwnd, WM_CHAR, wParam, lParam);
        } else {
            if (wParam >> 8) PostMessageA(hwnd, WM_CHAR, (wParam >> 8) & 0xFF, lParam);
            PostMessageA(hwnd, WM_CHAR, wParam & 0xFF, lParam);
        }
        return 0;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP: {
        POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (message == WM_RBUTTONUP) ClientToScreen(hwnd, &screen);
        SendMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(screen.x, screen.y));
        return 0;
    }
    case WM_CONTEXTMENU:
        if (window->Child() && window->Parent && window->Parent != &Desktop())
            SendMessageW(window->Parent->Handle, message, wParam, lParam);
        return 0;
    case WM_CANCELMODE:
        if (GetCapture() == hwnd) ReleaseCapture();
        return 0;
    case WM_SETICON: {
        if (wParam != IconBig && wParam != IconSmall && wParam != IconSmall2) return 0;
        HICON& slot = wParam == IconBig ? window->BigIcon : window->SmallIcon;
        HICON previous = slot;
        slot = reinterpret_cast<HICON>(lParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_GETICON: return reinterpret_cast<LRESULT>(wParam == IconBig ? window->BigIcon : window->SmallIcon);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return ControlColor(message, reinterpret_cast<HDC>(wParam));
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN: return TRUE;
    default: return 0;
    }
}

}  // namespace

LRESULT DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return DefProc(hWnd, Msg, wParam, lParam, false);
}

LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return DefProc(hWnd, Msg, wParam, lParam, true);
}
