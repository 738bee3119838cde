// What every fuzz target shares: the entry libFuzzer (or the corpus replayer) calls with one input, and the check of
// an invariant, which ends the run loudly so that the input is kept as a finding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

#define FUZZ_CHECK(condition)                                                                             \
    do {                                                                                                  \
        if (!(condition)) {                                                                               \
            std::fprintf(stderr, "%s:%d: invariant does not hold: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                                 \
        }                                                                                                 \
    } while (0)
