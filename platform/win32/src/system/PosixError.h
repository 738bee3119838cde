// The Win32 error code a Windows developer would see for a failed POSIX call.
#pragma once

#include <win32/windef.h>

#include <string>

namespace win32 {

DWORD Win32ErrorFromErrno(int error);
// As above, telling a missing file (ERROR_FILE_NOT_FOUND) from a missing directory (ERROR_PATH_NOT_FOUND).
DWORD Win32ErrorForPath(int error, const std::string& nativePath);
// Records the error for GetLastError.
void SetLastErrorFromErrno(int error);

}  // namespace win32
