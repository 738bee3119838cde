// The message box's window and its push buttons: layout from the text's size, painting, and the keyboard and
// mouse protocol a classic dialog gives its buttons (focus carries the default frame, Enter, Esc, Space,
// Tab and arrows, mnemonics, click tracking with capture).
#include "user/MessageBoxWindow.h"

#include <algorithm>

namespace win32::user {

namespace {

const char16_t BoxClass[] = u"MessageBoxWindow";
// Boxes without an answer for closing (Yes/No, Abort/Retry/Ignore) show their close button disabled.
const char16_t NoCloseBoxClass[] = u"MessageBoxWindowNoClose";
const char16_t ButtonClass[] = u"MessageBoxButton";

// Pixels at 96 DPI: the classic box's 7-dialog-unit margins and its 50 x 14 unit buttons in the message font.
constexpr int Margin = 11;
constexpr int IconSize = 32;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;
constexpr int ButtonGap = 6;

// A button's own state, kept in its GWLP_USERDATA.
constexpr LONG_PTR Pushed = 1;     // drawn pressed
constexpr LONG_PTR Tracking = 2;   // the mouse went down on it and holds the capture
constexpr LONG_PTR SpaceDown = 4;  // Space went down on it; its release clicks

// The desktop is a code page 936 one, so the box speaks Chinese: these are the captions its own buttons carry,
// with the mnemonic letters the English captions have.
const char16_t* const Ok = u"确定";
const char16_t* const Cancel = u"取消";
const char16_t* const Abort = u"中止(&A)";
const char16_t* const Retry = u"重试(&R)";
const char16_t* const Ignore = u"忽略(&I)";
const char16_t* const Yes = u"是(&Y)";
const char16_t* const No = u"否(&N)";

LONG_PTR ButtonState(HWND button) { return GetWindowLongPtrW(button, GWLP_USERDATA); }

void SetButtonState(HWND button, LONG_PTR state) {
    LONG_PTR old = ButtonState(button);
    if (old == state) return;
    SetWindowLongPtrW(button, GWLP_USERDATA, state);
    if ((old ^ state) & Pushed) InvalidateRect(button, nullptr, FALSE);
}

HFONT ParentFont(HWND button) { return reinterpret_cast<HFONT>(SendMessageW(GetParent(button), WM_GETFONT, 0, 0)); }

void PaintButton(HWND button) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(button, &ps);
    RECT rect;
    GetClientRect(button, &rect);
    bool pushed = ButtonState(button) & Pushed;
    bool isDefault = GetWindowLongPtrW(button, GWL_STYLE) & BS_DEFPUSHBUTTON;
    if (isDefault) {
        FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&rect, -1, -1);
    }
    // A pressed default button is flat, a line of shadow round the face; a pressed plain one is sunken.
    RECT face = rect;
    UINT state = DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0) | (pushed && isDefault ? DFCS_FLAT : 0);
    DrawFrameControl(dc, &face, DFC_BUTTON, state);

    WCHAR caption[64] = {};
    GetWindowTextW(button, caption, 64);
    HGDIOBJ oldFont = SelectObject(dc, ParentFont(button));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT text = rect;
    if (pushed) OffsetRect(&text, 1, 1);
    DrawTextW(dc, caption, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);

    if (GetFocus() == button) {
        RECT focus = rect;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
    EndPaint(button, &ps);
}

bool Inside(HWND button, LPARAM lParam) {
    RECT rect;
    GetClientRect(button, &rect);
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&rect, point);
}

void Click(HWND button) {
    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetWindowLongPtrW(button, GWLP_ID), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

WCHAR Mnemonic(const char16_t* caption) {
    for (const char16_t* c = caption; *c; ++c)
        if (*c == u'&' && c[1] && c[1] != u'&') return c[1];
    return 0;
}

WCHAR Upper(WCHAR c) { return c >= u'a' && c <= u'z' ? static_cast<WCHAR>(c - u'a' + u'A') : c; }

}  // namespace

MessageBoxWindow::MessageBoxWindow(std::u16string text, UINT type) : FText(std::move(text)), FType(type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK: FButtons = {{IDOK, Ok}}; break;
    case MB_OKCANCEL: FButtons = {{IDOK, Ok}, {IDCANCEL, Cancel}}; break;
    case MB_ABORTRETRYIGNORE: FButtons = {{IDABORT, Abort}, {IDRETRY, Retry}, {IDIGNORE, Ignore}}; break;
    case MB_YESNOCANCEL: FButtons = {{IDYES, Yes}, {IDNO, No}, {IDCANCEL, Cancel}}; break;
    case MB_YESNO: FButtons = {{IDYES, Yes}, {IDNO, No}}; break;
    case MB_RETRYCANCEL: FButtons = {{IDRETRY, Retry}, {IDCANCEL, Cancel}}; break;
    default: break;
    }
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        FFont = CreateFontIndirectW(&metrics.lfMessageFont);
    LPCSTR icon = nullptr;
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: icon = IDI_HAND; break;
    case MB_ICONQUESTION: icon = IDI_QUESTION; break;
    case MB_ICONEXCLAMATION: icon = IDI_EXCLAMATION; break;
    case MB_ICONASTERISK: icon = IDI_ASTERISK; break;
    default: break;
    }
    if (icon) FIcon = LoadIconA(nullptr, icon);  // shared: never destroyed
}

