// Serial ports over a pseudo-terminal: naming, exclusive opening, the raw line, DCB handling, vanished devices.
#include "SerialPseudoTerminal.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

namespace {

constexpr int kPort = 12;
constexpr const char* kPortName = "\\\\.\\COM12";

void ExpectSameDcb(const DCB& expected, const DCB& actual) {
#define SAME(field) EXPECT_EQ(expected.field, actual.field) << #field
    SAME(DCBlength);
    SAME(BaudRate);
    SAME(fBinary);
    SAME(fParity);
    SAME(fOutxCtsFlow);
    SAME(fOutxDsrFlow);
    SAME(fDtrControl);
    SAME(fDsrSensitivity);
    SAME(fTXContinueOnXoff);
    SAME(fOutX);
    SAME(fInX);
    SAME(fErrorChar);
    SAME(fNull);
    SAME(fRtsControl);
    SAME(fAbortOnError);
    SAME(XonLim);
    SAME(XoffLim);
    SAME(ByteSize);
    SAME(Parity);
    SAME(StopBits);
    SAME(XonChar);
    SAME(XoffChar);
    SAME(ErrorChar);
    SAME(EofChar);
    SAME(EvtChar);
#undef SAME
}

class SerialTest : public ::testing::Test {
protected:
    void SetUp() override {
        FPort = OpenPort(kPortName);
        ASSERT_NE(INVALID_HANDLE_VALUE, FPort) << GetLastError();
    }
    void TearDown() override {
        if (FPort != INVALID_HANDLE_VALUE) CloseHandle(FPort);
    }
    DCB State() {
        DCB dcb{};
        EXPECT_TRUE(GetCommState(FPort, &dcb)) << GetLastError();
        return dcb;
    }
    // A clean 8N1 line without flow control at 9600, whatever an earlier test left on a reused pty path.
    void ResetLine() {
        DCB dcb = State();
        dcb.BaudRate = CBR_9600;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fOutX = dcb.fInX = dcb.fNull = dcb.fOutxCtsFlow = 0;
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        ASSERT_TRUE(SetCommState(FPort, &dcb)) << GetLastError();
    }

    SerialPseudoTerminal FUnit{kPort};
    HANDLE FPort = INVALID_HANDLE_VALUE;
};

TEST(SerialOpenTest, NameFormsReachTheLinkedDevice) {
    SerialPseudoTerminal twoDigits(12);
    SerialPseudoTerminal oneDigit(3);
    for (const char* name : {"\\\\.\\COM12", "\\\\.\\com12", "COM12", "cOm12", "\\\\.\\COM3", "COM3"}) {
        HANDLE port = OpenPort(name);
        ASSERT_NE(INVALID_HANDLE_VALUE, port) << name << " error " << GetLastError();
        EXPECT_TRUE(CloseHandle(port)) << name;
    }
}

// A terminal device named by its path is the same communications device as the COM name that links to it.
TEST(SerialOpenTest, DevicePathsOpenAsPorts) {
    SerialPseudoTerminal unit(kPort);
    std::filesystem::path chinese = testsupport::ExeDir() / u8"串口";
    std::filesystem::remove(chinese);
    std::filesystem::create_symlink(unit.SlavePath(), chinese);
    const std::string paths[] = {
        unit.SlavePath(),
        (testsupport::ExeDir() / "ports" / "com12").string(),
        // The A function takes code page 936: "串口" as GBK bytes after the (ASCII) directory.
        testsupport::ExeDir().string() + "/串口",
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        HANDLE port = OpenPort(path.c_str());
        ASSERT_NE(INVALID_HANDLE_VALUE, port) << GetLastError();
        DCB dcb{};
        EXPECT_TRUE(GetCommState(port, &dcb)) << GetLastError();
        SetLastError(0);
        EXPECT_EQ(INVALID_HANDLE_VALUE, OpenPort(kPortName)) << "the COM name reaches the same device";
        EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), GetLastError());
        BYTE byte = 0xA5;
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(port, &byte, 1, &written, nullptr));
        EXPECT_EQ(std::vector<BYTE>{0xA5}, unit.Receive(1, 2000));
        EXPECT_TRUE(CloseHandle(port));
    }
    std::filesystem::remove(chinese);

    // Held through its COM name, the device refuses its path too.
    HANDLE held = OpenPort(kPortName);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    SetLastError(0);
    EXPECT_EQ(INVALID_HANDLE_VALUE, OpenPort(unit.SlavePath().c_str()));
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_TRUE(CloseHandle(held));
}

