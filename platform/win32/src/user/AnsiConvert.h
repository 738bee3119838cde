// Code page 936 text to UTF-16 and back, for the A functions of the window manager.
#pragma once

#include <win32/windows.h>

#include <cstdint>
#include <string>

namespace win32::user {

// A class name or window name argument may be an atom (MAKEINTATOM) instead of a pointer.
inline bool IsIntResource(const void* pointer) { return (reinterpret_cast<uintptr_t>(pointer) >> 16) == 0; }

inline std::u16string AnsiToWide(const char* text, int length = -1) {
    if (!text) return {};
    if (length < 0) length = static_cast<int>(std::char_traits<char>::length(text));
    if (length == 0) return {};
    int count = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    std::u16string wide(static_cast<size_t>(count), u'\0');
    if (count > 0) MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), count);
    return wide;
}

inline std::string WideToAnsi(const char16_t* text, int length = -1) {
    if (!text) return {};
    if (length < 0) length = static_cast<int>(std::char_traits<char16_t>::length(text));
    if (length == 0) return {};
    int count = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(count), '\0');
    if (count > 0) WideCharToMultiByte(CP_ACP, 0, text, length, ansi.data(), count, nullptr, nullptr);
    return ansi;
}

inline std::string WideToAnsi(const std::u16string& text) {
    return WideToAnsi(text.data(), static_cast<int>(text.size()));
}

// A name argument of a W function as its A twin takes it: null and integer resources or atoms pass unchanged,
// text goes to code page 936. Lives as long as the call that makes it.
class AnsiName {
public:
    explicit AnsiName(LPCWSTR name) : FName(name) {
        if (name && !IsIntResource(name)) FText = WideToAnsi(name);
    }
    operator LPCSTR() const { return !FName || IsIntResource(FName) ? reinterpret_cast<LPCSTR>(FName) : FText.c_str(); }

private:
    LPCWSTR FName;
    std::string FText;
};

}  // namespace win32::user
