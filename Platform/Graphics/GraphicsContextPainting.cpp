// Painting operations of GraphicsContext: fills, strokes, images, gradients and
// transparency layers, all routed through the state's alpha, blend mode and mask.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Platform/Graphics/BandedMaskPaint.h"
#include "Platform/Graphics/CoverageRasterizer.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/GraphicsContextState.h"
#include "Platform/Graphics/PixelArithmetic.h"
#include "Platform/Graphics/ImageSampling.h"
#include "Platform/Graphics/PendingCoverageDrawing.h"
#include "Platform/Graphics/PixelBufferPool.h"
#include "Platform/Graphics/SolidCoverageBlend.h"
#include "Platform/Graphics/WorkBudget.h"

namespace platform::graphics {

namespace {

// A Cairo surface over an image's pixels (an ARGB copy for grey images, kept in
// `scratch`). Cairo only reads from it.
cairo_surface_t* sourceSurface(const Image& image, std::vector<std::uint8_t>& scratch) {
    if (image.format() == Image::Format::argb32Premultiplied) {
        return cairo_image_surface_create_for_data(const_cast<std::uint8_t*>(image.pixels().data()),
                                                   CAIRO_FORMAT_ARGB32, image.width(), image.height(),
                                                   image.bytesPerRow());
    }
    const int stride = Image::bytesPerRowFor(Image::Format::argb32Premultiplied, image.width());
    scratch.resize(static_cast<std::size_t>(stride) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t value = image.pixel(x, y);
            std::memcpy(scratch.data() + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 4,
                        &value, 4);
        }
    }
    return cairo_image_surface_create_for_data(scratch.data(), CAIRO_FORMAT_ARGB32, image.width(), image.height(),
                                               stride);
}

// Where a gradient lies: along the line between two points, or between two circles.
struct GradientGeometry {
    bool radial = false;
    Point start, end;
    double startRadius = 0, endRadius = 0;

    static GradientGeometry linear(Point start, Point end) { return {false, start, end, 0, 0}; }
    static GradientGeometry circles(Point startCenter, double startRadius, Point endCenter, double endRadius) {
        return {true, startCenter, endCenter, startRadius, endRadius};
    }

    bool isValid() const {
        const bool points = std::isfinite(start.x) && std::isfinite(start.y) && std::isfinite(end.x) &&
                            std::isfinite(end.y);
        return points && (!radial || (std::isfinite(startRadius) && std::isfinite(endRadius) && startRadius >= 0 &&
                                      endRadius >= 0));
    }
    // No extent: every point lies past the end.
    bool isDegenerate() const { return start == end && startRadius == endRadius; }
};

// Points of a linear gradient that lie closer than this on the device (in
// pixels) are one point. Points that animate towards each other meet only up
// to rounding: a hair apart, the ramp would turn into a hard edge whose side
// depends on the rounding, where points that meet exactly give the last
// colour everywhere.
constexpr double coincidentGradientPoints = 1.0 / 64;

// `end`, or `start` where the two are one point on the device under `transform`.
Point separateEnd(const AffineTransform& transform, Point start, Point end) {
    const Point along = transform.apply(end) - transform.apply(start);
    return std::hypot(along.x, along.y) < coincidentGradientPoints ? start : end;
}

// The gradient's pattern, its stops' alpha multiplied by `alpha`; a solid one of
// its last colour where the geometry gives it no extent.
cairo_pattern_t* gradientPattern(const Gradient& gradient, const GradientGeometry& geometry, double alpha,
                                 cairo_extend_t extend) {
    if (geometry.isDegenerate()) {
        const auto& last = gradient.stops().back().rgba;
        return cairo_pattern_create_rgba(last[0], last[1], last[2], last[3] * alpha);
    }
    const Point start = geometry.start, end = geometry.end;
    cairo_pattern_t* pattern = geometry.radial ? cairo_pattern_create_radial(start.x, start.y, geometry.startRadius,
                                                                             end.x, end.y, geometry.endRadius)
                                               : cairo_pattern_create_linear(start.x, start.y, end.x, end.y);
    for (const Gradient::Stop& stop : gradient.stops()) {
        cairo_pattern_add_color_stop_rgba(pattern, stop.location, stop.rgba[0], stop.rgba[1], stop.rgba[2],
                                          stop.rgba[3] * alpha);
    }
    cairo_pattern_set_extend(pattern, extend);
    return pattern;
}

// The pattern that fills a path with the gradient, extended both ways, in the
// context's alpha (one fill, so the alpha goes into the stops); null when the
// geometry cannot be drawn.
cairo_pattern_t* fillPattern(const Gradient& gradient, const GradientGeometry& geometry, double alpha) {
    return geometry.isValid() ? gradientPattern(gradient, geometry, alpha, CAIRO_EXTEND_PAD) : nullptr;
}

// Cairo keeps a colour's premultiplied channels in 16 bits, rounded, and lays
// them down in 8 (the upper byte).
int eightBits(double value) { return static_cast<int>(value * 65535.0 + 0.5) >> 8; }

// The value that Cairo lays down as `level`, in the middle of its 16-bit range
// so that no rounding moves it.
double fromEightBits(int level) { return (level * 256 + 128) / 65535.0; }

// The pixel compositor's product of two 8-bit values, rounded, as it scales a
// layer by its alpha.
int eightBitProduct(int x, int y) {
    const int t = x * y + 0x80;
    return (t + (t >> 8)) >> 8;
}

}  // namespace

