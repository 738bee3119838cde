// The line routines behind the pixel routine slots, one set per formula and instruction set; the vector sets
// give the portable formula B pixels exactly.
#pragma once

#include <skin/PixelOps.h>

namespace pixellines {

// Formula B on one pixel, the reference every vector loop is held to.
inline TskColor BlendB(TskColor src, TskColor dst) {
    // Two channels per 32-bit word, 16 bits apart: no lane can carry into the next because
    // dst.c * (256 - a) + src.c * a stays below 65536.
    std::uint32_t a = src >> 24;
    std::uint32_t rb = ((dst & 0x00FF00FF) * (256 - a) + (src & 0x00FF00FF) * a) >> 8;
    std::uint32_t ag = ((dst >> 8) & 0x00FF00FF) * (256 - a) + ((src >> 8) & 0x00FF00FF) * a;
    return (rb & 0x00FF00FF) | (ag & 0xFF00FF00);
}

inline TskColor BlendA(TskColor src, TskColor dst) {
    std::uint32_t a = src >> 24;
    std::uint32_t rb = ((src & 0x00FF00FF) * a + (dst & 0x00FF00FF) * (255 - a)) >> 8;
    std::uint32_t g = ((src & 0x0000FF00) * a + (dst & 0x0000FF00) * (255 - a)) >> 8;
    return 0xFF000000 | (rb & 0x00FF00FF) | (g & 0x0000FF00);
}

// Formula B with the line rule: alpha 0 keeps dst (which the formula does by itself), 255 copies src.
void BlendLineBPortable(const TskColor* src, TskColor* dst, int n);
void CopyKeyLinePortable(const TskColor* src, TskColor* dst, int n);

// Present only where the compiler targets x86; callers ask CpuVectorLevel first.
void BlendLineBSse2(const TskColor* src, TskColor* dst, int n);
void CopyKeyLineSse2(const TskColor* src, TskColor* dst, int n);
void BlendLineBAvx2(const TskColor* src, TskColor* dst, int n);
void CopyKeyLineAvx2(const TskColor* src, TskColor* dst, int n);

TskPixelRoutines PortableB();

}  // namespace pixellines
