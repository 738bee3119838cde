// The emulator on a pseudo-terminal, driven the way the application drives a serial port: plain
// POSIX I/O on the slave path (or on a link to it).
#include "PtyUnit.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>

#include "FrameBuilder.h"

using namespace unit_emulator;
using namespace unit_emulator_test;
using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

namespace {

// One open of the port, as the application makes it: raw, no controlling terminal.
class Port {
public:
    explicit Port(const std::string& path) : FFd(open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {
        termios settings{};
        if (FFd >= 0 && tcgetattr(FFd, &settings) == 0) {
            cfmakeraw(&settings);
            tcsetattr(FFd, TCSANOW, &settings);
        }
    }
    ~Port() { Close(); }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;

    bool IsOpen() const { return FFd >= 0; }
    void Close() {
        if (FFd >= 0) close(FFd);
        FFd = -1;
    }
    bool Write(const Bytes& bytes) {
        return write(FFd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // Reads until `count` bytes came or `timeout` passed; answers what came.
    Bytes Read(size_t count, std::chrono::milliseconds timeout) {
        Bytes out;
        const auto end = SteadyClock::now() + timeout;
        while (out.size() < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - SteadyClock::now()).count();
            pollfd fd{FFd, POLLIN, 0};
            if (left <= 0 || poll(&fd, 1, static_cast<int>(left)) <= 0) break;
            uint8_t buffer[256];
            const ssize_t n = read(FFd, buffer, std::min(sizeof buffer, count - out.size()));
            if (n <= 0) break;
            out.insert(out.end(), buffer, buffer + n);
        }
        return out;
    }

    int Fd() const { return FFd; }

private:
    int FFd;
};

class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/unit-emulator-test-XXXXXX";
        FPath = mkdtemp(pattern) ? pattern : "";
    }
    ~TempDir() {
        if (!FPath.empty()) std::system(("rm -rf '" + FPath + "'").c_str());
    }
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

bool IsSymlink(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

class PtyUnitTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(unit.Start()) << unit.Error();
        ASSERT_EQ(unit.SlavePath().rfind("/dev/pts/", 0), 0u) << unit.SlavePath();
        port = std::make_unique<Port>(unit.SlavePath());
        ASSERT_TRUE(port->IsOpen());
    }

    // A line written through the port, then its read-back.
    Bytes WriteAndReadBack(Port& on, int group, int row, const std::string& text) {
        const Bytes request = Concat({TextFrame(group, row, 5, 6, 2, text), ReadFrame(group, row)});
        EXPECT_TRUE(on.Write(request));
        return on.Read(6 + text.size(), 5s);
    }

    PtyUnit unit;
    std::unique_ptr<Port> port;
};

TEST_F(PtyUnitTest, FramesWrittenToTheSlaveChangeTheStateAndAreAnswered) {
    EXPECT_EQ(WriteAndReadBack(*port, 1, 2, "AB"), (Bytes{0xBB, 0xDD, 0x05, 0x12, 5, 2 * 64 + 6, 'A', 'B'}));
    ASSERT_TRUE(port->Write(ClockFrame(true, "07050902070308")));
    ASSERT_TRUE(unit.WaitForFrames(3, 5s));
    const UnitState state = unit.State();
    EXPECT_EQ(state.Line(2, 1).text, "AB");
    EXPECT_TRUE(state.Clock().shown);
    const std::vector<FrameRecord> frames = unit.Frames();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].description, "text g1 ch03 x=5 y=6 size=2 \"AB\"");
    EXPECT_EQ(frames[1].hex, "DD BB 01 12");
    EXPECT_EQ(frames[2].description, "clock show 2008-03-02 09:05:07 weekday 7");
    EXPECT_EQ(unit.DescribeState(), state.Describe());
}