template <typename Draw>
void GraphicsContext::composite(Draw&& draw, bool drawsClipCoverage) {
    const State& s = state();
    if (s.degenerate || s.clipIsEmpty) {
        return;
    }
    applyAntialias();
    if (!s.mask && !drawsClipCoverage && clipsByPaths()) {
        // Under a clip of paths the drawing is made apart and laid down
        // through the clip's coverage from the rasteriser, as fills and
        // strokes are, so that an edge of the clip and the same edge filled
        // (into a mask's buffer, or by the other engine) are one edge.
        CoverageRasterizer::Plane plane;
        if (cairo_surface_t* clipCoverage = makeClipCoverage(deviceClipBox(), plane)) {
            pushGroup(Rect(plane.left, plane.top, plane.width, plane.height));
            cairo_set_operator(cairo_, CAIRO_OPERATOR_OVER);
            draw();
            cairo_pattern_t* group = popGroup();
            cairo_set_operator(cairo_, cairoOperator(s.blendMode));
            layDownThroughCoverage(group, clipCoverage, plane, true, true);
            cairo_pattern_destroy(group);
            cairo_surface_destroy(clipCoverage);
            return;
        }
    }
    if (!s.mask) {
        cairo_set_operator(cairo_, cairoOperator(s.blendMode));
        draw();
        return;
    }
    // With a pixel mask the drawing is made apart, then laid down through the mask.
    pushGroup();
    cairo_set_operator(cairo_, CAIRO_OPERATOR_OVER);
    draw();
    cairo_pattern_t* group = popGroup();
    layDownThroughMask(group, true);
    cairo_pattern_destroy(group);
}

void GraphicsContext::layDownThroughMask(cairo_pattern_t* source, bool inDeviceSpace) {
    flushPending();
    // The source keeps the user space it was set in; the mask lies in device space.
    cairo_save(cairo_);
    if (inDeviceSpace) {
        cairo_identity_matrix(cairo_);
    }
    cairo_set_source(cairo_, source);
    cairo_identity_matrix(cairo_);
    cairo_set_operator(cairo_, cairoOperator(state().blendMode));
    cairo_mask_surface(cairo_, state().mask->surface, 0, 0);
    cairo_restore(cairo_);
}

void GraphicsContext::compositePaint(cairo_pattern_t* source, double alpha, bool inDeviceSpace) {
    // A gradient goes in drawing order with the drawings handed over.
    if (handOverGradientPaint(source, alpha, inDeviceSpace, true)) {
        return;
    }
    flushPending();
    const State& s = state();
    if (!s.mask && !s.degenerate && !s.clipIsEmpty && clipsByPaths()) {
        // Laid down through the clip's coverage, the alpha taken into it,
        // in one pass: no group is needed for a single paint.
        CoverageRasterizer::Plane plane;
        if (cairo_surface_t* clipCoverage = makeClipCoverage(deviceClipBox(), plane, alpha)) {
            if (!inDeviceSpace || !layDownLayerThroughCoverage(source, plane)) {
                applyAntialias();
                cairo_set_operator(cairo_, cairoOperator(s.blendMode));
                layDownThroughCoverage(source, clipCoverage, plane, true, inDeviceSpace);
            }
            cairo_surface_destroy(clipCoverage);
            return;
        }
    }
    if (!s.mask || alpha < 1 || s.degenerate || s.clipIsEmpty) {
        composite([&] {
            // Painting covers the clip whatever the user space; the source
            // is locked to the space it is set in.
            cairo_save(cairo_);
            if (inDeviceSpace) {
                cairo_identity_matrix(cairo_);
            }
            cairo_set_source(cairo_, source);
            cairo_paint_with_alpha(cairo_, alpha);
            cairo_restore(cairo_);
        });
        return;
    }
    applyAntialias();
    layDownThroughMask(source, inDeviceSpace);
}

cairo_pattern_t* GraphicsContext::solidSource(const Color& color) const {
    const std::array<double, 4> rgba = color.clampedRGBA();
    const State& s = state();
    if (!s.alphaAsLayer || s.alpha >= 1) {
        return cairo_pattern_create_rgba(rgba[0], rgba[1], rgba[2], rgba[3] * s.alpha);
    }
    // The colour as a layer would hold it, then scaled as the layer would be.
    const int alpha = eightBitProduct(eightBits(rgba[3]), eightBits(s.alpha));
    if (alpha == 0) {
        return cairo_pattern_create_rgba(0, 0, 0, 0);
    }
    const double level = fromEightBits(alpha);
    const auto channel = [&](double value) {
        return fromEightBits(eightBitProduct(eightBits(value * rgba[3]), eightBits(s.alpha))) / level;
    };
    return cairo_pattern_create_rgba(channel(rgba[0]), channel(rgba[1]), channel(rgba[2]), level);
}

void GraphicsContext::setSourceColor(const Color& color) const {
    cairo_pattern_t* source = solidSource(color);
    cairo_set_source(cairo_, source);
    cairo_pattern_destroy(source);
}

void GraphicsContext::fillPath(FillRule rule) {
    cairo_pattern_t* source = solidSource(state().fillColor);
    fillCurrentPath(source, rule);
    cairo_pattern_destroy(source);
}

