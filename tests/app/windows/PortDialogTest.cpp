// The port settings dialog, opened with "串口设置": stored settings select their items, OK stores and reopens the
// port, a port that fails to open is reported and leaves none open, Cancel keeps what was chosen, and a device
// path typed for the port is stored, opened and found again at the next start.
#include "ProgramFixture.h"

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

struct DialogTexts {
    std::string Port, BaudRate, ByteSize, Parity, StopBits;
    bool OkEnabled = false;
};

DialogTexts Texts() {
    return {frmSetup->cbbPort->Text(),      frmSetup->cbbBaudRate->Text(), frmSetup->cbbByteSize->Text(),
            frmSetup->cbbCheckByte->Text(), frmSetup->cbbStopBite->Text(), frmSetup->btnOK->Enabled()};
}

}  // namespace

class PortDialogTest : public ProgramFixture {
protected:
    // Opens the dialog with its button; once it is up, inspect runs and drive queues the operator's input.
    // answerBoxes message boxes shown over the dialog are answered after it.
    void OpenDialog(std::function<void()> inspect, std::function<void()> drive, int answerBoxes = 0,
                    std::function<void()> afterBox = nullptr) {
        wintest::QueueModalAnswer([inspect, drive](HWND) {
            if (inspect) inspect();
            drive();
        });
        for (int i = 0; i < answerBoxes; ++i) AnswerBox(afterBox);
        Click(Form1->btnSetPort);
    }
    // Input queued for the dialog's own loop.
    static void ClickList(TComboBox* list) {
        POINT at = list->ClientToScreen(POINT{10, list->Height() / 2});
        wintest::MouseClick(at.x, at.y);
    }
};

TEST_F(PortDialogTest, AFreshFileSelectsTheDefaultsAndOkStoresThemAndReopensComOne) {
    StartProgram();
    HANDLE before = PortHandle;
    ASSERT_GT(reinterpret_cast<LONG_PTR>(before), 0);
    DialogTexts shown;
    OpenDialog([&] { shown = Texts(); }, [] { wintest::KeyPress(VK_RETURN); });
    EXPECT_EQ(shown.Port, "COM1");
    EXPECT_EQ(shown.BaudRate, "9600");
    EXPECT_EQ(shown.ByteSize, "8");
    EXPECT_EQ(shown.Parity, "无");
    EXPECT_EQ(shown.StopBits, "1");
    EXPECT_TRUE(shown.OkEnabled);
    EXPECT_EQ(frmSetup->ModalResult(), mrOk);
    EXPECT_FALSE(frmSetup->Visible());
    EXPECT_TRUE(Boxes.empty());
    EXPECT_GT(reinterpret_cast<LONG_PTR>(PortHandle), 0) << "COM1 reopened";
    struct {
        const char* Key;
        const char* Value;
    } stored[] = {{"Port", "COM1"}, {"BaudRate", "9600"}, {"ByteSize", "8"}, {"StopBits", "0"}, {"Parity", "0"}};
    for (const auto& s : stored) EXPECT_EQ(ConfigValue("COM", s.Key), s.Value) << s.Key;
}

