// Formula B blending and key copying eight pixels at a time with AVX2, used only when the processor has it.
#include "PixelLines.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace pixellines {

namespace {

// As the SSE2 loop: the 16-bit wrap-around cannot change ((src - dst) * a + dst * 256) >> 8.
__attribute__((target("avx2"))) inline __m256i BlendHalf(__m256i s, __m256i d) {
    __m256i a = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(s, 0xFF), 0xFF);
    __m256i t = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(s, d), a), _mm256_slli_epi16(d, 8));
    return _mm256_srli_epi16(t, 8);
}

}  // namespace

__attribute__((target("avx2"))) void BlendLineBAvx2(const TskColor* src, TskColor* dst, int n) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i alphaMask = _mm256_set1_epi32(static_cast<int>(0xFF000000));
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        __m256i alpha = _mm256_and_si256(s, alphaMask);
        __m256i opaque = _mm256_cmpeq_epi32(alpha, alphaMask);
        if (_mm256_movemask_epi8(opaque) == -1) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), s);
            continue;
        }
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alpha, zero)) == -1) continue;
        __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
        // Unpacking and packing both work within 128-bit lanes, so the pixel order comes back unchanged.
        __m256i lo = BlendHalf(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero));
        __m256i hi = BlendHalf(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero));
        __m256i blended = _mm256_packus_epi16(lo, hi);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), _mm256_blendv_epi8(blended, s, opaque));
    }
    BlendLineBPortable(src + i, dst + i, n - i);
}

__attribute__((target("avx2"))) void CopyKeyLineAvx2(const TskColor* src, TskColor* dst, int n) {
    const __m256i rgbMask = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i key = _mm256_set1_epi32(static_cast<int>(TransparentKeyRgb));
    const __m256i alphaMask = _mm256_set1_epi32(static_cast<int>(0xFF000000));
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        __m256i isKey = _mm256_cmpeq_epi32(_mm256_and_si256(s, rgbMask), key);
        int keyBits = _mm256_movemask_epi8(isKey);
        if (keyBits == -1) continue;
        __m256i opaque = _mm256_or_si256(s, alphaMask);
        if (keyBits != 0)
            opaque = _mm256_blendv_epi8(opaque, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i)), isKey);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), opaque);
    }
    CopyKeyLinePortable(src + i, dst + i, n - i);
}

}  // namespace pixellines

#endif