void GraphicsContext::fillCurrentPath(cairo_pattern_t* source, FillRule rule, const Gradient* shading) {
    if (isPathEmpty() || source == nullptr) {
        consumePath();
        return;
    }
    cutFarCurves(pathIsStroked_);
    noteWrittenPath(pathIsStroked_);
    if (!WorkBudget::takeActive([&] {
            const double radius = pathIsStroked_ ? penRadius() : 0;
            const double shaded =
                shading ? shadingCost(*shading, visiblePathPixels(std::isfinite(radius) ? radius : 0)) : 0;
            return (pathIsStroked_ ? strokeCost() : fillCost()) + shaded;
        })) {
        consumePath();
        return;
    }
    const cairo_fill_rule_t fillRule = rule == FillRule::evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING;
    composite([&] {
        if (paintRasterizedCoverage(source, rule, pathIsStroked_)) {
            return;
        }
        // Past here a stroke is Cairo's.
        if (pathIsStroked_ && !takeCairoStroke()) return;
        if (cairo_pattern_get_type(source) != CAIRO_PATTERN_TYPE_SOLID && fillThroughCoverage(source, fillRule)) {
            return;
        }
        syncCairoPath();
        cairo_set_source(cairo_, source);
        if (pathIsStroked_) {
            // The outline of the stroke, filled, is the stroke painted with the source.
            cairo_save(cairo_);
            applyStrokeStyle(cairo_);
            cairo_stroke_preserve(cairo_);
            cairo_restore(cairo_);
        } else {
            cairo_set_fill_rule(cairo_, fillRule);
            cairo_fill_preserve(cairo_);
        }
    }, true);
    consumePath();
}

bool GraphicsContext::fillThroughCoverage(cairo_pattern_t* source, int rule, double alpha) {
    flushPending();
    // The mask takes the clip in with the path, as Cairo would combine them
    // painting span by span, and is laid down without it.
    const std::optional<DeviceClipShape> clip = deviceClipShape();
    if (!clip) {
        return false;
    }
    // Where the path (or its stroke) can paint, in device pixels.
    syncCairoPath();
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    cairo_save(cairo_);
    if (pathIsStroked_) {
        applyStrokeStyle(cairo_);
        cairo_stroke_extents(cairo_, &x0, &y0, &x1, &y1);
    } else {
        cairo_set_fill_rule(cairo_, static_cast<cairo_fill_rule_t>(rule));
        cairo_fill_extents(cairo_, &x0, &y0, &x1, &y1);
    }
    Rect reach = Rect::null();
    for (Point corner : {Point(x0, y0), Point(x1, y0), Point(x0, y1), Point(x1, y1)}) {
        cairo_user_to_device(cairo_, &corner.x, &corner.y);
        const Rect at(corner.x, corner.y, 0, 0);
        reach = reach.isNull() ? at : reach.unionWith(at);
    }
    cairo_restore(cairo_);
    reach = reach.intersection(deviceClipBox()).intersection(clip->bounds());
    if (reach.isNull() || reach.isEmpty()) {
        return true;  // nothing shows
    }
    const int left = static_cast<int>(std::floor(reach.minX())), top = static_cast<int>(std::floor(reach.minY()));
    const int width = static_cast<int>(std::ceil(reach.maxX())) - left;
    const int height = static_cast<int>(std::ceil(reach.maxY())) - top;
    cairo_surface_t* coverage = PixelBufferPool::shared().makeSurface(CAIRO_FORMAT_A8, width, height);
    if (cairo_surface_status(coverage) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(coverage);
        return false;
    }
    cairo_surface_set_device_offset(coverage, -left, -top);
    cairo_t* drawing = cairo_create(coverage);
    for (const Rect& rect : clip->rectangles) cairo_rectangle(drawing, rect.minX(), rect.minY(), rect.width(), rect.height());
    cairo_clip(drawing);
    for (const DeviceClipShape::PathClip& path : clip->paths) {
        appendClipPath(drawing, path);
        cairo_set_antialias(drawing, static_cast<cairo_antialias_t>(path.antialias));
        cairo_set_fill_rule(drawing, static_cast<cairo_fill_rule_t>(path.rule));
        cairo_clip(drawing);
    }
    copyDevicePath(cairo_, drawing);
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo_, &matrix);
    cairo_set_matrix(drawing, &matrix);
    cairo_set_antialias(drawing, cairo_get_antialias(cairo_));
    cairo_set_tolerance(drawing, cairo_get_tolerance(cairo_));
    cairo_set_source_rgba(drawing, 0, 0, 0, alpha);
    if (pathIsStroked_) {
        applyStrokeStyle(drawing);
        cairo_stroke(drawing);
    } else {
        cairo_set_fill_rule(drawing, static_cast<cairo_fill_rule_t>(rule));
        cairo_fill(drawing);
    }
    cairo_destroy(drawing);
    // The source keeps the user space it was set in; the coverage lies in
    // device space. A large one is laid down in bands of rows side by side.
    if (!BandedMaskPaint::paint(cairo_, source, coverage, left, top, width, height)) {
        cairo_save(cairo_);
        cairo_set_source(cairo_, source);
        cairo_reset_clip(cairo_);
        cairo_identity_matrix(cairo_);
        cairo_mask_surface(cairo_, coverage, 0, 0);
        cairo_restore(cairo_);
    }
    cairo_surface_destroy(coverage);
    return true;
}

void GraphicsContext::strokePath() {
    if (isPathEmpty()) {
        consumePath();
        return;
    }
    cutFarCurves(true);
    noteWrittenPath(true);
    if (!WorkBudget::takeActive([&] { return strokeCost(); })) {
        consumePath();
        return;
    }
    composite([&] {
        cairo_pattern_t* source = solidSource(state().strokeColor);
        if (!paintRasterizedCoverage(source, FillRule::winding, true) && takeCairoStroke()) {
            syncCairoPath();
            cairo_save(cairo_);
            applyStrokeStyle(cairo_);
            cairo_set_source(cairo_, source);
            cairo_stroke_preserve(cairo_);
            cairo_restore(cairo_);
        }
        cairo_pattern_destroy(source);
    }, true);
    consumePath();
}

