// The gradient shader's busiest loops on 256-bit vectors, for processors with
// AVX2, chosen at run time (GradientShader::usesWideVectors): a gradient's
// positions four pixels at a time, and the colours of positions eight at a
// time. Each lane does the operations its pixel does one by one or on 128-bit
// vectors, in the same order, so every pixel comes out the same either way.

#include "Platform/Graphics/GradientShader.h"

#include "Platform/Graphics/PixelArithmetic.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define PELLOR_WIDE_VECTORS 1
#include <immintrin.h>
#endif

namespace platform::graphics {

namespace {

thread_local int narrowDepth = 0;

}  // namespace

GradientShader::NarrowScope::NarrowScope() { ++narrowDepth; }
GradientShader::NarrowScope::~NarrowScope() { --narrowDepth; }

#if defined(PELLOR_WIDE_VECTORS)

bool GradientShader::usesWideVectors() { return narrowDepth == 0 && PixelArithmetic::hasWideVectors(); }

namespace {

// Helpers of the loops below, with their instruction set (a lambda would not
// share it).

// The lanes of `positions` below `bound`, a byte mask of them.
__attribute__((target("avx2"))) inline int lanesBelow(__m256i positions, std::int32_t bound) {
    return _mm256_movemask_epi8(_mm256_cmpgt_epi32(_mm256_set1_epi32(bound), positions));
}

__attribute__((target("avx2"))) inline __m256 along(float slope, float base, __m256 t) {
    return _mm256_add_ps(_mm256_mul_ps(_mm256_set1_ps(slope), t), _mm256_set1_ps(base));
}

// A channel rounded to its byte.
__attribute__((target("avx2"))) inline __m256i byteOf(__m256 value) {
    return _mm256_and_si256(_mm256_cvttps_epi32(_mm256_add_ps(value, _mm256_set1_ps(0.5f))), _mm256_set1_epi32(0xff));
}

// The premultiplied pixels of eight positions, `t` as fractions of one, on
// the lines of one segment between two stops.
template <typename Segment>
__attribute__((target("avx2"))) inline __m256i colorsOnLine(__m256 t, const Segment& s) {
    const __m256 alpha = _mm256_mul_ps(along(s.alphaSlope, s.alphaBase, t), _mm256_set1_ps(255.0f));
    const __m256 red = _mm256_mul_ps(along(s.redSlope, s.redBase, t), alpha);
    const __m256 green = _mm256_mul_ps(along(s.greenSlope, s.greenBase, t), alpha);
    const __m256 blue = _mm256_mul_ps(along(s.blueSlope, s.blueBase, t), alpha);
    return _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi32(byteOf(alpha), 24), _mm256_slli_epi32(byteOf(red), 16)),
                           _mm256_or_si256(_mm256_slli_epi32(byteOf(green), 8), byteOf(blue)));
}

}  // namespace

__attribute__((target("avx2"))) int GradientShader::positionsLinearWide(double first, double step, int count,
                                                                        std::int32_t* positions) const {
    const __m256d index = _mm256_set_pd(3, 2, 1, 0);
    const __m256d most = _mm256_set1_pd(2.0e9), least = _mm256_set1_pd(-2.0e9);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m256d at = _mm256_add_pd(_mm256_set1_pd(i), index);
        const __m256d position = _mm256_add_pd(_mm256_set1_pd(first), _mm256_mul_pd(_mm256_set1_pd(step), at));
        // As heldPosition holds them: out of range on the bounds, and not a
        // number on neither, which converts to noPosition.
        const __m256d held = _mm256_max_pd(least, _mm256_min_pd(most, position));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(positions + i), _mm256_cvttpd_epi32(held));
    }
    return i;
}

