// Disk files as Windows opens them: dispositions, sharing within and across processes, reads, writes, the file
// pointer and size, the current directory, and names in code page 936.
#include <win32/windows.h>

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <string>

namespace {

const DWORD R = GENERIC_READ;
const DWORD W = GENERIC_WRITE;
const DWORD RW = GENERIC_READ | GENERIC_WRITE;
const DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Closes the handle it holds when it goes.
class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : FHandle(handle) {}
    ~Handle() {
        if (Valid()) CloseHandle(FHandle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }
    operator HANDLE() const { return FHandle; }
    void Close() {
        if (Valid()) CloseHandle(FHandle);
        FHandle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE FHandle;
};

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD flags = 0) {
    return CreateFileA(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
}

std::string ReadAll(HANDLE file) {
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    std::string bytes(64, '\0');
    DWORD done = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr)) return "<read failed>";
    bytes.resize(done);
    return bytes;
}

// The last error of an open of the file, ERROR_SUCCESS when it opened; the handle is closed again.
DWORD OpenHere(const std::string& path, DWORD access, DWORD share) {
    SetLastError(0xBAD);
    Handle file(Open(path, access, share, OPEN_EXISTING));
    return GetLastError();
}

// The same in a child process. The child has the parent's handles as well (fork keeps them), and its own open is
// a new description just as another program's would be.
DWORD OpenInChild(const std::string& path, DWORD access, DWORD share) {
    pid_t child = fork();
    if (child == 0) _exit(static_cast<int>(OpenHere(path, access, share)));
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return 0xFFFFFFFF;
    return static_cast<DWORD>(WEXITSTATUS(status));
}

}  // namespace

