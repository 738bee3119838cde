// Restacking SDL windows through X11, apart from the driver so that Xlib's macros stay out of it.
#pragma once

#include <SDL.h>

#include <vector>

namespace backend::sdl {

// Puts the windows in this stacking order, the topmost first, without moving the input focus (SDL_RaiseWindow
// would focus the window it raises). False when the windows are not X11 windows.
bool RestackX11(const std::vector<SDL_Window*>& topToBottom);

}  // namespace backend::sdl
