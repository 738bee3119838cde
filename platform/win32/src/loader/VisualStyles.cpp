// uxtheme's state queries: visual styles are off until the program or a test turns them on.
#include "user/Broadcast.h"

#include <win32/modules.h>

#include <atomic>

namespace {

std::atomic<bool>& StylesActive() {
    static std::atomic<bool> active{false};
    return active;
}

}  // namespace

// With one switch for the desktop and no per-program opt-out, both questions have the same answer.
BOOL IsThemeActive(void) { return StylesActive() ? TRUE : FALSE; }

BOOL IsAppThemed(void) { return StylesActive() ? TRUE : FALSE; }

namespace win32::loader {

void SetVisualStylesActive(bool active) {
    if (StylesActive().exchange(active) == active) return;
    user::NotifyThemeChange();
}

bool VisualStylesActive() { return StylesActive(); }

}  // namespace win32::loader
