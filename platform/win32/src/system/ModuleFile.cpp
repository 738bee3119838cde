// GetModuleFileNameA and GetFileAttributesA over /proc/self/exe and stat, with ANSI (code page 936) paths.
#include "codepage/AnsiPath.h"
#include "codepage/Gbk.h"
#include "system/PosixError.h"

#include <win32/winbase.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstring>

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    // The executable is the only module with a file of its own: NULL or its handle name it.
    if (hModule && hModule != GetModuleHandleA(nullptr)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    char native[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", native, sizeof native - 1);
    if (length < 0) {
        win32::SetLastErrorFromErrno(errno);
        return 0;
    }
    std::string path = win32::NativeToAnsiPath(std::string(native, static_cast<size_t>(length)));
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

DWORD GetFileAttributesA(LPCSTR lpFileName) {
    if (!lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    if (!*lpFileName) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    std::string path = win32::AnsiToNativePath(lpFileName);
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
