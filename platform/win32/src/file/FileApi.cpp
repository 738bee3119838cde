// CreateFileA/W, which hand serial names and terminal devices to the serial port and the rest to disk files, and the
// file pointer, size, end-of-file, flush and type functions.
#include "codepage/AnsiPath.h"
#include "file/DiskFile.h"
#include "kernel/LastError.h"
#include "serial/ComPortName.h"
#include "serial/SerialPort.h"

#include <win32/winbase.h>

#include <climits>
#include <string>

using win32::Fail;
using win32::file::DiskFile;
using win32::kernel::InsertHandle;
using win32::kernel::LookupHandle;
using win32::kernel::LookupHandleAs;

namespace {

constexpr DWORD FileAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL;

// nativePath is UTF-8. Serial names are plain ASCII, so they read the same in code page 936 and in UTF-8; a
// terminal device's path is converted like any other.
HANDLE CreateFileNative(const std::string& nativePath, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                        DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile) {
    if (access & ~(GENERIC_READ | GENERIC_WRITE)) return Fail(INVALID_HANDLE_VALUE, ERROR_INVALID_PARAMETER);
    // Handles are never inherited by child processes here.
    if (security && security->bInheritHandle) return Fail(INVALID_HANDLE_VALUE, ERROR_INVALID_PARAMETER);
    if (flagsAndAttributes & FILE_FLAG_OVERLAPPED) return Fail(INVALID_HANDLE_VALUE, ERROR_NOT_SUPPORTED);

    bool outOfRange = false;
    if (int number = win32::serial::ParseComPortName(nativePath.c_str(), outOfRange))
        return win32::serial::CreatePortHandle(number, access, share, disposition, flagsAndAttributes, templateFile);
    // COM0 or COM256 are serial names with no device behind them, as is any other name in the device space.
    if (outOfRange || nativePath.compare(0, 4, "\\\\.\\") == 0) return Fail(INVALID_HANDLE_VALUE, ERROR_FILE_NOT_FOUND);
    HANDLE port = INVALID_HANDLE_VALUE;
    if (win32::serial::CreateTerminalHandle(nativePath, access, share, disposition, flagsAndAttributes, templateFile,
                                            port))
        return port;

    if (share & ~DWORD(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE) || disposition < CREATE_NEW ||
        disposition > TRUNCATE_EXISTING || (flagsAndAttributes & ~FileAttributes))
        return Fail(INVALID_HANDLE_VALUE, ERROR_INVALID_PARAMETER);
    if (disposition == TRUNCATE_EXISTING && !(access & GENERIC_WRITE))
        return Fail(INVALID_HANDLE_VALUE, ERROR_INVALID_PARAMETER);
    // A handle without read or write access (for the file's attributes alone) and templates are not supported.
    if (access == 0 || templateFile) return Fail(INVALID_HANDLE_VALUE, ERROR_NOT_SUPPORTED);

    // A file made read-only can still be written through the handle that made it, on Linux as on Windows.
    unsigned mode = (flagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    auto file = DiskFile::Open(nativePath, access, share, disposition, mode);
    if (!file) return INVALID_HANDLE_VALUE;
    DWORD answer = GetLastError();
    HANDLE handle = InsertHandle(std::move(file));
    SetLastError(answer);
    return handle;
}

}  // namespace

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                   HANDLE hTemplateFile) {
    if (!lpFileName) return Fail(INVALID_HANDLE_VALUE, ERROR_PATH_NOT_FOUND);
    return CreateFileNative(win32::AnsiToNativePath(lpFileName), dwDesiredAccess, dwShareMode, lpSecurityAttributes,
                            dwCreationDisposition, dwFlagsAndAttributes, hTemplateFile);
}

HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                   HANDLE hTemplateFile) {
    if (!lpFileName) return Fail(INVALID_HANDLE_VALUE, ERROR_PATH_NOT_FOUND);
    return CreateFileNative(win32::WideToNativePath(lpFileName), dwDesiredAccess, dwShareMode, lpSecurityAttributes,
                            dwCreationDisposition, dwFlagsAndAttributes, hTemplateFile);
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh, DWORD dwMoveMethod) {
    auto file = LookupHandleAs<DiskFile>(hFile);
    if (!file) return INVALID_SET_FILE_POINTER;
    // Without the high part the distance is a signed 32-bit value and the new position must fit in 32 bits.
    LONGLONG distance = lDistanceToMove;
    LONGLONG limit = 0xFFFFFFFFLL;
    if (lpDistanceToMoveHigh) {
        distance = static_cast<LONGLONG>((static_cast<ULONGLONG>(static_cast<DWORD>(*lpDistanceToMoveHigh)) << 32) |
                                         static_cast<DWORD>(lDistanceToMove));
        limit = LLONG_MAX;
    }
    LONGLONG position = 0;
    if (!file->SetPointer(distance, dwMoveMethod, limit, position)) return INVALID_SET_FILE_POINTER;
    if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = static_cast<LONG>(position >> 32);
    // A low part of 0xFFFFFFFF is told from a failure by the last error.
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(position);
}

BOOL SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove, PLARGE_INTEGER lpNewFilePointer,
                      DWORD dwMoveMethod) {
    auto file = LookupHandleAs<DiskFile>(hFile);
    if (!file) return FALSE;
    LONGLONG position = 0;
    if (!file->SetPointer(liDistanceToMove.QuadPart, dwMoveMethod, LLONG_MAX, position)) return FALSE;
    if (lpNewFilePointer) lpNewFilePointer->QuadPart = position;
    return TRUE;
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    auto file = LookupHandleAs<DiskFile>(hFile);
    LONGLONG size = 0;
    if (!file || !file->Size(size)) return INVALID_FILE_SIZE;
    if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(static_cast<ULONGLONG>(size) >> 32);
    // A low part of 0xFFFFFFFF is told from a failure by the last error.
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

BOOL GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize) {
    auto file = LookupHandleAs<DiskFile>(hFile);
    if (!file) return FALSE;
    if (!lpFileSize) return Fail(ERROR_INVALID_PARAMETER);
    LONGLONG size = 0;
    if (!file->Size(size)) return FALSE;
    lpFileSize->QuadPart = size;
    return TRUE;
}

BOOL SetEndOfFile(HANDLE hFile) {
    auto file = LookupHandleAs<DiskFile>(hFile);
    return file && file->SetEnd();
}

BOOL FlushFileBuffers(HANDLE hFile) {
    auto file = LookupHandleAs<DiskFile>(hFile);
    return file && file->Flush();
}

DWORD GetFileType(HANDLE hFile) {
    auto object = LookupHandle(hFile);
    if (!object) return FILE_TYPE_UNKNOWN;
    // FILE_TYPE_UNKNOWN is also an answer for a valid handle; the last error tells which.
    SetLastError(ERROR_SUCCESS);
    return object->FileType();
}
