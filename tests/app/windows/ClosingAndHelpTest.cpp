// Closing the main window saves every group to Config.ini and closes the port, unless the file cannot be
// written; the help button opens the first help file that exists beside the executable.
#include "ProgramFixture.h"

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

using ClosingTest = ProgramFixture;

TEST_F(ClosingTest, ExitSavesTheEditedValuesWhichTheNextStartShows) {
    PrepareConfig("[Check1]\n15=1\n[Text0]\n12=kept\n");
    StartProgram();
    Click(Groups[0].Checks[2]);
    Click(Groups[0].TextEdits[2]);
    Press(VK_END);
    Type(u"新");
    Click(Groups[0].XEdits[2]);
    Press(VK_UP);
    Press(VK_UP);
    ClickTab(2);
    Click(Groups[2].SizeBoxes[7]);
    Press(VK_DOWN);
    Press(VK_DOWN);
    Press(VK_RETURN);
    Click(Form1->ckbDateTime);
    Click(Form1->btnExit);

    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(PortHandle, nullptr) << "the port is closed";
    struct {
        const char* Section;
        const char* Key;
        std::string Value;
    } stored[] = {
        {"Check0", "02", "1"},
        {"Check1", "02", "1"},
        {"Check2", "02", "1"},
        {"Check0", "03", "0"},
        {"Text0", "02", "通道０３新"},
        {"X0", "02", "3"},
        {"Y0", "02", "0"},
        {"Font2", "07", "2"},
        {"Font2", "06", "0"},
        {"CheckText1", "07", "通道08"},
        {"Text2", "07", "通道０８"},
        {"DateTime", "Show", "0"},
        {"DateTime", "X", "24"},
        {"DateTime", "Y", "0"},
        {"Others", "SendThenWait", std::to_string(QuickWait)},
        // Rows that are not built are left as they were.
        {"Check1", "15", "1"},
        {"Text0", "12", "kept"},
        {"Check0", "08", "<absent>"},
    };
    for (const auto& s : stored) EXPECT_EQ(ConfigValue(s.Section, s.Key), s.Value) << s.Section << "/" << s.Key;
    std::string file = testsupport::ReadFileBytes(ConfigFile());
    for (const char* section : {"[Others]", "[DateTime]", "[Check2]"}) {
        size_t first = file.find(section);
        EXPECT_NE(first, std::string::npos) << section;
        EXPECT_EQ(file.find(section, first + 1), std::string::npos) << section << " once";
    }

    delete Form1;
    Form1 = nullptr;
    StartProgram();
    EXPECT_TRUE(Groups[2].Checks[2]->Checked());
    EXPECT_EQ(Groups[0].TextEdits[2]->Text(), "通道０３新");
    EXPECT_EQ(Groups[0].XEdits[2]->Value(), 3);
    EXPECT_EQ(Groups[2].SizeBoxes[7]->Text(), "小");
    EXPECT_FALSE(Form1->ckbDateTime->Checked());
}

TEST_F(ClosingTest, AFileThatCannotBeWrittenKeepsTheWindowAndThePortOpen) {
    struct {
        const char* Way;
        std::function<void()> Close;
    } ways[] = {
        {"exit button", [] { Click(Form1->btnExit); }},
        {"Esc", [] { Press(VK_ESCAPE); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.Way);
        // A directory where the file should be: the profile functions cannot replace it. The start says once
        // that it cannot be read.
        fs::create_directory(ConfigFile());
        Boxes.clear();
        AnswerBox();
        StartProgram();
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, "无法读取" + ConfigFileName() + "，使用默认设置。");
        HANDLE port = PortHandle;
        ASSERT_GT(reinterpret_cast<LONG_PTR>(port), 0);
        Boxes.clear();
        AnswerBox();
        way.Close();
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, "Unable to write to " + ConfigFileName() + ".");
        EXPECT_EQ(PortHandle, port);
        EXPECT_TRUE(Form1->Visible());
        EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
        // The window still works: once the file can be written, closing goes through.
        fs::remove(ConfigFile());
        way.Close();
        EXPECT_EQ(PortHandle, nullptr);
        EXPECT_EQ(ConfigValue("Check0", "00"), "0");
        delete Form1;
        Form1 = nullptr;
        fs::remove(ConfigFile());
    }
}

