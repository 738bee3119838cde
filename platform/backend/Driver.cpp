// The driver registry: the installed driver, or the headless one when nothing else was installed.
#include <backend/Driver.h>

#include <backend/HeadlessDriver.h>

namespace backend {
namespace {

std::unique_ptr<Driver>& Installed() {
    static std::unique_ptr<Driver> driver;
    return driver;
}

}  // namespace

Driver& CurrentDriver() {
    auto& driver = Installed();
    if (!driver) driver = MakeHeadlessDriver();
    return *driver;
}

void InstallDriver(std::unique_ptr<Driver> driver) { Installed() = std::move(driver); }

}  // namespace backend