__attribute__((target("avx2"))) int GradientShader::positionsRadialWide(double px, double py, int count,
                                                                        std::int32_t* positions) const {
    const double smallest = -startRadius_;
    const double inverse = 1 / quadratic_;
    const __m256d index = _mm256_set_pd(3, 2, 1, 0);
    const __m256d most = _mm256_set1_pd(2.0e9), least = _mm256_set1_pd(-2.0e9);
    const __m256d zero = _mm256_setzero_pd();
    const __m128i none = _mm_set1_epi32(noPosition);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m256d at = _mm256_add_pd(_mm256_set1_pd(i), index);
        const __m256d qx = _mm256_add_pd(_mm256_set1_pd(px), _mm256_mul_pd(_mm256_set1_pd(xx_), at));
        const __m256d qy = _mm256_add_pd(_mm256_set1_pd(py), _mm256_mul_pd(_mm256_set1_pd(yx_), at));
        const __m256d along =
            _mm256_add_pd(_mm256_mul_pd(qx, _mm256_set1_pd(deltaX_)), _mm256_mul_pd(qy, _mm256_set1_pd(deltaY_)));
        const __m256d b = _mm256_add_pd(along, _mm256_set1_pd(startRadius_ * deltaRadius_));
        const __m256d c = _mm256_sub_pd(_mm256_add_pd(_mm256_mul_pd(qx, qx), _mm256_mul_pd(qy, qy)),
                                        _mm256_set1_pd(startRadius_ * startRadius_));
        const __m256d discriminant = _mm256_sub_pd(_mm256_mul_pd(b, b), _mm256_mul_pd(_mm256_set1_pd(quadratic_), c));
        const __m256d real = _mm256_cmp_pd(discriminant, zero, _CMP_GE_OQ);
        const __m256d root = _mm256_sqrt_pd(_mm256_and_pd(discriminant, real));
        const __m256d t0 = _mm256_mul_pd(_mm256_add_pd(b, root), _mm256_set1_pd(inverse));
        const __m256d t1 = _mm256_mul_pd(_mm256_sub_pd(b, root), _mm256_set1_pd(inverse));
        const __m256d first =
            _mm256_cmp_pd(_mm256_mul_pd(t0, _mm256_set1_pd(deltaRadius_)), _mm256_set1_pd(smallest), _CMP_GE_OQ);
        const __m256d second =
            _mm256_cmp_pd(_mm256_mul_pd(t1, _mm256_set1_pd(deltaRadius_)), _mm256_set1_pd(smallest), _CMP_GE_OQ);
        const __m256d t = _mm256_or_pd(_mm256_and_pd(first, t0), _mm256_andnot_pd(first, t1));
        const __m256d scaled = _mm256_mul_pd(t, _mm256_set1_pd(65536.0));
        // Out of range and not a number alike land on the bounds, as
        // heldPosition holds them; a pixel on no circle has no position.
        const __m256d held = _mm256_max_pd(least, _mm256_min_pd(most, scaled));
        const __m256d found = _mm256_and_pd(real, _mm256_or_pd(first, second));
        // Each lane's mask, all ones or none, narrowed to 32 bits.
        const __m128i foundLanes = _mm256_cvtpd_epi32(_mm256_and_pd(found, _mm256_set1_pd(-1.0)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(positions + i),
                         _mm_blendv_epi8(none, _mm256_cvttpd_epi32(held), foundLanes));
    }
    return i;
}

__attribute__((target("avx2"))) int GradientShader::colorPositionsWide(std::uint32_t* pixels, int count,
                                                                       std::size_t& segment) const {
    const __m256 fraction = _mm256_set1_ps(1.0f / 65536.0f);
    int i = 0;
    while (i + 8 <= count) {
        const __m256i positions = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels + i));
        const __m256 t = _mm256_mul_ps(_mm256_cvtepi32_ps(positions), fraction);
        const Segment& s = segments_[segment];
        const int before = lanesBelow(positions, s.left), within = lanesBelow(positions, s.right);
        if (before == 0 && within == -1) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels + i), colorsOnLine(t, s));
            i += 8;
            continue;
        }
        // A row moves along the ramp one way, so where it passes a stop its
        // eight pixels mostly lie in this segment and the next (or the one
        // before): each lane takes its colour from the line of its own.
        const bool down = before != 0;
        if (down ? segment > 0 : segment + 1 < segments_.size()) {
            const std::size_t lower = down ? segment - 1 : segment;
            const Segment& l = segments_[lower];
            const Segment& u = segments_[lower + 1];
            if (lanesBelow(positions, l.left) == 0 && lanesBelow(positions, u.right) == -1) {
                const __m256i inLower = _mm256_cmpgt_epi32(_mm256_set1_epi32(l.right), positions);
                const __m256i pixel =
                    _mm256_blendv_epi8(colorsOnLine(t, u), colorsOnLine(t, l), inLower);
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels + i), pixel);
                segment = (static_cast<std::uint32_t>(_mm256_movemask_epi8(inLower)) >> 28) != 0 ? lower : lower + 1;
                i += 8;
                continue;
            }
        }
        for (const int end = i + 8; i < end; ++i) colorOne(pixels, i, segment);
    }
    return i;
}

#else

bool GradientShader::usesWideVectors() { return false; }
int GradientShader::positionsLinearWide(double, double, int, std::int32_t*) const { return 0; }
int GradientShader::positionsRadialWide(double, double, int, std::int32_t*) const { return 0; }
int GradientShader::colorPositionsWide(std::uint32_t*, int, std::size_t&) const { return 0; }

#endif

}  // namespace platform::graphics
