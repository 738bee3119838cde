// GlobalAlloc and its family. A fixed block's handle is its address; a moveable block's handle is a separate
// value that GlobalLock turns into the address, counting locks as Windows does.
#include <win32/winbase.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

constexpr UINT SupportedFlags = GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE;

struct Block {
    bool Moveable = false;
    SIZE_T Size = 0;
    std::unique_ptr<unsigned char[]> Data;  // null for a moveable block of 0 bytes (discarded)
    unsigned LockCount = 0;
};

struct GlobalTable {
    std::mutex Lock;
    std::unordered_map<HGLOBAL, std::unique_ptr<Block>> Blocks;
};

GlobalTable& Table() {
    static GlobalTable table;
    return table;
}

Block* FindLocked(GlobalTable& table, HGLOBAL handle) {
    auto it = table.Blocks.find(handle);
    if (it == table.Blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return it->second.get();
}

}  // namespace

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
    if (uFlags & ~SupportedFlags) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto block = std::make_unique<Block>();
    block->Moveable = (uFlags & GMEM_MOVEABLE) != 0;
    block->Size = dwBytes;
    if (dwBytes > 0 || !block->Moveable) {
        // Even a fixed block of 0 bytes needs an address of its own: it is the handle.
        block->Data.reset(new (std::nothrow) unsigned char[dwBytes > 0 ? dwBytes : 1]);
        if (!block->Data) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        if (uFlags & GMEM_ZEROINIT) std::memset(block->Data.get(), 0, dwBytes);
    }
    HGLOBAL handle = block->Moveable ? static_cast<HGLOBAL>(block.get()) : static_cast<HGLOBAL>(block->Data.get());
    auto& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    table.Blocks.emplace(handle, std::move(block));
    return handle;
}

LPVOID GlobalLock(HGLOBAL hMem) {
    auto& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    Block* block = FindLocked(table, hMem);
    if (!block) return nullptr;
    if (!block->Moveable) return block->Data.get();
    if (!block->Data) {
        SetLastError(ERROR_DISCARDED);
        return nullptr;
    }
    ++block->LockCount;
    return block->Data.get();
}

BOOL GlobalUnlock(HGLOBAL hMem) {
    auto& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    Block* block = FindLocked(table, hMem);
    if (!block) return FALSE;
    // A fixed block is never locked; unlocking it always succeeds.
    if (!block->Moveable) return TRUE;
    if (block->LockCount == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    if (--block->LockCount > 0) return TRUE;
    SetLastError(NO_ERROR);
    return FALSE;
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
    if (!hMem) return nullptr;
    auto& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    auto it = table.Blocks.find(hMem);
    if (it == table.Blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return hMem;
    }
    // A locked block is freed too, as Windows does.
    table.Blocks.erase(it);
    return nullptr;
}

SIZE_T GlobalSize(HGLOBAL hMem) {
    auto& table = Table();
    std::lock_guard<std::mutex> lock(table.Lock);
    Block* block = FindLocked(table, hMem);
    return block ? block->Size : 0;
}
