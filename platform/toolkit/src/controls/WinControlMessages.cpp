// TWinControl's message methods: routing mouse messages to window-less children, the mouse-enter/leave tracking,
// cursors, reflection of child notifications, keys, and the default window procedure.
#include <toolkit/WinControl.h>

#include "ControlsInternal.h"

namespace {

TControl* GMouseControl = nullptr;

LPCSTR CursorResource(TCursor cursor) {
    switch (cursor) {
    case crArrow: return IDC_ARROW;
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNS: return IDC_SIZENS;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeWE: return IDC_SIZEWE;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass: return IDC_WAIT;
    case crNo: return IDC_NO;
    case crAppStart: return IDC_APPSTARTING;
    case crHelp: return IDC_HELP;
    case crHandPoint: return IDC_HAND;
    case crSizeAll: return IDC_SIZEALL;
    default: return IDC_ARROW;
    }
}

}  // namespace

void ForgetMouseControl(const TControl* control) {
    if (GMouseControl == control) GMouseControl = nullptr;
}

void CheckMouseControl() {
    POINT cursor{};
    GetCursorPos(&cursor);
    TControl* target = nullptr;
    HWND window = WindowFromPoint(cursor);
    if (TWinControl* windowed = FindControl(window)) {
        POINT client = cursor;
        ScreenToClient(window, &client);
        target = windowed->ControlAtPos(client, false);
        if (!target) target = windowed;
    }
    if (target == GMouseControl) return;
    // While a control holds the mouse, only it hears that the mouse came or went.
    TControl* captured = TControl::CaptureControl();
    TControl* old = GMouseControl;
    GMouseControl = target;
    if (old && (!captured || old == captured)) old->Perform(CM_MOUSELEAVE);
    // The leave handler may have destroyed the new target; GMouseControl is cleared when that happens.
    if (GMouseControl && GMouseControl == target && (!captured || target == captured)) target->Perform(CM_MOUSEENTER);
}

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS: {
        TWinControl* root = TopLevelControl();
        if (!root->SetFocusedControl(this)) return;
        break;
    }
    case WM_KILLFOCUS:
        if (ControlState().Contains(csFocusing)) return;
        break;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
        // Told when the pointer leaves this window, so that the control it was over hears CM_MOUSELEAVE even when
        // the pointer goes to no window of ours.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | (message.Msg == WM_NCMOUSEMOVE ? TME_NONCLIENT : 0u), Handle(),
                              0};
        TrackMouseEvent(&track);
        CheckMouseControl();
        break;
    }
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE: CheckMouseControl(); break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        if (TopLevelControl()->PreviewKeyMessage(message)) return;
        break;
    default: break;
    }
    if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST && IsControlMouseMsg(message)) {
        // A window-less child took it; the window itself still gets the default processing when it did not answer.
        if (message.Result == 0 && FHandle)
            message.Result = DefWindowProcA(FHandle, message.Msg, message.WParam, message.LParam);
        return;
    }
    inherited::WndProc(message);
}

bool TWinControl::IsControlMouseMsg(TMessage& message) {
    TControl* control = nullptr;
    if (FHandle && GetCapture() == FHandle) {
        TControl* captured = CaptureControl();
        if (captured && captured->Parent() == this) control = captured;
    } else {
        control = ControlAtPos(message.Pos(), false);
    }
    if (!control) return false;
    POINT pos = message.Pos();
    message.Result =
        control->Perform(message.Msg, message.WParam, MAKELPARAM(pos.x - control->Left(), pos.y - control->Top()));
    return true;
}

bool TWinControl::SetCursorFromControl(TMessage& message) {
    if (reinterpret_cast<HWND>(message.WParam) != FHandle || static_cast<short>(LOWORD(message.LParam)) != HTCLIENT)
        return false;
    POINT cursor{};
    GetCursorPos(&cursor);
    ::ScreenToClient(FHandle, &cursor);
    TCursor shape = crDefault;
    if (TControl* child = ControlAtPos(cursor, false)) shape = child->Cursor();
    if (shape == crDefault) shape = Cursor();
    if (shape == crDefault) return false;
    ::SetCursor(shape == crNone ? nullptr : LoadCursorA(nullptr, CursorResource(shape)));
    message.Result = TRUE;
    return true;
}

bool TWinControl::ReflectToChild(HWND child, TMessage& message) {
    TWinControl* control = FindControl(child);
    if (!control || control == this) return false;
    message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    return true;
}

void TWinControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_SETTEXT:
        if (FHandle)
            DefaultHandler(message);
        else
            inherited::Dispatch(message);
        return;
    case WM_NCDESTROY:
        DefaultHandler(message);
        if (FHandle && FindControl(FHandle) == this) ForgetControlWindow(FHandle);
        FHandle = nullptr;
        FShowing = false;
        return;
    case WM_WINDOWPOSCHANGING: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(message.LParam);
        if (pos && !(pos->flags & SWP_NOSIZE) && !ComponentState().Contains(csReading) &&
            !ComponentState().Contains(csDestroying)) {
            int width = pos->cx, height = pos->cy;
            CheckNewSize(width, height);
            pos->cx = width;
            pos->cy = height;
        }
        DefaultHandler(message);
        return;
    }
    case WM_WINDOWPOSCHANGED:
        if (FHandle) UpdateBounds();
        DefaultHandler(message);
        return;
    case WM_SIZE:
        if (FHandle) UpdateBounds();
        DefaultHandler(message);
        Realign();
        if (!ComponentState().Contains(csLoading)) Resize();
        return;
    case WM_MOVE:
        DefaultHandler(message);
        if (FHandle) UpdateBounds();
        return;
    case WM_PAINT:
        if (FDoubleBuffered && message.WParam == 0) {
            PaintBuffered(message);
        } else if (!ControlState().Contains(csCustomPaint) && ControlCount() == 0) {
            DefaultHandler(message);
        } else {
            PaintHandler(message);
        }
        return;
    case WM_ERASEBKGND: {
        RECT client = ClientRect();
        FillRect(reinterpret_cast<HDC>(message.WParam), &client, FBrush->Handle());
        message.Result = 1;
        return;
    }
    case WM_SETCURSOR:
        if (!SetCursorFromControl(message)) DefaultHandler(message);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!DoKeyDown(message)) DefaultHandler(message);
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (!DoKeyUp(message)) DefaultHandler(message);
        return;
    case WM_CHAR:
        if (!DoKeyPress(message)) DefaultHandler(message);
        return;
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        if (!message.LParam || !ReflectToChild(reinterpret_cast<HWND>(message.LParam), message))
            DefaultHandler(message);
        return;
    case CM_SHOWINGCHANGED:
        SetWindowPos(
            FHandle, nullptr, 0, 0, 0, 0,
            SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        return;
    case CM_VISIBLECHANGED:
        if (!Visible() && FParent) RemoveFocus(false);
        UpdateControlState();
        return;
    case CM_ENABLEDCHANGED:
        if (!Enabled() && FParent) RemoveFocus(false);
        if (FHandle) EnableWindow(FHandle, Enabled() ? TRUE : FALSE);
        Invalidate();
        return;
    case CM_COLORCHANGED:
        inherited::Dispatch(message);
        FBrush->SetColor(Color());
        NotifyControls(CM_PARENTCOLORCHANGED);
        return;
    case CM_FONTCHANGED:
        inherited::Dispatch(message);
        if (FHandle) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
        NotifyControls(CM_PARENTFONTCHANGED);
        return;
    case CM_SHOWHINTCHANGED: NotifyControls(CM_PARENTSHOWHINTCHANGED); return;
    case CM_RECREATEWND: {
        bool wasFocused = Focused();
        DestroyHandle();
        UpdateControlState();
        if (wasFocused && FHandle) ::SetFocus(FHandle);
        return;
    }
    case CM_CHILDKEY:
        // Passed outwards until a container takes it; the form is the last to see it.
        if (FParent) message.Result = FParent->Perform(CM_CHILDKEY, message.WParam, message.LParam);
        return;
    case CM_FOCUSCHANGED:
        // Every control of the form learns where the focus went (a default button redraws its frame).
        Broadcast(message);
        return;
    case CM_ENTER: DoEnter(); return;
    case CM_EXIT: DoExit(); return;
    default: inherited::Dispatch(message);
    }
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (!FHandle) return;
    message.Result = CallWindowProcA(FDefWndProc ? FDefWndProc : DefWindowProcA, FHandle, message.Msg, message.WParam,
                                     message.LParam);
}

// --- keys ---

bool TWinControl::DoKeyDown(TMessage& message) {
    if (ControlStyle().Contains(csNoStdEvents)) return false;
    WORD key = static_cast<WORD>(message.WParam);
    KeyDown(key, KeyboardShiftState());
    message.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& message) {
    if (ControlStyle().Contains(csNoStdEvents)) return false;
    WORD key = static_cast<WORD>(message.WParam);
    KeyUp(key, KeyboardShiftState());
    message.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyPress(TMessage& message) {
    if (ControlStyle().Contains(csNoStdEvents)) return false;
    char key = static_cast<char>(message.WParam);
    KeyPress(key);
    message.WParam = static_cast<unsigned char>(key);
    return key == 0;
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}
