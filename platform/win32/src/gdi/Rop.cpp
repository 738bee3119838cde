// The ternary raster operation engine: AND/XOR masks per (pattern, source) pair and the row loops, with straight
// fills and copies for the operations that are nothing more.
#include "Rop.h"

#include <algorithm>
#include <cstring>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define ROP_HAVE_AVX2_PATH 1
#endif

namespace win32::gdi {

namespace {

// Operation indices with loops of their own. Bit p*4 + s*2 + d of an index is the result for those input bits.
constexpr uint8_t kBlackness = 0x00;
constexpr uint8_t kNotSrcErase = 0x11;
constexpr uint8_t kNotSrcCopy = 0x33;
constexpr uint8_t kDstInvert = 0x55;
constexpr uint8_t kPatInvert = 0x5A;
constexpr uint8_t kSrcInvert = 0x66;
constexpr uint8_t kSrcAnd = 0x88;
constexpr uint8_t kDestination = 0xAA;
constexpr uint8_t kSrcCopy = 0xCC;
constexpr uint8_t kSrcPaint = 0xEE;
constexpr uint8_t kPatCopy = 0xF0;
constexpr uint8_t kWhiteness = 0xFF;

// The mask for one (pattern, source) pair: all ones where the pattern and source bits are p and s.
inline uint32_t Select(const uint32_t masks[4], uint32_t pattern, uint32_t source) {
    uint32_t whenSourceClear = masks[0] ^ (pattern & (masks[0] ^ masks[2]));
    uint32_t whenSourceSet = masks[1] ^ (pattern & (masks[1] ^ masks[3]));
    return whenSourceClear ^ (source & (whenSourceClear ^ whenSourceSet));
}

#ifdef ROP_HAVE_AVX2_PATH
// Aligned 32-byte stores: memset's speed for values whose four bytes differ. Chosen at run time, so the build
// needs no machine flags.
__attribute__((target("avx2"))) void FillAvx2(uint32_t* dst, int count, uint32_t value) {
    int i = 0;
    while (i < count && (reinterpret_cast<uintptr_t>(dst + i) & 31) != 0) dst[i++] = value;
    __m256i wide = _mm256_set1_epi32(static_cast<int>(value));
    for (; i + 8 <= count; i += 8) _mm256_store_si256(reinterpret_cast<__m256i*>(dst + i), wide);
    for (; i < count; ++i) dst[i] = value;
}

constexpr int kStringStoreMinimum = 16384;

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

// A row of one pixel value: the fill every solid brush ends in, so it runs at memory speed.
void FillPixels(uint32_t* dst, int count, uint32_t value) {
    uint32_t low = value & 0xFF;
    if (value == low * 0x01010101u) {
        std::memset(dst, static_cast<int>(low), static_cast<size_t>(count) * sizeof(uint32_t));
        return;
    }
#ifdef ROP_HAVE_AVX2_PATH
    // Long runs (whole bitmaps) go through the string store, which writes whole cache lines without reading
    // them first, as memset does for large sizes; vector stores win on short rows.
    if (count >= kStringStoreMinimum) {
        size_t n = static_cast<size_t>(count);
        asm volatile("rep stosl" : "+D"(dst), "+c"(n) : "a"(value) : "memory");
        return;
    }
    if (HasAvx2()) {
        FillAvx2(dst, count, value);
        return;
    }
#endif
    typedef uint32_t Quad __attribute__((vector_size(16)));
    Quad quad = {value, value, value, value};
    int i = 0;
    for (; i + 4 <= count; i += 4) std::memcpy(dst + i, &quad, sizeof quad);
    for (; i < count; ++i) dst[i] = value;
}

}  // namespace

Rop3::Rop3(DWORD rop) : FIndex(static_cast<uint8_t>((rop >> 16) & 0xFF)) {
    for (int p = 0; p < 2; ++p) {
        for (int s = 0; s < 2; ++s) {
            int base = p * 4 + s * 2;
            bool whenClear = (FIndex >> base) & 1;
            bool whenSet = (FIndex >> (base + 1)) & 1;
            // result = (d & and) ^ xor: xor is the result for d = 0, and says whether d = 1 gives another one.
            FXor[p * 2 + s] = whenClear ? ~0u : 0u;
            FAnd[p * 2 + s] = whenClear != whenSet ? ~0u : 0u;
        }
    }
}

uint32_t Rop3::Apply(uint32_t pattern, uint32_t source, uint32_t destination) const {
    return (destination & Select(FAnd, pattern, source)) ^ Select(FXor, pattern, source);
}

void Rop3::Row(uint32_t* dst, const uint32_t* src, const uint32_t* pattern, uint32_t solidPattern, int count) const {
    if (count <= 0) return;
    switch (FIndex) {
    case kDestination: return;
    case kBlackness: FillPixels(dst, count, 0u); return;
    case kWhiteness: FillPixels(dst, count, ~0u); return;
    case kDstInvert:
        for (int i = 0; i < count; ++i) dst[i] = ~dst[i];
        return;
    case kSrcCopy: std::memmove(dst, src, static_cast<size_t>(count) * sizeof(uint32_t)); return;
    case kNotSrcCopy:
        for (int i = 0; i < count; ++i) dst[i] = ~src[i];
        return;
    case kSrcInvert:
        for (int i = 0; i < count; ++i) dst[i] ^= src[i];
        return;
    case kSrcAnd:
        for (int i = 0; i < count; ++i) dst[i] &= src[i];
        return;
    case kSrcPaint:
        for (int i = 0; i < count; ++i) dst[i] |= src[i];
        return;
    case kNotSrcErase:
        for (int i = 0; i < count; ++i) dst[i] = ~(dst[i] | src[i]);
        return;
    case kPatCopy:
        if (!pattern) {
            FillPixels(dst, count, solidPattern);
        } else {
            std::memcpy(dst, pattern, static_cast<size_t>(count) * sizeof(uint32_t));
        }
        return;
    case kPatInvert:
        if (!pattern) {
            for (int i = 0; i < count; ++i) dst[i] ^= solidPattern;
        } else {
            for (int i = 0; i < count; ++i) dst[i] ^= pattern[i];
        }
        return;
    default: break;
    }

    bool readsSource = UsesSource();
    if (!pattern) {
        // A solid pattern leaves each mask a choice between two words, picked by the source bits.
        uint32_t and0 = Select(FAnd, solidPattern, 0), and1 = Select(FAnd, solidPattern, ~0u);
        uint32_t xor0 = Select(FXor, solidPattern, 0), xor1 = Select(FXor, solidPattern, ~0u);
        if (!readsSource) {
            for (int i = 0; i < count; ++i) dst[i] = (dst[i] & and0) ^ xor0;
            return;
        }
        uint32_t andDiff = and0 ^ and1, xorDiff = xor0 ^ xor1;
        for (int i = 0; i < count; ++i) {
            uint32_t s = src[i];
            dst[i] = (dst[i] & (and0 ^ (s & andDiff))) ^ (xor0 ^ (s & xorDiff));
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        uint32_t s = readsSource ? src[i] : 0u;
        dst[i] = Apply(pattern[i], s, dst[i]);
    }
}

}  // namespace win32::gdi
