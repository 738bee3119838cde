// The port settings dialog's handlers: loading the "COM" section into the lists, enabling OK on a change,
// storing and applying on OK.
#include "comSetup.h"

#include "Com.h"
#include "Settings.h"

#include <toolkit/Application.h>
#include <toolkit/IniFile.h>
#include <toolkit/PropertyRegistry.h>

TfrmSetup* frmSetup = nullptr;

namespace {

const auto published = Publish<TfrmSetup>()
                           .Method("FormCreate", &TfrmSetup::FormCreate)
                           .Method("ParamChange", &TfrmSetup::ParamChange)
                           .Method("btnOKClick", &TfrmSetup::btnOKClick)
                           .Field("Label1", &TfrmSetup::Label1)
                           .Field("Label2", &TfrmSetup::Label2)
                           .Field("Label3", &TfrmSetup::Label3)
                           .Field("Label4", &TfrmSetup::Label4)
                           .Field("Label5", &TfrmSetup::Label5)
                           .Field("cbbPort", &TfrmSetup::cbbPort)
                           .Field("cbbBaudRate", &TfrmSetup::cbbBaudRate)
                           .Field("cbbByteSize", &TfrmSetup::cbbByteSize)
                           .Field("cbbCheckByte", &TfrmSetup::cbbCheckByte)
                           .Field("cbbStopBite", &TfrmSetup::cbbStopBite)
                           .Field("btnOK", &TfrmSetup::btnOK)
                           .Field("btnCancel", &TfrmSetup::btnCancel);

// A changed text is a change of the list, as the operator's own choice would be.
template <class Change>
void ChangeList(TComboBox* list, TfrmSetup& dialog, Change change) {
    std::string before = list->Text();
    change();
    if (list->Text() != before) dialog.ParamChange(list);
}

// Selects the item equal to text, ASCII letter case ignored; with none equal, nothing is selected and the text
// stays empty.
void SelectText(TComboBox* list, const std::string& text, TfrmSetup& dialog) {
    ChangeList(list, dialog, [&] {
        int found = -1;
        for (int i = 0; i < list->Items()->Count() && found < 0; ++i)
            if (SameText(list->Items()->Strings(i), text)) found = i;
        list->SetItemIndex(found);
    });
}

// A port stored as a device path is in no list: it comes back as the field's text, as it was typed.
void SelectPort(TComboBox* list, const std::string& port, TfrmSetup& dialog) {
    if (!IsDevicePath(port)) return SelectText(list, port, dialog);
    ChangeList(list, dialog, [&] { list->SetText(port); });
}

void SelectIndex(TComboBox* list, int index, TfrmSetup& dialog) {
    ChangeList(list, dialog, [&] { list->SetItemIndex(index >= 0 && index < list->Items()->Count() ? index : -1); });
}

BYTE IndexOrZero(const TComboBox* list) {
    int index = list->ItemIndex();
    return static_cast<BYTE>(index >= 0 && index <= 2 ? index : 0);
}

}  // namespace

TfrmSetup::TfrmSetup(TComponent* owner) : TForm(owner) { InitInheritedComponent("comSetup"); }

void TfrmSetup::FormCreate(TObject*) {
    RequireComponents(this);
    TIniFile ini(ConfigFilePath());
    SelectPort(cbbPort, ini.ReadString("COM", "Port", "COM1"), *this);
    SelectText(cbbBaudRate, ini.ReadString("COM", "BaudRate", "9600"), *this);
    SelectText(cbbByteSize, ini.ReadString("COM", "ByteSize", "8"), *this);
    SelectIndex(cbbStopBite, ini.ReadInteger("COM", "StopBits", 0), *this);
    // A parity that is not a number keeps the default, none.
    SelectIndex(cbbCheckByte, StrToIntDef(ini.ReadString("COM", "Parity", "0"), 0), *this);
}

void TfrmSetup::ParamChange(TObject*) { btnOK->SetEnabled(true); }

void TfrmSetup::btnOKClick(TObject*) {
    TIniFile ini(ConfigFilePath());
    ini.WriteString("COM", "Port", cbbPort->Text());
    ini.WriteString("COM", "BaudRate", cbbBaudRate->Text());
    ini.WriteString("COM", "ByteSize", cbbByteSize->Text());
    ini.WriteInteger("COM", "StopBits", cbbStopBite->ItemIndex());
    ini.WriteString("COM", "Parity", IntToStr(cbbCheckByte->ItemIndex()));
    SetModalResult(ApplyParam() ? mrOk : mrNone);
}

bool TfrmSetup::ApplyParam() {
    // A text that is not a number raises "'%s' is not a valid integer value": the dialog stays open.
    int baud = StrToInt(cbbBaudRate->Text());
    int byteSize = StrToInt(cbbByteSize->Text());
    bool opened = OpenPort(cbbPort->Text(), static_cast<DWORD>(baud), static_cast<BYTE>(byteSize),
                           IndexOrZero(cbbStopBite), IndexOrZero(cbbCheckByte));
    if (!opened) MessageBoxA(nullptr, ("端口：" + cbbPort->Text() + "打开失败！").c_str(), nullptr, MB_OK);
    return opened;
}

DWORD TfrmSetup::StartupBaudRate() const { return static_cast<DWORD>(StrToIntDef(cbbBaudRate->Text(), 9600)); }

BYTE TfrmSetup::StartupByteSize() const { return static_cast<BYTE>(StrToIntDef(cbbByteSize->Text(), 8)); }

BYTE TfrmSetup::StartupStopBits() const { return IndexOrZero(cbbStopBite); }

BYTE TfrmSetup::StartupParity() const { return IndexOrZero(cbbCheckByte); }
