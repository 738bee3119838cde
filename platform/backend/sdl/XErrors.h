// What the SDL driver does with the X server's errors: a protocol error is reported and the program goes on; a lost
// connection ends the program at once with a message and status 1.
#pragma once

namespace backend::sdl {

// Installs the handlers into Xlib; call after SDL's video has started, as SDL installs its own then.
void InstallXErrorHandlers();

}  // namespace backend::sdl
