// The protocol engine: frame decoding, replies, the frame log, resynchronisation and chunking.
#include "UnitEmulator.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "FrameBuilder.h"
#include "TextFormat.h"

using namespace unit_emulator;
using namespace unit_emulator_test;

namespace {

class EngineTest : public ::testing::Test {
protected:
    EngineTest() {
        engine.SetFrameListener([this](const FrameRecord& record) { log.push_back(record); });
    }

    Bytes Feed(const Bytes& bytes) { return engine.Feed(bytes); }

    std::vector<std::string> Descriptions() const {
        std::vector<std::string> out;
        for (const FrameRecord& record : log) out.push_back(record.description);
        return out;
    }

    UnitEmulator engine;
    std::vector<FrameRecord> log;
};

struct CommandCase {
    uint8_t command;
    bool write;
    int group;  // of the text line written; ignored for a clear
    int row;
};

TEST_F(EngineTest, CommandByteSelectsGroupRowAndOperation) {
    const CommandCase cases[] = {
        {0xC1, true, 0, 0}, {0xD5, true, 0, 5}, {0x81, true, 1, 0}, {0x7D, true, 2, 15}, {0xCC, false, 0, 3},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "command 0x" << std::hex << int(c.command));
        UnitEmulator fresh;
        for (int group = 0; group < 3; ++group) fresh.Feed(TextFrame(group, c.row, 1, 1, 0, "Z"));
        EXPECT_TRUE(fresh.Feed(c.write ? Frame({c.command, 7, 0x45, 'Q'}) : Frame({c.command, 0, 0})).empty());
        if (c.write) {
            const UnitLine& line = fresh.State().Line(c.row, c.group);
            EXPECT_EQ(line.text, "Q");
            EXPECT_EQ(line.x, 7);
            EXPECT_EQ(line.y, 5);
            EXPECT_EQ(line.size, 1);
        } else {
            for (int group = 0; group < 3; ++group) EXPECT_EQ(fresh.State().Line(c.row, group), UnitLine{});
        }
        for (int row = 0; row < 16; ++row) {
            for (int group = 0; group < 3; ++group) {
                const UnitLine& line = fresh.State().Line(row, group);
                if (row != c.row) {
                    EXPECT_FALSE(line.written) << "row " << row << " group " << group;
                } else if (c.write && group != c.group) {
                    EXPECT_EQ(line.text, "Z") << "group " << group;
                }
            }
        }
    }
}

TEST_F(EngineTest, TextFrameStoresTheLine) {
    EXPECT_TRUE(Feed({0xDD, 0xBB, 0x05, 0xC1, 0x03, 0x42, 0x41, 0x42}).empty());
    const UnitLine& line = engine.State().Line(0, 0);
    EXPECT_TRUE(line.written);
    EXPECT_EQ(line.x, 3);
    EXPECT_EQ(line.y, 2);
    EXPECT_EQ(line.size, 1);
    EXPECT_EQ(line.text, "AB");
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].kind, FrameRecord::Kind::Text);
    EXPECT_EQ(log[0].hex, "DD BB 05 C1 03 42 41 42");
    EXPECT_EQ(log[0].description, "text g0 ch01 x=3 y=2 size=1 \"AB\"");
}

TEST_F(EngineTest, TextKeepsRawGbkAndDescribesItAsUtf8) {
    Feed(TextFrame(2, 7, 31, 0, 3, "通道"));  // narrow literals are GBK at run time
    EXPECT_EQ(engine.State().Line(7, 2).text, "\xCD\xA8\xB5\xC0");
    EXPECT_EQ(engine.State().Line(7, 2).size, 3);
    EXPECT_EQ(log.back().description, std::string(u8"text g2 ch08 x=31 y=0 size=3 \"通道\""));
}

TEST_F(EngineTest, TextLengthLimits) {
    const std::string longest(59, 'x');
    Feed(TextFrame(0, 1, 0, 0, 0, longest));
    EXPECT_EQ(engine.State().Line(1, 0).text, longest);
    Feed(TextFrame(0, 1, 0, 0, 0, ""));  // an empty text is a valid, if unused, frame
    EXPECT_TRUE(engine.State().Line(1, 0).written);
    EXPECT_EQ(engine.State().Line(1, 0).text, "");
    Feed(TextFrame(0, 2, 0, 0, 0, std::string(60, 'y')));  // length byte 63 cannot be a frame
    EXPECT_FALSE(engine.State().Line(2, 0).written);
}

