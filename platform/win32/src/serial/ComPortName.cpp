// Port-name parsing and the COMn-to-device mapping.
#include "ComPortName.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstring>

namespace win32::serial {
namespace {

bool StartsWithComPrefix(const char* text) {
    return (text[0] == 'C' || text[0] == 'c') && (text[1] == 'O' || text[1] == 'o') &&
           (text[2] == 'M' || text[2] == 'm');
}

std::string ExecutableDirectory() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0) return std::string();
    std::string exe(path, static_cast<size_t>(length));
    auto slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

}  // namespace

int ParseComPortName(const char* name, bool& outOfRange) {
    outOfRange = false;
    if (!name) return 0;
    const char* rest = name;
    if (std::strncmp(rest, "\\\\.\\", 4) == 0) rest += 4;
    if (!StartsWithComPrefix(rest)) return 0;
    rest += 3;
    if (*rest < '0' || *rest > '9') return 0;
    const char* digits = rest;
    long number = 0;
    while (*rest >= '0' && *rest <= '9') {
        if (number < 1000) number = number * 10 + (*rest - '0');
        ++rest;
    }
    if (*rest != '\0') return 0;
    if (digits[0] == '0' || number < 1 || number > 255) {
        outOfRange = true;
        return 0;
    }
    return static_cast<int>(number);
}

std::string ComPortDevicePath(int number) {
    std::string directory = ExecutableDirectory();
    if (!directory.empty()) {
        std::string link = directory + "/ports/com" + std::to_string(number);
        struct stat info {};
        if (lstat(link.c_str(), &info) == 0) return link;
    }
    return "/dev/ttyS" + std::to_string(number - 1);
}

}  // namespace win32::serial
