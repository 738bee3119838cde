// A unit emulator on a pseudo-terminal, reachable as a COM port of the test program.
#pragma once

#include "Com.h"
#include "PtyUnit.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

class UnitFixture : public ::testing::Test {
protected:
    static constexpr int UnitPort = 7;  // "COM7"

    void SetUp() override {
        ASSERT_TRUE(unit.Start()) << unit.Error();
        link = std::make_unique<testsupport::ScopedPortLink>(UnitPort, unit.SlavePath());
    }
    void TearDown() override {
        if (reinterpret_cast<LONG_PTR>(PortHandle) > 0) ClosePort();
        link.reset();
        unit.Stop();
    }

    bool OpenUnit() { return OpenPort("COM7", 115200, 8, ONESTOPBIT, NOPARITY); }

    static long long MillisecondsSince(std::chrono::steady_clock::time_point start) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    }

    unit_emulator::PtyUnit unit;
    std::unique_ptr<testsupport::ScopedPortLink> link;
};
