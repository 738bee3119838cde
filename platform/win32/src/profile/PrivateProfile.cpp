// GetPrivateProfileString, GetPrivateProfileInt and WritePrivateProfileString, A and W, over the profile store.
#include "codepage/AnsiPath.h"
#include "codepage/GbkConvert.h"
#include "kernel/LastError.h"
#include "profile/ProfileStore.h"

#include <win32/winbase.h>

#include <algorithm>
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
template <class Char>
DWORD CopyString(const std::basic_string<Char>& text, Char* buffer, DWORD nSize) {
    size_t n = text.size() < nSize ? text.size() : nSize - 1;
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), buffer);
    buffer[n] = Char();
    return static_cast<DWORD>(n);
}

// NUL-separated names ending in a second NUL; cut so that two NULs still end it, answering nSize - 2.
template <class Char>
DWORD CopyList(const std::vector<std::basic_string<Char>>& names, Char* buffer, DWORD nSize) {
    std::basic_string<Char> list;
    for (const auto& name : names) {
        list += name;
        list += Char();
    }
    if (list.size() + 1 <= nSize) {
        std::copy(list.begin(), list.end(), buffer);
        buffer[list.size()] = Char();
        if (list.empty() && nSize > 1) buffer[1] = Char();
        return static_cast<DWORD>(list.size());
    }
    if (nSize < 2) {
        buffer[0] = Char();
        return 0;
    }
    std::copy(list.begin(), list.begin() + (nSize - 2), buffer);
    buffer[nSize - 2] = Char();
    buffer[nSize - 1] = Char();
    return nSize - 2;
}

