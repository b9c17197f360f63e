#pragma once
// Lays a padded linear or radial gradient down through coverage (a plane's
// rows, or spans) straight into an ARGB32 image surface, or its alpha into
// one of coverage alone (A8), with the "over" operator: what the pixel library
// does for a gradient source through an 8-bit mask, to the same rounding, its
// colours from a GradientShader. Spans are worked in two steps: the gradient
// through their coverage (`cover`), which a worker thread can do, then laid
// over the target in drawing order (`layDown`).
//
// A value made for one drawing by the GraphicsContext that draws it.

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "Platform/Graphics/ClipCoverageView.h"
#include "Platform/Graphics/CoverageRasterizer.h"
#include "Platform/Graphics/GradientShader.h"
#include "Platform/Graphics/Rect.h"
#include "Platform/Graphics/SolidCoverageBlend.h"

namespace platform::graphics {

class GradientCoverageBlend {
public:
    // For the gradient `source` under Cairo's current user space, over the
    // current target of `cairo`, as SolidCoverageBlend::make takes a colour
    // (the same targets, boxes and clips). None for any other source,
    // operator or target.
    static std::optional<GradientCoverageBlend> make(cairo_t* cairo, cairo_pattern_t* source, bool withoutClip,
                                                     const std::vector<Rect>* clipRectangles = nullptr);

    // Lays the gradient down through the plane's rows over the columns each
    // row holds coverage in (the plane must give them), and tells Cairo
    // which pixels changed.
    void blendRows(const CoverageRasterizer::Plane& plane) const;

    // On any thread: the gradient's premultiplied pixels through the spans'
    // coverage (each times the clip's coverage at its pixels, when a clip is
    // given), one for each pixel of the spans within the target, in order.
    void cover(const std::vector<CoverageRasterizer::Span>& spans, const ClipCoverageView* clip,
               std::vector<std::uint32_t>& covered) const;
    // Lays what `cover` made of the same spans over the target.
    void layDown(const std::vector<CoverageRasterizer::Span>& spans, const std::vector<std::uint32_t>& covered) const;
    // Tells Cairo that pixels of the device box [left, right) x [top, bottom) changed.
    void markDirty(int left, int top, int right, int bottom) const;
    // Scales every coverage this lays the gradient through by `level`
    // (255, the start, leaves it), as a clip's coverage scaled by an alpha
    // would be.
    void scaleCoverage(std::uint8_t level) { level_ = level; }

private:
    explicit GradientCoverageBlend(GradientShader shader) : shader_(std::move(shader)) {}

    // Lays `count` pixels already through their coverage over device row
    // `y` from column `x`.
    void overRow(const std::uint32_t* covered, int x, int y, int count) const;

    GradientShader shader_;
    SolidCoverageBlend::Target target_;
    std::uint8_t* data_ = nullptr;
    int stride_ = 0;
    std::uint8_t level_ = 0xff;
    // The target keeps coverage alone (A8): only the alpha is laid down.
    bool coverageOnly_ = false;
};

}  // namespace platform::graphics
