// TCustomForm: window styles from BorderStyle/BorderIcons, showing and placement, activation and the active
// control, closing, Release, and the published properties of forms.
#include <toolkit/Form.h>

#include <toolkit/Application.h>
#include <toolkit/DescriptionResources.h>
#include <toolkit/PropertyRegistry.h>
#include <toolkit/Screen.h>

#include <vector>

namespace {

const auto publishedCustomForm =
    Publish<TCustomForm>()
        .Enumeration("BorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
                     &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, bsSizeable)
        .Set<TBorderIcon>("BorderIcons", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"},
                          &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
                          TBorderIcons{biSystemMenu, biMinimize, biMaximize})
        .Enumeration("WindowState", {"wsNormal", "wsMinimized", "wsMaximized"}, &TCustomForm::WindowState,
                     &TCustomForm::SetWindowState, wsNormal)
        .Enumeration("FormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}, &TCustomForm::FormStyle,
                     &TCustomForm::SetFormStyle, fsNormal)
        .Enumeration("Position",
                     {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                      "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"},
                     &TCustomForm::Position, &TCustomForm::SetPosition, poDesigned)
        // A form's description gives its client size; the frame around it is the window manager's business.
        .Integer("ClientWidth", &TControl::ClientWidth, &TCustomForm::SetClientWidth)
        .Integer("ClientHeight", &TControl::ClientHeight, &TCustomForm::SetClientHeight)
        .Boolean("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
        .Component("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
        .Event("OnCreate", &TCustomForm::OnCreate)
        .Event("OnDestroy", &TCustomForm::OnDestroy)
        .Event("OnShow", &TCustomForm::OnShow)
        .Event("OnHide", &TCustomForm::OnHide)
        .Event("OnActivate", &TCustomForm::OnActivate)
        .Event("OnDeactivate", &TCustomForm::OnDeactivate)
        .Event("OnClose", &TCustomForm::OnClose)
        .Event("OnCloseQuery", &TCustomForm::OnCloseQuery);

const auto publishedForm = Publish<TForm>();

}  // namespace

TCustomForm* GetParentForm(TControl* control) {
    if (!control) return nullptr;
    while (control->Parent()) control = control->Parent();
    return dynamic_cast<TCustomForm*>(control);
}

bool IsAccel(WORD key, const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        auto byte = static_cast<unsigned char>(caption[i]);
        if (byte >= 0x81 && byte <= 0xFE) {
            ++i;  // the trail byte of a GBK character is never an '&'
            continue;
        }
        if (caption[i] != '&') continue;
        char next = caption[i + 1];
        if (next == '&') {
            ++i;
            continue;
        }
        auto upper = [](int c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; };
        return upper(static_cast<unsigned char>(next)) == upper(key);
    }
    return false;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csSetCaption, csDoubleClicks});
    SetParentColor(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    Destroying();
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            Application->HandleException(this);
        }
    }
    Screen->RemoveForm(this);
    // The children go while the form is still a form: their focus bookkeeping calls back into it.
    DestroyComponents();
}

void TCustomForm::MouseWheelHandler(TMessage& message) {
    if (FActiveControl)
        message.Result = FActiveControl->Perform(CM_MOUSEWHEEL, message.WParam, message.LParam);
    else
        inherited::MouseWheelHandler(message);
}

void TCustomForm::InitInheritedComponent(const std::string& name) {
    FFormState.Include(fsCreating);
    try {
        ReadDescriptionResource(this, name);
    } catch (...) {
        FFormState.Exclude(fsCreating);
        throw;
    }
    FFormState.Exclude(fsCreating);
    if (OnCreate) OnCreate(this);
}

void TCustomForm::SetClientWidth(int value) {
    if (ComponentState().Contains(csLoading))
        FPendingClientWidth = value;
    else
        FitClientSize(value, -1);
}

void TCustomForm::SetClientHeight(int value) {
    if (ComponentState().Contains(csLoading))
        FPendingClientHeight = value;
    else
        FitClientSize(-1, value);
}

