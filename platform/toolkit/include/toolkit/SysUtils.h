// The toolkit's exceptions and conversion helpers.
#pragma once

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

// Decimal with an optional sign, or hexadecimal after "$" or "0x"; blanks around are not allowed.
// Raises EConvertError "'%s' is not a valid integer value".
int StrToInt(const std::string& text);
int StrToIntDef(const std::string& text, int defaultValue);
// Like StrToIntDef, answering whether the text was a number.
bool TryStrToInt(const std::string& text, int& value);
std::string IntToStr(long long value);

// The directory part of a path, with its trailing '/'.
std::string ExtractFilePath(const std::string& fileName);
bool FileExists(const std::string& fileName);
