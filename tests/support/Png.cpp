// The golden-picture comparison, over the platform testing library's PNG files.
#include "Png.h"

#include "TestSupport.h"

#include <testing/Testing.h>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace testsupport {

using wintest::LoadPng;
using wintest::SavePng;

::testing::AssertionResult MatchesGolden(const std::string& goldenPath, int width, int height, const uint32_t* pixels) {
    namespace fs = std::filesystem;
    const char* update = std::getenv("UPDATE_GOLDENS");
    if (update && std::strcmp(update, "1") == 0) {
        std::error_code ec;
        fs::create_directories(fs::path(goldenPath).parent_path(), ec);
        if (!SavePng(goldenPath, width, height, pixels))
            return ::testing::AssertionFailure() << "cannot write golden " << goldenPath;
        return ::testing::AssertionSuccess() << "golden " << goldenPath << " rewritten";
    }

    std::string difference;
    int goldenWidth = 0, goldenHeight = 0;
    std::vector<uint32_t> golden;
    if (!LoadPng(goldenPath, goldenWidth, goldenHeight, golden)) {
        difference = "golden " + goldenPath + " is missing or unreadable";
    } else if (goldenWidth != width || goldenHeight != height) {
        difference = "size " + std::to_string(width) + "x" + std::to_string(height) + " differs from golden " +
                     std::to_string(goldenWidth) + "x" + std::to_string(goldenHeight);
    } else {
        size_t count = 0, first = 0;
        for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
            if ((pixels[i] & 0x00FFFFFFu) != golden[i]) {
                if (count++ == 0) first = i;
            }
        }
        if (count == 0) return ::testing::AssertionSuccess();
        char detail[160];
        std::snprintf(detail, sizeof detail, "%zu pixel(s) differ; first at (%zu, %zu): 0x%06X, golden 0x%06X", count,
                      first % width, first / width, static_cast<unsigned>(pixels[first] & 0x00FFFFFFu),
                      static_cast<unsigned>(golden[first]));
        difference = detail;
    }

    fs::path actual = ExeDir() / (fs::path(goldenPath).stem().string() + ".actual.png");
    bool saved = SavePng(actual.string(), width, height, pixels);
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << difference << "; ";
    if (saved)
        failure << "actual picture written to " << actual.string();
    else
        failure << "could not write the actual picture to " << actual.string();
    return failure << " (run with UPDATE_GOLDENS=1 to accept it)";
}

}  // namespace testsupport