MessageBoxWindow::~MessageBoxWindow() {
    if (FHandle && IsWindow(FHandle)) DestroyWindow(FHandle);
    if (FFont) DeleteObject(FFont);
}

bool MessageBoxWindow::ValidType(UINT type) {
    if ((type & MB_TYPEMASK) > MB_RETRYCANCEL) return false;
    switch (type & MB_ICONMASK) {
    case 0:
    case MB_ICONHAND:
    case MB_ICONQUESTION:
    case MB_ICONEXCLAMATION:
    case MB_ICONASTERISK: break;
    default: return false;
    }
    if ((type & MB_DEFMASK) > MB_DEFBUTTON4 || (type & MB_MODEMASK) == MB_MODEMASK) return false;
    // Help buttons, right-to-left reading and service notifications are not offered by this desktop.
    const UINT known = MB_TYPEMASK | MB_ICONMASK | MB_DEFMASK | MB_MODEMASK | MB_SETFOREGROUND | MB_TOPMOST | MB_RIGHT;
    return (type & ~known) == 0;
}

bool MessageBoxWindow::RegisterClasses() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSEXW box{};
    box.cbSize = sizeof(box);
    box.lpfnWndProc = BoxProc;
    box.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    box.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    box.lpszClassName = BoxClass;
    WNDCLASSEXW noClose = box;
    noClose.style = CS_NOCLOSE;
    noClose.lpszClassName = NoCloseBoxClass;
    WNDCLASSEXW button = box;
    button.lpfnWndProc = ButtonProc;
    button.hbrBackground = nullptr;  // the frame control paints every pixel
    button.lpszClassName = ButtonClass;
    registered = RegisterClassExW(&box) && RegisterClassExW(&noClose) && RegisterClassExW(&button);
    return registered;
}

MessageBoxWindow* MessageBoxWindow::FromBox(HWND box) {
    return reinterpret_cast<MessageBoxWindow*>(GetWindowLongPtrW(box, GWLP_USERDATA));
}

HWND MessageBoxWindow::Create(HWND owner, const std::u16string& caption) {
    if (!RegisterClasses()) return nullptr;
    SIZE client{0, 0};
    Layout(client);
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    DWORD exStyle = WS_EX_DLGMODALFRAME | ((FType & (MB_TOPMOST | MB_SYSTEMMODAL)) ? WS_EX_TOPMOST : 0);
    RECT frame{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;

    RECT work{0, 0, 0, 0};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT around = work;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
    int x = around.left + (around.right - around.left - width) / 2;
    int y = around.top + (around.bottom - around.top - height) / 2;
    x = std::max(work.left, std::min(x, static_cast<int>(work.right) - width));
    y = std::max(work.top, std::min(y, static_cast<int>(work.bottom) - height));

    FHandle = CreateWindowExW(exStyle, CloseAnswer() ? BoxClass : NoCloseBoxClass, caption.c_str(), style, x, y, width,
                              height, owner, nullptr, nullptr, nullptr);
    if (!FHandle) return nullptr;
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    int count = static_cast<int>(FButtons.size());
    int rowWidth = count * ButtonWidth + (count - 1) * ButtonGap;
    int left = (client.cx - rowWidth) / 2;
    int top = client.cy - Margin - ButtonHeight;
    // MB_DEFBUTTONn past the last button leaves the first one the default, as Windows does.
    int defaultIndex = static_cast<int>((FType & MB_DEFMASK) >> 8);
    if (defaultIndex >= count) defaultIndex = 0;
    for (int i = 0; i < count; ++i) {
        DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == defaultIndex ? BS_DEFPUSHBUTTON : 0);
        HWND button = CreateWindowExW(0, ButtonClass, FButtons[i].Caption, buttonStyle,
                                      left + i * (ButtonWidth + ButtonGap), top, ButtonWidth, ButtonHeight, FHandle,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(FButtons[i].Id)), nullptr, nullptr);
        if (!button) return nullptr;
        FButtonWindows.push_back(button);
    }
    FLastFocus = FButtonWindows[defaultIndex];
    return FHandle;
}

