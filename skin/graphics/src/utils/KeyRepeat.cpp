// Auto-repeat timing from the keyboard delay and speed settings.
#include <skin/KeyRepeat.h>

#include <win32/windows.h>

#include <algorithm>
#include <cmath>

int KeyRepeatDelayFor(int delaySetting) { return std::clamp(delaySetting, 0, 3) * 200 + 200; }

int KeyRepeatIntervalFor(int speedSetting) {
    // A speed of -1 would divide by zero; the clamp keeps every value the system could report meaningful.
    const int speed = std::clamp(speedSetting, 0, 31);
    return static_cast<int>(std::nearbyint(1000.0 / ((speed + 1) * 2.3)));
}

int KeyRepeatDelay() {
    int setting = 1;  // the Windows default, should the query fail
    if (!SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &setting, 0)) setting = 1;
    return KeyRepeatDelayFor(setting);
}

int KeyRepeatInterval() {
    DWORD setting = 31;
    if (!SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &setting, 0)) setting = 31;
    return KeyRepeatIntervalFor(static_cast<int>(std::min<DWORD>(setting, 31)));
}
