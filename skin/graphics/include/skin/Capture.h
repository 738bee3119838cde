// Nested mouse capture: pairs of BeginCapture and EndCapture may nest; only the outermost pair takes and
// releases the capture.
#pragma once

#include <win32/windef.h>

// Captures the mouse for window when no capture is held through these calls yet; always counts one level in.
void BeginCapture(HWND window);
// Counts one level out; leaving the outermost level releases the capture if the window remembered by the first
// BeginCapture still holds it. More EndCapture than BeginCapture calls do nothing.
void EndCapture();
// The current nesting depth (0 when no capture is held through these calls).
int CaptureDepth();
