// TControl: the base of every visual component, windowed or not: parent, bounds, alignment, visibility, colour,
// font, text, mouse handling and the message path Perform → WindowProc → WndProc → Dispatch → DefaultHandler.
#pragma once

#include <toolkit/Component.h>
#include <toolkit/Font.h>
#include <toolkit/Graphics.h>
#include <toolkit/Messages.h>
#include <toolkit/Set.h>
#include <toolkit/SizeConstraints.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

// The anchors each alignment gives a control.
extern const TAnchors AnchorAlign[alCustom + 1];

enum TControlStyleFlag {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground
};
using TControlStyle = TSet<TControlStyleFlag>;

enum TControlStateFlag {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking
};
using TControlState = TSet<TControlStateFlag>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

// Standard cursors by the toolkit's numbers; crDefault leaves the choice to the window class.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
// wheelDelta is in WHEEL_DELTA units (120 per notch, positive away from the user); mousePos is on the screen.
using TMouseWheelEvent =
    std::function<void(TObject* sender, TShiftState shift, int wheelDelta, POINT mousePos, bool& handled)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;

// Mouse and key messages' modifier flags as a shift state (MK_* in wParam, plus the Alt key's state).
TShiftState ShiftStateFromKeys(WPARAM keys);
// The shift state of the keyboard right now.
TShiftState KeyboardShiftState();

// "Control '%s' has no parent window" and other misuse of controls.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

class TWinControl;

class TControl : public TComponent {
    TOOLKIT_CLASS(TControl, TComponent)

public:
    using TWndMethod = std::function<void(TMessage& message)>;

    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    // Every move and resize of a control ends here: constraints first, then the new bounds, then the parent's
    // alignment and OnResize.
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
    // The client area in the control's own coordinates; a window-less control's is its whole size.
    virtual RECT ClientRect();
    int ClientWidth() { return ClientRect().right; }
    int ClientHeight() { return ClientRect().bottom; }
    void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
    void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }
    // The screen position of the client area's top-left corner.
    virtual POINT ClientOrigin();
    POINT ClientToScreen(POINT point);
    POINT ScreenToClient(POINT point);

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value);
    TSizeConstraints* Constraints() const { return FConstraints.get(); }
    void SetConstraints(const TSizeConstraints& value) { FConstraints->Assign(&value); }

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    void Show();
    void Hide() { SetVisible(false); }
    bool Enabled() const { return GetEnabled(); }
    virtual bool GetEnabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont& value) { FFont->Assign(value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    // ANSI (code page 936) text; a change sends CM_TEXTCHANGED. Windowed controls keep it in their window.
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value) { SetText(value); }
    std::string Text() const { return GetText(); }
    virtual std::string GetText() const;
    virtual void SetText(const std::string& value);

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState value) { FControlState = value; }

    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool value);

    // Invalidate asks for a paint later; Update paints what is invalid now; Repaint does both at once.
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // Sends a message straight to WindowProc (not through the window procedure of a windowed control).
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The method messages enter through; replacing it lets another object see the control's messages first
    // (call the saved one to pass them on).
    const TWndMethod& WindowProc() const { return FWindowProc; }
    void SetWindowProc(TWndMethod value);
    // The message methods: the switch on the message number. Unhandled messages go to DefaultHandler.
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    virtual void Click();

    // The control that holds the mouse: a window-less one captured through its parent, or the toolkit control
    // whose window has the capture; nullptr otherwise.
    static TControl* CaptureControl();

    // The reader nests controls in their parents.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* value) override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnResize;

protected:
    friend class TWinControl;

    void Loaded() override;
    // The message method chain's entry: mouse bookkeeping, then Dispatch.
    virtual void WndProc(TMessage& message);
    // Answers whether the control may take the new size, after constraints.
    virtual bool CanResize(int& newWidth, int& newHeight);
    virtual bool CanAutoSize(int& newWidth, int& newHeight);
    virtual void ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight);
    void DoConstrainedResize(int& newWidth, int& newHeight);
    virtual void AdjustSize();
    virtual void SetClientSize(int width, int height);
    virtual void Resize();
    virtual void RequestAlign();
    // Invalidates the control's rectangle in its parent.
    void InvalidateControl(bool isVisible, bool isOpaque);
    virtual void VisibleChanging() {}
    virtual void FontChanged();
    void UpdateAnchorRules();

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DblClick();
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The wheel turned over this control (or it has the focus): true when it was used. The default asks
    // OnMouseWheel.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos);
    // Where WM_MOUSEWHEEL goes first: the form's focused control, as CM_MOUSEWHEEL, which climbs the parents
    // until one uses it.
    virtual void MouseWheelHandler(TMessage& message);

    // Captures the mouse for this control (through its parent's window for a window-less one); nullptr releases.
    static void SetCaptureControl(TControl* control);
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

private:
    void HandleMouseButton(TMessage& message, TMouseButton button, bool down, bool doubleClick);
    void CheckNewSize(int& newWidth, int& newHeight);
    void ConstraintsChanged();
    void ApplyParentFont(TFont* parentFont);

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    POINT FAnchorRules{0, 0};
    POINT FOriginalParentSize{0, 0};
    bool FAnchorMove = false;
    std::unique_ptr<TSizeConstraints> FConstraints;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    std::string FText;
    TCursor FCursor = crDefault;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TControlStyle FControlStyle;
    TControlState FControlState;
    bool FAutoSize = false;
    TWndMethod FWindowProc;
};