void MessageBoxWindow::Layout(SIZE& client) {
    int count = static_cast<int>(FButtons.size());
    int rowWidth = count * ButtonWidth + (count - 1) * ButtonGap;
    int textLeft = FIcon ? Margin + IconSize + Margin : Margin;

    // The box grows with its text up to 5/8 of the work area's width; longer lines wrap.
    RECT work{0, 0, 0, 0};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    int maxText = (work.right - work.left) * 5 / 8 - (frame.right - frame.left) - textLeft - Margin;

    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, FFont);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT text{0, 0, std::max(maxText, 1), 0};
    DrawTextW(dc, FText.c_str(), static_cast<int>(FText.size()), &text,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    int textWidth = text.right - text.left;
    int textHeight = std::max(static_cast<int>(text.bottom - text.top), static_cast<int>(metrics.tmHeight));

    int textTop = Margin;
    if (FIcon && textHeight < IconSize) textTop += (IconSize - textHeight) / 2;  // one short line beside the icon
    FIconPos = {Margin, Margin};
    FTextRect = {textLeft, textTop, textLeft + textWidth, textTop + textHeight};

    int contentBottom = std::max(static_cast<int>(FTextRect.bottom), FIcon ? Margin + IconSize : 0);
    client.cx = std::max(textLeft + textWidth + Margin, rowWidth + 2 * Margin);
    client.cy = contentBottom + Margin + ButtonHeight + Margin;
}

void MessageBoxWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FHandle, &ps);
    if (FIcon) DrawIconEx(dc, FIconPos.x, FIconPos.y, FIcon, IconSize, IconSize, 0, nullptr, DI_NORMAL);
    HGDIOBJ oldFont = SelectObject(dc, FFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT text = FTextRect;
    DrawTextW(dc, FText.c_str(), static_cast<int>(FText.size()), &text,
              DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | ((FType & MB_RIGHT) ? DT_RIGHT : DT_LEFT));
    SelectObject(dc, oldFont);
    EndPaint(FHandle, &ps);
}

int MessageBoxWindow::CloseAnswer() const {
    for (const Button& button : FButtons)
        if (button.Id == IDCANCEL) return IDCANCEL;
    return FButtons.size() == 1 ? FButtons.front().Id : 0;
}

void MessageBoxWindow::Choose(int id) {
    if (!FAnswer) FAnswer = id;
}

int MessageBoxWindow::IndexOf(HWND button) const {
    auto it = std::find(FButtonWindows.begin(), FButtonWindows.end(), button);
    return it == FButtonWindows.end() ? -1 : static_cast<int>(it - FButtonWindows.begin());
}

void MessageBoxWindow::FocusButton(HWND button) {
    if (button) SetFocus(button);
}

void MessageBoxWindow::MoveFocus(HWND from, int step) {
    int count = static_cast<int>(FButtonWindows.size());
    int index = IndexOf(from);
    if (index < 0) index = 0;
    FocusButton(FButtonWindows[static_cast<size_t>((index + step + count) % count)]);
}

void MessageBoxWindow::CopyToClipboard() const {
    // Ctrl+C copies the box as text, laid out the way Windows lays it out, so its words can be pasted elsewhere.
    const std::u16string rule = u"---------------------------\r\n";
    std::u16string caption(static_cast<size_t>(GetWindowTextLengthW(FHandle)) + 1, u'\0');
    caption.resize(static_cast<size_t>(GetWindowTextW(FHandle, caption.data(), static_cast<int>(caption.size()))));
    std::u16string buttons;
    for (const Button& button : FButtons) {
        for (const char16_t* c = button.Caption; *c; ++c)
            if (*c != u'&') buttons += *c;
        buttons += u"   ";
    }
    std::u16string text = rule + caption + u"\r\n" + rule + FText + u"\r\n" + rule + buttons + u"\r\n" + rule;
    if (!OpenClipboard(FHandle)) return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t))) {
        auto* target = static_cast<char16_t*>(GlobalLock(memory));
        std::copy(text.c_str(), text.c_str() + text.size() + 1, target);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

HWND MessageBoxWindow::ButtonForMnemonic(WCHAR character) const {
    for (size_t i = 0; i < FButtons.size(); ++i) {
        WCHAR mnemonic = Mnemonic(FButtons[i].Caption);
        if (mnemonic && Upper(mnemonic) == Upper(character)) return FButtonWindows[i];
    }
    return nullptr;
}

bool MessageBoxWindow::ButtonKey(HWND button, UINT message, WPARAM key) {
    if (message == WM_KEYDOWN) {
        switch (key) {
        case VK_RETURN: Click(button); return true;
        case VK_ESCAPE:
            if (int answer = CloseAnswer()) Choose(answer);
            return true;
        case VK_TAB: MoveFocus(button, GetKeyState(VK_SHIFT) < 0 ? -1 : 1); return true;
        case VK_LEFT:
        case VK_UP: MoveFocus(button, -1); return true;
        case VK_RIGHT:
        case VK_DOWN: MoveFocus(button, 1); return true;
        case 'C':
            if (GetKeyState(VK_CONTROL) >= 0) return false;
            CopyToClipboard();
            return true;
        default: return false;
        }
    }
    // WM_CHAR or WM_SYSCHAR: a letter presses the button it is the mnemonic of, Alt or not.
    if (HWND target = ButtonForMnemonic(static_cast<WCHAR>(key))) {
        SetFocus(target);
        Click(target);
        return true;
    }
    return message == WM_CHAR;  // a plain character the box has no use for goes nowhere
}

LRESULT MessageBoxWindow::BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageBoxWindow* box = FromBox(hwnd);
    if (!box || box->FHandle != hwnd) return DefWindowProcW(hwnd, message, wParam, lParam);
    return box->HandleBox(message, wParam, lParam);
}

