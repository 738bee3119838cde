// Conversions between wide text and code-page byte strings, over MultiByteToWideChar and WideCharToMultiByte.
#include <skin/CodePage.h>

#include <win32/windows.h>

#include <climits>

std::u16string WideFromCodePage(UINT codePage, const std::string& text) {
    if (text.empty()) return std::u16string();
    const DWORD flags = MB_PRECOMPOSED | MB_USEGLYPHCHARS;
    // Longer texts than an int can count are not converted by the platform; they read as unconvertible.
    const int byteCount = text.size() > static_cast<size_t>(INT_MAX) ? 0 : static_cast<int>(text.size());
    int length = byteCount ? MultiByteToWideChar(codePage, flags, text.data(), byteCount, nullptr, 0) : 0;
    if (length == 0 && byteCount && codePage != CP_ACP) {
        codePage = CP_ACP;
        length = MultiByteToWideChar(codePage, flags, text.data(), byteCount, nullptr, 0);
    }
    if (length <= 0) return std::u16string(text.size(), u'?');
    std::u16string wide(static_cast<size_t>(length), u'\0');
    int written = MultiByteToWideChar(codePage, flags, text.data(), byteCount, wide.data(), length);
    if (written <= 0) return std::u16string(text.size(), u'?');
    wide.resize(static_cast<size_t>(written));
    return wide;
}

std::string WideToAnsi(const std::u16string& text) {
    if (text.empty() || text.size() > static_cast<size_t>(INT_MAX)) return std::string();
    const int count = static_cast<int>(text.size());
    int length = WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text.data(), count, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string ansi(static_cast<size_t>(length), '\0');
    int written =
        WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text.data(), count, ansi.data(), length, nullptr, nullptr);
    ansi.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return ansi;
}
