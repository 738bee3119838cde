// The serial link to the overlay unit: one port at a time, shared through module-level state.
#pragma once

#include <win32/windows.h>

#include <cstdint>
#include <string>

// The open port's handle, 0 when no port is open. A failed open's INVALID_HANDLE_VALUE is never stored here.
extern HANDLE PortHandle;
// The port OpenPort was last asked to open ("COM3"), whether or not it opened: the port that messages name.
extern std::string PortName;

// A port named by the path of its device ("/dev/ttyUSB0", code page 936 like every toolkit text) rather than by a
// COM name.
bool IsDevicePath(const std::string& portName);

// Closes any open port first (with its pause), then opens portName ("COM3", or a device path) with the given line
// settings and the fixed time-outs. A path that is no terminal device fails like an absent port. The stop-bits and
// parity indices are the list positions, which equal the Win32 codes. Line settings the driver refuses make the open
// fail too, and then no port is left open.
bool OpenPort(const std::string& portName, DWORD baudRate, BYTE byteSize, BYTE stopBits, BYTE parity);

// True when an open port was closed successfully. Pauses 500 ms after closing so the device settles before a
// reopen; returns at once when no port is open.
bool ClosePort();

// True only when all count bytes were written.
bool WriteBytes(const void* buffer, BYTE count);

// True exactly when count bytes were read before the time-outs; the bytes received so far are in buffer either way.
bool ReadBytes(void* buffer, int32_t count);

// Pause after closing a port, in milliseconds.
constexpr DWORD ClosePause = 500;
