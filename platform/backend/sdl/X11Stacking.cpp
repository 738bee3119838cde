// XRestackWindows over the X11 windows behind SDL windows.
#include "X11Stacking.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace backend::sdl {

bool RestackX11(const std::vector<SDL_Window*>& topToBottom) {
    Display* display = nullptr;
    std::vector<::Window> stack;
    for (SDL_Window* window : topToBottom) {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
        display = info.info.x11.display;
        stack.push_back(info.info.x11.window);
    }
    if (!display || stack.size() < 2) return true;
    XRestackWindows(display, stack.data(), static_cast<int>(stack.size()));
    XFlush(display);
    return true;
}

}  // namespace backend::sdl
