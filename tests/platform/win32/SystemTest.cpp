// Module path, file attributes, time services and ShellExecuteA as a Windows program sees them.
#include <win32/windows.h>

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Children of this process that exited and were never waited for.
int ZombieChildren() {
    int zombies = 0;
    for (auto& entry : fs::directory_iterator("/proc")) {
        std::string stat = Slurp((entry.path() / "stat").string());
        std::string::size_type close = stat.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream fields(stat.substr(close + 2));
        char state = 0;
        long parent = 0;
        fields >> state >> parent;
        if (state == 'Z' && parent == getpid()) ++zombies;
    }
    return zombies;
}

}  // namespace

TEST(System, GetModuleFileNameGivesTheExecutableAndTruncatesLikeVista) {
    std::string exe = fs::read_symlink("/proc/self/exe").string();
    char path[MAX_PATH * 4];
    SetLastError(0);
    ASSERT_EQ(exe.size(), GetModuleFileNameA(nullptr, path, sizeof path));
    EXPECT_EQ(exe, path);
    EXPECT_EQ(testsupport::ExeDir(), fs::path(path).parent_path());

    char small[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
    SetLastError(0);
    EXPECT_EQ(5u, GetModuleFileNameA(nullptr, small, 5));
    EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(exe.substr(0, 4), small);
    EXPECT_EQ('x', small[5]);
    // Room for every character but not the terminator is still too small.
    std::string exact(exe.size(), 'x');
    EXPECT_EQ(exe.size(), GetModuleFileNameA(nullptr, exact.data(), DWORD(exe.size())));
    EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());

    // The program's own handle names the same file; any other handle names none.
    char same[MAX_PATH * 4];
    EXPECT_EQ(exe.size(), GetModuleFileNameA(GetModuleHandleA(nullptr), same, sizeof same));
    EXPECT_EQ(exe, same);
    EXPECT_EQ(0u, GetModuleFileNameA(reinterpret_cast<HMODULE>(0x1234), path, sizeof path));
}

