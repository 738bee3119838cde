// What SDL does not offer for its X11 windows: restacking and showing without taking the input focus, apart from
// the driver so that Xlib's macros stay out of it.
#pragma once

#include <SDL.h>

#include <vector>

namespace backend::sdl {

// Puts the windows in this stacking order, the topmost first, without moving the input focus (SDL_RaiseWindow
// would focus the window it raises). False when the windows are not X11 windows.
bool RestackX11(const std::vector<SDL_Window*>& topToBottom);

// Shows the window where the desktop keeps the input focus: a window manager is asked not to focus it, and where
// none runs (SDL then hands the focus to every window it shows) the focus goes back where it was, without the
// program hearing of the round trip. Shows it through SDL alone when it is no X11 window.
void ShowWithoutFocusX11(SDL_Window* window);

}  // namespace backend::sdl
