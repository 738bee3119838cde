// The demonstration form's handlers: the status line reports edits and buttons, the timer moves the progress bar.
#include "DemoForm.h"

#include <toolkit/PropertyRegistry.h>

namespace {

const auto published = Publish<TDemoForm>()
                           .Method("FormCreate", &TDemoForm::FormCreate)
                           .Method("FormClose", &TDemoForm::FormClose)
                           .Method("Timer1Timer", &TDemoForm::Timer1Timer)
                           .Method("Edit1Change", &TDemoForm::Edit1Change)
                           .Method("OkButtonClick", &TDemoForm::OkButtonClick)
                           .Method("CancelButtonClick", &TDemoForm::CancelButtonClick)
                           .Field("PageControl1", &TDemoForm::PageControl1)
                           .Field("Edit1", &TDemoForm::Edit1)
                           .Field("ComboBox1", &TDemoForm::ComboBox1)
                           .Field("SpinEdit1", &TDemoForm::SpinEdit1)
                           .Field("CheckBox1", &TDemoForm::CheckBox1)
                           .Field("ProgressBar1", &TDemoForm::ProgressBar1)
                           .Field("ScrollBox1", &TDemoForm::ScrollBox1)
                           .Field("OkButton", &TDemoForm::OkButton)
                           .Field("CancelButton", &TDemoForm::CancelButton)
                           .Field("StatusLabel", &TDemoForm::StatusLabel)
                           .Field("Timer1", &TDemoForm::Timer1);

}  // namespace

TDemoForm::TDemoForm(TComponent* owner) : TForm(owner) { InitInheritedComponent("DemoForm"); }

void TDemoForm::FormCreate(TObject*) { SetColor(clBtnFace); }

void TDemoForm::FormClose(TObject*, TCloseAction& action) { action = caFree; }

void TDemoForm::Timer1Timer(TObject*) {
    ++Ticks;
    ProgressBar1->SetPosition((ProgressBar1->Position() + 5) % (ProgressBar1->Max() + 1));
}

void TDemoForm::Edit1Change(TObject*) { StatusLabel->SetCaption("名称：" + Edit1->Text()); }

void TDemoForm::OkButtonClick(TObject*) { StatusLabel->SetCaption("确定"); }

void TDemoForm::CancelButtonClick(TObject*) { StatusLabel->SetCaption("取消"); }