LRESULT MessageBoxWindow::HandleBox(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(FFont);
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && IndexOf(reinterpret_cast<HWND>(lParam)) >= 0) Choose(LOWORD(wParam));
        return 0;
    case WM_SYSCOMMAND:
        // Without an answer for it (Yes/No, Abort/Retry/Ignore) closing the box is not offered.
        if ((wParam & 0xFFF0) == SC_CLOSE && !CloseAnswer()) return 0;
        break;
    case WM_CLOSE:
        if (int answer = CloseAnswer()) Choose(answer);
        return 0;
    case WM_ACTIVATE:
        // Focus goes back to the button that had it, not to the box.
        if (LOWORD(wParam) != WA_INACTIVE) {
            FocusButton(FLastFocus);
            return 0;
        }
        break;
    case WM_SETFOCUS: FocusButton(FLastFocus); return 0;
    default: break;
    }
    return DefWindowProcW(FHandle, message, wParam, lParam);
}

LRESULT MessageBoxWindow::ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageBoxWindow* box = FromBox(GetParent(hwnd));
    if (!box || box->IndexOf(hwnd) < 0) return DefWindowProcW(hwnd, message, wParam, lParam);
    LONG_PTR state = ButtonState(hwnd);
    switch (message) {
    case WM_PAINT: PaintButton(hwnd); return 0;
    case WM_SETFOCUS:
        // The default frame follows the focus from button to button.
        box->FLastFocus = hwnd;
        for (HWND other : box->FButtonWindows) {
            LONG_PTR style = GetWindowLongPtrW(other, GWL_STYLE);
            LONG_PTR wanted = other == hwnd ? (style | BS_DEFPUSHBUTTON) : (style & ~BS_DEFPUSHBUTTON);
            if (wanted != style) SetWindowLongPtrW(other, GWL_STYLE, wanted);
            InvalidateRect(other, nullptr, FALSE);
        }
        return 0;
    case WM_KILLFOCUS:
        SetButtonState(hwnd, state & ~(Pushed | SpaceDown));
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(hwnd);
        SetCapture(hwnd);
        SetButtonState(hwnd, state | Tracking | Pushed);
        return 0;
    case WM_MOUSEMOVE:
        if (state & Tracking) SetButtonState(hwnd, Inside(hwnd, lParam) ? state | Pushed : state & ~Pushed);
        return 0;
    case WM_LBUTTONUP:
        if (state & Tracking) {
            bool inside = Inside(hwnd, lParam);
            ReleaseCapture();
            if (inside) Click(hwnd);
        }
        return 0;
    case WM_CAPTURECHANGED:
        SetButtonState(hwnd, state & SpaceDown ? state & ~Tracking : state & ~(Tracking | Pushed));
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            if (!(state & Tracking)) SetButtonState(hwnd, state | SpaceDown | Pushed);
            return 0;
        }
        if (box->ButtonKey(hwnd, message, wParam)) return 0;
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE && (state & SpaceDown)) {
            SetButtonState(hwnd, state & ~(SpaceDown | Pushed));
            Click(hwnd);
        }
        return 0;
    case WM_CHAR:
        if (wParam == u' ' || wParam == u'\r' || wParam == u'\t' || wParam == 0x1B) return 0;
        if (box->ButtonKey(hwnd, message, wParam)) return 0;
        break;
    case WM_SYSCHAR:
        if (box->ButtonKey(hwnd, message, wParam)) return 0;
        break;
    case WM_SYSKEYDOWN:
        // Alt+F4 closes the box, whichever button has the focus.
        if (wParam == VK_F4 && (HIWORD(lParam) & KF_ALTDOWN)) {
            SendMessageW(box->FHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        }
        break;
    default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace win32::user
