#include "Platform/Graphics/GradientCoverageBlend.h"

#include <algorithm>
#include <cstring>

#include "Platform/Graphics/PixelArithmetic.h"

namespace platform::graphics {

namespace {

using PixelArithmetic::multiply;
using PixelArithmetic::multiplyChannels;

}  // namespace

std::optional<GradientCoverageBlend> GradientCoverageBlend::make(cairo_t* cairo, cairo_pattern_t* source,
                                                                bool withoutClip,
                                                                const std::vector<Rect>* clipRectangles) {
    const cairo_pattern_type_t type = cairo_pattern_get_type(source);
    if ((type != CAIRO_PATTERN_TYPE_LINEAR && type != CAIRO_PATTERN_TYPE_RADIAL) ||
        cairo_get_operator(cairo) != CAIRO_OPERATOR_OVER) {
        return std::nullopt;
    }
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo, &matrix);
    std::optional<GradientShader> shader = GradientShader::make(source, matrix);
    if (!shader) return std::nullopt;
    const std::optional<SolidCoverageBlend::Target> target =
        SolidCoverageBlend::target(cairo, withoutClip, clipRectangles);
    if (!target) return std::nullopt;
    const cairo_format_t format = cairo_image_surface_get_format(target->surface);
    if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_A8) return std::nullopt;
    GradientCoverageBlend blend(std::move(*shader));
    blend.coverageOnly_ = format == CAIRO_FORMAT_A8;
    blend.target_ = *target;
    blend.data_ = target->pixels(blend.stride_);
    if (blend.data_ == nullptr) return std::nullopt;
    return blend;
}

void GradientCoverageBlend::overRow(const std::uint32_t* covered, int x, int y, int count) const {
    std::uint8_t* row = data_ + static_cast<std::ptrdiff_t>(y + target_.offsetY) * stride_;
    if (coverageOnly_) {
        std::uint8_t* pixels = row + x + target_.offsetX;
        for (int i = 0; i < count; ++i) {
            const std::uint32_t alpha = covered[i] >> 24;
            if (alpha != 0) {
                pixels[i] = static_cast<std::uint8_t>(std::min(0xffu, alpha + multiply(pixels[i], 0xff - alpha)));
            }
        }
        return;
    }
    PixelArithmetic::overEach(covered, reinterpret_cast<std::uint32_t*>(row) + x + target_.offsetX, count);
}

void GradientCoverageBlend::blendRows(const CoverageRasterizer::Plane& plane) const {
    const int firstRow = std::max(0, target_.top - plane.top);
    const int endRow = std::min(plane.height, target_.bottom - plane.top);
    const int columnsFrom = std::max(0, target_.left - plane.left);
    const int columnsTo = std::min(plane.width, target_.right - plane.left);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(std::max(0, columnsTo - columnsFrom)));
    for (int r = firstRow; r < endRow; ++r) {
        const int first = std::max(plane.firstColumns[r], columnsFrom);
        const int end = std::min(plane.endColumns[r], columnsTo);
        if (first >= end) continue;
        const std::uint8_t* coverage = plane.data + static_cast<std::ptrdiff_t>(r) * plane.stride;
        shader_.shade(plane.left + first, plane.top + r, end - first, row.data());
        for (int x = first; x < end; ++x) {
            const std::uint32_t level = level_ == 0xff ? coverage[x] : multiply(coverage[x], level_);
            std::uint32_t& pixel = row[static_cast<std::size_t>(x - first)];
            pixel = level == 0xff ? pixel : level == 0 ? 0 : multiplyChannels(pixel, level);
        }
        overRow(row.data(), plane.left + first, plane.top + r, end - first);
    }
    markDirty(plane.left, plane.top, plane.left + plane.width, plane.top + plane.height);
}

void GradientCoverageBlend::cover(const std::vector<CoverageRasterizer::Span>& spans, const ClipCoverageView* clip,
                                  std::vector<std::uint32_t>& covered) const {
    covered.clear();
    for (const CoverageRasterizer::Span& span : spans) {
        if (span.y < target_.top || span.y >= target_.bottom) continue;
        const int from = std::max(span.x, target_.left), to = std::min(span.x + span.length, target_.right);
        if (from >= to) continue;
        const std::uint32_t spanLevel = level_ == 0xff ? span.coverage : multiply(span.coverage, level_);
        const std::size_t start = covered.size();
        covered.resize(start + static_cast<std::size_t>(to - from));
        std::uint32_t* pixels = covered.data() + start;
        if (clip != nullptr) {
            // Only where the clip lets anything through is the gradient
            // worked out: a gradient painted over a clip's box may show in
            // a small part of it.
            const std::uint8_t* clipRow =
                clip->coverage->data() + static_cast<std::size_t>(span.y - clip->top) * clip->width - clip->left;
            for (int x = from; x < to;) {
                int end = x;
                while (end < to && clipRow[end] == 0) ++end;
                std::fill(pixels + (x - from), pixels + (end - from), 0u);
                x = end;
                while (end < to && clipRow[end] != 0) ++end;
                if (x == end) continue;
                shader_.shade(x, span.y, end - x, pixels + (x - from));
                for (; x < end; ++x) {
                    const std::uint32_t level = multiply(spanLevel, clipRow[x]);
                    std::uint32_t& pixel = pixels[x - from];
                    pixel = level == 0xff ? pixel : level == 0 ? 0 : multiplyChannels(pixel, level);
                }
            }
            continue;
        }
        if (spanLevel == 0) {
            std::fill(pixels, pixels + (to - from), 0u);
            continue;
        }
        shader_.shade(from, span.y, to - from, pixels);
        if (spanLevel != 0xff) {
            for (int i = 0; i < to - from; ++i) pixels[i] = multiplyChannels(pixels[i], spanLevel);
        }
    }
}

void GradientCoverageBlend::layDown(const std::vector<CoverageRasterizer::Span>& spans,
                                    const std::vector<std::uint32_t>& covered) const {
    std::size_t next = 0;
    for (const CoverageRasterizer::Span& span : spans) {
        if (span.y < target_.top || span.y >= target_.bottom) continue;
        const int from = std::max(span.x, target_.left), to = std::min(span.x + span.length, target_.right);
        if (from >= to) continue;
        if (next + static_cast<std::size_t>(to - from) > covered.size()) return;
        overRow(covered.data() + next, from, span.y, to - from);
        next += static_cast<std::size_t>(to - from);
    }
}

void GradientCoverageBlend::markDirty(int left, int top, int right, int bottom) const {
    target_.markDirty(left, top, right, bottom);
}

}  // namespace platform::graphics
