// Temporary directories and port links for the tests.
#include "TestSupport.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testsupport {

fs::path ExeDir() { return fs::read_symlink("/proc/self/exe").parent_path(); }

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "overlay-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    FPath = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Directories made read-only by a test must be writable again before they can be emptied.
    fs::permissions(FPath, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto& entry : fs::recursive_directory_iterator(FPath, ec))
        if (entry.is_directory(ec)) fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(FPath, ec);
}

ScopedPortLink::ScopedPortLink(int number, const std::string& target) {
    fs::path dir = ExeDir() / "ports";
    fs::create_directories(dir);
    FLink = dir / ("com" + std::to_string(number));
    std::error_code ec;
    fs::remove(FLink, ec);
    fs::create_symlink(target, FLink);
}

ScopedPortLink::~ScopedPortLink() {
    std::error_code ec;
    fs::remove(FLink, ec);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

int RunUnprivileged(const std::function<int()>& body) {
    pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        constexpr uid_t nobody = 65534;
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)) _exit(125);
        _exit(body());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace testsupport
