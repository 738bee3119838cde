// PNG reading and writing through libpng's simplified API, and the golden-picture comparison built on them.
#include "Png.h"

#include "TestSupport.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <png.h>

namespace testsupport {

bool SavePng(const std::string& path, int width, int height, const uint32_t* pixels) {
    if (width <= 0 || height <= 0 || !pixels) return false;
    // Three bytes per pixel, blue first: the same order as a 32-bit DIB without its alpha byte.
    std::vector<uint8_t> bgr(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
        bgr[i * 3 + 0] = static_cast<uint8_t>(pixels[i]);
        bgr[i * 3 + 1] = static_cast<uint8_t>(pixels[i] >> 8);
        bgr[i * 3 + 2] = static_cast<uint8_t>(pixels[i] >> 16);
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_BGR;
    bool ok = png_image_write_to_file(&image, path.c_str(), 0, bgr.data(), width * 3, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

bool LoadPng(const std::string& path, int& width, int& height, std::vector<uint32_t>& pixels) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_BGRA;
    std::vector<uint32_t> buffer(static_cast<size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, buffer.data(), image.width * 4, nullptr)) {
        png_image_free(&image);
        return false;
    }
    // Bytes B, G, R, A read back as one little-endian word 0xAARRGGBB; the alpha byte goes.
    for (uint32_t& pixel : buffer) pixel &= 0x00FFFFFFu;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    pixels = std::move(buffer);
    return true;
}

::testing::AssertionResult MatchesGolden(const std::string& goldenPath, int width, int height,
                                         const uint32_t* pixels) {
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
        std::snprintf(detail, sizeof detail, "%zu pixel(s) differ; first at (%zu, %zu): 0x%06X, golden 0x%06X",
                      count, first % width, first / width, static_cast<unsigned>(pixels[first] & 0x00FFFFFFu),
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
