// The main window's operations on the unit: write, clear and read back, with the progress bar, and the help file.
#include "Com.h"
#include "Protocol.h"
#include "Settings.h"
#include "Unit1.h"

#include <toolkit/Application.h>

#include <win32/shellapi.h>

#include <algorithm>

namespace {

// Marks an operation as running for its whole length, exceptions included.
class TBusyScope {
public:
    explicit TBusyScope(bool& busy) : FBusy(busy) { FBusy = true; }
    ~TBusyScope() { FBusy = false; }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    bool& FBusy;
};

void Wait(int milliseconds) { Sleep(static_cast<DWORD>(std::max(milliseconds, 0))); }

}  // namespace

void TForm1::ActivateSheet(int number) {
    TTabSheet* sheets[] = {SkTabSheet1, SkTabSheet2, SkTabSheet3};
    PageControl1->SetActivePage(sheets[number - 1]);
}

void TForm1::StartGauge(int count) {
    Gauge1->SetMax(count);
    Gauge1->SetPosition(0);
    Gauge1->SetVisible(true);
}

void TForm1::StepGauge() { Gauge1->SetPosition(Gauge1->Position() + 1); }

bool TForm1::ValidateTexts() {
    for (const TMyObject& record : Groups) {
        for (size_t i = 0; i < record.TextEdits.size(); ++i) {
            if (!record.Checks[i]->Checked() || !record.TextEdits[i]->Text().empty()) continue;
            ActivateSheet(record.GroupIndex + 1);
            MessageBoxA(Handle(), "内容不能为空!", "提示", MB_ICONWARNING | MB_OK);
            record.TextEdits[i]->SetFocus();
            return false;
        }
    }
    return true;
}

void TForm1::SendGroup(const TMyObject& record) {
    for (size_t i = 0; i < record.TextEdits.size(); ++i) {
        if (!record.Checks[i]->Checked()) continue;
        SendTextFrame(record.GroupIndex, static_cast<int>(i), record.XEdits[i]->Value(), record.YEdits[i]->Value(),
                      record.SizeBoxes[i]->ItemIndex(), record.TextEdits[i]->Text());
        StepGauge();
        Application->ProcessMessages();
        Wait(SendThenWait);
    }
}

void TForm1::btnSendCharDateTimeClick(TObject*) {
    // A second operation while one runs (its clicks are processed between frames) is refused, not queued.
    if (FBusy) return;
    TBusyScope busy(FBusy);
    if (!ValidateTexts()) return;
    StartGauge(3 * RowCount);
    for (int g = 0; g < GroupCount; ++g) {
        ActivateSheet(g + 1);
        SendGroup(Groups[static_cast<size_t>(g)]);
    }
    Gauge1->SetVisible(false);
    btnSendDateTimeClick(btnSendDateTime);
    Application->MessageBox("发送完成！", Application->Title(), MB_OK);
}

void TForm1::btnSendDateTimeClick(TObject*) {
    if (ckbDateTime->Checked())
        ShowClock();
    else
        HideClock();
}

void TForm1::btnSendCharClick(TObject*) {
    if (FBusy) return;
    TBusyScope busy(FBusy);
    // An enabled row without text stops the text lines as it stops the full write: the unit is never sent an
    // empty line after the operator was told it is missing.
    if (!ValidateTexts()) return;
    ActivateSheet(1);
    SendGroup(Groups[0]);
    if (SkTabSheet2->Visible()) {
        ActivateSheet(2);
        SendGroup(Groups[1]);
        if (SkTabSheet3->Visible()) {
            ActivateSheet(3);
            SendGroup(Groups[2]);
        }
    }
    Application->MessageBox("发送完成！", Application->Title(), MB_OK);
}

void TForm1::btnClsClick(TObject*) {
    if (FBusy) return;
    TBusyScope busy(FBusy);
    const TMyObject& record = Groups[0];
    StartGauge(RowCount);
    for (size_t i = 0; i < record.Checks.size(); ++i) {
        if (record.Checks[i]->Checked()) SendClearFrame(static_cast<int>(i));
        StepGauge();
        Application->ProcessMessages();
        Wait(SendThenWait);
    }
    Gauge1->SetVisible(false);
    Application->MessageBox("清屏完成！", Application->Title(), MB_OK);
}

bool TForm1::ReadGroup(const TMyObject& record) {
    for (size_t i = 0; i < record.Checks.size(); ++i) {
        if (!record.Checks[i]->Checked()) continue;
        ChannelLine line;
        if (!ReadChannel(record.GroupIndex, static_cast<int>(i), line)) {
            std::string text = "读取第" + IntToStr(record.GroupIndex + 1) + "组->第" +
                               IntToStr(static_cast<int>(i) + 1) + "个通道出错！";
            MessageBoxA(Handle(), text.c_str(), "错误", MB_ICONERROR | MB_OK);
            return false;
        }
        record.TextEdits[i]->SetText(line.Text);
        record.XEdits[i]->SetValue(line.X);
        record.YEdits[i]->SetValue(line.Y);
        record.SizeBoxes[i]->SetItemIndex(line.Size < SizeCount ? line.Size : NoSize);
        StepGauge();
        Application->ProcessMessages();
    }
    return true;
}

void TForm1::btnReadClick(TObject*) {
    if (FBusy) return;
    TBusyScope busy(FBusy);
    StartGauge(3 * RowCount);
    ActivateSheet(1);
    if (ReadGroup(Groups[0])) {
        ActivateSheet(2);
        if (ReadGroup(Groups[1])) {
            ActivateSheet(3);
            ReadGroup(Groups[2]);
        }
    }
    Gauge1->SetVisible(false);
}

void TForm1::btnHelpClick(TObject*) {
    std::string base = ExtractFilePath(Application->ExeName()) + "Help.";
    for (const char* extension : {"hlp", "chm", "pdf", "doc", "txt", "rtf", "htm", "html"}) {
        std::string path = base + extension;
        if (!FileExists(path)) continue;
        ShellExecuteA(Handle(), "OPEN", path.c_str(), nullptr, nullptr, SW_SHOW);
        return;
    }
}
