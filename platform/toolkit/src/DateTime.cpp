// TDateTime: encoding and decoding of dates and times, Now, and FormatDateTime.
#include <toolkit/SysUtils.h>

#include <win32/winbase.h>
#include <win32/winnls.h>

#include <cstdio>

namespace {

constexpr int64_t MSecsPerDay = 24 * 60 * 60 * 1000;
// Days from 0001-01-01 (day 1) to 1899-12-30 (day 0 of TDateTime).
constexpr int DateDelta = 693594;

const int DaysInMonth[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// A date and time split as whole days since 0001-01-01 (counting from 1) and milliseconds into the day.
struct TTimeStamp {
    int64_t Date;
    int64_t Time;
};

TTimeStamp ToTimeStamp(TDateTime dateTime) {
    int64_t msecs = Round(dateTime * MSecsPerDay);
    // The sign belongs to the day count; the time of day always runs forward from midnight.
    int64_t days = msecs / MSecsPerDay;
    int64_t time = msecs % MSecsPerDay;
    return {DateDelta + days, time < 0 ? -time : time};
}

void DecodeDays(int64_t dayNumber, int& year, int& month, int& day) {
    if (dayNumber <= 0) {
        year = month = day = 0;
        return;
    }
    const int64_t D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
    int64_t t = dayNumber - 1;
    int64_t y = 1;
    y += (t / D400) * 400;
    t %= D400;
    int64_t i = t / D100;
    int64_t d = t % D100;
    if (i == 4) {
        --i;
        d += D100;
    }
    y += i * 100;
    i = d / D4;
    d %= D4;
    y += i * 4;
    i = d / D1;
    d %= D1;
    if (i == 4) {
        --i;
        d += D1;
    }
    y += i;
    year = static_cast<int>(y);
    const int* monthDays = DaysInMonth[IsLeapYear(year) ? 1 : 0];
    month = 1;
    while (d >= monthDays[month - 1]) {
        d -= monthDays[month - 1];
        ++month;
    }
    day = static_cast<int>(d) + 1;
}

[[noreturn]] void Unsupported(const std::string& format) {
    throw EConvertError("Unsupported date and time format '" + format + "'");
}

std::string Number(int value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", digits, value);
    return buffer;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
    if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
    const int* monthDays = DaysInMonth[IsLeapYear(year) ? 1 : 0];
    if (day < 1 || day > monthDays[month - 1]) return false;
    for (int m = 1; m < month; ++m) day += monthDays[m - 1];
    int64_t y = year - 1;
    date = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + day - DateDelta);
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        return false;
    time = static_cast<double>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date)) throw EConvertError("Invalid argument to date encode");
    return date;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    TDateTime time = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, time)) throw EConvertError("Invalid argument to time encode");
    return time;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) {
    DecodeDays(ToTimeStamp(date).Date, year, month, day);
}

void DecodeTime(TDateTime time, int& hour, int& minute, int& second, int& millisecond) {
    int64_t msecs = ToTimeStamp(time).Time;
    hour = static_cast<int>(msecs / 3600000);
    minute = static_cast<int>(msecs / 60000 % 60);
    second = static_cast<int>(msecs / 1000 % 60);
    millisecond = static_cast<int>(msecs % 1000);
}

int DayOfWeek(TDateTime date) {
    int64_t days = ToTimeStamp(date).Date;
    // Day 1 (0001-01-01) was a Monday.
    return static_cast<int>(((days % 7) + 7) % 7) + 1;
}

TDateTime Now() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    TDateTime date = EncodeDate(now.wYear, now.wMonth, now.wDay);
    TDateTime time = EncodeTime(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    return date + time;
}

std::string FormatDateTime(const std::string& format, TDateTime dateTime) {
    if (format.empty()) Unsupported(format);
    int year, month, day, hour, minute, second, millisecond;
    DecodeDate(dateTime, year, month, day);
    DecodeTime(dateTime, hour, minute, second, millisecond);

    std::string result;
    char lastToken = ' ';
    size_t i = 0;
    while (i < format.size()) {
        char c = format[i];
        if (i + 1 < format.size() && IsDBCSLeadByte(static_cast<BYTE>(c))) {
            result.append(format, i, 2);
            i += 2;
            continue;
        }
        char token = Upper(c);
        size_t count = 1;
        while (i + count < format.size() && Upper(format[i + count]) == token) ++count;
        switch (token) {
        case 'Y': result += count <= 2 ? Number(year % 100, 2) : Number(year, 4); break;
        case 'M':
            if (count > 2) Unsupported(format);
            // Right after an hour, m means minutes: "hh:mm".
            result += lastToken == 'H' ? Number(minute, int(count)) : Number(month, int(count));
            break;
        case 'D':
            if (count > 2) Unsupported(format);
            result += Number(day, int(count));
            break;
        case 'H': result += Number(hour, count >= 2 ? 2 : 1); break;
        case 'N': result += Number(minute, count >= 2 ? 2 : 1); break;
        case 'S': result += Number(second, count >= 2 ? 2 : 1); break;
        case 'Z': result += Number(millisecond, count >= 3 ? 3 : int(count)); break;
        case 'C':
        case 'T':
        case 'E':
        case 'G': Unsupported(format);
        case 'A': {
            std::string rest = UpperCase(format.substr(i, 5));
            if (rest.compare(0, 5, "AM/PM") == 0 || rest.compare(0, 3, "A/P") == 0 || rest.compare(0, 4, "AMPM") == 0 ||
                rest.compare(0, 3, "AAA") == 0)
                Unsupported(format);
            count = 1;
            result += c;
            break;
        }
        case '\'':
        case '"': {
            size_t close = format.find(c, i + 1);
            size_t end = close == std::string::npos ? format.size() : close;
            result.append(format, i + 1, end - i - 1);
            count = close == std::string::npos ? end - i : end - i + 1;
            break;
        }
        default:
            // Anything else, ':' and '/' included, stands for itself.
            count = 1;
            result += c;
            break;
        }
        if (std::string("YMDHNSZ").find(token) != std::string::npos) lastToken = token;
        i += count;
    }
    return result;
}
