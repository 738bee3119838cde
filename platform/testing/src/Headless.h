// The headless driver behind the testing functions; using them with another driver is a mistake in the test.
#pragma once

#include <backend/HeadlessDriver.h>

namespace wintest {

backend::HeadlessDriver& Headless();  // throws std::logic_error when another driver is installed

}  // namespace wintest
