// Loading and saving the overlay configuration through Config.ini.
#include "Settings.h"

#include "Protocol.h"
#include "TestSupport.h"

#include <win32/windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    std::string path = dir.File("Config.ini");

    void WriteFile(const std::string& content) { testsupport::WriteFileBytes(path, content); }
    std::string ReadFile() { return testsupport::ReadFileBytes(path); }
    OverlaySettings LoadAll(int rows) {
        TIniFile ini(path);
        OverlaySettings settings;
        for (int g = 0; g < GroupCount; ++g) LoadGroup(ini, g, rows, settings);
        return settings;
    }
    void SaveAll(const OverlaySettings& settings) {
        TIniFile ini(path);
        for (int g = 0; g < GroupCount; ++g) SaveGroup(ini, g, settings);
    }
    std::string Value(const std::string& section, const std::string& key) {
        char buffer[256];
        GetPrivateProfileStringA(section.c_str(), key.c_str(), "<none>", buffer, sizeof buffer, path.c_str());
        return buffer;
    }
    static size_t Count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
};

TEST_F(SettingsTest, FirstStartWithoutFileGivesDefaults) {
    SendThenWait = WriteOrderWaitThenRead = 1;
    OverlaySettings settings = LoadAll(8);
    EXPECT_EQ(SendThenWait, 500);
    EXPECT_EQ(WriteOrderWaitThenRead, 500);
    for (int g = 0; g < GroupCount; ++g) {
        ASSERT_EQ(settings.Groups[g].size(), 8u);
        for (int i = 0; i < 8; ++i) {
            const RowSettings& row = settings.Groups[g][i];
            EXPECT_FALSE(row.Enabled);
            EXPECT_EQ(row.Name, "通道0" + std::to_string(i + 1));
            EXPECT_EQ(row.Text, "通道０" + std::string(1, "１２３４５６７８"[2 * i]) + "１２３４５６７８"[2 * i + 1]);
            EXPECT_EQ(row.X, 1);
            EXPECT_EQ(row.Y, 0);
            EXPECT_EQ(row.Size, 0);
        }
    }
    EXPECT_TRUE(settings.Clock.Shown);
    EXPECT_EQ(settings.Clock.X, 24);
    EXPECT_EQ(settings.Clock.Y, 0);
    EXPECT_FALSE(std::filesystem::exists(path)) << "loading writes nothing";
}

TEST_F(SettingsTest, FullWidthDigitsAreGbkBytes) {
    EXPECT_EQ(FullWidthDigits("01"), "\xA3\xB0\xA3\xB1");
    EXPECT_EQ(DefaultText(15), "通道１６");
    EXPECT_EQ(DefaultName(15), "通道16");
}

TEST_F(SettingsTest, OutOfRangeValuesAreBroughtIntoRange) {
    WriteFile(
        "[X0]\r\n00=40\r\n01=abc\r\n02=0x1F\r\n03=-1\r\n"
        "[Y0]\r\n00=-5\r\n01=30\r\n02=$A\r\n"
        "[Font0]\r\n00=7\r\n01=-1\r\n02=2\r\n03=x\r\n"
        "[Others]\r\nSendThenWait=2147483647\r\nWriteOrderWaitThenRead=-40\r\n");
    OverlaySettings settings = LoadAll(8);
    // Waits are bounded: one frame must never freeze the window for weeks.
    EXPECT_EQ(SendThenWait, MaxWait);
    EXPECT_EQ(WriteOrderWaitThenRead, 0);
    const auto& rows = settings.Groups[0];
    EXPECT_EQ(rows[0].X, 31);
    EXPECT_EQ(rows[1].X, 1);
    EXPECT_EQ(rows[2].X, 31);
    EXPECT_EQ(rows[3].X, 0);
    EXPECT_EQ(rows[0].Y, 0);
    EXPECT_EQ(rows[1].Y, 29);
    EXPECT_EQ(rows[2].Y, 10);
    EXPECT_EQ(rows[0].Size, NoSize);
    EXPECT_EQ(rows[1].Size, NoSize);
    EXPECT_EQ(rows[2].Size, 2);
    EXPECT_EQ(rows[3].Size, 0);

    // A size outside the list is saved back as -1 and sent with both size bits set.
    SaveAll(settings);
    EXPECT_EQ(Value("Font0", "00"), "-1");
    EXPECT_EQ(Value("X0", "00"), "31");
    EXPECT_EQ(TextFrame(0, 0, rows[0].X, rows[0].Y, rows[0].Size, rows[0].Text)[5], 0xC0);
}

TEST_F(SettingsTest, GroupsKeepTheirOwnEnabledState) {
    WriteFile("[Check0]\r\n00=0\r\n[Check1]\r\n00=1\r\n[Check2]\r\n00=5\r\n");
    OverlaySettings settings = LoadAll(8);
    EXPECT_FALSE(settings.Groups[0][0].Enabled);
    EXPECT_TRUE(settings.Groups[1][0].Enabled);
    EXPECT_TRUE(settings.Groups[2][0].Enabled) << "any non-zero value is true";
}