TEST(FileOpen, DispositionsOverAbsentAndPresentFiles) {
    struct Case {
        DWORD disposition;
        bool present;
        bool opens;
        DWORD error;
        const char* content;  // the file's bytes afterwards; null when it does not exist
    };
    const Case cases[] = {
        {CREATE_NEW, false, true, ERROR_SUCCESS, ""},
        {CREATE_NEW, true, false, ERROR_FILE_EXISTS, "old"},
        {CREATE_ALWAYS, false, true, ERROR_SUCCESS, ""},
        {CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
        {OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
        {OPEN_EXISTING, true, true, ERROR_SUCCESS, "old"},
        {OPEN_ALWAYS, false, true, ERROR_SUCCESS, ""},
        {OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "old"},
        {TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
        {TRUNCATE_EXISTING, true, true, ERROR_SUCCESS, ""},
    };
    for (const Case& c : cases) {
        // Each access: CREATE_ALWAYS empties a file even for a handle that only reads.
        for (DWORD access : {R, W, RW}) {
            if (c.disposition == TRUNCATE_EXISTING && access == R) continue;
            testsupport::TempDir dir;
            std::string path = dir.File("f.bin");
            if (c.present) testsupport::WriteFileBytes(path, "old");
            SetLastError(0xBAD);
            Handle file(Open(path, access, 0, c.disposition));
            std::string label = "disposition " + std::to_string(c.disposition) + (c.present ? " present" : " absent") +
                                " access " + std::to_string(access >> 30);
            EXPECT_EQ(c.opens, file.Valid()) << label;
            EXPECT_EQ(c.error, GetLastError()) << label;
            file.Close();
            EXPECT_EQ(c.content != nullptr, std::filesystem::exists(path)) << label;
            if (c.content) {
                EXPECT_EQ(c.content, testsupport::ReadFileBytes(path)) << label;
            }
        }
    }
}

TEST(FileOpen, RefusedOpensSayWhy) {
    testsupport::TempDir dir;
    std::string present = dir.File("present.bin");
    testsupport::WriteFileBytes(present, "x");
    std::string folder = dir.Path().string();
    struct Case {
        std::string name;
        DWORD access;
        DWORD share;
        DWORD disposition;
        DWORD flags;
        DWORD error;
    };
    const Case cases[] = {
        {dir.File("no/such.bin"), R, 0, OPEN_EXISTING, 0, ERROR_PATH_NOT_FOUND},
        {dir.File("no/such.bin"), RW, 0, CREATE_ALWAYS, 0, ERROR_PATH_NOT_FOUND},
        {dir.File("present.bin/x"), R, 0, OPEN_EXISTING, 0, ERROR_PATH_NOT_FOUND},  // a file on the way
        {"", R, 0, OPEN_EXISTING, 0, ERROR_PATH_NOT_FOUND},
        {folder, R, 0, OPEN_EXISTING, 0, ERROR_ACCESS_DENIED},  // a directory is no file
        {folder, RW, 0, OPEN_ALWAYS, 0, ERROR_ACCESS_DENIED},
        {folder, R, 0, CREATE_NEW, 0, ERROR_FILE_EXISTS},
        {"\\\\.\\NUL", R, 0, OPEN_EXISTING, 0, ERROR_FILE_NOT_FOUND},    // no such device here
        {present, R, 0, TRUNCATE_EXISTING, 0, ERROR_INVALID_PARAMETER},  // emptying asks for write access
        {present, R, 0, 0, 0, ERROR_INVALID_PARAMETER},
        {present, R, 0, 6, 0, ERROR_INVALID_PARAMETER},
        {present, R, 0x8, OPEN_EXISTING, 0, ERROR_INVALID_PARAMETER},
        {present, GENERIC_EXECUTE, 0, OPEN_EXISTING, 0, ERROR_INVALID_PARAMETER},
        {present, R, 0, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, ERROR_NOT_SUPPORTED},
        {present, R, 0, OPEN_EXISTING, FILE_ATTRIBUTE_HIDDEN, ERROR_INVALID_PARAMETER},
        {present, 0, 0, OPEN_EXISTING, 0, ERROR_NOT_SUPPORTED},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        Handle file(Open(c.name, c.access, c.share, c.disposition, c.flags));
        EXPECT_FALSE(file.Valid()) << c.name << " " << c.disposition;
        EXPECT_EQ(c.error, GetLastError()) << c.name << " " << c.disposition;
    }
    EXPECT_EQ("x", testsupport::ReadFileBytes(present));
    SetLastError(0);
    EXPECT_EQ(INVALID_HANDLE_VALUE, CreateFileA(nullptr, R, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(DWORD(ERROR_PATH_NOT_FOUND), GetLastError());
}

TEST(FileOpen, PermissionsRefuseAsAccessDenied) {
    testsupport::TempDir dir;
    std::string locked = dir.File("locked.bin");
    testsupport::WriteFileBytes(locked, "keep");
    chmod(locked.c_str(), 0444);
    chmod(dir.Path().c_str(), 0755);
    // Exit codes: 0 as expected, else the case that went wrong.
    EXPECT_EQ(0, testsupport::RunUnprivileged([&] {
                  const DWORD dispositions[] = {OPEN_EXISTING, OPEN_ALWAYS, CREATE_ALWAYS, TRUNCATE_EXISTING};
                  for (int i = 0; i < 4; ++i) {
                      HANDLE file = Open(locked, W, 0, dispositions[i]);
                      if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_ACCESS_DENIED) return i + 1;
                  }
                  // Reading it is allowed; emptying it through a reading handle is not.
                  HANDLE reader = Open(locked, R, 0, OPEN_EXISTING);
                  if (reader == INVALID_HANDLE_VALUE) return 10;
                  CloseHandle(reader);
                  if (Open(locked, R, 0, CREATE_ALWAYS) != INVALID_HANDLE_VALUE) return 11;
                  return 0;
              }));
    EXPECT_EQ("keep", testsupport::ReadFileBytes(locked));
}

TEST(FileOpen, ReadOnlyAttributeMakesAReadOnlyFileWritableThroughItsCreator) {
    testsupport::TempDir dir;
    std::string path = dir.File("made.bin");
    Handle file(Open(path, RW, 0, CREATE_NEW, FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(file.Valid());
    DWORD done = 0;
    EXPECT_TRUE(WriteFile(file, "ab", 2, &done, nullptr));
    EXPECT_EQ(2u, done);
    EXPECT_EQ(FILE_ATTRIBUTE_READONLY, GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
}

// Windows' sharing rule: the second open's access must be allowed by the first handle's share mode, and the first
// handle's access by the second's share mode.
struct ShareCase {
    DWORD firstAccess, firstShare, secondAccess, secondShare;
    bool opens;
};

const ShareCase ShareCases[] = {
    {R, FILE_SHARE_READ, R, FILE_SHARE_READ, true},
    {R, FILE_SHARE_READ, W, ShareAll, false},
    {R, FILE_SHARE_READ, RW, ShareAll, false},
    {R, ShareAll, R, FILE_SHARE_READ, true},
    {RW, ShareAll, R, FILE_SHARE_READ, false},  // the second refuses the first's writing
    {RW, ShareAll, RW, ShareAll, true},
    {R, 0, R, ShareAll, false},
    {W, 0, R, ShareAll, false},
    {W, FILE_SHARE_WRITE, W, FILE_SHARE_WRITE, true},  // two writers without read access
    {W, FILE_SHARE_WRITE, R, ShareAll, false},
    {W, FILE_SHARE_WRITE, W, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
    {W, ShareAll, R, FILE_SHARE_WRITE, true},
    {R, FILE_SHARE_READ | FILE_SHARE_DELETE, R, FILE_SHARE_READ, true},
};

std::string Describe(const ShareCase& c) {
    return std::to_string(c.firstAccess >> 30) + "/" + std::to_string(c.firstShare) + " then " +
           std::to_string(c.secondAccess >> 30) + "/" + std::to_string(c.secondShare);
}

TEST(FileShare, WithinAndAcrossProcesses) {
    for (const ShareCase& c : ShareCases) {
        testsupport::TempDir dir;
        std::string path = dir.File("shared.bin");
        testsupport::WriteFileBytes(path, "data");
        Handle first(Open(path, c.firstAccess, c.firstShare, OPEN_EXISTING));
        ASSERT_TRUE(first.Valid()) << Describe(c);
        DWORD expected = c.opens ? ERROR_SUCCESS : ERROR_SHARING_VIOLATION;
        EXPECT_EQ(expected, OpenHere(path, c.secondAccess, c.secondShare)) << "this process, " << Describe(c);
        EXPECT_EQ(expected, OpenInChild(path, c.secondAccess, c.secondShare)) << "another process, " << Describe(c);
        // Closing the first handle lifts what it refused.
        first.Close();
        EXPECT_EQ(DWORD(ERROR_SUCCESS), OpenHere(path, c.secondAccess, c.secondShare)) << "closed, " << Describe(c);
    }
}

TEST(FileShare, RefusedCreateLeavesTheHoldersBytes) {
    testsupport::TempDir dir;
    std::string path = dir.File("held.bin");
    Handle held(Open(path, RW, FILE_SHARE_READ, CREATE_NEW));
    DWORD done = 0;
    ASSERT_TRUE(WriteFile(held, "keep", 4, &done, nullptr));
    for (DWORD disposition : {CREATE_ALWAYS, TRUNCATE_EXISTING}) {
        SetLastError(0);
        EXPECT_FALSE(Handle(Open(path, RW, ShareAll, disposition)).Valid());
        EXPECT_EQ(DWORD(ERROR_SHARING_VIOLATION), GetLastError());
    }
    EXPECT_EQ("keep", ReadAll(held));
}

TEST(FileIo, ReadWriteSeekSizeAndTruncate) {
    testsupport::TempDir dir;
    Handle file(Open(dir.File("io.bin"), RW, 0, CREATE_NEW));
    ASSERT_TRUE(file.Valid());
    DWORD done = 0;
    EXPECT_TRUE(WriteFile(file, "hello world", 11, &done, nullptr));
    EXPECT_EQ(11u, done);
    DWORD high = 0xBAD;
    EXPECT_EQ(11u, GetFileSize(file, &high));
    EXPECT_EQ(0u, high);
    LARGE_INTEGER size{};
    EXPECT_TRUE(GetFileSizeEx(file, &size));
    EXPECT_EQ(11, size.QuadPart);
    EXPECT_EQ(DWORD(FILE_TYPE_DISK), GetFileType(file));

    // Reads stop at the end of the file and succeed there with nothing.
    EXPECT_EQ(8u, SetFilePointer(file, -3, nullptr, FILE_END));
    char buffer[16] = {};
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &done, nullptr));
    EXPECT_EQ("rld", std::string(buffer, done));
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &done, nullptr));
    EXPECT_EQ(0u, done);

    struct Move {
        LONG low;
        bool withHigh;
        LONG high;
        DWORD method;
        DWORD answer;
        LONG answerHigh;
        DWORD error;
        LONGLONG position;  // where the pointer is afterwards
    };
    const Move moves[] = {
        {2, false, 0, FILE_BEGIN, 2, 0, ERROR_SUCCESS, 2},
        {3, false, 0, FILE_CURRENT, 5, 0, ERROR_SUCCESS, 5},
        {-6, false, 0, FILE_CURRENT, INVALID_SET_FILE_POINTER, 0, ERROR_NEGATIVE_SEEK, 5},  // unmoved
        {-1, false, 0, FILE_BEGIN, INVALID_SET_FILE_POINTER, 0, ERROR_NEGATIVE_SEEK, 5},
        {0, false, 0, 3, INVALID_SET_FILE_POINTER, 0, ERROR_INVALID_PARAMETER, 5},
        {5, true, 1, FILE_BEGIN, 5, 1, ERROR_SUCCESS, 0x100000005LL},  // past the end is allowed
        {-1, true, -1, FILE_CURRENT, 4, 1, ERROR_SUCCESS, 0x100000004LL},
        {0, false, 0, FILE_CURRENT, INVALID_SET_FILE_POINTER, 0, ERROR_INVALID_PARAMETER, 0x100000004LL},
        // 0xFFFFFFFF is a position as well: the last error says it is no failure.
        {-1, true, 0, FILE_BEGIN, 0xFFFFFFFFu, 0, ERROR_SUCCESS, 0xFFFFFFFFLL},
        {1, false, 0, FILE_END, 12, 0, ERROR_SUCCESS, 12},
    };
    for (const Move& m : moves) {
        LONG highPart = m.high;
        SetLastError(0xBAD);
        EXPECT_EQ(m.answer, SetFilePointer(file, m.low, m.withHigh ? &highPart : nullptr, m.method)) << m.low;
        EXPECT_EQ(m.error, GetLastError()) << m.low;
        if (m.withHigh) {
            EXPECT_EQ(m.answerHigh, highPart) << m.low;
        }
        LARGE_INTEGER zero{}, at{};
        ASSERT_TRUE(SetFilePointerEx(file, zero, &at, FILE_CURRENT));
        EXPECT_EQ(m.position, at.QuadPart) << m.low;
    }
    EXPECT_EQ(11u, GetFileSize(file, nullptr));  // moving the pointer never changes the size

    // SetEndOfFile cuts or extends at the pointer; an extension reads as zeros.
    LARGE_INTEGER to{};
    to.QuadPart = 5;
    EXPECT_TRUE(SetFilePointerEx(file, to, nullptr, FILE_BEGIN));
    EXPECT_TRUE(SetEndOfFile(file));
    EXPECT_EQ("hello", ReadAll(file));
    to.QuadPart = 7;
    EXPECT_TRUE(SetFilePointerEx(file, to, nullptr, FILE_BEGIN));
    EXPECT_TRUE(SetEndOfFile(file));
    EXPECT_EQ(std::string("hello\0\0", 7), ReadAll(file));
    EXPECT_TRUE(FlushFileBuffers(file));
    // A size whose low part is 0xFFFFFFFF is told from a failure by the last error.
    to.QuadPart = 0x1FFFFFFFFLL;
    EXPECT_TRUE(SetFilePointerEx(file, to, nullptr, FILE_BEGIN));
    EXPECT_TRUE(SetEndOfFile(file));
    SetLastError(0xBAD);
    EXPECT_EQ(0xFFFFFFFFu, GetFileSize(file, &high));
    EXPECT_EQ(DWORD(ERROR_SUCCESS), GetLastError());
    EXPECT_EQ(1u, high);
}

TEST(FileIo, CallsOutsideTheHandlesAccessAreRefused) {
    testsupport::TempDir dir;
    std::string path = dir.File("a.bin");
    testsupport::WriteFileBytes(path, "abc");
    Handle reader(Open(path, R, ShareAll, OPEN_EXISTING));
    Handle writer(Open(path, W, ShareAll, OPEN_EXISTING));
    char buffer[4];
    DWORD done = 7;
    struct Case {
        const char* call;
        BOOL result;
    };
    const Case cases[] = {
        {"WriteFile on a reader", WriteFile(reader, "x", 1, &done, nullptr)},
        {"SetEndOfFile on a reader", SetEndOfFile(reader)},
        {"FlushFileBuffers on a reader", FlushFileBuffers(reader)},
        {"ReadFile on a writer", ReadFile(writer, buffer, sizeof buffer, &done, nullptr)},
    };
    for (const Case& c : cases) EXPECT_FALSE(c.result) << c.call;
    SetLastError(0);
    EXPECT_FALSE(SetEndOfFile(reader));
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_EQ(0u, done);
    EXPECT_EQ("abc", testsupport::ReadFileBytes(path));

    // The file functions answer ERROR_INVALID_HANDLE for a handle that is not an open file.
    HANDLE stale = reader;
    reader.Close();
    SetLastError(0);
    EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(stale, 0, nullptr, FILE_BEGIN));
    EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), GetLastError());
    SetLastError(0);
    EXPECT_EQ(INVALID_FILE_SIZE, GetFileSize(stale, nullptr));
    EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), GetLastError());
    SetLastError(0);
    EXPECT_EQ(DWORD(FILE_TYPE_UNKNOWN), GetFileType(stale));
    EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), GetLastError());
}