TEST_F(EngineTest, ClearEmptiesAllThreeLinesOfTheChannel) {
    for (int group = 0; group < 3; ++group) {
        Feed(TextFrame(group, 0, 4, 5, 2, "T"));
        Feed(TextFrame(group, 1, 4, 5, 2, "U"));
    }
    Feed({0xDD, 0xBB, 0x03, 0xC0, 0x00, 0x00});
    for (int group = 0; group < 3; ++group) {
        EXPECT_EQ(engine.State().Line(0, group), UnitLine{});
        EXPECT_EQ(engine.State().Line(1, group).text, "U");
    }
    EXPECT_EQ(log.back().description, "clear ch01");
    // Any group code clears the same channel.
    Feed(Frame({0x44, 0, 0}));
    EXPECT_FALSE(engine.State().Line(1, 2).written);
    EXPECT_EQ(log.back().description, "clear ch02");
}

TEST_F(EngineTest, ClockFrameShowsAndHides) {
    Feed(Concat({{0xDD, 0xBB, 0x11, 0x35, 0x00, 0x00},
                 Bytes{'0', '7', '0', '5', '0', '9', '0', '2', '0', '7', '0', '3', '0', '8'}}));
    const UnitClock& clock = engine.State().Clock();
    EXPECT_TRUE(clock.received);
    EXPECT_TRUE(clock.shown);
    EXPECT_EQ(clock.seconds, 7);
    EXPECT_EQ(clock.minutes, 5);
    EXPECT_EQ(clock.hours, 9);
    EXPECT_EQ(clock.day, 2);
    EXPECT_EQ(clock.weekday, 7);
    EXPECT_EQ(clock.month, 3);
    EXPECT_EQ(clock.year, 8);
    EXPECT_EQ(log.back().description, "clock show 2008-03-02 09:05:07 weekday 7");

    Feed(ClockFrame(false, "59592331011299"));
    EXPECT_FALSE(engine.State().Clock().shown);
    EXPECT_EQ(engine.State().Clock().hours, 23);
    EXPECT_EQ(log.back().description, "clock hide 2099-12-31 23:59:59 weekday 1");

    Feed(ClockFrame(true, "0705090207030X"));  // not a digit: refused, the clock stays as it was
    EXPECT_FALSE(engine.State().Clock().shown);
    EXPECT_EQ(log.back().kind, FrameRecord::Kind::Garbage);
}

TEST_F(EngineTest, ReadRequestIsAnsweredWithTheLine) {
    Feed(TextFrame(1, 2, 9, 4, 2, "AB"));
    EXPECT_EQ(Feed({0xDD, 0xBB, 0x01, 0x12}), (Bytes{0xBB, 0xDD, 0x05, 0x12, 9, 2 * 64 + 4, 'A', 'B'}));
    EXPECT_EQ(log.back().description, "read g1 ch03");
    // A line never written reads back empty.
    EXPECT_EQ(Feed(ReadFrame(2, 15)), (Bytes{0xBB, 0xDD, 0x03, 0x2F, 0, 0}));
    // Group 3 does not exist: the request is garbage and gets no answer.
    EXPECT_TRUE(Feed({0xDD, 0xBB, 0x01, 0x30}).empty());
    EXPECT_EQ(log.back().kind, FrameRecord::Kind::Garbage);
}

TEST_F(EngineTest, RepliesComeBackInOrderWithTheirLines) {
    Feed(TextFrame(0, 3, 1, 1, 0, "a"));
    const Bytes stream = Concat({ReadFrame(0, 3), ReadFrame(2, 0)});
    const std::vector<UnitReply> replies = engine.FeedReplies(stream.data(), stream.size());
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0].group, 0);
    EXPECT_EQ(replies[0].row, 3);
    EXPECT_EQ(replies[0].bytes, engine.ReplyFor(0, 3));
    EXPECT_EQ(replies[1].group, 2);
    EXPECT_EQ(replies[1].row, 0);
}

struct RejectCase {
    const char* name;
    Bytes bytes;
};

TEST_F(EngineTest, InvalidFramesAreSkippedAndTheFrameBehindThemIsFound) {
    const Bytes good = TextFrame(0, 4, 2, 3, 1, "ok");
    const RejectCase cases[] = {
        {"noise", {0x00, 0x11, 0xBB, 0xDD}},
        {"header only", {0xDD, 0xBB}},
        {"lone first header byte", {0xDD}},
        {"length 0", {0xDD, 0xBB, 0x00}},
        {"length 63", {0xDD, 0xBB, 63}},
        {"length 200", {0xDD, 0xBB, 200}},
        {"row 16 or more", {0xDD, 0xBB, 0x04, 0xC3}},
        {"text with group code 0", {0xDD, 0xBB, 0x04, 0x05}},
        {"clear of wrong length", {0xDD, 0xBB, 0x04, 0xC0}},
        {"text shorter than X and Y", {0xDD, 0xBB, 0x02, 0xC1}},
        {"bad read selector", {0xDD, 0xBB, 0x01, 0xF0}},
    };
    for (const RejectCase& c : cases) {
        SCOPED_TRACE(c.name);
        UnitEmulator fresh;
        std::vector<FrameRecord> records;
        fresh.SetFrameListener([&](const FrameRecord& record) { records.push_back(record); });
        fresh.Feed(Concat({c.bytes, good}));
        EXPECT_EQ(fresh.State().Line(4, 0).text, "ok");
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].kind, FrameRecord::Kind::Garbage);
        EXPECT_EQ(records[0].description, "garbage: " + std::to_string(c.bytes.size()) + " bytes skipped");
        EXPECT_EQ(records[0].bytes, c.bytes);
        EXPECT_EQ(records[1].kind, FrameRecord::Kind::Text);
    }
}

