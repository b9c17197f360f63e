#include "Platform/Graphics/GradientShader.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform::graphics {

namespace {

constexpr double fixedOne = 65536.0;

// Cairo keeps each straight channel of a stop in 16 bits, rounded.
std::uint16_t sixteenBits(double value) {
    if (!(value > 0)) return 0;
    if (value >= 1) return 0xffff;
    return static_cast<std::uint16_t>(value * 65535.0 + 0.5);
}

}  // namespace

std::optional<GradientShader> GradientShader::make(cairo_pattern_t* pattern, const cairo_matrix_t& matrix) {
    const cairo_pattern_type_t type = cairo_pattern_get_type(pattern);
    if ((type != CAIRO_PATTERN_TYPE_LINEAR && type != CAIRO_PATTERN_TYPE_RADIAL) ||
        cairo_pattern_get_extend(pattern) != CAIRO_EXTEND_PAD ||
        cairo_pattern_status(pattern) != CAIRO_STATUS_SUCCESS) {
        return std::nullopt;
    }
    int count = 0;
    if (cairo_pattern_get_color_stop_count(pattern, &count) != CAIRO_STATUS_SUCCESS || count < 1) return std::nullopt;

    GradientShader shader;
    // Device to the gradient's space: out of the user space, then through
    // the pattern's own matrix.
    cairo_matrix_t toUser = matrix;
    if (cairo_matrix_invert(&toUser) != CAIRO_STATUS_SUCCESS) return std::nullopt;
    cairo_matrix_t patternMatrix;
    cairo_pattern_get_matrix(pattern, &patternMatrix);
    cairo_matrix_t toGradient;
    cairo_matrix_multiply(&toGradient, &toUser, &patternMatrix);
    shader.xx_ = toGradient.xx;
    shader.yx_ = toGradient.yx;
    shader.xy_ = toGradient.xy;
    shader.yy_ = toGradient.yy;
    shader.x0_ = toGradient.x0;
    shader.y0_ = toGradient.y0;
    for (const double value : {toGradient.xx, toGradient.yx, toGradient.xy, toGradient.yy, toGradient.x0,
                               toGradient.y0}) {
        if (!std::isfinite(value)) return std::nullopt;
    }

    if (type == CAIRO_PATTERN_TYPE_LINEAR) {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        cairo_pattern_get_linear_points(pattern, &x1, &y1, &x2, &y2);
        shader.startX_ = x1;
        shader.startY_ = y1;
        shader.deltaX_ = x2 - x1;
        shader.deltaY_ = y2 - y1;
        shader.lengthSquared_ = shader.deltaX_ * shader.deltaX_ + shader.deltaY_ * shader.deltaY_;
        if (shader.lengthSquared_ != 0) shader.linearScale_ = fixedOne / shader.lengthSquared_;
    } else {
        double x1 = 0, y1 = 0, r1 = 0, x2 = 0, y2 = 0, r2 = 0;
        cairo_pattern_get_radial_circles(pattern, &x1, &y1, &r1, &x2, &y2, &r2);
        shader.radial_ = true;
        shader.startX_ = x1;
        shader.startY_ = y1;
        shader.startRadius_ = r1;
        shader.deltaX_ = x2 - x1;
        shader.deltaY_ = y2 - y1;
        shader.deltaRadius_ = r2 - r1;
        shader.quadratic_ = shader.deltaX_ * shader.deltaX_ + shader.deltaY_ * shader.deltaY_ -
                            shader.deltaRadius_ * shader.deltaRadius_;
    }
    for (const double value : {shader.startX_, shader.startY_, shader.startRadius_, shader.deltaX_, shader.deltaY_,
                               shader.deltaRadius_, shader.lengthSquared_, shader.quadratic_}) {
        if (!std::isfinite(value)) return std::nullopt;
    }

    // The stops as the pixel library holds them: positions in 16.16, each
    // channel in 16 bits; padding repeats the first and the last colour
    // out to either end.
    struct Stop {
        std::int32_t position;
        float alpha, red, green, blue;  // 0...255
    };
    std::vector<Stop> stops;
    std::vector<Segment> segments;
    stops.reserve(static_cast<std::size_t>(count) + 2);
    for (int i = 0; i < count; ++i) {
        double offset = 0, red = 0, green = 0, blue = 0, alpha = 0;
        cairo_pattern_get_color_stop_rgba(pattern, i, &offset, &red, &green, &blue, &alpha);
        if (!std::isfinite(offset)) return std::nullopt;
        const auto level = [](double value) { return static_cast<float>(sixteenBits(value)) * (1.0f / 257.0f); };
        const auto position = static_cast<std::int32_t>(std::nearbyint(std::clamp(offset, 0.0, 1.0) * fixedOne));
        stops.push_back({position, level(alpha), level(red), level(green), level(blue)});
    }
    stops.insert(stops.begin(), stops.front());
    stops.front().position = std::numeric_limits<std::int32_t>::min();
    stops.push_back(stops.back());
    stops.back().position = std::numeric_limits<std::int32_t>::max();

    for (std::size_t i = 0; i + 1 < stops.size(); ++i) {
        const Stop& l = stops[i];
        const Stop& r = stops[i + 1];
        if (r.position <= l.position) continue;  // a step: no position falls in it
        Segment segment;
        segment.left = l.position;
        segment.right = r.position;
        const float lx = static_cast<float>(l.position) * (1.0f / 65536.0f);
        const float rx = static_cast<float>(r.position) * (1.0f / 65536.0f);
        const bool padding = l.position == std::numeric_limits<std::int32_t>::min() ||
                             r.position == std::numeric_limits<std::int32_t>::max();
        if (padding || std::fabs(rx - lx) < 1e-7f) {
            segment.alphaBase = (l.alpha + r.alpha) / 510.0f;
            segment.redBase = (l.red + r.red) / 510.0f;
            segment.greenBase = (l.green + r.green) / 510.0f;
            segment.blueBase = (l.blue + r.blue) / 510.0f;
        } else {
            const float reciprocal = 1.0f / (rx - lx);
            segment.alphaBase = (l.alpha * rx - r.alpha * lx) * reciprocal / 255.0f;
            segment.redBase = (l.red * rx - r.red * lx) * reciprocal / 255.0f;
            segment.greenBase = (l.green * rx - r.green * lx) * reciprocal / 255.0f;
            segment.blueBase = (l.blue * rx - r.blue * lx) * reciprocal / 255.0f;
            segment.alphaSlope = (r.alpha - l.alpha) * reciprocal / 255.0f;
            segment.redSlope = (r.red - l.red) * reciprocal / 255.0f;
            segment.greenSlope = (r.green - l.green) * reciprocal / 255.0f;
            segment.blueSlope = (r.blue - l.blue) * reciprocal / 255.0f;
        }
        segments.push_back(segment);
    }
    // The padding reaches every position held, and the position of no
    // colour lies before it.
    segments.front().left = noPosition + 1;
    segments.back().right = std::numeric_limits<std::int32_t>::max();
    shader.segments_ = std::move(segments);
    return shader;
}

