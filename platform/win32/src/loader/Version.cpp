// GetVersionExA: the platform presents itself as an NT system of version 5.1, so callers take their NT paths.
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
