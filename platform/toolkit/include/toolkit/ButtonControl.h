// TButtonControl: the common base of push buttons and check boxes: the Checked hook and, for the controls that paint
// themselves (check boxes), focus on a click, the pressed look while the mouse or the space bar holds it and
// activation on release. TButton leaves the presses to the BUTTON class it is made from.
#pragma once

#include <toolkit/CustomControl.h>

class TButtonControl : public TCustomControl {
    TOOLKIT_CLASS(TButtonControl, TCustomControl)

public:
    explicit TButtonControl(TComponent* owner);

    // A button without a checked state answers false and ignores the setter.
    bool Checked() const { return GetChecked(); }
    void SetChecked(bool value) { SetCheckedValue(value); }

protected:
    virtual bool GetChecked() const { return false; }
    virtual void SetCheckedValue(bool value) { (void)value; }
    // While set, changing the checked state by code does not call Click.
    bool ClicksDisabled() const { return FClicksDisabled; }
    void SetClicksDisabled(bool value) { FClicksDisabled = value; }

    // What a completed press does (the mouse released inside, the space bar released): a push button clicks,
    // a check box toggles.
    virtual void Activate() = 0;
    // True while the mouse is held down inside the control or the space bar holds it.
    bool IsPressed() const { return FSpaceDown || (FMouseDown && FMouseInside); }
    // Draws the caption into rect with the DrawTextA flags given, embossed grey when the control is disabled.
    void DrawCaption(HDC dc, RECT& rect, UINT flags);

    void WndProc(TMessage& message) override;

private:
    void CancelPress();

    bool FClicksDisabled = false;
    bool FMouseDown = false;
    bool FMouseInside = false;
    bool FSpaceDown = false;
};
