// The main window's start-up, closing, channel rows and the handlers that do not talk to the unit.
#include "Unit1.h"

#include "Com.h"
#include "Settings.h"
#include "comSetup.h"

#include <skin/CodePage.h>
#include <toolkit/Application.h>
#include <toolkit/PropertyRegistry.h>

#include <algorithm>

std::array<TMyObject, 3> Groups;
TForm1* Form1 = nullptr;

namespace {

const auto published = Publish<TForm1>()
                           .Method("FormCreate", &TForm1::FormCreate)
                           .Method("FormClose", &TForm1::FormClose)
                           .Method("cbbChCountChange", &TForm1::cbbChCountChange)
                           .Method("CheckBox1Click", &TForm1::CheckBox1Click)
                           .Method("Timer1Timer", &TForm1::Timer1Timer)
                           .Method("btnSetPortClick", &TForm1::btnSetPortClick)
                           .Method("btnExitClick", &TForm1::btnExitClick)
                           .Method("ckbDateTimeClick", &TForm1::ckbDateTimeClick)
                           .Method("edDTxChange", &TForm1::edDTxChange)
                           .Method("btnSendCharDateTimeClick", &TForm1::btnSendCharDateTimeClick)
                           .Method("btnSendDateTimeClick", &TForm1::btnSendDateTimeClick)
                           .Method("btnSendCharClick", &TForm1::btnSendCharClick)
                           .Method("btnClsClick", &TForm1::btnClsClick)
                           .Method("btnReadClick", &TForm1::btnReadClick)
                           .Method("btnHelpClick", &TForm1::btnHelpClick)
                           .Field("Panel1", &TForm1::Panel1)
                           .Field("btnSetPort", &TForm1::btnSetPort)
                           .Field("btnExit", &TForm1::btnExit)
                           .Field("GroupBox2", &TForm1::GroupBox2)
                           .Field("Label1", &TForm1::Label1)
                           .Field("cbbChCount", &TForm1::cbbChCount)
                           .Field("btnCls", &TForm1::btnCls)
                           .Field("btnSendChar", &TForm1::btnSendChar)
                           .Field("GroupBox1", &TForm1::GroupBox1)
                           .Field("lbDateTime", &TForm1::lbDateTime)
                           .Field("ckbDateTime", &TForm1::ckbDateTime)
                           .Field("Label2", &TForm1::Label2)
                           .Field("Label3", &TForm1::Label3)
                           .Field("edDTx", &TForm1::edDTx)
                           .Field("edDTy", &TForm1::edDTy)
                           .Field("btnSendDateTime", &TForm1::btnSendDateTime)
                           .Field("Image1", &TForm1::Image1)
                           .Field("btnSendCharDateTime", &TForm1::btnSendCharDateTime)
                           .Field("btnRead", &TForm1::btnRead)
                           .Field("Image2", &TForm1::Image2)
                           .Field("Panel2", &TForm1::Panel2)
                           .Field("Gauge1", &TForm1::Gauge1)
                           .Field("Label4", &TForm1::Label4)
                           .Field("PageControl1", &TForm1::PageControl1)
                           .Field("SkTabSheet1", &TForm1::SkTabSheet1)
                           .Field("SkTabSheet2", &TForm1::SkTabSheet2)
                           .Field("SkTabSheet3", &TForm1::SkTabSheet3)
                           .Field("ScrollBox1", &TForm1::ScrollBox1)
                           .Field("ScrollBox2", &TForm1::ScrollBox2)
                           .Field("ScrollBox3", &TForm1::ScrollBox3)
                           .Field("btnHelp", &TForm1::btnHelp)
                           .Field("SkSkinCore1", &TForm1::SkSkinCore1)
                           .Field("Timer1", &TForm1::Timer1);

int RightEdge(const TControl* control) { return control->Left() + control->Width(); }

TLabel* MakeLabel(TComponent* owner, TWinControl* parent, int left, int top, const std::string& caption) {
    auto* label = new TLabel(owner);
    label->SetParent(parent);
    label->SetTransparent(true);
    label->SetCaption(caption);
    label->SetLeft(left);
    label->SetTop(top);
    return label;
}

TSpinEdit* MakeSpinEdit(TComponent* owner, TWinControl* parent, int left, int top, int maxValue) {
    auto* field = new TSpinEdit(owner);
    field->SetParent(parent);
    field->SetBounds(left, top, 50, field->Height());
    field->SetMaxValue(maxValue);
    field->SetMinValue(0);
    field->SetValue(0);
    return field;
}

}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) { InitInheritedComponent("Unit1"); }

