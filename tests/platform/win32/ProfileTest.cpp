// Profile files as Windows reads and writes them: matching, trimming, lists, in-place updates, safe replacement.
#include <win32/windows.h>

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

namespace {

class Profile : public ::testing::Test {
protected:
    testsupport::TempDir FDir;
    std::string FPath = FDir.File("Config.ini");

    void Put(const std::string& bytes, const std::string& path = "") {
        testsupport::WriteFileBytes(path.empty() ? FPath : path, bytes);
    }
    std::string Content(const std::string& path = "") {
        return testsupport::ReadFileBytes(path.empty() ? FPath : path);
    }
    std::string Get(const char* section, const char* key, const char* def = "<default>", DWORD size = 2048) {
        std::string buffer(size, '\x7F');
        DWORD n = GetPrivateProfileStringA(section, key, def, buffer.data(), size, FPath.c_str());
        return buffer.substr(0, n);
    }
    BOOL Write(const char* section, const char* key, const char* value) {
        return WritePrivateProfileStringA(section, key, value, FPath.c_str());
    }
};

}  // namespace

TEST_F(Profile, MissingFileGivesTheDefault) {
    SetLastError(0);
    EXPECT_EQ("abc", Get("Sec", "Key", "abc  "));  // a default's trailing blanks are dropped
    EXPECT_EQ(DWORD(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_EQ("", Get("Sec", "Key", nullptr));
    EXPECT_EQ("ab", Get("Sec", "Key", "abcdef", 3));
    EXPECT_EQ(7u, GetPrivateProfileIntA("Sec", "Key", 7, FPath.c_str()));
    EXPECT_FALSE(std::ifstream(FPath).good()) << "reading created the file";
}

TEST_F(Profile, ReadingFollowsWindowsMatchingAndTrimming) {
    Put("[Sec]\r\n"
        "  Key1 =  value one  \r\n"
        "key2=\" quoted \"\n"
        "key3='single'\r"
        "key4=\"\"twice\"\"\n"
        "key5=\"unbalanced'\n"
        "a line without equals sign\n"
        ";key6=commented\n"
        "key1=second copy\n"
        "empty=\n"
        "[sec]\n"
        "key7=in a second section of the same name\n"
        "[\x81\x41]\n"  // a GBK character whose trail byte is 'A'
        "k=upper trail\n"
        "[通道]\r\n"
        "名称=值\r\n");
    struct {
        const char* section;
        const char* key;
        std::string value;
    } cases[] = {
        {"sec", "KEY1", "value one"},  // case, blanks around key and value, first duplicate wins
        {" SEC ", " key1 ", "value one"}, {"Sec", "key2", " quoted "},  // quotes protect blanks
        {"Sec", "key3", "single"},                                      // bare CR ends a line
        {"Sec", "key4", "\"twice\""},                                   // one pair is removed
        {"Sec", "key5", "\"unbalanced'"}, {"Sec", "a line without equals sign", "<default>"},
        {"Sec", ";key6", "<default>"},    {"Sec", "empty", ""},
        {"Sec", "key7", "<default>"},                                      // only the first section of a name is read
        {"\x81\x41", "K", "upper trail"}, {"\x81\x61", "k", "<default>"},  // the trail byte is not a letter to fold
        {"通道", "名称", "值"},           {"Missing", "key1", "<default>"},
    };
    for (auto& c : cases) EXPECT_EQ(c.value, Get(c.section, c.key)) << c.section << "/" << c.key;
}

TEST_F(Profile, TruncationAndNameLists) {
    Put("[One]\r\nalpha=0123456789\r\nBeta=1\r\n[Two]\r\n[Three]\r\n");
    EXPECT_EQ("0123", Get("one", "alpha", "", 5));  // nSize - 1 characters and the NUL
    EXPECT_EQ(std::string("One\0Two\0Three\0", 14), Get(nullptr, nullptr));
    EXPECT_EQ(std::string("alpha\0Beta\0", 11), Get("ONE", nullptr));
    EXPECT_EQ(std::string("One\0Tw", 6), Get(nullptr, nullptr, "", 8));  // cut lists answer nSize - 2
    char buffer[8];
    GetPrivateProfileStringA(nullptr, nullptr, "", buffer, 8, FPath.c_str());
    EXPECT_EQ('\0', buffer[6]);
    EXPECT_EQ('\0', buffer[7]);
    char empty[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(0u, GetPrivateProfileStringA("Two", nullptr, "", empty, 4, FPath.c_str()));
    EXPECT_EQ('\0', empty[0]);
    EXPECT_EQ('\0', empty[1]);
}

TEST_F(Profile, GetPrivateProfileIntParsesLikeWindows) {
    Put("[N]\r\na=12\r\nb=0x1F\r\nc=-5\r\nd=abc\r\ne=\r\nf= 7 \r\ng=12abc\r\nh=\"42\"\r\n");
    struct {
        const char* key;
        UINT value;
    } cases[] = {{"a", 12}, {"b", 31}, {"c", UINT(-5)}, {"d", 0},       {"e", 99},
                 {"f", 7},  {"g", 12}, {"h", 42},       {"missing", 99}};
    for (auto& c : cases) EXPECT_EQ(c.value, GetPrivateProfileIntA("n", c.key, 99, FPath.c_str())) << c.key;
}

TEST_F(Profile, WritingCreatesTheFileWithCrLf) {
    ASSERT_TRUE(Write("Sec", "Key", "值"));
    ASSERT_TRUE(Write("Other", "A", "1"));
    ASSERT_TRUE(Write("sec", "Second", ""));
    EXPECT_EQ("[Sec]\r\nKey=值\r\nSecond=\r\n[Other]\r\nA=1\r\n", Content());
}

TEST_F(Profile, UpdatesTouchOnlyTheirOwnLines) {
    Put("; leading comment\n"
        "[A]\n"
        "x = 1\n"
        "odd line\n"
        "\n"
        "; about B\n"
        "[B]\r\n"
        "Y=2\r\n"
        "\xFF\xFE garbage\r\n"
        "[c]\r"
        "z=3");                           // no end on the last line
    ASSERT_TRUE(Write("a", "X", "10"));   // replaced in place, keeping the stored key's spelling
    ASSERT_TRUE(Write("A", "new", "n"));  // appended after the section's last key
    ASSERT_TRUE(Write("C", "w", "4"));    // the unterminated last line gains an end
    ASSERT_TRUE(Write("D", "k", "v"));    // a new section at the end
    ASSERT_TRUE(Write("B", "Y", "2"));    // an unchanged value leaves the line as it was
    EXPECT_EQ(
        "; leading comment\n"
        "[A]\n"
        "x=10\r\n"
        "new=n\r\n"
        "odd line\n"
        "\n"
        "; about B\n"
        "[B]\r\n"
        "Y=2\r\n"
        "\xFF\xFE garbage\r\n"
        "[c]\r"
        "z=3\r\n"
        "w=4\r\n"
        "[D]\r\n"
        "k=v\r\n",
        Content());
}

TEST_F(Profile, NullValueDeletesKeyAndNullKeyDeletesSection) {
    Put("[A]\r\nk=1\r\nkeep=2\r\nK=dup\r\n[B]\r\nb=1\r\n[a]\r\nk=3\r\n");
    ASSERT_TRUE(Write("a", "k", nullptr));
    EXPECT_EQ("<default>", Get("A", "k"));  // the duplicate is gone too
    ASSERT_TRUE(Write("A", nullptr, nullptr));
    EXPECT_EQ("[B]\r\nb=1\r\n", Content());
    EXPECT_TRUE(Write("Nothing", "here", nullptr));
    EXPECT_EQ("[B]\r\nb=1\r\n", Content());
    std::string absent = FDir.File("absent.ini");
    EXPECT_TRUE(WritePrivateProfileStringA("S", nullptr, nullptr, absent.c_str()));
    EXPECT_FALSE(std::ifstream(absent).good()) << "a delete created the file";
}

TEST_F(Profile, RefusedWritesReturnFalseAndLeaveTheFile) {
    std::string dir = FDir.File("locked");
    mkdir(dir.c_str(), 0755);
    std::string file = dir + "/Config.ini";
    Put("[S]\r\nk=old\r\n", file);
    chmod(FDir.Path().c_str(), 0755);
    chmod(dir.c_str(), 0555);
    EXPECT_EQ(int(ERROR_ACCESS_DENIED), testsupport::RunUnprivileged([&] {
                  SetLastError(0);
                  if (WritePrivateProfileStringA("S", "k", "new", file.c_str())) return 100;
                  return int(GetLastError());
              }));
    chmod(dir.c_str(), 0755);
    chmod(file.c_str(), 0444);
    EXPECT_EQ(int(ERROR_ACCESS_DENIED), testsupport::RunUnprivileged([&] {
                  return WritePrivateProfileStringA("S", "k", "new", file.c_str()) ? 100 : int(GetLastError());
              }));
    EXPECT_EQ("[S]\r\nk=old\r\n", Content(file));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir), {})) << "a temporary file was left";

    std::string missingDir = FDir.File("no/such/dir/Config.ini");
    SetLastError(0);
    EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "v", missingDir.c_str()));
    EXPECT_EQ(DWORD(ERROR_PATH_NOT_FOUND), GetLastError());
}

