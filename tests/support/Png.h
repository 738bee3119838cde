// PNG files for tests: 0x00RRGGBB pixel rows (top-down) saved and loaded through libpng, and golden-picture checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace testsupport {

// Writes an RGB picture; the top byte of each pixel (alpha in a DIB) is ignored.
bool SavePng(const std::string& path, int width, int height, const uint32_t* pixels);

// Reads any PNG as 0x00RRGGBB pixels, top row first; alpha is dropped.
bool LoadPng(const std::string& path, int& width, int& height, std::vector<uint32_t>& pixels);

// Compares the picture's RGB exactly with the golden PNG. On a difference (or a missing golden) the picture is
// written beside the test program as <golden name>.actual.png and the message says where. With UPDATE_GOLDENS=1 in
// the environment the golden itself is (re)written and the check passes.
::testing::AssertionResult MatchesGolden(const std::string& goldenPath, int width, int height,
                                         const uint32_t* pixels);

}  // namespace testsupport

using testsupport::LoadPng;
using testsupport::MatchesGolden;
using testsupport::SavePng;
