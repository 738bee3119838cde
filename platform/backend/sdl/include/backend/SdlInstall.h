// How a program chooses the SDL display driver: call InstallSdlDriverIfDisplay() before the first window is made.
// Tests never link this library; they keep the headless driver.
#pragma once

namespace backend {

// Installs the SDL driver when an X display is there (DISPLAY set and SDL's video starts); otherwise leaves the
// headless driver in place and returns false.
bool InstallSdlDriverIfDisplay();

}  // namespace backend