TEST(SerialOpenTest, DosDeviceNamesAnswerWithTheirDevice) {
    SerialPseudoTerminal twoDigits(12);
    SerialPseudoTerminal oneDigit(3);
    char target[4096];
    DWORD n = QueryDosDeviceA("com12", target, sizeof target);
    ASSERT_NE(0u, n) << GetLastError();
    EXPECT_EQ((testsupport::ExeDir() / "ports" / "com12").string(), std::string(target));
    EXPECT_EQ(std::strlen(target) + 2, n) << "one string and the list's closing NUL";

    n = QueryDosDeviceA(nullptr, target, sizeof target);
    ASSERT_NE(0u, n) << GetLastError();
    std::vector<std::string> names;
    for (const char* name = target; *name; name += std::strlen(name) + 1) names.push_back(name);
    EXPECT_NE(std::find(names.begin(), names.end(), "COM3"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "COM12"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "COM13"), names.end());

    for (const char* absent : {"COM256", "LPT1", "\\\\.\\COM12", "COM0"}) {
        SetLastError(0);
        EXPECT_EQ(0u, QueryDosDeviceA(absent, target, sizeof target)) << absent;
        EXPECT_EQ(DWORD(ERROR_FILE_NOT_FOUND), GetLastError()) << absent;
    }
    SetLastError(0);
    EXPECT_EQ(0u, QueryDosDeviceA("COM12", target, 5));
    EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
}

TEST(SerialOpenTest, RefusedOpensSayWhy) {
    SerialPseudoTerminal unit(12);
    testsupport::ScopedPortLink dangling(13, "/nonexistent/overlay-tty");
    struct Case {
        const char* name;
        DWORD access;
        DWORD share;
        DWORD disposition;
        DWORD flags;
        DWORD error;
    };
    const DWORD rw = GENERIC_READ | GENERIC_WRITE;
    const Case cases[] = {
        {"\\\\.\\COM13", rw, 0, OPEN_EXISTING, 0, ERROR_FILE_NOT_FOUND},  // link to nothing
        {"\\\\.\\COM0", rw, 0, OPEN_EXISTING, 0, ERROR_FILE_NOT_FOUND},
        {"\\\\.\\COM256", rw, 0, OPEN_EXISTING, 0, ERROR_FILE_NOT_FOUND},
        {"\\\\.\\COM012", rw, 0, OPEN_EXISTING, 0, ERROR_FILE_NOT_FOUND},
        {"C:\\Config.ini", rw, 0, OPEN_EXISTING, 0, ERROR_FILE_NOT_FOUND},  // a disk file, and not here
        {"\\\\.\\COM12x", rw, 0, OPEN_EXISTING, 0, ERROR_FILE_NOT_FOUND},   // no such device
        {"\\\\.\\COM12", rw, 0, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, ERROR_NOT_SUPPORTED},
        {"\\\\.\\COM12", rw, 0, CREATE_ALWAYS, 0, ERROR_INVALID_PARAMETER},
        {"\\\\.\\COM12", rw, FILE_SHARE_READ, OPEN_EXISTING, 0, ERROR_INVALID_PARAMETER},
        {"\\\\.\\COM12", GENERIC_EXECUTE, 0, OPEN_EXISTING, 0, ERROR_INVALID_PARAMETER},
        // A terminal's path follows the rules of a communications device.
        {unit.SlavePath().c_str(), rw, FILE_SHARE_READ, OPEN_EXISTING, 0, ERROR_INVALID_PARAMETER},
        {unit.SlavePath().c_str(), rw, 0, OPEN_ALWAYS, 0, ERROR_INVALID_PARAMETER},
        {unit.SlavePath().c_str(), rw, 0, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, ERROR_NOT_SUPPORTED},
    };
    for (const auto& c : cases) {
        SetLastError(0);
        EXPECT_EQ(INVALID_HANDLE_VALUE,
                  CreateFileA(c.name, c.access, c.share, nullptr, c.disposition, c.flags, nullptr))
            << c.name;
        EXPECT_EQ(c.error, GetLastError()) << c.name;
    }
}

TEST_F(SerialTest, OpenIsExclusiveWithinAndAcrossProcesses) {
    SetLastError(0);
    EXPECT_EQ(INVALID_HANDLE_VALUE, OpenPort(kPortName));
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), GetLastError());

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        HANDLE other = OpenPort(kPortName);
        _exit(other == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other process could open the port";

    // Closing gives the port up.
    ASSERT_TRUE(CloseHandle(FPort));
    FPort = OpenPort(kPortName);
    EXPECT_NE(INVALID_HANDLE_VALUE, FPort) << GetLastError();
}