TEST(FileIo, DevicesAreCharacterFiles) {
    Handle null(Open("/dev/null", RW, ShareAll, OPEN_EXISTING));
    ASSERT_TRUE(null.Valid());
    EXPECT_EQ(DWORD(FILE_TYPE_CHAR), GetFileType(null));
    DWORD done = 0;
    EXPECT_TRUE(WriteFile(null, "x", 1, &done, nullptr));
    EXPECT_EQ(1u, done);
}

// The current directory is the process's, so each test puts the old one back.
class CurrentDirectory : public ::testing::Test {
protected:
    void SetUp() override { FSaved = std::filesystem::current_path(); }
    void TearDown() override { std::filesystem::current_path(FSaved); }

    std::filesystem::path FSaved;
    testsupport::TempDir FDir;
};

TEST_F(CurrentDirectory, GbkNamesRoundTripAndRelativeOpensFollow) {
    std::string gbkDir = FDir.Path().string() + "/目录";  // GBK bytes CE C4 C2 BC after the UTF-8 temporary path
    ASSERT_TRUE(std::filesystem::create_directory(FDir.Path() / u8"目录"));
    ASSERT_TRUE(SetCurrentDirectoryA(gbkDir.c_str()));
    EXPECT_EQ(FDir.Path() / u8"目录", std::filesystem::current_path());

    DWORD length = static_cast<DWORD>(gbkDir.size());
    std::string buffer(length + 8, '#');
    // Too small by one: the size a buffer needs, terminator included, and the buffer untouched.
    EXPECT_EQ(length + 1, GetCurrentDirectoryA(0, nullptr));
    EXPECT_EQ(length + 1, GetCurrentDirectoryA(length, buffer.data()));
    EXPECT_EQ(std::string(length + 8, '#'), buffer);
    EXPECT_EQ(length, GetCurrentDirectoryA(length + 1, buffer.data()));
    EXPECT_EQ(gbkDir + '\0', buffer.substr(0, length + 1));

    std::u16string wide = FDir.Path().u16string() + u"/目录";
    std::u16string wideBuffer(wide.size() + 1, u'#');
    EXPECT_EQ(wide.size() + 1, GetCurrentDirectoryW(static_cast<DWORD>(wide.size()), wideBuffer.data()));
    EXPECT_EQ(wide.size(), GetCurrentDirectoryW(static_cast<DWORD>(wideBuffer.size()), wideBuffer.data()));
    EXPECT_EQ(wide + u'\0', wideBuffer);

    Handle file(Open("相对.txt", RW, 0, CREATE_NEW));
    ASSERT_TRUE(file.Valid());
    EXPECT_TRUE(std::filesystem::exists(FDir.Path() / u8"目录" / u8"相对.txt"));

    ASSERT_TRUE(SetCurrentDirectoryW(FDir.Path().u16string().c_str()));
    EXPECT_EQ(FDir.Path(), std::filesystem::current_path());
    ASSERT_TRUE(SetCurrentDirectoryA("目录"));
    EXPECT_EQ(FDir.Path() / u8"目录", std::filesystem::current_path());
}

