// The serial port kernel object over a Linux terminal device, with Windows' time-out and failure behaviour.
#include "SerialPort.h"

#include "CommTimer.h"
#include "DcbTermios.h"
#include "DeviceSettingsStore.h"
#include "LineSpeed.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <thread>

namespace win32::serial {
namespace {

using Clock = CommTimer::Clock;

DWORD OpenError(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
    case ENXIO:
    case ENODEV:
    case EIO:  // a device node with no port behind it
        return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EBUSY:  // TIOCEXCL held by another opener
        return ERROR_ACCESS_DENIED;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_OPEN_FAILED;
    }
}

bool MeansDeviceGone(int error) { return error == EIO || error == ENXIO || error == ENODEV || error == EPIPE; }

// What a port reads as when it has never been configured in this process: the device's own speed and stop bits,
// 8 data bits, no parity, DTR and RTS raised, the usual XON/XOFF characters and limits.
DCB DefaultDcb(uint32_t speed, const termios& current) {
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = speed != 0 ? speed : CBR_9600;
    dcb.fBinary = 1;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fTXContinueOnXoff = 1;
    dcb.XonLim = 2048;
    dcb.XoffLim = 512;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = (current.c_cflag & CSTOPB) ? TWOSTOPBITS : ONESTOPBIT;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    return dcb;
}

}  // namespace

std::shared_ptr<SerialPort> SerialPort::Open(const std::string& devicePath, DWORD access) {
    int fd = OpenDevice(devicePath);
    if (fd < 0) {
        SetLastError(OpenError(errno));
        return nullptr;
    }
    return Adopt(fd, devicePath, access);
}

int SerialPort::OpenDevice(const std::string& devicePath) {
    return open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

std::shared_ptr<SerialPort> SerialPort::Adopt(int fd, const std::string& devicePath, DWORD access) {
    struct stat info {};
    // Only terminals: besides having no line to set, a pipe or socket could raise SIGPIPE on write.
    if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode) || !isatty(fd)) {
        close(fd);
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    // The lock makes the open exclusive for every opener, root included (root is exempt from TIOCEXCL), and
    // within this process too, since each open has its own lock.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int error = errno;
        close(fd);
        SetLastError(error == EWOULDBLOCK ? ERROR_ACCESS_DENIED : ERROR_OPEN_FAILED);
        return nullptr;
    }
    ioctl(fd, TIOCEXCL);
    int wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        ioctl(fd, TIOCNXCL);
        close(fd);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::string device = devicePath;
    if (char* resolved = realpath(devicePath.c_str(), nullptr)) {
        device = resolved;
        std::free(resolved);
    }
    auto port = std::make_shared<SerialPort>(OpenKey{}, fd, wakeFd, device, access);

    // The device keeps the DCB it was last given in this process; otherwise it starts from the defaults. Pending
    // input is left alone either way.
    DCB dcb{};
    bool ready = DeviceSettingsStore::Instance().Find(port->FDevice, dcb) && port->ApplyDcb(dcb);
    if (!ready) {
        termios current{};
        uint32_t speed = 0;
        if (tcgetattr(fd, &current) == 0 && ReadLineSpeed(fd, speed)) {
            dcb = DefaultDcb(speed, current);
            ready = port->ApplyDcb(dcb);
            if (ready) DeviceSettingsStore::Instance().Remember(port->FDevice, dcb);
        }
    }
    if (!ready) {
        port->Release();
        SetLastError(ERROR_OPEN_FAILED);
        return nullptr;
    }
    port->FDcb = dcb;
    return port;
}

SerialPort::SerialPort(OpenKey, int fd, int wakeFd, std::string device, DWORD access)
    : FFd(fd), FWakeFd(wakeFd), FDevice(std::move(device)), FAccess(access) {}

SerialPort::~SerialPort() { Release(); }

