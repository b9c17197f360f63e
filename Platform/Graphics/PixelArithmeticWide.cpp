// Laying covered pixels (or pixels scaled by a level) over a target eight at
// a time on 256-bit vectors, for processors with AVX2, chosen at run time:
// each pixel goes through the operations it goes through four at a time, so
// it comes out the same.

#include "Platform/Graphics/PixelArithmetic.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define PELLOR_WIDE_VECTORS 1
#include <immintrin.h>
#endif

namespace platform::graphics::PixelArithmetic {

#if defined(PELLOR_WIDE_VECTORS)

bool hasWideVectors() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

namespace {

// Each 16-bit product of the lanes, rounded as `multiply` rounds it.
__attribute__((target("avx2"))) inline __m256i multiplyLanes(__m256i a, __m256i b) {
    const __m256i t = _mm256_add_epi16(_mm256_mullo_epi16(a, b), _mm256_set1_epi16(0x80));
    return _mm256_srli_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), 8);
}

// Eight premultiplied pixels, already through their coverage (`s`, and its
// channels widened to 16 bits in `sourceLow` and `sourceHigh` as unpacking
// gives them), over the eight at `pixels`, as `over` lays each. Unpacking and
// packing both work within each 128-bit half, so the pixels come back in
// their places.
__attribute__((target("avx2"))) inline void overEight(__m256i s, __m256i sourceLow, __m256i sourceHigh,
                                                       std::uint32_t* pixels) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i full = _mm256_set1_epi16(0xff);
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels));
    const __m256i remainingLow =
        _mm256_sub_epi16(full, _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(sourceLow, 0xff), 0xff));
    const __m256i remainingHigh =
        _mm256_sub_epi16(full, _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(sourceHigh, 0xff), 0xff));
    const __m256i low = multiplyLanes(_mm256_unpacklo_epi8(d, zero), remainingLow);
    const __m256i high = multiplyLanes(_mm256_unpackhi_epi8(d, zero), remainingHigh);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels), _mm256_adds_epu8(s, _mm256_packus_epi16(low, high)));
}

}  // namespace

__attribute__((target("avx2"))) int overEachWide(const std::uint32_t* covered, std::uint32_t* pixels, int count) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xff000000u));
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(covered + x));
        // Clear outside a shape's edges, opaque inside it.
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(s, zero)) == -1) continue;
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_and_si256(s, opaque), opaque)) == -1) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels + x), s);
            continue;
        }
        overEight(s, _mm256_unpacklo_epi8(s, zero), _mm256_unpackhi_epi8(s, zero), pixels + x);
    }
    return x;
}

__attribute__((target("avx2"))) int overEachScaledWide(const std::uint32_t* source, std::uint32_t level,
                                                        std::uint32_t* pixels, int count) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i factor = _mm256_set1_epi16(static_cast<short>(level));
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        const __m256i raw = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + x));
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(raw, zero)) == -1) continue;
        const __m256i sourceLow = multiplyLanes(_mm256_unpacklo_epi8(raw, zero), factor);
        const __m256i sourceHigh = multiplyLanes(_mm256_unpackhi_epi8(raw, zero), factor);
        overEight(_mm256_packus_epi16(sourceLow, sourceHigh), sourceLow, sourceHigh, pixels + x);
    }
    return x;
}

#else

bool hasWideVectors() { return false; }
int overEachWide(const std::uint32_t*, std::uint32_t*, int) { return 0; }
int overEachScaledWide(const std::uint32_t*, std::uint32_t, std::uint32_t*, int) { return 0; }

#endif

}  // namespace platform::graphics::PixelArithmetic
