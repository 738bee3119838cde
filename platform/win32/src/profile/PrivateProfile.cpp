// GetPrivateProfileStringA, GetPrivateProfileIntA and WritePrivateProfileStringA over the profile store.
#include "codepage/AnsiPath.h"
#include "profile/ProfileStore.h"

#include <win32/winbase.h>

#include <cstring>

using win32::profile::ProfileDocument;
using win32::profile::ProfileStore;

namespace {

std::string TrimmedName(const char* name) {
    const char* begin = name;
    const char* end = name + std::strlen(name);
    while (begin < end && (*begin == ' ' || *begin == '\t')) ++begin;
    while (end > begin && (end[-1] == ' ' || end[-1] == '\t')) --end;
    return std::string(begin, end);
}

// One string, cut to nSize - 1 characters when it does not fit.
DWORD CopyString(const std::string& text, LPSTR buffer, DWORD nSize) {
    size_t n = text.size() < nSize ? text.size() : nSize - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

// NUL-separated names ending in a second NUL; cut so that two NULs still end it, answering nSize - 2.
DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD nSize) {
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    if (list.size() + 1 <= nSize) {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        if (list.empty() && nSize > 1) buffer[1] = '\0';
        return static_cast<DWORD>(list.size());
    }
    if (nSize < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, list.data(), nSize - 2);
    buffer[nSize - 2] = '\0';
    buffer[nSize - 1] = '\0';
    return nSize - 2;
}

// The stored value as the caller sees it: one pair of enclosing quotes of the same kind is removed.
std::string Unquoted(const std::string& value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                               DWORD nSize, LPCSTR lpFileName) {
    if (!lpReturnedString || !lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (nSize == 0) return 0;
    // Trailing blanks of the default are never returned.
    std::string defaultValue = lpDefault ? lpDefault : "";
    while (!defaultValue.empty() && (defaultValue.back() == ' ' || defaultValue.back() == '\t'))
        defaultValue.pop_back();

    DWORD result = 0;
    bool found = false;
    DWORD fileError =
        ProfileStore::Instance().Read(win32::AnsiToNativePath(lpFileName), [&](const ProfileDocument* document) {
            if (!lpAppName) {
                result =
                    CopyList(document ? document->SectionNames() : std::vector<std::string>(), lpReturnedString, nSize);
                found = true;
            } else if (!lpKeyName) {
                result = CopyList(document ? document->KeyNames(TrimmedName(lpAppName)) : std::vector<std::string>(),
                                  lpReturnedString, nSize);
                found = true;
            } else if (document) {
                if (const std::string* value = document->Find(TrimmedName(lpAppName), TrimmedName(lpKeyName))) {
                    result = CopyString(Unquoted(*value), lpReturnedString, nSize);
                    found = true;
                }
            }
        });
    if (found) {
        SetLastError(fileError);
        return result;
    }
    // Windows reports a missing file, section or key alike as "file not found" after copying the default.
    result = CopyString(defaultValue, lpReturnedString, nSize);
    SetLastError(fileError != ERROR_SUCCESS ? fileError : ERROR_FILE_NOT_FOUND);
    return result;
}

UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) {
    if (!lpAppName || !lpKeyName) return static_cast<UINT>(nDefault);
    char buffer[1024];
    if (GetPrivateProfileStringA(lpAppName, lpKeyName, "", buffer, sizeof buffer, lpFileName) == 0)
        return static_cast<UINT>(nDefault);
    // Leading blanks, a sign, then decimal digits or "0x" and hex digits, up to the first other character;
    // text without digits is 0. Overflow wraps as the 32-bit arithmetic of Windows does.
    const char* p = buffer;
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    UINT base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    }
    UINT value = 0;
    for (;; ++p) {
        UINT digit;
        if (*p >= '0' && *p <= '9')
            digit = static_cast<UINT>(*p - '0');
        else if (base == 16 && *p >= 'a' && *p <= 'f')
            digit = static_cast<UINT>(*p - 'a' + 10);
        else if (base == 16 && *p >= 'A' && *p <= 'F')
            digit = static_cast<UINT>(*p - 'A' + 10);
        else
            break;
        value = value * base + digit;
    }
    return negative ? 0u - value : value;
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName) {
    if (!lpAppName) {
        // All three NULL asks to flush the cache; there is nothing unwritten, so the cached copies are just dropped.
        if (!lpKeyName && !lpString) {
            ProfileStore::Instance().Flush();
            return TRUE;
        }
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!lpFileName || !*lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string section = TrimmedName(lpAppName);
    std::string key = lpKeyName ? TrimmedName(lpKeyName) : std::string();
    return ProfileStore::Instance().Update(win32::AnsiToNativePath(lpFileName), [&](ProfileDocument& document) {
        if (!lpKeyName) return document.DeleteSection(section);
        if (!lpString) return document.DeleteKey(section, key);
        return document.SetValue(section, key, lpString);
    });
}