TEST_F(PortDialogTest, StoredValuesSelectTheirItemsWithLetterCaseIgnored) {
    struct {
        std::string Stored;
        DialogTexts Expected;
    } cases[] = {
        {"Port=com2\nParity=2\nStopBits=1\n", {"COM2", "9600", "8", "偶", "1.5", true}},
        {"Port=cOm12\nBaudRate=115200\nByteSize=7\n", {"COM12", "115200", "7", "无", "1", true}},
        // Nothing to select: the texts stay empty, and at start-up the port falls back to 9600 and 8 bits.
        {"Port=COM21\nBaudRate=abc\nByteSize=9\nParity=x\nStopBits=5\n", {"", "", "", "无", "", true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        PrepareConfig("[COM]\n" + c.Stored);
        AnswerBox();  // none of these ports is there
        StartProgram();
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, "打开串口失败！");
        EXPECT_EQ(PortHandle, nullptr);
        EXPECT_EQ(Groups[2].BuiltCount, 8) << "the rows are built all the same";
        DialogTexts shown;
        OpenDialog([&] { shown = Texts(); }, [] { wintest::KeyPress(VK_ESCAPE); });
        EXPECT_EQ(shown.Port, c.Expected.Port);
        EXPECT_EQ(shown.BaudRate, c.Expected.BaudRate);
        EXPECT_EQ(shown.ByteSize, c.Expected.ByteSize);
        EXPECT_EQ(shown.Parity, c.Expected.Parity);
        EXPECT_EQ(shown.StopBits, c.Expected.StopBits);
        EXPECT_EQ(shown.OkEnabled, c.Expected.OkEnabled);
        delete Form1;
        Form1 = nullptr;
        Boxes.clear();
    }
}

TEST_F(PortDialogTest, OkStoresTheChosenItems) {
    // A pseudo-terminal carries 8 data bits without parity only: the settings it refuses are stored all the same,
    // reported as a failed open and leave no port open, while the dialog stays up until Esc.
    struct {
        TComboBox* TfrmSetup::*List;
        int Downs;
        const char* Key;
        const char* Stored;
        bool PtyTakesIt;
    } cases[] = {
        {&TfrmSetup::cbbCheckByte, 2, "Parity", "2", false},     {&TfrmSetup::cbbCheckByte, 1, "Parity", "1", false},
        {&TfrmSetup::cbbStopBite, 1, "StopBits", "1", true},     {&TfrmSetup::cbbStopBite, 2, "StopBits", "2", true},
        {&TfrmSetup::cbbBaudRate, 3, "BaudRate", "38400", true}, {&TfrmSetup::cbbByteSize, -3, "ByteSize", "5", false},
    };
    StartProgram();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Key + std::string("=") + c.Stored);
        PrepareConfig();
        Boxes.clear();
        OpenDialog(
            nullptr,
            [&] {
                TComboBox* list = frmSetup->*c.List;
                ClickList(list);
                for (int i = 0; i < std::abs(c.Downs); ++i) wintest::KeyPress(c.Downs > 0 ? VK_DOWN : VK_UP);
                wintest::KeyPress(VK_RETURN);
            },
            c.PtyTakesIt ? 0 : 1, [] { wintest::KeyPress(VK_ESCAPE); });
        EXPECT_EQ(ConfigValue("COM", c.Key), c.Stored);
        if (c.PtyTakesIt) {
            EXPECT_EQ(frmSetup->ModalResult(), mrOk);
            EXPECT_GT(reinterpret_cast<LONG_PTR>(PortHandle), 0);
            EXPECT_TRUE(Boxes.empty());
        } else {
            EXPECT_EQ(frmSetup->ModalResult(), mrCancel);
            EXPECT_EQ(PortHandle, nullptr);
            ASSERT_EQ(Boxes.size(), 1u);
            EXPECT_EQ(Boxes[0].Text, "端口：COM1打开失败！");
        }
        // Back to the first settings for the next case.
        OpenDialog(nullptr, [&] {
            TComboBox* list = frmSetup->*c.List;
            ClickList(list);
            for (int i = 0; i < std::abs(c.Downs); ++i) wintest::KeyPress(c.Downs > 0 ? VK_UP : VK_DOWN);
            wintest::KeyPress(VK_RETURN);
        });
        EXPECT_GT(reinterpret_cast<LONG_PTR>(PortHandle), 0);
    }
}

TEST_F(PortDialogTest, AnAbsentPortIsReportedStoredAndLeavesNoPortOpen) {
    StartProgram();
    ASSERT_GT(reinterpret_cast<LONG_PTR>(PortHandle), 0);
    // After the box the dialog is still up: Esc closes it.
    OpenDialog(
        nullptr,
        [&] {
            ClickList(frmSetup->cbbPort);
            wintest::KeyPress(VK_DOWN);
            wintest::KeyPress(VK_DOWN);
            wintest::KeyPress(VK_RETURN);
        },
        1, [] { wintest::KeyPress(VK_ESCAPE); });
    EXPECT_EQ(frmSetup->ModalResult(), mrCancel) << "the dialog stayed open until Esc";
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "端口：COM3打开失败！");
    EXPECT_EQ(Boxes[0].Owner, nullptr);
    EXPECT_EQ(Boxes[0].Caption, "错误") << "the system's default caption";
    EXPECT_EQ(PortHandle, nullptr);
    EXPECT_EQ(ConfigValue("COM", "Port"), "COM3") << "stored before the port was tried";
}

