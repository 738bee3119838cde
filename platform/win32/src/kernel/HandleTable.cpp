// The process-wide table of handle values and their kinds.
#include "kernel/HandleTable.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace win32::kernel {
namespace {

struct Table {
    std::mutex Lock;
    std::unordered_map<uintptr_t, HandleKind> Kinds;
    // Well above small integers, so an identifier or a count mistaken for a handle is refused rather than misread.
    uintptr_t Next = 0x10000;
};

Table& Handles() {
    static Table table;
    return table;
}

}  // namespace

HANDLE AllocateHandle(HandleKind kind) {
    Table& table = Handles();
    std::lock_guard<std::mutex> guard(table.Lock);
    uintptr_t value = table.Next;
    table.Next += 4;
    table.Kinds.emplace(value, kind);
    return reinterpret_cast<HANDLE>(value);
}

void ReleaseHandle(const void* handle) {
    Table& table = Handles();
    std::lock_guard<std::mutex> guard(table.Lock);
    table.Kinds.erase(reinterpret_cast<uintptr_t>(handle));
}

}  // namespace win32::kernel
