// The headless driver: a virtual screen in memory whose input comes from tests (platform/testing).
#pragma once

#include <backend/Driver.h>

#include <memory>

namespace backend {

std::unique_ptr<Driver> MakeHeadlessDriver();

}  // namespace backend
