// The portable line routines of both formulas, and the routine sets the slots are filled from.
#include "PixelLines.h"

#include <algorithm>
#include <cstring>

namespace pixellines {

namespace {

void CopyLinePortable(const TskColor* src, TskColor* dst, int n) {
    if (src == dst || n <= 0) return;
    std::memmove(dst, src, static_cast<size_t>(n) * sizeof(TskColor));
}

void FillLinePortable(TskColor* dst, int n, TskColor pixel) {
    if (n > 0) std::fill_n(dst, n, pixel);
}

void FillPixelRectPortable(TskColor* bits, int stride, TskColor pixel, const RECT& rect) {
    for (LONG y = rect.top; y <= rect.bottom; ++y)
        FillLinePortable(bits + static_cast<ptrdiff_t>(y) * stride + rect.left, rect.right - rect.left + 1, pixel);
}

void SetAlphaLinePortable(TskColor* dst, int n, std::uint8_t alpha) {
    TskColor top = static_cast<TskColor>(alpha) << 24;
    for (int i = 0; i < n; ++i) dst[i] = (dst[i] & 0x00FFFFFF) | top;
}

void SetAlphaPixelRectPortable(TskColor* bits, int stride, std::uint8_t alpha, const RECT& rect) {
    for (LONG y = rect.top; y <= rect.bottom; ++y)
        SetAlphaLinePortable(bits + static_cast<ptrdiff_t>(y) * stride + rect.left, rect.right - rect.left + 1, alpha);
}

void ClearKeyAlphaPortable(TskColor* bits, int n, TskColor keyPixel) {
    TskColor key = keyPixel & 0x00FFFFFF;
    for (int i = 0; i < n; ++i)
        if ((bits[i] & 0x00FFFFFF) == key) bits[i] &= 0x00FFFFFF;
}

TskColor BlendPixelA(TskColor src, TskColor dst) {
    switch (src >> 24) {
    case 255: return src;
    case 0: return dst;
    default: return BlendA(src, dst);
    }
}

TskColor BlendPixelB(TskColor src, TskColor dst) { return BlendB(src, dst); }

void BlendLineA(const TskColor* src, TskColor* dst, int n) {
    for (int i = 0; i < n; ++i) {
        TskColor s = src[i];
        switch (s >> 24) {
        case 0: break;
        case 255: dst[i] = s; break;
        default: dst[i] = BlendA(s, dst[i]);
        }
    }
}

}  // namespace

void BlendLineBPortable(const TskColor* src, TskColor* dst, int n) {
    for (int i = 0; i < n; ++i) {
        TskColor s = src[i];
        switch (s >> 24) {
        case 0: break;
        case 255: dst[i] = s; break;
        default: dst[i] = BlendB(s, dst[i]);
        }
    }
}

void CopyKeyLinePortable(const TskColor* src, TskColor* dst, int n) {
    for (int i = 0; i < n; ++i)
        if (!IsKeyPixel(src[i])) dst[i] = src[i] | 0xFF000000;
}

// Constant, so the slots hold it before any other initialiser of the program can run.
constexpr TskPixelRoutines kPortableB{
    CopyLinePortable,    FillLinePortable,      FillPixelRectPortable, SetAlphaLinePortable, SetAlphaPixelRectPortable,
    CopyKeyLinePortable, ClearKeyAlphaPortable, BlendPixelB,           BlendLineBPortable};

TskPixelRoutines PortableB() { return kPortableB; }

}  // namespace pixellines

TskPixelRoutines PixelRoutinesA() {
    TskPixelRoutines routines = pixellines::PortableB();
    routines.BlendPixel = pixellines::BlendPixelA;
    routines.BlendLine = pixellines::BlendLineA;
    return routines;
}

TskVectorLevel CpuVectorLevel() {
#if defined(__x86_64__) || defined(__i386__)
    static const TskVectorLevel level = __builtin_cpu_supports("avx2")   ? vlAvx2
                                        : __builtin_cpu_supports("sse2") ? vlSse2
                                                                         : vlPortable;
    return level;
#else
    return vlPortable;
#endif
}

TskPixelRoutines PixelRoutinesB(TskVectorLevel level) {
    TskPixelRoutines routines = pixellines::PortableB();
    level = std::min(level, CpuVectorLevel());
#if defined(__x86_64__) || defined(__i386__)
    if (level == vlSse2) {
        routines.BlendLine = pixellines::BlendLineBSse2;
        routines.CopyKeyLine = pixellines::CopyKeyLineSse2;
    } else if (level == vlAvx2) {
        routines.BlendLine = pixellines::BlendLineBAvx2;
        routines.CopyKeyLine = pixellines::CopyKeyLineAvx2;
    }
#endif
    return routines;
}

TskPixelRoutines PixelRoutines = pixellines::kPortableB;