void GraphicsContext::fillRect(const Rect& rect) {
    if (rect.isNull() || state().degenerate) {
        return;
    }
    preservingPath([&] {
        addRect(rect);
        noteWrittenPath(false);
        if (!WorkBudget::takeActive([&] { return fillCost(); })) {
            return;
        }
        // Cairo lays a rectangle along the device's axes down as boxes, which
        // nothing beats, unless a clip of paths cuts them; a turned one is
        // scan-converted as any path.
        const AffineTransform& t = state().transform;
        const bool alongAxes = (t.b == 0 && t.c == 0) || (t.a == 0 && t.d == 0);
        const bool asBoxes = alongAxes && (state().mask || !clipsByPaths());
        composite([&] {
            cairo_pattern_t* source = solidSource(state().fillColor);
            const bool drawn = asBoxes ? handOverCoverage(source, FillRule::winding, false)
                                       : paintRasterizedCoverage(source, FillRule::winding, false);
            if (!drawn) {
                flushPending();
                cairo_set_fill_rule(cairo_, CAIRO_FILL_RULE_WINDING);
                cairo_set_source(cairo_, source);
                syncCairoPath();
                cairo_fill(cairo_);
            }
            cairo_pattern_destroy(source);
        }, !asBoxes);
    });
}

void GraphicsContext::clearRect(const Rect& rect) {
    flushPending();
    if (rect.isNull() || state().degenerate || state().clipIsEmpty) {
        return;
    }
    preservingPath([&] {
        addRect(rect);
        noteWrittenPath(false);
        applyAntialias();
        if (state().mask) {
            // Clearing through a mask removes as much as the mask lets through.
            cairo_save(cairo_);
            syncCairoPath();
            cairo_clip(cairo_);
            cairo_identity_matrix(cairo_);
            cairo_set_operator(cairo_, CAIRO_OPERATOR_DEST_OUT);
            cairo_set_source_rgba(cairo_, 0, 0, 0, 1);
            cairo_mask_surface(cairo_, state().mask->surface, 0, 0);
            cairo_restore(cairo_);
        } else {
            cairo_set_operator(cairo_, grey_ ? CAIRO_OPERATOR_SOURCE : CAIRO_OPERATOR_CLEAR);
            cairo_set_source_rgba(cairo_, 0, 0, 0, 1);
            syncCairoPath();
            cairo_fill(cairo_);
        }
    });
}

void GraphicsContext::drawImage(const Image& original, const Rect& rect) {
    flushPending();
    if (rect.isEmpty() || state().degenerate) {
        return;
    }
    const Rect reach = rect.applying(state().transform);
    noteWritten(reach.minX(), reach.minY(), reach.maxX(), reach.maxY());
    // Shown at half its size or less, an image is drawn from the reduction
    // nearest above the size it is shown at, made once and kept with it, so
    // that what is left to resample on every draw is within a bilinear
    // filter's reach; nearer its own size, or larger, it is drawn from itself.
    const AffineTransform& t = state().transform;
    const bool reducible = original.format() == Image::Format::argb32Premultiplied;
    ImageSampling sampling = ImageSampling::forScale(
        rect.width() / original.width() * std::hypot(t.a, t.b), rect.height() / original.height() * std::hypot(t.c, t.d),
        reducible ? original.width() : 1, reducible ? original.height() : 1);
    const std::shared_ptr<const Image> kept = sampling.factor > 1 ? original.reduced(sampling.factor) : nullptr;
    if (sampling.factor > 1 && !kept) sampling = {1, true};
    const Image& image = kept ? *kept : original;
    std::vector<std::uint8_t> scratch;
    cairo_surface_t* surface = sourceSurface(image, scratch);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return;
    }
    const Rect r = rect.standardized();
    // A reduction's last row and column stand for whole blocks, partly past
    // the image's edges: laid out at its own scale, it reaches past the
    // rectangle, which clips it, and its pixels land where theirs do.
    const Rect laidOut =
        kept ? Rect(r.minX(), r.minY(), r.width() * kept->width() * sampling.factor / original.width(),
                    r.height() * kept->height() * sampling.factor / original.height())
             : r;
    // A turned or skewed image is resampled by the pixel library's general
    // path, which clears a scanline buffer on every call: laid down span by
    // span under the rectangle's clip, that is once for every row it covers.
    // It is laid down in one pass through its coverage instead. An image
    // only scaled and moved has faster paths of its own, row by row.
    const bool throughCoverage = t.b != 0 || t.c != 0;
    preservingPath([&] {
        addRect(r);
        // The same estimate whether the image is resampled or its copy laid
        // down, so that the same frame ends at the same drawing either way.
        if (!WorkBudget::takeActive([&] {
                const double sourcePixels = static_cast<double>(image.width()) * image.height();
                return DrawingCost::image(sourcePixels) + 2 * compositeCost(visiblePathPixels(0));
            })) {
            return;
        }
        // An image with a placement is laid down from a copy resampled
        // there, kept from its second sighting on: an image drawn where it
        // was drawn before is copied, not resampled, and gives the pixels it
        // gave the first time, to the bit (a copy laid down rounds the
        // samples once more than resampling into the target would, so the
        // first sighting is laid down from a copy too). The copies stay with
        // the image drawn, whichever reduction they are made from.
        const std::optional<ImageShownCopies::Placement> placement = shownPlacement(original, r);
        std::shared_ptr<const Image> copy;
        if (placement) {
            ImageShownCopies& copies = original.shownCopies();
            const ImageShownCopies::Sighting sighting = copies.sight(*placement);
            copy = sighting.copy;
            if (!copy) {
                copy = makeShownCopy(image, laidOut, *placement, sampling.convolves);
                const std::int64_t imagePixels = static_cast<std::int64_t>(original.width()) * original.height();
                if (copy && sighting.seenBefore) copies.keep(*placement, copy, imagePixels);
            }
        }
        if (!copy) {
            cairo_pattern_t* source = resampledPattern(surface, image, laidOut, sampling.convolves);
            composite([&] { paintWithinPath(source, throughCoverage); }, true);
            cairo_pattern_destroy(source);
            return;
        }
        // Clipped to the rectangle as the image itself would be, so that its
        // edges meet other clips as they would; inside it, the pixels are
        // those resampling gives there.
        cairo_surface_t* copySurface = sourceSurface(*copy, scratch);
        cairo_pattern_t* source = cairo_pattern_create_for_surface(copySurface);
        cairo_matrix_t userToCopy;
        cairo_get_matrix(cairo_, &userToCopy);
        userToCopy.x0 -= placement->x;
        userToCopy.y0 -= placement->y;
        cairo_pattern_set_matrix(source, &userToCopy);
        composite([&] { paintWithinPath(source, throughCoverage); }, true);
        cairo_pattern_destroy(source);
        cairo_surface_destroy(copySurface);
    });
    cairo_surface_destroy(surface);
}

