#pragma once
// The pixel library's arithmetic on 8-bit channels, to its rounding: the
// product of two levels, of a premultiplied pixel's four channels by one
// level, and a saturating sum of two pixels. Shared by what lays pixels
// down straight into a target (SolidCoverageBlend, GradientCoverageBlend,
// a picture laid over by PendingCoverageDrawing).

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform::graphics::PixelArithmetic {

// The product of two 8-bit values, rounded.
inline std::uint32_t multiply(std::uint32_t x, std::uint32_t y) {
    const std::uint32_t t = x * y + 0x80;
    return (t + (t >> 8)) >> 8;
}

// The same for the four channels of a pixel at once, two by two.
inline std::uint32_t multiplyChannels(std::uint32_t pixel, std::uint32_t factor) {
    std::uint32_t evens = (pixel & 0x00ff00ffu) * factor + 0x00800080u;
    evens = ((evens + ((evens >> 8) & 0x00ff00ffu)) >> 8) & 0x00ff00ffu;
    std::uint32_t odds = ((pixel >> 8) & 0x00ff00ffu) * factor + 0x00800080u;
    odds = (odds + ((odds >> 8) & 0x00ff00ffu)) & 0xff00ff00u;
    return evens | odds;
}

// Adds two pixels channel by channel, each sum held at 255.
inline std::uint32_t addSaturated(std::uint32_t a, std::uint32_t b) {
    std::uint32_t evens = (a & 0x00ff00ffu) + (b & 0x00ff00ffu);
    evens |= 0x01000100u - ((evens >> 8) & 0x00010001u);
    std::uint32_t odds = ((a >> 8) & 0x00ff00ffu) + ((b >> 8) & 0x00ff00ffu);
    odds |= 0x01000100u - ((odds >> 8) & 0x00010001u);
    return (evens & 0x00ff00ffu) | ((odds & 0x00ff00ffu) << 8);
}

// `covered`, a premultiplied pixel already through its coverage, over
// `destination`.
inline std::uint32_t over(std::uint32_t covered, std::uint32_t destination) {
    const std::uint32_t remaining = 0xff - (covered >> 24);
    if (remaining == 0) return covered;
    return addSaturated(covered, multiplyChannels(destination, remaining));
}

#if defined(__SSE2__)
// `multiply` for eight 16-bit lanes at once.
inline __m128i multiplyLanes(__m128i a, __m128i b) {
    const __m128i t = _mm_add_epi16(_mm_mullo_epi16(a, b), _mm_set1_epi16(0x80));
    return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

// `multiplyChannels` for four pixels at once, by the factor in every lane.
inline __m128i multiplyChannels4(__m128i pixels, __m128i factor) {
    const __m128i zero = _mm_setzero_si128();
    return _mm_packus_epi16(multiplyLanes(_mm_unpacklo_epi8(pixels, zero), factor),
                            multiplyLanes(_mm_unpackhi_epi8(pixels, zero), factor));
}
#endif

// Lays `count` premultiplied pixels, each already through its coverage, over
// `pixels`, as `over` does each, four at a time where the processor's
// vectors allow.
void overEach(const std::uint32_t* covered, std::uint32_t* pixels, int count);
// The same eight at a time on 256-bit vectors (PixelArithmeticWide.cpp), for
// processors with AVX2; gives the index of the first pixel it left.
int overEachWide(const std::uint32_t* covered, std::uint32_t* pixels, int count);
// Whether this processor has 256-bit vectors (AVX2).
bool hasWideVectors();
// Lays each of `count` premultiplied pixels of `source`, times `level` (as
// multiplyChannels makes it), over `pixels`, as `over` does; four at a time
// where the processor's vectors allow, passing over those the level leaves
// clear.
void overEachScaled(const std::uint32_t* source, std::uint32_t level, std::uint32_t* pixels, int count);
// The same eight at a time on 256-bit vectors, for processors with AVX2;
// gives the index of the first pixel it left.
int overEachScaledWide(const std::uint32_t* source, std::uint32_t level, std::uint32_t* pixels, int count);
// Lays each of `count` premultiplied pixels of `source`, times the level at
// the same place of `levels` (as multiplyChannels makes it), over `pixels`,
// as `over` does; four at a time where the processor's vectors allow,
// passing over those a level of 0 or a clear source leaves as they are.
void overEachThrough(const std::uint32_t* source, const std::uint8_t* levels, std::uint32_t* pixels, int count);
// Each of `count` levels times the level at the same place of `by`, as
// `multiply` makes it; sixteen at a time where the processor's vectors allow.
void multiplyEach(std::uint8_t* levels, const std::uint8_t* by, int count);

}  // namespace platform::graphics::PixelArithmetic
