#include "Platform/Graphics/SolidCoverageBlend.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "Platform/Graphics/PixelArithmetic.h"

namespace platform::graphics {

namespace {

using PixelArithmetic::addSaturated;
using PixelArithmetic::multiply;
using PixelArithmetic::multiplyChannels;

// Lays `covered`, a colour already through its coverage, over `count`
// pixels: each pixel times what the colour leaves of it, plus the colour,
// rounded as the pixel library rounds. Four pixels at a time where the
// processor's vectors allow, with the same rounding.
void overRun(std::uint32_t covered, std::uint32_t* pixels, int count) {
    const std::uint32_t remaining = 0xff - (covered >> 24);
    int x = 0;
#if defined(__SSE2__)
    const __m128i left = _mm_set1_epi16(static_cast<short>(remaining));
    const __m128i colour = _mm_set1_epi32(static_cast<int>(covered));
    for (; x + 4 <= count; x += 4) {
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + x),
                         _mm_adds_epu8(PixelArithmetic::multiplyChannels4(d, left), colour));
    }
#endif
    for (; x < count; ++x) pixels[x] = addSaturated(covered, multiplyChannels(pixels[x], remaining));
}

#if defined(__SSE2__)
// Lays `colour`, a pixel's channels unpacked into 16-bit lanes, over the one
// pixel through `coverage`, as SolidCoverageBlend::over does: for the pixels
// an outline's edge crosses, which most spans are, the scalar arithmetic's
// shifts and masks cost twice as much.
inline void overOne(__m128i colour, std::uint8_t coverage, std::uint32_t* pixel) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i covered = PixelArithmetic::multiplyLanes(colour, _mm_set1_epi16(coverage));
    const __m128i remaining = _mm_sub_epi16(_mm_set1_epi16(0xff), _mm_shufflelo_epi16(covered, 0xff));
    const __m128i destination = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(*pixel)), zero);
    const __m128i kept = PixelArithmetic::multiplyLanes(destination, remaining);
    *pixel = static_cast<std::uint32_t>(
        _mm_cvtsi128_si32(_mm_adds_epu8(_mm_packus_epi16(covered, zero), _mm_packus_epi16(kept, zero))));
}
#endif

// Lays `pixel` over `count` pixels, each through its own coverage: `levels`
// scaled by `scale` (255 leaves them as they are), as SolidCoverageBlend::over
// does pixel by pixel, four at a time where the processor's vectors allow.
void overEach(std::uint32_t pixel, const std::uint8_t* levels, std::uint32_t scale, std::uint32_t* pixels,
              int count) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(0xff);
    const __m128i factor = _mm_set1_epi16(static_cast<short>(scale));
    const __m128i colour = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(pixel)), zero);
    const auto alphas = [](__m128i channels) {
        return _mm_shufflehi_epi16(_mm_shufflelo_epi16(channels, 0xff), 0xff);
    };
    const bool opaque = (pixel >> 24) == 0xff;
    for (; x + 4 <= count; x += 4) {
        std::int32_t four;
        std::memcpy(&four, levels + x, 4);
        // Most of a clip's coverage is none or all of a pixel.
        if (four == 0) continue;
        if (four == -1 && scale == 0xff && opaque) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + x), _mm_set1_epi32(static_cast<int>(pixel)));
            continue;
        }
        __m128i m = _mm_unpacklo_epi8(_mm_cvtsi32_si128(four), zero);
        if (scale != 0xff) m = PixelArithmetic::multiplyLanes(m, factor);
        const __m128i pairs = _mm_unpacklo_epi16(m, m);
        const __m128i coveredLow = PixelArithmetic::multiplyLanes(colour, _mm_unpacklo_epi32(pairs, pairs));
        const __m128i coveredHigh = PixelArithmetic::multiplyLanes(colour, _mm_unpackhi_epi32(pairs, pairs));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + x));
        const __m128i low =
            PixelArithmetic::multiplyLanes(_mm_unpacklo_epi8(d, zero), _mm_sub_epi16(full, alphas(coveredLow)));
        const __m128i high =
            PixelArithmetic::multiplyLanes(_mm_unpackhi_epi8(d, zero), _mm_sub_epi16(full, alphas(coveredHigh)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + x),
                         _mm_adds_epu8(_mm_packus_epi16(coveredLow, coveredHigh), _mm_packus_epi16(low, high)));
    }
