// The handle table, the thread's last error, CloseHandle and the ReadFile/WriteFile dispatch.
#include "KernelObject.h"

#include <mutex>
#include <unordered_map>

namespace win32::kernel {
namespace {

struct HandleTable {
    std::mutex lock;
    std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
    uintptr_t next = 4;
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
    uintptr_t value = table.next;
    while (table.objects.count(value) || value == 0 || static_cast<intptr_t>(value) < 0) {
        value += 4;
        if (static_cast<intptr_t>(value) <= 0) value = 4;
    }
    table.next = value + 4;
    table.objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
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

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
              LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
    auto object = LookupHandle(hFile);
    if (!object) return FALSE;
    // Every handle here is opened for synchronous use; a synchronous call must pass its count pointer.
    if (lpOverlapped || !lpNumberOfBytesRead || (!lpBuffer && nNumberOfBytesToRead)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return object->Read(lpBuffer, nNumberOfBytesToRead, lpNumberOfBytesRead);
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
    auto object = LookupHandle(hFile);
    if (!object) return FALSE;
    if (lpOverlapped || !lpNumberOfBytesWritten || (!lpBuffer && nNumberOfBytesToWrite)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return object->Write(lpBuffer, nNumberOfBytesToWrite, lpNumberOfBytesWritten);
}
