// ShellExecuteA/W's "open" verb: the file goes to the desktop's opener (xdg-open), which runs detached.
#include "codepage/AnsiPath.h"

#include <backend/Driver.h>
#include <win32/shellapi.h>
#include <win32/winbase.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HINSTANCE Result(INT_PTR code, DWORD error) {
    if (error != ERROR_SUCCESS) SetLastError(error);
    return reinterpret_cast<HINSTANCE>(code);
}

// "open" in any letter case, or no verb at all.
template <class Char>
bool IsOpenVerb(const Char* verb) {
    if (!verb) return true;
    const char open[] = "open";
    for (int i = 0; i < 4; ++i)
        if (verb[i] != Char(open[i]) && verb[i] != Char(open[i] - 'a' + 'A')) return false;
    return verb[4] == Char();
}

// "scheme:..." names a URL rather than a file (a single letter before ':' would be a drive).
bool IsUrl(const std::string& file) {
    std::string::size_type colon = file.find(':');
    if (colon == std::string::npos || colon < 2) return false;
    for (std::string::size_type i = 0; i < colon; ++i)
        if (!isalnum(static_cast<unsigned char>(file[i])) && file[i] != '+' && file[i] != '-' && file[i] != '.')
            return false;
    return true;
}

std::string FindOnPath(const char* program) {
    const char* path = getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::string::size_type start = 0;
    for (;;) {
        std::string::size_type stop = dirs.find(':', start);
        std::string dir = dirs.substr(start, stop == std::string::npos ? std::string::npos : stop - start);
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + program;
        struct stat st;
        if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (stop == std::string::npos) return std::string();
        start = stop + 1;
    }
}

// Starts the opener in a grandchild of its own session, so it outlives us, is never our zombie and never gets
// our terminal's signals. Answers errno of the failed start, or 0.
int StartDetached(const std::string& opener, const std::string& target, const std::string& directory) {
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return errno;
    const char* argv[] = {"xdg-open", target.c_str(), nullptr};
    pid_t child = fork();
    if (child < 0) {
        int error = errno;
        close(report[0]);
        close(report[1]);
        return error;
    }
    if (child == 0) {
        // Only async-signal-safe calls from here: the parent may have other threads.
        close(report[0]);
        setsid();
        pid_t grandchild = fork();
        if (grandchild != 0) _exit(grandchild < 0 ? 1 : 0);
        int error = 0;
        if (!directory.empty() && chdir(directory.c_str()) != 0) {
            error = errno;
        } else {
            int devNull = open("/dev/null", O_RDWR);
            if (devNull >= 0) {
                dup2(devNull, STDIN_FILENO);
                dup2(devNull, STDOUT_FILENO);
                if (devNull > STDERR_FILENO) close(devNull);
            }
            execv(opener.c_str(), const_cast<char* const*>(argv));
            error = errno;
        }
        if (write(report[1], &error, sizeof error) < 0) {}
        _exit(127);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    int error = 0;
    ssize_t n;
    while ((n = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {}
    close(report[0]);
    if (n == static_cast<ssize_t>(sizeof error)) return error;  // exec failed; a closed pipe means it ran
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0) return EAGAIN;
    return 0;
}

// Opens a document (or hands a URL on) with native paths; directory may be empty.
HINSTANCE OpenDocument(const std::string& target, const std::string& directory) {
    if (!directory.empty()) {
        struct stat st;
        if (stat(directory.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return Result(SE_ERR_PNF, ERROR_PATH_NOT_FOUND);
    }
    std::string document = target;
    if (!IsUrl(target)) {
        std::string full = target[0] == '/' || directory.empty() ? target : directory + "/" + target;
        document = full;
        struct stat st;
        if (stat(full.c_str(), &st) != 0) {
            bool dirMissing = errno == ENOTDIR;
            std::string::size_type slash = full.find_last_of('/');
            if (!dirMissing && slash != std::string::npos && slash > 0)
                dirMissing = stat(full.substr(0, slash).c_str(), &st) != 0;
            return dirMissing ? Result(SE_ERR_PNF, ERROR_PATH_NOT_FOUND) : Result(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);
        }
        if (access(full.c_str(), R_OK) != 0) return Result(SE_ERR_ACCESSDENIED, ERROR_ACCESS_DENIED);
    }
    // A display without a desktop (tests) may take the document itself.
    if (backend::CurrentDriver().OpenDocument(document)) return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
    std::string opener = FindOnPath("xdg-open");
    if (opener.empty()) return Result(SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION);
    int error = StartDetached(opener, target, directory);
    if (error == ENOMEM || error == EAGAIN) return Result(SE_ERR_OOM, ERROR_NOT_ENOUGH_MEMORY);
    if (error != 0) return Result(SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION);
    // Windows answers a value above 32 that means nothing else; 42 is what it usually gives.
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

}  // namespace

HINSTANCE ShellExecuteA(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory, INT) {
    // Only documents are opened here, and a document takes no parameters; other verbs have no handler.
    if (!IsOpenVerb(lpOperation) || (lpParameters && *lpParameters))
        return Result(SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION);
    if (!lpFile || !*lpFile) return Result(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);
    return OpenDocument(win32::AnsiToNativePath(lpFile),
                        lpDirectory && *lpDirectory ? win32::AnsiToNativePath(lpDirectory) : std::string());
}

// The W form opens a document whatever characters its path holds.
HINSTANCE ShellExecuteW(HWND, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters, LPCWSTR lpDirectory, INT) {
    if (!IsOpenVerb(lpOperation) || (lpParameters && *lpParameters))
        return Result(SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION);
    if (!lpFile || !*lpFile) return Result(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);
    return OpenDocument(win32::WideToNativePath(lpFile),
                        lpDirectory && *lpDirectory ? win32::WideToNativePath(lpDirectory) : std::string());
}
