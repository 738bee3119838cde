// The library's start-up order for the manager tests: platform facts, bitmap unit, theme unit.
#include <skin/Bitmap.h>
#include <skin/Common.h>
#include <skin/ThemeManager.h>

#include <gtest/gtest.h>

namespace {

class ManagerEnvironment : public testing::Environment {
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

[[maybe_unused]] testing::Environment* const environment = testing::AddGlobalTestEnvironment(new ManagerEnvironment);

}  // namespace
