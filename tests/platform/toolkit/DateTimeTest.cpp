// TDateTime: encoding and decoding across the calendar, day of week, rounding, Now and FormatDateTime.
#include <toolkit/SysUtils.h>

#include <win32/winbase.h>

#include <gtest/gtest.h>

#include <cmath>

TEST(DateTime, EncodesDaysSince18991230) {
    struct {
        int year, month, day;
        double value;
        int dayOfWeek;
    } cases[] = {{1899, 12, 30, 0, 7},    {1899, 12, 29, -1, 6},   {1900, 1, 1, 2, 2},    {2000, 1, 1, 36526, 7},
                 {2000, 2, 29, 36585, 3}, {2024, 2, 29, 45351, 5}, {1, 1, 1, -693593, 2}, {9999, 12, 31, 2958465, 6}};
    for (auto& c : cases) {
        EXPECT_EQ(c.value, EncodeDate(c.year, c.month, c.day)) << c.year << "-" << c.month << "-" << c.day;
        int y, m, d;
        DecodeDate(c.value, y, m, d);
        EXPECT_EQ(c.year * 10000 + c.month * 100 + c.day, y * 10000 + m * 100 + d);
        // The time of day does not move the day; before 1899-12-30 it is written as a further negative fraction.
        TDateTime evening = c.value < 0 ? c.value - 0.75 : c.value + 0.75;
        EXPECT_EQ(c.dayOfWeek, DayOfWeek(evening)) << c.value;
    }
}

TEST(DateTime, DecodeUndoesEncodeOverTheWholeCalendar) {
    for (int day = -693593; day <= 2958465; day += 97) {
        int y, m, d;
        DecodeDate(day, y, m, d);
        ASSERT_EQ(day, EncodeDate(y, m, d)) << y << "-" << m << "-" << d;
    }
}

TEST(DateTime, OutOfRangeArgumentsRaise) {
    int bad[][3] = {{2023, 2, 29}, {1900, 2, 29}, {0, 1, 1}, {10000, 1, 1}, {2024, 13, 1}, {2024, 4, 31}, {2024, 1, 0}};
    for (auto& b : bad) {
        TDateTime value = 123;
        EXPECT_FALSE(TryEncodeDate(b[0], b[1], b[2], value));
        EXPECT_EQ(123, value);
        try {
            EncodeDate(b[0], b[1], b[2]);
            ADD_FAILURE() << b[0] << "-" << b[1] << "-" << b[2];
        } catch (const EConvertError& e) {
            EXPECT_EQ("Invalid argument to date encode", e.Message());
        }
    }
    int badTimes[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
    for (auto& t : badTimes) EXPECT_THROW(EncodeTime(t[0], t[1], t[2], t[3]), EConvertError);
    try {
        EncodeTime(24, 0, 0, 0);
    } catch (const EConvertError& e) {
        EXPECT_EQ("Invalid argument to time encode", e.Message());
    }
}

TEST(DateTime, TimesOfDayIncludingBefore1899) {
    struct {
        TDateTime value;
        int hour, minute, second, ms;
        int year, month, day;
    } cases[] = {{0.5, 12, 0, 0, 0, 1899, 12, 30},
                 {EncodeTime(23, 59, 59, 999), 23, 59, 59, 999, 1899, 12, 30},
                 {EncodeDate(2024, 3, 5) + EncodeTime(7, 8, 9, 45), 7, 8, 9, 45, 2024, 3, 5},
                 {-1.25, 6, 0, 0, 0, 1899, 12, 29}};
    for (auto& c : cases) {
        int h, n, s, ms, y, m, d;
        DecodeTime(c.value, h, n, s, ms);
        DecodeDate(c.value, y, m, d);
        EXPECT_EQ((std::vector<int>{c.hour, c.minute, c.second, c.ms, c.year, c.month, c.day}),
                  (std::vector<int>{h, n, s, ms, y, m, d}))
            << c.value;
    }
}

TEST(DateTime, RoundSendsHalvesToEvenAndTruncCutsTowardZero) {
    struct {
        double value;
        int64_t rounded, truncated;
    } cases[] = {{2.5, 2, 2}, {3.5, 4, 3},    {-2.5, -2, -2}, {0.5, 0, 0},  {1.5, 2, 1},
                 {2.6, 3, 2}, {-2.7, -3, -2}, {2.4999, 2, 2}, {-0.5, 0, 0}, {1e12 + 0.5, 1000000000000, 1000000000000}};
    for (auto& c : cases) {
        EXPECT_EQ(c.rounded, Round(c.value)) << c.value;
        EXPECT_EQ(c.truncated, Trunc(c.value)) << c.value;
    }
}

TEST(DateTime, NowIsTheLocalClock) {
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    TDateTime now = Now();
    GetLocalTime(&after);
    TDateTime low = EncodeDate(before.wYear, before.wMonth, before.wDay) +
                    EncodeTime(before.wHour, before.wMinute, before.wSecond, before.wMilliseconds);
    TDateTime high = EncodeDate(after.wYear, after.wMonth, after.wDay) +
                     EncodeTime(after.wHour, after.wMinute, after.wSecond, after.wMilliseconds);
    EXPECT_LE(low, now);
    EXPECT_GE(high, now);
    EXPECT_EQ(before.wDayOfWeek + 1, DayOfWeek(low));
}

TEST(FormatDateTime, Patterns) {
    TDateTime moment = EncodeDate(2024, 3, 5) + EncodeTime(7, 8, 9, 45);
    struct {
        const char* format;
        const char* text;
    } cases[] = {
        {"yyyy-mm-dd hh:nn:ss", "2024-03-05 07:08:09"},
        {"hh:nn:ss", "07:08:09"},
        {"yyyy年mm月dd日", "2024年03月05日"},
        {"yyyy年m月d日 h时n分s秒", "2024年3月5日 7时8分9秒"},
        {"yy/m/d", "24/3/5"},
        {"y yyy", "24 2024"},
        {"h:n:s.zzz", "7:8:9.045"},
        {"z zz", "45 45"},
        {"hh:mm", "07:08"},  // minutes after an hour
        {"mm/dd hh", "03/05 07"},
        {"YYYY-MM-DD HH:NN", "2024-03-05 07:08"},
        {"yyyymmddhhnnss", "20240305070809"},
        {"'yyyy' yyyy", "yyyy 2024"},
        {"\"at\" h 'o''clock", "at 7 oclock"},
        {"'unterminated yyyy", "unterminated yyyy"},
        {"x-a-b", "x-a-b"},
        {"\x81\x6dm",
         "\x81\x6d"
         "3"},  // a double-byte character whose second byte reads as 'm'
    };
    for (auto& c : cases) EXPECT_EQ(c.text, FormatDateTime(c.format, moment)) << c.format;
    EXPECT_EQ("1999-12-31 23:59:59.999",
              FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 59, 999)));
}

TEST(FormatDateTime, NamesAndLocaleFormatsAreRefused) {
    for (const char* format :
         {"", "ddd", "dddd", "mmm", "mmmm", "c", "t", "tt", "hh am/pm", "h a/p", "ampm", "e", "gg", "aaaa"}) {
        try {
            FormatDateTime(format, 1.5);
            ADD_FAILURE() << format;
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string("Unsupported date and time format '") + format + "'", e.Message());
        }
    }
}
