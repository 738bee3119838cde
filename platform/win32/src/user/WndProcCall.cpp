// Window procedure calls across the A/W boundary: character messages, window text and CREATESTRUCT names.
#include "user/WndProcCall.h"

#include "user/AnsiConvert.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace win32::user {
namespace {

// A lead byte sent or dispatched alone to a W procedure, per thread as Windows keeps it.
thread_local BYTE pendingLead = 0;

bool IsTextSetter(UINT message) { return message == WM_SETTEXT || message == WM_SETTINGCHANGE; }
bool IsCreate(UINT message) { return message == WM_NCCREATE || message == WM_CREATE; }

std::u16string WideFromAnsiName(LPCSTR name, bool& isAtom) {
    isAtom = name && IsIntResource(name);
    return (name && !isAtom) ? AnsiToWide(name) : std::u16string();
}

// Copies text into a caller's buffer of size units, keeping room for the terminator; answers the units copied.
template <class Char>
LRESULT CopyOut(const std::basic_string<Char>& text, Char* buffer, WPARAM size) {
    if (!buffer || size == 0) return 0;
    size_t count = std::min<size_t>(text.size(), size - 1);
    if constexpr (sizeof(Char) == 1) {
        // Never split a double-byte character.
        size_t i = 0;
        while (i < count) {
            size_t step = IsDBCSLeadByte(static_cast<BYTE>(text[i])) ? 2 : 1;
            if (i + step > count) break;
            i += step;
        }
        count = i;
    }
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(count), buffer);
    buffer[count] = 0;
    return static_cast<LRESULT>(count);
}

LRESULT CallAnsiCallerWideProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsCharMessage(message)) {
        if (message == WM_IME_CHAR && (wParam & 0xFF00)) {
            char bytes[2] = {static_cast<char>((wParam >> 8) & 0xFF), static_cast<char>(wParam & 0xFF)};
            std::u16string wide = AnsiToWide(bytes, 2);
            return proc(hwnd, message, wide.empty() ? 0 : wide[0], lParam);
        }
        if (!AnsiCharToWide(message, wParam, pendingLead)) return 0;
        return proc(hwnd, message, wParam, lParam);
    }
    if (IsTextSetter(message)) {
        if (!lParam) return proc(hwnd, message, wParam, lParam);
        std::u16string wide = AnsiToWide(reinterpret_cast<LPCSTR>(lParam));
        return proc(hwnd, message, wParam, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    if (message == WM_GETTEXT) {
        std::vector<char16_t> buffer(wParam + 1, u'\0');
        LRESULT count = proc(hwnd, message, wParam, reinterpret_cast<LPARAM>(buffer.data()));
        if (count < 0 || wParam == 0) return 0;
        std::u16string wide(buffer.data(), std::min<size_t>(static_cast<size_t>(count), wParam));
        return CopyOut(WideToAnsi(wide), reinterpret_cast<char*>(lParam), wParam);
    }
    if (message == WM_GETTEXTLENGTH) {
        LRESULT length = proc(hwnd, message, wParam, lParam);
        if (length <= 0) return length;
        // The byte count needs the text itself: Chinese characters take two bytes each.
        std::vector<char16_t> buffer(static_cast<size_t>(length) + 1, u'\0');
        LRESULT copied = proc(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
        if (copied < 0) return length;
        return static_cast<LRESULT>(WideToAnsi(buffer.data(), static_cast<int>(copied)).size());
    }
    if (IsCreate(message) && lParam) {
        const auto* ansi = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        bool nameAtom = false, classAtom = false;
        std::u16string name = WideFromAnsiName(ansi->lpszName, nameAtom);
        std::u16string className = WideFromAnsiName(ansi->lpszClass, classAtom);
        CREATESTRUCTW wide;
        std::memcpy(&wide, ansi, sizeof(wide));
        wide.lpszName = (!ansi->lpszName || nameAtom) ? reinterpret_cast<LPCWSTR>(ansi->lpszName) : name.c_str();
        wide.lpszClass =
            (!ansi->lpszClass || classAtom) ? reinterpret_cast<LPCWSTR>(ansi->lpszClass) : className.c_str();
        return proc(hwnd, message, wParam, reinterpret_cast<LPARAM>(&wide));
    }
    return proc(hwnd, message, wParam, lParam);
}

LRESULT CallWideCallerAnsiProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsCharMessage(message)) {
        std::string bytes = WideCharToAnsi(wParam);
        if (bytes.size() < 2) return proc(hwnd, message, bytes.empty() ? 0 : static_cast<BYTE>(bytes[0]), lParam);
        auto lead = static_cast<BYTE>(bytes[0]);
        auto trail = static_cast<BYTE>(bytes[1]);
        if (message == WM_IME_CHAR) return proc(hwnd, message, (static_cast<WPARAM>(lead) << 8) | trail, lParam);
        proc(hwnd, message, lead, lParam);
        return proc(hwnd, message, trail, lParam);
    }
    if (IsTextSetter(message)) {
        if (!lParam) return proc(hwnd, message, wParam, lParam);
        std::string ansi = WideToAnsi(reinterpret_cast<LPCWSTR>(lParam));
        return proc(hwnd, message, wParam, reinterpret_cast<LPARAM>(ansi.c_str()));
    }
    if (message == WM_GETTEXT) {
        // Every unit may take two bytes.
        std::vector<char> buffer(wParam * 2 + 1, '\0');
        LRESULT count = proc(hwnd, message, wParam * 2, reinterpret_cast<LPARAM>(buffer.data()));
        if (count < 0 || wParam == 0) return 0;
        std::string ansi(buffer.data(), std::min<size_t>(static_cast<size_t>(count), wParam * 2));
        return CopyOut(AnsiToWide(ansi.c_str(), static_cast<int>(ansi.size())), reinterpret_cast<char16_t*>(lParam),
                       wParam);
    }
    if (message == WM_GETTEXTLENGTH) {
        LRESULT length = proc(hwnd, message, wParam, lParam);
        if (length <= 0) return length;
        std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
        LRESULT copied = proc(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
        if (copied < 0) return length;
        return static_cast<LRESULT>(AnsiToWide(buffer.data(), static_cast<int>(copied)).size());
    }
    if (IsCreate(message) && lParam) {
        const auto* wide = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        bool nameAtom = wide->lpszName && IsIntResource(wide->lpszName);
        bool classAtom = wide->lpszClass && IsIntResource(wide->lpszClass);
        std::string name = (wide->lpszName && !nameAtom) ? WideToAnsi(wide->lpszName) : std::string();
        std::string className = (wide->lpszClass && !classAtom) ? WideToAnsi(wide->lpszClass) : std::string();
        CREATESTRUCTA ansi;
        std::memcpy(&ansi, wide, sizeof(ansi));
        ansi.lpszName = (!wide->lpszName || nameAtom) ? reinterpret_cast<LPCSTR>(wide->lpszName) : name.c_str();
        ansi.lpszClass =
            (!wide->lpszClass || classAtom) ? reinterpret_cast<LPCSTR>(wide->lpszClass) : className.c_str();
        return proc(hwnd, message, wParam, reinterpret_cast<LPARAM>(&ansi));
    }
    return proc(hwnd, message, wParam, lParam);
}

}  // namespace

