// GetVersionExA and GetVersionExW: the platform presents itself as an NT system of version 5.1, so callers take their
// NT paths.
#include <win32/windows.h>

#include <cstring>

BOOL GetVersionExA(LPOSVERSIONINFOA lpVersionInformation) {
    if (!lpVersionInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD size = lpVersionInformation->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFOA) && size != sizeof(OSVERSIONINFOEXA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
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
    if (!lpVersionInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD size = lpVersionInformation->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFOW) && size != sizeof(OSVERSIONINFOEXW)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
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