void TCustomForm::FitClientSize(int width, int height) {
    // The frame around the client area: the window's own once it exists, else what its styles will give it.
    RECT frame{0, 0, 0, 0};
    if (HandleAllocated()) {
        RECT client = ClientRect();
        frame = RECT{0, 0, Width() - client.right, Height() - client.bottom};
    } else {
        TCreateParams params;
        CreateParams(params);
        AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
    }
    int frameWidth = frame.right - frame.left;
    int frameHeight = frame.bottom - frame.top;
    if (width < 0) width = Width() - frameWidth;
    if (height < 0) height = Height() - frameHeight;
    SetBounds(Left(), Top(), width + frameWidth, height + frameHeight);
}

void TCustomForm::Loaded() {
    inherited::Loaded();
    if (FPendingClientWidth >= 0 || FPendingClientHeight >= 0) FitClientSize(FPendingClientWidth, FPendingClientHeight);
    FPendingClientWidth = FPendingClientHeight = -1;
}

void TCustomForm::CreateParams(TCreateParams& params) {
    inherited::CreateParams(params);
    params.Style &= ~(WS_CHILD | WS_TABSTOP);
    params.ExStyle &= ~WS_EX_CONTROLPARENT;
    params.Style |= WS_CLIPCHILDREN;
    params.WndParent = Application->Handle();
    params.WindowClass.style = CS_DBLCLKS;
    switch (FBorderStyle) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION;
        params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) params.ExStyle |= WS_EX_TOOLWINDOW;
    if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
        params.Style |= WS_SYSMENU;
        if (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin) {
            if (FBorderIcons.Contains(biMinimize)) params.Style |= WS_MINIMIZEBOX;
            if (FBorderIcons.Contains(biMaximize)) params.Style |= WS_MAXIMIZEBOX;
        }
        if (FBorderStyle == bsDialog && FBorderIcons.Contains(biHelp)) params.ExStyle |= WS_EX_CONTEXTHELP;
    }
    if (FFormStyle == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    if (value == FBorderIcons) return;
    FBorderIcons = value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle value) {
    if (value == FFormStyle) return;
    if (value == fsMDIChild || value == fsMDIForm) throw EInvalidOperation("MDI forms are not supported");
    FFormStyle = value;
    if (HandleAllocated())
        SetWindowPos(Handle(), value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetPosition(TPosition value) {
    if (value == FPosition) return;
    FPosition = value;
    FPlaced = false;
}

void TCustomForm::SetWindowState(TWindowState value) {
    if (value == FWindowState) return;
    FWindowState = value;
    if (HandleAllocated() && Showing()) {
        static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
        ShowWindow(Handle(), commands[value]);
    }
}

void TCustomForm::PlaceWindow() {
    if (FPlaced) return;
    FPlaced = true;
    RECT area{};
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter: area = Screen->WorkAreaRect(); break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* center =
            FPosition == poMainFormCenter ? Application->MainForm() : dynamic_cast<TCustomForm*>(Owner());
        if (!center || center == this) center = nullptr;
        area = center ? center->BoundsRect() : Screen->WorkAreaRect();
        break;
    }
    default: return;
    }
    SetBounds(area.left + (area.right - area.left - Width()) / 2, area.top + (area.bottom - area.top - Height()) / 2,
              Width(), Height());
}

void TCustomForm::ShowingChanged() {
    HWND handle = Handle();
    if (Showing()) {
        DoShow();
        PlaceWindow();
        static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
        ShowWindow(handle, commands[FWindowState]);
        FFormState.Include(fsVisible);
    } else {
        FFormState.Exclude(fsVisible);
        DoHide();
        ShowWindow(handle, SW_HIDE);
    }
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::SetActive(bool value) {
    if (value == FActive) return;
    FActive = value;
    if (value) {
        FFormState.Include(fsActivated);
        Activate();
    } else {
        Deactivate();
    }
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == FActiveControl) return;
    if (control && (control == this || GetParentForm(control) != this))
        throw EInvalidOperation("Invalid control for the form's ActiveControl");
    if (control && !ComponentState().Contains(csLoading) && FActive && control->CanFocus()) {
        control->SetFocus();
        return;
    }
    FActiveControl = control;
    if (control) control->FreeNotification(this);
}

void TCustomForm::FocusActiveControl() {
    if (!HandleAllocated()) return;
    TWinControl* control = FActiveControl;
    if (!control || !control->CanFocus()) control = FindNextControl(nullptr, true, true, false);
    if (control && control->CanFocus())
        ::SetFocus(control->Handle());
    else
        ::SetFocus(Handle());
}

