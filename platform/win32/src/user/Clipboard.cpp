// The clipboard: OpenClipboard/CloseClipboard/EmptyClipboard, SetClipboardData/GetClipboardData with the text
// formats made from one another through the code pages, and the desktop's text through the display driver.
// Data handed to SetClipboardData belongs to the clipboard from then on and is freed when replaced or emptied.
#include "Window.h"

#include <backend/Driver.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace {

using win32::user::FromHandleQuiet;

struct ClipboardState {
    bool Open = false;
    HWND OpenWindow = nullptr;
    HWND Owner = nullptr;
    std::map<UINT, HANDLE> Data;
    std::set<UINT> Synthesized;  // formats made from another text format, not handed over
    bool Changed = false;        // emptied or set since it was opened: the desktop hears of it on close
    // The text last handed to the driver; different text there means another program took the clipboard.
    std::optional<std::u16string> Published;
};

ClipboardState& Clipboard() {
    static ClipboardState state;
    return state;
}

bool IsTextFormat(UINT format) { return format == CF_TEXT || format == CF_OEMTEXT || format == CF_UNICODETEXT; }

UINT CodePageOf(UINT format) { return format == CF_OEMTEXT ? CP_OEMCP : CP_ACP; }

void FreeData(UINT format, HANDLE data) {
    if (format == CF_BITMAP) {
        DeleteObject(data);
    } else {
        GlobalFree(data);
    }
}

void FreeAll(ClipboardState& clipboard) {
    for (auto& [format, data] : clipboard.Data) FreeData(format, data);
    clipboard.Data.clear();
    clipboard.Synthesized.clear();
}

bool IsGlobal(HANDLE data) {
    DWORD saved = GetLastError();
    SetLastError(NO_ERROR);
    GlobalSize(data);
    bool valid = GetLastError() != ERROR_INVALID_HANDLE;
    SetLastError(saved);
    return valid;
}

// A text handle's characters up to its terminating zero (or its end, when a careless writer left none).
std::u16string ReadText(UINT format, HANDLE data) {
    SIZE_T size = GlobalSize(data);
    auto* bytes = static_cast<const char*>(GlobalLock(data));
    if (!bytes) return {};
    std::u16string text;
    if (format == CF_UNICODETEXT) {
        const auto* units = reinterpret_cast<const char16_t*>(bytes);
        size_t count = 0;
        while (count < size / 2 && units[count]) ++count;
        text.assign(units, count);
    } else {
        int count = 0;
        while (static_cast<SIZE_T>(count) < size && bytes[count]) ++count;
        if (count > 0) {
            int wide = MultiByteToWideChar(CodePageOf(format), 0, bytes, count, nullptr, 0);
            text.resize(static_cast<size_t>(wide));
            if (wide > 0) MultiByteToWideChar(CodePageOf(format), 0, bytes, count, text.data(), wide);
        }
    }
    GlobalUnlock(data);
    return text;
}

HANDLE MakeText(UINT format, const std::u16string& text) {
    std::string encoded;
    if (format == CF_UNICODETEXT) {
        encoded.assign(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(char16_t));
    } else {
        int count = text.empty() ? 0
                                 : WideCharToMultiByte(CodePageOf(format), 0, text.data(),
                                                       static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
        encoded.resize(static_cast<size_t>(count) + 1, '\0');
        if (count > 0) {
            WideCharToMultiByte(CodePageOf(format), 0, text.data(), static_cast<int>(text.size()), encoded.data(),
                                count, nullptr, nullptr);
        }
    }
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, encoded.size());
    if (!data) return nullptr;
    std::copy(encoded.begin(), encoded.end(), static_cast<char*>(GlobalLock(data)));
    GlobalUnlock(data);
    return data;
}

// The text format that was handed over, preferring UTF-16 (which loses nothing); 0 when there is none.
UINT TextSource(const ClipboardState& clipboard) {
    for (UINT format : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT}) {
        if (clipboard.Data.count(format) && !clipboard.Synthesized.count(format)) return format;
    }
    return 0;
}

bool Available(const ClipboardState& clipboard, UINT format) {
    if (clipboard.Data.count(format)) return true;
    return IsTextFormat(format) && TextSource(clipboard) != 0;
}