#endif
    for (; x < count; ++x) {
        const std::uint32_t m = scale == 0xff ? levels[x] : multiply(levels[x], scale);
        if (m == 0) continue;
#if defined(__SSE2__)
        overOne(colour, static_cast<std::uint8_t>(m), pixels + x);
#else
        pixels[x] = SolidCoverageBlend::over(pixel, static_cast<std::uint8_t>(m), pixels[x]);
#endif
    }
}

}  // namespace

std::uint32_t SolidCoverageBlend::premultipliedPixel(double red, double green, double blue, double alpha) {
    const auto channel = [](double value) {
        return static_cast<std::uint32_t>(std::clamp(value, 0.0, 1.0) * 65535.0 + 0.5) >> 8;
    };
    alpha = std::clamp(alpha, 0.0, 1.0);
    return channel(alpha) << 24 | channel(std::clamp(red, 0.0, 1.0) * alpha) << 16 |
           channel(std::clamp(green, 0.0, 1.0) * alpha) << 8 | channel(std::clamp(blue, 0.0, 1.0) * alpha);
}

std::uint32_t SolidCoverageBlend::over(std::uint32_t source, std::uint8_t coverage, std::uint32_t destination) {
    return PixelArithmetic::over(coverage == 0xff ? source : multiplyChannels(source, coverage), destination);
}

std::optional<SolidCoverageBlend::Target> SolidCoverageBlend::target(cairo_t* cairo, bool withoutClip,
                                                                      const std::vector<Rect>* clipRectangles) {
    cairo_surface_t* surface = cairo_get_group_target(cairo);
    if (cairo_status(cairo) != CAIRO_STATUS_SUCCESS || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) {
        return std::nullopt;
    }
    double offsetX = 0, offsetY = 0;
    cairo_surface_get_device_offset(surface, &offsetX, &offsetY);
    if (offsetX != std::round(offsetX) || offsetY != std::round(offsetY)) return std::nullopt;
    Target target;
    target.surface = surface;
    target.offsetX = static_cast<int>(offsetX);
    target.offsetY = static_cast<int>(offsetY);
    // The target's own pixels, in device space.
    target.left = -target.offsetX;
    target.top = -target.offsetY;
    target.right = target.left + cairo_image_surface_get_width(surface);
    target.bottom = target.top + cairo_image_surface_get_height(surface);
    const auto wholePixels = [](double x, double y, double width, double height) {
        return x == std::round(x) && y == std::round(y) && width == std::round(width) && height == std::round(height) &&
               std::fabs(x) < 1e6 && std::fabs(y) < 1e6 && width < 1e6 && height < 1e6;
    };
    const auto keepTo = [&](double x, double y, double width, double height) {
        target.left = std::max(target.left, static_cast<int>(x));
        target.top = std::max(target.top, static_cast<int>(y));
        target.right = std::min(target.right, static_cast<int>(x + width));
        target.bottom = std::min(target.bottom, static_cast<int>(y + height));
    };
    if (!withoutClip && clipRectangles != nullptr) {
        if (clipRectangles->size() != 1) return std::nullopt;
        const Rect& r = clipRectangles->front();
        if (!wholePixels(r.minX(), r.minY(), r.width(), r.height())) return std::nullopt;
        keepTo(r.minX(), r.minY(), r.width(), r.height());
    } else if (!withoutClip) {
        // Cairo's clip, as rectangles of the device (the target's edges among them).
        cairo_matrix_t matrix;
        cairo_get_matrix(cairo, &matrix);
        cairo_identity_matrix(cairo);
        cairo_rectangle_list_t* rectangles = cairo_copy_clip_rectangle_list(cairo);
        cairo_set_matrix(cairo, &matrix);
        bool one = rectangles->status == CAIRO_STATUS_SUCCESS && rectangles->num_rectangles == 1;
        if (one) {
            const cairo_rectangle_t& r = rectangles->rectangles[0];
            one = wholePixels(r.x, r.y, r.width, r.height);
            if (one) keepTo(r.x, r.y, r.width, r.height);
        }
        cairo_rectangle_list_destroy(rectangles);
        if (!one) return std::nullopt;
    }
    return target;
}

