// TButton: the classic push button look (bold frame on the active default, sunken while pressed, focus
// rectangle) and its part in the form's dialog keys.
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

void InvalidateDefaults(TWinControl* container, TButton* except) {
    for (int i = 0; i < container->ControlCount(); ++i) {
        auto* windowed = dynamic_cast<TWinControl*>(container->Controls(i));
        if (!windowed) continue;
        if (auto* button = dynamic_cast<TButton*>(windowed); button && button != except && button->Default())
            button->Invalidate();
        InvalidateDefaults(windowed, except);
    }
}

}  // namespace

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::SetDefault(bool value) {
    if (value == FDefault) return;
    FDefault = value;
    Invalidate();
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

void TButton::InvalidateDefaultButtons() {
    if (TCustomForm* form = GetParentForm(this)) InvalidateDefaults(form, this);
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
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        inherited::WndProc(message);
        InvalidateDefaultButtons();
        return;
    default: break;
    }
    inherited::WndProc(message);
}

void TButton::Paint() {
    TCanvas* canvas = Canvas();
    canvas->SetFont(*Font());
    HDC dc = canvas->Handle();
    RECT rect = ClientRect();
    bool pressed = IsPressed();
    if (IsActive() && Enabled()) {
        FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&rect, -1, -1);
    }
    if (pressed) {
        // The pressed default button is flat: one shadow line inside the black frame.
        FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
        FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
        RECT face = rect;
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
    RECT text = rect;
    InflateRect(&text, -2, -2);
    if (pressed) OffsetRect(&text, 1, 1);
    DrawCaption(dc, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (Focused()) {
        RECT focus = rect;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}
