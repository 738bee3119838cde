// Messages to every window at once: SendMessage(HWND_BROADCAST) and the system's change notices.
#pragma once

#include <win32/windows.h>

namespace win32::user {

// Sends to every top-level window, hidden and disabled ones included (withChildren: to every window, parents
// before children). Windows destroyed by an earlier handler are skipped.
void BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam, bool unicode, bool withChildren);

// The notices the system sends when its settings change.
void NotifySysColorChange();                             // WM_SYSCOLORCHANGE to top-level windows
void NotifyThemeChange();                                // WM_THEMECHANGED to every window, then all repainted
void NotifyDisplayChange();                              // WM_DISPLAYCHANGE: 32 bits per pixel, the screen size
void NotifySettingChange(UINT action, LPCWSTR section);  // WM_SETTINGCHANGE (action, section name or null)

}  // namespace win32::user
