// Window properties: SetProp, GetProp and RemoveProp (A and W). Names are atoms on Windows, so they compare without
// regard to case, and an integer atom (MAKEINTATOM) is a name of its own.
#include "user/AnsiConvert.h"
#include "user/Window.h"

using namespace win32::user;

namespace {

bool Key(LPCSTR name, std::string& key) {
    if (!name) return false;
    if (IsIntResource(name)) {
        key = "#" + std::to_string(reinterpret_cast<uintptr_t>(name));
        return true;
    }
    key = name;
    // Only ASCII letters fold: bytes of double-byte characters stay as they are.
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return true;
}

}  // namespace

BOOL SetPropA(HWND hWnd, LPCSTR lpString, HANDLE hData) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    std::string key;
    if (!Key(lpString, key)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    window->Props[key] = hData;
    return TRUE;
}

HANDLE GetPropA(HWND hWnd, LPCSTR lpString) {
    Window* window = FromHandle(hWnd);
    std::string key;
    if (!window || !Key(lpString, key)) return nullptr;
    auto found = window->Props.find(key);
    return found == window->Props.end() ? nullptr : found->second;
}

HANDLE RemovePropA(HWND hWnd, LPCSTR lpString) {
    Window* window = FromHandle(hWnd);
    std::string key;
    if (!window || !Key(lpString, key)) return nullptr;
    auto found = window->Props.find(key);
    if (found == window->Props.end()) return nullptr;
    HANDLE data = found->second;
    window->Props.erase(found);
    return data;
}

BOOL SetPropW(HWND hWnd, LPCWSTR lpString, HANDLE hData) { return SetPropA(hWnd, AnsiName(lpString), hData); }

HANDLE GetPropW(HWND hWnd, LPCWSTR lpString) { return GetPropA(hWnd, AnsiName(lpString)); }

HANDLE RemovePropW(HWND hWnd, LPCWSTR lpString) { return RemovePropA(hWnd, AnsiName(lpString)); }
