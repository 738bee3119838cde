// GetCurrentDirectoryA/W and SetCurrentDirectoryA/W over the process's working directory.
#include "codepage/AnsiPath.h"
#include "kernel/LastError.h"
#include "system/PosixError.h"

#include <win32/winbase.h>

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

using win32::Fail;

namespace {

bool NativeCurrentDirectory(std::string& path) {
    std::vector<char> buffer(4096);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) return Fail(false, win32::Win32ErrorFromErrno(errno));
        buffer.resize(buffer.size() * 2);
    }
    path = buffer.data();
    return true;
}

// Windows' answer: the length without the terminator when the name fits, else the size a buffer needs, terminator
// included, with the buffer left alone.
template <class Char>
DWORD CopyDirectory(const std::basic_string<Char>& path, DWORD size, Char* buffer) {
    if (!buffer || path.size() >= size) return static_cast<DWORD>(path.size() + 1);
    std::copy(path.begin(), path.end(), buffer);
    buffer[path.size()] = Char();
    return static_cast<DWORD>(path.size());
}

BOOL ChangeDirectory(const std::string& nativePath) {
    if (nativePath.empty()) return Fail(ERROR_PATH_NOT_FOUND);
    if (chdir(nativePath.c_str()) == 0) return TRUE;
    int error = errno;
    if (error == ENOTDIR) {
        // A file where the directory should be is "the directory name is invalid"; a file on the way to it is not.
        struct stat info {};
        bool fileAtEnd = stat(nativePath.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
        return Fail(fileAtEnd ? ERROR_DIRECTORY : ERROR_PATH_NOT_FOUND);
    }
    return Fail(win32::Win32ErrorForPath(error, nativePath));
}

}  // namespace

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
    std::string nativePath;
    if (!NativeCurrentDirectory(nativePath)) return 0;
    return CopyDirectory(win32::NativeToAnsiPath(nativePath), nBufferLength, lpBuffer);
}

DWORD GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer) {
    std::string nativePath;
    if (!NativeCurrentDirectory(nativePath)) return 0;
    return CopyDirectory(win32::NativeToWidePath(nativePath), nBufferLength, lpBuffer);
}

BOOL SetCurrentDirectoryA(LPCSTR lpPathName) {
    if (!lpPathName) return Fail(ERROR_INVALID_PARAMETER);
    return ChangeDirectory(win32::AnsiToNativePath(lpPathName));
}

BOOL SetCurrentDirectoryW(LPCWSTR lpPathName) {
    if (!lpPathName) return Fail(ERROR_INVALID_PARAMETER);
    return ChangeDirectory(win32::WideToNativePath(lpPathName));
}
