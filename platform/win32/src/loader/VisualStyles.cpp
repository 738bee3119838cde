// uxtheme's state queries: visual styles are on, as on a current desktop, until the program (--classic) or a test
// turns them off.
#include "user/Broadcast.h"

#include <win32/modules.h>

#include <atomic>

namespace {

std::atomic<bool>& StylesActive() {
    static std::atomic<bool> active{true};
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