void GraphicsContext::paintWithinPath(cairo_pattern_t* source, bool throughCoverage) {
    flushPending();
    if (throughCoverage && fillThroughCoverage(source, CAIRO_FILL_RULE_WINDING, state().alpha)) {
        return;
    }
    syncCairoPath();
    cairo_save(cairo_);
    cairo_clip(cairo_);
    cairo_set_source(cairo_, source);
    cairo_paint_with_alpha(cairo_, state().alpha);
    cairo_restore(cairo_);
}

cairo_pattern_t* GraphicsContext::resampledPattern(cairo_surface_t* surface, const Image& image, const Rect& rect,
                                                   bool convolves) {
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, image.width() / rect.width(), image.height() / rect.height());
    cairo_matrix_translate(&matrix, -rect.minX(), -rect.minY());
    cairo_pattern_set_matrix(pattern, &matrix);
    // Padding keeps the edges crisp; the rectangle bounds the image.
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pattern, convolves ? CAIRO_FILTER_GOOD : CAIRO_FILTER_BILINEAR);
    return pattern;
}

void GraphicsContext::paintResampled(cairo_surface_t* surface, const Image& image, const Rect& r, bool clipped,
                                     bool convolves) {
    if (clipped) syncCairoPath();
    cairo_save(cairo_);
    if (clipped) {
        cairo_clip(cairo_);
    }
    setResampledSource(cairo_, surface, image, r, convolves);
    cairo_paint_with_alpha(cairo_, state().alpha);
    cairo_restore(cairo_);
}

void GraphicsContext::setResampledSource(cairo_t* cairo, cairo_surface_t* surface, const Image& image,
                                         const Rect& rect, bool convolves) {
    cairo_pattern_t* pattern = resampledPattern(surface, image, rect, convolves);
    cairo_set_source(cairo, pattern);
    cairo_pattern_destroy(pattern);
}

std::optional<ImageShownCopies::Placement> GraphicsContext::shownPlacement(const Image& image, const Rect& r) const {
    if (image.format() != Image::Format::argb32Premultiplied) {
        return std::nullopt;
    }
    const AffineTransform imageToDevice =
        AffineTransform::makeScale(r.width() / image.width(), r.height() / image.height())
            .concatenating(AffineTransform::makeTranslation(r.minX(), r.minY()))
            .concatenating(state().transform);
    const Rect box = r.applying(state().transform);
    if (box.isNull() || !std::isfinite(box.minX()) || !std::isfinite(box.minY()) || !std::isfinite(box.maxX()) ||
        !std::isfinite(box.maxY())) {
        return std::nullopt;
    }
    const double minX = std::max(0.0, std::floor(box.minX())), minY = std::max(0.0, std::floor(box.minY()));
    const double maxX = std::min<double>(width_, std::ceil(box.maxX()));
    const double maxY = std::min<double>(height_, std::ceil(box.maxY()));
    const double imagePixels = static_cast<double>(image.width()) * image.height();
    const double shownPixels = std::fabs(imageToDevice.a * imageToDevice.d - imageToDevice.b * imageToDevice.c) *
                               imagePixels;
    if (!(maxX > minX && maxY > minY) || !(shownPixels < imagePixels) ||
        (maxX - minX) * (maxY - minY) > imagePixels) {
        return std::nullopt;
    }
    return ImageShownCopies::Placement{imageToDevice, static_cast<int>(minX), static_cast<int>(minY),
                                       static_cast<int>(maxX - minX), static_cast<int>(maxY - minY)};
}

