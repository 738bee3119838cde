// GBK to the locale's encoding and back through the platform's code-page conversions.
#include "ConsoleText.h"

#include <toolkit/SysUtils.h>

#include <win32/windows.h>

#include <langinfo.h>
#include <clocale>
#include <cstring>

namespace {

bool LocaleIsGb() {
    static const bool gb = [] {
        std::setlocale(LC_CTYPE, "");
        const char* codeset = nl_langinfo(CODESET);
        return codeset && (std::strncmp(codeset, "GB", 2) == 0 || std::strcmp(codeset, "CP936") == 0);
    }();
    return gb;
}

}  // namespace

std::string ToConsole(const std::string& ansi) { return LocaleIsGb() ? ansi : AnsiToUtf8(ansi); }

std::string AnsiToUtf8(const std::string& ansi) {
    if (ansi.empty()) return ansi;
    std::u16string text = AnsiToWide(ansi);
    int wide = static_cast<int>(text.size());
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

bool ConsoleToWide(const std::string& text, std::u16string& wide) {
    wide.clear();
    if (text.empty()) return true;
    const UINT codePage = LocaleIsGb() ? CP_ACP : CP_UTF8;
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length == 0) return false;
    wide.assign(static_cast<size_t>(length), u'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return true;
}

bool FromConsole(const std::string& text, std::string& ansi) {
    if (LocaleIsGb() || text.empty()) {
        ansi = text;
        return true;
    }
    std::u16string utf16;
    if (!ConsoleToWide(text, utf16)) return false;
    const int wide = static_cast<int>(utf16.size());
    BOOL lost = FALSE;
    int bytes = WideCharToMultiByte(CP_ACP, 0, utf16.data(), wide, nullptr, 0, nullptr, &lost);
    if (bytes == 0 || lost) return false;
    ansi.assign(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, utf16.data(), wide, ansi.data(), bytes, nullptr, nullptr);
    return true;
}
