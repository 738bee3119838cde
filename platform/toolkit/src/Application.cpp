// TApplication: the loop (PeekMessage, the toolkit's key routing, TranslateMessage, DispatchMessage), the hidden
// application window and the exception box.
#include <toolkit/Application.h>

#include <toolkit/Form.h>
#include <toolkit/Messages.h>

#include <vector>

namespace {

const char kApplicationClass[] = "TApplication";

bool RegisterApplicationClass(WNDPROC proc) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(nullptr, kApplicationClass, &existing)) return true;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = proc;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kApplicationClass;
    return RegisterClassExA(&windowClass) != 0;
}

// Where the last character of a GBK string starts (a lead byte 0x81..0xFE takes the next byte with it).
size_t LastCharacterStart(const std::string& text) {
    size_t start = 0;
    for (size_t i = 0; i < text.size();) {
        start = i;
        auto byte = static_cast<unsigned char>(text[i]);
        i += (byte >= 0x81 && byte <= 0xFE && i + 1 < text.size()) ? 2 : 1;
    }
    return start;
}

TApplication applicationInstance(nullptr);

}  // namespace

TApplication* Application = &applicationInstance;

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    // An exception escaping a control's message method is shown as one escaping the loop is.
    SetControlExceptionHandler([this](TObject* sender) { HandleException(sender); });
}

TApplication::~TApplication() {
    Destroying();
    DestroyComponents();
    if (FHandle) {
        SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
        DestroyWindow(FHandle);
    }
}

HWND TApplication::Handle() {
    if (FHandle) return FHandle;
    if (!RegisterApplicationClass(&TApplication::WindowProc)) return nullptr;
    // Zero-sized in the middle of the screen, never shown: it only owns the forms and takes minimize/restore.
    int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    FHandle = CreateWindowExA(0, kApplicationClass, Title().c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                              nullptr, nullptr, nullptr, nullptr);
    if (FHandle) SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return FHandle;
}

LRESULT TApplication::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TApplication*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        return self->WndProc(message, wParam, lParam);
    } catch (...) {
        self->HandleException(self);
        return 0;
    }
}

LRESULT TApplication::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: Minimize(); return 0;
        case SC_RESTORE: Restore(); return 0;
        default: break;
        }
        break;
    case WM_CLOSE:
        if (FMainForm) FMainForm->Close();
        return 0;
    case WM_NCDESTROY: FHandle = nullptr; break;
    default: break;
    }
    return DefWindowProcA(FHandle, message, wParam, lParam);
}

std::string TApplication::Title() const {
    if (!FTitle.empty()) return FTitle;
    std::string name = ExtractFileName(ExeName());
    return ChangeFileExt(name, "");
}

void TApplication::SetTitle(const std::string& value) {
    if (value == FTitle) return;
    FTitle = value;
    if (FHandle) SetWindowTextA(FHandle, Title().c_str());
}

std::string TApplication::ExeName() const {
    char path[4096];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, length < sizeof path ? length : 0);
}

void TApplication::SetHint(const std::string& value) {
    if (value == FHint) return;
    FHint = value;
    if (OnHint) OnHint(this);
}

void TApplication::FormCreated(TComponent* instance) {
    auto* form = dynamic_cast<TCustomForm*>(instance);
    if (!FMainForm && form) {
        form->HandleNeeded();
        FMainForm = form;
    }
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == FMainForm) FMainForm = nullptr;
}

bool TApplication::IsKeyMsg(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    // The control with the focus (or the capture) sees the key first as a CN_ notification; a window that knows
    // nothing of them answers 0.
    HWND target = GetCapture();
    if (!target) target = msg.hwnd;
    if (!target) return false;
    if (SendMessageA(target, CN_BASE + msg.message, msg.wParam, msg.lParam) != 0) return true;
    // Then the dialog keyboard of the form around a toolkit control: Tab, arrows, Enter and Esc become dialog keys
    // and characters become accelerators, unless the control asks for them (WM_GETDLGCODE). A key taken here is
    // not translated, so no character follows it.
    TWinControl* control = FindControl(target);
    TCustomForm* form = GetParentForm(control);
    if (!form) return false;
    auto key = static_cast<WORD>(msg.wParam);
    switch (msg.message) {
    case WM_KEYDOWN: {
        // A container (a grid, a page control) may claim a key its focused child leaves alone.
        if (control->Perform(CM_CHILDKEY, key, reinterpret_cast<LPARAM>(control)) != 0) return true;
        LRESULT mask = 0;
        switch (key) {
        case VK_TAB: mask = DLGC_WANTTAB; break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
        default: return false;
        }
        if (control->Perform(CM_WANTSPECIALKEY, key, msg.lParam) != 0) return false;
        if (control->Perform(WM_GETDLGCODE, 0, 0) & mask) return false;
        return form->Perform(CM_DIALOGKEY, key, msg.lParam) != 0;
    }
    case WM_CHAR:
        if (control->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) return false;
        return form->Perform(CM_DIALOGCHAR, key, msg.lParam) != 0;
    case WM_SYSCHAR: return key != VK_SPACE && form->Perform(CM_DIALOGCHAR, key, msg.lParam) != 0;
    default: return false;
    }
}