void TForm1::FormCreate(TObject*) {
    RequireComponents(this);
    // A Config.ini that is there but cannot be read is said once, not taken for an empty one; the program goes on
    // with the defaults (and a close will say again that it cannot write there).
    if (ConfigReadError() != ERROR_SUCCESS)
        Application->MessageBox("无法读取" + ConfigFileName() + "，使用默认设置。", Application->Title(),
                                MB_OK | MB_ICONWARNING);
    frmSetup = new TfrmSetup(this);
    if (!OpenPort(frmSetup->cbbPort->Text(), frmSetup->StartupBaudRate(), frmSetup->StartupByteSize(),
                  frmSetup->StartupStopBits(), frmSetup->StartupParity()))
        Application->MessageBox("打开串口失败！", Application->Title(), MB_OK);
    TScrollBox* hosts[] = {ScrollBox1, ScrollBox2, ScrollBox3};
    for (int g = 0; g < GroupCount; ++g) {
        Groups[static_cast<size_t>(g)] = TMyObject{};
        Groups[static_cast<size_t>(g)].GroupIndex = g;
        Groups[static_cast<size_t>(g)].Host = hosts[g];
    }
    cbbChCount->SetItemIndex(0);
    cbbChCountChange(cbbChCount);
}

void TForm1::FormClose(TObject*, TCloseAction& action) {
    // While an operation runs the close waits for it to stop at its next frame boundary; then it closes as usual.
    if (FBusy) {
        FCloseRequested = true;
        action = caNone;
        return;
    }
    // A failed write ("Unable to write to ...") asks what to do: try again, close without saving, or (the default)
    // stay with the window and the port open. What the file already holds is never lost.
    for (;;) {
        try {
            for (int g = 0; g < GroupCount; ++g) SaveGroup(g);
            break;
        } catch (const EIniFileException& error) {
            int answer = Application->MessageBox(TApplication::ExceptionText(error), Application->Title(),
                                                 MB_CANCELTRYCONTINUE | MB_ICONSTOP);
            if (answer == IDTRYAGAIN) continue;
            if (answer == IDCONTINUE) break;
            action = caNone;
            return;
        }
    }
    ClosePort();
}

void TForm1::cbbChCountChange(TObject*) {
    // Rebuilding and reloading the rows under a running operation would change what it sends.
    if (FBusy) {
        cbbChCount->SetItemIndex(RowCount == 16 ? 1 : 0);
        return;
    }
    int index = std::clamp(cbbChCount->ItemIndex(), 0, 1);
    for (int g = 0; g < GroupCount; ++g) {
        RowCount = 8 << index;
        BuildRows(g, Groups[static_cast<size_t>(g)]);
        LoadGroup(g);
    }
}

void TForm1::BuildRows(int, TMyObject& record) {
    record.Host->SetVisible(false);
    for (int i = RowCount; i < record.BuiltCount; ++i) DestroyRow(record, i);
    auto count = static_cast<size_t>(RowCount);
    record.Checks.resize(count);
    record.NameLabels.resize(count);
    record.XLabels.resize(count);
    record.YLabels.resize(count);
    record.TextEdits.resize(count);
    record.XEdits.resize(count);
    record.YEdits.resize(count);
    record.SizeBoxes.resize(count);
    for (int i = record.BuiltCount; i < RowCount; ++i) BuildRow(record, i);
    record.BuiltCount = RowCount;
    record.Host->SetVisible(true);
}

void TForm1::BuildRow(TMyObject& record, int i) {
    auto at = static_cast<size_t>(i);
    TScrollBox* host = record.Host;
    // A gap of 10 pixels after every four rows.
    int top = (i / 4) * 10 + 25 * i;

    auto* check = new TCheckBox(this);
    check->SetParent(host);
    check->SetBounds(5, top + 9, 14, 17);
    check->SetTag(i);
    if (record.GroupIndex == 0)
        check->OnClick = [this](TObject* sender) { CheckBox1Click(sender); };
    else
        check->SetEnabled(false);
    record.Checks[at] = check;

    TLabel* name = MakeLabel(this, host, 22, top + 9, DefaultName(i));
    record.NameLabels[at] = name;

    auto* edit = new TEdit(this);
    edit->SetParent(host);
    edit->SetBounds(RightEdge(name) + 5, top + 5, 240, edit->Height());
    edit->SetMaxLength(TextLimit(record.GroupIndex));
    edit->SetText(DefaultText(i));
    record.TextEdits[at] = edit;

    TLabel* xLabel = MakeLabel(this, host, RightEdge(edit) + 5, top + 10, "位置:X");
    record.XLabels[at] = xLabel;
    TSpinEdit* xField = MakeSpinEdit(this, host, RightEdge(xLabel) + 5, top + 5, MaxX);
    record.XEdits[at] = xField;
    TLabel* yLabel = MakeLabel(this, host, RightEdge(xField) + 5, top + 10, "Y");
    record.YLabels[at] = yLabel;
    TSpinEdit* yField = MakeSpinEdit(this, host, RightEdge(yLabel) + 5, top + 5, MaxY);
    record.YEdits[at] = yField;

    auto* sizes = new TComboBox(this);
    sizes->SetParent(host);
    sizes->SetStyle(csDropDownList);
    sizes->SetBounds(RightEdge(yField) + 5, top + 5, 40, sizes->Height());
    for (const char* item : {"大", "中", "小"}) sizes->Items()->Add(item);
    sizes->SetItemIndex(-1);
    record.SizeBoxes[at] = sizes;
}