bool IsCharMessage(UINT message) {
    return message == WM_CHAR || message == WM_SYSCHAR || message == WM_DEADCHAR || message == WM_SYSDEADCHAR ||
           message == WM_IME_CHAR;
}

bool AnsiCharToWide(UINT message, WPARAM& wParam, BYTE& lead) {
    (void)message;
    auto byte = static_cast<BYTE>(wParam & 0xFF);
    if (lead) {
        char bytes[2] = {static_cast<char>(lead), static_cast<char>(byte)};
        lead = 0;
        std::u16string wide = AnsiToWide(bytes, 2);
        wParam = wide.empty() ? 0 : wide[0];
        return true;
    }
    if (IsDBCSLeadByte(byte)) {
        lead = byte;
        return false;
    }
    if (byte < 0x80) {
        wParam = byte;
        return true;
    }
    char single = static_cast<char>(byte);
    std::u16string wide = AnsiToWide(&single, 1);
    wParam = wide.empty() ? 0 : wide[0];
    return true;
}

std::string WideCharToAnsi(WPARAM wParam) {
    auto unit = static_cast<char16_t>(wParam & 0xFFFF);
    if (unit < 0x80) return std::string(1, static_cast<char>(unit));
    return WideToAnsi(&unit, 1);
}

LRESULT CallWndProc(WNDPROC proc, bool procUnicode, bool callerUnicode, HWND hwnd, UINT message, WPARAM wParam,
                    LPARAM lParam) {
    if (!proc) return 0;
    if (procUnicode == callerUnicode) return proc(hwnd, message, wParam, lParam);
    return procUnicode ? CallAnsiCallerWideProc(proc, hwnd, message, wParam, lParam)
                       : CallWideCallerAnsiProc(proc, hwnd, message, wParam, lParam);
}

}  // namespace win32::user
