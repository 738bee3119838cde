// The serial link: open with fixed time-outs, synchronous reads and writes, close with a settling pause.
#include "Com.h"

HANDLE PortHandle = 0;
std::string PortName;

namespace {

bool PortOpen() { return reinterpret_cast<LONG_PTR>(PortHandle) > 0; }

// Reads wait at most 100 ms between bytes and 10 ms per byte plus 500 ms in all; writes 10 ms per byte plus 10 ms.
constexpr COMMTIMEOUTS PortTimeouts = {100, 10, 500, 10, 10};

}  // namespace

bool IsDevicePath(const std::string& portName) { return !portName.empty() && portName[0] == '/'; }

bool OpenPort(const std::string& portName, DWORD baudRate, BYTE byteSize, BYTE stopBits, BYTE parity) {
    ClosePort();
    PortName = portName;
    // The "\\.\" form also reaches ports numbered 10 and above; a device path is opened as it is.
    std::string path = IsDevicePath(portName) ? portName : "\\\\.\\" + portName;
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) {
        GetLastError();
        return false;
    }
    PortHandle = handle;

    COMMCONFIG config{};
    DWORD size = sizeof(config);
    bool configured = GetCommConfig(PortHandle, &config, &size) != FALSE;
    if (configured) {
        // Only the four line settings change; flow control and the special characters stay as the driver has them.
        config.dcb.BaudRate = baudRate;
        config.dcb.ByteSize = byteSize;
        config.dcb.StopBits = stopBits;
        config.dcb.Parity = parity;
        configured = SetCommConfig(PortHandle, &config, size) != FALSE;
    }
    // A port left on settings other than the chosen ones would garble every frame without a word: it is not
    // kept open. A path to anything but a terminal (a disk file) opens as no port and has no settings either.
    if (!configured) {
        CloseHandle(PortHandle);
        PortHandle = 0;
        return false;
    }

    COMMTIMEOUTS timeouts{};
    GetCommTimeouts(PortHandle, &timeouts);
    timeouts = PortTimeouts;
    SetCommTimeouts(PortHandle, &timeouts);
    return true;
}

bool ClosePort() {
    if (!PortOpen()) return false;
    BOOL closed = CloseHandle(PortHandle);
    PortHandle = 0;
    Sleep(ClosePause);
    return closed != FALSE;
}

bool WriteBytes(const void* buffer, BYTE count) {
    DWORD written = 0;
    return WriteFile(PortHandle, buffer, count, &written, nullptr) && written == count;
}

bool ReadBytes(void* buffer, int32_t count) {
    if (!PortOpen() || count < 0) return false;
    DWORD got = 0;
    if (!ReadFile(PortHandle, buffer, static_cast<DWORD>(count), &got, nullptr)) return false;
    return got == static_cast<DWORD>(count);
}
