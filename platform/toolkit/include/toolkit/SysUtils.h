// The toolkit's exceptions and conversion, text, file name and date/time helpers.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// Base of the toolkit's exceptions; the message is code page 936 text.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// The silent exception: it unwinds an operation the user abandoned, and the application shows nothing for it.
class EAbort : public Exception {
public:
    using Exception::Exception;
};

// Raises EAbort.
[[noreturn]] void Abort();

// Decimal with an optional sign, or hexadecimal after "$" or "0x"; blanks around are not allowed.
// Raises EConvertError "'%s' is not a valid integer value".
int StrToInt(const std::string& text);
int StrToIntDef(const std::string& text, int defaultValue);
// Like StrToIntDef, answering whether the text was a number.
bool TryStrToInt(const std::string& text, int& value);
std::string IntToStr(long long value);

// The directory part of a path, with its trailing '/'.
std::string ExtractFilePath(const std::string& fileName);
std::u16string ExtractFilePath(const std::u16string& fileName);
bool FileExists(const std::string& fileName);
bool FileExists(const std::u16string& fileName);

// Text of the ANSI code page (936) as UTF-16 and back; what the other side cannot hold becomes '?'.
std::u16string AnsiToWide(const std::string& text);
std::string WideToAnsiText(const std::u16string& text);

// The name after the last '/' (the whole name when there is none).
std::string ExtractFileName(const std::string& fileName);
// The extension with its dot ("Config.ini" gives ".ini"), or empty; a dot in a directory name does not count.
std::string ExtractFileExt(const std::string& fileName);
// fileName with its extension replaced by extension (which carries its own dot), or added when there is none.
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);
// path ending in '/'; an empty path gives "/", as the toolkit does.
std::string IncludeTrailingPathDelimiter(const std::string& path);

// Code page 936 text. Case changes and case-blind comparisons touch ASCII letters only and never the second byte of
// a double-byte character (which can look like an ASCII letter); other bytes compare by value.
std::string UpperCase(const std::string& text);
std::string LowerCase(const std::string& text);
// < 0, 0 or > 0. CompareText folds ASCII letters to upper case, AnsiCompareText to lower case (so '_' sorts
// before letters, as the locale's case-blind order has it); AnsiCompareStr compares bytes.
int CompareText(const std::string& a, const std::string& b);
int AnsiCompareText(const std::string& a, const std::string& b);
int AnsiCompareStr(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);
bool AnsiSameText(const std::string& a, const std::string& b);
// Blanks and control characters (bytes up to ' ') removed from both ends, the start or the end.
std::string Trim(const std::string& text);
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);

// Nearest integer, halves to the even neighbour (Round(2.5) is 2, Round(3.5) is 4).
int64_t Round(double value);
// Toward zero.
int64_t Trunc(double value);

// Days since 1899-12-30 in the integer part; the fraction is the time of day. Before that day the integer part is
// negative and the fraction still counts forward from midnight (-1.25 is 1899-12-29 06:00).
using TDateTime = double;

// Raise EConvertError "Invalid argument to date encode" / "Invalid argument to time encode" for values out of range
// (years 1..9999, hours 0..23, minutes and seconds 0..59, milliseconds 0..999).
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time);
void DecodeDate(TDateTime date, int& year, int& month, int& day);
void DecodeTime(TDateTime time, int& hour, int& minute, int& second, int& millisecond);
// 1 is Sunday, 7 is Saturday.
int DayOfWeek(TDateTime date);
bool IsLeapYear(int year);
// The local date and time from GetLocalTime, to the millisecond.
TDateTime Now();

// Date and time text. Specifiers (any case): yy / yyyy (two- or four-digit year; y and yyy count as yy and yyyy),
// m / mm (month, or minutes right after an hour specifier), d / dd, h / hh, n / nn, s / ss, z / zzz, and ':' and
// '/' (the locale's separators, ':' and '/'). Text in single or double quotes is copied, as are other characters,
// double-byte characters included. Names of days and months, am/pm and the locale's whole-date formats are not
// provided: a format using them (ddd, mmm, c, t, am/pm, a/p, e, g), or an empty format, raises EConvertError.
std::string FormatDateTime(const std::string& format, TDateTime dateTime);
