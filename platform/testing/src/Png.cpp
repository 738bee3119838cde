// The testing library's PNG functions, over the one PNG reader and writer.
#include <testing/Testing.h>

#include <imaging/PngFile.h>

namespace wintest {

bool SavePng(const std::string& path, int width, int height, const uint32_t* pixels) {
    return imaging::SavePng(path, width, height, pixels);
}

bool SavePng(const std::string& path, const Picture& picture) {
    return SavePng(path, picture.Width, picture.Height, picture.Pixels.data());
}

bool LoadPng(const std::string& path, int& width, int& height, std::vector<uint32_t>& pixels) {
    return imaging::LoadPng(path, width, height, pixels);
}

bool LoadPng(const std::string& path, Picture& picture) {
    return LoadPng(path, picture.Width, picture.Height, picture.Pixels);
}

}  // namespace wintest
