// GetCurrentThreadId and GetCurrentProcessId: the kernel's thread and process ids, which are positive and unique
// while they live, as Windows' are.
#include <win32/winbase.h>

#include <sys/syscall.h>
#include <unistd.h>

DWORD GetCurrentThreadId(void) { return static_cast<DWORD>(syscall(SYS_gettid)); }

DWORD GetCurrentProcessId(void) { return static_cast<DWORD>(getpid()); }
