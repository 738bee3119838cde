// Opening serial devices for CreateFile, and the Get/Set Comm State, Config and Timeouts entry points.
#include "ComPortName.h"
#include "SerialPort.h"
#include "kernel/LastError.h"
#include "user/AnsiConvert.h"

#include <win32/winbase.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <string>

using win32::Fail;
using win32::kernel::InsertHandle;
using win32::kernel::LookupHandleAs;
using win32::serial::SerialPort;

namespace win32::serial {

namespace {

// A communications device is always opened for exclusive access, with OPEN_EXISTING and no template.
bool PortRequestValid(DWORD share, DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile) {
    return share == 0 && disposition == OPEN_EXISTING && templateFile == nullptr &&
           !(flagsAndAttributes & ~DWORD(FILE_ATTRIBUTE_NORMAL));
}

HANDLE Inserted(std::shared_ptr<SerialPort> port) {
    if (!port) return INVALID_HANDLE_VALUE;
    return InsertHandle(std::move(port));
}

}  // namespace

HANDLE CreatePortHandle(int number, DWORD access, DWORD share, DWORD disposition, DWORD flagsAndAttributes,
                        HANDLE templateFile) {
    if (!PortRequestValid(share, disposition, flagsAndAttributes, templateFile))
        return Fail(INVALID_HANDLE_VALUE, ERROR_INVALID_PARAMETER);
    return Inserted(SerialPort::Open(ComPortDevicePath(number), access));
}

bool CreateTerminalHandle(const std::string& nativePath, DWORD access, DWORD share, DWORD disposition,
                          DWORD flagsAndAttributes, HANDLE templateFile, HANDLE& handle) {
    struct stat info {};
    if (stat(nativePath.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) return false;
    // Whether a character device is a terminal shows only once it is open; the port keeps this descriptor, so a
    // device that answers its opening (a modem's DTR, a pseudo-terminal's peer) sees one open, not two.
    int fd = SerialPort::OpenDevice(nativePath);
    if (fd < 0) {
        // Held by another opener (TIOCEXCL): only a terminal answers that way.
        if (errno != EBUSY) return false;
        handle = Fail(INVALID_HANDLE_VALUE, ERROR_ACCESS_DENIED);
        return true;
    }
    if (!isatty(fd)) {
        close(fd);
        return false;
    }
    if (!PortRequestValid(share, disposition, flagsAndAttributes, templateFile)) {
        close(fd);
        handle = Fail(INVALID_HANDLE_VALUE, ERROR_INVALID_PARAMETER);
        return true;
    }
    handle = Inserted(SerialPort::Adopt(fd, nativePath, access));
    return true;
}

}  // namespace win32::serial

namespace {

// Finds the port behind a handle and checks the record the caller passed, then lets call fill or apply it.
template <class Record, class Call>
BOOL OnPort(HANDLE handle, Record* record, Call call) {
    auto port = LookupHandleAs<SerialPort>(handle);
    if (!port) return FALSE;
    if (!record) return Fail(ERROR_INVALID_PARAMETER);
    return call(*port, *record);
}

}  // namespace

BOOL GetCommState(HANDLE hFile, LPDCB lpDCB) {
    return OnPort(hFile, lpDCB, [](SerialPort& port, auto& record) { return port.GetState(record); });
}

BOOL SetCommState(HANDLE hFile, LPDCB lpDCB) {
    return OnPort(hFile, lpDCB, [](SerialPort& port, auto& record) { return port.SetState(record); });
}

BOOL GetCommConfig(HANDLE hCommDev, LPCOMMCONFIG lpCC, LPDWORD lpdwSize) {
    auto port = LookupHandleAs<SerialPort>(hCommDev);
    if (!port) return FALSE;
    if (!lpdwSize) return Fail(ERROR_INVALID_PARAMETER);
    if (!lpCC || *lpdwSize < sizeof(COMMCONFIG)) {
        *lpdwSize = sizeof(COMMCONFIG);
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    COMMCONFIG config{};
    if (!port->GetState(config.dcb)) return FALSE;
    config.dwSize = sizeof(COMMCONFIG);
    config.wVersion = 1;
    config.dwProviderSubType = PST_RS232;
    // No provider-specific data follows the structure.
    config.dwProviderOffset = 0;
    config.dwProviderSize = 0;
    *lpCC = config;
    *lpdwSize = sizeof(COMMCONFIG);
    return TRUE;
}

BOOL SetCommConfig(HANDLE hCommDev, LPCOMMCONFIG lpCC, DWORD dwSize) {
    auto port = LookupHandleAs<SerialPort>(hCommDev);
    if (!port) return FALSE;
    if (!lpCC || dwSize < sizeof(COMMCONFIG) || lpCC->dwProviderSubType != PST_RS232 || lpCC->dwProviderSize != 0)
        return Fail(ERROR_INVALID_PARAMETER);
    return port->SetState(lpCC->dcb);
}

BOOL GetCommTimeouts(HANDLE hFile, LPCOMMTIMEOUTS lpCommTimeouts) {
    return OnPort(hFile, lpCommTimeouts, [](SerialPort& port, auto& record) { return port.GetTimeouts(record); });
}

BOOL SetCommTimeouts(HANDLE hFile, LPCOMMTIMEOUTS lpCommTimeouts) {
    return OnPort(hFile, lpCommTimeouts, [](SerialPort& port, auto& record) { return port.SetTimeouts(record); });
}

BOOL PurgeComm(HANDLE hFile, DWORD dwFlags) {
    auto port = LookupHandleAs<SerialPort>(hFile);
    if (!port) return FALSE;
    if (dwFlags & ~DWORD(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR))
        return Fail(ERROR_INVALID_PARAMETER);
    return port->Purge(dwFlags);
}

namespace {

// The device behind port n when it is there: a link beside the executable (dangling or not, as CreateFileA takes
// it) or a device node.
bool PortDevice(int number, std::string& device) {
    device = win32::serial::ComPortDevicePath(number);
    struct stat info {};
    return lstat(device.c_str(), &info) == 0;
}

}  // namespace

DWORD QueryDosDeviceA(LPCSTR lpDeviceName, LPSTR lpTargetPath, DWORD ucchMax) {
    if (!lpTargetPath) return Fail(DWORD(0), ERROR_INVALID_PARAMETER);
    std::string list;
    if (lpDeviceName) {
        bool outOfRange = false;
        int number = win32::serial::ParseComPortName(lpDeviceName, outOfRange);
        // Only the bare name: "\\.\COM1" is a path, not a DOS device name.
        std::string device;
        if (number == 0 || std::strchr(lpDeviceName, '\\') || !PortDevice(number, device))
            return Fail(DWORD(0), ERROR_FILE_NOT_FOUND);
        list = device + '\0';
    } else {
        std::string device;
        for (int number = 1; number <= 255; ++number)
            if (PortDevice(number, device)) list += "COM" + std::to_string(number) + '\0';
    }
    list += '\0';
    if (list.size() > ucchMax) return Fail(DWORD(0), ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(lpTargetPath, list.data(), list.size());
    return static_cast<DWORD>(list.size());
}

DWORD QueryDosDeviceW(LPCWSTR lpDeviceName, LPWSTR lpTargetPath, DWORD ucchMax) {
    if (!lpTargetPath) return Fail(DWORD(0), ERROR_INVALID_PARAMETER);
    // The A answer (names each ending in a zero, and a zero after the last) converted whole; a code page 936
    // character takes at most two bytes for its one UTF-16 unit.
    std::string list(2 * static_cast<size_t>(ucchMax), '\0');
    DWORD bytes = QueryDosDeviceA(win32::user::AnsiName(lpDeviceName), list.data(), static_cast<DWORD>(list.size()));
    if (!bytes) return 0;
    int count =
        MultiByteToWideChar(CP_ACP, 0, list.data(), static_cast<int>(bytes), lpTargetPath, static_cast<int>(ucchMax));
    return static_cast<DWORD>(count);
}
