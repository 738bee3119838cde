// Golden-picture checks for tests; PNG files themselves come from the platform testing library (wintest).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace testsupport {

// Compares the picture's RGB exactly with the golden PNG. On a difference (or a missing golden) the picture is
// written beside the test program as <golden name>.actual.png and the message says where. With UPDATE_GOLDENS=1 in
// the environment the golden itself is (re)written and the check passes.
::testing::AssertionResult MatchesGolden(const std::string& goldenPath, int width, int height, const uint32_t* pixels);

}  // namespace testsupport

#include <testing/Testing.h>

using testsupport::MatchesGolden;
using wintest::LoadPng;
using wintest::SavePng;
