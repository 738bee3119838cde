// TSpinButton: an up and a down arrow button stacked in one window, drawn classic; pressing one fires its event at
// once and again while the mouse holds it (first after 400 ms, then every 100 ms).
#pragma once

#include <toolkit/CustomControl.h>
#include <toolkit/Timer.h>

#include <memory>

enum TSpinButtonPart { sbNone, sbUp, sbDown };

class TSpinButton : public TCustomControl {
    TOOLKIT_CLASS(TSpinButton, TCustomControl)

public:
    static constexpr unsigned InitialRepeatPause = 400;
    static constexpr unsigned RepeatPause = 100;

    explicit TSpinButton(TComponent* owner);
    ~TSpinButton() override;

    // The control that takes the focus when a button is pressed (the spin edit the buttons belong to).
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);
    // The button held down now, sbNone when neither is.
    TSpinButtonPart Pressed() const { return FPressed; }

    void Paint() override;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TSpinButtonPart PartAt(POINT point);
    void Press(TSpinButtonPart part);
    void Release();
    void Fire();
    void RepeatTimer(TObject* sender);

    TWinControl* FFocusControl = nullptr;
    TSpinButtonPart FPressed = sbNone;
    bool FPointerOnPressed = false;  // the held button shows pushed and repeats only while the mouse is over it
    std::unique_ptr<TTimer> FRepeatTimer;
};
