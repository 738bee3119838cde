// COMMTIMEOUTS arithmetic for serial reads and writes.
#include "CommTimer.h"

#include <algorithm>
#include <climits>

namespace win32::serial {
namespace {

// About 31 years: far enough to mean "never" while keeping time_point arithmetic clear of overflow.
constexpr uint64_t kLongestWaitMs = 1000000000000ull;

std::chrono::milliseconds TotalMs(DWORD multiplier, DWORD constant, DWORD count) {
    uint64_t total = static_cast<uint64_t>(multiplier) * count + constant;
    return std::chrono::milliseconds(std::min(total, kLongestWaitMs));
}

int CeilMs(CommTimer::Clock::duration remaining) {
    if (remaining <= CommTimer::Clock::duration::zero()) return 0;
    auto ms = std::chrono::ceil<std::chrono::milliseconds>(remaining).count();
    return static_cast<int>(std::min<int64_t>(ms, INT_MAX));
}

}  // namespace

CommTimer CommTimer::ForRead(const COMMTIMEOUTS& timeouts, DWORD count, Clock::time_point start) {
    CommTimer timer;
    DWORD interval = timeouts.ReadIntervalTimeout;
    DWORD multiplier = timeouts.ReadTotalTimeoutMultiplier;
    DWORD constant = timeouts.ReadTotalTimeoutConstant;
    if (interval == MAXDWORD && multiplier == 0 && constant == 0) {
        timer.FNoWait = true;
        return timer;
    }
    if (interval == MAXDWORD && multiplier == MAXDWORD && constant != 0 && constant != MAXDWORD) {
        timer.FEndsOnFirstByte = true;
        timer.FHasTotal = true;
        timer.FTotalEnd = start + std::chrono::milliseconds(constant);
        return timer;
    }
    if (multiplier != 0 || constant != 0) {
        timer.FHasTotal = true;
        timer.FTotalEnd = start + TotalMs(multiplier, constant, count);
    }
    if (interval != 0) {
        timer.FHasInterval = true;
        timer.FInterval = std::chrono::milliseconds(interval);
    }
    return timer;
}

CommTimer CommTimer::ForWrite(const COMMTIMEOUTS& timeouts, DWORD count, Clock::time_point start) {
    CommTimer timer;
    if (timeouts.WriteTotalTimeoutMultiplier != 0 || timeouts.WriteTotalTimeoutConstant != 0) {
        timer.FHasTotal = true;
        timer.FTotalEnd =
            start + TotalMs(timeouts.WriteTotalTimeoutMultiplier, timeouts.WriteTotalTimeoutConstant, count);
    }
    return timer;
}

int CommTimer::WaitMs(Clock::time_point now, const Clock::time_point* lastArrival) const {
    if (FNoWait) return 0;
    int wait = -1;
    if (FHasTotal) wait = CeilMs(FTotalEnd - now);
    if (FHasInterval && lastArrival) {
        int intervalWait = CeilMs(*lastArrival + FInterval - now);
        wait = wait < 0 ? intervalWait : std::min(wait, intervalWait);
    }
    return wait;
}

}  // namespace win32::serial
