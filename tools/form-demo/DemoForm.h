// The demonstration form: its look and its handlers come from DemoForm.description.
#pragma once

#include <toolkit/Button.h>
#include <toolkit/CheckBox.h>
#include <toolkit/ComboBox.h>
#include <toolkit/Edit.h>
#include <toolkit/Form.h>
#include <toolkit/GroupBox.h>
#include <toolkit/Label.h>
#include <toolkit/PageControl.h>
#include <toolkit/Panel.h>
#include <toolkit/ProgressBar.h>
#include <toolkit/ScrollBox.h>
#include <toolkit/SpinEdit.h>
#include <toolkit/TabSheet.h>
#include <toolkit/Timer.h>

class TDemoForm : public TForm {
    TOOLKIT_CLASS(TDemoForm, TForm)

public:
    explicit TDemoForm(TComponent* owner);

    void FormCreate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void Timer1Timer(TObject* sender);
    void Edit1Change(TObject* sender);
    void OkButtonClick(TObject* sender);
    void CancelButtonClick(TObject* sender);

    TPageControl* PageControl1 = nullptr;
    TEdit* Edit1 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TSpinEdit* SpinEdit1 = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TProgressBar* ProgressBar1 = nullptr;
    TScrollBox* ScrollBox1 = nullptr;
    TButton* OkButton = nullptr;
    TButton* CancelButton = nullptr;
    TLabel* StatusLabel = nullptr;
    TTimer* Timer1 = nullptr;
    int Ticks = 0;
};
