// PNG files through libpng's simplified API.
#include <imaging/PngFile.h>

#include <png.h>
#include <cstring>

namespace imaging {

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

}  // namespace imaging