void TCustomForm::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    SetActiveWindow(Handle());
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    bool completed = inherited::SetFocusedControl(control);
    if (completed && control != this) {
        FActiveControl = control;
        control->FreeNotification(this);
    }
    return completed;
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (FActiveControl && control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
    inherited::DefocusControl(control, removing);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == FActiveControl) FActiveControl = nullptr;
}

void TCustomForm::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    TWinControl* next = FindNextControl(current, goForward, checkTabStop, false);
    if (next) next->SetFocus();
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
    if (FFormState.Contains(fsModal)) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    default: Release(); break;
    }
}

void TCustomForm::CloseModal() {
    try {
        TCloseAction action = caNone;
        if (CloseQuery()) {
            action = caHide;
            DoClose(action);
        }
        if (action == caNone)
            FModalResult = mrNone;
        else if (action == caFree)
            Release();
    } catch (...) {
        FModalResult = mrNone;
        Application->HandleException(this);
    }
}

void TCustomForm::Release() { PostMessageA(Handle(), CM_RELEASE, 0, 0); }

namespace {

// The application's enabled, visible top-level windows other than the modal form, disabled for its loop.
struct TDisabledWindows {
    HWND Keep;
    std::vector<HWND> Windows;
};

BOOL DisableWindow(HWND hwnd, LPARAM lParam) {
    auto* list = reinterpret_cast<TDisabledWindows*>(lParam);
    if (hwnd != list->Keep && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        list->Windows.push_back(hwnd);
        EnableWindow(hwnd, FALSE);
    }
    return TRUE;
}

}  // namespace

int TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || FFormState.Contains(fsModal) || FFormStyle == fsMDIChild)
        throw EInvalidOperation("Cannot make a visible window modal");
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    FFormState.Include(fsModal);
    HWND activeWindow = GetActiveWindow();
    Application->ModalStarted();
    TDisabledWindows disabled{Handle(), {}};
    EnumWindows(&DisableWindow, reinterpret_cast<LPARAM>(&disabled));
    int result = mrNone;
    try {
        FModalResult = mrNone;
        Show();
        SetActiveWindow(Handle());
        // WM_QUIT arriving meanwhile cancels the dialog; an application that ended an earlier Run does not.
        bool terminatedBefore = Application->Terminated();
        for (;;) {
            if (Application->Terminated() && !terminatedBefore)
                FModalResult = mrCancel;
            else if (FModalResult != mrNone)
                CloseModal();
            if (FModalResult != mrNone) break;
            Application->HandleMessage();
        }
        result = FModalResult;
        if (GetActiveWindow() != Handle()) activeWindow = nullptr;
    } catch (...) {
        for (HWND hwnd : disabled.Windows) EnableWindow(hwnd, TRUE);
        FFormState.Exclude(fsModal);
        Application->ModalFinished();
        if (Visible()) Hide();
        throw;
    }
    // The others come back before the form hides, so activation can pass to one of them.
    for (HWND hwnd : disabled.Windows)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    Hide();
    if (activeWindow && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
    FFormState.Exclude(fsModal);
    Application->ModalFinished();
    return result;
}

void TCustomForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_ACTIVATE:
        SetActive(LOWORD(message.WParam) != WA_INACTIVE);
        if (FActive && !HIWORD(message.WParam)) FocusActiveControl();
        message.Result = 0;
        return;
    case WM_CLOSE:
        Close();
        message.Result = 0;
        return;
    case WM_SYSCOMMAND:
        // A form closes through Close (so OnCloseQuery and OnClose run), whatever asks for it.
        if ((message.WParam & 0xFFF0) == SC_CLOSE) {
            Close();
            message.Result = 0;
            return;
        }
        break;
    default: break;
    }
    inherited::WndProc(message);
}

void TCustomForm::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_SHOWINGCHANGED: ShowingChanged(); return;
    case CM_RELEASE: delete this; return;
    case CM_DIALOGKEY: DialogKey(message); return;
    case CM_DIALOGCHAR: DialogChar(message); return;
    case WM_SETCURSOR:
        if (Screen->Cursor() != 0 && LOWORD(message.LParam) == HTCLIENT) {
            ::SetCursor(Screen->Cursors(Screen->Cursor()));
            message.Result = TRUE;
            return;
        }
        break;
    default: break;
    }
    inherited::Dispatch(message);
}
