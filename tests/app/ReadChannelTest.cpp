// Reading a line back from the unit: the reply scan, its window and damaged replies.
#include "UnitFixture.h"

#include "Protocol.h"
#include "Settings.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

class ReadChannelTest : public UnitFixture {
protected:
    void SetUp() override {
        UnitFixture::SetUp();
        WriteOrderWaitThenRead = 0;
        ASSERT_TRUE(OpenUnit());
    }
    void TearDown() override {
        WriteOrderWaitThenRead = 500;
        UnitFixture::TearDown();
    }
    void ReplyWith(Bytes reply) {
        unit.SetReplyHook([reply](int, int, const Bytes&) { return std::optional<Bytes>(reply); });
    }
};

TEST_F(ReadChannelTest, ReadsBackWhatWasWritten) {
    SendTextFrame(2, 11, 30, 28, 1, "第三组");
    ChannelLine line;
    ASSERT_TRUE(ReadChannel(2, 11, line));
    EXPECT_EQ(line.Text, "第三组");
    EXPECT_EQ(line.X, 30);
    EXPECT_EQ(line.Y, 28);
    EXPECT_EQ(line.Size, 1);
}

TEST_F(ReadChannelTest, RepliesAreTakenAsTheUnitSendsThem) {
    struct Case {
        const char* what;
        Bytes reply;
        bool found;
        std::string text;
        int x, y, size;
    };
    const Case cases[] = {
        {"garbage before the header", {0x00, 0xBB, 0xDD, 0x05, 0x99, 0x04, 0x83, 0x41, 0x42}, true, "AB", 4, 3, 2},
        {"text ends at the first zero", {0xBB, 0xDD, 0x06, 0x00, 0x01, 0x02, 'A', 'B', 0x00}, true, "AB", 1, 2, 0},
        {"header split by a lone 0xBB", {0xBB, 0x01, 0xBB, 0xDD, 0x03, 0x00, 0x07, 0x45}, true, "", 7, 5, 1},
        {"length below 3", {0xBB, 0xDD, 0x02, 0x00, 0x01}, false, "", 0, 0, 0},
        {"body cut short", {0xBB, 0xDD, 0x08, 0x00, 0x01, 0x02, 'A'}, false, "", 0, 0, 0},
        {"header never arrives", {0xDD, 0xBB, 0x05}, false, "", 0, 0, 0},
    };
    for (const auto& c : cases) {
        ReplyWith(c.reply);
        ChannelLine line;
        EXPECT_EQ(ReadChannel(0, 1, line), c.found) << c.what;
        if (!c.found) continue;
        EXPECT_EQ(line.Text, c.text) << c.what;
        EXPECT_EQ(line.X, c.x) << c.what;
        EXPECT_EQ(line.Y, c.y) << c.what;
        EXPECT_EQ(line.Size, c.size) << c.what;
    }
}

TEST_F(ReadChannelTest, LengthAboveSixtyFourIsCut) {
    Bytes reply = {0xBB, 0xDD, 200, 0x00, 0x01, 0x02};
    reply.resize(3 + 200, 'Z');
    ReplyWith(reply);
    ChannelLine line;
    ASSERT_TRUE(ReadChannel(0, 0, line));
    EXPECT_EQ(line.Text, std::string(61, 'Z'));

    // What was not taken stays in the input and is skipped by the next read's scan.
    unit.SetReplyHook(nullptr);
    SendTextFrame(0, 1, 5, 6, 0, "next");
    ASSERT_TRUE(ReadChannel(0, 1, line));
    EXPECT_EQ(line.Text, "next");
}

TEST_F(ReadChannelTest, NoReplyFailsAfterTheWaitAndTheWindow) {
    WriteOrderWaitThenRead = 200;
    ReplyWith({});
    ChannelLine line;
    auto start = Clock::now();
    EXPECT_FALSE(ReadChannel(0, 0, line));
    auto elapsed = MillisecondsSince(start);
    EXPECT_GE(elapsed, 200 + static_cast<long long>(ReplyWindow));
    EXPECT_LT(elapsed, 200 + static_cast<long long>(ReplyWindow) + 510 + 400) << "at most one read time-out over";
}

TEST_F(ReadChannelTest, LateReplyIsTakenByTheNextRead) {
    // The first window closes about 510 ms after the request; the reply comes after it, inside the next window.
    unit.SetReplyDelay(std::chrono::milliseconds(750));
    SendTextFrame(1, 0, 9, 9, 0, "late");
    ChannelLine line;
    EXPECT_FALSE(ReadChannel(1, 0, line));
    unit.SetReplyDelay(std::chrono::milliseconds(0));
    ReplyWith({});
    ASSERT_TRUE(ReadChannel(1, 5, line));
    EXPECT_EQ(line.Text, "late");
}

}  // namespace
