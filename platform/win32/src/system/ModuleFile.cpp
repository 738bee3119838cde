// GetModuleFileNameA/W and GetFileAttributesA/W over /proc/self/exe and stat, with ANSI (code page 936) or UTF-16
// paths.
#include "codepage/AnsiPath.h"
#include "codepage/Gbk.h"
#include "kernel/LastError.h"
#include "system/PosixError.h"

#include <win32/winbase.h>

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace {

// The executable's native path; false with the last error set when it cannot be read.
bool ExecutablePath(HMODULE hModule, std::string& native) {
    // The executable is the only module with a file of its own: NULL or its handle name it.
    if (hModule && hModule != GetModuleHandleA(nullptr)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return false;
    }
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length < 0) {
        win32::SetLastErrorFromErrno(errno);
        return false;
    }
    native.assign(buffer, static_cast<size_t>(length));
    return true;
}

DWORD FileAttributes(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        SetLastError(win32::Win32ErrorForPath(errno, path));
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode)) {
        attributes = FILE_ATTRIBUTE_DIRECTORY;
    } else {
        attributes = S_ISREG(st.st_mode) ? FILE_ATTRIBUTE_ARCHIVE : FILE_ATTRIBUTE_DEVICE;
        // Read-only as Windows means it: nobody may write the file.
        if (!(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) attributes |= FILE_ATTRIBUTE_READONLY;
    }
    std::string::size_type slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes;
}

}  // namespace

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    std::string native;
    if (!ExecutablePath(hModule, native)) return 0;
    std::string path = win32::NativeToAnsiPath(native);
    if (path.size() < nSize) {
        std::memcpy(lpFilename, path.c_str(), path.size() + 1);
        return static_cast<DWORD>(path.size());
    }
    // As since Vista: truncated, still terminated, nSize returned. The cut never halves a double-byte character.
    if (nSize > 0) {
        size_t keep = 0;
        while (keep < nSize - 1) {
            size_t step = win32::codepage::Gbk::IsLeadByte(static_cast<BYTE>(path[keep])) ? 2 : 1;
            if (keep + step > nSize - 1) break;
            keep += step;
        }
        std::memcpy(lpFilename, path.data(), keep);
        lpFilename[keep] = '\0';
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}

// The wide name holds every character of the folder's name, where the ANSI one shows '?' for what code page 936
// cannot hold.
DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
    std::string native;
    if (!ExecutablePath(hModule, native)) return 0;
    std::u16string path = win32::NativeToWidePath(native);
    if (path.size() < nSize) {
        std::copy(path.begin(), path.end(), lpFilename);
        lpFilename[path.size()] = u'\0';
        return static_cast<DWORD>(path.size());
    }
    // Truncated and terminated as the A form, never between the halves of a surrogate pair.
    if (nSize > 0) {
        size_t keep = nSize - 1;
        if (keep > 0 && path[keep - 1] >= 0xD800 && path[keep - 1] <= 0xDBFF) --keep;
        std::copy(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(keep), lpFilename);
        lpFilename[keep] = u'\0';
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}

DWORD GetFileAttributesA(LPCSTR lpFileName) {
    if (!lpFileName) return win32::Fail(INVALID_FILE_ATTRIBUTES, ERROR_INVALID_PARAMETER);
    if (!*lpFileName) return win32::Fail(INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND);
    return FileAttributes(win32::AnsiToNativePath(lpFileName));
}

DWORD GetFileAttributesW(LPCWSTR lpFileName) {
    if (!lpFileName) return win32::Fail(INVALID_FILE_ATTRIBUTES, ERROR_INVALID_PARAMETER);
    if (!*lpFileName) return win32::Fail(INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND);
    return FileAttributes(win32::WideToNativePath(lpFileName));
}