TEST_F(PtyUnitTest, SlaveCanBeClosedAndReopened) {
    for (int cycle = 0; cycle < 3; ++cycle) {
        SCOPED_TRACE(cycle);
        // Bytes left behind by the last open are still delivered: the unit never saw a hang-up.
        ASSERT_TRUE(port->Write(TextFrame(0, cycle, 1, 1, 0, "x")));
        port->Close();
        port = std::make_unique<Port>(unit.SlavePath());
        ASSERT_TRUE(port->IsOpen()) << std::strerror(errno);
        EXPECT_EQ(port->Write(ReadFrame(0, cycle)), true);
        EXPECT_EQ(port->Read(7, 5s), (Bytes{0xBB, 0xDD, 0x04, static_cast<uint8_t>(cycle), 1, 1, 'x'}));
    }
    EXPECT_TRUE(unit.Serving());
}

TEST_F(PtyUnitTest, ReplyHookReplacesOrSuppressesTheReply) {
    struct HookCase {
        const char* name;
        std::optional<Bytes> replacement;
    };
    const HookCase cases[] = {
        {"garbage before the reply", Bytes{0x00, 0x11, 0xBB, 0xDD, 0x05, 0x21, 0x04, 0x83, 'A', 'B'}},
        {"length byte 200", Bytes{0xBB, 0xDD, 200, 0x21, 1, 2, 'C'}},
        {"no reply", Bytes{}},
        {"the normal reply", std::nullopt},
    };
    for (const HookCase& c : cases) {
        SCOPED_TRACE(c.name);
        int seenGroup = -1;
        int seenRow = -1;
        Bytes seenReply;
        unit.SetReplyHook([&](int group, int row, const Bytes& normal) {
            seenGroup = group;
            seenRow = row;
            seenReply = normal;
            return c.replacement;
        });
        const size_t before = unit.Frames().size();
        ASSERT_TRUE(port->Write(ReadFrame(2, 1)));
        ASSERT_TRUE(unit.WaitForFrames(before + 1, 5s));
        const Bytes normal{0xBB, 0xDD, 0x03, 0x21, 0, 0};
        const Bytes expected = c.replacement ? *c.replacement : normal;
        EXPECT_EQ(port->Read(expected.size(), 5s), expected);
        EXPECT_TRUE(port->Read(1, 200ms).empty());
        EXPECT_EQ(seenGroup, 2);
        EXPECT_EQ(seenRow, 1);
        EXPECT_EQ(seenReply, normal);
    }
}

TEST_F(PtyUnitTest, ReplyDelayHoldsTheReplyBack) {
    unit.SetReplyDelay(300ms);
    const auto start = SteadyClock::now();
    ASSERT_TRUE(port->Write(ReadFrame(0, 0)));
    EXPECT_EQ(port->Read(6, 10s).size(), 6u);
    const auto elapsed = SteadyClock::now() - start;
    EXPECT_GE(elapsed, 300ms);
    EXPECT_LT(elapsed, 10s);
}

TEST_F(PtyUnitTest, SendRawArrivesInOrderWithReplies) {
    ASSERT_TRUE(unit.SendRaw({0x01, 0xBB, 0xDD}));
    ASSERT_TRUE(port->Write(ReadFrame(0, 4)));
    EXPECT_EQ(port->Read(9, 5s), (Bytes{0x01, 0xBB, 0xDD, 0xBB, 0xDD, 0x03, 0x04, 0, 0}));
}

TEST_F(PtyUnitTest, IncompleteBogusFrameIsDroppedWhenTheLineGoesQuiet) {
    // A plausible header announcing 60 bytes would otherwise hide the request behind it forever.
    const auto start = SteadyClock::now();
    ASSERT_TRUE(port->Write(Concat({{0xDD, 0xBB, 60, 0xC1}, ReadFrame(1, 0)})));
    EXPECT_EQ(port->Read(6, 10s), (Bytes{0xBB, 0xDD, 0x03, 0x10, 0, 0}));
    EXPECT_GE(SteadyClock::now() - start, PtyUnit::kIdleTimeout);
    ASSERT_TRUE(unit.WaitForFrames(2, 1s));
    EXPECT_EQ(unit.Frames()[0].description, "garbage: 4 bytes skipped");
}