std::shared_ptr<const Image> GraphicsContext::makeShownCopy(const Image& image, const Rect& r,
                                                            const ImageShownCopies::Placement& placement,
                                                            bool convolves) const {
    // Resampled in this context's own device space, not moved to the
    // buffer's corner: the same transform to the bit, so that every sample
    // comes out as resampling into this context gives it.
    std::unique_ptr<GraphicsContext> buffer = makeBitmap(placement.x + placement.width, placement.y + placement.height);
    if (!buffer) {
        return nullptr;
    }
    // Painted below past what the context tells the pool of: all of it counts.
    buffer->written_.everywhere = true;
    buffer->clipToRect(Rect(placement.x, placement.y, placement.width, placement.height));
    buffer->concatenate(state().transform);
    std::vector<std::uint8_t> scratch;
    cairo_surface_t* surface = sourceSurface(image, scratch);
    // Unclipped but for the copy's pixels: the rectangle clips the copy where it is laid down.
    buffer->paintResampled(surface, image, r, false, convolves);
    cairo_surface_destroy(surface);
    const std::shared_ptr<const Image> drawn = finishImage(std::move(buffer));
    if (!drawn) {
        return nullptr;
    }
    // Only the copy's pixels are kept, apart from the rest of the buffer.
    const int stride = Image::bytesPerRowFor(Image::Format::argb32Premultiplied, placement.width);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stride) * static_cast<std::size_t>(placement.height));
    const std::uint8_t* pixels = drawn->pixels().data();
    for (int row = 0; row < placement.height; ++row) {
        std::memcpy(bytes.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(stride),
                    pixels + static_cast<std::size_t>(placement.y + row) * static_cast<std::size_t>(drawn->bytesPerRow()) +
                        static_cast<std::size_t>(placement.x) * 4,
                    static_cast<std::size_t>(placement.width) * 4);
    }
    return Image::make(placement.width, placement.height, Image::Format::argb32Premultiplied, std::move(bytes));
}

void GraphicsContext::drawDeviceImageIgnoringClip(const std::shared_ptr<const Image>& image, int x, int y) {
    if (!image) return;
    if (handOverPicture(image, x, y)) {
        noteWritten(x, y, x + static_cast<double>(image->width()), y + static_cast<double>(image->height()));
        return;
    }
    drawDeviceImageIgnoringClip(*image, x, y);
}

bool GraphicsContext::isClearWithin(int x, int y, int width, int height) const {
    if (width <= 0 || height <= 0) return true;
    if (outerContexts_.empty() && !written_.everywhere) {
        // What the target's drawings reached so far, which the buffer pool relies on too.
        const WrittenBox& box = written_;
        if (box.empty || box.maxX <= x || box.maxY <= y || box.minX >= x + static_cast<double>(width) ||
            box.minY >= y + static_cast<double>(height)) {
            return true;
        }
    }
    flushPending();
    const std::optional<SolidCoverageBlend::Target> target = SolidCoverageBlend::target(cairo_, true);
    if (!target || cairo_image_surface_get_format(target->surface) != CAIRO_FORMAT_ARGB32) return false;
    int stride = 0;
    const std::uint8_t* pixels = target->pixels(stride);
    if (!pixels) return false;
    const int left = std::max(x, target->left), top = std::max(y, target->top);
    const int right = std::min(x + width, target->right), bottom = std::min(y + height, target->bottom);
    for (int row = top; row < bottom; ++row) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(
            pixels + static_cast<std::size_t>(row + target->offsetY) * static_cast<std::size_t>(stride));
        for (int column = left; column < right; ++column) {
            if (line[column + target->offsetX] != 0) return false;
        }
    }
    return true;
}

bool GraphicsContext::handOverPicture(const std::shared_ptr<const Image>& image, int x, int y) {
    // Laid over an ARGB target in drawing order with the fills and strokes
    // handed over, rather than by Cairo, which would need them laid down first.
    const State& s = state();
    if (s.degenerate || image->format() != Image::Format::argb32Premultiplied || s.blendMode != BlendMode::normal) {
        return false;
    }
    const std::optional<SolidCoverageBlend::Target> target = SolidCoverageBlend::target(cairo_, true);
    if (!target || cairo_image_surface_get_format(target->surface) != CAIRO_FORMAT_ARGB32) {
        return false;
    }
    // The alpha as Cairo lays it down: the upper 8 of its 16 bits.
    const int level = eightBits(std::clamp(s.alpha, 0.0, 1.0));
    const int left = std::max(x, target->left), top = std::max(y, target->top);
    const int right = std::min(x + image->width(), target->right), bottom = std::min(y + image->height(), target->bottom);
    if (level == 0 || left >= right || top >= bottom) {
        return true;  // nothing shows
    }
    std::vector<std::shared_ptr<PendingCoverageDrawing>> drawings{spareDrawing()};
    PendingCoverageDrawing& drawing = *drawings.front();
    drawing.left = left;
    drawing.top = top;
    drawing.right = right;
    drawing.bottom = bottom;
    drawing.picture = PendingCoverageDrawing::Picture{image, x, y, static_cast<std::uint8_t>(level), *target};
    handOver(drawings, false);
    return true;
}

