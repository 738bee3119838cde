// Nested mouse capture over SetCapture and ReleaseCapture. User-interface thread only, so the counter is unlocked.
#include <skin/Capture.h>

#include <win32/windows.h>

namespace {

HWND captureWindow = nullptr;
int captureDepth = 0;

}  // namespace

void BeginCapture(HWND window) {
    if (captureDepth == 0) {
        captureWindow = window;
        SetCapture(window);
    }
    ++captureDepth;
}

void EndCapture() {
    // An unmatched EndCapture would otherwise leave the count below zero and stop the next BeginCapture from
    // capturing at all.
    if (captureDepth == 0) return;
    if (--captureDepth == 0) {
        if (captureWindow && GetCapture() == captureWindow) ReleaseCapture();
        captureWindow = nullptr;
    }
}

int CaptureDepth() { return captureDepth; }
