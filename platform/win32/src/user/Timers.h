// Window and thread timers (SetTimer/KillTimer) as the message loop sees them: WM_TIMER is made when a timer is
// read from the queue, never queued, so a timer that elapsed several times while the loop was busy fires once.
#pragma once

#include <win32/windows.h>

#include <functional>

namespace win32::user {

// The next elapsed timer as a WM_TIMER message for the window filter (PeekMessage's hWnd: null for every
// message, (HWND)-1 for thread messages only, else that window and its children). With remove the timer starts
// its next period. Internal timers due by now run first; they make no message.
bool NextTimerMessage(MSG& msg, HWND filter, bool remove);

// How long the message loop may wait before a timer (window, thread or internal) is due: 0 when one already is,
// INFINITE when there are none.
DWORD MillisecondsToNextTimer();

// DestroyWindow calls this for each window it destroys; timers of windows that are gone are also dropped lazily.
void KillWindowTimers(HWND hwnd);

// Timers of the window manager itself (the caret's blink): a function that runs from inside the message loop
// every elapse milliseconds, keyed by id. Setting an id again restarts it.
void SetInternalTimer(int id, UINT elapse, std::function<void()> action);
void KillInternalTimer(int id);

}  // namespace win32::user
