// The calling thread's window hooks, as the window manager runs them: CBT notifications, sent-message hooks,
// message retrieval and the modal loops' message filters.
#pragma once

#include <win32/windows.h>

namespace win32::user {

// Whether the thread has a hook of the kind; callers skip building the hook's arguments when it has none.
bool HasHooks(int idHook);
// Runs the thread's chain for idHook from its newest hook and answers what the first hook answers (0 without
// hooks). unicode says how the caller's strings are encoded; HCBT_CREATEWND's CREATESTRUCT is converted for a hook
// of the other character set.
LRESULT CallHooks(int idHook, int code, WPARAM wParam, LPARAM lParam, bool unicode);

// The CBT notifications: true when a hook vetoes the operation.
bool CbtVetoes(int code, WPARAM wParam, LPARAM lParam, bool unicode = true);

void RunCallWndProcHooks(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool unicode, bool thisThread);
void RunCallWndProcRetHooks(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT result, bool unicode,
                            bool thisThread);

// A sent message's delivery (call runs the window procedure) with WH_CALLWNDPROC before it and WH_CALLWNDPROCRET
// after it. thisThread: the sender is the receiving thread. Dispatched messages and CallWindowProc see no hooks.
template <class Call>
LRESULT CallWithSendHooks(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool unicode, bool thisThread,
                          Call call) {
    if (HasHooks(WH_CALLWNDPROC)) RunCallWndProcHooks(hwnd, message, wParam, lParam, unicode, thisThread);
    LRESULT result = call();
    if (HasHooks(WH_CALLWNDPROCRET)) RunCallWndProcRetHooks(hwnd, message, wParam, lParam, result, unicode, thisThread);
    return result;
}

}  // namespace win32::user
