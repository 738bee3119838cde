// The main window: the channel table of three groups built at run time, the buttons that write, read and clear
// the unit, the port settings and help buttons, and the clock label.
#pragma once

#include "FrameSequence.h"

#include <skin/SkButton.h>
#include <skin/SkCheckBox.h>
#include <skin/SkGroupBox.h>
#include <skin/SkLabel.h>
#include <skin/SkPanel.h>
#include <skin/SkProgressBar.h>
#include <skin/SkScrollBox.h>
#include <skin/SkTabControl.h>
#include <skin/SkTabSheet.h>
#include <skin/SkinCore.h>
#include <toolkit/CheckBox.h>
#include <toolkit/ComboBox.h>
#include <toolkit/Edit.h>
#include <toolkit/Form.h>
#include <toolkit/Image.h>
#include <toolkit/Label.h>
#include <toolkit/ScrollBox.h>
#include <toolkit/SpinEdit.h>
#include <toolkit/Timer.h>

#include <array>
#include <vector>

// One group's channel-row controls. The window owns the controls; the record only refers to them.
struct TMyObject {
    int GroupIndex = 0;
    TScrollBox* Host = nullptr;
    int BuiltCount = 0;
    std::vector<TCheckBox*> Checks;
    std::vector<TLabel*> NameLabels;
    std::vector<TLabel*> XLabels;
    std::vector<TLabel*> YLabels;
    std::vector<TEdit*> TextEdits;
    std::vector<TSpinEdit*> XEdits;
    std::vector<TSpinEdit*> YEdits;
    std::vector<TComboBox*> SizeBoxes;
};

extern std::array<TMyObject, 3> Groups;

class TForm1 : public TForm {
    TOOLKIT_CLASS(TForm1, TForm)

public:
    explicit TForm1(TComponent* owner);

    // Components read from the window's description.
    TSkPanel* Panel1 = nullptr;
    TSkButton* btnSetPort = nullptr;
    TSkButton* btnExit = nullptr;
    TSkGroupBox* GroupBox2 = nullptr;
    TSkLabel* Label1 = nullptr;
    TComboBox* cbbChCount = nullptr;
    TSkButton* btnCls = nullptr;
    TSkButton* btnSendChar = nullptr;
    TSkGroupBox* GroupBox1 = nullptr;
    TSkLabel* lbDateTime = nullptr;
    TSkCheckBox* ckbDateTime = nullptr;
    TSkLabel* Label2 = nullptr;
    TSkLabel* Label3 = nullptr;
    TSpinEdit* edDTx = nullptr;
    TSpinEdit* edDTy = nullptr;
    TSkButton* btnSendDateTime = nullptr;
    TImage* Image1 = nullptr;
    TSkButton* btnSendCharDateTime = nullptr;
    TSkButton* btnRead = nullptr;
    TImage* Image2 = nullptr;
    TSkPanel* Panel2 = nullptr;
    TSkProgressBar* Gauge1 = nullptr;
    TSkLabel* Label4 = nullptr;
    TSkPageControl* PageControl1 = nullptr;
    TSkTabSheet* SkTabSheet1 = nullptr;
    TSkTabSheet* SkTabSheet2 = nullptr;
    TSkTabSheet* SkTabSheet3 = nullptr;
    TSkScrollBox* ScrollBox1 = nullptr;
    TSkScrollBox* ScrollBox2 = nullptr;
    TSkScrollBox* ScrollBox3 = nullptr;
    TSkButton* btnHelp = nullptr;
    TSkSkinCore* SkSkinCore1 = nullptr;
    TTimer* Timer1 = nullptr;

    // Handlers bound by the description.
    void FormCreate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void cbbChCountChange(TObject* sender);
    void CheckBox1Click(TObject* sender);
    void Timer1Timer(TObject* sender);
    void btnSetPortClick(TObject* sender);
    void btnExitClick(TObject* sender);
    void ckbDateTimeClick(TObject* sender);
    void edDTxChange(TObject* sender);
    void btnSendCharDateTimeClick(TObject* sender);
    void btnSendDateTimeClick(TObject* sender);
    void btnSendCharClick(TObject* sender);
    void btnClsClick(TObject* sender);
    void btnReadClick(TObject* sender);
    void btnHelpClick(TObject* sender);

    // Brings group g's rows to RowCount: surplus rows are destroyed, missing ones built.
    void BuildRows(int group, TMyObject& record);
    // The group's values from Config.ini into its controls, and back.
    void LoadGroup(int group);
    void SaveGroup(int group);

    // True while a write, clear or read runs: another operation, the channel count and the port dialog are
    // refused meanwhile, and a close waits for the operation to stop at its next frame boundary.
    bool Busy() const { return FBusy; }

private:
    bool ValidateTexts();
    // The values of the built rows of every group and the clock, as the controls show them now.
    OverlaySettings ControlSettings() const;
    void ReadControls(int group, OverlaySettings& settings) const;
    // Sends the steps with the progress bar, the messages and the wait between them; false when the port did
    // not take a frame (reported in a box) or a close stopped them.
    bool RunSteps(const std::vector<FrameStep>& steps);
    bool SendGroup(const TMyObject& record, const OverlaySettings& settings);
    bool SendClock();
    bool ReadGroup(const TMyObject& record);
    // Lets the window process pending messages between two frames; false once a close was asked for.
    bool GoOn();
    // Carries out a close that was asked for while an operation ran.
    void CloseIfAsked();
    void ActivateSheet(int number);
    void BuildRow(TMyObject& record, int row);
    void DestroyRow(TMyObject& record, int row);
    // Shows Gauge1 for an operation of count steps.
    void StartGauge(int count);
    void StepGauge();

    bool FBusy = false;
    bool FCloseRequested = false;
};

extern TForm1* Form1;
