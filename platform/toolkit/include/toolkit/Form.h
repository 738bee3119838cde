// TCustomForm and TForm: top-level windows owned by the application window, with closing (OnCloseQuery,
// OnClose), modal showing with ModalResult, placement, borders, activation and the dialog keyboard (Tab and
// arrows between controls, Enter and Esc to the default and cancel buttons, accelerators, KeyPreview).
#pragma once

#include <toolkit/BorderStyle.h>
#include <toolkit/ModalResult.h>
#include <toolkit/WinControl.h>

#include <string>

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateFlag { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateFlag>;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TCustomForm : public TWinControl {
    TOOLKIT_CLASS(TCustomForm, TWinControl)

public:
    // A hidden form without a description (the toolkit's CreateNew). A form class with a description reads it
    // in its own constructor with InitInheritedComponent.
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Shows the form and runs messages until ModalResult is set (a button, Close, WM_CLOSE, code), then hides it
    // and answers the result. The application's other windows are disabled meanwhile. Raises EInvalidOperation
    // "Cannot make a visible window modal" for a form already showing.
    virtual int ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    // Asks OnCloseQuery, then OnClose with caHide (caFree for the main form's Release; caNone keeps it); the main
    // form's close ends the application. Inside ShowModal it only sets ModalResult to mrCancel. An exception from
    // a handler leaves the form as it was and propagates.
    void Close();
    virtual bool CloseQuery();
    // Destroys the form once the messages before a posted CM_RELEASE are handled.
    void Release();

    TFormState FormState() const { return FFormState; }
    bool Active() const { return FActive; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    // Focuses control when the form is active, else remembers it for the next activation.
    void SetActiveControl(TWinControl* control);
    // Moves the focus to the next (or previous) focusable control after current in Tab order, wrapping around.
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons value);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState value);
    TFormStyle FormStyle() const { return FFormStyle; }
    // fsMDIForm and fsMDIChild have no MDI client here and are refused (EInvalidOperation).
    void SetFormStyle(TFormStyle value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value);
    // MDI queries: a form is never an MDI frame, so there is no client window and no child.
    HWND ClientHandle() const { return nullptr; }
    int MDIChildCount() const { return 0; }
    TCustomForm* ActiveMDIChild() const { return nullptr; }

    // Where the form is before positioning; the description stores these.
    void SetFocus() override;
    bool CanFocus() override { return Visible() && Enabled(); }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // The client area's size: while the form is being read the values wait for Loaded, so that the frame they are
    // measured against is the one the whole description gives (BorderStyle may come after them).
    void SetClientWidth(int value);
    void SetClientHeight(int value);

protected:
    void Loaded() override;
    // Reads the description embedded under name into this form (its class must be complete: call it from the
    // most derived constructor), then runs OnCreate.
    void InitInheritedComponent(const std::string& name);
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    // The wheel turns what has the focus, wherever the mouse is, as on Windows.
    void MouseWheelHandler(TMessage& message) override;
    bool IsShowingRoot() const override { return true; }
    bool SetFocusedControl(TWinControl* control) override;
    void DefocusControl(TWinControl* control, bool removing) override;
    bool PreviewKeyMessage(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void DoClose(TCloseAction& action);
    virtual void DoShow();
    virtual void DoHide();
    virtual void Activate();
    virtual void Deactivate();

private:
    void CloseModal();
    void ShowingChanged();
    void PlaceWindow();
    void SetActive(bool value);
    void FocusActiveControl();
    void DialogKey(TMessage& message);
    void DialogChar(TMessage& message);
    // Sizes the window so that its client area is width × height; -1 keeps that side's client size.
    void FitClientSize(int width, int height);

    TModalResult FModalResult = mrNone;
    TFormState FFormState;
    bool FActive = false;
    bool FKeyPreview = false;
    TWinControl* FActiveControl = nullptr;  // a descendant, not owned
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TWindowState FWindowState = wsNormal;
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    bool FPlaced = false;
    int FPendingClientWidth = -1;
    int FPendingClientHeight = -1;
};

class TForm : public TCustomForm {
    TOOLKIT_CLASS(TForm, TCustomForm)

public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

// The form at the top of control's parent chain, or nullptr.
TCustomForm* GetParentForm(TControl* control);
// True when caption marks key's character with '&' ("&OK" for 'o' or 'O'); "&&" is a plain ampersand.
bool IsAccel(WORD key, const std::string& caption);