bool SerialPort::ApplyDcb(const DCB& dcb) {
    termios old{};
    uint32_t oldSpeed = 0;
    if (tcgetattr(FFd, &old) != 0 || !ReadLineSpeed(FFd, oldSpeed)) {
        if (MeansDeviceGone(errno))
            MarkVanished();
        else
            SetLastError(ERROR_GEN_FAILURE);
        return false;
    }
    termios wanted = old;
    DcbToTermios(dcb, wanted);
    // tcsetattr succeeds when any part of the request took, so the driver's real answer is what reads back.
    bool applied = tcsetattr(FFd, TCSANOW, &wanted) == 0 && WriteLineSpeed(FFd, dcb.BaudRate);
    termios actual{};
    uint32_t actualSpeed = 0;
    applied = applied && tcgetattr(FFd, &actual) == 0 && ReadLineSpeed(FFd, actualSpeed) &&
              SameLineSettings(wanted, actual) && actualSpeed == dcb.BaudRate && SetModemLines(dcb);
    if (!applied) {
        tcsetattr(FFd, TCSANOW, &old);
        WriteLineSpeed(FFd, oldSpeed);
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

bool SerialPort::SetModemLines(const DCB& dcb) {
    int raise = 0;
    int lower = 0;
    if (dcb.fDtrControl == DTR_CONTROL_ENABLE) raise |= TIOCM_DTR;
    if (dcb.fDtrControl == DTR_CONTROL_DISABLE) lower |= TIOCM_DTR;
    // Under RTS handshaking the kernel drives RTS itself.
    if (dcb.fRtsControl == RTS_CONTROL_ENABLE) raise |= TIOCM_RTS;
    if (dcb.fRtsControl == RTS_CONTROL_DISABLE) lower |= TIOCM_RTS;
    // A pseudo-terminal, and some USB adapters, have no modem lines to set.
    auto ok = [this](unsigned long request, int bits) {
        return bits == 0 || ioctl(FFd, request, &bits) == 0 || errno == ENOTTY || errno == EINVAL;
    };
    return ok(TIOCMBIS, raise) && ok(TIOCMBIC, lower);
}

bool SerialPort::Usable() {
    if (FClosing) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    if (FVanished) {
        MarkVanished();
        return false;
    }
    return true;
}

// A port whose device has gone (a USB adapter pulled, the far side of a pseudo-terminal closed) fails every call
// with ERROR_BAD_COMMAND, "the device does not recognize the command": what Windows' USB serial drivers answer
// once their device is removed. ERROR_ACCESS_DENIED, which other drivers use, would read here like a port held by
// another program.
void SerialPort::MarkVanished() {
    FVanished = true;
    SetLastError(ERROR_BAD_COMMAND);
}

bool SerialPort::WaitFor(short events, int timeoutMs, bool& timedOut) {
    timedOut = false;
    pollfd fds[2] = {{FFd, events, 0}, {FWakeFd, POLLIN, 0}};
    int ready = poll(fds, 2, timeoutMs);
    if (ready < 0) {
        if (errno == EINTR) return true;  // the caller works out the time left and waits again
        SetLastError(ERROR_GEN_FAILURE);
        return false;
    }
    if (ready == 0) {
        timedOut = true;
        return true;
    }
    if (fds[1].revents) {
        SetLastError(ERROR_OPERATION_ABORTED);
        return false;
    }
    // A terminal reports hang-up or error only when its device is gone for good.
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
        MarkVanished();
        return false;
    }
    return true;
}

BOOL SerialPort::Read(LPVOID buffer, DWORD count, LPDWORD done) {
    *done = 0;
    std::shared_lock<std::shared_mutex> inUse(FLifetime);
    if (!Usable()) return FALSE;
    if (!(FAccess & GENERIC_READ)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (count == 0) return TRUE;
    COMMTIMEOUTS timeouts{};
    bool dropNulls = false;
    {
        std::lock_guard<std::mutex> guard(FSettingsLock);
        timeouts = FTimeouts;
        dropNulls = FDcb.fNull;
    }
    CommTimer timer = CommTimer::ForRead(timeouts, count, Clock::now());
    auto* bytes = static_cast<BYTE*>(buffer);
    DWORD got = 0;
    Clock::time_point lastArrival;
    bool arrived = false;
    while (got < count) {
        ssize_t n = read(FFd, bytes + got, count - got);
        if (n > 0) {
            BYTE* fresh = bytes + got;
            BYTE* end = dropNulls ? std::remove(fresh, fresh + n, BYTE(0)) : fresh + n;
            if (end != fresh) {
                got += static_cast<DWORD>(end - fresh);
                lastArrival = Clock::now();
                arrived = true;
            }
            continue;  // take whatever else is already there before deciding to wait
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) {
            if (MeansDeviceGone(errno))
                MarkVanished();
            else
                SetLastError(ERROR_READ_FAULT);
            *done = got;
            return FALSE;
        }
        if (n == 0) {
            // End of file on a terminal means it was hung up.
            MarkVanished();
            *done = got;
            return FALSE;
        }
        if (timer.NoWait() || (arrived && timer.EndsOnFirstByte())) break;
        bool timedOut = false;
        if (!WaitFor(POLLIN, timer.WaitMs(Clock::now(), arrived ? &lastArrival : nullptr), timedOut)) {
            *done = got;
            return FALSE;
        }
        if (timedOut) break;
    }
    *done = got;
    return TRUE;  // a time-out is not an error: the count tells the caller
}

BOOL SerialPort::Write(LPCVOID buffer, DWORD count, LPDWORD done) {
    *done = 0;
    std::shared_lock<std::shared_mutex> inUse(FLifetime);
    if (!Usable()) return FALSE;
    if (!(FAccess & GENERIC_WRITE)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (count == 0) return TRUE;
    COMMTIMEOUTS timeouts{};
    {
        std::lock_guard<std::mutex> guard(FSettingsLock);
        timeouts = FTimeouts;
    }
    CommTimer timer = CommTimer::ForWrite(timeouts, count, Clock::now());
    const auto* bytes = static_cast<const BYTE*>(buffer);
    DWORD put = 0;
    // A terminal never raises SIGPIPE; a device that has gone answers EIO instead.
    while (put < count) {
        ssize_t n = write(FFd, bytes + put, count - put);
        if (n > 0) {
            put += static_cast<DWORD>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) {
            if (MeansDeviceGone(errno))
                MarkVanished();
            else
                SetLastError(ERROR_WRITE_FAULT);
            *done = put;
            return FALSE;
        }
        int waitMs = timer.WaitMs(Clock::now(), nullptr);
        if (waitMs == 0) break;
        bool timedOut = false;
        if (!WaitFor(POLLOUT, waitMs, timedOut)) {
            *done = put;
            return FALSE;
        }
        if (timedOut) break;
    }
    *done = put;
    return TRUE;
}

BOOL SerialPort::Close() {
    FClosing = true;
    // Wake any call still waiting in poll() on another thread, then wait for it to leave the descriptor.
    uint64_t one = 1;
    ssize_t ignored = write(FWakeFd, &one, sizeof(one));
    (void)ignored;
    std::unique_lock<std::shared_mutex> exclusive(FLifetime);
    Release();
    return TRUE;
}

// Gives queued output the time its length needs at the line's speed (bounded), so that close() itself, which
// would wait up to the driver's closing_wait for a line held by flow control, finds nothing left to send.
bool SerialPort::WaitOutputDrained() {
    int queued = 0;
    if (ioctl(FFd, TIOCOUTQ, &queued) != 0 || queued <= 0) return true;
    uint64_t speed = std::max<uint64_t>(FDcb.BaudRate, 50);
    auto budget =
        std::chrono::milliseconds(std::min<uint64_t>(static_cast<uint64_t>(queued) * 12000 / speed + 100, 2000));
    auto deadline = Clock::now() + budget;
    while (Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (ioctl(FFd, TIOCOUTQ, &queued) != 0 || queued <= 0) return true;
    }
    return false;
}

void SerialPort::Release() {
    if (FReleased) return;
    FReleased = true;
    // Only output that could not drain is discarded: on a pseudo-terminal the flush would also drop what the far
    // side has not read yet, bytes that Windows counts as sent once WriteFile returned.
    if (FVanished || !WaitOutputDrained()) tcflush(FFd, TCOFLUSH);
    ioctl(FFd, TIOCNXCL);
    flock(FFd, LOCK_UN);
    close(FFd);
    close(FWakeFd);
}

BOOL SerialPort::GetState(DCB& dcb) {
    std::shared_lock<std::shared_mutex> inUse(FLifetime);
    if (!Usable()) return FALSE;
    std::lock_guard<std::mutex> guard(FSettingsLock);
    termios current{};
    uint32_t speed = 0;
    if (tcgetattr(FFd, &current) != 0 || !ReadLineSpeed(FFd, speed)) {
        if (MeansDeviceGone(errno))
            MarkVanished();
        else
            SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    dcb = FDcb;
    TermiosToDcb(current, dcb);
    dcb.BaudRate = speed;
    return TRUE;
}

BOOL SerialPort::SetState(const DCB& dcb) {
    std::shared_lock<std::shared_mutex> inUse(FLifetime);
    if (!Usable()) return FALSE;
    if (!DcbIsSupported(dcb)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // The line is always binary, as on Windows; fBinary is kept as given only so that it reads back unchanged.
    DCB accepted = dcb;
    accepted.DCBlength = sizeof(DCB);
    accepted.fDummy2 = 0;
    accepted.wReserved = 0;
    accepted.wReserved1 = 0;
    std::lock_guard<std::mutex> guard(FSettingsLock);
    if (!ApplyDcb(accepted)) return FALSE;
    FDcb = accepted;
    DeviceSettingsStore::Instance().Remember(FDevice, accepted);
    return TRUE;
}

BOOL SerialPort::GetTimeouts(COMMTIMEOUTS& timeouts) {
    std::shared_lock<std::shared_mutex> inUse(FLifetime);
    if (!Usable()) return FALSE;
    std::lock_guard<std::mutex> guard(FSettingsLock);
    timeouts = FTimeouts;
    return TRUE;
}

BOOL SerialPort::SetTimeouts(const COMMTIMEOUTS& timeouts) {
    std::shared_lock<std::shared_mutex> inUse(FLifetime);
    if (!Usable()) return FALSE;
    // The one combination Windows' serial driver refuses: it would mean both "return at once" and "wait".
    if (timeouts.ReadIntervalTimeout == MAXDWORD && timeouts.ReadTotalTimeoutMultiplier == MAXDWORD &&
        timeouts.ReadTotalTimeoutConstant == MAXDWORD) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::mutex> guard(FSettingsLock);
    FTimeouts = timeouts;
    return TRUE;
}

BOOL SerialPort::Purge(DWORD flags) {
    std::unique_lock<std::shared_mutex> alone(FLifetime);
    if (!Usable()) return FALSE;
    bool input = flags & PURGE_RXCLEAR;
    bool output = flags & PURGE_TXCLEAR;
    if (!input && !output) return TRUE;
    if (tcflush(FFd, input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH) != 0) {
        if (MeansDeviceGone(errno))
            MarkVanished();
        else
            SetLastError(ERROR_GEN_FAILURE);
        return FALSE;
    }
    return TRUE;
}

}  // namespace win32::serial
