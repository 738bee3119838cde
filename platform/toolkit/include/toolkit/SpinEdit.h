// TSpinEdit: a numeric edit with an up/down button pair at the right of its client area; arrow keys and the
// buttons step the value by Increment within MinValue..MaxValue.
#pragma once

#include <toolkit/CustomEdit.h>
#include <toolkit/SpinButton.h>

class TSpinEdit : public TCustomEdit {
    TOOLKIT_CLASS(TSpinEdit, TCustomEdit)

public:
    explicit TSpinEdit(TComponent* owner);
    ~TSpinEdit() override;

    // The range applies unless both ends are 0.
    int MinValue() const { return FMinValue; }
    void SetMinValue(int value);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int value) { FIncrement = value; }
    // Read from the text (0 when it is not a number); set by code it is brought into the range first.
    int Value() const;
    void SetValue(int value);
    // False: the text cannot be typed into; the buttons and arrow keys still step it.
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool value) { FEditorEnabled = value; }
    TSpinButton* Button() const { return FButton; }

    void UpClick();
    void DownClick();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    RECT EditRect() override;
    bool CanEditText() const override { return inherited::CanEditText() && FEditorEnabled; }

private:
    int CheckValue(int value) const;
    void PlaceButton();

    int FMinValue = 0;
    int FMaxValue = 0;
    int FIncrement = 1;
    bool FEditorEnabled = true;
    TSpinButton* FButton;  // owned by the spin edit, its child window
};
