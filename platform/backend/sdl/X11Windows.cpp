// Restacking and showing without focus, over the X11 windows behind SDL windows.
#include "X11Windows.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace backend::sdl {
namespace {

bool X11WindowOf(SDL_Window* window, Display*& display, ::Window& xwindow) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    display = info.info.x11.display;
    xwindow = info.info.x11.window;
    return true;
}

// A focus change caused by a request at or after the serial passed.
Bool IsFocusChangeSince(Display*, XEvent* event, XPointer firstSerial) {
    return (event->type == FocusIn || event->type == FocusOut) &&
           event->xany.serial >= *reinterpret_cast<unsigned long*>(firstSerial);
}

}  // namespace

bool RestackX11(const std::vector<SDL_Window*>& topToBottom) {
    Display* display = nullptr;
    std::vector<::Window> stack;
    for (SDL_Window* window : topToBottom) {
        ::Window xwindow = 0;
        if (!X11WindowOf(window, display, xwindow)) return false;
        stack.push_back(xwindow);
    }
    if (!display || stack.size() < 2) return true;
    XRestackWindows(display, stack.data(), static_cast<int>(stack.size()));
    XFlush(display);
    return true;
}

void ShowWithoutFocusX11(SDL_Window* window) {
    Display* display = nullptr;
    ::Window xwindow = 0;
    if (!X11WindowOf(window, display, xwindow)) {
        SDL_ShowWindow(window);
        return;
    }
    // A user time of zero tells a window manager that the window must not take the focus when mapped.
    long zero = 0;
    XChangeProperty(display, xwindow, XInternAtom(display, "_NET_WM_USER_TIME", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&zero), 1);
    ::Window focus = 0, focusAfter = 0;
    int revert = RevertToParent, revertAfter = 0;
    XGetInputFocus(display, &focus, &revert);
    unsigned long firstSerial = NextRequest(display);
    SDL_ShowWindow(window);
    XGetInputFocus(display, &focusAfter, &revertAfter);
    if (focusAfter != xwindow || focus == xwindow) return;
    // SDL focused the window itself (it does so when no window manager runs): the focus goes back, and the focus
    // events of the round trip leave the queue before SDL reads them, as if it had never moved.
    XSetInputFocus(display, focus, revert, CurrentTime);
    XSync(display, False);
    XEvent event;
    while (XCheckIfEvent(display, &event, IsFocusChangeSince, reinterpret_cast<XPointer>(&firstSerial))) {}
}

}  // namespace backend::sdl
