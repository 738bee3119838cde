// Formula B blending and key copying four pixels at a time with SSE2.
#include "PixelLines.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace pixellines {

namespace {

// Two pixels widened to 16-bit channels: ((src - dst) * a + dst * 256) >> 8, where the 16-bit wrap-around of the
// product and the sum cannot change the result because the exact value stays below 65536.
__attribute__((target("sse2"))) inline __m128i BlendHalf(__m128i s, __m128i d) {
    __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xFF), 0xFF);
    __m128i t = _mm_add_epi16(_mm_mullo_epi16(_mm_sub_epi16(s, d), a), _mm_slli_epi16(d, 8));
    return _mm_srli_epi16(t, 8);
}

}  // namespace

__attribute__((target("sse2"))) void BlendLineBSse2(const TskColor* src, TskColor* dst, int n) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000));
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        __m128i alpha = _mm_and_si128(s, alphaMask);
        __m128i opaque = _mm_cmpeq_epi32(alpha, alphaMask);
        int opaqueBits = _mm_movemask_epi8(opaque);
        if (opaqueBits == 0xFFFF) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), s);
            continue;
        }
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, zero)) == 0xFFFF) continue;
        __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        __m128i lo = BlendHalf(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero));
        __m128i hi = BlendHalf(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero));
        __m128i blended = _mm_packus_epi16(lo, hi);
        // Alpha 255 copies the source exactly; the formula alone would give (dst + 255 * src) >> 8.
        __m128i result = _mm_or_si128(_mm_and_si128(opaque, s), _mm_andnot_si128(opaque, blended));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), result);
    }
    BlendLineBPortable(src + i, dst + i, n - i);
}

__attribute__((target("sse2"))) void CopyKeyLineSse2(const TskColor* src, TskColor* dst, int n) {
    const __m128i rgbMask = _mm_set1_epi32(0x00FFFFFF);
    const __m128i key = _mm_set1_epi32(static_cast<int>(TransparentKeyRgb));
    const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000));
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        __m128i isKey = _mm_cmpeq_epi32(_mm_and_si128(s, rgbMask), key);
        int keyBits = _mm_movemask_epi8(isKey);
        if (keyBits == 0xFFFF) continue;
        __m128i opaque = _mm_or_si128(s, alphaMask);
        if (keyBits != 0) {
            __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
            opaque = _mm_or_si128(_mm_and_si128(isKey, d), _mm_andnot_si128(isKey, opaque));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), opaque);
    }
    CopyKeyLinePortable(src + i, dst + i, n - i);
}

}  // namespace pixellines

#endif