// Runs body in a child process that an alarm ends after ten seconds: -1 when it did not end by itself.
int RunBounded(const std::function<int()>& body) {
    pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        alarm(10);
        _exit(body());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST_F(Profile, OnlyRegularFilesOfABoundedSizeAreProfileFiles) {
    // A FIFO's open would wait for a writer for ever, /dev/zero would be read without end, and a file of many
    // megabytes is no profile file: each is refused at once, for reading and for writing, and left as it was.
    std::string fifo = FDir.File("fifo.ini");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    std::string zero = FDir.File("zero.ini");
    ASSERT_EQ(0, symlink("/dev/zero", zero.c_str()));
    std::string big = FDir.File("big.ini");
    const std::string bigContent = "[S]\r\nk=v\r\n" + std::string(17 << 20, ';');
    Put(bigContent, big);
    const struct {
        std::string Path;
        DWORD Error;
    } cases[] = {{fifo, ERROR_ACCESS_DENIED},
                 {zero, ERROR_ACCESS_DENIED},
                 {big, ERROR_FILE_TOO_LARGE},
                 {FDir.Path(), ERROR_ACCESS_DENIED}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        EXPECT_EQ(0, RunBounded([&] {
                      char buffer[16] = "";
                      SetLastError(0);
                      DWORD n = GetPrivateProfileStringA("S", "k", "def", buffer, sizeof buffer, c.Path.c_str());
                      if (n != 3 || std::string(buffer) != "def") return 1;
                      if (GetLastError() != c.Error) return 2;
                      if (WritePrivateProfileStringA("S", "k", "new", c.Path.c_str())) return 3;
                      return GetLastError() == c.Error ? 0 : 4;
                  }));
    }
    EXPECT_EQ(Content(big), bigContent);
    struct stat st;
    ASSERT_EQ(0, lstat(fifo.c_str(), &st));
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(0, lstat(zero.c_str(), &st));
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST_F(Profile, AWritableFileInAFolderNobodyMayWriteIsRewrittenInPlace) {
    std::string dir = FDir.File("locked");
    mkdir(dir.c_str(), 0755);
    std::string file = dir + "/Config.ini";
    Put("[S]\r\nk=old\r\nlong=" + std::string(200, 'x') + "\r\n", file);
    struct stat before;
    stat(file.c_str(), &before);
    chmod(FDir.Path().c_str(), 0755);
    chmod(file.c_str(), 0666);
    chmod(dir.c_str(), 0555);
    // Longer, then shorter than the old content: either way the file holds exactly the new one.
    EXPECT_EQ(0, testsupport::RunUnprivileged([&] {
                  if (!WritePrivateProfileStringA("S", "k", std::string(300, 'n').c_str(), file.c_str())) return 1;
                  if (!WritePrivateProfileStringA("S", "long", nullptr, file.c_str())) return 2;
                  return WritePrivateProfileStringA("S", "k", "new", file.c_str()) ? 0 : 3;
              }));
    chmod(dir.c_str(), 0755);
    EXPECT_EQ("[S]\r\nk=new\r\n", Content(file));
    struct stat after;
    stat(file.c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino) << "the file stayed where it was";
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir), {})) << "a temporary file was left";
}

