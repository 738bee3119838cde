// An open serial device behind a HANDLE: line settings, time-outs, synchronous reads and writes, closing.
#pragma once

#include "kernel/KernelObject.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>

namespace win32::serial {

class SerialPort : public kernel::KernelObject {
    struct OpenKey {
        explicit OpenKey() = default;
    };

public:
    // Opens the terminal device exclusively and makes its line raw; null with the last error set on failure.
    static std::shared_ptr<SerialPort> Open(const std::string& devicePath, DWORD access);
    // The descriptor Open uses: read and write, non-blocking, not the controlling terminal; -1 with errno set.
    static int OpenDevice(const std::string& devicePath);
    // Open's work on a descriptor from OpenDevice, which the port then owns (closed on failure too).
    static std::shared_ptr<SerialPort> Adopt(int fd, const std::string& devicePath, DWORD access);
    SerialPort(OpenKey, int fd, int wakeFd, std::string device, DWORD access);
    ~SerialPort() override;

    BOOL Read(LPVOID buffer, DWORD count, LPDWORD done) override;
    BOOL Write(LPCVOID buffer, DWORD count, LPDWORD done) override;
    BOOL Close() override;
    DWORD FileType() const override { return FILE_TYPE_CHAR; }

    BOOL GetState(DCB& dcb);
    BOOL SetState(const DCB& dcb);
    BOOL GetTimeouts(COMMTIMEOUTS& timeouts);
    BOOL SetTimeouts(const COMMTIMEOUTS& timeouts);
    // Discards what the driver holds: PURGE_RXCLEAR the input not yet read, PURGE_TXCLEAR the output not yet
    // sent. The handle is synchronous, so there is never an outstanding overlapped operation for the ABORT flags
    // to end; like Windows' I/O manager on such a handle, the purge waits for a read or write running on another
    // thread to finish first.
    BOOL Purge(DWORD flags);

private:
    // Applies the DCB all or nothing: the driver's answer is read back and the old settings return on any
    // difference.
    bool ApplyDcb(const DCB& dcb);
    bool SetModemLines(const DCB& dcb);
    // False with the last error set when the handle can no longer carry I/O.
    bool Usable();
    // Records that the device went away; every later call fails the same way.
    void MarkVanished();
    // Waits for the descriptor (or the close signal); false with the last error set when the wait must end the
    // call.
    bool WaitFor(short events, int timeoutMs, bool& timedOut);
    // False when output is still queued after the time its length needs.
    bool WaitOutputDrained();
    void Release();

    int FFd;
    int FWakeFd;
    std::string FDevice;
    DWORD FAccess;
    // Reads and writes hold it shared while they use FFd; Close takes it exclusively before closing FFd.
    std::shared_mutex FLifetime;
    std::mutex FSettingsLock;
    DCB FDcb{};
    COMMTIMEOUTS FTimeouts{};
    std::atomic<bool> FClosing{false};
    std::atomic<bool> FVanished{false};
    bool FReleased = false;
};

// CreateFile for "\\.\COMn": checks what a communications device allows and opens port n exclusively.
HANDLE CreatePortHandle(int number, DWORD access, DWORD share, DWORD disposition, DWORD flagsAndAttributes,
                        HANDLE templateFile);

// CreateFile for a native path that may name a terminal device (/dev/ttyUSB0, a pseudo-terminal, a link to
// either): such a device is a communications device as "\\.\COMn" is, with the same rules and exclusivity, and
// handle receives the answer. False, handle untouched, when the path names anything else (nothing, a file, a
// device that is no terminal): the disk-file code answers for it.
bool CreateTerminalHandle(const std::string& nativePath, DWORD access, DWORD share, DWORD disposition,
                          DWORD flagsAndAttributes, HANDLE templateFile, HANDLE& handle);

}  // namespace win32::serial
