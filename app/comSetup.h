// The port settings dialog: the serial port and its line settings, loaded from Config.ini when the dialog is made
// and stored there, then applied, by its OK button.
#pragma once

#include <toolkit/Button.h>
#include <toolkit/ComboBox.h>
#include <toolkit/Form.h>
#include <toolkit/Label.h>

class TfrmSetup : public TForm {
    TOOLKIT_CLASS(TfrmSetup, TForm)

public:
    explicit TfrmSetup(TComponent* owner);

    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TComboBox* cbbPort = nullptr;
    TComboBox* cbbBaudRate = nullptr;
    TComboBox* cbbByteSize = nullptr;
    TComboBox* cbbCheckByte = nullptr;
    TComboBox* cbbStopBite = nullptr;
    TButton* btnOK = nullptr;
    TButton* btnCancel = nullptr;

    void FormCreate(TObject* sender);
    void ParamChange(TObject* sender);
    void btnOKClick(TObject* sender);
    // Opens the port with the lists' values; a port that fails to open is reported in a box.
    bool ApplyParam();

    // The line settings for opening the port at start-up: a baud rate or data-bits text that is not a number
    // falls back to 9600 and 8, a stop-bits or parity selection outside the lists to index 0.
    DWORD StartupBaudRate() const;
    BYTE StartupByteSize() const;
    BYTE StartupStopBits() const;
    BYTE StartupParity() const;
};

extern TfrmSetup* frmSetup;
