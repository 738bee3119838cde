// The handle table, the thread's last error, CloseHandle and the ReadFile/WriteFile dispatch.
#include "KernelObject.h"

#include "kernel/HandleTable.h"

#include <mutex>
#include <unordered_map>

namespace win32::kernel {
namespace {

struct HandleTable {
    std::mutex lock;
    std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
};

HandleTable& Table() {
    static HandleTable table;
    return table;
}

thread_local DWORD lastError = ERROR_SUCCESS;

}  // namespace

BOOL KernelObject::Read(LPVOID, DWORD, LPDWORD done) {
    if (done) *done = 0;
    SetLastError(ERROR_INVALID_FUNCTION);
    return FALSE;
}

BOOL KernelObject::Write(LPCVOID, DWORD, LPDWORD done) {
    if (done) *done = 0;
    SetLastError(ERROR_INVALID_FUNCTION);
    return FALSE;
}

HANDLE InsertHandle(std::shared_ptr<KernelObject> object) {
    auto& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    HANDLE handle = AllocateHandle(HandleKind::Kernel);
    table.objects.emplace(reinterpret_cast<uintptr_t>(handle), std::move(object));
    return handle;
}

std::shared_ptr<KernelObject> LookupHandle(HANDLE handle) {
    auto& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    auto it = table.objects.find(reinterpret_cast<uintptr_t>(handle));
    if (it == table.objects.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return it->second;
}

std::shared_ptr<KernelObject> RemoveHandle(HANDLE handle) {
    auto& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    auto it = table.objects.find(reinterpret_cast<uintptr_t>(handle));
    if (it == table.objects.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto object = std::move(it->second);
    table.objects.erase(it);
    ReleaseHandle(handle);
    return object;
}

}  // namespace win32::kernel

using namespace win32::kernel;

DWORD GetLastError(void) { return lastError; }

void SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }

BOOL CloseHandle(HANDLE hObject) {
    auto object = RemoveHandle(hObject);
    if (!object) return FALSE;
    return object->Close();
}

namespace {

// ReadFile and WriteFile share their checks: every handle here is opened for synchronous use, so a call must
// pass its count pointer and no OVERLAPPED.
template <class Buffer, class Transfer>
BOOL TransferFile(HANDLE hFile, Buffer buffer, DWORD count, LPDWORD done, LPOVERLAPPED overlapped, Transfer transfer) {
    if (done) *done = 0;
    auto object = LookupHandle(hFile);
    if (!object) return FALSE;
    if (overlapped || !done || (!buffer && count)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return transfer(*object, buffer, count, done);
}

}  // namespace

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
              LPOVERLAPPED lpOverlapped) {
    return TransferFile(hFile, lpBuffer, nNumberOfBytesToRead, lpNumberOfBytesRead, lpOverlapped,
                        [](KernelObject& object, LPVOID buffer, DWORD count, LPDWORD done) {
                            return object.Read(buffer, count, done);
                        });
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               LPOVERLAPPED lpOverlapped) {
    return TransferFile(hFile, lpBuffer, nNumberOfBytesToWrite, lpNumberOfBytesWritten, lpOverlapped,
                        [](KernelObject& object, LPCVOID buffer, DWORD count, LPDWORD done) {
                            return object.Write(buffer, count, done);
                        });
}
