// GetVersionExA and GetVersionExW: the platform presents itself as an NT system of version 5.1, so callers take their
// NT paths.
#include <win32/windows.h>

#include <cstring>

namespace {

// Both functions take a record of one of the two sizes of their character set.
template <class Info, class InfoEx>
bool ValidRecord(const Info* info) {
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (info->dwOSVersionInfoSize != sizeof(Info) && info->dwOSVersionInfoSize != sizeof(InfoEx)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return false;
    }
    return true;
}

}  // namespace

BOOL GetVersionExA(LPOSVERSIONINFOA lpVersionInformation) {
    if (!ValidRecord<OSVERSIONINFOA, OSVERSIONINFOEXA>(lpVersionInformation)) return FALSE;
    DWORD size = lpVersionInformation->dwOSVersionInfoSize;
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = size;
    info.dwMajorVersion = 5;
    info.dwMinorVersion = 1;
    info.dwBuildNumber = 2600;
    info.dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::strcpy(info.szCSDVersion, "Service Pack 3");
    info.wServicePackMajor = 3;
    info.wProductType = VER_NT_WORKSTATION;
    std::memcpy(lpVersionInformation, &info, size);
    return TRUE;
}

BOOL GetVersionExW(LPOSVERSIONINFOW lpVersionInformation) {
    if (!ValidRecord<OSVERSIONINFOW, OSVERSIONINFOEXW>(lpVersionInformation)) return FALSE;
    DWORD size = lpVersionInformation->dwOSVersionInfoSize;
    OSVERSIONINFOEXA narrow{};
    narrow.dwOSVersionInfoSize = sizeof narrow;
    GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(&narrow));
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = size;
    info.dwMajorVersion = narrow.dwMajorVersion;
    info.dwMinorVersion = narrow.dwMinorVersion;
    info.dwBuildNumber = narrow.dwBuildNumber;
    info.dwPlatformId = narrow.dwPlatformId;
    MultiByteToWideChar(CP_ACP, 0, narrow.szCSDVersion, -1, info.szCSDVersion, 128);
    info.wServicePackMajor = narrow.wServicePackMajor;
    info.wServicePackMinor = narrow.wServicePackMinor;
    info.wSuiteMask = narrow.wSuiteMask;
    info.wProductType = narrow.wProductType;
    std::memcpy(lpVersionInformation, &info, size);
    return TRUE;
}