std::uint32_t GradientShader::color(const Segment& s, std::int32_t position) {
    const float t = static_cast<float>(position) * (1.0f / 65536.0f);
    const float alpha = (s.alphaSlope * t + s.alphaBase) * 255.0f;
    const float red = (s.redSlope * t + s.redBase) * alpha;
    const float green = (s.greenSlope * t + s.greenBase) * alpha;
    const float blue = (s.blueSlope * t + s.blueBase) * alpha;
    const auto byte = [](float value) {
        return static_cast<std::uint32_t>(static_cast<std::int32_t>(value + 0.5f)) & 0xff;
    };
    return byte(alpha) << 24 | byte(red) << 16 | byte(green) << 8 | byte(blue);
}

void GradientShader::colorOne(std::uint32_t* pixels, int at, std::size_t& segment) const {
    const auto position = static_cast<std::int32_t>(pixels[at]);
    if (position == noPosition) {
        pixels[at] = 0;
        return;
    }
    while (position < segments_[segment].left) --segment;
    while (position >= segments_[segment].right) ++segment;
    pixels[at] = color(segments_[segment], position);
}

void GradientShader::colorPositions(std::uint32_t* pixels, int count) const {
    std::size_t segment = 0;
    int i = count >= 8 && usesWideVectors() ? colorPositionsWide(pixels, count, segment) : 0;
    const auto one = [&](int at) { colorOne(pixels, at, segment); };
#if defined(__SSE2__)
    // Four pixels at a time while they lie between the same two stops, as
    // they mostly do: the same operations in the same order as one by one.
    const __m128 fraction = _mm_set1_ps(1.0f / 65536.0f);
    const __m128 full = _mm_set1_ps(255.0f);
    const __m128 half = _mm_set1_ps(0.5f);
    const __m128i low = _mm_set1_epi32(0xff);
    while (i + 4 <= count) {
        const __m128i positions = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + i));
        const Segment& s = segments_[segment];
        const __m128i before = _mm_cmplt_epi32(positions, _mm_set1_epi32(s.left));
        const __m128i within = _mm_cmplt_epi32(positions, _mm_set1_epi32(s.right));
        if (_mm_movemask_epi8(before) != 0 || _mm_movemask_epi8(within) != 0xffff) {
            for (const int end = i + 4; i < end; ++i) one(i);
            continue;
        }
        const __m128 t = _mm_mul_ps(_mm_cvtepi32_ps(positions), fraction);
        const auto line = [&](float slope, float base) {
            return _mm_add_ps(_mm_mul_ps(_mm_set1_ps(slope), t), _mm_set1_ps(base));
        };
        const __m128 alpha = _mm_mul_ps(line(s.alphaSlope, s.alphaBase), full);
        const __m128 red = _mm_mul_ps(line(s.redSlope, s.redBase), alpha);
        const __m128 green = _mm_mul_ps(line(s.greenSlope, s.greenBase), alpha);
        const __m128 blue = _mm_mul_ps(line(s.blueSlope, s.blueBase), alpha);
        const auto byte = [&](__m128 value) { return _mm_and_si128(_mm_cvttps_epi32(_mm_add_ps(value, half)), low); };
        const __m128i pixel =
            _mm_or_si128(_mm_or_si128(_mm_slli_epi32(byte(alpha), 24), _mm_slli_epi32(byte(red), 16)),
                         _mm_or_si128(_mm_slli_epi32(byte(green), 8), byte(blue)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + i), pixel);
        i += 4;
    }
