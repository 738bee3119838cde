// Counts the program's heap allocations through operator new, for benchmarks that report how many an operation
// makes.
#pragma once

#include <cstddef>

// The number of operator new calls the program has made so far (any thread).
size_t AllocationCount();
