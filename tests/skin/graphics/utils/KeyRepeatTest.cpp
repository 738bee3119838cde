// Auto-repeat timing from the keyboard settings.
#include <skin/KeyRepeat.h>

#include <gtest/gtest.h>

namespace {

TEST(KeyRepeat, DelayStepsBy200FromTheShortestSetting) {
    const int expected[] = {200, 400, 600, 800};
    for (int setting = 0; setting < 4; ++setting) EXPECT_EQ(KeyRepeatDelayFor(setting), expected[setting]);
    EXPECT_EQ(KeyRepeatDelayFor(-1), 200);
    EXPECT_EQ(KeyRepeatDelayFor(9), 800);
}

TEST(KeyRepeat, IntervalRoundsTheRepeatPeriod) {
    struct Case {
        int Speed, Interval;
    } cases[] = {{0, 435}, {1, 217}, {9, 43}, {15, 27}, {31, 14}, {-1, 435}, {40, 14}};
    for (const Case& c : cases) EXPECT_EQ(KeyRepeatIntervalFor(c.Speed), c.Interval) << c.Speed;
}

TEST(KeyRepeat, SystemSettingsGiveTheWindowsDefaults) {
    // The platform reports Windows' defaults: delay 1 and speed 31.
    EXPECT_EQ(KeyRepeatDelay(), 400);
    EXPECT_EQ(KeyRepeatInterval(), 14);
}

}  // namespace
