// The demonstration form: its look and its handlers come from DemoForm.description.
#pragma once

#include <toolkit/Form.h>
#include <toolkit/Timer.h>

class TDemoForm : public TForm {
    TOOLKIT_CLASS(TDemoForm, TForm)

public:
    explicit TDemoForm(TComponent* owner);

    void FormCreate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void Timer1Timer(TObject* sender);

    TTimer* Timer1 = nullptr;
    int Ticks = 0;
};
