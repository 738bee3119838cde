// Code page 936 text to and from the platform clipboard for the edit controls.
#include "ClipboardText.h"

#include <cstring>

namespace edittext {

bool PutClipboardText(HWND owner, const std::string& text) {
    if (!OpenClipboard(owner)) return false;
    bool stored = false;
    if (EmptyClipboard()) {
        if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
            if (auto* bytes = static_cast<char*>(GlobalLock(memory))) {
                std::memcpy(bytes, text.data(), text.size());
                bytes[text.size()] = '\0';
                GlobalUnlock(memory);
                stored = SetClipboardData(CF_TEXT, memory) != nullptr;
            }
            // Data the clipboard took is its own from now on.
            if (!stored) GlobalFree(memory);
        }
    }
    CloseClipboard();
    return stored;
}

bool GetClipboardText(HWND owner, std::string& text) {
    if (!OpenClipboard(owner)) return false;
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            size_t size = GlobalSize(data);
            text.assign(bytes, strnlen(bytes, size));
            GlobalUnlock(data);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}

}  // namespace edittext
