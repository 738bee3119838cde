// Message dialogs: ShowMessage and MessageDlg, shown as classic message boxes (MessageBoxA) owned by the active
// window and answered with a TModalResult.
#pragma once

#include <toolkit/ModalResult.h>
#include <toolkit/Set.h>
#include <toolkit/SysUtils.h>

#include <string>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

const TMsgDlgButtons mbYesNoCancel = {mbYes, mbNo, mbCancel};
const TMsgDlgButtons mbOKCancel = {mbOK, mbCancel};
const TMsgDlgButtons mbAbortRetryIgnore = {mbAbort, mbRetry, mbIgnore};

// A button set no message box can show (the "to all" buttons, Help, or a combination outside MB_OK ...
// MB_RETRYCANCEL) raises EInvalidDialogButtons instead of showing a different set.
class EInvalidDialogButtons : public Exception {
public:
    using Exception::Exception;
};

// The message with Application->Title as caption and one OK button, no icon.
void ShowMessage(const std::string& message);
// The caption names the type ("警告", "错误", "信息", "确认"; mtCustom: the application's title) and the icon
// follows it. Answers the button pressed (mrOk, mrCancel, mrYes ...). helpContext is kept for the toolkit's
// signature; no help system exists.
int MessageDlg(const std::string& message, TMsgDlgType dialogType, TMsgDlgButtons buttons, long helpContext = 0);