void GraphicsContext::drawDeviceImageIgnoringClip(const Image& image, int x, int y) {
    noteWritten(x, y, x + static_cast<double>(image.width()), y + static_cast<double>(image.height()));
    flushPending();
    const State& s = state();
    if (s.degenerate || image.format() != Image::Format::argb32Premultiplied) {
        return;
    }
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        const_cast<std::uint8_t*>(image.pixels().data()), CAIRO_FORMAT_ARGB32, image.width(), image.height(),
        image.bytesPerRow());
    preservingPath([&] {
        cairo_save(cairo_);
        cairo_reset_clip(cairo_);
        cairo_identity_matrix(cairo_);
        cairo_rectangle(cairo_, x, y, image.width(), image.height());
        cairo_clip(cairo_);
        cairo_set_operator(cairo_, cairoOperator(s.blendMode));
        cairo_set_source_surface(cairo_, surface, x, y);
        cairo_paint_with_alpha(cairo_, s.alpha);
        cairo_restore(cairo_);
    });
    cairo_surface_destroy(surface);
}

void GraphicsContext::drawLinearGradient(const Gradient& gradient, Point start, Point end,
                                         GradientDrawingOptions options) {
    end = separateEnd(state().transform, start, end);
    const GradientGeometry geometry = GradientGeometry::linear(start, end);
    if (state().degenerate || !geometry.isValid() || (geometry.isDegenerate() && !options.drawsAfterEnd)) {
        return;
    }
    noteWrittenClip();
    const Point axis = end - start;
    const double lengthSquared = axis.x * axis.x + axis.y * axis.y;
    // One-sided extension: pad both ways, then cut away the side that must stay empty.
    const bool cutBefore = !options.drawsBeforeStart && options.drawsAfterEnd && lengthSquared > 0;
    const bool cutAfter = options.drawsBeforeStart && !options.drawsAfterEnd && lengthSquared > 0;
    // Through a pixel mask, an uncut gradient takes the alpha in its stops and
    // is laid down through the mask in one pass.
    const bool throughMask = state().mask && !cutBefore && !cutAfter;
    cairo_pattern_t* pattern = gradientPattern(
        gradient, geometry, throughMask ? state().alpha : 1,
        options.drawsBeforeStart || options.drawsAfterEnd ? CAIRO_EXTEND_PAD : CAIRO_EXTEND_NONE);
    if (!takeGradientCost(gradient)) {
        cairo_pattern_destroy(pattern);
        return;
    }
    if (throughMask) {
        compositePaint(pattern, 1);
        cairo_pattern_destroy(pattern);
        return;
    }
    if (!cutBefore && !cutAfter && handOverGradientPaint(pattern, state().alpha, false, false)) {
        cairo_pattern_destroy(pattern);
        return;
    }
    flushPending();
    preservingPath([&] {
        if (cutBefore || cutAfter) {
            const double length = std::sqrt(lengthSquared);
            const Point along = axis * (1 / length);
            const Point across(-along.y, along.x);
            const double far = 1e7;
            const Point edge = cutBefore ? start : end;
            const Point away = cutBefore ? along : -along;
            Path half;
            half.moveTo(edge + across * far);
            half.lineTo(edge + across * far + away * far);
            half.lineTo(edge - across * far + away * far);
            half.lineTo(edge - across * far);
            half.closeSubpath();
            addPath(half);
        }
        composite([&] {
            cairo_save(cairo_);
            if (cutBefore || cutAfter) {
                syncCairoPath();
                cairo_clip(cairo_);
            }
            cairo_set_source(cairo_, pattern);
            cairo_paint_with_alpha(cairo_, state().alpha);
            cairo_restore(cairo_);
        });
    });
    cairo_pattern_destroy(pattern);
}

void GraphicsContext::drawRadialGradient(const Gradient& gradient, Point startCenter, double startRadius,
                                         Point endCenter, double endRadius, GradientDrawingOptions options) {
    const GradientGeometry geometry = GradientGeometry::circles(startCenter, startRadius, endCenter, endRadius);
    if (state().degenerate || !geometry.isValid() || (geometry.isDegenerate() && !options.drawsAfterEnd)) {
        return;
    }
    noteWrittenClip();
    // Past the end is outside the end circle; one-sided extension follows that side.
    if (!takeGradientCost(gradient)) {
        return;
    }
    // Through a pixel mask the gradient takes the alpha in its stops and is
    // laid down through the mask in one pass.
    const bool throughMask = state().mask != nullptr;
    cairo_pattern_t* pattern = gradientPattern(gradient, geometry, throughMask ? state().alpha : 1,
                                               options.drawsAfterEnd ? CAIRO_EXTEND_PAD : CAIRO_EXTEND_NONE);
    compositePaint(pattern, throughMask ? 1 : state().alpha);
    cairo_pattern_destroy(pattern);
}

void GraphicsContext::fillPathWithLinearGradient(const Gradient& gradient, Point start, Point end, FillRule rule) {
    cairo_pattern_t* pattern =
        fillPattern(gradient, GradientGeometry::linear(start, separateEnd(state().transform, start, end)), state().alpha);
    fillCurrentPath(pattern, rule, &gradient);
    cairo_pattern_destroy(pattern);
}

void GraphicsContext::fillPathWithRadialGradient(const Gradient& gradient, Point startCenter, double startRadius,
                                                 Point endCenter, double endRadius, FillRule rule) {
    cairo_pattern_t* pattern =
        fillPattern(gradient, GradientGeometry::circles(startCenter, startRadius, endCenter, endRadius),
                    state().alpha);
    fillCurrentPath(pattern, rule, &gradient);
    cairo_pattern_destroy(pattern);
}

