// The serial link against the unit emulator: opening, exclusivity, closing and time-limited reads.
#include "UnitFixture.h"

#include "Protocol.h"
#include "Settings.h"

#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

class SerialLink : public UnitFixture {};

TEST_F(SerialLink, OpensWithTheLineSettingsAndFixedTimeouts) {
    ASSERT_TRUE(OpenUnit());
    EXPECT_GT(reinterpret_cast<LONG_PTR>(PortHandle), 0);

    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    ASSERT_TRUE(GetCommState(PortHandle, &dcb));
    EXPECT_EQ(dcb.BaudRate, 115200u);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);

    COMMTIMEOUTS timeouts{};
    ASSERT_TRUE(GetCommTimeouts(PortHandle, &timeouts));
    EXPECT_EQ(timeouts.ReadIntervalTimeout, 100u);
    EXPECT_EQ(timeouts.ReadTotalTimeoutMultiplier, 10u);
    EXPECT_EQ(timeouts.ReadTotalTimeoutConstant, 500u);
    EXPECT_EQ(timeouts.WriteTotalTimeoutMultiplier, 10u);
    EXPECT_EQ(timeouts.WriteTotalTimeoutConstant, 10u);
}

TEST_F(SerialLink, LineSettingsThePortRefusesFailTheOpenAndLeaveNoPort) {
    struct {
        const char* what;
        DWORD baud;
        BYTE byteSize, stopBits, parity;
    } refused[] = {
        {"5 data bits with 2 stop bits", 9600, 5, TWOSTOPBITS, NOPARITY},
        {"4 data bits", 9600, 4, ONESTOPBIT, NOPARITY},
        {"no baud rate", 0, 8, ONESTOPBIT, NOPARITY},
        {"a parity beyond the list", 9600, 8, ONESTOPBIT, 7},
    };
    for (const auto& r : refused) {
        ASSERT_TRUE(OpenUnit()) << r.what;
        EXPECT_FALSE(OpenPort("COM7", r.baud, r.byteSize, r.stopBits, r.parity)) << r.what;
        EXPECT_EQ(PortHandle, nullptr) << r.what;
        EXPECT_EQ(PortName, "COM7");
    }
    EXPECT_TRUE(OpenUnit()) << "the port itself is free again";
}

TEST_F(SerialLink, FramesReachTheUnitUnchanged) {
    ASSERT_TRUE(OpenUnit());
    // 0x0D, 0x11 and 0x13 must pass a raw line untouched.
    SendTextFrame(1, 4, 0x0D, 0x11, 0, "\x13\r\n通道");
    ASSERT_TRUE(SendClearFrame(9));
    ASSERT_TRUE(unit.WaitForFrames(2, std::chrono::seconds(2)));
    auto line = unit.State().Line(4, 1);
    EXPECT_EQ(line.text, "\x13\r\n通道");
    EXPECT_EQ(line.x, 0x0D);
    EXPECT_EQ(line.y, 0x11);
}

TEST_F(SerialLink, NoPortMeansFalseWithoutWaiting) {
    ASSERT_EQ(PortHandle, nullptr);
    auto start = Clock::now();
    EXPECT_FALSE(ClosePort());
    BYTE byte = 0;
    EXPECT_FALSE(WriteBytes(&byte, 1));
    EXPECT_FALSE(ReadBytes(&byte, 1));
    EXPECT_LT(MillisecondsSince(start), 100) << "no close pause without an open port";

    EXPECT_FALSE(OpenPort("COM19", 9600, 8, 0, 0)) << "no device behind COM19";
    EXPECT_EQ(PortHandle, nullptr);
}

TEST_F(SerialLink, ClosePausesOnlyWhenAPortWasOpen) {
    ASSERT_TRUE(OpenUnit());
    auto start = Clock::now();
    EXPECT_TRUE(ClosePort());
    EXPECT_GE(MillisecondsSince(start), static_cast<long long>(ClosePause) - 5);
    EXPECT_EQ(PortHandle, nullptr);
    EXPECT_FALSE(ClosePort());
}

TEST_F(SerialLink, PortHeldElsewhereIsRefusedAndLeavesNoPortOpen) {
    unit_emulator::PtyUnit other;
    ASSERT_TRUE(other.Start());
    testsupport::ScopedPortLink otherLink(12, other.SlavePath());

    int ready[2], done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    pid_t holder = fork();
    if (holder == 0) {
        // Another program holds COM12 until told to let go.
        HANDLE h = CreateFileA("\\\\.\\COM12", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        char c = h != INVALID_HANDLE_VALUE ? 'y' : 'n';
        if (write(ready[1], &c, 1) != 1) _exit(1);
        if (read(done[0], &c, 1) < 0) _exit(1);
        _exit(0);
    }
    char held = 0;
    ASSERT_EQ(read(ready[0], &held, 1), 1);
    ASSERT_EQ(held, 'y');

    ASSERT_TRUE(OpenUnit());
    EXPECT_FALSE(OpenPort("COM12", 9600, 8, 0, 0));
    EXPECT_EQ(PortHandle, nullptr) << "the port open before is closed on the way";

    char c = 'x';
    ASSERT_EQ(write(done[1], &c, 1), 1);
    int status = 0;
    waitpid(holder, &status, 0);
    EXPECT_TRUE(OpenPort("COM12", 9600, 8, 0, 0)) << "free again once the other program let go";
    for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
}

TEST_F(SerialLink, OneByteReadWithNothingArrivingTimesOut) {
    ASSERT_TRUE(OpenUnit());
    BYTE byte = 0;
    auto start = Clock::now();
    EXPECT_FALSE(ReadBytes(&byte, 1));
    long long elapsed = MillisecondsSince(start);
    EXPECT_GE(elapsed, 500) << "not before the total constant";
    EXPECT_LT(elapsed, 1500);
}

TEST_F(SerialLink, ReadReturnsEarlyWhenTheLineGoesQuiet) {
    ASSERT_TRUE(OpenUnit());
    ASSERT_TRUE(unit.SendRaw({1, 2, 3}));
    BYTE buffer[50];
    auto start = Clock::now();
    EXPECT_FALSE(ReadBytes(buffer, sizeof buffer));  // 10 x 50 + 500 ms would be the whole limit
    EXPECT_LT(MillisecondsSince(start), 900) << "the 100 ms interval ends the read";
    EXPECT_EQ(buffer[2], 3);
}

TEST_F(SerialLink, VanishedDeviceFailsAtOnce) {
    ASSERT_TRUE(OpenUnit());
    unit.CloseMaster();
    BYTE byte = 0;
    auto start = Clock::now();
    EXPECT_FALSE(ReadBytes(&byte, 1));
    EXPECT_FALSE(WriteBytes(&byte, 1));
    ChannelLine line;
    WriteOrderWaitThenRead = 0;
    EXPECT_FALSE(ReadChannel(0, 0, line));
    WriteOrderWaitThenRead = 500;
    EXPECT_LT(MillisecondsSince(start), 400);
}

}  // namespace
