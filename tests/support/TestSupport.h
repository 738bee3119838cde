// Helpers shared by the test programs: temporary directories and COM port links beside the executable.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace testsupport {

// The directory holding the running test program.
std::filesystem::path ExeDir();

// A fresh directory under the system's temporary directory, removed with everything in it on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return FPath; }
    std::string File(const std::string& name) const { return (FPath / name).string(); }

private:
    std::filesystem::path FPath;
};

// Makes "COMn" name a device: the link ports/comN beside the executable, removed on destruction.
class ScopedPortLink {
public:
    ScopedPortLink(int number, const std::string& target);
    ~ScopedPortLink();
    ScopedPortLink(const ScopedPortLink&) = delete;
    ScopedPortLink& operator=(const ScopedPortLink&) = delete;

private:
    std::filesystem::path FLink;
};

// The whole file as bytes (empty when it cannot be read), and a file replaced by the given bytes.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Runs body in a child process that has dropped root's rights (as user and group "nobody"), so that file
// permissions apply as they do to the desktop user; without root it runs in a child as it is. Returns body's
// result, or -1 when the child did not end normally.
int RunUnprivileged(const std::function<int()>& body);

}  // namespace testsupport
