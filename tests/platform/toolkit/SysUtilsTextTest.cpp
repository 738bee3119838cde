// Text and file name helpers over code page 936 strings.
#include <toolkit/SysUtils.h>

#include <gtest/gtest.h>

namespace {

int Sign(int value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }

}  // namespace

TEST(SysUtilsText, CaseChangesLeaveDoubleByteCharactersAlone) {
    // 0x81 0x61 is one character whose second byte is 'a'.
    EXPECT_EQ("ABC\x81\x61Z1_", UpperCase("abc\x81\x61z1_"));
    EXPECT_EQ("abc\x81\x41z", LowerCase("ABC\x81\x41Z"));
    EXPECT_EQ("通道com", LowerCase("通道COM"));
    EXPECT_EQ("\x81", UpperCase("\x81"));  // a lone lead byte at the end
}

TEST(SysUtilsText, Comparisons) {
    struct {
        const char* a;
        const char* b;
        int ansiText, text, ansiStr;
    } cases[] = {
        {"abc", "ABC", 0, 0, 1},
        {"abc", "abd", -1, -1, -1},
        {"ab", "abc", -1, -1, -1},
        {"_", "a", -1, 1, -1},  // '_' sorts before letters when folding to lower case, after them when upper
        {"_", "A", -1, 1, 1},
        {"\x81\x41", "\x81\x61", -1, -1, -1},  // second bytes compare unfolded
        {"通道", "通道", 0, 0, 0},
        {"z", "通", -1, -1, -1},  // bytes above 0x7F sort after ASCII
        {"", "", 0, 0, 0},
    };
    for (auto& c : cases) {
        EXPECT_EQ(c.ansiText, Sign(AnsiCompareText(c.a, c.b))) << c.a << " " << c.b;
        EXPECT_EQ(-c.ansiText, Sign(AnsiCompareText(c.b, c.a))) << c.a << " " << c.b;
        EXPECT_EQ(c.text, Sign(CompareText(c.a, c.b))) << c.a << " " << c.b;
        EXPECT_EQ(c.ansiStr, Sign(AnsiCompareStr(c.a, c.b))) << c.a << " " << c.b;
    }
    EXPECT_TRUE(SameText("Button1", "BUTTON1"));
    EXPECT_FALSE(SameText("\x81\x41", "\x81\x61"));
    EXPECT_TRUE(AnsiSameText("通道a", "通道A"));
}

TEST(SysUtilsText, Trimming) {
    EXPECT_EQ("a b", Trim(" \t\r\na b \x01"));
    EXPECT_EQ("a ", TrimLeft("  a "));
    EXPECT_EQ("  a", TrimRight("  a \n"));
    EXPECT_EQ("", Trim("   "));
    EXPECT_EQ("通道", Trim(" 通道 "));
}

TEST(SysUtilsText, FileNames) {
    struct {
        const char* path;
        const char* name;
        const char* ext;
        const char* changed;
    } cases[] = {
        {"/opt/app/Config.ini", "Config.ini", ".ini", "/opt/app/Config.bak"},
        {"/opt/app.d/Config", "Config", "", "/opt/app.d/Config.bak"},
        {"archive.tar.gz", "archive.tar.gz", ".gz", "archive.tar.bak"},
        {"/home/用户/帮助.pdf", "帮助.pdf", ".pdf", "/home/用户/帮助.bak"},
        {".hidden", ".hidden", ".hidden", ".bak"},
        {"dir/", "", "", "dir/.bak"},
        {"", "", "", ".bak"},
    };
    for (auto& c : cases) {
        EXPECT_EQ(c.name, ExtractFileName(c.path)) << c.path;
        EXPECT_EQ(c.ext, ExtractFileExt(c.path)) << c.path;
        EXPECT_EQ(c.changed, ChangeFileExt(c.path, ".bak")) << c.path;
    }
    EXPECT_EQ("/opt/app/", IncludeTrailingPathDelimiter("/opt/app"));
    EXPECT_EQ("/opt/app/", IncludeTrailingPathDelimiter("/opt/app/"));
    EXPECT_EQ("/", IncludeTrailingPathDelimiter(""));
}
