#include "Platform/Graphics/PixelArithmetic.h"

#include <cstring>

namespace platform::graphics::PixelArithmetic {

#if defined(__SSE2__)
namespace {

// Four premultiplied pixels, already through their coverage, over the four at
// `pixels`, as `over` lays each.
inline void overFour(__m128i covered, std::uint32_t* pixels) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(0xff);
    const auto alphas = [](__m128i channels) {
        return _mm_shufflehi_epi16(_mm_shufflelo_epi16(channels, 0xff), 0xff);
    };
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
    const __m128i low =
        multiplyLanes(_mm_unpacklo_epi8(d, zero), _mm_sub_epi16(full, alphas(_mm_unpacklo_epi8(covered, zero))));
    const __m128i high =
        multiplyLanes(_mm_unpackhi_epi8(d, zero), _mm_sub_epi16(full, alphas(_mm_unpackhi_epi8(covered, zero))));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), _mm_adds_epu8(covered, _mm_packus_epi16(low, high)));
}

}  // namespace
#endif

// Each pixel times what its source leaves of it, plus the source, rounded
// as the pixel library rounds.
void overEach(const std::uint32_t* covered, std::uint32_t* pixels, int count) {
    int x = count >= 8 && hasWideVectors() ? overEachWide(covered, pixels, count) : 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xff000000u));
    for (; x + 4 <= count; x += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(covered + x));
        // Clear outside a shape's edges, opaque inside it.
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(s, zero)) == 0xffff) continue;
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(s, opaque), opaque)) == 0xffff) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + x), s);
            continue;
        }
        overFour(s, pixels + x);
    }
#endif
    for (; x < count; ++x) {
        if (covered[x] != 0) pixels[x] = over(covered[x], pixels[x]);
    }
}

void overEachScaled(const std::uint32_t* source, std::uint32_t level, std::uint32_t* pixels, int count) {
    int x = count >= 8 && hasWideVectors() ? overEachScaledWide(source, level, pixels, count) : 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i factor = _mm_set1_epi16(static_cast<short>(level));
    for (; x + 4 <= count; x += 4) {
        const __m128i s =
            multiplyChannels4(_mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x)), factor);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(s, zero)) == 0xffff) continue;
        overFour(s, pixels + x);
    }
#endif
    for (; x < count; ++x) {
        const std::uint32_t scaled = multiplyChannels(source[x], level);
        if (scaled != 0) pixels[x] = over(scaled, pixels[x]);
    }
}

void overEachThrough(const std::uint32_t* source, const std::uint8_t* levels, std::uint32_t* pixels, int count) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xff000000u));
    for (; x + 4 <= count; x += 4) {
        std::int32_t four;
        std::memcpy(&four, levels + x, 4);
        if (four == 0) continue;
        __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(s, zero)) == 0xffff) continue;
        if (four != -1) {
            // Each level in the four lanes of its pixel's channels.
            const __m128i wide = _mm_unpacklo_epi8(_mm_cvtsi32_si128(four), zero);
            const __m128i pairs = _mm_unpacklo_epi16(wide, wide);
            s = _mm_packus_epi16(multiplyLanes(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi32(pairs, pairs)),
                                 multiplyLanes(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi32(pairs, pairs)));
        } else if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(s, opaque), opaque)) == 0xffff) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + x), s);
            continue;
        }
        overFour(s, pixels + x);
    }
#endif
    for (; x < count; ++x) {
        if (levels[x] == 0) continue;
        const std::uint32_t covered = multiplyChannels(source[x], levels[x]);
        if (covered != 0) pixels[x] = over(covered, pixels[x]);
    }
}

void multiplyEach(std::uint8_t* levels, const std::uint8_t* by, int count) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; x + 16 <= count; x += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(levels + x));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(by + x));
        const __m128i low = multiplyLanes(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero));
        const __m128i high = multiplyLanes(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(levels + x), _mm_packus_epi16(low, high));
    }
#endif
    for (; x < count; ++x) levels[x] = static_cast<std::uint8_t>(multiply(levels[x], by[x]));
}

}  // namespace platform::graphics::PixelArithmetic