TEST_F(PortDialogTest, LineSettingsThePortRefusesAreReportedAsAFailedOpen) {
    StartProgram();
    ASSERT_GT(reinterpret_cast<LONG_PTR>(PortHandle), 0);
    // 5 data bits with 2 stop bits: no UART frames bytes that way.
    OpenDialog(
        nullptr,
        [&] {
            ClickList(frmSetup->cbbByteSize);
            for (int i = 0; i < 3; ++i) wintest::KeyPress(VK_UP);
            ClickList(frmSetup->cbbStopBite);
            wintest::KeyPress(VK_DOWN);
            wintest::KeyPress(VK_DOWN);
            wintest::KeyPress(VK_RETURN);
        },
        1, [] { wintest::KeyPress(VK_ESCAPE); });
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "端口：COM1打开失败！");
    EXPECT_EQ(frmSetup->ModalResult(), mrCancel) << "the dialog stayed open until Esc";
    EXPECT_EQ(PortHandle, nullptr) << "no port is left open on other settings";
    EXPECT_EQ(ConfigValue("COM", "ByteSize"), "5");
    EXPECT_EQ(ConfigValue("COM", "StopBits"), "2");
}

TEST_F(PortDialogTest, CancelKeepsTheChoicesForTheNextOpeningWithoutStoringOrApplying) {
    StartProgram();
    HANDLE port = PortHandle;
    OpenDialog(nullptr, [&] {
        ClickList(frmSetup->cbbBaudRate);
        wintest::KeyPress(VK_DOWN);
        ClickList(frmSetup->cbbCheckByte);
        wintest::KeyPress(VK_DOWN);
        wintest::KeyPress(VK_ESCAPE);
    });
    EXPECT_EQ(frmSetup->ModalResult(), mrCancel);
    EXPECT_EQ(PortHandle, port) << "the port is not reopened";
    EXPECT_EQ(ConfigValue("COM", "BaudRate"), "<absent>");
    DialogTexts shown;
    OpenDialog([&] { shown = Texts(); }, [] { wintest::KeyPress(VK_ESCAPE); });
    EXPECT_EQ(shown.BaudRate, "14400");
    EXPECT_EQ(shown.Parity, "奇");
    EXPECT_EQ(shown.Port, "COM1");
}

// A typed baud rate or data-bits text that is not a number stops OK after storing; the port is not touched.
class NotANumberTest : public PortDialogTest {
protected:
    void TypeAndConfirm(TComboBox* TfrmSetup::*list, const std::u16string& typed, bool byMouse) {
        HANDLE port = PortHandle;
        Boxes.clear();
        OpenDialog(
            nullptr,
            [&] {
                ClickList(frmSetup->*list);
                wintest::KeyPress(VK_END);
                for (int i = 0; i < 6; ++i) wintest::KeyPress(VK_BACK);
                wintest::TypeText(typed);
                if (byMouse) {
                    POINT at = frmSetup->btnOK->ClientToScreen(POINT{10, 10});
                    wintest::MouseClick(at.x, at.y);
                } else {
                    wintest::KeyPress(VK_RETURN);
                }
            },
            1, [] { wintest::KeyPress(VK_ESCAPE); });
        EXPECT_EQ(frmSetup->ModalResult(), mrCancel) << "the dialog stayed open until Esc";
        EXPECT_EQ(PortHandle, port);
    }
};

TEST_F(NotANumberTest, OkClickedIsRefusedWithTheConversionMessage) {
    StartProgram();
    TypeAndConfirm(&TfrmSetup::cbbByteSize, u"八", true);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "'八' is not a valid integer value.");
    EXPECT_EQ(ConfigValue("COM", "ByteSize"), "八") << "stored before the conversion";
    // The typed data bits stay after Esc; the baud rate is converted first.
    TypeAndConfirm(&TfrmSetup::cbbBaudRate, u"96O0", true);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "'96O0' is not a valid integer value.");
    EXPECT_EQ(ConfigValue("COM", "BaudRate"), "96O0");
    EXPECT_EQ(frmSetup->cbbByteSize->Text(), "八");
}

