// The program installed in a folder whose name code page 936 cannot hold (a user folder with "ø" or "Æ"): it finds,
// reads and writes Config.ini and finds its help beside the executable all the same. A copy of this test program
// runs from such a folder and plays the program's part there.
#include "ProgramFixture.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* ChildVariable = "OVERLAY_INSTALL_FOLDER_CHILD";

class InstallFolderChild : public ProgramFixture {
protected:
    void SetUp() override {
        if (!std::getenv(ChildVariable)) GTEST_SKIP() << "runs in a copy of this program in a folder of its own";
        ProgramFixture::SetUp();
    }
    void TearDown() override {
        if (std::getenv(ChildVariable)) ProgramFixture::TearDown();
    }
};

TEST_F(InstallFolderChild, ConfigIniIsReadAndSavedAndHelpOpensBesideTheProgram) {
    ASSERT_NE(ConfigFileName().find('?'), std::string::npos) << "the folder's name must be one code page 936 lacks";
    PrepareConfig("[Text0]\n00=来自文件\n");
    fs::path help = fs::path(ProgramFolder()) / "Help.htm";
    testsupport::WriteFileBytes(help.string(), "<html>");
    StartProgram();
    EXPECT_EQ(Groups[0].TextEdits[0]->Text(), "来自文件");

    Click(Form1->btnHelp);
    ASSERT_FALSE(wintest::OpenedDocuments().empty());
    EXPECT_EQ(wintest::OpenedDocuments().back(), help.string());

    Click(Groups[0].TextEdits[0]);
    Press(VK_END);
    Type(u"新");
    Click(Form1->btnExit);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(ConfigValue("Text0", "00"), "来自文件新");
    for (const auto& entry : fs::directory_iterator(fs::path(ProgramFolder())))
        EXPECT_EQ(entry.path().filename().string().find('?'), std::string::npos) << entry.path();
}

TEST(InstallFolder, TheProgramKeepsItsFilesBesideItWhateverTheFolderIsCalled) {
    if (std::getenv(ChildVariable)) GTEST_SKIP() << "this copy is the child";
    fs::path folder = testsupport::ExeDir() / fs::path(u"安装 Søren Ærø");
    fs::remove_all(folder);
    fs::create_directory(folder);
    fs::path exe = folder / "test_app_windows";
    std::error_code ec;
    fs::create_hard_link(fs::read_symlink("/proc/self/exe"), exe, ec);
    if (ec) fs::copy_file(fs::read_symlink("/proc/self/exe"), exe);

    // A box nobody answers would hold the child forever: it gets two minutes.
    std::string command = std::string(ChildVariable) + "=1 timeout 120 '" + exe.string() +
                          "' --gtest_filter=InstallFolderChild.* --gtest_color=no 2>&1";
    std::string output;
    FILE* child = popen(command.c_str(), "r");
    ASSERT_NE(child, nullptr);
    char chunk[4096];
    while (size_t n = std::fread(chunk, 1, sizeof chunk, child)) output.append(chunk, n);
    int status = pclose(child);
    EXPECT_EQ(status, 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test."), std::string::npos) << output;
    fs::remove_all(folder);
}

}  // namespace