// The stored value as the caller sees it: one pair of enclosing quotes of the same kind is removed.
std::string Unquoted(const std::string& value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

// What a read finds: a list of names (no section or no key asked for) or one value, which is the default when the
// file, the section or the key is missing; and the last error the read leaves.
struct ProfileAnswer {
    bool List = false;
    std::vector<std::string> Items;
    DWORD Error = ERROR_SUCCESS;
};

ProfileAnswer LookUp(const char* section, const char* key, const char* defaultText, const std::string& nativePath) {
    ProfileAnswer answer;
    bool found = false;
    DWORD fileError = ProfileStore::Instance().Read(nativePath, [&](const ProfileDocument* document) {
        if (!section) {
            answer.List = found = true;
            if (document) answer.Items = document->SectionNames();
        } else if (!key) {
            answer.List = found = true;
            if (document) answer.Items = document->KeyNames(TrimmedName(section));
        } else if (document) {
            if (const std::string* value = document->Find(TrimmedName(section), TrimmedName(key))) {
                answer.Items.push_back(Unquoted(*value));
                found = true;
            }
        }
    });
    if (found) {
        answer.Error = fileError;
        return answer;
    }
    // Windows reports a missing file, section or key alike as "file not found" after copying the default, whose
    // trailing blanks are never returned.
    std::string defaultValue = defaultText ? defaultText : "";
    while (!defaultValue.empty() && (defaultValue.back() == ' ' || defaultValue.back() == '\t'))
        defaultValue.pop_back();
    answer.Items.push_back(defaultValue);
    answer.Error = fileError != ERROR_SUCCESS ? fileError : ERROR_FILE_NOT_FOUND;
    return answer;
}

template <class Char>
DWORD CopyAnswer(const ProfileAnswer& answer, const std::vector<std::basic_string<Char>>& items, Char* buffer,
                 DWORD nSize) {
    DWORD result = answer.List ? CopyList(items, buffer, nSize) : CopyString(items.front(), buffer, nSize);
    SetLastError(answer.Error);
    return result;
}

// The string of a W function in the code page the file is kept in, or an absent one as absent.
struct AnsiArgument {
    explicit AnsiArgument(LPCWSTR text) : Present(text != nullptr) {
        if (text)
            win32::codepage::Utf16ToGbk(text, std::char_traits<char16_t>::length(text), win32::codepage::GbkEncoding{},
                                        Text);
    }
    const char* Get() const { return Present ? Text.c_str() : nullptr; }
    bool Present;
    std::string Text;
};

std::u16string Wide(const std::string& ansi) {
    std::u16string wide;
    win32::codepage::GbkToUtf16(ansi.data(), ansi.size(), false, wide);
    return wide;
}

UINT ParseProfileInt(const char* buffer) {
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

BOOL Write(const char* lpAppName, const char* lpKeyName, const char* lpString, const std::string& nativePath) {
    if (!lpAppName) {
        // All three NULL asks to flush the cache; there is nothing unwritten, so the cached copies are just dropped.
        if (!lpKeyName && !lpString) {
            ProfileStore::Instance().Flush();
            return TRUE;
        }
        return win32::Fail(ERROR_INVALID_PARAMETER);
    }
    if (nativePath.empty()) return win32::Fail(ERROR_INVALID_PARAMETER);
    std::string section = TrimmedName(lpAppName);
    std::string key = lpKeyName ? TrimmedName(lpKeyName) : std::string();
    return ProfileStore::Instance().Update(nativePath, [&](ProfileDocument& document) {
        if (!lpKeyName) return document.DeleteSection(section);
        if (!lpString) return document.DeleteKey(section, key);
        return document.SetValue(section, key, lpString);
    });
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                               DWORD nSize, LPCSTR lpFileName) {
    if (!lpReturnedString || !lpFileName) return win32::Fail<DWORD>(0, ERROR_INVALID_PARAMETER);
    if (nSize == 0) return 0;
    ProfileAnswer answer = LookUp(lpAppName, lpKeyName, lpDefault, win32::AnsiToNativePath(lpFileName));
    return CopyAnswer(answer, answer.Items, lpReturnedString, nSize);
}

// The file's path is taken whole, whatever characters it holds; the strings go to and from the file in code page
// 936, as the file is kept.
DWORD GetPrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName, LPCWSTR lpDefault, LPWSTR lpReturnedString,
                               DWORD nSize, LPCWSTR lpFileName) {
    if (!lpReturnedString || !lpFileName) return win32::Fail<DWORD>(0, ERROR_INVALID_PARAMETER);
    if (nSize == 0) return 0;
    AnsiArgument section(lpAppName), key(lpKeyName), defaultText(lpDefault);
    ProfileAnswer answer = LookUp(section.Get(), key.Get(), defaultText.Get(), win32::WideToNativePath(lpFileName));
    std::vector<std::u16string> items;
    for (const std::string& item : answer.Items) items.push_back(Wide(item));
    return CopyAnswer(answer, items, lpReturnedString, nSize);
}

UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) {
    if (!lpAppName || !lpKeyName) return static_cast<UINT>(nDefault);
    char buffer[1024];
    if (GetPrivateProfileStringA(lpAppName, lpKeyName, "", buffer, sizeof buffer, lpFileName) == 0)
        return static_cast<UINT>(nDefault);
    return ParseProfileInt(buffer);
}

UINT GetPrivateProfileIntW(LPCWSTR lpAppName, LPCWSTR lpKeyName, INT nDefault, LPCWSTR lpFileName) {
    if (!lpAppName || !lpKeyName) return static_cast<UINT>(nDefault);
    WCHAR buffer[1024];
    DWORD length = GetPrivateProfileStringW(lpAppName, lpKeyName, u"", buffer, 1024, lpFileName);
    if (length == 0) return static_cast<UINT>(nDefault);
    AnsiArgument text(buffer);
    return ParseProfileInt(text.Get());
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName) {
    return Write(lpAppName, lpKeyName, lpString, lpFileName ? win32::AnsiToNativePath(lpFileName) : std::string());
}

BOOL WritePrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName, LPCWSTR lpString, LPCWSTR lpFileName) {
    AnsiArgument section(lpAppName), key(lpKeyName), value(lpString);
    return Write(section.Get(), key.Get(), value.Get(),
                 lpFileName ? win32::WideToNativePath(lpFileName) : std::string());
}
