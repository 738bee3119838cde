// termios2 access for line speeds. <asm/termbits.h> clashes with <termios.h>, so this file includes only the former.
#include "LineSpeed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace win32::serial {
namespace {

struct StandardRate {
    uint32_t rate;
    unsigned code;
};

constexpr StandardRate kStandardRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

unsigned SpeedCode(uint32_t rate) {
    for (const auto& standard : kStandardRates)
        if (standard.rate == rate) return standard.code;
    return BOTHER;
}

}  // namespace

bool ReadLineSpeed(int fd, uint32_t& bitsPerSecond) {
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0) return false;
    bitsPerSecond = settings.c_ospeed;
    return true;
}

bool WriteLineSpeed(int fd, uint32_t bitsPerSecond) {
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0) return false;
    // Clearing the input-speed field makes the input follow the output speed.
    settings.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= SpeedCode(bitsPerSecond);
    settings.c_ispeed = bitsPerSecond;
    settings.c_ospeed = bitsPerSecond;
    return ioctl(fd, TCSETS2, &settings) == 0;
}

}  // namespace win32::serial
