// Auto-repeat timing of held buttons (spin buttons, scroll bars, tab scrollers), taken from the system's
// keyboard delay and speed settings.
#pragma once

// 200 ms + 200 ms per step of SPI_GETKEYBOARDDELAY (0..3): 200 to 800 ms.
int KeyRepeatDelay();
// round(1000 / ((SPI_GETKEYBOARDSPEED + 1) × 2.3)) ms, halves to even: 435 ms at speed 0, 14 ms at 31.
int KeyRepeatInterval();
// The same for a given setting, clamped to the range Windows documents (delay 0..3, speed 0..31).
int KeyRepeatDelayFor(int delaySetting);
int KeyRepeatIntervalFor(int speedSetting);
