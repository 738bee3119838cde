// TButton: a subclass of the system's BUTTON class, which draws it and tracks its presses; the toolkit keeps its part
// in the form's dialog keys and chooses when it shows the default frame.
#include <toolkit/Button.h>
#include <toolkit/Form.h>
#include <toolkit/PropertyRegistry.h>

namespace {

[[maybe_unused]] const auto published =
    Publish<TButton>()
        .Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel, false)
        .Boolean("Default", &TButton::Default, &TButton::SetDefault, false)
        .Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, mrNone)
        .Boolean("TabStop", &TButton::TabStop, &TButton::SetTabStop, true);

bool NoModifiers() { return GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0; }

template <class Visit>
void ForEachButton(TWinControl* container, Visit visit) {
    for (int i = 0; i < container->ControlCount(); ++i) {
        auto* windowed = dynamic_cast<TWinControl*>(container->Controls(i));
        if (!windowed) continue;
        if (auto* button = dynamic_cast<TButton*>(windowed)) visit(button);
        ForEachButton(windowed, visit);
    }
}

}  // namespace

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::SetDefault(bool value) {
    if (value == FDefault) return;
    FDefault = value;
    UpdateStyle();
}

void TButton::CreateParams(TCreateParams& params) {
    inherited::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= IsActive() && Enabled() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd() {
    inherited::CreateWnd();
    // Other buttons of the form may have taken the default frame meanwhile.
    UpdateStyle();
}

void TButton::PaintWindow(HDC dc) { TWinControl::PaintWindow(dc); }

void TButton::UpdateStyle() {
    if (!HandleAllocated()) return;
    DWORD wanted = IsActive() && Enabled() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((GetWindowLongPtrA(Handle(), GWL_STYLE) & BS_TYPEMASK) != static_cast<LONG_PTR>(wanted))
        SendMessageA(Handle(), BM_SETSTYLE, wanted, TRUE);
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this); form && FModalResult != mrNone) form->SetModalResult(FModalResult);
    inherited::Click();
}

bool TButton::IsActive() const {
    auto* self = const_cast<TButton*>(this);
    TWinControl* focused = FindControl(GetFocus());
    if (dynamic_cast<TButton*>(focused) && GetParentForm(focused) == GetParentForm(self)) return focused == this;
    return FDefault;
}

void TButton::UpdateDefaultButtons() {
    UpdateStyle();
    if (TCustomForm* form = GetParentForm(this)) ForEachButton(form, [](TButton* button) { button->UpdateStyle(); });
}

void TButton::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGKEY: {
        auto key = static_cast<WORD>(message.WParam);
        if (((key == VK_RETURN && IsActive()) || (key == VK_ESCAPE && FCancel)) && NoModifiers() && CanFocus()) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    }
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(message.WParam), Caption()) && CanFocus()) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    case WM_GETDLGCODE: message.Result = DLGC_BUTTON | (IsActive() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON); return;
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED) Click();
        return;
    // The BUTTON class tracks the mouse and the space bar itself, so these pass by TButtonControl's own press
    // tracking (kept for the controls it paints) to the class's procedure.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
    case CM_TEXTCHANGED: TCustomControl::WndProc(message); return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_ENABLEDCHANGED:
        TCustomControl::WndProc(message);
        UpdateDefaultButtons();
        return;
    default: break;
    }
    inherited::WndProc(message);
}