// Enter on the default button raises inside the toolkit's dialog keyboard, outside any window procedure: the
// message is shown all the same and the dialog stays open.
TEST_F(NotANumberTest, EnterOnOkIsRefusedWithTheConversionMessage) {
    StartProgram();
    TypeAndConfirm(&TfrmSetup::cbbBaudRate, u"96O0", false);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "'96O0' is not a valid integer value.");
}

// A port typed as the path of its device, as a USB adapter's /dev/ttyUSB0 would be.
class DevicePathTest : public PortDialogTest {
protected:
    // Replaces the port field's text by typed and presses Enter (OK); boxes shown over the dialog are answered,
    // then Esc closes it.
    void TypePort(const std::u16string& typed, int answerBoxes = 0) {
        OpenDialog(
            nullptr,
            [typed] {
                ClickList(frmSetup->cbbPort);
                wintest::KeyPress(VK_END);
                for (size_t i = 0; i < frmSetup->cbbPort->Text().size(); ++i) wintest::KeyPress(VK_BACK);
                wintest::TypeText(typed);
                wintest::KeyPress(VK_RETURN);
            },
            answerBoxes, [] { wintest::KeyPress(VK_ESCAPE); });
    }
    void Restart() {
        delete Form1;
        Form1 = nullptr;
        StartProgram();
    }
    static std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }
};

TEST_F(DevicePathTest, IsStoredAsTypedOpenedAndOpenedAgainAtTheNextStart) {
    fs::path chinese = testsupport::ExeDir() / u8"串口";
    fs::remove(chinese);
    fs::create_symlink(unit.SlavePath(), chinese);
    struct {
        std::u16string Typed;
        std::string Stored;  // GBK, as the field and the file hold it
    } cases[] = {
        {Ascii(unit.SlavePath()), unit.SlavePath()},
        {testsupport::ExeDir().u16string() + u"/串口", testsupport::ExeDir().string() + "/串口"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        PrepareConfig();
        link = std::make_unique<testsupport::ScopedPortLink>(1, unit.SlavePath());
        StartProgram();
        ASSERT_GT(reinterpret_cast<LONG_PTR>(PortHandle), 0);
        link.reset();  // from here only the path reaches the unit
        TypePort(c.Typed);
        EXPECT_TRUE(Boxes.empty());
        EXPECT_EQ(frmSetup->ModalResult(), mrOk);
        EXPECT_GT(reinterpret_cast<LONG_PTR>(PortHandle), 0);
        EXPECT_EQ(ConfigValue("COM", "Port"), c.Stored);

        Restart();
        EXPECT_TRUE(Boxes.empty()) << "the start-up opening found the port";
        EXPECT_EQ(frmSetup->cbbPort->Text(), c.Stored);
        EXPECT_EQ(frmSetup->cbbPort->ItemIndex(), -1);
        EXPECT_TRUE(frmSetup->btnOK->Enabled());
        ASSERT_GT(reinterpret_cast<LONG_PTR>(PortHandle), 0);
        size_t before = unit.Frames().size();
        AnswerBox();
        Click(Form1->btnSendCharDateTime);
        ASSERT_EQ(FramesAfter(before + 1).size(), before + 1) << "the clock frame reached the unit";
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, "发送完成！");
        Boxes.clear();
        delete Form1;
        Form1 = nullptr;
    }
    fs::remove(chinese);
}

TEST_F(DevicePathTest, APathThatIsNoTerminalIsRefusedAndLeavesNoPortOpen) {
    const std::string paths[] = {
        ConfigFileName(),                                  // a regular file
        (testsupport::ExeDir() / "no-such-tty").string(),  // nothing
        "/dev/null",                                       // a device, but no terminal
        testsupport::ExeDir().string(),                    // a directory
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        PrepareConfig();
        StartProgram();
        ASSERT_GT(reinterpret_cast<LONG_PTR>(PortHandle), 0);
        TypePort(Ascii(path), 1);
        EXPECT_EQ(frmSetup->ModalResult(), mrCancel) << "the dialog stayed open until Esc";
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, "端口：" + path + "打开失败！");
        EXPECT_EQ(PortHandle, nullptr);
        EXPECT_EQ(ConfigValue("COM", "Port"), path) << "stored before the port was tried";
        Boxes.clear();
        delete Form1;
        Form1 = nullptr;
    }
}