namespace {

// A transparency layer's buffer: an ARGB image surface placed on whole
// device pixels, its top-left corner at (x, y).
struct LayerPixels {
    cairo_surface_t* surface = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
};

std::optional<LayerPixels> layerPixels(cairo_pattern_t* layer) {
    LayerPixels pixels;
    if (cairo_pattern_get_surface(layer, &pixels.surface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_status(pixels.surface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_get_type(pixels.surface) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(pixels.surface) != CAIRO_FORMAT_ARGB32) {
        return std::nullopt;
    }
    double offsetX = 0, offsetY = 0;
    cairo_surface_get_device_offset(pixels.surface, &offsetX, &offsetY);
    if (offsetX != std::round(offsetX) || offsetY != std::round(offsetY) || std::fabs(offsetX) > 1e6 ||
        std::fabs(offsetY) > 1e6) {
        return std::nullopt;
    }
    pixels.x = -static_cast<int>(offsetX);
    pixels.y = -static_cast<int>(offsetY);
    pixels.width = cairo_image_surface_get_width(pixels.surface);
    pixels.height = cairo_image_surface_get_height(pixels.surface);
    return pixels;
}

}  // namespace

void GraphicsContext::beginTransparencyLayer(std::optional<Rect> deviceBounds) {
    State inner = state();
    // Inside the layer drawing starts plain; the layer as a whole is composited
    // with the outer alpha, blend mode and mask at the end.
    inner.alpha = 1;
    inner.blendMode = BlendMode::normal;
    inner.mask.reset();
    // The layer's own context starts clipped as the outer one is, and what it
    // draws is laid down through the outer clip again.
    inner.clips.reset();
    layerDepths_.push_back(states_.size());
    states_.push_back(std::move(inner));
    pushGroup(deviceBounds);
}

void GraphicsContext::endTransparencyLayer() {
    if (layerDepths_.empty()) {
        return;
    }
    while (states_.size() > layerDepths_.back() + 1) {
        popState();
    }
    states_.pop_back();
    layerDepths_.pop_back();
    cairo_pattern_t* layer = popGroup();
    // The layer lands within its buffer's pixels.
    if (const std::optional<LayerPixels> pixels = layerPixels(layer)) {
        noteWritten(pixels->x, pixels->y, pixels->x + pixels->width, pixels->y + pixels->height);
    } else {
        noteWrittenClip();
    }
    // Laid down whatever the budget says: the group's drawings are already made.
    WorkBudget::chargeActive([&] { return compositeCost(visibleArea(deviceClipBox())); });
    if (!handOverLayer(layer)) compositePaint(layer, state().alpha, true);
    cairo_pattern_destroy(layer);
}

bool GraphicsContext::layDownLayerThroughCoverage(cairo_pattern_t* layer, const CoverageRasterizer::Plane& plane) {
    if (state().blendMode != BlendMode::normal) return false;
    const std::optional<LayerPixels> pixels = layerPixels(layer);
    if (!pixels) return false;
    const std::optional<SolidCoverageBlend::Target> target = SolidCoverageBlend::target(cairo_, true);
    if (!target || cairo_image_surface_get_format(target->surface) != CAIRO_FORMAT_ARGB32) return false;
    int targetStride = 0;
    std::uint8_t* targetData = target->pixels(targetStride);
    cairo_surface_flush(pixels->surface);
    const std::uint8_t* layerData = cairo_image_surface_get_data(pixels->surface);
    const int layerStride = cairo_image_surface_get_stride(pixels->surface);
    if (targetData == nullptr || layerData == nullptr) return false;
    const int left = std::max({plane.left, pixels->x, target->left});
    const int right = std::min({plane.left + plane.width, pixels->x + pixels->width, target->right});
    const int top = std::max({plane.top, pixels->y, target->top});
    const int bottom = std::min({plane.top + plane.height, pixels->y + pixels->height, target->bottom});
    if (left >= right || top >= bottom) return true;  // nothing shows
    for (int y = top; y < bottom; ++y) {
        const int row = y - plane.top;
        int from = left, to = right;
        if (plane.firstColumns != nullptr) {
            // Only the columns written hold coverage; the rest may be uncleared.
            from = std::max(from, plane.left + plane.firstColumns[row]);
            to = std::min(to, plane.left + plane.endColumns[row]);
            if (from >= to) continue;
        }
        const std::uint8_t* levels = plane.data + static_cast<std::ptrdiff_t>(row) * plane.stride + (from - plane.left);
        const auto* source = reinterpret_cast<const std::uint32_t*>(
                                 layerData + static_cast<std::ptrdiff_t>(y - pixels->y) * layerStride) +
                             (from - pixels->x);
        auto* destination = reinterpret_cast<std::uint32_t*>(
                                targetData + static_cast<std::ptrdiff_t>(y + target->offsetY) * targetStride) +
                            (from + target->offsetX);
        PixelArithmetic::overEachThrough(source, levels, destination, to - from);
    }
    target->markDirty(left, top, right, bottom);
    return true;
}

bool GraphicsContext::handOverLayer(cairo_pattern_t* layer) {
    const State& s = state();
    if (s.degenerate || s.mask || s.clipIsEmpty || s.blendMode != BlendMode::normal) return false;
    const std::optional<LayerPixels> pixels = layerPixels(layer);
    if (!pixels) return false;
    const std::optional<std::vector<Rect>> rectangles = deviceClipRectangles();
    if (!rectangles || rectangles->size() != 1) return false;
    const Rect box(pixels->x, pixels->y, pixels->width, pixels->height);
    if (rectangles->front().intersection(box) != box) return false;
    const std::shared_ptr<const Image> image = imageSharing(pixels->surface);
    return image && handOverPicture(image, pixels->x, pixels->y);
}

}  // namespace platform::graphics
