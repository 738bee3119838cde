// The process-wide record of each serial device's DCB, kept between opens as a Windows driver keeps it.
#pragma once

#include <win32/winbase.h>

#include <map>
#include <mutex>
#include <string>

namespace win32::serial {

// termios has no room for XonLim, XoffLim, ErrorChar, EofChar, EvtChar and most of the DCB flags; they live here,
// keyed by the device's canonical path, so that they read back as set, on this handle and on later ones.
class DeviceSettingsStore {
public:
    static DeviceSettingsStore& Instance();

    bool Find(const std::string& device, DCB& dcb) const;
    void Remember(const std::string& device, const DCB& dcb);

private:
    mutable std::mutex FLock;
    std::map<std::string, DCB> FSettings;
};

}  // namespace win32::serial