TEST_F(SettingsTest, SavingEightRowsLeavesRowsEightToFifteenUntouched) {
    OverlaySettings sixteen = LoadAll(16);
    for (int g = 0; g < GroupCount; ++g)
        for (auto& row : sixteen.Groups[g]) {
            row.Text = "old";
            row.X = 9;
        }
    SaveAll(sixteen);

    OverlaySettings eight = LoadAll(8);
    for (int g = 0; g < GroupCount; ++g)
        for (auto& row : eight.Groups[g]) {
            row.Text = "new";
            row.X = 5;
        }
    SaveAll(eight);

    for (int g = 0; g < GroupCount; ++g) {
        std::string digit = std::to_string(g);
        EXPECT_EQ(Value("Text" + digit, "07"), "new");
        EXPECT_EQ(Value("X" + digit, "07"), "5");
        for (int i = 8; i < 16; ++i) {
            EXPECT_EQ(Value("Text" + digit, RowKey(i)), "old");
            EXPECT_EQ(Value("X" + digit, RowKey(i)), "9");
        }
    }
}

TEST_F(SettingsTest, SaveWritesSharedSectionsOnceAndRoundTrips) {
    OverlaySettings settings = LoadAll(16);
    settings.Groups[0][3] = {true, "名字", "很长的文字，超过了十二个字节的限制", 31, 29, 2};
    settings.Groups[2][15].Text = std::string("\x81\x30", 2);  // a byte pair GBK does not define stays as it is
    settings.Clock = {false, 20, 3};
    SendThenWait = 0;
    WriteOrderWaitThenRead = 250;
    SaveAll(settings);

    std::string file = ReadFile();
    EXPECT_EQ(Count(file, "[Others]"), 1u);
    EXPECT_EQ(Count(file, "[DateTime]"), 1u);
    EXPECT_EQ(Count(file, "SendThenWait="), 1u);

    SendThenWait = WriteOrderWaitThenRead = 1;
    OverlaySettings loaded = LoadAll(16);
    EXPECT_EQ(SendThenWait, 0);
    EXPECT_EQ(WriteOrderWaitThenRead, 250);
    EXPECT_TRUE(loaded.Groups[0][3].Enabled);
    EXPECT_EQ(loaded.Groups[0][3].Name, "名字");
    EXPECT_EQ(loaded.Groups[0][3].Text, settings.Groups[0][3].Text) << "texts load in full, beyond the group's limit";
    EXPECT_EQ(loaded.Groups[0][3].X, 31);
    EXPECT_EQ(loaded.Groups[0][3].Y, 29);
    EXPECT_EQ(loaded.Groups[0][3].Size, 2);
    EXPECT_EQ(loaded.Groups[2][15].Text, settings.Groups[2][15].Text);
    EXPECT_FALSE(loaded.Clock.Shown);
    EXPECT_EQ(loaded.Clock.X, 20);
    EXPECT_EQ(loaded.Clock.Y, 3);
    SendThenWait = WriteOrderWaitThenRead = 500;
}

TEST_F(SettingsTest, DamagedFileLoadsWhatCanBeRead) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
    const std::string files[] = {
        garbage,
        "[X0]\r\n00=7\r\n" + std::string(1 << 20, 'A') + "\r\n[Y0]\r\n00=4",  // a 1 MB line, no final newline
        std::string("[X0]\n00=7\n\0\0\0[Y0]\n00=4", sizeof "[X0]\n00=7\n\0\0\0[Y0]\n00=4" - 1),
    };
    for (const auto& content : files) {
        WriteFile(content);
        OverlaySettings settings = LoadAll(8);
        ASSERT_EQ(settings.Groups[0].size(), 8u);
        EXPECT_GE(settings.Groups[0][0].X, 0);
        EXPECT_LE(settings.Groups[0][0].X, MaxX);
        EXPECT_EQ(settings.Groups[1][0].Text, DefaultText(0));
    }
    EXPECT_EQ(LoadAll(8).Groups[0][0].X, 7);
}

TEST_F(SettingsTest, UnwritableFileRaisesWithItsPath) {
    // The desktop user can read the file but neither it nor its directory can be written.
    WriteFile("[Others]\r\nSendThenWait=500\r\n");
    namespace fs = std::filesystem;
    fs::permissions(dir.Path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    int result = testsupport::RunUnprivileged([&] {
        OverlaySettings settings = LoadAll(8);
        TIniFile ini(path);
        try {
            SaveGroup(ini, 0, settings);
            return 1;
        } catch (const EIniFileException& e) {
            return e.Message() == "Unable to write to " + path ? 0 : 2;
        }
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFile(), "[Others]\r\nSendThenWait=500\r\n") << "the file is left as it was";
}

TEST_F(SettingsTest, AWritableFileInAFolderTheUserCannotWriteIsSaved) {
    WriteFile("[Others]\r\nSendThenWait=500\r\n");
    namespace fs = std::filesystem;
    fs::permissions(dir.Path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(path,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read | fs::perms::others_write);
    int result = testsupport::RunUnprivileged([&] {
        OverlaySettings settings = LoadAll(8);
        settings.Groups[1][3].Text = "保存";
        TIniFile ini(path);
        try {
            for (int g = 0; g < GroupCount; ++g) SaveGroup(ini, g, settings);
        } catch (const EIniFileException&) {
            return 1;
        }
        return 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(LoadAll(8).Groups[1][3].Text, "保存");
    EXPECT_EQ(LoadAll(8).Groups[2][7].Name, DefaultName(7));
}

}  // namespace
