// TFileStream over a POSIX descriptor; names go from code page 936 to UTF-8 through the platform's conversions.
#include <toolkit/FileStream.h>

#include <win32/winnls.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace {

std::string NativePath(const std::string& ansiPath) {
    if (ansiPath.empty()) return std::string();
    int ansiLength = static_cast<int>(ansiPath.size());
    int wideLength = MultiByteToWideChar(CP_ACP, 0, ansiPath.data(), ansiLength, nullptr, 0);
    std::u16string wide(static_cast<size_t>(wideLength), u'\0');
    MultiByteToWideChar(CP_ACP, 0, ansiPath.data(), ansiLength, wide.data(), wideLength);
    int nativeLength = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string native(static_cast<size_t>(nativeLength), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, native.data(), nativeLength, nullptr, nullptr);
    return native;
}

bool ValidMode(unsigned mode) {
    unsigned high = mode & 0xFF00;
    unsigned access = mode & 0x000F;
    unsigned share = mode & 0x00F0;
    if (mode & ~0xFFFFu) return false;
    if (high != 0 && high != fmCreate) return false;
    if (high == fmCreate ? access != 0 : access > fmOpenReadWrite) return false;
    return share <= fmShareDenyNone;
}

// The advisory lock a stream takes for its sharing value, or 0 for none.
int LockFor(unsigned mode) {
    unsigned share = mode & 0x00F0;
    bool create = (mode & 0xFF00) == fmCreate;
    if (share == fmShareExclusive || share == fmShareDenyRead || (create && share == fmShareCompat)) return LOCK_EX;
    if (share == fmShareDenyWrite) return LOCK_SH;
    return 0;
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : FFileName(fileName) {
    bool create = (mode & 0xFF00) == fmCreate;
    auto fail = [&]() {
        if (FHandle >= 0) close(FHandle);
        FHandle = -1;
        if (create) throw EFCreateError("Cannot create file " + fileName);
        throw EFOpenError("Cannot open file " + fileName);
    };
    if (!ValidMode(mode)) fail();

    int flags = O_CLOEXEC;
    if (create)
        flags |= O_RDWR | O_CREAT;
    else
        flags |= (mode & 0x000F) == fmOpenRead ? O_RDONLY : (mode & 0x000F) == fmOpenWrite ? O_WRONLY : O_RDWR;
    std::string native = NativePath(fileName);
    if (native.empty()) fail();
    FHandle = open(native.c_str(), flags, 0666);
    if (FHandle < 0) fail();

    struct stat info;
    if (fstat(FHandle, &info) != 0 || S_ISDIR(info.st_mode)) fail();
    if (int lock = LockFor(mode)) {
        if (flock(FHandle, lock | LOCK_NB) != 0) fail();
    }
    // Emptied only once the lock is held, so a refused create leaves the other stream's file alone.
    if (create && ftruncate(FHandle, 0) != 0) fail();
}

TFileStream::~TFileStream() {
    if (FHandle >= 0) close(FHandle);
}

int TFileStream::Read(void* buffer, int count) {
    int done = 0;
    while (done < count) {
        ssize_t n = read(FHandle, static_cast<char*>(buffer) + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<int>(n);
    }
    return done;
}

int TFileStream::Write(const void* buffer, int count) {
    int done = 0;
    while (done < count) {
        ssize_t n = write(FHandle, static_cast<const char*>(buffer) + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<int>(n);
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    off_t position = lseek(FHandle, static_cast<off_t>(offset), whence);
    return position < 0 ? -1 : static_cast<int64_t>(position);
}

void TFileStream::SetSize(int64_t value) {
    if (value < 0 || ftruncate(FHandle, static_cast<off_t>(value)) != 0) throw EWriteError("Stream write error");
    Seek(value, soBeginning);
}
