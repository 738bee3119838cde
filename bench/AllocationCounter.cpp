// The benchmark program's replacement of operator new: malloc, counted. The library's operator delete frees it.
#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<size_t> allocations{0};

}  // namespace

size_t AllocationCount() { return allocations.load(std::memory_order_relaxed); }

void* operator new(size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

void* operator new[](size_t size) { return operator new(size); }