TEST_F(SerialTest, IsACharacterFile) {
    SetLastError(0xBAD);
    EXPECT_EQ(DWORD(FILE_TYPE_CHAR), GetFileType(FPort));
    EXPECT_EQ(DWORD(ERROR_SUCCESS), GetLastError());
}

TEST_F(SerialTest, LineIsRawBothWays) {
    ResetLine();
    const std::vector<BYTE> bytes = {0x0D, 0x11, 0x13, 0x0A, 0x00, 0x03, 0x1A, 0x7F, 0xDD, 0xBB, 0x0D, 0x0A};
    COMMTIMEOUTS timeouts = {100, 10, 500, 10, 10};
    ASSERT_TRUE(SetCommTimeouts(FPort, &timeouts));

    DWORD written = 0;
    ASSERT_TRUE(WriteFile(FPort, bytes.data(), DWORD(bytes.size()), &written, nullptr)) << GetLastError();
    EXPECT_EQ(bytes.size(), written);
    EXPECT_EQ(bytes, FUnit.Receive(bytes.size(), 1000));

    FUnit.Send(bytes);
    std::vector<BYTE> received(bytes.size() + 4);
    DWORD got = 0;
    ASSERT_TRUE(ReadFile(FPort, received.data(), DWORD(received.size()), &got, nullptr)) << GetLastError();
    received.resize(got);
    EXPECT_EQ(bytes, received);
}

TEST_F(SerialTest, ClosingRightAfterAWriteLosesNothingWritten) {
    ResetLine();
    std::vector<BYTE> bytes(200);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = BYTE(i);
    for (int round = 0; round < 5; ++round) {
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(FPort, bytes.data(), DWORD(bytes.size()), &written, nullptr));
        ASSERT_TRUE(CloseHandle(FPort));
        FPort = OpenPort(kPortName);
        ASSERT_NE(INVALID_HANDLE_VALUE, FPort);
        EXPECT_EQ(bytes, FUnit.Receive(bytes.size(), 500)) << "round " << round;
    }
}

TEST_F(SerialTest, InputWaitingBeforeOpenIsKept) {
    ASSERT_TRUE(CloseHandle(FPort));
    FUnit.Send({0x41, 0x42});
    FPort = OpenPort(kPortName);
    ASSERT_NE(INVALID_HANDLE_VALUE, FPort);
    COMMTIMEOUTS timeouts = {MAXDWORD, 0, 0, 0, 0};
    ASSERT_TRUE(SetCommTimeouts(FPort, &timeouts));
    BYTE buffer[4] = {};
    DWORD got = 0;
    ASSERT_TRUE(ReadFile(FPort, buffer, sizeof(buffer), &got, nullptr));
    EXPECT_EQ(2u, got);
}

TEST_F(SerialTest, PurgeDiscardsTheInputWaitingAndKeepsWhatComesAfter) {
    ResetLine();
    COMMTIMEOUTS timeouts = {MAXDWORD, 0, 0, 0, 0};
    ASSERT_TRUE(SetCommTimeouts(FPort, &timeouts));
    FUnit.Send({0xBB, 0xDD, 0x41});
    // The pseudo-terminal hands the bytes to the line discipline asynchronously.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(PurgeComm(FPort, PURGE_RXCLEAR)) << GetLastError();
    BYTE buffer[8] = {};
    DWORD got = 1;
    ASSERT_TRUE(ReadFile(FPort, buffer, sizeof(buffer), &got, nullptr));
    EXPECT_EQ(0u, got) << "nothing of what waited is left";

    FUnit.Send({0x42});
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(ReadFile(FPort, buffer, sizeof(buffer), &got, nullptr));
    ASSERT_EQ(1u, got);
    EXPECT_EQ(0x42, buffer[0]);

    // Every documented combination is taken; the synchronous handle has no overlapped operation to abort.
    for (DWORD flags : {DWORD(PURGE_TXCLEAR), DWORD(PURGE_TXABORT | PURGE_RXABORT),
                        DWORD(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR), DWORD(0)})
        EXPECT_TRUE(PurgeComm(FPort, flags)) << flags;
    SetLastError(0);
    EXPECT_FALSE(PurgeComm(FPort, 0x10));
    EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
}

