// Sleep, GetTickCount and GetLocalTime over the POSIX clocks.
#include <win32/winbase.h>

#include <sched.h>
#include <cerrno>
#include <ctime>

void Sleep(DWORD dwMilliseconds) {
    if (dwMilliseconds == 0) {
        // Windows gives up the rest of the time slice.
        sched_yield();
        return;
    }
    if (dwMilliseconds == INFINITE) {
        for (;;) {
            struct timespec day = {86400, 0};
            nanosleep(&day, nullptr);
        }
    }
    struct timespec left = {static_cast<time_t>(dwMilliseconds / 1000),
                            static_cast<long>(dwMilliseconds % 1000) * 1000000L};
    // A signal handler must not cut the sleep short: Sleep has no way to report it.
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {}
}

DWORD GetTickCount(void) {
    // Like Windows' tick count, the boot-time clock keeps counting while the machine is suspended.
    struct timespec now;
    clock_gettime(CLOCK_BOOTTIME, &now);
    unsigned long long ms = static_cast<unsigned long long>(now.tv_sec) * 1000ULL + now.tv_nsec / 1000000;
    return static_cast<DWORD>(ms);  // wraps after 49.7 days, as on Windows
}

void GetLocalTime(LPSYSTEMTIME lpSystemTime) {
    if (!lpSystemTime) return;
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    struct tm local;
    localtime_r(&now.tv_sec, &local);
    lpSystemTime->wYear = static_cast<WORD>(local.tm_year + 1900);
    lpSystemTime->wMonth = static_cast<WORD>(local.tm_mon + 1);
    lpSystemTime->wDayOfWeek = static_cast<WORD>(local.tm_wday);  // 0 is Sunday in both
    lpSystemTime->wDay = static_cast<WORD>(local.tm_mday);
    lpSystemTime->wHour = static_cast<WORD>(local.tm_hour);
    lpSystemTime->wMinute = static_cast<WORD>(local.tm_min);
    // A leap second reads as second 59, which SYSTEMTIME can hold.
    lpSystemTime->wSecond = static_cast<WORD>(local.tm_sec > 59 ? 59 : local.tm_sec);
    lpSystemTime->wMilliseconds = static_cast<WORD>(now.tv_nsec / 1000000);
}