TEST_F(Profile, AFileNamedInAnotherLetterCaseIsTheSameFile) {
    // A name that was looked for in vain is found once the folder holds it, and given up once it has gone.
    EXPECT_EQ("<default>", Get("S", "k"));
    Put("[S]\r\nk=renamed\r\n", FDir.File("Config.INI"));
    EXPECT_EQ("renamed", Get("S", "k"));
    std::filesystem::remove(FDir.File("Config.INI"));
    EXPECT_EQ("<default>", Get("S", "k"));

    Put("[S]\r\nk=upper\r\n", FDir.File("CONFIG.INI"));
    Put("[S]\r\nk=lower\r\n", FDir.File("config.ini"));
    EXPECT_EQ("upper", Get("S", "k")) << "the first of the names in byte order";
    ASSERT_TRUE(Write("S", "k", "written"));
    EXPECT_EQ("[S]\r\nk=written\r\n", Content(FDir.File("CONFIG.INI")));
    EXPECT_FALSE(std::filesystem::exists(FPath)) << "no second file under the exact name";
    // Once the exact name exists it is the one used.
    Put("[S]\r\nk=exact\r\n");
    EXPECT_EQ("exact", Get("S", "k"));
}

TEST_F(Profile, ReplacementKeepsPermissionsAndSymbolicLinks) {
    Put("[S]\r\nk=1\r\n");
    chmod(FPath.c_str(), 0640);
    struct stat before;
    stat(FPath.c_str(), &before);
    ASSERT_TRUE(Write("S", "k", "2"));
    struct stat after;
    stat(FPath.c_str(), &after);
    EXPECT_EQ(0640u, after.st_mode & 07777);
    EXPECT_NE(before.st_ino, after.st_ino) << "the file was rewritten in place rather than replaced";

    std::string link = FDir.File("link.ini");
    ASSERT_EQ(0, symlink("Config.ini", link.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("S", "k", "3", link.c_str()));
    struct stat linkStat;
    lstat(link.c_str(), &linkStat);
    EXPECT_TRUE(S_ISLNK(linkStat.st_mode));
    EXPECT_EQ("[S]\r\nk=3\r\n", Content());
}

TEST_F(Profile, ChangesMadeBehindTheCacheAreSeen) {
    ASSERT_TRUE(Write("S", "k", "aaa"));
    EXPECT_EQ("aaa", Get("S", "k"));
    // Same size and same modification time, but a new file: its identity tells it apart.
    struct stat st;
    stat(FPath.c_str(), &st);
    std::string other = FDir.File("other.ini");
    Put("[S]\r\nk=bbb\r\n", other);
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    utimensat(AT_FDCWD, other.c_str(), times, 0);
    ASSERT_EQ(0, rename(other.c_str(), FPath.c_str()));
    EXPECT_EQ("bbb", Get("S", "k"));
    // Same file and size, rewritten in place with a later time.
    Put("[S]\r\nk=ccc\r\n");
    times[1].tv_nsec = (times[1].tv_nsec + 1000) % 1000000000;
    times[1].tv_sec += 1;
    utimensat(AT_FDCWD, FPath.c_str(), times, 0);
    EXPECT_EQ("ccc", Get("S", "k"));
    ASSERT_TRUE(Write("S", "k2", "x"));
    EXPECT_EQ("[S]\r\nk=ccc\r\nk2=x\r\n", Content());
}

TEST_F(Profile, DamagedFilesAreReadAsFarAsPossible) {
    std::mt19937 random(7);
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    std::string longLine(1024 * 1024, 'x');
    Put(garbage + "\n[S]\nk=after garbage\n" + longLine + "\n[T]\nnul=ab" + std::string(1, '\0') + "cd\n" +
        "last=no newline");
    EXPECT_EQ("after garbage", Get("S", "k"));
    EXPECT_EQ("ab", Get("T", "nul"));
    EXPECT_EQ("no newline", Get("T", "last"));
    std::string before = Content();
    ASSERT_TRUE(Write("S", "k", "fixed"));
    std::string after = Content();
    EXPECT_EQ(before.substr(0, garbage.size()), after.substr(0, garbage.size()));
    EXPECT_EQ("fixed", Get("S", "k"));
    EXPECT_EQ("no newline", Get("T", "last"));
}

// A folder whose name code page 936 cannot hold ("ø", "Æ") is reached through the W functions, which take the path
// whole; the file itself is still kept in code page 936. The ANSI name of the same file says '?' and misses it.
TEST_F(Profile, WideFunctionsReachAFileInAFolderCodePage936CannotName) {
    namespace fs = std::filesystem;
    fs::path folder = FDir.Path() / fs::path(u"Søren Ærø");
    fs::create_directory(folder);
    std::u16string file = (folder / "Config.ini").u16string();
    auto get = [&](const WCHAR* section, const WCHAR* key, DWORD size = 64) {
        std::u16string buffer(size, u'\x7F');
        DWORD n = GetPrivateProfileStringW(section, key, u"缺省 ", buffer.data(), size, file.c_str());
        return buffer.substr(0, n);
    };

    ASSERT_TRUE(WritePrivateProfileStringW(u"通道", u"键", u"值 ０１", file.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(u"Others", u"Wait", u"  42", file.c_str()));
    EXPECT_EQ(testsupport::ReadFileBytes((folder / "Config.ini").string()),
              "[通道]\r\n键=值 ０１\r\n[Others]\r\nWait=  42\r\n");

    EXPECT_EQ(get(u"通道", u"键"), u"值 ０１");
    EXPECT_EQ(get(u"通道", u"键", 3), u"值 ") << "cut to the buffer's size in UTF-16 units";
    EXPECT_EQ(get(nullptr, nullptr), std::u16string(u"通道\0Others\0", 10));
    SetLastError(0);
    EXPECT_EQ(get(u"通道", u"无"), u"缺省");
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetPrivateProfileIntW(u"Others", u"Wait", 7, file.c_str()), 42u);
    EXPECT_EQ(GetPrivateProfileIntW(u"Others", u"None", 7, file.c_str()), 7u);

    char ansi[MAX_PATH * 4];
    int length = WideCharToMultiByte(CP_ACP, 0, file.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
    ASSERT_GT(length, 0);
    EXPECT_NE(std::string(ansi).find('?'), std::string::npos);
    char value[16];
    EXPECT_EQ(GetPrivateProfileStringA("Others", "Wait", "none", value, sizeof value, ansi), 4u);
    EXPECT_STREQ(value, "none");

    ASSERT_TRUE(WritePrivateProfileStringW(u"通道", u"键", nullptr, file.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(u"Others", nullptr, nullptr, file.c_str()));
    EXPECT_EQ(testsupport::ReadFileBytes((folder / "Config.ini").string()), "[通道]\r\n");
    SetLastError(0);
    EXPECT_FALSE(WritePrivateProfileStringW(u"a", u"b", u"c", u""));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}
