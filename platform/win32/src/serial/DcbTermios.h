// How a DCB's line settings map onto termios flags, and back.
#pragma once

#include <win32/winbase.h>

#include <termios.h>

namespace win32::serial {

// False for settings no terminal driver here can carry out: byte sizes other than 5..8, unknown parity or
// stop-bit codes, a zero rate, two stop bits with 5 data bits (the UART would send 1.5), DTR/DSR handshaking,
// RTS toggling, and software flow control whose XON and XOFF characters are the same.
bool DcbIsSupported(const DCB& dcb);

// Makes the line raw (no echo, no translation, no signals, reads wake on one byte) and sets size, parity, stop
// bits, parity checking and flow control from the DCB. The speed is not touched.
void DcbToTermios(const DCB& dcb, termios& settings);

// Overwrites the DCB fields that termios holds; the rest of the DCB is left as it came in. One and a half stop
// bits are sent as two, so a DCB that asked for them keeps saying so.
void TermiosToDcb(const termios& settings, DCB& dcb);

// True when every flag and character DcbToTermios sets has the same value in both.
bool SameLineSettings(const termios& wanted, const termios& actual);

}  // namespace win32::serial