// The W form holds every character of the path; the ANSI form shows '?' for what code page 936 cannot hold.
TEST(System, GetModuleFileNameWGivesTheWholePath) {
    std::u16string exe = fs::read_symlink("/proc/self/exe").u16string();
    WCHAR path[MAX_PATH * 4];
    ASSERT_EQ(exe.size(), GetModuleFileNameW(nullptr, path, MAX_PATH * 4));
    EXPECT_EQ(exe, path);
    WCHAR small[6] = {u'x', u'x', u'x', u'x', u'x', u'x'};
    SetLastError(0);
    EXPECT_EQ(5u, GetModuleFileNameW(nullptr, small, 5));
    EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(exe.substr(0, 4), small);
    EXPECT_EQ(u'x', small[5]);
    EXPECT_EQ(0u, GetModuleFileNameW(reinterpret_cast<HMODULE>(0x1234), path, MAX_PATH * 4));

    testsupport::TempDir dir;
    fs::path folder = dir.Path() / fs::path(u"Søren");
    fs::create_directory(folder);
    EXPECT_EQ(DWORD(FILE_ATTRIBUTE_DIRECTORY), GetFileAttributesW(folder.u16string().c_str()));
    SetLastError(0);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((folder / "none").u16string().c_str()));
    EXPECT_EQ(DWORD(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST(System, GetFileAttributesReportsKindAndMissingFileOrPath) {
    testsupport::TempDir dir;
    std::ofstream(dir.File("plain.txt")) << "x";
    std::ofstream(dir.File(u8"通道.txt")) << "x";  // the name on disk is UTF-8
    std::ofstream(dir.File("locked.txt")) << "x";
    chmod(dir.File("locked.txt").c_str(), 0444);

    EXPECT_EQ(DWORD(FILE_ATTRIBUTE_DIRECTORY), GetFileAttributesA(dir.Path().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    DWORD plain = GetFileAttributesA(dir.File("plain.txt").c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, plain);
    EXPECT_EQ(0u, plain & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
    EXPECT_NE(0u, GetFileAttributesA(dir.File("locked.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    // The A-function takes the name in code page 936.
    std::string gbkName = dir.Path().string() + "/通道.txt";
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(gbkName.c_str()));

    struct {
        std::string path;
        DWORD error;
    } missing[] = {{dir.File("absent.txt"), ERROR_FILE_NOT_FOUND},
                   {dir.File("no/such/absent.txt"), ERROR_PATH_NOT_FOUND},
                   {dir.File("plain.txt/below"), ERROR_PATH_NOT_FOUND}};
    for (auto& m : missing) {
        SetLastError(0);
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m.path.c_str())) << m.path;
        EXPECT_EQ(m.error, GetLastError()) << m.path;
    }
}

TEST(System, SleepLastsItsTimeEvenWhenSignalled) {
    struct sigaction action = {};
    action.sa_handler = [](int) {};
    struct sigaction old;
    sigaction(SIGUSR1, &action, &old);  // no SA_RESTART: nanosleep returns early with EINTR
    pthread_t sleeper = pthread_self();
    std::thread poker([sleeper] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        pthread_kill(sleeper, SIGUSR1);
    });
    DWORD ticks = GetTickCount();
    auto start = std::chrono::steady_clock::now();
    Sleep(150);
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    DWORD tickElapsed = GetTickCount() - ticks;  // unsigned difference, as callers do across the wrap
    poker.join();
    sigaction(SIGUSR1, &old, nullptr);
    EXPECT_GE(elapsed.count(), 150);
    EXPECT_LT(elapsed.count(), 3000);
    EXPECT_GE(tickElapsed, 149u);
    EXPECT_LT(tickElapsed, 3000u);
}

TEST(System, GetLocalTimeMatchesTheLocalCalendar) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        time_t now = time(nullptr);
        SYSTEMTIME st;
        GetLocalTime(&st);
        struct tm local;
        localtime_r(&now, &local);
        if (local.tm_sec != st.wSecond) continue;  // a second boundary fell between the two readings
        EXPECT_EQ(local.tm_year + 1900, st.wYear);
        EXPECT_EQ(local.tm_mon + 1, st.wMonth);
        EXPECT_EQ(local.tm_mday, st.wDay);
        EXPECT_EQ(local.tm_wday, st.wDayOfWeek);  // 0 = Sunday
        EXPECT_EQ(local.tm_hour, st.wHour);
        EXPECT_EQ(local.tm_min, st.wMinute);
        EXPECT_LT(st.wMilliseconds, 1000);
        return;
    }
    FAIL() << "no stable reading";
}

class ShellExecute : public ::testing::Test {
protected:
    testsupport::TempDir FDir;
    std::string FRecord = FDir.File("opened.txt");
    std::string FOldPath = getenv("PATH") ? getenv("PATH") : "";

    // A fake opener first on PATH records its argument, working directory and session.
    void SetUp() override {
        fs::create_directory(FDir.Path() / "bin");
        std::string script = FDir.File("bin/xdg-open");
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$1\" \"$PWD\" > '" << FRecord << ".part'\n"
                              << "cut -d' ' -f6 /proc/$$/stat >> '" << FRecord << ".part'\n"
                              << "echo $PPID >> '" << FRecord << ".part'\n"
                              << "mv '" << FRecord << ".part' '" << FRecord << "'\n";
        chmod(script.c_str(), 0755);
        setenv("PATH", (FDir.File("bin") + ":" + FOldPath).c_str(), 1);
    }
    void TearDown() override { setenv("PATH", FOldPath.c_str(), 1); }

    std::string WaitForRecord() {
        for (int i = 0; i < 500 && !fs::exists(FRecord); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return Slurp(FRecord);
    }
};

TEST_F(ShellExecute, OpenHandsTheFileToTheDetachedOpener) {
    std::ofstream(FDir.File(u8"帮助.pdf")) << "%PDF";
    std::string gbkFile = FDir.Path().string() + "/帮助.pdf";  // a narrow literal: code page 936
    HINSTANCE result = ShellExecuteA(nullptr, "OPEN", gbkFile.c_str(), nullptr, nullptr, SW_SHOW);
    EXPECT_GT(reinterpret_cast<INT_PTR>(result), 32);
    std::string record = WaitForRecord();
    std::istringstream lines(record);
    std::string opened, cwd, session, parent;
    std::getline(lines, opened);
    std::getline(lines, cwd);
    std::getline(lines, session);
    std::getline(lines, parent);
    EXPECT_EQ(FDir.File(u8"帮助.pdf"), opened);
    EXPECT_NE(std::to_string(getsid(0)), session) << "the opener shares our session";
    EXPECT_NE(std::to_string(getpid()), parent) << "the opener is our child";
    // The intermediate child was reaped: no zombie is left behind.
    EXPECT_EQ(0, ZombieChildren());
}

TEST_F(ShellExecute, TheWideFormOpensAFileInAFolderCodePage936CannotName) {
    fs::path folder = FDir.Path() / fs::path(u"Søren");
    fs::create_directory(folder);
    std::ofstream((folder / "Help.htm").string()) << "<html>";
    std::u16string file = (folder / "Help.htm").u16string();
    HINSTANCE result = ShellExecuteW(nullptr, u"Open", file.c_str(), nullptr, nullptr, SW_SHOW);
    EXPECT_GT(reinterpret_cast<INT_PTR>(result), 32);
    std::istringstream lines(WaitForRecord());
    std::string opened;
    std::getline(lines, opened);
    EXPECT_EQ((folder / "Help.htm").string(), opened);
    EXPECT_EQ(SE_ERR_NOASSOC,
              reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, u"print", file.c_str(), nullptr, nullptr, SW_SHOW)));
}

TEST_F(ShellExecute, NullVerbAndRelativeFileInADirectory) {
    std::ofstream(FDir.File("doc.txt")) << "x";
    HINSTANCE result = ShellExecuteA(nullptr, nullptr, "doc.txt", nullptr, FDir.Path().c_str(), SW_SHOWNORMAL);
    EXPECT_GT(reinterpret_cast<INT_PTR>(result), 32);
    std::istringstream lines(WaitForRecord());
    std::string opened, cwd;
    std::getline(lines, opened);
    std::getline(lines, cwd);
    EXPECT_EQ("doc.txt", opened);
    EXPECT_EQ(fs::canonical(FDir.Path()).string(), fs::canonical(cwd).string());
}

TEST_F(ShellExecute, FailuresAnswerSmallErrorCodes) {
    std::ofstream(FDir.File("doc.txt")) << "x";
    struct {
        const char* verb;
        std::string file;
        INT_PTR code;
    } cases[] = {
        {"open", FDir.File("missing.pdf"), SE_ERR_FNF},
        {"open", FDir.File("no/dir/missing.pdf"), SE_ERR_PNF},
        {"print", FDir.File("doc.txt"), SE_ERR_NOASSOC},
        {"edit", FDir.File("doc.txt"), SE_ERR_NOASSOC},
    };
    for (auto& c : cases)
        EXPECT_EQ(c.code,
                  reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, c.verb, c.file.c_str(), nullptr, nullptr, SW_SHOW)))
            << c.verb << " " << c.file;
    setenv("PATH", FDir.File("nothing-here").c_str(), 1);
    EXPECT_EQ(INT_PTR(SE_ERR_NOASSOC), reinterpret_cast<INT_PTR>(ShellExecuteA(
                                           nullptr, "open", FDir.File("doc.txt").c_str(), nullptr, nullptr, SW_SHOW)));
    EXPECT_FALSE(fs::exists(FRecord)) << "an opener ran for a failed call";
}
