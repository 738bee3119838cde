// The waiting rules of one ReadFile or WriteFile on a serial port, from its COMMTIMEOUTS.
#pragma once

#include <win32/winbase.h>

#include <chrono>

namespace win32::serial {

class CommTimer {
public:
    using Clock = std::chrono::steady_clock;

    // Read: the total limit (multiplier x count + constant) runs from the start of the call, the interval limit
    // from the latest arrival once a byte has come. Interval MAXDWORD with both totals 0 returns at once; interval
    // and multiplier MAXDWORD with a constant strictly between 0 and MAXDWORD returns on the first byte or after
    // the constant. All zero waits without limit.
    static CommTimer ForRead(const COMMTIMEOUTS& timeouts, DWORD count, Clock::time_point start);
    // Write: only the total limit, multiplier x count + constant; both zero waits without limit.
    static CommTimer ForWrite(const COMMTIMEOUTS& timeouts, DWORD count, Clock::time_point start);

    bool NoWait() const { return FNoWait; }
    bool EndsOnFirstByte() const { return FEndsOnFirstByte; }

    // Milliseconds poll() may wait now: -1 for no limit, 0 once a limit has passed. lastArrival is null until a
    // byte has been received.
    int WaitMs(Clock::time_point now, const Clock::time_point* lastArrival) const;

private:
    bool FNoWait = false;
    bool FEndsOnFirstByte = false;
    bool FHasTotal = false;
    Clock::time_point FTotalEnd;
    bool FHasInterval = false;
    std::chrono::milliseconds FInterval{0};
};

}  // namespace win32::serial