TEST_F(PtyUnitTest, CloseMasterLooksLikeAVanishedDevice) {
    const std::string path = unit.SlavePath();
    unit.CloseMaster();
    EXPECT_FALSE(unit.Serving());
    EXPECT_FALSE(unit.SendRaw({1}));
    uint8_t byte;
    EXPECT_LE(read(port->Fd(), &byte, 1), 0);  // end of file or EIO, at once
    EXPECT_FALSE(port->Write({0xDD}));
    Port again(path);
    EXPECT_FALSE(again.IsOpen());
}

TEST_F(PtyUnitTest, StopIsPromptWhileAReplyIsDelayed) {
    unit.SetReplyDelay(std::chrono::minutes(1));
    ASSERT_TRUE(port->Write(ReadFrame(0, 0)));
    ASSERT_TRUE(unit.WaitForFrames(1, 5s));
    const auto start = SteadyClock::now();
    unit.Stop();
    EXPECT_LT(SteadyClock::now() - start, 10s);
    EXPECT_FALSE(unit.Serving());
}

TEST(PtyUnitLink, LinkPointsAtTheSlaveAndGoesAwayAtStop) {
    TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    const std::string link = dir.Path() + "/com1";
    const std::string file = dir.Path() + "/plain";
    ASSERT_EQ(symlink("/nonexistent/stale", link.c_str()), 0);
    std::ofstream(file) << "keep";
    {
        PtyUnit unit;
        EXPECT_FALSE(unit.LinkAs(link));  // nothing to link to before a start
        ASSERT_TRUE(unit.Start()) << unit.Error();
        EXPECT_FALSE(unit.LinkAs(file));
        ASSERT_TRUE(unit.LinkAs(link)) << unit.Error();
        Port port(link);
        ASSERT_TRUE(port.IsOpen());
        ASSERT_TRUE(port.Write(ReadFrame(0, 1)));
        EXPECT_EQ(port.Read(6, 5s).size(), 6u);
    }
    EXPECT_FALSE(IsSymlink(link));
    EXPECT_TRUE(std::ifstream(file).good());
}

TEST(PtyUnitDevice, ServesAnExistingTerminalDevice) {
    // Another pseudo-terminal stands in for a serial device: the unit serves its slave side and the
    // test plays the application on its master side.
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    char name[128];
    ASSERT_EQ(ptsname_r(master, name, sizeof name), 0);
    {
        PtyUnit unit;
        EXPECT_FALSE(unit.StartOnDevice(name, 12345));
        ASSERT_TRUE(unit.StartOnDevice(name, 9600)) << unit.Error();
        EXPECT_EQ(unit.SlavePath(), name);
        const Bytes frames = Concat({TextFrame(2, 9, 0, 29, 0, "Hi"), ReadFrame(2, 9)});
        ASSERT_EQ(write(master, frames.data(), frames.size()), static_cast<ssize_t>(frames.size()));
        Bytes reply;
        const auto end = SteadyClock::now() + 5s;
        while (reply.size() < 8 && SteadyClock::now() < end) {
            pollfd fd{master, POLLIN, 0};
            if (poll(&fd, 1, 100) <= 0) continue;
            uint8_t buffer[64];
            const ssize_t n = read(master, buffer, sizeof buffer);
            if (n > 0) reply.insert(reply.end(), buffer, buffer + n);
        }
        EXPECT_EQ(reply, (Bytes{0xBB, 0xDD, 0x05, 0x29, 0, 29, 'H', 'i'}));
    }
    close(master);
    PtyUnit unit;
    EXPECT_FALSE(unit.StartOnDevice("/nonexistent/ttyS9"));
    EXPECT_NE(unit.Error().find("/nonexistent/ttyS9"), std::string::npos);
}

}  // namespace
