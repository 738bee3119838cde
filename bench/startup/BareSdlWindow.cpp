// The yardstick for start-up: the least an SDL2 program does to show a window on X, with the same settings as the
// program's driver (X11, no framebuffer acceleration): make a window the program's size, fill it, present it, and
// wait until it is killed or closed.
#include <SDL.h>

int main(int, char**) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("Bare window", 100, 100, 800, 600, SDL_WINDOW_BORDERLESS);
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!surface) return 1;
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0xD4, 0xD0, 0xC8));
    SDL_UpdateWindowSurface(window);
    SDL_Event event;
    while (SDL_WaitEvent(&event) && event.type != SDL_QUIT) {}
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
