// The library's start-up order for the theme tests: the platform facts, the bitmap unit, then the theme unit
// with its manager.
#include <skin/Bitmap.h>
#include <skin/Common.h>
#include <skin/ThemeManager.h>

#include <gtest/gtest.h>

namespace {

class ThemeEnvironment : public testing::Environment {
public:
    void SetUp() override {
        InitializePlatformShims();
        InitializeBitmapUnit();
        InitializeThemeUnit();
    }
    void TearDown() override {
        FinalizeThemeUnit();
        FinalizeBitmapUnit();
        FinalizePlatformShims();
    }
};

[[maybe_unused]] testing::Environment* const environment = testing::AddGlobalTestEnvironment(new ThemeEnvironment);

}  // namespace
