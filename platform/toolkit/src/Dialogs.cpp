// ShowMessage and MessageDlg over MessageBoxA: the button set picks the MB_ type, the dialog type the icon.
#include <toolkit/Dialogs.h>

#include <toolkit/Application.h>

#include <win32/windows.h>

namespace {

UINT ButtonsToType(TMsgDlgButtons buttons) {
    struct TMapping {
        TMsgDlgButtons Buttons;
        UINT Type;
    };
    static const TMapping mappings[] = {
        {{mbOK}, MB_OK},
        {{mbOK, mbCancel}, MB_OKCANCEL},
        {{mbYes, mbNo}, MB_YESNO},
        {{mbYes, mbNo, mbCancel}, MB_YESNOCANCEL},
        {{mbAbort, mbRetry, mbIgnore}, MB_ABORTRETRYIGNORE},
        {{mbRetry, mbCancel}, MB_RETRYCANCEL},
    };
    for (const TMapping& mapping : mappings)
        if (mapping.Buttons == buttons) return mapping.Type;
    throw EInvalidDialogButtons("A message box cannot show these buttons");
}

}  // namespace

void ShowMessage(const std::string& message) { Application->MessageBox(message, Application->Title(), MB_OK); }

int MessageDlg(const std::string& message, TMsgDlgType dialogType, TMsgDlgButtons buttons, long helpContext) {
    (void)helpContext;
    UINT type = ButtonsToType(buttons);
    std::string caption;
    switch (dialogType) {
    case mtWarning:
        type |= MB_ICONWARNING;
        caption = "警告";
        break;
    case mtError:
        type |= MB_ICONERROR;
        caption = "错误";
        break;
    case mtInformation:
        type |= MB_ICONINFORMATION;
        caption = "信息";
        break;
    case mtConfirmation:
        type |= MB_ICONQUESTION;
        caption = "确认";
        break;
    case mtCustom: caption = Application->Title(); break;
    }
    // The IDOK ... IDNO answers are the mrOk ... mrNo values.
    return Application->MessageBox(message, caption, type);
}
