// Broadcasting: the handle list is taken first, so handlers may create or destroy windows while it runs.
#include "user/Broadcast.h"
#include "user/Hooks.h"

#include "user/Window.h"
#include "user/WndProcCall.h"

#include <backend/Driver.h>

#include <vector>

namespace win32::user {
namespace {

void Collect(Window& window, bool withChildren, std::vector<HWND>& out) {
    for (Window* child : window.Children) {
        out.push_back(child->Handle);
        if (withChildren) Collect(*child, true, out);
    }
}

}  // namespace

void BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam, bool unicode, bool withChildren) {
    std::vector<HWND> targets;
    Collect(Desktop(), withChildren, targets);
    for (HWND hwnd : targets) {
        Window* window = FromHandleQuiet(hwnd);
        if (!window || window->Destroying) continue;
        CallWithSendHooks(hwnd, message, wParam, lParam, unicode, true, [&] {
            return CallWndProc(window->Proc, window->Unicode, unicode, hwnd, message, wParam, lParam);
        });
    }
}

void NotifySysColorChange() { BroadcastMessage(WM_SYSCOLORCHANGE, 0, 0, true, false); }

void NotifyThemeChange() {
    BroadcastMessage(WM_THEMECHANGED, 0, 0, true, true);
    // Every window's look changed: frames, bars and clients are drawn again, as the desktop does after a switch.
    std::vector<HWND> tops;
    Collect(Desktop(), false, tops);
    for (HWND hwnd : tops) {
        if (IsWindow(hwnd))
            RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void NotifyDisplayChange() {
    SIZE screen = backend::CurrentDriver().ScreenSize();
    BroadcastMessage(WM_DISPLAYCHANGE, 32, MAKELPARAM(screen.cx, screen.cy), true, false);
}

void NotifySettingChange(UINT action, LPCWSTR section) {
    BroadcastMessage(WM_SETTINGCHANGE, action, reinterpret_cast<LPARAM>(section), true, false);
}

}  // namespace win32::user
