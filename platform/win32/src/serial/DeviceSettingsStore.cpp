// Per-device DCB record shared by every handle in the process.
#include "DeviceSettingsStore.h"

namespace win32::serial {

DeviceSettingsStore& DeviceSettingsStore::Instance() {
    static DeviceSettingsStore store;
    return store;
}

bool DeviceSettingsStore::Find(const std::string& device, DCB& dcb) const {
    std::lock_guard<std::mutex> guard(FLock);
    auto it = FSettings.find(device);
    if (it == FSettings.end()) return false;
    dcb = it->second;
    return true;
}

void DeviceSettingsStore::Remember(const std::string& device, const DCB& dcb) {
    std::lock_guard<std::mutex> guard(FLock);
    FSettings[device] = dcb;
}

}  // namespace win32::serial
