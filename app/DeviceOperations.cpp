// The main window's operations on the unit: write, clear and read back, with the progress bar, and the help file.
#include "Com.h"
#include "FrameSequence.h"
#include "Unit1.h"

#include <toolkit/Application.h>

#include <win32/shellapi.h>

#include <algorithm>
#include <filesystem>
#include <vector>

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

// The file of that name in the folder; when the exact name is absent, the first (in UTF-16 order) whose name
// differs only in letter case, as a file copied from Windows may ("help.htm"); empty when there is none. The folder
// may hold any characters.
std::u16string FileBeside(const std::u16string& directory, const std::u16string& name) {
    if (FileExists(directory + name)) return directory + name;
    std::vector<std::u16string> matches;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(directory), ec)) {
        std::u16string found = entry.path().filename().u16string();
        if (SameText(WideToAnsiText(found), WideToAnsiText(name)) && FileExists(directory + found))
            matches.push_back(found);
    }
    if (matches.empty()) return std::u16string();
    return directory + *std::min_element(matches.begin(), matches.end());
}

}  // namespace

void TForm1::ActivateSheet(int number) {
    TSkTabSheet* sheets[] = {SkTabSheet1, SkTabSheet2, SkTabSheet3};
    PageControl1->SetActivePage(sheets[number - 1]);
}

void TForm1::StartGauge(int count) {
    Gauge1->SetMax(count);
    Gauge1->SetPosition(0);
    Gauge1->SetVisible(true);
}

void TForm1::StepGauge() { Gauge1->SetPosition(Gauge1->Position() + 1); }

bool TForm1::ValidateTexts() {
    int group = 0, row = 0;
    if (!FindEmptyEnabledRow(ControlSettings(), group, row)) return true;
    ActivateSheet(group + 1);
    MessageBoxA(Handle(), "内容不能为空!", "提示", MB_ICONWARNING | MB_OK);
    Groups[static_cast<size_t>(group)].TextEdits[static_cast<size_t>(row)]->SetFocus();
    return false;
}

bool TForm1::GoOn() {
    Application->ProcessMessages();
    return !FCloseRequested;
}

void TForm1::CloseIfAsked() {
    if (!FCloseRequested) return;
    FCloseRequested = false;
    Close();
}

bool TForm1::RunSteps(const std::vector<FrameStep>& steps) {
    SendResult result = SendSteps(steps, [this](const FrameStep&) {
        StepGauge();
        // The wait processes messages in slices: a close asked for during it ends the operation there.
        return GoOn() && SlicedWait(SendThenWait, [this] { return GoOn(); });
    });
    if (result.End != SendResult::seFailed) return result.End == SendResult::seDone;
    // The frames after the one the port refused are not sent: the unit would show a half-written configuration
    // as if it were whole.
    Gauge1->SetVisible(false);
    MessageBoxA(Handle(), SendFailureText(PortName, steps[result.At]).c_str(), "错误", MB_ICONERROR | MB_OK);
    return false;
}

bool TForm1::SendGroup(const TMyObject& record, const OverlaySettings& settings) {
    return RunSteps(GroupSteps(settings, record.GroupIndex));
}

bool TForm1::SendClock() { return RunSteps({ClockStep(ckbDateTime->Checked())}); }

void TForm1::btnSendCharDateTimeClick(TObject*) {
    // A second operation while one runs (its clicks are processed between frames) is refused, not queued.
    if (FBusy) return;
    {
        TBusyScope busy(FBusy);
        if (!ValidateTexts()) return;
        OverlaySettings settings = ControlSettings();
        StartGauge(3 * RowCount);
        bool sent = true;
        for (int g = 0; g < GroupCount && sent; ++g) {
            ActivateSheet(g + 1);
            sent = SendGroup(Groups[static_cast<size_t>(g)], settings);
        }
        Gauge1->SetVisible(false);
        if (sent && SendClock()) Application->MessageBox("发送完成！", Application->Title(), MB_OK);
    }
    CloseIfAsked();
}

void TForm1::btnSendDateTimeClick(TObject*) { SendClock(); }

void TForm1::btnSendCharClick(TObject*) {
    if (FBusy) return;
    {
        TBusyScope busy(FBusy);
        // An enabled row without text stops the text lines as it stops the full write: the unit is never sent an
        // empty line after the operator was told it is missing.
        if (!ValidateTexts()) return;
        OverlaySettings settings = ControlSettings();
        ActivateSheet(1);
        bool sent = SendGroup(Groups[0], settings);
        if (sent && SkTabSheet2->Visible()) {
            ActivateSheet(2);
            sent = SendGroup(Groups[1], settings);
            if (sent && SkTabSheet3->Visible()) {
                ActivateSheet(3);
                sent = SendGroup(Groups[2], settings);
            }
        }
        if (sent) Application->MessageBox("发送完成！", Application->Title(), MB_OK);
    }
    CloseIfAsked();
}

void TForm1::btnClsClick(TObject*) {
    if (FBusy) return;
    {
        TBusyScope busy(FBusy);
        std::vector<bool> enabled;
        for (const TCheckBox* check : Groups[0].Checks) enabled.push_back(check->Checked());
        StartGauge(RowCount);
        bool cleared = RunSteps(ClearSteps(enabled));
        Gauge1->SetVisible(false);
        if (cleared) Application->MessageBox("清屏完成！", Application->Title(), MB_OK);
    }
    CloseIfAsked();
}

bool TForm1::ReadGroup(const TMyObject& record) {
    for (size_t i = 0; i < record.Checks.size(); ++i) {
        if (!record.Checks[i]->Checked()) continue;
        ChannelLine line;
        if (!ReadChannel(record.GroupIndex, static_cast<int>(i), line, [this] { return GoOn(); })) {
            if (FCloseRequested) return false;  // the close ended the wait: no failure to report
            MessageBoxA(Handle(), ReadFailureText(record.GroupIndex, static_cast<int>(i)).c_str(), "错误",
                        MB_ICONERROR | MB_OK);
            return false;
        }
        record.TextEdits[i]->SetText(line.Text);
        record.XEdits[i]->SetValue(line.X);
        record.YEdits[i]->SetValue(line.Y);
        record.SizeBoxes[i]->SetItemIndex(line.Size < SizeCount ? line.Size : NoSize);
        StepGauge();
        if (!GoOn()) return false;
    }
    return true;
}

void TForm1::btnReadClick(TObject*) {
    if (FBusy) return;
    {
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
    CloseIfAsked();
}

void TForm1::btnHelpClick(TObject*) {
    std::u16string directory = ProgramFolder();
    for (const char16_t* extension : {u"hlp", u"chm", u"pdf", u"doc", u"txt", u"rtf", u"htm", u"html"}) {
        std::u16string path = FileBeside(directory, u"Help." + std::u16string(extension));
        if (path.empty()) continue;
        ShellExecuteW(Handle(), u"OPEN", path.c_str(), nullptr, nullptr, SW_SHOW);
        return;
    }
}
