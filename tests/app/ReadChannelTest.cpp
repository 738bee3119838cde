// Reading a line back from the unit: the reply scan, its window and damaged replies.
#include "UnitFixture.h"

#include "Protocol.h"
#include "Settings.h"

#include <atomic>
#include <cstring>
#include <future>

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
        {"zeros pad the text", {0xBB, 0xDD, 0x07, 0x00, 0x01, 0x02, 'A', 0x00, 0x00, 0x00}, true, "A", 1, 2, 0},
        {"a Chinese text", {0xBB, 0xDD, 0x07, 0x00, 0x01, 0x02, 0xCD, 0xA8, 0xB5, 0xC0}, true, "通道", 1, 2, 0},
        // Bytes that would make lines, sections or keys in Config.ini, or that are no GBK text, are refused.
        {"carriage return", {0xBB, 0xDD, 0x06, 0x00, 0x01, 0x02, 'A', '\r', 'B'}, false, "", 0, 0, 0},
        {"line feed", {0xBB, 0xDD, 0x0A, 0x00, 0x01, 0x02, 'A', '\n', '[', 'X', ']', '\n'}, false, "", 0, 0, 0},
        {"text after a zero", {0xBB, 0xDD, 0x06, 0x00, 0x01, 0x02, 'A', 0x00, 'B'}, false, "", 0, 0, 0},
        {"another control byte", {0xBB, 0xDD, 0x05, 0x00, 0x01, 0x02, 0x1B, 'A'}, false, "", 0, 0, 0},
        {"delete", {0xBB, 0xDD, 0x04, 0x00, 0x01, 0x02, 0x7F}, false, "", 0, 0, 0},
        {"lead byte without trail", {0xBB, 0xDD, 0x05, 0x00, 0x01, 0x02, 'A', 0xCD}, false, "", 0, 0, 0},
        {"lead byte with a bad trail", {0xBB, 0xDD, 0x06, 0x00, 0x01, 0x02, 0xCD, 0x20, 'A'}, false, "", 0, 0, 0},
        {"no GBK byte", {0xBB, 0xDD, 0x04, 0x00, 0x01, 0x02, 0xFF}, false, "", 0, 0, 0},
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

// The scan over a byte source of its own: bytes handed out one read at a time, the first read after a stall.
TEST(ReadReply, AStallBeforeTheScanDoesNotLoseTheWaitingReply) {
    const Bytes reply = {0x00, 0x00, 0xBB, 0xDD, 0x05, 0x00, 0x04, 0x83, 'O', 'K'};
    size_t at = 0;
    TReadBytes read = [&](void* buffer, int32_t count) {
        if (at == 0) Sleep(ReplyWindow + 100);  // the program was held up with the reply already waiting
        if (at + static_cast<size_t>(count) > reply.size()) return false;
        std::memcpy(buffer, reply.data() + at, static_cast<size_t>(count));
        at += static_cast<size_t>(count);
        return true;
    };
    ChannelLine line;
    ASSERT_TRUE(ReadReply(read, ReplyWindow, line));
    EXPECT_EQ(line.Text, "OK");
    EXPECT_EQ(line.X, 4);
}

TEST(ReadReply, NoiseThatKeepsComingEndsTheScanSoonAfterTheWindow) {
    size_t reads = 0;
    TReadBytes noise = [&](void* buffer, int32_t count) {
        ++reads;
        std::memset(buffer, 0x55, static_cast<size_t>(count));
        return true;
    };
    ChannelLine line;
    EXPECT_FALSE(ReadReply(noise, 0, line));
    EXPECT_EQ(reads, LateScanBytes);
}

TEST_F(ReadChannelTest, ALateReplyNeverAnswersTheNextRow) {
    // The first window closes about 510 ms after the request; the reply comes after it, before the next request.
    std::promise<void> lateReplySent;
    std::atomic<bool> sent{false};
    unit.SetWriteListener([&](const Bytes&) {
        if (!sent.exchange(true)) lateReplySent.set_value();
    });
    unit.SetReplyDelay(std::chrono::milliseconds(750));
    SendTextFrame(1, 0, 9, 9, 0, "late");
    SendTextFrame(1, 5, 4, 4, 0, "own");
    ChannelLine line;
    EXPECT_FALSE(ReadChannel(1, 0, line));
    ASSERT_EQ(lateReplySent.get_future().wait_for(std::chrono::seconds(2)), std::future_status::ready);
    unit.SetReplyDelay(std::chrono::milliseconds(0));
    ASSERT_TRUE(ReadChannel(1, 5, line));
    EXPECT_EQ(line.Text, "own");
    EXPECT_EQ(line.X, 4);
    unit.SetWriteListener(nullptr);
}

TEST_F(ReadChannelTest, TheWaitGoesInSlicesThatTheCallerCanEnd) {
    // The longest wait a file may set: the window processes its messages between the slices and a close ends it.
    WriteOrderWaitThenRead = MaxWait;
    SendTextFrame(0, 0, 1, 1, 0, "kept");
    int asked = 0;
    ChannelLine line;
    auto start = Clock::now();
    EXPECT_FALSE(ReadChannel(0, 0, line, [&] { return ++asked < 3; }));
    EXPECT_EQ(asked, 3);
    EXPECT_LT(MillisecondsSince(start), MaxWait) << "the read ended with the wait, not after it";
    // Going on all the way, the wait is whole and the reply is read.
    WriteOrderWaitThenRead = 100;
    asked = 0;
    start = Clock::now();
    ASSERT_TRUE(ReadChannel(0, 0, line, [&] { return ++asked > 0; }));
    EXPECT_GE(MillisecondsSince(start), 100);
    EXPECT_GE(asked, 5);
    EXPECT_EQ(line.Text, "kept");
}

TEST_F(ReadChannelTest, WithoutAPortTheReadFailsAfterTheWaitAndTheWindow) {
    ClosePort();
    WriteOrderWaitThenRead = 100;
    ChannelLine line;
    auto start = Clock::now();
    EXPECT_FALSE(ReadChannel(0, 0, line));
    auto elapsed = MillisecondsSince(start);
    EXPECT_GE(elapsed, 100 + static_cast<long long>(ReplyWindow));
    EXPECT_LT(elapsed, 100 + static_cast<long long>(ReplyWindow) + 300);
}

}  // namespace