#endif
    for (; i < count; ++i) one(i);
}

void GradientShader::shade(int x, int y, int count, std::uint32_t* pixels) const {
    // The centre of the first pixel, in the gradient's space.
    const double cx = x + 0.5, cy = y + 0.5;
    const double gx = xx_ * cx + xy_ * cy + x0_;
    const double gy = yx_ * cx + yy_ * cy + y0_;
    // The positions go where their pixels will, each four bytes.
    auto* positions = reinterpret_cast<std::int32_t*>(pixels);
    if (radial_) {
        positionsRadial(gx, gy, count, positions);
    } else {
        positionsLinear(gx, gy, count, positions);
    }
    colorPositions(pixels, count);
}

void GradientShader::positionsLinear(double x, double y, int count, std::int32_t* positions) const {
    if (lengthSquared_ == 0) {
        std::fill(positions, positions + count, 0);
        return;
    }
    // The position along the ramp moves by one step a pixel.
    const double scale = linearScale_;
    const double first = ((x - startX_) * deltaX_ + (y - startY_) * deltaY_) * scale;
    const double step = (xx_ * deltaX_ + yx_ * deltaY_) * scale;
    int i = count >= 4 && usesWideVectors() ? positionsLinearWide(first, step, count, positions) : 0;
    for (; i < count; ++i) positions[i] = heldPosition(first + step * i);
}

