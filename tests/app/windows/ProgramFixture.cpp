// The program fixture: a clean Config.ini, the emulator linked as COM1, the main window made as the program
// makes it, and everything destroyed and closed again after each test.
#include "ProgramFixture.h"

#include <UnitsEnvironment.h>
#include <skin/ControlsUnit.h>
#include <toolkit/IniFile.h>

#include <fcntl.h>
#include <unistd.h>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string WindowText(HWND hwnd) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// The words of a box as Ctrl+C put them on the clipboard: rule, caption, rule, words, rule, buttons, rule.
std::string BoxWords() {
    std::string copied;
    if (!OpenClipboard(nullptr)) return copied;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        copied = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    const std::string rule = "---------------------------\r\n";
    size_t first = copied.find(rule, rule.size());
    if (first == std::string::npos) return copied;
    size_t start = first + rule.size();
    size_t end = copied.find("\r\n" + rule, start);
    return end == std::string::npos ? copied : copied.substr(start, end - start);
}

// The skinning library's units run around every window, as the program starts and stops them.
[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new UnitsEnvironment<InitializeControlsUnits, FinalizeControlsUnits>);

}  // namespace

void ProgramFixture::SetUp() {
    std::error_code ec;
    fs::remove_all(ConfigFile(), ec);
    ASSERT_TRUE(unit.Start()) << unit.Error();
    link = std::make_unique<testsupport::ScopedPortLink>(1, unit.SlavePath());
    wintest::SetKeepOpenedDocuments(true);
}

void ProgramFixture::TearDown() {
    delete Form1;  // the port dialog with it
    Form1 = nullptr;
    frmSetup = nullptr;
    if (reinterpret_cast<LONG_PTR>(PortHandle) > 0) ClosePort();
    Application->ProcessMessages();
    wintest::ResetInput();
    EXPECT_EQ(wintest::PendingModalAnswers(), 0u) << "a message box that was expected did not show";
    // Answers left by a failed test would answer the next test's boxes: boxes of our own take them.
    while (wintest::PendingModalAnswers() > 0) MessageBoxA(nullptr, "left over", nullptr, MB_OK);
    Application->ProcessMessages();
    wintest::ResetInput();
    link.reset();
    unit.Stop();
    std::error_code ec;
    fs::remove_all(ConfigFile(), ec);
}

void ProgramFixture::PrepareConfig(const std::string& sections, int sendThenWait) {
    testsupport::WriteFileBytes(ConfigFile(), "[Others]\nSendThenWait=" + std::to_string(sendThenWait) +
                                                  "\nWriteOrderWaitThenRead=" + std::to_string(QuickWait) + "\n" +
                                                  sections);
}

std::string ProgramFixture::ConfigValue(const std::string& section, const std::string& key) {
    return TIniFile(ConfigFilePath()).ReadString(section, key, "<absent>");
}

std::string ProgramFixture::ConfigFile() { return fs::path(ConfigFilePath()).string(); }

void ProgramFixture::StartProgram() {
    Application->CreateForm(Form1);
    Form1->Show();
    Pump();
}

void ProgramFixture::AnswerBox(std::function<void()> then, UINT key) {
    wintest::QueueModalAnswer([this, then, key](HWND box) {
        BoxSeen seen;
        seen.Caption = WindowText(box);
        seen.Owner = GetWindow(box, GW_OWNER);
        wintest::KeyPress('C', wintest::Control);
        wintest::PumpUntilIdle();
        seen.Text = BoxWords();
        Boxes.push_back(seen);
        wintest::KeyPress(key);
        if (then) then();
    });
}

void ProgramFixture::Pump() {
    try {
        Application->ProcessMessages();
    } catch (...) {
        Application->HandleException(Application);
    }
}

void ProgramFixture::Click(TControl* control) { ClickAt(control, control->Width() / 2, control->Height() / 2); }

void ProgramFixture::ClickAt(TControl* control, int x, int y) {
    POINT at = control->ClientToScreen(POINT{x, y});
    wintest::MouseClick(at.x, at.y);
    Pump();
}

void ProgramFixture::Press(UINT vk, unsigned modifiers) {
    wintest::KeyPress(vk, modifiers);
    Pump();
}

void ProgramFixture::Type(const std::u16string& text) {
    wintest::TypeText(text);
    Pump();
}

void ProgramFixture::ClickTab(int sheet) {
    RECT tab = Form1->PageControl1->TabRect(sheet);
    ClickAt(Form1->PageControl1, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
}

void ProgramFixture::ChooseChannelCount(int index) {
    Click(Form1->cbbChCount);  // opens the list
    Press(index > Form1->cbbChCount->ItemIndex() ? VK_DOWN : VK_UP);
    Press(VK_RETURN);
}

std::vector<unit_emulator::FrameRecord> ProgramFixture::FramesAfter(size_t count) {
    unit.WaitForFrames(count, std::chrono::seconds(5));
    return unit.Frames();
}

void ProgramFixture::PreloadLine(int group, int row, const std::string& text, int x, int y, int size) {
    int code = 3 - group;
    std::string frame = {'\xDD',
                         '\xBB',
                         static_cast<char>(text.size() + 3),
                         static_cast<char>(((code * 16 + row) * 2) * 2 + 1),
                         static_cast<char>(x),
                         static_cast<char>(size * 64 + y)};
    frame += text;
    size_t before = unit.Frames().size();
    int fd = open(unit.SlavePath().c_str(), O_WRONLY | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, frame.data(), frame.size()), static_cast<ssize_t>(frame.size()));
    close(fd);
    ASSERT_TRUE(unit.WaitForFrames(before + 1, std::chrono::seconds(5)));
}

std::string ProgramFixture::Hex(const std::vector<uint8_t>& bytes) {
    std::string text;
    char digits[4];
    for (uint8_t byte : bytes) {
        std::snprintf(digits, sizeof digits, text.empty() ? "%02X" : " %02X", byte);
        text += digits;
    }
    return text;
}
