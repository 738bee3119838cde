// Profile file cache and the write-to-temporary-then-rename update that never leaves a half-written file.
#include "profile/ProfileStore.h"

#include "system/PosixError.h"

#include <win32/winbase.h>

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <vector>

namespace win32::profile {
namespace {

// Profile files are text of a few kilobytes: anything larger is no profile file, and is refused rather than read
// into memory.
constexpr size_t MaxProfileBytes = 16 << 20;

// Reads to the end, failing with EFBIG past limit bytes.
bool ReadAll(int fd, std::string& bytes, size_t limit = MaxProfileBytes) {
    char buffer[65536];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (bytes.size() + static_cast<size_t>(n) > limit) {
            errno = EFBIG;
            return false;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

// Only a regular file is a profile file: a directory, a device such as /dev/zero (endless) or a FIFO (whose
// open waits for a writer) is refused as Windows refuses to open them as files, with access denied.
bool RegularFile(const struct stat& st) {
    if (S_ISREG(st.st_mode)) return true;
    errno = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
    return false;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool WriteAllAt(int fd, const std::string& bytes) {
    return lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, bytes) && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
}

// Windows writes a profile file the user may write even where its folder allows no new file: such a file is
// rewritten where it is. Room for the new content is taken first so that the write cannot run out of space
// half-way, and the old content goes back when it fails all the same: the file is never left half-written.
bool RewriteInPlace(const std::string& path, const std::string& bytes, int& failure) {
    int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        failure = errno;
        return false;
    }
    std::string old;
    bool ok = ReadAll(fd, old);
    if (ok && bytes.size() > old.size()) {
        int reserved = posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
            errno = reserved;
            ok = false;
        }
    }
    ok = ok && WriteAllAt(fd, bytes);
    failure = errno;
    if (!ok) WriteAllAt(fd, old);
    if (close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    return ok;
}

std::string DirectoryOf(const std::string& path) {
    std::string::size_type slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a write must replace: a symbolic link is followed to its target, so the link stays a link.
bool ResolveLinks(std::string path, std::string& target) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st;
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = path;
            return true;
        }
        char link[PATH_MAX];
        ssize_t n = readlink(path.c_str(), link, sizeof link - 1);
        if (n < 0) return false;
        std::string next(link, static_cast<size_t>(n));
        path = next[0] == '/' ? next : DirectoryOf(path) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

}  // namespace

ProfileStore& ProfileStore::Instance() {
    static ProfileStore store;
    return store;
}

const ProfileDocument* ProfileStore::Load(const std::string& nativePath, DWORD* error) {
    struct stat st;
    if (stat(nativePath.c_str(), &st) != 0 || !RegularFile(st)) {
        *error = Win32ErrorForPath(errno, nativePath);
        FFiles.erase(nativePath);
        return nullptr;
    }
    Identity identity{st.st_dev, st.st_ino, st.st_size,
                      static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
    auto it = FFiles.find(nativePath);
    if (it != FFiles.end() && it->second.identity == identity) return &it->second.document;

    // Without blocking, and checked again once open, in case something else took the name since the stat.
    int fd = open(nativePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat opened;
    std::string bytes;
    bool ok = fd >= 0 && fstat(fd, &opened) == 0 && RegularFile(opened) && ReadAll(fd, bytes);
    int readError = errno;
    if (fd >= 0) close(fd);
    if (!ok) {
        *error = Win32ErrorFromErrno(readError);
        FFiles.erase(nativePath);
        return nullptr;
    }
    Entry& entry = FFiles[nativePath];
    entry.identity = identity;
    entry.document = ProfileDocument::Parse(bytes);
    return &entry.document;
}

DWORD ProfileStore::Read(const std::string& nativePath, const std::function<void(const ProfileDocument*)>& reader) {
    std::lock_guard<std::mutex> guard(FLock);
    DWORD error = ERROR_SUCCESS;
    const ProfileDocument* document = Load(nativePath, &error);
    if (!document && error == ERROR_FILE_NOT_FOUND) {
        const std::string other = CaseInsensitive(nativePath);
        if (other != nativePath) document = Load(other, &error);
    }
    reader(document);
    return error;
}

BOOL ProfileStore::Update(const std::string& nativePath, const std::function<bool(ProfileDocument&)>& edit) {
    std::lock_guard<std::mutex> guard(FLock);
    std::string target;
    if (!ResolveLinks(CaseInsensitive(nativePath), target)) {
        SetLastError(Win32ErrorForPath(errno, nativePath));
        return FALSE;
    }
    DWORD error = ERROR_SUCCESS;
    const ProfileDocument* current = Load(target, &error);
    if (!current && error != ERROR_FILE_NOT_FOUND) {
        // A file that exists but cannot be read is never replaced by one made from nothing.
        SetLastError(error);
        return FALSE;
    }
    ProfileDocument document = current ? *current : ProfileDocument();
    if (!edit(document)) return TRUE;

    struct stat old;
    bool exists = stat(target.c_str(), &old) == 0;
    // Replacing by rename would bypass the file's own protection, which Windows honours.
    if (exists && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        SetLastError(Win32ErrorFromErrno(errno));
        return FALSE;
    }
    static std::atomic<unsigned> counter{0};
    std::string base = target.substr(target.find_last_of('/') + 1);
    std::string temporary =
        DirectoryOf(target) + "/." + base + "." + std::to_string(getpid()) + "." + std::to_string(counter++) + ".tmp";
    std::string bytes = document.Serialize();
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        int refused = errno;
        int failure = refused;
        bool readOnlyFolder = exists && (refused == EACCES || refused == EPERM);
        if (!readOnlyFolder || !RewriteInPlace(target, bytes, failure)) {
            SetLastError(readOnlyFolder ? Win32ErrorFromErrno(failure) : Win32ErrorForPath(refused, temporary));
            return FALSE;
        }
        FFiles.erase(target);
        return TRUE;
    }
    // No fsync: a save makes some 300 calls, and syncing each costs seconds. The rename still guarantees that
    // a crashed process or a failed write leaves either the old file or the new one, never a mix.
    bool ok = WriteAll(fd, bytes);
    if (ok && exists) {
        // The new file takes the old one's owner (when allowed) and permissions.
        if (fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Without the right to give it away the file stays ours, as any file this process creates would.
        }
        ok = fchmod(fd, old.st_mode & 07777) == 0;
    }
    int failure = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        unlink(temporary.c_str());
        SetLastError(Win32ErrorFromErrno(failure));
        return FALSE;
    }
    // Cache what a fresh read of the new file would give, so the next call need not read it.
    struct stat st;
    if (stat(target.c_str(), &st) == 0) {
        Entry& entry = FFiles[target];
        entry.identity = Identity{st.st_dev, st.st_ino, st.st_size,
                                  static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
        entry.document = ProfileDocument::Parse(bytes);
    }
    return TRUE;
}

// Windows finds "config.ini" or "CONFIG.INI" under the name "Config.ini": a file copied from there keeps its
// letter case. When the exact name is absent, the first name of the folder (in byte order) that differs only in
// ASCII letter case stands for it. The folder is listed again only when it has changed since the last answer.
std::string ProfileStore::CaseInsensitive(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 || errno != ENOENT) return path;
    std::string::size_type slash = path.find_last_of('/');
    std::string directory = DirectoryOf(path);
    struct stat folder;
    if (stat(directory.c_str(), &folder) != 0) return path;
    const Identity identity{folder.st_dev, folder.st_ino, folder.st_size,
                            static_cast<long long>(folder.st_mtim.tv_sec) * 1000000000LL + folder.st_mtim.tv_nsec};
    auto known = FNames.find(path);
    if (known != FNames.end() && known->second.folder == identity) return known->second.name;

    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* dir = opendir(directory.c_str());
    if (!dir) return path;
    std::vector<std::string> matches;
    while (dirent* entry = readdir(dir))
        if (strcasecmp(entry->d_name, name.c_str()) == 0) matches.push_back(entry->d_name);
    closedir(dir);
    std::string found = matches.empty() ? path
                                        : (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) +
                                              *std::min_element(matches.begin(), matches.end());
    FNames[path] = {identity, found};
    return found;
}

void ProfileStore::Flush() {
    std::lock_guard<std::mutex> guard(FLock);
    FFiles.clear();
    FNames.clear();
}

}  // namespace win32::profile
