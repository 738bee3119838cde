// Kernel objects behind HANDLE values, and the process-wide table that maps one to the other.
#pragma once

#include <win32/winbase.h>

#include <memory>

namespace win32::kernel {

// A kernel object answers ReadFile, WriteFile, CloseHandle and GetFileType. The defaults fail as Windows does for an
// object that does not support the call.
class KernelObject {
public:
    virtual ~KernelObject() = default;
    virtual BOOL Read(LPVOID buffer, DWORD count, LPDWORD done);
    virtual BOOL Write(LPCVOID buffer, DWORD count, LPDWORD done);
    // Releases what the object holds; the answer is CloseHandle's.
    virtual BOOL Close() { return TRUE; }
    // GetFileType's answer for the handle.
    virtual DWORD FileType() const { return FILE_TYPE_UNKNOWN; }
};

// Handles come from the one handle table: positive, never INVALID_HANDLE_VALUE, never a window's or a GDI object's.
HANDLE InsertHandle(std::shared_ptr<KernelObject> object);

// The object behind a handle, or null with ERROR_INVALID_HANDLE set.
std::shared_ptr<KernelObject> LookupHandle(HANDLE handle);

template <class T>
std::shared_ptr<T> LookupHandleAs(HANDLE handle) {
    auto object = std::dynamic_pointer_cast<T>(LookupHandle(handle));
    if (!object) SetLastError(ERROR_INVALID_HANDLE);
    return object;
}

// Takes the object out of the table; null with ERROR_INVALID_HANDLE when there is none.
std::shared_ptr<KernelObject> RemoveHandle(HANDLE handle);

}  // namespace win32::kernel
