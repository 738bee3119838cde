// TCustomCheckBox and TCheckBox: a box with a caption, checked, unchecked or grayed, that toggles on a click, the
// space bar or its accelerator, and calls Click whenever its state changes, also by code.
#pragma once

#include <toolkit/ButtonControl.h>
#include <toolkit/Panel.h>

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TButtonControl {
    TOOLKIT_CLASS(TCustomCheckBox, TButtonControl)

public:
    explicit TCustomCheckBox(TComponent* owner);

    // A change of State (or of Checked) calls Click, so OnClick runs, unless clicks are disabled.
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState value);
    // Whether a click steps through the grayed state.
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value) { FAllowGrayed = value; }
    // taRightJustify puts the caption at the right of the box, taLeftJustify at its left; taCenter counts as
    // taRightJustify.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

    void Paint() override;

protected:
    bool GetChecked() const override { return FState == cbChecked; }
    void SetCheckedValue(bool value) override { SetState(value ? cbChecked : cbUnchecked); }
    void Activate() override { Toggle(); }
    // Unchecked → grayed (when allowed) or checked, checked → unchecked, grayed → checked.
    virtual void Toggle();
    void WndProc(TMessage& message) override;

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    TOOLKIT_CLASS(TCheckBox, TCustomCheckBox)

public:
    using TCustomCheckBox::TCustomCheckBox;
};
