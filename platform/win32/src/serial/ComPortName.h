// Names of serial ports ("\\.\COMn", "COMn") and the Linux device each one stands for.
#pragma once

#include <string>

namespace win32::serial {

// The port number of "\\.\COMn" or "COMn" (any letter case, n from 1 to 255 without leading zeros), or 0 when
// the name is of another form. A name of the COM form whose number is out of range also gives 0 through
// outOfRange, so that the caller can answer "no such device" rather than "not supported".
int ParseComPortName(const char* name, bool& outOfRange);

// The device behind port n: the link ports/comN beside the running executable when that link exists (dangling
// or not), else /dev/ttyS{n-1}.
std::string ComPortDevicePath(int number);

}  // namespace win32::serial
