// The library's start-up order for the table tests: the platform facts, then the bitmap unit.
#include <skin/Bitmap.h>
#include <skin/Common.h>

#include <gtest/gtest.h>

namespace {

class TablesEnvironment : public testing::Environment {
public:
    void SetUp() override {
        InitializePlatformShims();
        InitializeBitmapUnit();
    }
    void TearDown() override {
        FinalizeBitmapUnit();
        FinalizePlatformShims();
    }
};

[[maybe_unused]] testing::Environment* const environment = testing::AddGlobalTestEnvironment(new TablesEnvironment);

}  // namespace
