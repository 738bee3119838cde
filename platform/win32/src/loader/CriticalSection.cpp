// Critical sections over a recursive mutex kept in the record's LockSemaphore; the Windows fields that describe
// ownership (LockCount, RecursionCount, OwningThread) are kept up to date for anyone who looks.
#include <win32/windows.h>

#include <mutex>

namespace {

std::recursive_mutex* MutexOf(LPCRITICAL_SECTION section) {
    return static_cast<std::recursive_mutex*>(section->LockSemaphore);
}

void Entered(LPCRITICAL_SECTION section) {
    if (section->RecursionCount++ == 0) {
        section->OwningThread = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(GetCurrentThreadId()));
    }
    ++section->LockCount;
}

}  // namespace

void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    *lpCriticalSection = CRITICAL_SECTION{};
    lpCriticalSection->LockCount = -1;
    lpCriticalSection->LockSemaphore = new std::recursive_mutex;
}

void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    MutexOf(lpCriticalSection)->lock();
    Entered(lpCriticalSection);
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    if (!MutexOf(lpCriticalSection)->try_lock()) return FALSE;
    Entered(lpCriticalSection);
    return TRUE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    --lpCriticalSection->LockCount;
    if (--lpCriticalSection->RecursionCount == 0) lpCriticalSection->OwningThread = nullptr;
    MutexOf(lpCriticalSection)->unlock();
}

void DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
    delete MutexOf(lpCriticalSection);
    *lpCriticalSection = CRITICAL_SECTION{};
}
