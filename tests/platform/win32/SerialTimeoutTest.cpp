// COMMTIMEOUTS on ReadFile and WriteFile, against a pseudo-terminal whose far end the test drives.
#include "SerialPseudoTerminal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kPort = 12;
// Lower bounds allow for poll() rounding; upper bounds only have to tell "returned" from "hung", on a busy box.
constexpr milliseconds kSlack{15};
constexpr milliseconds kGenerous{2000};

class SerialTimeoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        FPort = OpenPort("\\\\.\\COM12");
        ASSERT_NE(INVALID_HANDLE_VALUE, FPort) << GetLastError();
        DCB dcb{};
        ASSERT_TRUE(GetCommState(FPort, &dcb));
        dcb.fNull = dcb.fOutX = dcb.fInX = dcb.fOutxCtsFlow = 0;
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        ASSERT_TRUE(SetCommState(FPort, &dcb));
    }
    void TearDown() override {
        if (FSender.joinable()) FSender.join();
        if (FPort != INVALID_HANDLE_VALUE) CloseHandle(FPort);
    }
    void UseTimeouts(DWORD interval, DWORD multiplier, DWORD constant, DWORD writeMultiplier = 0,
                     DWORD writeConstant = 0) {
        COMMTIMEOUTS timeouts = {interval, multiplier, constant, writeMultiplier, writeConstant};
        ASSERT_TRUE(SetCommTimeouts(FPort, &timeouts)) << GetLastError();
    }
    // The far end sends each chunk after its delay, counted from now.
    void SendLater(std::vector<std::pair<milliseconds, std::vector<BYTE>>> chunks) {
        auto start = Clock::now();
        FSender = std::thread([this, start, chunks] {
            for (const auto& chunk : chunks) {
                std::this_thread::sleep_until(start + chunk.first);
                FUnit.Send(chunk.second);
            }
        });
    }
    // Reads count bytes; returns how many came and sets elapsed.
    DWORD TimedRead(DWORD count, milliseconds& elapsed) {
        std::vector<BYTE> buffer(count);
        DWORD got = 12345;
        auto start = Clock::now();
        EXPECT_TRUE(ReadFile(FPort, buffer.data(), count, &got, nullptr)) << GetLastError();
        elapsed = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
        return got;
    }

    SerialPseudoTerminal FUnit{kPort};
    HANDLE FPort = INVALID_HANDLE_VALUE;
    std::thread FSender;
};

TEST_F(SerialTimeoutTest, FreshPortHasNoTimeoutsAndRefusesTheContradictoryOne) {
    COMMTIMEOUTS timeouts = {1, 2, 3, 4, 5};
    ASSERT_TRUE(GetCommTimeouts(FPort, &timeouts));
    EXPECT_EQ(0u, timeouts.ReadIntervalTimeout + timeouts.ReadTotalTimeoutMultiplier +
                      timeouts.ReadTotalTimeoutConstant + timeouts.WriteTotalTimeoutMultiplier +
                      timeouts.WriteTotalTimeoutConstant);
    COMMTIMEOUTS contradictory = {MAXDWORD, MAXDWORD, MAXDWORD, 0, 0};
    EXPECT_FALSE(SetCommTimeouts(FPort, &contradictory));
    EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
    COMMTIMEOUTS program = {100, 10, 500, 10, 10};
    ASSERT_TRUE(SetCommTimeouts(FPort, &program));
    ASSERT_TRUE(GetCommTimeouts(FPort, &timeouts));
    EXPECT_EQ(0, std::memcmp(&program, &timeouts, sizeof(timeouts)));
}

TEST_F(SerialTimeoutTest, OneByteWithNothingArrivingWaitsTheTotal) {
    UseTimeouts(100, 10, 500);
    milliseconds elapsed{};
    EXPECT_EQ(0u, TimedRead(1, elapsed));
    EXPECT_GE(elapsed, milliseconds(510) - kSlack);
    EXPECT_LT(elapsed, kGenerous);
}

TEST_F(SerialTimeoutTest, TotalEndsAPartialRead) {
    UseTimeouts(0, 10, 200);
    SendLater({{milliseconds(0), {1, 2}}});
    milliseconds elapsed{};
    EXPECT_EQ(2u, TimedRead(10, elapsed));
    EXPECT_GE(elapsed, milliseconds(300) - kSlack);
    EXPECT_LT(elapsed, kGenerous);
}

