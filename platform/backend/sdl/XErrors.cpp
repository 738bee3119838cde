// Xlib's own handlers call exit() on any error, which runs the exit handlers and static destructors with the
// windows alive: the driver's destructor then waits for replies from a server that is gone. A protocol error is
// a failed request, as a failed call is on Windows, so it is only reported. A lost connection leaves nothing to
// close on the server side, and destructors would only talk to it, so the process ends without them (_exit).
#include "XErrors.h"

#include <X11/Xlib.h>

#include <unistd.h>
#include <cerrno>
#include <cstdio>

namespace backend::sdl {

namespace {

int ReportProtocolError(Display* display, XErrorEvent* event) {
    char text[160] = {};
    XGetErrorText(display, event->error_code, text, sizeof text);
    std::fprintf(stderr, "%s: X protocol error ignored: %s (request %d.%d, resource 0x%lx)\n",
                 program_invocation_short_name, text, event->request_code, event->minor_code, event->resourceid);
    return 0;
}

int EndOnLostDisplay(Display* display) {
    std::fprintf(stderr, "%s: the connection to the X display %s was lost; the program ends\n",
                 program_invocation_short_name, display ? DisplayString(display) : "");
    std::fflush(stderr);
    _exit(1);
}

}  // namespace

void InstallXErrorHandlers() {
    XSetErrorHandler(ReportProtocolError);
    XSetIOErrorHandler(EndOnLostDisplay);
}

}  // namespace backend::sdl
