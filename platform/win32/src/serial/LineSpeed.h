// Line speed of a terminal device in bits per second, any rate included: the one place that uses termios2.
#pragma once

#include <cstdint>

namespace win32::serial {

// The output speed the driver reports, whether set as a standard rate or as an arbitrary one.
bool ReadLineSpeed(int fd, uint32_t& bitsPerSecond);

// Sets input and output speed, leaving every other setting as it is. Standard rates keep their classic code so
// that programs using the plain termios calls still read them; other rates go through BOTHER.
bool WriteLineSpeed(int fd, uint32_t bitsPerSecond);

}  // namespace win32::serial