std::optional<SolidCoverageBlend> SolidCoverageBlend::make(cairo_t* cairo, cairo_pattern_t* source, bool withoutClip,
                                                          const std::vector<Rect>* clipRectangles) {
    double red = 0, green = 0, blue = 0, alpha = 0;
    if (cairo_pattern_get_type(source) != CAIRO_PATTERN_TYPE_SOLID ||
        cairo_pattern_get_rgba(source, &red, &green, &blue, &alpha) != CAIRO_STATUS_SUCCESS ||
        cairo_get_operator(cairo) != CAIRO_OPERATOR_OVER) {
        return std::nullopt;
    }
    const std::optional<Target> target = SolidCoverageBlend::target(cairo, withoutClip, clipRectangles);
    if (!target) return std::nullopt;
    const cairo_format_t format = cairo_image_surface_get_format(target->surface);
    if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_A8) return std::nullopt;
    SolidCoverageBlend blend;
    blend.coverageOnly_ = format == CAIRO_FORMAT_A8;
    blend.target_ = *target;
    blend.data_ = target->pixels(blend.stride_);
    if (blend.data_ == nullptr) return std::nullopt;
    blend.pixel_ = premultipliedPixel(red, green, blue, alpha);
    return blend;
}

void SolidCoverageBlend::blendCoverageOnly(int y, int from, int to, const std::uint8_t* levels,
                                           std::uint32_t scale) const {
    const std::uint32_t alpha = pixel_ >> 24;
    std::uint8_t* pixels = data_ + static_cast<std::ptrdiff_t>(y + target_.offsetY) * stride_ + target_.offsetX;
    if (levels == nullptr) {
        // One coverage along the run: what it lays down is worked out once.
        const std::uint32_t covered = multiply(alpha, scale);
        if (covered == 0xff) {
            std::memset(pixels + from, 0xff, static_cast<std::size_t>(to - from));
        } else if (covered != 0) {
            for (int x = from; x < to; ++x) {
                pixels[x] = static_cast<std::uint8_t>(std::min(0xffu, covered + multiply(pixels[x], 0xff - covered)));
            }
        }
        return;
    }
    for (int x = from; x < to; ++x) {
        const std::uint32_t level = levels == nullptr ? scale : scale == 0xff ? levels[x] : multiply(levels[x], scale);
        const std::uint32_t covered = multiply(alpha, level);
        pixels[x] = static_cast<std::uint8_t>(std::min(0xffu, covered + multiply(pixels[x], 0xff - covered)));
    }
}

void SolidCoverageBlend::blendRows(const CoverageRasterizer::Plane& plane, int firstRow, int endRow) const {
    if (pixel_ == 0) return;  // a transparent colour leaves every pixel as it is
    firstRow = std::max({firstRow, 0, target_.top - plane.top});
    endRow = std::min({endRow, plane.height, target_.bottom - plane.top});
    const int columnsFrom = std::max(0, target_.left - plane.left);
    const int columnsTo = std::min(plane.width, target_.right - plane.left);
    for (int row = firstRow; row < endRow; ++row) {
        const int first = std::max(plane.firstColumns[row], columnsFrom);
        const int end = std::min(plane.endColumns[row], columnsTo);
        if (first >= end) continue;
        const std::uint8_t* coverage = plane.data + static_cast<std::ptrdiff_t>(row) * plane.stride;
        if (coverageOnly_) {
            blendCoverageOnly(plane.top + row, plane.left + first, plane.left + end, coverage - plane.left, 0xff);
            continue;
        }
        auto* pixels = reinterpret_cast<std::uint32_t*>(
                           data_ + static_cast<std::ptrdiff_t>(plane.top + row + target_.offsetY) * stride_) +
                       (plane.left + target_.offsetX);
        overEach(pixel_, coverage + first, 0xff, pixels + first, end - first);
    }
}