// Another program's text replaces what we hold; its owner is no window of ours.
void TakeDesktopText() {
    auto& clipboard = Clipboard();
    std::u16string text;
    bool hasText = backend::CurrentDriver().ClipboardText(text);
    if (!hasText) {
        if (clipboard.Published && !clipboard.Published->empty()) {
            FreeAll(clipboard);
            clipboard.Owner = nullptr;
        }
        clipboard.Published.reset();
        return;
    }
    if (clipboard.Published && *clipboard.Published == text) return;
    FreeAll(clipboard);
    clipboard.Owner = nullptr;
    if (HANDLE data = MakeText(CF_UNICODETEXT, text)) clipboard.Data[CF_UNICODETEXT] = data;
    clipboard.Published = text;
}

void Publish() {
    auto& clipboard = Clipboard();
    std::u16string text;
    if (UINT source = TextSource(clipboard)) text = ReadText(source, clipboard.Data[source]);
    backend::CurrentDriver().SetClipboardText(text);
    clipboard.Published = text;
}

void CloseLocked() {
    auto& clipboard = Clipboard();
    if (clipboard.Changed) Publish();
    clipboard.Open = false;
    clipboard.OpenWindow = nullptr;
    clipboard.Changed = false;
}

// Windows that are gone neither hold the clipboard open nor own it.
void ForgetDeadWindows() {
    auto& clipboard = Clipboard();
    if (clipboard.Open && clipboard.OpenWindow && !FromHandleQuiet(clipboard.OpenWindow)) CloseLocked();
    if (clipboard.Owner && !FromHandleQuiet(clipboard.Owner)) clipboard.Owner = nullptr;
}

bool CheckOpen() {
    ForgetDeadWindows();
    if (!Clipboard().Open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return false;
    }
    return true;
}

}  // namespace

BOOL OpenClipboard(HWND hWndNewOwner) {
    if (hWndNewOwner && !win32::user::FromHandle(hWndNewOwner)) return FALSE;
    ForgetDeadWindows();
    auto& clipboard = Clipboard();
    if (clipboard.Open) {
        if (clipboard.OpenWindow == hWndNewOwner) return TRUE;
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    TakeDesktopText();
    clipboard.Open = true;
    clipboard.OpenWindow = hWndNewOwner;
    clipboard.Changed = false;
    return TRUE;
}

BOOL CloseClipboard(void) {
    if (!CheckOpen()) return FALSE;
    CloseLocked();
    return TRUE;
}

BOOL EmptyClipboard(void) {
    if (!CheckOpen()) return FALSE;
    auto& clipboard = Clipboard();
    if (clipboard.Owner) SendMessageW(clipboard.Owner, WM_DESTROYCLIPBOARD, 0, 0);
    FreeAll(clipboard);
    clipboard.Owner = clipboard.OpenWindow;
    clipboard.Changed = true;
    return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem) {
    if (!CheckOpen()) return nullptr;
    // Delayed rendering (a null handle answered later through WM_RENDERFORMAT) is not offered.
    if (uFormat == 0 || !hMem) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (uFormat != CF_BITMAP && !IsGlobal(hMem)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto& clipboard = Clipboard();
    auto existing = clipboard.Data.find(uFormat);
    if (existing != clipboard.Data.end() && existing->second != hMem) FreeData(uFormat, existing->second);
    if (IsTextFormat(uFormat)) {
        // Text made from the old text is stale now.
        for (UINT format : clipboard.Synthesized) {
            if (format != uFormat) {
                FreeData(format, clipboard.Data[format]);
                clipboard.Data.erase(format);
            }
        }
        clipboard.Synthesized.clear();
    }
    clipboard.Data[uFormat] = hMem;
    clipboard.Synthesized.erase(uFormat);
    clipboard.Changed = true;
    return hMem;
}

HANDLE GetClipboardData(UINT uFormat) {
    if (!CheckOpen()) return nullptr;
    auto& clipboard = Clipboard();
    auto found = clipboard.Data.find(uFormat);
    if (found != clipboard.Data.end()) return found->second;
    if (!IsTextFormat(uFormat)) return nullptr;
    UINT source = TextSource(clipboard);
    if (!source) return nullptr;
    HANDLE made = MakeText(uFormat, ReadText(source, clipboard.Data[source]));
    if (!made) return nullptr;
    clipboard.Data[uFormat] = made;
    clipboard.Synthesized.insert(uFormat);
    return made;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    ForgetDeadWindows();
    if (!Clipboard().Open) TakeDesktopText();
    return Available(Clipboard(), format) ? TRUE : FALSE;
}

HWND GetClipboardOwner(void) {
    ForgetDeadWindows();
    return Clipboard().Owner;
}
