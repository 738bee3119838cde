// TIniFile over the profile functions: typed reads with their defaults, writes, and the write-failure exception.
#include <toolkit/IniFile.h>

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

class IniFile : public ::testing::Test {
protected:
    testsupport::TempDir FDir;
    std::string FPath = FDir.File("Config.ini");
    TIniFile FIni{FPath};

    void Put(const std::string& bytes) { testsupport::WriteFileBytes(FPath, bytes); }
    std::string Content() { return testsupport::ReadFileBytes(FPath); }
};

}  // namespace

TEST_F(IniFile, ReadIntegerAndReadBool) {
    Put("[X0]\r\nhex=0x1F\r\nHEX=0X1f\r\ndollar=$1F\r\ndec=12\r\nword=abc\r\nempty=\r\nneg=-5\r\nbig=4294967296\r\n");
    struct {
        const char* key;
        int value;
    } cases[] = {{"hex", 31},  {"dollar", 31}, {"dec", 12},    {"word", 1},
                 {"empty", 1}, {"neg", -5},    {"missing", 1}, {"big", 1}};
    for (auto& c : cases) EXPECT_EQ(c.value, FIni.ReadInteger("x0", c.key, 1)) << c.key;

    Put("[B]\r\nzero=0\r\ntwo=2\r\nword=abc\r\n");
    EXPECT_FALSE(FIni.ReadBool("B", "zero", true));
    EXPECT_TRUE(FIni.ReadBool("B", "two", false));
    EXPECT_TRUE(FIni.ReadBool("B", "word", true));  // not a number: the default
    EXPECT_FALSE(FIni.ReadBool("B", "word", false));
    EXPECT_TRUE(FIni.ReadBool("B", "missing", true));
}

TEST_F(IniFile, StringsKeepTheirBytesUpToTheBufferSize) {
    Put("[Text0]\r\n00=\xCD\xA8\xB5\xC0\xA3\xB0\xA3\xB1\r\n01=" + std::string(3000, 'y') + "\r\n");
    EXPECT_EQ("通道０１", FIni.ReadString("TEXT0", "00", "d"));
    EXPECT_EQ(std::string(2047, 'y'), FIni.ReadString("Text0", "01", "d"));
    EXPECT_EQ("通道01", FIni.ReadString("CheckText0", "00", "通道01"));
}

TEST_F(IniFile, WritesAreDecimalAndOneOrZero) {
    FIni.WriteInteger("X0", "00", -1);
    FIni.WriteBool("Check0", "00", true);
    FIni.WriteBool("Check0", "01", false);
    FIni.WriteString("Text0", "00", "通道");
    FIni.WriteInteger("X0", "00", 31);
    EXPECT_EQ("[X0]\r\n00=31\r\n[Check0]\r\n00=1\r\n01=0\r\n[Text0]\r\n00=\xCD\xA8\xB5\xC0\r\n", Content());
    FIni.DeleteKey("Check0", "01");
    FIni.EraseSection("X0");
    EXPECT_EQ("[Check0]\r\n00=1\r\n[Text0]\r\n00=\xCD\xA8\xB5\xC0\r\n", Content());
}

TEST_F(IniFile, FailedWriteRaisesWithTheFullPath) {
    std::string dir = FDir.File("locked");
    mkdir(dir.c_str(), 0755);
    std::string path = dir + "/Config.ini";
    std::ofstream(path) << "[Others]\r\nSendThenWait=500\r\n";
    chmod(dir.c_str(), 0555);
    chmod(FDir.Path().c_str(), 0755);
    // Exit codes: 0 as expected, 1 a wrong message, 2 a missing exception, 3 DeleteKey raised, 4 EraseSection did not.
    EXPECT_EQ(0, testsupport::RunUnprivileged([&] {
                  TIniFile ini(path);
                  try {
                      ini.WriteInteger("Others", "SendThenWait", 400);
                      return 2;
                  } catch (const EIniFileException& e) {
                      if (e.Message() != "Unable to write to " + path) return 1;
                  }
                  try {
                      ini.DeleteKey("Others", "SendThenWait");
                  } catch (...) {
                      return 3;
                  }
                  try {
                      ini.EraseSection("Others");
                      return 4;
                  } catch (const EIniFileException&) {}
                  return 0;
              }));
    EXPECT_EQ(500, TIniFile(path).ReadInteger("Others", "SendThenWait", 0));
}

TEST_F(IniFile, RelativeNamesAreShownWithTheWorkingDirectory) {
    std::string dir = FDir.File("ro");
    mkdir(dir.c_str(), 0555);
    chmod(FDir.Path().c_str(), 0755);
    EXPECT_EQ(0, testsupport::RunUnprivileged([&] {
                  if (chdir(dir.c_str()) != 0) return 3;
                  try {
                      TIniFile("Config.ini").WriteBool("DateTime", "Show", true);
                  } catch (const EIniFileException& e) {
                      return e.Message() == "Unable to write to " + dir + "/Config.ini" ? 0 : 1;
                  }
                  return 2;
              }));
}
