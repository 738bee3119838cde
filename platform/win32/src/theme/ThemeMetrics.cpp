// Shared measures from the system metrics.
#include "theme/ThemeMetrics.h"

#include <win32/winuser.h>

namespace win32::theme::metrics {

int FrameWidth() { return GetSystemMetrics(SM_CXFRAME); }

int CaptionHeight() { return GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION); }

int SmallCaptionHeight() { return GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSMCAPTION); }

// The caption buttons leave two pixels of caption above and below them.
int CaptionButton() { return GetSystemMetrics(SM_CYSIZE) - 4; }

int SmallCaptionButton() { return GetSystemMetrics(SM_CYSMSIZE) - 4; }

int ScrollBarSize() { return GetSystemMetrics(SM_CXVSCROLL); }

}  // namespace win32::theme::metrics
