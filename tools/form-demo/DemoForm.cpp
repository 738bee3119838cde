// The demonstration form's handlers: the caption counts the timer's ticks.
#include "DemoForm.h"

#include <toolkit/PropertyRegistry.h>

namespace {

const auto published = Publish<TDemoForm>()
                           .Method("FormCreate", &TDemoForm::FormCreate)
                           .Method("FormClose", &TDemoForm::FormClose)
                           .Method("Timer1Timer", &TDemoForm::Timer1Timer)
                           .Field("Timer1", &TDemoForm::Timer1);

}  // namespace

TDemoForm::TDemoForm(TComponent* owner) : TForm(owner) {
    InitInheritedComponent("DemoForm");
}

void TDemoForm::FormCreate(TObject*) {
    SetColor(clBtnFace);
}

void TDemoForm::FormClose(TObject*, TCloseAction& action) {
    action = caFree;
}

void TDemoForm::Timer1Timer(TObject*) {
    ++Ticks;
}
