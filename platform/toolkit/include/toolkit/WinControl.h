// TWinControl: a control with a window of its own, made on demand from CreateParams, that holds child controls,
// aligns them, paints the window-less ones and takes the keyboard focus.
#pragma once

#include <toolkit/Brush.h>
#include <toolkit/Control.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// What CreateWnd passes to RegisterClassA and CreateWindowExA.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    LPVOID Param = nullptr;
    // lpfnWndProc is the procedure unhandled messages go to (DefWindowProcA, or a system class's procedure after
    // CreateSubClass); the registered class routes every message to the control instead. lpszClassName is
    // ignored: WinClassName names the class.
    WNDCLASSEXA WindowClass{};
    std::string WinClassName;
};

using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

class TWinControl : public TControl {
    TOOLKIT_CLASS(TWinControl, TControl)

public:
    explicit TWinControl(TComponent* owner);
    // Destroys the child controls, then the window.
    ~TWinControl() override;

    // Makes the window (and its parents' windows) when there is none yet.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();
    // The window of a control without a Parent: what it is created inside (a foreign window, for instance).
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND value);

    // Window-less children first, then windowed ones, each group in z-order from the bottom.
    int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(const TControl* control) const;
    // The topmost visible child (enabled, unless allowDisabled) at pos in client coordinates.
    TControl* ControlAtPos(POINT pos, bool allowDisabled, bool allowWinControls = false);
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Sends the message to every child until one answers non-zero.
    void Broadcast(TMessage& message);
    void NotifyControls(UINT msg);

    TBrush* Brush() const { return FBrush.get(); }
    bool Showing() const { return FShowing; }
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }

    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    // The place among the parent's windowed children in Tab order; -1 when there is no parent.
    int TabOrder() const;
    void SetTabOrder(int value);
    // This control's focusable descendants (and their own) in Tab order.
    void GetTabOrderList(std::vector<TWinControl*>& list);

    // Visible and enabled up to the top-level control.
    virtual bool CanFocus();
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window" when CanFocus is false.
    virtual void SetFocus();
    virtual bool Focused();

    void DisableAlign();
    void EnableAlign();
    bool AlignDisabled() const { return FAlignLevel != 0; }
    void Realign();
    // Paints the visible window-less children that intersect the DC's clip area into dc, each with the origin on
    // its top-left corner and clipped to its bounds, bottom first; with first given, painting starts at first.
    void PaintControls(HDC dc, TControl* first);
    // Destroys the window and makes it again with the current CreateParams.
    void RecreateWnd();

    std::string GetText() const override;
    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() override;
    POINT ClientOrigin() override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    void Dispatch(TMessage& message) override;
    // Passes the message to the window class's own procedure, or does nothing without a window.
    void DefaultHandler(TMessage& message) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

protected:
    void Loaded() override;
    void WndProc(TMessage& message) override;

    virtual void CreateParams(TCreateParams& params);
    // Bases the window class on a registered one (a system control): its procedure becomes the default one.
    void CreateSubClass(TCreateParams& params, const char* controlClassName);
    void CreateHandle();
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    void DestroyHandle();
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    // Whether a control without a Parent shows by itself (forms) rather than only through ParentWindow.
    virtual bool IsShowingRoot() const { return FParentWindow != nullptr; }
    void UpdateControlState();
    void UpdateShowing();
    // Reads the window's rectangle back into Left/Top/Width/Height.
    void UpdateBounds();

    // Shrinks rect to the part of the client area children are aligned in.
    virtual void AdjustClientRect(RECT& rect);
    virtual void AlignControls(TControl* control, RECT& rect);
    void AlignControl(TControl* control);
    // Painting: PaintWindow draws the window itself (the default procedure's WM_PAINT unless overridden);
    // PaintHandler adds the window-less children.
    virtual void PaintWindow(HDC dc);
    void PaintHandler(TMessage& message);

    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // The control at the top of this control's parent chain (this control when it has none); it keeps the
    // focused control and sends CM_EXIT / CM_ENTER along the chains when the focus moves inside it.
    TWinControl* TopLevelControl();
    // Called on the top-level control: give control the focus (the base calls SetFocus on its window).
    virtual void FocusControl(TWinControl* control);
    // Called on the top-level control when control's window receives the focus: CM_EXIT up the old chain, CM_ENTER
    // down the new one, then CM_FOCUSCHANGED (lParam = control) to itself. False when a handler moved the focus
    // elsewhere meanwhile.
    virtual bool SetFocusedControl(TWinControl* control);
    // Called on the top-level control when control is hidden, disabled or removed while it or a child of it has
    // the focus.
    virtual void DefocusControl(TWinControl* control, bool removing);
    TWinControl* FocusedControl() const { return FFocusedControl; }
    // Called on the top-level control before a key message reaches the control with the focus; true when it was
    // handled there (a form's KeyPreview).
    virtual bool PreviewKeyMessage(TMessage& message) {
        (void)message;
        return false;
    }
    // The next control in Tab order after current (or before it), among this control's descendants.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
    void SelectFirst();

private:
    friend class TControl;
    friend LRESULT ToolkitWindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    void Insert(TControl* control);
    void Remove(TControl* control);
    void RemoveFocus(bool removing);
    void DoAlign(TControl* control, TAlign align, RECT& rect);
    void AlignPosition(TControl* control, TAlign align, RECT& rect);
    bool IsControlMouseMsg(TMessage& message);
    void PaintBuffered(TMessage& message);
    bool DoKeyDown(TMessage& message);
    bool DoKeyUp(TMessage& message);
    bool DoKeyPress(TMessage& message);
    bool ReflectToChild(HWND child, TMessage& message);
    bool SetCursorFromControl(TMessage& message);
    void MoveInZOrder(TControl* control, bool toFront);
    HWND PrecedingWindow(TWinControl* control) const;
    void ListTabOrder(std::vector<TWinControl*>& list);

    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    WNDPROC FDefWndProc = nullptr;
    std::vector<TControl*> FControls;        // window-less children, not owned
    std::vector<TWinControl*> FWinControls;  // windowed children, not owned
    std::vector<TWinControl*> FTabList;      // windowed children in Tab order
    std::unique_ptr<TBrush> FBrush;
    bool FShowing = false;
    bool FDoubleBuffered = false;
    bool FTabStop = false;
    int FAlignLevel = 0;
    TWinControl* FFocusedControl = nullptr;  // kept by the top-level control
    int FFocusCount = 0;                     // bumped on every focus change the top-level control sees
};

// The control that owns a window made by the toolkit, or nullptr.
TWinControl* FindControl(HWND handle);
// Where an exception escaping a message method goes: the application installs its HandleException; without one
// the message is written to standard error. Exceptions never unwind through the window manager.
using TExceptionHandler = std::function<void(TObject* sender)>;
void SetControlExceptionHandler(TExceptionHandler handler);
// Sends CM_MOUSELEAVE to the control the mouse was over and CM_MOUSEENTER to the one it is over now, if they
// differ. Mouse moves call it; an idle loop may call it too so that leaving for a foreign window is noticed.
void CheckMouseControl();
