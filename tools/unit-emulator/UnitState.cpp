// The emulated unit's memory and its human-readable dump.
#include "UnitState.h"

#include <cstdio>

#include "TextFormat.h"

namespace unit_emulator {

void UnitState::ClearChannel(int channel) {
    for (UnitLine& line : FLines.at(channel)) line = UnitLine{};
}

std::string UnitState::Describe() const {
    std::string out;
    char buffer[160];
    if (!FClock.received) {
        out += "clock: hidden (no clock frame received)\n";
    } else {
        std::snprintf(buffer, sizeof buffer, "clock: %s 20%02d-%02d-%02d %02d:%02d:%02d weekday %d\n",
                      FClock.shown ? "shown" : "hidden", FClock.year, FClock.month, FClock.day, FClock.hours,
                      FClock.minutes, FClock.seconds, FClock.weekday);
        out += buffer;
    }
    for (int channel = 0; channel < kChannels; ++channel) {
        for (int group = 0; group < kGroups; ++group) {
            const UnitLine& line = FLines[channel][group];
            std::snprintf(buffer, sizeof buffer, "ch%02d g%d: ", channel + 1, group);
            out += buffer;
            if (!line.written) {
                out += "(never written)\n";
                continue;
            }
            std::snprintf(buffer, sizeof buffer, "x=%d y=%d size=%d ", line.x, line.y, line.size);
            out += buffer;
            out += '"' + GbkToUtf8(line.text) + "\" [" + HexBytes(line.text) + "]\n";
        }
    }
    return out;
}

}  // namespace unit_emulator