void GradientShader::positionsRadial(double x, double y, int count, std::int32_t* positions) const {
    // A position is taken where the circle through the pixel has a radius
    // of at least nought, the larger of two where both do; a pixel on no
    // such circle stays clear.
    const double smallest = -startRadius_;
    const double px = x - startX_, py = y - startY_;
    if (quadratic_ == 0) {
        for (int i = 0; i < count; ++i) {
            const double qx = px + xx_ * i, qy = py + yx_ * i;
            const double b = qx * deltaX_ + qy * deltaY_ + startRadius_ * deltaRadius_;
            const double c = qx * qx + qy * qy - startRadius_ * startRadius_;
            const double t = b != 0 ? 0.5 * c / b : 0;
            positions[i] = b != 0 && t * deltaRadius_ >= smallest && std::isfinite(t) ? heldPosition(t * fixedOne)
                                                                                       : noPosition;
        }
        return;
    }
    const double inverse = 1 / quadratic_;
    int i = count >= 4 && usesWideVectors() ? positionsRadialWide(px, py, count, positions) : 0;
#if defined(__SSE2__)
    // Two pixels at a time, each as one by one.
    const __m128d index = _mm_set_pd(1, 0);
    const __m128d most = _mm_set1_pd(2.0e9), least = _mm_set1_pd(-2.0e9);
    const __m128d zero = _mm_setzero_pd();
    for (; i + 2 <= count; i += 2) {
        const __m128d at = _mm_add_pd(_mm_set1_pd(i), index);
        const __m128d qx = _mm_add_pd(_mm_set1_pd(px), _mm_mul_pd(_mm_set1_pd(xx_), at));
        const __m128d qy = _mm_add_pd(_mm_set1_pd(py), _mm_mul_pd(_mm_set1_pd(yx_), at));
        const __m128d along = _mm_add_pd(_mm_mul_pd(qx, _mm_set1_pd(deltaX_)), _mm_mul_pd(qy, _mm_set1_pd(deltaY_)));
        const __m128d b = _mm_add_pd(along, _mm_set1_pd(startRadius_ * deltaRadius_));
        const __m128d c = _mm_sub_pd(_mm_add_pd(_mm_mul_pd(qx, qx), _mm_mul_pd(qy, qy)),
                                     _mm_set1_pd(startRadius_ * startRadius_));
        const __m128d discriminant = _mm_sub_pd(_mm_mul_pd(b, b), _mm_mul_pd(_mm_set1_pd(quadratic_), c));
        const __m128d real = _mm_cmpge_pd(discriminant, zero);
        const __m128d root = _mm_sqrt_pd(_mm_and_pd(discriminant, real));
        const __m128d t0 = _mm_mul_pd(_mm_add_pd(b, root), _mm_set1_pd(inverse));
        const __m128d t1 = _mm_mul_pd(_mm_sub_pd(b, root), _mm_set1_pd(inverse));
        const __m128d first = _mm_cmpge_pd(_mm_mul_pd(t0, _mm_set1_pd(deltaRadius_)), _mm_set1_pd(smallest));
        const __m128d second = _mm_cmpge_pd(_mm_mul_pd(t1, _mm_set1_pd(deltaRadius_)), _mm_set1_pd(smallest));
        const __m128d t = _mm_or_pd(_mm_and_pd(first, t0), _mm_andnot_pd(first, t1));
        const __m128d scaled = _mm_mul_pd(t, _mm_set1_pd(fixedOne));
        // Out of range and not a number alike land on the bounds, as
        // heldPosition holds them; a pixel on no circle has no position.
        const __m128d held = _mm_max_pd(least, _mm_min_pd(most, scaled));
        const int found = _mm_movemask_pd(_mm_and_pd(real, _mm_or_pd(first, second)));
        alignas(16) std::int32_t taken[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(taken), _mm_cvttpd_epi32(held));
        positions[i] = (found & 1) ? taken[0] : noPosition;
        positions[i + 1] = (found & 2) ? taken[1] : noPosition;
    }
#endif
    for (; i < count; ++i) {
        const double qx = px + xx_ * i, qy = py + yx_ * i;
        const double b = qx * deltaX_ + qy * deltaY_ + startRadius_ * deltaRadius_;
        const double c = qx * qx + qy * qy - startRadius_ * startRadius_;
        const double discriminant = b * b - quadratic_ * c;
        const bool real = discriminant >= 0;
        const double root = std::sqrt(real ? discriminant : 0);
        const double t0 = (b + root) * inverse, t1 = (b - root) * inverse;
        const bool first = t0 * deltaRadius_ >= smallest, second = t1 * deltaRadius_ >= smallest;
        const double t = first ? t0 : t1;
        positions[i] = real && (first || second) ? heldPosition(t * fixedOne) : noPosition;
    }
}

}  // namespace platform::graphics