void SolidCoverageBlend::blendSpans(const std::vector<CoverageRasterizer::Span>& spans,
                                    const ClipCoverageView* clip) const {
    const std::uint32_t pixel = pixel_;
    if (pixel == 0) return;
    const bool opaque = (pixel >> 24) == 0xff;
#if defined(__SSE2__)
    const __m128i colour = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(pixel)), _mm_setzero_si128());
#endif
    // Held apart from the members: the pixels written could otherwise be
    // them, for all the compiler knows, and each span would load them again.
    const int top = target_.top, bottom = target_.bottom, left = target_.left, right = target_.right;
    std::uint8_t* const data = data_;
    const std::ptrdiff_t stride = stride_, offsetX = target_.offsetX, offsetY = target_.offsetY;
    for (const CoverageRasterizer::Span& span : spans) {
        if (span.y < top || span.y >= bottom) continue;
        const int from = std::max(span.x, left), to = std::min(span.x + span.length, right);
        if (from >= to) continue;
        if (coverageOnly_) {
            const std::uint8_t* clipRow =
                clip == nullptr ? nullptr
                                : clip->coverage->data() +
                                      static_cast<std::size_t>(span.y - clip->top) * clip->width - clip->left;
            blendCoverageOnly(span.y, from, to, clipRow, span.coverage);
            continue;
        }
        auto* pixels = reinterpret_cast<std::uint32_t*>(data + (span.y + offsetY) * stride) + offsetX;
        if (clip != nullptr) {
            const std::uint8_t* clipRow = clip->coverage->data() +
                                          static_cast<std::size_t>(span.y - clip->top) * clip->width - clip->left;
            overEach(pixel, clipRow + from, span.coverage, pixels + from, to - from);
        } else if (opaque && span.coverage == 0xff) {
            std::fill(pixels + from, pixels + to, pixel);
#if defined(__SSE2__)
        } else if (to - from < 4) {
            for (int x = from; x < to; ++x) overOne(colour, span.coverage, pixels + x);
#endif
        } else {
            // One coverage along the span: the colour through it is worked out once.
            const std::uint32_t covered = span.coverage == 0xff ? pixel : multiplyChannels(pixel, span.coverage);
            overRun(covered, pixels + from, to - from);
        }
    }
}

void SolidCoverageBlend::markDirty(const CoverageRasterizer::Plane& plane) const {
    markDirty(plane.left, plane.top, plane.left + plane.width, plane.top + plane.height);
}

void SolidCoverageBlend::markDirty(int left, int top, int right, int bottom) const {
    target_.markDirty(left, top, right, bottom);
}

std::uint8_t* SolidCoverageBlend::Target::pixels(int& stride) const {
    cairo_surface_flush(surface);
    stride = cairo_image_surface_get_stride(surface);
    return cairo_image_surface_get_data(surface);
}

void SolidCoverageBlend::Target::markDirty(int left, int top, int right, int bottom) const {
    left = std::max(left, this->left);
    top = std::max(top, this->top);
    right = std::min(right, this->right);
    bottom = std::min(bottom, this->bottom);
    if (left >= right || top >= bottom) return;
    cairo_surface_mark_dirty_rectangle(surface, left + offsetX, top + offsetY, right - left, bottom - top);
}

}  // namespace platform::graphics