TEST_F(ClosingTest, AFailedSaveCanBeTriedAgainOrLeftBehind) {
    // The box offers to stay (its default, above), to try again, or to close without saving.
    struct {
        const char* Choice;
        UINT Key;
        bool Saved;
    } choices[] = {{"try again once the file can be written", 'T', true}, {"close without saving", 'C', false}};
    for (const auto& choice : choices) {
        SCOPED_TRACE(choice.Choice);
        fs::create_directory(ConfigFile());
        AnswerBox();  // the start's word that the file cannot be read
        StartProgram();
        Boxes.clear();
        // Trying again while the file still cannot be written brings the box back.
        AnswerBox([&] { AnswerBox([] { fs::remove(ConfigFile()); }, choice.Key); }, 'T');
        Click(Form1->btnExit);
        ASSERT_EQ(Boxes.size(), 2u);
        EXPECT_EQ(Boxes[1].Text, "Unable to write to " + ConfigFileName() + ".");
        EXPECT_EQ(PortHandle, nullptr) << "the window closed";
        EXPECT_EQ(fs::is_regular_file(ConfigFile()), choice.Saved);
        delete Form1;
        Form1 = nullptr;
        fs::remove(ConfigFile());
    }
}

TEST_F(ClosingTest, EveryWayOfClosingSaves) {
    struct {
        const char* Way;
        std::function<void()> Close;
    } ways[] = {
        {"exit button", [] { Click(Form1->btnExit); }},
        {"Esc", [] { Press(VK_ESCAPE); }},
        {"Alt+F4", [] { Press(VK_F4, wintest::Alt); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.Way);
        PrepareConfig();
        StartProgram();
        Click(Groups[0].Checks[6]);
        way.Close();
        EXPECT_EQ(ConfigValue("Check2", "06"), "1");
        EXPECT_EQ(PortHandle, nullptr);
        delete Form1;
        Form1 = nullptr;
    }
}

TEST_F(ClosingTest, AConfigFileNamedInAnotherLetterCaseIsReadAndSavedInPlace) {
    fs::path lower = testsupport::ExeDir() / "config.ini";
    testsupport::WriteFileBytes(lower.string(), "[Check0]\n04=1\n[Text0]\n04=Windows\n");
    StartProgram();
    EXPECT_TRUE(Groups[0].Checks[4]->Checked());
    EXPECT_EQ(Groups[0].TextEdits[4]->Text(), "Windows");
    Click(Form1->ckbDateTime);
    Click(Form1->btnExit);
    EXPECT_FALSE(fs::exists(ConfigFile())) << "no second file under the exact name";
    std::string saved = testsupport::ReadFileBytes(lower.string());
    EXPECT_NE(saved.find("Show=0"), std::string::npos);
    EXPECT_NE(saved.find("04=Windows"), std::string::npos);
    fs::remove(lower);
}

using HelpTest = ProgramFixture;

TEST_F(HelpTest, TheHelpButtonOpensTheFirstHelpFileThatExists) {
    struct {
        std::vector<const char*> Present;
        const char* Opened;  // nullptr: nothing opens
    } cases[] = {
        {{}, nullptr},
        {{"Help.txt", "Help.pdf"}, "Help.pdf"},
        {{"Help.html", "Help.htm"}, "Help.htm"},
        {{"Help.html", "Help.hlp", "Help.chm"}, "Help.hlp"},
        {{"Help.html"}, "Help.html"},
        // Names copied from Windows keep their letter case; Windows finds them all the same.
        {{"help.pdf", "Help.doc"}, "help.pdf"},
        {{"HELP.TXT", "help.txt", "Help.rtf"}, "HELP.TXT"},
    };
    StartProgram();
    fs::path dir = testsupport::ExeDir();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Opened ? c.Opened : "none");
        for (const char* name : c.Present) testsupport::WriteFileBytes((dir / name).string(), "help");
        size_t before = wintest::OpenedDocuments().size();
        Click(Form1->btnHelp);
        std::vector<std::string> opened = wintest::OpenedDocuments();
        for (const char* name : c.Present) fs::remove(dir / name);
        if (!c.Opened) {
            EXPECT_EQ(opened.size(), before);
            continue;
        }
        ASSERT_EQ(opened.size(), before + 1);
        EXPECT_EQ(opened.back(), (dir / c.Opened).string());
    }
}
