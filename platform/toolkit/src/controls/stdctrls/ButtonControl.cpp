// TButtonControl: the press state machine of the check boxes, in the order the BUTTON class keeps: focus on the
// press, capture while held, activation only on a release inside.
#include <toolkit/ButtonControl.h>
#include <toolkit/PropertyRegistry.h>

#include "ControlText.h"

namespace {

[[maybe_unused]] const auto published = Publish<TButtonControl>();

}  // namespace

TButtonControl::TButtonControl(TComponent* owner) : TCustomControl(owner) {
    // Clicks come from Activate, not from the generic press-and-release of TControl; a double click is just a
    // second press, as on a button without BS_NOTIFY.
    SetControlStyle(TControlStyle{csCaptureMouse, csSetCaption, csOpaque, csReplicatable});
    SetTabStop(true);
}

void TButtonControl::DrawCaption(HDC dc, RECT& rect, UINT flags) {
    DrawControlText(dc, Caption(), rect, flags, Enabled(), Font()->Color());
}

void TButtonControl::CancelPress() {
    if (!FMouseDown && !FSpaceDown) return;
    FMouseDown = false;
    FSpaceDown = false;
    Invalidate();
}

void TButtonControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (CanFocus() && !Focused()) SetFocus();
        // A focus handler that sent the focus elsewhere (a validation message box) cancels the press.
        if (!CanFocus() || Focused()) {
            FMouseDown = true;
            FMouseInside = true;
            Invalidate();
        }
        break;
    case WM_MOUSEMOVE:
        if (FMouseDown) {
            RECT client = ClientRect();
            POINT pos = message.Pos();
            bool inside = PtInRect(&client, pos) != FALSE;
            if (inside != FMouseInside) {
                FMouseInside = inside;
                Invalidate();
            }
        }
        break;
    case WM_LBUTTONUP:
        if (FMouseDown) {
            RECT client = ClientRect();
            POINT pos = message.Pos();
            bool activate = PtInRect(&client, pos) != FALSE;
            FMouseDown = false;
            Invalidate();
            SetMouseCapture(false);
            if (activate) Activate();
        }
        break;
    case WM_KEYDOWN:
        inherited::WndProc(message);
        // OnKeyDown may have taken the key (set it to 0).
        if (message.WParam == VK_SPACE && !FSpaceDown && !FMouseDown) {
            FSpaceDown = true;
            Invalidate();
        }
        return;
    case WM_KEYUP:
        inherited::WndProc(message);
        if (message.WParam == VK_SPACE && FSpaceDown) {
            FSpaceDown = false;
            Invalidate();
            Activate();
        }
        return;
    case WM_SETFOCUS:
        inherited::WndProc(message);
        Invalidate();
        return;
    case WM_KILLFOCUS:
        CancelPress();
        inherited::WndProc(message);
        Invalidate();
        return;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
        if (FMouseDown) {
            FMouseDown = false;
            Invalidate();
        }
        break;
    case CM_ENABLEDCHANGED: CancelPress(); break;
    case WM_GETDLGCODE: message.Result = DLGC_BUTTON; return;
    case CM_TEXTCHANGED: Invalidate(); break;
    default: break;
    }
    inherited::WndProc(message);
}