namespace {

// True when the typed UTF-16 unit has a code page 936 form (a lone surrogate half never has).
bool FitsAnsiCodePage(WPARAM unit) {
    if (unit < 0x80) return true;
    auto wide = static_cast<WCHAR>(unit);
    char bytes[2];
    BOOL usedDefault = FALSE;
    int length =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, sizeof(bytes), nullptr, &usedDefault);
    return length > 0 && !usedDefault;
}

// A character that code page 936 cannot hold would reach an ANSI window as '?': it is refused with a beep instead,
// so an ANSI control never stores a character the user did not type.
bool RefuseUnrepresentableChar() {
    MSG next;
    if (!PeekMessageW(&next, nullptr, 0, 0, PM_NOREMOVE) || next.message != WM_CHAR || !next.hwnd) return false;
    if (IsWindowUnicode(next.hwnd) || FitsAnsiCodePage(next.wParam)) return false;
    PeekMessageW(&next, next.hwnd, WM_CHAR, WM_CHAR, PM_REMOVE);
    MessageBeep(MB_OK);
    return true;
}

}  // namespace

bool TApplication::ProcessMessage(MSG& msg) {
    if (RefuseUnrepresentableChar()) return true;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    // A modal form's loop hands each message to the message filter first, as a dialog box's loop does.
    if (FModalLevel > 0 && CallMsgFilterA(&msg, MSGF_DIALOGBOX)) return true;
    // A dialog key runs a button's click outside any window procedure: what it raises is shown here, as an
    // exception escaping a control's message method is, and the key counts as handled. Otherwise it would unwind
    // the loop that is running, and a modal loop would end as if its form had closed.
    bool handled;
    try {
        handled = IsKeyMsg(msg);
    } catch (...) {
        HandleException(this);
        handled = true;
    }
    if (!handled) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {}
}

void TApplication::Idle() {
    bool done = true;
    try {
        if (OnIdle) OnIdle(this, done);
    } catch (...) {
        HandleException(this);
    }
    if (done) WaitMessage();
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) Idle();
}

void TApplication::Run() {
    // A loop run again after an earlier one ended starts afresh.
    FTerminated = false;
    if (FMainForm && FShowMainForm) FMainForm->Show();
    do {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    } while (!FTerminated);
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleException(TObject* sender) {
    std::exception_ptr current = std::current_exception();
    if (!current) return;
    // A drag or a tracking loop holding the mouse must not outlive the error.
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    try {
        std::rethrow_exception(current);
    } catch (const EAbort&) {
    } catch (const std::exception& error) {
        if (OnException)
            OnException(sender, error);
        else
            ShowException(error);
    } catch (...) {
        ShowException(Exception("Unknown exception"));
    }
}

std::string TApplication::ExceptionText(const std::exception& error) {
    std::string text = error.what();
    if (!text.empty() && static_cast<unsigned char>(text[LastCharacterStart(text)]) > '.') text += '.';
    return text;
}

void TApplication::ShowException(const std::exception& error) {
    MessageBox(ExceptionText(error), Title(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND active = GetActiveWindow();
    HWND owner = active ? active : Handle();
    int result = MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
    if (active && IsWindow(active)) SetActiveWindow(active);
    return result;
}

void TApplication::Minimize() {
    HWND handle = Handle();
    if (!handle || IsIconic(handle)) return;
    ShowWindow(handle, SW_MINIMIZE);
    if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
    HWND handle = Handle();
    if (!handle || !IsIconic(handle)) return;
    ShowWindow(handle, SW_RESTORE);
    // The window only shows to be iconic; restored, it goes back to being hidden.
    ShowWindow(handle, SW_HIDE);
    if (FMainForm && FMainForm->HandleAllocated()) SetActiveWindow(FMainForm->Handle());
    if (OnRestore) OnRestore(this);
}
