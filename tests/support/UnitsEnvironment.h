// A test program's global environment that starts a library's units before the first test and stops them after
// the last: testing::AddGlobalTestEnvironment(new UnitsEnvironment<Start, Stop>).
#pragma once

#include <gtest/gtest.h>

template <void (*Start)(), void (*Stop)()>
class UnitsEnvironment : public ::testing::Environment {
public:
    void SetUp() override { Start(); }
    void TearDown() override { Stop(); }
};