TEST_F(EngineTest, FrameInsideARejectedFrameIsFound) {
    // A clock frame whose digits turn out wrong hides a read request in its body.
    const Bytes stream = Concat({{0xDD, 0xBB, 0x11, 0x35, 0x00, 0x00}, ReadFrame(1, 2), Bytes(10, 'z')});
    EXPECT_EQ(Feed(stream), engine.ReplyFor(1, 2));
    EXPECT_EQ(Descriptions(),
              (std::vector<std::string>{"garbage: 6 bytes skipped", "read g1 ch03", "garbage: 10 bytes skipped"}));
}

TEST_F(EngineTest, IncompleteBogusFrameIsGivenUpWhenTheLineGoesQuiet) {
    // Length 60 with a plausible command: the engine must wait, as a real text frame could follow.
    const Bytes stream = Concat({{0xDD, 0xBB, 60, 0xC1}, ReadFrame(0, 0)});
    EXPECT_TRUE(Feed(stream).empty());
    EXPECT_TRUE(engine.HasPending());
    const std::vector<UnitReply> replies = engine.Idle();
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes, engine.ReplyFor(0, 0));
    EXPECT_FALSE(engine.HasPending());
    EXPECT_EQ(Descriptions(), (std::vector<std::string>{"garbage: 4 bytes skipped", "read g0 ch01"}));
}

TEST_F(EngineTest, AnySplitOfAStreamGivesTheSameResult) {
    const Bytes stream = Concat({Bytes{0x01, 0xDD}, TextFrame(0, 0, 3, 2, 1, "AB"), Bytes{0xDD, 0xBB, 0x00},
                                 ClockFrame(true, "07050902070308"), ReadFrame(0, 0), ClearFrame(0), ReadFrame(0, 0)});
    UnitEmulator whole;
    const Bytes expected = whole.Feed(stream);
    ASSERT_EQ(expected.size(), 8u + 6u);
    for (size_t cut1 = 0; cut1 <= stream.size(); ++cut1) {
        for (size_t cut2 = cut1; cut2 <= stream.size(); cut2 += 3) {
            UnitEmulator split;
            Bytes replies = split.Feed(stream.data(), cut1);
            Bytes more = split.Feed(stream.data() + cut1, cut2 - cut1);
            replies.insert(replies.end(), more.begin(), more.end());
            more = split.Feed(stream.data() + cut2, stream.size() - cut2);
            replies.insert(replies.end(), more.begin(), more.end());
            ASSERT_EQ(replies, expected) << "cuts " << cut1 << ", " << cut2;
            ASSERT_EQ(split.DescribeState(), whole.DescribeState());
            ASSERT_FALSE(split.HasPending());
        }
    }
}

TEST_F(EngineTest, DescribeStateListsEveryLineAndTheClock) {
    EXPECT_NE(engine.DescribeState().find("clock: hidden (no clock frame received)\n"), std::string::npos);
    Feed(TextFrame(1, 1, 1, 2, 0, "通道"));
    Feed(ClockFrame(true, "07050902070308"));
    const std::string state = engine.DescribeState();
    EXPECT_NE(state.find("clock: shown 2008-03-02 09:05:07 weekday 7\n"), std::string::npos);
    EXPECT_NE(state.find(u8"ch02 g1: x=1 y=2 size=0 \"通道\" [CD A8 B5 C0]\n"), std::string::npos);
    EXPECT_NE(state.find("ch16 g2: (never written)\n"), std::string::npos);
    EXPECT_EQ(std::count(state.begin(), state.end(), '\n'), 1 + 16 * 3);
}

TEST(TextFormat, GbkToUtf8EscapesWhatItCannotConvert) {
    const struct {
        std::string gbk;
        std::string utf8;
    } cases[] = {
        {"AB", "AB"},
        {"\xCD\xA8\xB5\xC0", u8"通道"},
        {"\x80", u8"€"},
        {"\xCD", "\\xCD"},    // lead byte cut off at the end
        {"\xCD ", "\\xCD "},  // trail byte out of range
        {"\xFF\xFF", "\\xFF\\xFF"},
        {"a\nb\"c\\", "a\\x0Ab\\x22c\\x5C"},
    };
    for (const auto& c : cases) EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8) << HexBytes(c.gbk);
    EXPECT_EQ(HexBytes(std::string("\x00\xAB\x7F", 3)), "00 AB 7F");
    EXPECT_EQ(HexBytes(std::string()), "");
}

}  // namespace