TEST_F(SerialTimeoutTest, IntervalStartsWithTheFirstByte) {
    // No total limit: the read waits as long as it takes for a first byte, then 250 ms of silence end it.
    UseTimeouts(250, 0, 0);
    SendLater({{milliseconds(300), {1}}, {milliseconds(350), {2, 3}}});
    milliseconds elapsed{};
    EXPECT_EQ(3u, TimedRead(10, elapsed));
    EXPECT_GE(elapsed, milliseconds(600) - kSlack);
    EXPECT_LT(elapsed, kGenerous);
}

TEST_F(SerialTimeoutTest, IntervalEndsLongBeforeTheTotal) {
    UseTimeouts(100, 0, 10000);
    SendLater({{milliseconds(0), {1, 2}}});
    milliseconds elapsed{};
    EXPECT_EQ(2u, TimedRead(10, elapsed));
    EXPECT_GE(elapsed, milliseconds(100) - kSlack);
    EXPECT_LT(elapsed, milliseconds(5000));
}

TEST_F(SerialTimeoutTest, IntervalMaxdwordAloneReturnsAtOnce) {
    UseTimeouts(MAXDWORD, 0, 0);
    milliseconds elapsed{};
    EXPECT_EQ(0u, TimedRead(4, elapsed));
    EXPECT_LT(elapsed, milliseconds(1000));
    FUnit.Send({7, 8, 9});
    std::this_thread::sleep_for(milliseconds(50));
    EXPECT_EQ(3u, TimedRead(4, elapsed));
    EXPECT_LT(elapsed, milliseconds(1000));
}

TEST_F(SerialTimeoutTest, IntervalAndMultiplierMaxdwordReturnOnTheFirstByte) {
    UseTimeouts(MAXDWORD, MAXDWORD, 300);
    milliseconds elapsed{};
    EXPECT_EQ(0u, TimedRead(4, elapsed));
    EXPECT_GE(elapsed, milliseconds(300) - kSlack);
    EXPECT_LT(elapsed, kGenerous);

    UseTimeouts(MAXDWORD, MAXDWORD, 10000);
    SendLater({{milliseconds(100), {5}}});
    EXPECT_EQ(1u, TimedRead(4, elapsed));
    EXPECT_GE(elapsed, milliseconds(100) - kSlack);
    EXPECT_LT(elapsed, milliseconds(5000));
}

TEST_F(SerialTimeoutTest, NoTimeoutsWaitForEveryByte) {
    SendLater({{milliseconds(50), {1}}, {milliseconds(250), {2, 3}}});
    milliseconds elapsed{};
    EXPECT_EQ(3u, TimedRead(3, elapsed));
    EXPECT_GE(elapsed, milliseconds(250) - kSlack);
}

TEST_F(SerialTimeoutTest, WriteStopsAtItsTotalWhenNobodyReads) {
    UseTimeouts(0, 0, 0, 0, 300);
    std::vector<BYTE> lots(1 << 20, 0x55);
    DWORD written = 0;
    auto start = Clock::now();
    EXPECT_TRUE(WriteFile(FPort, lots.data(), DWORD(lots.size()), &written, nullptr)) << GetLastError();
    auto elapsed = Clock::now() - start;
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, lots.size());
    EXPECT_GE(elapsed, milliseconds(300) - kSlack);
    EXPECT_LT(elapsed, kGenerous);

    // Output nobody takes does not hold up closing.
    start = Clock::now();
    EXPECT_TRUE(CloseHandle(FPort));
    FPort = INVALID_HANDLE_VALUE;
    EXPECT_LT(Clock::now() - start, kGenerous);
}

TEST_F(SerialTimeoutTest, LongWriteContinuesWhileTheFarEndReads) {
    std::vector<BYTE> lots(300000);
    for (size_t i = 0; i < lots.size(); ++i) lots[i] = BYTE(i * 7);
    std::vector<BYTE> received;
    std::thread reader([&] { received = FUnit.Receive(lots.size(), 2000); });
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(FPort, lots.data(), DWORD(lots.size()), &written, nullptr)) << GetLastError();
    reader.join();
    EXPECT_EQ(lots.size(), written);
    EXPECT_TRUE(received == lots);
}

TEST_F(SerialTimeoutTest, DeviceVanishingDuringAWaitEndsIt) {
    // Nothing is ever sent and no time-out is set: only the vanished device can end this read.
    std::thread puller([this] {
        std::this_thread::sleep_for(milliseconds(200));
        FUnit.CloseMaster();
    });
    BYTE buffer[4];
    DWORD got = 0;
    auto start = Clock::now();
    EXPECT_FALSE(ReadFile(FPort, buffer, sizeof(buffer), &got, nullptr));
    EXPECT_EQ(DWORD(ERROR_BAD_COMMAND), GetLastError());
    EXPECT_LT(Clock::now() - start, kGenerous);
    puller.join();
}

}  // namespace
