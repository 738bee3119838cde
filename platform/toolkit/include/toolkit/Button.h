// TButton: the system's BUTTON control as a push button: Default and Cancel answer Enter and Esc through the form's
// dialog keys, ModalResult ends a modal form, and the caption's accelerator clicks it.
#pragma once

#include <toolkit/ButtonControl.h>
#include <toolkit/ModalResult.h>

class TButton : public TButtonControl {
    TOOLKIT_CLASS(TButton, TButtonControl)

public:
    explicit TButton(TComponent* owner);

    // Enter clicks the default button unless another button has the focus: a focused button takes Enter itself.
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    // Esc clicks a cancel button.
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    // Clicking sets the parent form's ModalResult to this value (mrNone leaves it).
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }

    void Click() override;

protected:
    void Activate() override { Click(); }
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // The BUTTON class draws the button.
    void PaintWindow(HDC dc) override;
    void WndProc(TMessage& message) override;
    // Whether Enter clicks this button now: it has the focus, or it is the default and no other button has it.
    bool IsActive() const;

private:
    // BS_DEFPUSHBUTTON (the black frame) while Enter would click the button, BS_PUSHBUTTON otherwise.
    void UpdateStyle();
    // The default buttons of the form show a bold frame only while no other button has the focus.
    void UpdateDefaultButtons();

    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};