TEST_F(SerialTest, ConfigRoundTripKeepsWhatItDidNotChange) {
    // Fields termios cannot hold, next to fields it does, all set to values that are nobody's default.
    DCB custom = State();
    custom.fParity = 1;
    custom.fOutxCtsFlow = 1;
    custom.fRtsControl = RTS_CONTROL_HANDSHAKE;
    custom.fDtrControl = DTR_CONTROL_DISABLE;
    custom.fDsrSensitivity = 1;
    custom.fTXContinueOnXoff = 0;
    custom.fOutX = 1;
    custom.fInX = 1;
    custom.fErrorChar = 1;
    custom.fAbortOnError = 1;
    custom.XonLim = 123;
    custom.XoffLim = 456;
    custom.XonChar = 0x05;
    custom.XoffChar = 0x06;
    custom.ErrorChar = '?';
    custom.EofChar = 0x1A;
    custom.EvtChar = '\n';
    ASSERT_TRUE(SetCommState(FPort, &custom)) << GetLastError();

    // The program's own sequence: read the configuration, change the four line values, write it back.
    COMMCONFIG config{};
    DWORD size = sizeof(config);
    ASSERT_TRUE(GetCommConfig(FPort, &config, &size)) << GetLastError();
    EXPECT_EQ(52u, size);
    EXPECT_EQ(52u, config.dwSize);
    EXPECT_EQ(DWORD(PST_RS232), config.dwProviderSubType);
    config.dcb.BaudRate = CBR_19200;
    config.dcb.ByteSize = 8;
    config.dcb.StopBits = ONE5STOPBITS;
    config.dcb.Parity = NOPARITY;
    ASSERT_TRUE(SetCommConfig(FPort, &config, size)) << GetLastError();

    DCB expected = custom;
    expected.BaudRate = CBR_19200;
    expected.ByteSize = 8;
    expected.StopBits = ONE5STOPBITS;
    expected.Parity = NOPARITY;
    ExpectSameDcb(expected, State());

    // The driver keeps its DCB for the next opener, as on Windows.
    ASSERT_TRUE(CloseHandle(FPort));
    FPort = OpenPort(kPortName);
    ASSERT_NE(INVALID_HANDLE_VALUE, FPort);
    ExpectSameDcb(expected, State());

    // What plain termios users see of it.
    termios line{};
    ASSERT_EQ(0, tcgetattr(FUnit.KeptSlave(), &line));
    EXPECT_EQ(speed_t(B19200), cfgetospeed(&line));
    EXPECT_TRUE(line.c_cflag & CSTOPB);
    EXPECT_TRUE(line.c_cflag & CRTSCTS);
    EXPECT_TRUE(line.c_iflag & IXON);
    EXPECT_TRUE(line.c_iflag & IXOFF);
    EXPECT_TRUE(line.c_iflag & INPCK);
    EXPECT_EQ(0x05, line.c_cc[VSTART]);
    EXPECT_EQ(0x06, line.c_cc[VSTOP]);
    ResetLine();
}

TEST_F(SerialTest, GetCommConfigWantsRoomForTheWholeStructure) {
    COMMCONFIG config{};
    DWORD size = 10;
    SetLastError(0);
    EXPECT_FALSE(GetCommConfig(FPort, &config, &size));
    EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(sizeof(COMMCONFIG), size);
}

TEST_F(SerialTest, RatesTermiosLacksAreSetAndReadBack) {
    ResetLine();
    for (DWORD rate : {DWORD(CBR_14400), DWORD(CBR_56000), DWORD(CBR_128000), DWORD(CBR_256000), DWORD(12345),
                       DWORD(CBR_110), DWORD(CBR_115200), DWORD(CBR_9600)}) {
        DCB dcb = State();
        dcb.BaudRate = rate;
        ASSERT_TRUE(SetCommState(FPort, &dcb)) << rate << " error " << GetLastError();
        EXPECT_EQ(rate, State().BaudRate);
    }
    // A standard rate is stored the classic way, so other termios users read it too.
    termios line{};
    ASSERT_EQ(0, tcgetattr(FUnit.KeptSlave(), &line));
    EXPECT_EQ(speed_t(B9600), cfgetospeed(&line));
}

