// The ternary raster operation engine: every one of the 256 operations is reduced, for each (pattern, source) bit
// pair, to an AND and an XOR mask on the destination, so a few row loops serve all of them.
#pragma once

#include <win32/wingdi.h>

#include <cstdint>

namespace win32::gdi {

class Rop3 {
public:
    // Only the operation index (bits 16 to 23 of a ternary raster operation code) counts.
    explicit Rop3(DWORD rop);
    static Rop3 FromIndex(uint8_t index) { return Rop3(static_cast<DWORD>(index) << 16); }

    uint8_t Index() const { return FIndex; }
    bool UsesSource() const { return ((FIndex >> 2) & 0x33) != (FIndex & 0x33); }
    bool UsesPattern() const { return ((FIndex >> 4) & 0x0F) != (FIndex & 0x0F); }
    bool UsesDestination() const { return ((FIndex >> 1) & 0x55) != (FIndex & 0x55); }

    // One pixel (or any word of bits) through the operation.
    uint32_t Apply(uint32_t pattern, uint32_t source, uint32_t destination) const;

    // dst[i] = op(pattern, src[i], dst[i]) for count pixels, on all 32 bits of each. pattern is a row of pattern
    // pixels or null for the one value solidPattern; src may be null when the operation does not read it, and may
    // overlap dst (it is read before each pixel is written, left to right, so callers handle overlapping rows that
    // run right to left).
    void Row(uint32_t* dst, const uint32_t* src, const uint32_t* pattern, uint32_t solidPattern, int count) const;

private:
    // For each (pattern, source) pair, indexed p * 2 + s: all ones where the destination bit is kept (and) and
    // where the result is flipped (xor).
    uint32_t FAnd[4];
    uint32_t FXor[4];
    uint8_t FIndex;
};

}  // namespace win32::gdi
