// Path conversion between code page 936, UTF-16 and UTF-8.
#include "codepage/AnsiPath.h"

#include "codepage/GbkConvert.h"
#include "codepage/Utf8.h"

#include <cstring>

namespace win32 {

std::string AnsiToNativePath(const char* ansiPath) {
    std::u16string wide;
    codepage::GbkToUtf16(ansiPath, std::strlen(ansiPath), false, wide);
    std::string native;
    codepage::Utf16ToUtf8(wide.data(), wide.size(), native);
    return native;
}

std::string NativeToAnsiPath(const std::string& nativePath) {
    std::u16string wide;
    codepage::Utf8ToUtf16(nativePath.data(), nativePath.size(), wide);
    std::string ansi;
    codepage::Utf16ToGbk(wide.data(), wide.size(), codepage::GbkEncoding{}, ansi);
    return ansi;
}

std::string WideToNativePath(const char16_t* widePath) {
    std::string native;
    codepage::Utf16ToUtf8(widePath, std::char_traits<char16_t>::length(widePath), native);
    return native;
}

std::u16string NativeToWidePath(const std::string& nativePath) {
    std::u16string wide;
    codepage::Utf8ToUtf16(nativePath.data(), nativePath.size(), wide);
    return wide;
}

}  // namespace win32