TEST_F(CurrentDirectory, RefusedChangesSayWhyAndStayPut) {
    testsupport::WriteFileBytes(FDir.File("file"), "x");
    ASSERT_TRUE(SetCurrentDirectoryA(FDir.Path().c_str()));
    struct Case {
        const char* path;
        DWORD error;
    };
    const Case cases[] = {
        {"missing", ERROR_FILE_NOT_FOUND}, {"missing/deeper", ERROR_PATH_NOT_FOUND},
        {"file", ERROR_DIRECTORY},         {"file/deeper", ERROR_PATH_NOT_FOUND},
        {"", ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_FALSE(SetCurrentDirectoryA(c.path)) << c.path;
        EXPECT_EQ(c.error, GetLastError()) << c.path;
        EXPECT_EQ(FDir.Path(), std::filesystem::current_path()) << c.path;
    }
}

TEST(FileName, GbkNameReachesTheUtf8NameOnDisk) {
    testsupport::TempDir dir;
    std::string gbkName = dir.Path().string() + "/通道.bin";  // the name in code page 936: CD A8 B5 C0
    ASSERT_NE(std::string::npos, gbkName.find("\xCD\xA8\xB5\xC0"));
    Handle file(Open(gbkName, RW, FILE_SHARE_READ, CREATE_NEW));
    ASSERT_TRUE(file.Valid());
    DWORD done = 0;
    ASSERT_TRUE(WriteFile(file, "chan", 4, &done, nullptr));
    file.Close();
    EXPECT_EQ("chan", testsupport::ReadFileBytes((dir.Path() / u8"通道.bin").string()));
    // The wide name finds the same file.
    Handle wide(CreateFileW((dir.Path().u16string() + u"/通道.bin").c_str(), R, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(wide.Valid());
    EXPECT_EQ("chan", ReadAll(wide));
}
