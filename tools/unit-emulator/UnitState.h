// What the emulated overlay unit holds: three text lines for each of its 16 channels and the clock.
#pragma once

#include <array>
#include <string>

namespace unit_emulator {

// One overlay line. Text is raw GBK bytes as the frame carried them; size is the two-bit size
// code (0 large, 1 medium, 2 small, 3 none chosen).
struct UnitLine {
    std::string text;
    int x = 0;
    int y = 0;
    int size = 0;
    bool written = false;

    bool operator==(const UnitLine& other) const {
        return text == other.text && x == other.x && y == other.y && size == other.size && written == other.written;
    }
    bool operator!=(const UnitLine& other) const { return !(*this == other); }
};

// The clock as the last clock frame left it; the fields are the decoded digit pairs.
struct UnitClock {
    bool shown = false;
    bool received = false;  // whether any clock frame arrived at all
    int seconds = 0;
    int minutes = 0;
    int hours = 0;
    int day = 0;
    int weekday = 0;  // 1 Monday ... 7 Sunday, as sent
    int month = 0;
    int year = 0;  // two digits: 8 for 2008
};

class UnitState {
public:
    static constexpr int kChannels = 16;
    static constexpr int kGroups = 3;

    // Channel 0..15, group 0..2; out-of-range indices are a programming error (checked by at()).
    UnitLine& Line(int channel, int group) { return FLines.at(channel).at(group); }
    const UnitLine& Line(int channel, int group) const { return FLines.at(channel).at(group); }
    UnitClock& Clock() { return FClock; }
    const UnitClock& Clock() const { return FClock; }

    // Resets all three lines of the channel to never written.
    void ClearChannel(int channel);

    // Multi-line UTF-8 dump: the clock, then one line per channel and group (X, Y, size, text as
    // UTF-8 and as hex).
    std::string Describe() const;

private:
    std::array<std::array<UnitLine, kGroups>, kChannels> FLines{};
    UnitClock FClock;
};

}  // namespace unit_emulator