void TForm1::DestroyRow(TMyObject& record, int i) {
    auto at = static_cast<size_t>(i);
    delete record.Checks[at];
    delete record.NameLabels[at];
    delete record.XLabels[at];
    delete record.YLabels[at];
    delete record.TextEdits[at];
    delete record.XEdits[at];
    delete record.YEdits[at];
    delete record.SizeBoxes[at];
}

void TForm1::CheckBox1Click(TObject* sender) {
    auto* check = dynamic_cast<TCheckBox*>(sender);
    if (!check) return;
    int i = check->Tag();
    if (Groups[1].BuiltCount == 0 || Groups[2].BuiltCount == 0) return;
    for (const TMyObject& record : Groups)
        if (i < 0 || i >= record.BuiltCount || i >= static_cast<int>(record.Checks.size())) return;
    bool checked = Groups[0].Checks[static_cast<size_t>(i)]->Checked();
    Groups[1].Checks[static_cast<size_t>(i)]->SetChecked(checked);
    Groups[2].Checks[static_cast<size_t>(i)]->SetChecked(checked);
}

void TForm1::LoadGroup(int group) {
    TMyObject& record = Groups[static_cast<size_t>(group)];
    TIniFile ini(ConfigFilePath());
    OverlaySettings settings;
    ::LoadGroup(ini, group, record.BuiltCount, settings);
    const auto& rows = settings.Groups[static_cast<size_t>(group)];
    // Value by value over all rows, as the file is read: a group 0 box set here runs its click reaction.
    for (size_t i = 0; i < rows.size(); ++i) record.Checks[i]->SetChecked(rows[i].Enabled);
    for (size_t i = 0; i < rows.size(); ++i) record.NameLabels[i]->SetCaption(rows[i].Name);
    for (size_t i = 0; i < rows.size(); ++i) record.TextEdits[i]->SetText(rows[i].Text);
    for (size_t i = 0; i < rows.size(); ++i) record.XEdits[i]->SetValue(rows[i].X);
    for (size_t i = 0; i < rows.size(); ++i) record.YEdits[i]->SetValue(rows[i].Y);
    for (size_t i = 0; i < rows.size(); ++i) record.SizeBoxes[i]->SetItemIndex(rows[i].Size);
    edDTx->SetValue(settings.Clock.X);
    edDTy->SetValue(settings.Clock.Y);
    ckbDateTime->SetChecked(settings.Clock.Shown);
}

void TForm1::ReadControls(int group, OverlaySettings& settings) const {
    const TMyObject& record = Groups[static_cast<size_t>(group)];
    auto& rows = settings.Groups[static_cast<size_t>(group)];
    rows.resize(static_cast<size_t>(record.BuiltCount));
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].Enabled = record.Checks[i]->Checked();
        rows[i].Name = record.NameLabels[i]->Caption();
        rows[i].Text = record.TextEdits[i]->Text();
        // A value typed out of range is stored as the nearest bound even before its field lost the focus.
        rows[i].X = std::clamp(record.XEdits[i]->Value(), 0, MaxX);
        rows[i].Y = std::clamp(record.YEdits[i]->Value(), 0, MaxY);
        rows[i].Size = record.SizeBoxes[i]->ItemIndex();
    }
    settings.Clock.X = edDTx->Value();
    settings.Clock.Y = edDTy->Value();
    settings.Clock.Shown = ckbDateTime->Checked();
}

OverlaySettings TForm1::ControlSettings() const {
    OverlaySettings settings;
    for (int g = 0; g < GroupCount; ++g) ReadControls(g, settings);
    return settings;
}

void TForm1::SaveGroup(int group) {
    OverlaySettings settings;
    ReadControls(group, settings);
    TIniFile ini(ConfigFilePath());
    ::SaveGroup(ini, group, settings);
}

void TForm1::Timer1Timer(TObject*) {
    lbDateTime->SetCaption(WideFromCodePage(CP_ACP, FormatDateTime("yyyy-mm-dd hh:nn:ss", Now())));
}

void TForm1::btnSetPortClick(TObject*) {
    // Reopening the port under a running operation would cut it off.
    if (FBusy) return;
    frmSetup->ShowModal();
}

void TForm1::btnExitClick(TObject*) { Close(); }

void TForm1::ckbDateTimeClick(TObject*) {}

void TForm1::edDTxChange(TObject*) {}
