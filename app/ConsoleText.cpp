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

bool FromConsole(const std::string& text, std::string& ansi) {
    if (LocaleIsGb() || text.empty()) {
        ansi = text;
        return true;
    }
    int size = static_cast<int>(text.size());
    int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (wide == 0) return false;
    std::u16string utf16(static_cast<size_t>(wide), u'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, utf16.data(), wide);
    BOOL lost = FALSE;
    int bytes = WideCharToMultiByte(CP_ACP, 0, utf16.data(), wide, nullptr, 0, nullptr, &lost);
    if (bytes == 0 || lost) return false;
    ansi.assign(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, utf16.data(), wide, ansi.data(), bytes, nullptr, nullptr);
    return true;
}
