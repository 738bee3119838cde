// PNG files of 0x00RRGGBB pixels (rows top-down, no padding), through libpng: the program's screenshots and the
// tests' golden pictures share this one reader and writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace imaging {

// RGB only: the top byte of each pixel is ignored on saving and zero on loading. Both answer false on failure
// (a file that cannot be written or read, or is not a PNG) and leave the outputs unchanged then.
bool SavePng(const std::string& path, int width, int height, const uint32_t* pixels);
bool LoadPng(const std::string& path, int& width, int& height, std::vector<uint32_t>& pixels);

}  // namespace imaging
