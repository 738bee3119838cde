// TSpinButton: the two halves drawn with DrawFrameControl, the press with its auto-repeat timer.
#include <toolkit/PropertyRegistry.h>
#include <toolkit/SpinButton.h>

namespace {

[[maybe_unused]] const auto published =
    Publish<TSpinButton>().Event("OnUpClick", &TSpinButton::OnUpClick).Event("OnDownClick", &TSpinButton::OnDownClick);

}  // namespace

TSpinButton::TSpinButton(TComponent* owner) : TCustomControl(owner), FRepeatTimer(std::make_unique<TTimer>(nullptr)) {
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csFixedWidth});
    SetColor(clBtnFace);
    SetBounds(0, 0, 15, 17);
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->OnTimer = [this](TObject* sender) { RepeatTimer(sender); };
}

TSpinButton::~TSpinButton() {
    FRepeatTimer->SetEnabled(false);
    SetFocusControl(nullptr);
}

void TSpinButton::SetFocusControl(TWinControl* value) {
    if (FFocusControl == value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = value;
    if (value) value->FreeNotification(this);
}

void TSpinButton::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

TSpinButtonPart TSpinButton::PartAt(POINT point) {
    RECT client = ClientRect();
    if (!PtInRect(&client, point)) return sbNone;
    return point.y < client.bottom / 2 ? sbUp : sbDown;
}

void TSpinButton::Press(TSpinButtonPart part) {
    if (part == sbNone || !Enabled()) return;
    if (FFocusControl && !FFocusControl->Focused() && FFocusControl->CanFocus()) FFocusControl->SetFocus();
    FPressed = part;
    FPointerOnPressed = true;
    Invalidate();
    FRepeatTimer->SetInterval(InitialRepeatPause);
    FRepeatTimer->SetEnabled(true);
    Fire();
}

void TSpinButton::Release() {
    FRepeatTimer->SetEnabled(false);
    if (FPressed == sbNone) return;
    FPressed = sbNone;
    Invalidate();
}

void TSpinButton::Fire() {
    TNotifyEvent& event = FPressed == sbUp ? OnUpClick : OnDownClick;
    if (event) event(this);
}

void TSpinButton::RepeatTimer(TObject*) {
    FRepeatTimer->SetInterval(RepeatPause);
    if (FPressed != sbNone && FPointerOnPressed) Fire();
}

void TSpinButton::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        inherited::WndProc(message);
        Press(PartAt(message.Pos()));
        return;
    case WM_MOUSEMOVE:
        if (FPressed != sbNone) {
            bool over = PartAt(message.Pos()) == FPressed;
            if (over != FPointerOnPressed) {
                FPointerOnPressed = over;
                Invalidate();
            }
        }
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
    case CM_ENABLEDCHANGED: Release(); break;
    case WM_ERASEBKGND: message.Result = 1; return;
    default: break;
    }
    inherited::WndProc(message);
}

void TSpinButton::Paint() {
    HDC dc = Canvas()->Handle();
    RECT client = ClientRect();
    int middle = client.bottom / 2;
    UINT inactive = Enabled() ? 0 : DFCS_INACTIVE;
    auto state = [&](TSpinButtonPart part) {
        return inactive | (FPressed == part && FPointerOnPressed ? DFCS_PUSHED : 0);
    };
    RECT up{0, 0, client.right, middle};
    RECT down{0, middle, client.right, client.bottom};
    DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | state(sbUp));
    DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | state(sbDown));
}
