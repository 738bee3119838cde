// SetTimer and KillTimer, and the timer side of the message loop. Timers keep their phase: a timer set to 50 ms
// comes due at 50, 100, 150 ... after SetTimer, and one that elapsed several times unread fires once.
#include "Timers.h"

#include "Window.h"

#include <chrono>
#include <map>
#include <mutex>
#include <vector>

namespace win32::user {
namespace {

using Clock = std::chrono::steady_clock;

struct Timer {
    HWND Window = nullptr;  // null for a thread timer
    UINT_PTR Id = 0;
    UINT Elapse = 0;
    TIMERPROC Proc = nullptr;
    Clock::time_point Due;
};

struct InternalTimer {
    UINT Elapse = 0;
    std::function<void()> Action;
    Clock::time_point Due;
};

struct TimerTable {
    std::mutex Lock;
    std::vector<Timer> Timers;
    std::map<int, InternalTimer> Internal;
    UINT_PTR LastThreadTimerId = 0;
};

TimerTable& Table() {
    static TimerTable table;
    return table;
}

// The first due time after now, keeping the timer's phase.
Clock::time_point NextDue(Clock::time_point due, UINT elapse, Clock::time_point now) {
    std::chrono::milliseconds period(elapse);
    if (due > now) return due;
    auto periods = (now - due) / period + 1;
    return due + periods * period;
}

bool MatchesFilter(HWND filter, HWND target) {
    if (!filter) return true;
    if (filter == reinterpret_cast<HWND>(-1)) return target == nullptr;
    if (!target) return false;
    if (target == filter) return true;
    Window* window = FromHandleQuiet(target);
    for (Window* parent = window ? window->Parent : nullptr; parent; parent = parent->Parent) {
        if (parent->Handle == filter) return true;
    }
    return false;
}

// Timers of windows that are gone never fire again (DestroyWindow may not have told us).
void DropDeadTimersLocked(TimerTable& table) {
    auto& timers = table.Timers;
    for (size_t i = 0; i < timers.size();) {
        if (timers[i].Window && !FromHandleQuiet(timers[i].Window)) {
            timers.erase(timers.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void RunDueInternalTimers() {
    auto& table = Table();
    std::vector<std::function<void()>> due;
    {
        std::lock_guard<std::mutex> lock(table.Lock);
        auto now = Clock::now();
        for (auto& [id, timer] : table.Internal) {
            if (timer.Due > now) continue;
            timer.Due = NextDue(timer.Due, timer.Elapse, now);
            due.push_back(timer.Action);
        }
    }
    // Outside the lock: an action may set or kill timers.
    for (auto& action : due) action();
}

Timer* FindLocked(TimerTable& table, HWND hwnd, UINT_PTR id) {
    for (auto& timer : table.Timers) {
        if (timer.Window == hwnd && timer.Id == id) return &timer;
    }
    return nullptr;
}

}  // namespace

bool NextTimerMessage(MSG& msg, HWND filter, bool remove) {
    RunDueInternalTimers();
    auto& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    DropDeadTimersLocked(table);
    auto now = Clock::now();
    Timer* chosen = nullptr;
    // The timer that has waited longest goes first, so a short timer cannot starve a long one.
    for (auto& timer : table.Timers) {
        if (timer.Due > now || !MatchesFilter(filter, timer.Window)) continue;
        if (!chosen || timer.Due < chosen->Due) chosen = &timer;
    }
    if (!chosen) return false;
    msg.hwnd = chosen->Window;
    msg.message = WM_TIMER;
    msg.wParam = chosen->Id;
    msg.lParam = reinterpret_cast<LPARAM>(chosen->Proc);
    msg.time = GetTickCount();
    msg.pt = State().CursorPos;
    if (remove) chosen->Due = NextDue(chosen->Due, chosen->Elapse, now);
    return true;
}

DWORD MillisecondsToNextTimer() {
    auto& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    DropDeadTimersLocked(table);
    bool any = false;
    Clock::time_point earliest;
    auto consider = [&](Clock::time_point due) {
        if (!any || due < earliest) earliest = due;
        any = true;
    };
    for (auto& timer : table.Timers) consider(timer.Due);
    for (auto& [id, timer] : table.Internal) consider(timer.Due);
    if (!any) return INFINITE;
    auto now = Clock::now();
    if (earliest <= now) return 0;
    // Rounded up: waking a little late is harmless, waking early only spins the loop once more.
    auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(earliest - now + std::chrono::microseconds(999));
    return static_cast<DWORD>(wait.count());
}

void KillWindowTimers(HWND hwnd) {
    if (!hwnd) return;
    auto& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    auto& timers = table.Timers;
    for (size_t i = 0; i < timers.size();) {
        if (timers[i].Window == hwnd) {
            timers.erase(timers.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void SetInternalTimer(int id, UINT elapse, std::function<void()> action) {
    auto& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    auto& timer = table.Internal[id];
    timer.Elapse = elapse < 1 ? 1 : elapse;
    timer.Action = std::move(action);
    timer.Due = Clock::now() + std::chrono::milliseconds(timer.Elapse);
}

void KillInternalTimer(int id) {
    auto& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    table.Internal.erase(id);
}

}  // namespace win32::user

using namespace win32::user;

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    if (hWnd && !FromHandle(hWnd)) return 0;
    UINT elapse = uElapse < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM
                                               : (uElapse > USER_TIMER_MAXIMUM ? USER_TIMER_MAXIMUM : uElapse);
    auto& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    Timer* timer = nullptr;
    if (hWnd || nIDEvent) timer = FindLocked(table, hWnd, nIDEvent);
    if (!timer) {
        UINT_PTR id = nIDEvent;
        if (!hWnd) {
            // A thread timer gets an identifier of its own, never one in use.
            do {
                id = ++table.LastThreadTimerId;
                if (id == 0) id = ++table.LastThreadTimerId;
            } while (FindLocked(table, nullptr, id));
        }
        table.Timers.push_back(Timer{hWnd, id, 0, nullptr, {}});
        timer = &table.Timers.back();
    }
    timer->Elapse = elapse;
    timer->Proc = lpTimerFunc;
    timer->Due = Clock::now() + std::chrono::milliseconds(elapse);
    if (!hWnd) return timer->Id;
    return timer->Id ? timer->Id : 1;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    if (hWnd && !FromHandle(hWnd)) return FALSE;
    auto& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    auto& timers = table.Timers;
    for (auto it = timers.begin(); it != timers.end(); ++it) {
        if (it->Window == hWnd && it->Id == uIDEvent) {
            timers.erase(it);
            return TRUE;
        }
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}
