// errno to Win32 error codes, for the file-system calls behind the A-functions.
#include "system/PosixError.h"

#include <win32/winbase.h>

#include <sys/stat.h>
#include <cerrno>

namespace win32 {

DWORD Win32ErrorFromErrno(int error) {
    switch (error) {
    case 0: return ERROR_SUCCESS;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:  // Windows refuses to open a directory as a file with "access denied"
        return ERROR_ACCESS_DENIED;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ELOOP: return ERROR_PATH_NOT_FOUND;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EFBIG: return ERROR_FILE_TOO_LARGE;
    case EBUSY:
    case ETXTBSY: return ERROR_SHARING_VIOLATION;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case EIO: return ERROR_GEN_FAILURE;
    default: return ERROR_GEN_FAILURE;
    }
}

DWORD Win32ErrorForPath(int error, const std::string& nativePath) {
    if (error != ENOENT) return Win32ErrorFromErrno(error);
    std::string::size_type slash = nativePath.find_last_of('/');
    if (slash == std::string::npos) return ERROR_FILE_NOT_FOUND;
    std::string parent = slash == 0 ? "/" : nativePath.substr(0, slash);
    struct stat st;
    return stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

void SetLastErrorFromErrno(int error) { SetLastError(Win32ErrorFromErrno(error)); }

}  // namespace win32