TEST_F(SerialTest, RefusedSettingsLeaveTheOldOnes) {
    ResetLine();
    const DCB before = State();
    struct Case {
        const char* what;
        void (*change)(DCB&);
    };
    const Case cases[] = {
        {"4 data bits", [](DCB& d) { d.ByteSize = 4; }},
        {"9 data bits", [](DCB& d) { d.ByteSize = 9; }},
        {"parity 5", [](DCB& d) { d.Parity = 5; }},
        {"stop bits 3", [](DCB& d) { d.StopBits = 3; }},
        {"5 data bits, 2 stop bits",
         [](DCB& d) {
             d.ByteSize = 5;
             d.StopBits = TWOSTOPBITS;
         }},
        {"rate 0", [](DCB& d) { d.BaudRate = 0; }},
        {"DSR flow", [](DCB& d) { d.fOutxDsrFlow = 1; }},
        {"DTR handshake", [](DCB& d) { d.fDtrControl = DTR_CONTROL_HANDSHAKE; }},
        {"RTS toggle", [](DCB& d) { d.fRtsControl = RTS_CONTROL_TOGGLE; }},
        {"XON equals XOFF",
         [](DCB& d) {
             d.fOutX = 1;
             d.XonChar = d.XoffChar = 0x11;
         }},
        // A pseudo-terminal's driver keeps 8 bits without parity whatever it is asked, while taking the rest of
        // the request: the readback must notice and undo the rest.
        {"7 data bits on a pty", [](DCB& d) { d.ByteSize = 7; }},
        {"even parity on a pty", [](DCB& d) { d.Parity = EVENPARITY; }},
    };
    for (const auto& c : cases) {
        // Changes that would take, so that a refusal has something to undo.
        DCB wanted = before;
        wanted.BaudRate = CBR_57600;
        wanted.StopBits = TWOSTOPBITS;
        wanted.XonLim = 77;
        c.change(wanted);
        SetLastError(0);
        EXPECT_FALSE(SetCommState(FPort, &wanted)) << c.what;
        EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError()) << c.what;
        ExpectSameDcb(before, State());
    }
}

TEST_F(SerialTest, ReadOnlyHandleCannotWrite) {
    ASSERT_TRUE(CloseHandle(FPort));
    FPort = CreateFileA(kPortName, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, FPort);
    BYTE byte = 0x55;
    DWORD written = 1;
    EXPECT_FALSE(WriteFile(FPort, &byte, 1, &written, nullptr));
    EXPECT_EQ(DWORD(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_EQ(0u, written);
}

TEST_F(SerialTest, VanishedDeviceFailsAtOnce) {
    FUnit.CloseMaster();
    auto start = std::chrono::steady_clock::now();
    BYTE buffer[4] = {};
    DWORD count = 1;
    // With no time-outs set a read would otherwise wait for ever.
    EXPECT_FALSE(ReadFile(FPort, buffer, sizeof(buffer), &count, nullptr));
    EXPECT_EQ(DWORD(ERROR_BAD_COMMAND), GetLastError());
    EXPECT_EQ(0u, count);
    EXPECT_FALSE(WriteFile(FPort, buffer, sizeof(buffer), &count, nullptr));
    EXPECT_EQ(DWORD(ERROR_BAD_COMMAND), GetLastError());
    DCB dcb{};
    EXPECT_FALSE(GetCommState(FPort, &dcb));
    EXPECT_EQ(DWORD(ERROR_BAD_COMMAND), GetLastError());
    EXPECT_FALSE(PurgeComm(FPort, PURGE_RXCLEAR));
    EXPECT_EQ(DWORD(ERROR_BAD_COMMAND), GetLastError());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(CloseHandle(FPort));
    FPort = INVALID_HANDLE_VALUE;
}

TEST(SerialHandleTest, CallsOnHandlesThatAreNoPortFail) {
    SerialPseudoTerminal unit(kPort);
    HANDLE closed = OpenPort(kPortName);
    ASSERT_NE(INVALID_HANDLE_VALUE, closed);
    ASSERT_TRUE(CloseHandle(closed));
    for (HANDLE handle : {HANDLE(nullptr), INVALID_HANDLE_VALUE, closed}) {
        BYTE byte = 0;
        DWORD count = 0;
        DCB dcb{};
        COMMTIMEOUTS timeouts{};
        SetLastError(0);
        EXPECT_FALSE(ReadFile(handle, &byte, 1, &count, nullptr));
        EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), GetLastError());
        SetLastError(0);
        EXPECT_FALSE(WriteFile(handle, &byte, 1, &count, nullptr));
        EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), GetLastError());
        SetLastError(0);
        EXPECT_FALSE(GetCommState(handle, &dcb));
        EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), GetLastError());
        SetLastError(0);
        EXPECT_FALSE(SetCommTimeouts(handle, &timeouts));
        EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), GetLastError());
        SetLastError(0);
        EXPECT_FALSE(PurgeComm(handle, PURGE_RXCLEAR));
        EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), GetLastError());
        SetLastError(0);
        EXPECT_FALSE(CloseHandle(handle));
        EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), GetLastError());
    }
}

}  // namespace
