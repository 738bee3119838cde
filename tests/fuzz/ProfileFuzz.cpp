// Profile files as they may be found (damaged, hand-edited, cut short): everything they hold is read, one new key is
// written, and every value read before reads the same after; the new key reads back.
#include "Fuzz.h"

#include <win32/windows.h>

#include <strings.h>
#include <unistd.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// One scratch file for the whole run, removed at exit.
std::string TheFile() {
    static char name[] = "/tmp/profile-fuzz.XXXXXX";
    static const bool made = [] {
        int fd = mkstemp(name);
        if (fd >= 0) close(fd);
        std::atexit([] { unlink(name); });
        return fd >= 0;
    }();
    FUZZ_CHECK(made);
    return name;
}

std::vector<std::string> List(const char* section, const std::string& file) {
    std::vector<char> buffer(1 << 16);
    DWORD n =
        GetPrivateProfileStringA(section, nullptr, "", buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    std::vector<std::string> names;
    for (size_t at = 0; at < n;) {
        std::string name(buffer.data() + at);
        at += name.size() + 1;
        names.push_back(name);
    }
    return names;
}

std::map<std::pair<std::string, std::string>, std::string> Everything(const std::string& file) {
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<char> buffer(1 << 16);
    for (const std::string& section : List(nullptr, file))
        for (const std::string& key : List(section.c_str(), file)) {
            DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "<none>", buffer.data(),
                                               static_cast<DWORD>(buffer.size()), file.c_str());
            values[{section, key}] = std::string(buffer.data(), n);
        }
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file = TheFile();
    FILE* out = std::fopen(file.c_str(), "wb");
    FUZZ_CHECK(out != nullptr);
    FUZZ_CHECK(std::fwrite(data, 1, size, out) == size);
    std::fclose(out);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());  // forget what was cached of the last input

    auto before = Everything(file);
    const char* section = "fuzz \x01 section";
    for (const auto& entry : before)
        if (strcasecmp(entry.first.first.c_str(), section) == 0) return 0;  // the new key's section is taken
    if (!WritePrivateProfileStringA(section, "key", "value", file.c_str())) return 0;

    auto after = Everything(file);
    char value[16];
    GetPrivateProfileStringA(section, "key", "", value, sizeof value, file.c_str());
    FUZZ_CHECK(std::string(value) == "value");
    for (const auto& entry : before) {
        auto found = after.find(entry.first);
        FUZZ_CHECK(found != after.end());
        FUZZ_CHECK(found->second == entry.second);
    }
    return 0;
}
