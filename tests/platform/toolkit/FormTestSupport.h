// A minimal focusable push button for the form tests: Default, Cancel, ModalResult, accelerators in its caption,
// clicked by the mouse, by Enter/Esc through CM_DIALOGKEY or by its accelerator through CM_DIALOGCHAR.
#pragma once

#include <toolkit/Form.h>
#include <toolkit/PropertyRegistry.h>

class TFrmTestButton : public TWinControl {
    TOOLKIT_CLASS(TFrmTestButton, TWinControl)

public:
    explicit TFrmTestButton(TComponent* owner) : TWinControl(owner) {
        SetTabStop(true);
        SetBounds(0, 0, 75, 25);
    }
    bool Default = false;
    bool Cancel = false;
    TModalResult ButtonModalResult = mrNone;

    void SetDefault(bool value) { Default = value; }
    bool GetDefault() const { return Default; }
    void SetCancel(bool value) { Cancel = value; }
    bool GetCancel() const { return Cancel; }
    void SetModalResult(int value) { ButtonModalResult = value; }
    int GetModalResult() const { return ButtonModalResult; }

    void Click() override {
        if (TCustomForm* form = GetParentForm(this))
            if (ButtonModalResult != mrNone) form->SetModalResult(ButtonModalResult);
        inherited::Click();
    }

protected:
    void WndProc(TMessage& message) override {
        switch (message.Msg) {
            case WM_LBUTTONUP:
                Click();
                return;
            case CM_DIALOGKEY:
                if (((message.WParam == VK_RETURN && (Default || Focused())) ||
                     (message.WParam == VK_ESCAPE && Cancel)) &&
                    CanFocus()) {
                    Click();
                    message.Result = 1;
                    return;
                }
                break;
            case CM_DIALOGCHAR:
                if (IsAccel(static_cast<WORD>(message.WParam), Caption()) && CanFocus()) {
                    Click();
                    message.Result = 1;
                    return;
                }
                break;
            default:
                break;
        }
        inherited::WndProc(message);
    }
};

// A container for nesting in descriptions.
class TFrmTestPanel : public TWinControl {
    TOOLKIT_CLASS(TFrmTestPanel, TWinControl)

public:
    explicit TFrmTestPanel(TComponent* owner) : TWinControl(owner) {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    }
};
