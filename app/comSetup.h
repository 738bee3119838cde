// The port settings dialog: the serial port and its line settings, loaded from Config.ini when the dialog is made
// and stored there, then applied, by its OK button.
#pragma once

#include <skin/SkButton.h>
#include <skin/SkLabel.h>
#include <toolkit/ComboBox.h>
#include <toolkit/Form.h>

class TfrmSetup : public TForm {
    TOOLKIT_CLASS(TfrmSetup, TForm)

public:
    explicit TfrmSetup(TComponent* owner);

    TSkLabel* Label1 = nullptr;
    TSkLabel* Label2 = nullptr;
    TSkLabel* Label3 = nullptr;
    TSkLabel* Label4 = nullptr;
    TSkLabel* Label5 = nullptr;
    TComboBox* cbbPort = nullptr;
    TComboBox* cbbBaudRate = nullptr;
    TComboBox* cbbByteSize = nullptr;
    TComboBox* cbbCheckByte = nullptr;
    TComboBox* cbbStopBite = nullptr;
    TSkButton* btnOK = nullptr;
    TSkButton* btnCancel = nullptr;

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
