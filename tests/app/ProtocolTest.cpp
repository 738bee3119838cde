// Frame bytes of the unit protocol, checked against known frames.
#include "Protocol.h"

#include <gtest/gtest.h>

namespace {

struct CommandCase {
    int group, row, write;
    BYTE expected;
};

TEST(Protocol, CommandByteEncodesGroupRowAndWriteFlag) {
    const CommandCase cases[] = {
        {0, 0, 1, 0xC1},  {0, 5, 1, 0xD5}, {1, 0, 1, 0x81},
        {2, 15, 1, 0x7D}, {0, 3, 0, 0xCC}, {3, 0, 1, 0x01},  // an unknown group has code 0
        {0, 16, 1, 0xC3},                                    // rows 16 and up set bit 1 and wrap the row bits
        {0, 1, 2, 0xC4},                                     // only 1 counts as the write flag
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandByte(c.group, c.row, c.write), c.expected) << c.group << "/" << c.row << "/" << c.write;
}

TEST(Protocol, TextFrameCarriesPositionSizeAndRawText) {
    EXPECT_EQ(TextFrame(0, 0, 3, 2, 1, "AB"), (Frame{0xDD, 0xBB, 0x05, 0xC1, 0x03, 0x42, 0x41, 0x42}));
    // No size selected sets both size bits.
    Frame none = TextFrame(2, 7, 0, 0, -1, "x");
    EXPECT_EQ(none[5], 0xC0);
    EXPECT_EQ(none[3], CommandByte(2, 7, 1));
    // GBK bytes go out unchanged; an empty text still makes a 6-byte frame.
    EXPECT_EQ(TextFrame(1, 2, 4, 5, 2, "通"), (Frame{0xDD, 0xBB, 0x05, 0x89, 0x04, 0x85, 0xCD, 0xA8}));
    EXPECT_EQ(TextFrame(0, 0, 1, 0, 0, ""), (Frame{0xDD, 0xBB, 0x03, 0xC1, 0x01, 0x00}));
}

TEST(Protocol, TextLongerThanTheFrameHoldsIsCut) {
    Frame frame = TextFrame(0, 0, 1, 0, 0, std::string(100, 'A'));
    EXPECT_EQ(frame.size(), 6u + MaxFrameText);
    EXPECT_EQ(frame[2], MaxFrameText + 3);
}

TEST(Protocol, ClearAndReadRequestFrames) {
    EXPECT_EQ(ClearFrame(0), (Frame{0xDD, 0xBB, 0x03, 0xC0, 0x00, 0x00}));
    EXPECT_EQ(ClearFrame(3), (Frame{0xDD, 0xBB, 0x03, 0xCC, 0x00, 0x00}));
    // The selector packs group and row differently from the command byte.
    EXPECT_EQ(ReadRequest(1, 2), (Frame{0xDD, 0xBB, 0x01, 0x12}));
    EXPECT_EQ(ReadRequest(2, 15), (Frame{0xDD, 0xBB, 0x01, 0x2F}));
}

TEST(Protocol, ClockFrameSendsLocalTimeAsDigitPairs) {
    SYSTEMTIME sunday{};
    sunday.wYear = 2008;
    sunday.wMonth = 3;
    sunday.wDay = 2;
    sunday.wDayOfWeek = 0;
    sunday.wHour = 9;
    sunday.wMinute = 5;
    sunday.wSecond = 7;
    Frame expected = {0xDD, 0xBB, 0x11, 0x35, 0x00, 0x00};
    for (char c : std::string("07050902070308")) expected.push_back(static_cast<BYTE>(c));
    EXPECT_EQ(ClockFrame(ClockShow, 0, 0, sunday), expected);

    SYSTEMTIME late = sunday;
    late.wYear = 2100;
    late.wHour = 23;
    Frame hide = ClockFrame(ClockHide, 0, 0, late);
    EXPECT_EQ(hide[3], 0x34);
    EXPECT_EQ(std::string(hide.begin() + 10, hide.begin() + 12), "23");
    EXPECT_EQ(std::string(hide.begin() + 18, hide.end()), "00");
}

TEST(Protocol, IsoWeekdayPutsSundayLast) {
    const int expected[7] = {7, 1, 2, 3, 4, 5, 6};
    for (WORD day = 0; day < 7; ++day) {
        SYSTEMTIME t{};
        t.wDayOfWeek = day;
        EXPECT_EQ(IsoWeekday(t), expected[day]);
    }
    int today = IsoWeekday();
    EXPECT_GE(today, 1);
    EXPECT_LE(today, 7);
}

}  // namespace
