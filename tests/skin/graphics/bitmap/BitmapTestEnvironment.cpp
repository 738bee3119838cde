// The library's start-up order for every bitmap test: the platform facts first, then the bitmap unit.
#include <skin/Bitmap.h>
#include <skin/Common.h>

#include <gtest/gtest.h>

namespace {

class BitmapUnitEnvironment : public testing::Environment {
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

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new BitmapUnitEnvironment);

}  // namespace
