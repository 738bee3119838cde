// The message box's window: layout from the text's size, the icon and text it paints itself, a row of BUTTON
// controls, and the answers their clicks, Esc and the close button give.
#include "user/MessageBoxWindow.h"

#include "theme/SystemStyle.h"
#include "user/DialogManager.h"

#include <win32/vssym32.h>

#include <algorithm>

namespace win32::user {

namespace {

const char16_t BoxClass[] = u"MessageBoxWindow";
// Boxes without an answer for closing (Yes/No, Abort/Retry/Ignore) show their close button disabled.
const char16_t NoCloseBoxClass[] = u"MessageBoxWindowNoClose";

// Pixels at 96 DPI: the classic box's 7-dialog-unit margins and its 50 x 14 unit buttons in the message font.
constexpr int Margin = 11;
constexpr int IconSize = 32;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;
constexpr int ButtonGap = 6;

// The desktop is a code page 936 one, so the box speaks Chinese: these are the captions its own buttons carry,
// with the mnemonic letters the English captions have.
const char16_t* const Ok = u"确定";
const char16_t* const Cancel = u"取消";
const char16_t* const Abort = u"中止(&A)";
const char16_t* const Retry = u"重试(&R)";
const char16_t* const Ignore = u"忽略(&I)";
const char16_t* const Yes = u"是(&Y)";
const char16_t* const No = u"否(&N)";
const char16_t* const TryAgain = u"重试(&T)";
const char16_t* const Continue = u"继续(&C)";

}  // namespace

MessageBoxWindow::MessageBoxWindow(std::u16string text, UINT type) : FText(std::move(text)), FType(type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK: FButtons = {{IDOK, Ok}}; break;
    case MB_OKCANCEL: FButtons = {{IDOK, Ok}, {IDCANCEL, Cancel}}; break;
    case MB_ABORTRETRYIGNORE: FButtons = {{IDABORT, Abort}, {IDRETRY, Retry}, {IDIGNORE, Ignore}}; break;
    case MB_YESNOCANCEL: FButtons = {{IDYES, Yes}, {IDNO, No}, {IDCANCEL, Cancel}}; break;
    case MB_YESNO: FButtons = {{IDYES, Yes}, {IDNO, No}}; break;
    case MB_RETRYCANCEL: FButtons = {{IDRETRY, Retry}, {IDCANCEL, Cancel}}; break;
    case MB_CANCELTRYCONTINUE: FButtons = {{IDCANCEL, Cancel}, {IDTRYAGAIN, TryAgain}, {IDCONTINUE, Continue}}; break;
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
    if ((type & MB_TYPEMASK) > MB_CANCELTRYCONTINUE) return false;
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
    registered = RegisterClassExW(&box) && RegisterClassExW(&noClose);
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
        // One group, so that the arrows go round the row.
        DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                            (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND button = CreateWindowExW(0, u"Button", FButtons[i].Caption, buttonStyle,
                                      left + i * (ButtonWidth + ButtonGap), top, ButtonWidth, ButtonHeight, FHandle,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(FButtons[i].Id)), nullptr, nullptr);
        if (!button) return nullptr;
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(FFont), FALSE);
        FButtonProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageBoxWindow::ButtonProc)));
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
    const theme::ClassStyle* style = theme::SystemStyle(FHandle, u"Window", false);
    SetTextColor(dc, style ? style->Colors(WP_DIALOG, 1).text : GetSysColor(COLOR_WINDOWTEXT));
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

void MessageBoxWindow::FocusLastButton() {
    if (FLastFocus && IsWindow(FLastFocus)) dialog::FocusControl(FHandle, FLastFocus);
}

LRESULT MessageBoxWindow::BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageBoxWindow* box = FromBox(hwnd);
    if (!box || box->FHandle != hwnd) return DefWindowProcW(hwnd, message, wParam, lParam);
    return box->HandleBox(message, wParam, lParam);
}

LRESULT MessageBoxWindow::HandleBox(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        // In the visual style the box is a dialog of the Window class; classic boxes take their class brush.
        if (const theme::ClassStyle* style = theme::SystemStyle(FHandle, u"Window", false)) {
            RECT client;
            GetClientRect(FHandle, &client);
            theme::DrawSystemPart(reinterpret_cast<HDC>(wParam), *style, WP_DIALOG, 1, client);
            return 1;
        }
        break;
    case WM_PAINT: Paint(); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(FFont);
    case WM_COMMAND:
        // The buttons' clicks, and Enter and Esc from the dialog manager. IDCANCEL is Esc's answer even without a
        // Cancel button (OK alone), and none in a box that offers no way out but its buttons.
        if (HIWORD(wParam) != BN_CLICKED) return 0;
        if (LOWORD(wParam) == IDCANCEL) {
            if (int answer = CloseAnswer()) Choose(answer);
        } else if (std::any_of(FButtons.begin(), FButtons.end(),
                               [&](const Button& button) { return button.Id == LOWORD(wParam); })) {
            Choose(LOWORD(wParam));
        }
        return 0;
    case WM_COPY: CopyToClipboard(); return 0;
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
            FocusLastButton();
            return 0;
        }
        if (HWND focus = GetFocus(); focus && GetParent(focus) == FHandle) FLastFocus = focus;
        break;
    case WM_SETFOCUS: FocusLastButton(); return 0;
    default: break;
    }
    return DefWindowProcW(FHandle, message, wParam, lParam);
}

// The buttons are subclassed so that the box's keys (Ctrl+C, and the dialog manager's) work in any loop that
// dispatches its messages, not only in MessageBox's own loop that hands them to IsDialogMessage first.
LRESULT MessageBoxWindow::ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageBoxWindow* box = FromBox(GetParent(hwnd));
    if (!box || !box->FButtonProc) return DefWindowProcW(hwnd, message, wParam, lParam);
    // Ctrl+C copies the box whichever button has the focus.
    if (message == WM_KEYDOWN && wParam == 'C' && GetKeyState(VK_CONTROL) < 0) {
        SendMessageW(box->FHandle, WM_COPY, 0, 0);
        return 0;
    }
    if (message == WM_KEYDOWN || message == WM_CHAR || message == WM_SYSCHAR) {
        MSG msg{hwnd, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {0, 0}};
        if (dialog::DialogKey(box->FHandle, msg)) return 0;
    }
    return CallWindowProcW(box->FButtonProc, hwnd, message, wParam, lParam);
}

}  // namespace win32::user
