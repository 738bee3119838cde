// The disk file kernel object: opening by disposition, sharing through byte-range locks, reads, writes, the pointer.
#include "file/DiskFile.h"

#include "kernel/LastError.h"
#include "system/PosixError.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <thread>

namespace win32::file {
namespace {

// Sharing is kept with open-file-description locks far beyond any data. Each handle of a regular file holds a lock
// in the range of every fact a later open must respect: that it reads, that it writes, that it refuses readers,
// that it refuses writers. These locks belong to the descriptor, not the process, so two handles of this process
// count as two holders just as handles of two processes do. A new open looks for holders in the ranges its access
// and share mode conflict with, then takes its own; a whole-file flock held meanwhile keeps two opens from
// passing each other's check.
enum Mark { HoldsRead, HoldsWrite, DeniesRead, DeniesWrite };

constexpr off_t MarkBase = off_t(1) << 62;
constexpr off_t MarkSpan = 1 << 16;

off_t MarkStart(Mark mark) { return MarkBase + mark * MarkSpan; }

bool MarkHeld(int fd, Mark mark) {
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = MarkStart(mark);
    probe.l_len = MarkSpan;
    // A file system without these locks enforces nothing across descriptors.
    return fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

// A readable descriptor holds a shared lock on the range's first byte. A write-only one may only take write locks,
// which exclude each other, so it takes a byte of the range no other holder has.
bool TakeMark(int fd, bool readable, Mark mark) {
    struct flock lock {};
    lock.l_whence = SEEK_SET;
    lock.l_len = 1;
    if (readable) {
        lock.l_type = F_RDLCK;
        lock.l_start = MarkStart(mark);
        return fcntl(fd, F_OFD_SETLK, &lock) == 0;
    }
    lock.l_type = F_WRLCK;
    for (off_t offset = 1; offset < MarkSpan; ++offset) {
        lock.l_start = MarkStart(mark) + offset;
        if (fcntl(fd, F_OFD_SETLK, &lock) == 0) return true;
        if (errno != EAGAIN && errno != EACCES) return false;
    }
    return false;
}

bool TakeGate(int fd) {
    using namespace std::chrono;
    // Another open holds it only for a few calls; a holder that keeps it (a foreign program's flock) is met with a
    // sharing violation rather than a hang.
    auto deadline = steady_clock::now() + seconds(2);
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(milliseconds(1));
    }
    return true;
}

// Windows' rule: the new access must be allowed by every open handle's share mode, and every open handle's access by
// the new share mode.
bool Share(int fd, DWORD access, DWORD share) {
    bool reads = access & GENERIC_READ;
    bool writes = access & GENERIC_WRITE;
    bool deniesRead = !(share & FILE_SHARE_READ);
    bool deniesWrite = !(share & FILE_SHARE_WRITE);
    if (!TakeGate(fd)) return false;
    bool ok = !(reads && MarkHeld(fd, DeniesRead)) && !(writes && MarkHeld(fd, DeniesWrite)) &&
              !(deniesRead && MarkHeld(fd, HoldsRead)) && !(deniesWrite && MarkHeld(fd, HoldsWrite));
    ok = ok && (!reads || TakeMark(fd, reads, HoldsRead)) && (!writes || TakeMark(fd, reads, HoldsWrite)) &&
         (!deniesRead || TakeMark(fd, reads, DeniesRead)) && (!deniesWrite || TakeMark(fd, reads, DeniesWrite));
    flock(fd, LOCK_UN);
    return ok;
}

// Emptying needs a writable descriptor, which a handle opened for reading alone (CREATE_ALWAYS allows it) lacks:
// the same file is opened again for writing through the descriptor.
bool Empty(int fd, DWORD access) {
    if (access & GENERIC_WRITE) return ftruncate(fd, 0) == 0;
    int writer = open(("/proc/self/fd/" + std::to_string(fd)).c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (writer < 0) return false;
    bool ok = ftruncate(writer, 0) == 0;
    int error = errno;
    close(writer);
    errno = error;
    return ok;
}

std::shared_ptr<DiskFile> Refuse(int fd, DWORD error) {
    if (fd >= 0) close(fd);
    return Fail(std::shared_ptr<DiskFile>(), error);
}

}  // namespace

std::shared_ptr<DiskFile> DiskFile::Open(const std::string& nativePath, DWORD access, DWORD share, DWORD disposition,
                                         unsigned mode) {
    if (nativePath.empty()) return Refuse(-1, ERROR_PATH_NOT_FOUND);
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;  // non-blocking only while opening: a FIFO would wait for a peer
    flags |= (access & GENERIC_READ) ? ((access & GENERIC_WRITE) ? O_RDWR : O_RDONLY) : O_WRONLY;
    const bool mayCreate = disposition == CREATE_NEW || disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
    bool existed = disposition != CREATE_NEW;
    int fd = -1;
    if (disposition == CREATE_NEW) {
        fd = open(nativePath.c_str(), flags | O_CREAT | O_EXCL, mode);
    } else {
        // Told apart so that the answer can say whether the file was there; a file made or removed meanwhile by
        // another process sends the loop round again.
        for (int attempt = 0; attempt < 8; ++attempt) {
            fd = open(nativePath.c_str(), flags);
            if (fd >= 0 || errno != ENOENT || !mayCreate) break;
            fd = open(nativePath.c_str(), flags | O_CREAT | O_EXCL, mode);
            if (fd >= 0) existed = false;
            if (fd >= 0 || errno != EEXIST) break;
        }
    }
    if (fd < 0) return Refuse(-1, errno == EEXIST ? ERROR_FILE_EXISTS : Win32ErrorForPath(errno, nativePath));
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    struct stat info {};
    if (fstat(fd, &info) != 0) return Refuse(fd, Win32ErrorFromErrno(errno));
    // A directory is no file: Windows refuses it unless asked for backup semantics, which are not supported.
    if (S_ISDIR(info.st_mode)) return Refuse(fd, ERROR_ACCESS_DENIED);
    if (S_ISREG(info.st_mode) && !Share(fd, access, share)) return Refuse(fd, ERROR_SHARING_VIOLATION);
    // Emptied only once sharing allowed the open, so a refused one leaves the holders' bytes alone.
    bool empties = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
    if (existed && empties && S_ISREG(info.st_mode) && !Empty(fd, access))
        return Refuse(fd, Win32ErrorFromErrno(errno));

    bool reopened = existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS);
    SetLastError(reopened ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return std::make_shared<DiskFile>(OpenKey(), fd, access);
}

DiskFile::DiskFile(OpenKey, int fd, DWORD access) : FFd(fd), FAccess(access) {}

DiskFile::~DiskFile() { close(FFd); }

BOOL DiskFile::Read(LPVOID buffer, DWORD count, LPDWORD done) {
    if (!(FAccess & GENERIC_READ)) return Fail(ERROR_ACCESS_DENIED);
    bool regular = FileType() == FILE_TYPE_DISK;
    auto* bytes = static_cast<char*>(buffer);
    while (*done < count) {
        ssize_t n = read(FFd, bytes + *done, count - *done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(Win32ErrorFromErrno(errno));
        *done += static_cast<DWORD>(n);
        // End of file reads as success with fewer bytes; a pipe or device answers with what it has.
        if (n == 0 || !regular) break;
    }
    return TRUE;
}

BOOL DiskFile::Write(LPCVOID buffer, DWORD count, LPDWORD done) {
    if (!Writable()) return Fail(ERROR_ACCESS_DENIED);
    const auto* bytes = static_cast<const char*>(buffer);
    while (*done < count) {
        ssize_t n = write(FFd, bytes + *done, count - *done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(Win32ErrorFromErrno(errno));
        *done += static_cast<DWORD>(n);
    }
    return TRUE;
}

DWORD DiskFile::FileType() const {
    struct stat info {};
    if (fstat(FFd, &info) != 0) return FILE_TYPE_UNKNOWN;
    if (S_ISREG(info.st_mode)) return FILE_TYPE_DISK;
    if (S_ISCHR(info.st_mode)) return FILE_TYPE_CHAR;
    if (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)) return FILE_TYPE_PIPE;
    return FILE_TYPE_UNKNOWN;
}

BOOL DiskFile::SetPointer(LONGLONG distance, DWORD method, LONGLONG limit, LONGLONG& position) {
    LONGLONG base = 0;
    if (method == FILE_CURRENT) {
        off_t at = lseek(FFd, 0, SEEK_CUR);
        if (at < 0) return Fail(Win32ErrorFromErrno(errno));
        base = at;
    } else if (method == FILE_END) {
        if (!Size(base)) return FALSE;
    } else if (method != FILE_BEGIN) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    LONGLONG target = 0;
    if (__builtin_add_overflow(base, distance, &target)) return Fail(ERROR_INVALID_PARAMETER);
    if (target < 0) return Fail(ERROR_NEGATIVE_SEEK);
    if (target > limit || lseek(FFd, static_cast<off_t>(target), SEEK_SET) < 0) return Fail(ERROR_INVALID_PARAMETER);
    position = target;
    return TRUE;
}

BOOL DiskFile::Size(LONGLONG& size) {
    struct stat info {};
    if (fstat(FFd, &info) != 0) return Fail(Win32ErrorFromErrno(errno));
    size = info.st_size;
    return TRUE;
}

BOOL DiskFile::SetEnd() {
    if (!Writable()) return Fail(ERROR_ACCESS_DENIED);
    off_t at = lseek(FFd, 0, SEEK_CUR);
    if (at < 0 || ftruncate(FFd, at) != 0) return Fail(Win32ErrorFromErrno(errno));
    return TRUE;
}

BOOL DiskFile::Flush() {
    if (!Writable()) return Fail(ERROR_ACCESS_DENIED);
    return fsync(FFd) == 0 ? TRUE : Fail(Win32ErrorFromErrno(errno));
}

}  // namespace win32::file
