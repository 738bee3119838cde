// Error returns of the API functions: the thread's last error is set and the function's failure value returned.
#pragma once

#include <win32/winbase.h>

namespace win32 {

template <class Result>
Result Fail(Result result, DWORD error) {
    SetLastError(error);
    return result;
}

inline BOOL Fail(DWORD error) { return Fail<BOOL>(FALSE, error); }

}  // namespace win32
