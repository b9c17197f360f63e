#include "Platform/Graphics/GraphicsContext.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

#include "Platform/Graphics/ClipCoverageBuffers.h"
#include "Platform/Graphics/CoverageRasterizer.h"
#include "Platform/Graphics/DashLimit.h"
#include "Platform/Graphics/SpareCoverageDrawings.h"
#include "Platform/Graphics/WorkBudget.h"
#include "Platform/Graphics/GraphicsContextState.h"
#include "Platform/Graphics/PendingCoverageDrawing.h"
#include "Platform/Graphics/FarCurveCutter.h"
#include "Platform/Graphics/PathDasher.h"
#include "Platform/Graphics/PixelBufferPool.h"

namespace platform::graphics {

namespace {

// Cairo keeps device coordinates in 24.8 fixed point (about +-8.4 million);
// points are kept well inside that so strokes around them fit as well.
constexpr double kDeviceLimit = 4'000'000;
constexpr int kMaximumSide = 32767;

double clampCoordinate(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return std::clamp(value, -kDeviceLimit, kDeviceLimit);
}

bool isUsable(const AffineTransform& t) {
    return t.isInvertible() && std::isfinite(t.a) && std::isfinite(t.b) && std::isfinite(t.c) && std::isfinite(t.d);
}

bool validSize(int width, int height) {
    return width > 0 && height > 0 && width <= kMaximumSide && height <= kMaximumSide &&
           static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= Image::kMaximumPixelCount;
}

std::unique_ptr<GraphicsContext> makeOnSurface(cairo_surface_t* surface, bool grey,
                                               GraphicsContext* (*construct)(cairo_t*, int, int, bool)) {
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_t* cairo = cairo_create(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    cairo_surface_destroy(surface);
    if (cairo_status(cairo) != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(cairo);
        return nullptr;
    }
    std::unique_ptr<GraphicsContext> context(construct(cairo, width, height, grey));
    cairo_destroy(cairo);  // the context holds its own reference
    return context;
}

}  // namespace

cairo_operator_t cairoOperator(BlendMode mode) {
    switch (mode) {
        case BlendMode::normal: return CAIRO_OPERATOR_OVER;
        case BlendMode::multiply: return CAIRO_OPERATOR_MULTIPLY;
        case BlendMode::screen: return CAIRO_OPERATOR_SCREEN;
        case BlendMode::overlay: return CAIRO_OPERATOR_OVERLAY;
        case BlendMode::darken: return CAIRO_OPERATOR_DARKEN;
        case BlendMode::lighten: return CAIRO_OPERATOR_LIGHTEN;
        case BlendMode::colorDodge: return CAIRO_OPERATOR_COLOR_DODGE;
        case BlendMode::colorBurn: return CAIRO_OPERATOR_COLOR_BURN;
        case BlendMode::softLight: return CAIRO_OPERATOR_SOFT_LIGHT;
        case BlendMode::hardLight: return CAIRO_OPERATOR_HARD_LIGHT;
        case BlendMode::difference: return CAIRO_OPERATOR_DIFFERENCE;
        case BlendMode::exclusion: return CAIRO_OPERATOR_EXCLUSION;
        case BlendMode::hue: return CAIRO_OPERATOR_HSL_HUE;
        case BlendMode::saturation: return CAIRO_OPERATOR_HSL_SATURATION;
        case BlendMode::color: return CAIRO_OPERATOR_HSL_COLOR;
        case BlendMode::luminosity: return CAIRO_OPERATOR_HSL_LUMINOSITY;
        case BlendMode::clear: return CAIRO_OPERATOR_CLEAR;
        case BlendMode::copy: return CAIRO_OPERATOR_SOURCE;
        case BlendMode::sourceIn: return CAIRO_OPERATOR_IN;
        case BlendMode::sourceOut: return CAIRO_OPERATOR_OUT;
        case BlendMode::sourceAtop: return CAIRO_OPERATOR_ATOP;
        case BlendMode::destinationOver: return CAIRO_OPERATOR_DEST_OVER;
        case BlendMode::destinationIn: return CAIRO_OPERATOR_DEST_IN;
        case BlendMode::destinationOut: return CAIRO_OPERATOR_DEST_OUT;
        case BlendMode::destinationAtop: return CAIRO_OPERATOR_DEST_ATOP;
        case BlendMode::xorMode: return CAIRO_OPERATOR_XOR;
        case BlendMode::plusLighter: return CAIRO_OPERATOR_ADD;
    }
    return CAIRO_OPERATOR_OVER;
}

cairo_line_cap_t cairoLineCap(LineCap cap) {
    return cap == LineCap::round    ? CAIRO_LINE_CAP_ROUND
           : cap == LineCap::square ? CAIRO_LINE_CAP_SQUARE
                                    : CAIRO_LINE_CAP_BUTT;
}

cairo_line_join_t cairoLineJoin(LineJoin join) {
    return join == LineJoin::round   ? CAIRO_LINE_JOIN_ROUND
           : join == LineJoin::bevel ? CAIRO_LINE_JOIN_BEVEL
                                     : CAIRO_LINE_JOIN_MITER;
}

GraphicsContext::GraphicsContext(cairo_t* cairo, int width, int height, bool grey)
    : cairo_(cairo_reference(cairo)), surfaces_{cairo_get_target(cairo)}, width_(width), height_(height), grey_(grey) {
    states_.emplace_back();
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo_, &matrix);
    state().transform = AffineTransform(matrix.xx, matrix.yx, matrix.xy, matrix.yy, matrix.x0, matrix.y0);
    state().degenerate = !isUsable(state().transform);
}

GraphicsContext::GraphicsContext(cairo_t* cairo)
    : GraphicsContext(cairo,
                      cairo_surface_get_type(cairo_get_target(cairo)) == CAIRO_SURFACE_TYPE_IMAGE
                          ? cairo_image_surface_get_width(cairo_get_target(cairo))
                          : 0,
                      cairo_surface_get_type(cairo_get_target(cairo)) == CAIRO_SURFACE_TYPE_IMAGE
                          ? cairo_image_surface_get_height(cairo_get_target(cairo))
                          : 0,
                      false) {
    // The caller's target may be drawn on by others: the pool is told nothing of it.
    written_.everywhere = true;
}

GraphicsContext::~GraphicsContext() {
    // Close what the caller left open so the layers' drawing is not lost.
    while (!layerDepths_.empty()) {
        endTransparencyLayer();
    }
    flushPending();
    // The pool clears only what was drawn on when the target's buffer is next used.
    // (A box of nothing is all zeros: nothing to clear.)
    if (!written_.everywhere && !surfaces_.empty()) {
        const WrittenBox& box = written_;
        PixelBufferPool::noteWritten(surfaces_.front(), static_cast<int>(std::floor(box.minX)),
                                     static_cast<int>(std::floor(box.minY)), static_cast<int>(std::ceil(box.maxX)),
                                     static_cast<int>(std::ceil(box.maxY)));
    }
    cairo_destroy(cairo_);
    // The drawings laid down let go of the clips' coverage: the buffers go
    // to the next context.
    ClipCoverageBuffers::give(std::move(clipCoverage_.coverage));
    for (auto& buffer : spareClipCoverage_) ClipCoverageBuffers::give(std::move(buffer));
    // And the drawings, laid down, with their rasterisers and buffers.
    for (auto& drawing : spareDrawings_) SpareCoverageDrawings::give(std::move(drawing));
}

std::unique_ptr<GraphicsContext> GraphicsContext::makeBitmap(int width, int height) {
    if (!validSize(width, height)) {
        return nullptr;
    }
    return makeOnSurface(PixelBufferPool::shared().makeSurface(CAIRO_FORMAT_ARGB32, width, height), false,
                         [](cairo_t* c, int w, int h, bool g) { return new GraphicsContext(c, w, h, g); });
}

std::unique_ptr<GraphicsContext> GraphicsContext::makeGreyBitmap(int width, int height) {
    if (!validSize(width, height)) {
        return nullptr;
    }
    // Grey is kept in an opaque RGB surface so that grey levels composite exactly
    // like colours; the image made from it keeps one channel.
    return makeOnSurface(PixelBufferPool::shared().makeSurface(CAIRO_FORMAT_RGB24, width, height), true,
                         [](cairo_t* c, int w, int h, bool g) { return new GraphicsContext(c, w, h, g); });
}

std::unique_ptr<GraphicsContext> GraphicsContext::makeAlphaBitmap(int width, int height) {
    if (!validSize(width, height)) {
        return nullptr;
    }
    return makeOnSurface(PixelBufferPool::shared().makeSurface(CAIRO_FORMAT_A8, width, height), false,
                         [](cairo_t* c, int w, int h, bool g) { return new GraphicsContext(c, w, h, g); });
}

std::shared_ptr<const Image> GraphicsContext::makeImage() const {
    flushPending();
    cairo_surface_t* target = surfaces_.front();
    if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE || width_ <= 0 || height_ <= 0) {
        return nullptr;
    }
    cairo_surface_flush(target);
    const cairo_format_t format = cairo_image_surface_get_format(target);
    if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) {
        return nullptr;
    }
    const unsigned char* data = cairo_image_surface_get_data(target);
    const int sourceStride = cairo_image_surface_get_stride(target);
    if (grey_) {
        const int stride = Image::bytesPerRowFor(Image::Format::grey8, width_);
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * height_);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                std::uint32_t value;
                std::memcpy(&value, data + static_cast<std::size_t>(y) * sourceStride + x * 4, 4);
                const std::uint32_t level =
                    (((value >> 16) & 0xff) * 77 + ((value >> 8) & 0xff) * 150 + (value & 0xff) * 29 + 128) >> 8;
                pixels[static_cast<std::size_t>(y) * stride + x] = static_cast<std::uint8_t>(level);
            }
        }
        return Image::make(width_, height_, Image::Format::grey8, std::move(pixels));
    }
    const int stride = Image::bytesPerRowFor(Image::Format::argb32Premultiplied, width_);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * height_);
    for (int y = 0; y < height_; ++y) {
        std::memcpy(pixels.data() + static_cast<std::size_t>(y) * stride,
                    data + static_cast<std::size_t>(y) * sourceStride, static_cast<std::size_t>(width_) * 4);
    }
    if (format == CAIRO_FORMAT_RGB24) {
        for (std::size_t i = 3; i < pixels.size(); i += 4) {
            pixels[i] = 0xff;  // little-endian alpha byte of an opaque surface
        }
    }
    return Image::make(width_, height_, Image::Format::argb32Premultiplied, std::move(pixels));
}

std::shared_ptr<const Image> GraphicsContext::finishImage(std::unique_ptr<GraphicsContext> context) {
    if (!context) {
        return nullptr;
    }
    cairo_surface_t* target = context->surfaces_.front();
    if (context->grey_ || cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(target) != CAIRO_FORMAT_ARGB32 || context->width_ <= 0 ||
        context->height_ <= 0) {
        return context->makeImage();
    }
    cairo_surface_reference(target);
    context.reset();  // closes open transparency layers and lets go of the target
    std::shared_ptr<const Image> image = imageSharing(target);
    cairo_surface_destroy(target);
    return image;
}

std::shared_ptr<const Image> imageSharing(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    // The image keeps the surface, and with it the pixels, alive.
    cairo_surface_reference(surface);
    std::shared_ptr<const std::uint8_t> data(cairo_image_surface_get_data(surface),
                                             [surface](const std::uint8_t*) { cairo_surface_destroy(surface); });
    return Image::sharing(cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface),
                          Image::Format::argb32Premultiplied, cairo_image_surface_get_stride(surface),
                          std::move(data));
}

// A context in its error state makes a new pattern each time its source is
// asked for, which nothing frees: it is asked only of a sound context.
GraphicsContext::CairoSettings::CairoSettings(cairo_t* cairo)
    : source(cairo_status(cairo) == CAIRO_STATUS_SUCCESS ? cairo_get_source(cairo) : nullptr) {
    cairo_get_matrix(cairo, &matrix);
}

void GraphicsContext::CairoSettings::applyTo(cairo_t* cairo) const {
    if (cairo_status(cairo) != CAIRO_STATUS_SUCCESS) return;  // it ignores every call
    cairo_set_matrix(cairo, &matrix);
    // A source set since is let go of, as Cairo's restore would: the pixels
    // of a group it holds go back to the pool. Which source is left does not
    // matter, as every drawing sets its own.
    if (cairo_get_source(cairo) != source) cairo_set_source_rgb(cairo, 0, 0, 0);
}

void GraphicsContext::saveGState() {
    // Cairo's own save copies its clip and more, and most states saved here
    // only change the transform: it is made when a clip is (see
    // saveCairoBeforeClipping). The rest of what drawings leave set in
    // Cairo's context (operator, antialiasing, fill rule) each drawing sets
    // again before it draws.
    states_.push_back(state());
    State& saved = state();
    saved.cairoAtSave = CairoSettings(cairo_);
    saved.cairoSaveDeferred = true;
    saved.cairoSaved = false;
}

void GraphicsContext::saveCairoBeforeClipping() {
    State& s = state();
    if (s.cairoSaveDeferred) {
        cairo_save(cairo_);
        s.cairoSaveDeferred = false;
        s.cairoSaved = true;
    }
}

void GraphicsContext::popState() {
    const State& s = state();
    if (s.cairoSaved) cairo_restore(cairo_);
    s.cairoAtSave.applyTo(cairo_);
    states_.pop_back();
}

void GraphicsContext::restoreGState() {
    const std::size_t floor = layerDepths_.empty() ? 1 : layerDepths_.back() + 1;
    if (states_.size() <= floor) {
        return;
    }
    popState();
}

void GraphicsContext::applyTransform(const AffineTransform& transform) {
    State& s = state();
    s.transform = transform;
    s.degenerate = !isUsable(transform);
    if (!s.degenerate) {
        const cairo_matrix_t matrix = toCairoMatrix(transform);
        cairo_set_matrix(cairo_, &matrix);
    }
}

void GraphicsContext::translateBy(double tx, double ty) { concatenate(AffineTransform::makeTranslation(tx, ty)); }

void GraphicsContext::scaleBy(double sx, double sy) { concatenate(AffineTransform::makeScale(sx, sy)); }

void GraphicsContext::rotateBy(double angle) { concatenate(AffineTransform::makeRotation(angle)); }

void GraphicsContext::concatenate(const AffineTransform& transform) {
    applyTransform(transform.concatenating(state().transform));
}

AffineTransform GraphicsContext::currentTransform() const { return state().transform; }

Point GraphicsContext::toDevice(Point user) const {
    const Point device = state().transform.apply(user);
    return {clampCoordinate(device.x), clampCoordinate(device.y)};
}

void GraphicsContext::deviceMoveTo(Point p) { devicePath_.moveTo(p); }

void GraphicsContext::deviceLineTo(Point p) { devicePath_.lineTo(p); }

void GraphicsContext::deviceCurveTo(Point c1, Point c2, Point end) { devicePath_.curveTo(c1, c2, end); }

void appendPathElements(cairo_t* cairo, std::span<const PathElement> elements) {
    for (const PathElement& element : elements) {
        const auto& p = element.points;
        switch (element.type) {
            case PathElementType::moveTo: cairo_move_to(cairo, p[0].x, p[0].y); break;
            case PathElementType::lineTo: cairo_line_to(cairo, p[0].x, p[0].y); break;
            case PathElementType::quadCurveTo: {
                // The cubic with the same shape as the quadratic.
                double x = 0, y = 0;
                cairo_get_current_point(cairo, &x, &y);
                cairo_curve_to(cairo, x + (p[0].x - x) * 2 / 3, y + (p[0].y - y) * 2 / 3,
                               p[1].x + (p[0].x - p[1].x) * 2 / 3, p[1].y + (p[0].y - p[1].y) * 2 / 3, p[1].x, p[1].y);
                break;
            }
            case PathElementType::curveTo:
                cairo_curve_to(cairo, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y);
                break;
            case PathElementType::closeSubpath: cairo_close_path(cairo); break;
        }
    }
}

void GraphicsContext::syncCairoPath() const {
    const std::vector<PathElement>& elements = devicePath_.elements();
    if (cairoPathElements_ >= elements.size()) return;
    // The points are in device space: Cairo's matrix is set aside while they
    // are added and put back afterwards.
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo_, &matrix);
    cairo_identity_matrix(cairo_);
    appendPathElements(cairo_, std::span(elements).subspan(cairoPathElements_));
    cairo_set_matrix(cairo_, &matrix);
    cairoPathElements_ = elements.size();
}

void GraphicsContext::measureDeviceElement(const PathElement& element, Point& current, Point& subpathStart,
                                           const Rect* within) {
    PathExtent& extent = pathExtent_;
    const double rows = height_ > 0 ? height_ : kDeviceLimit;
    const double columns = width_ > 0 ? width_ : kDeviceLimit;
    // A segment that lies outside `within` walks none of its cells.
    const auto outside = [within](Point from, Point to) {
        return within && (std::max(from.x, to.x) < within->minX() || std::min(from.x, to.x) > within->maxX() ||
                          std::max(from.y, to.y) < within->minY() || std::min(from.y, to.y) > within->maxY());
    };
    const auto addSegment = [&](Point from, Point to) {
        if (outside(from, to)) {
            extent.outline.segments += 1;
            extent.box.add(to);
        } else {
            extent.addSegment(from, to, rows, columns);
        }
    };
    const auto& p = element.points;
    switch (element.type) {
        case PathElementType::moveTo:
            current = subpathStart = p[0];
            extent.box.add(current);
            break;
        case PathElementType::lineTo:
            addSegment(current, p[0]);
            current = p[0];
            break;
        case PathElementType::quadCurveTo:
            addSegment(current, p[0]);
            addSegment(p[0], p[1]);
            current = p[1];
            break;
        case PathElementType::curveTo: {
            // The control polygon bounds the curve and the rows it crosses;
            // each of its segments takes its end into the box.
            const Point first = current - p[0] * 2 + p[1], second = p[0] - p[1] * 2 + p[2];
            const double bend = std::max(std::hypot(first.x, first.y), std::hypot(second.x, second.y));
            extent.curves += 1;
            if (std::isfinite(bend)) extent.curveBends += std::sqrt(0.75 * bend);
            addSegment(current, p[0]);
            addSegment(p[0], p[1]);
            addSegment(p[1], p[2]);
            current = p[2];
            break;
        }
        case PathElementType::closeSubpath:
            addSegment(current, subpathStart);
            current = subpathStart;
            break;
    }
}

void GraphicsContext::addDevicePathElements(const Path& path) {
    // The points go into the device path; Cairo is handed them when it needs them.
    Point current;
    Point subpathStart;
    for (const PathElement& element : path.elements()) {
        PathElement device = element;
        const int points = element.type == PathElementType::curveTo       ? 3
                           : element.type == PathElementType::quadCurveTo ? 2
                           : element.type == PathElementType::closeSubpath ? 0
                                                                            : 1;
        for (int index = 0; index < points; ++index) device.points[index] = toDevice(element.points[index]);
        const Point start = current;
        measureDeviceElement(device, current, subpathStart);
        const auto& p = device.points;
        switch (element.type) {
            case PathElementType::moveTo: deviceMoveTo(p[0]); break;
            case PathElementType::lineTo: deviceLineTo(p[0]); break;
            case PathElementType::quadCurveTo:
                // The cubic with the same shape as the quadratic.
                deviceCurveTo(start + (p[0] - start) * (2.0 / 3.0), p[1] + (p[0] - p[1]) * (2.0 / 3.0), p[1]);
                break;
            case PathElementType::curveTo: deviceCurveTo(p[0], p[1], p[2]); break;
            case PathElementType::closeSubpath: devicePath_.closeSubpath(); break;
        }
    }
    pathElementCount_ += path.elements().size();
}

void GraphicsContext::cutFarCurves(bool stroked) {
    const State& s = state();
    if (devicePath_.isEmpty()) return;
    const bool dashed = stroked && !s.dashLengths.empty();
    const std::vector<PathElement>& elements = devicePath_.elements();
    // A dashed path's far lines keep their length for the dashes laid along them.
    if (dashed && std::none_of(elements.begin(), elements.end(),
                               [](const PathElement& element) { return element.type == PathElementType::curveTo; })) {
        return;
    }
    const double reach = stroked ? strokeReach() : 0;
    if (!std::isfinite(reach)) return;
    // Two pixels more for antialiasing and rounding.
    const Rect view = deviceClipBox();
    if (view.isNull()) return;
    const Rect box = view.insetBy(-(reach + 2), -(reach + 2));
    Path cut;
    if (dashed) {
        // The pattern is laid along the length in the pen's space, where
        // Cairo measures it.
        const std::optional<AffineTransform> lengths = penTransform().inverted();
        if (!lengths) return;
        if (!FarCurveCutter::cutKeepingLength(devicePath_, box, *lengths, cut)) return;
        // Measured on the uncut path, which Cairo still holds: only when a
        // piece was cut.
        dashLengthBound_ = pathLengthBound();
    } else if (!FarCurveCutter::cut(devicePath_, box, cut)) {
        return;
    }
    devicePath_ = std::move(cut);
    dashedPathMade_ = false;
    cairo_new_path(cairo_);
    cairoPathElements_ = 0;
    // The drawing's cost is taken from the path it now draws.
    pathExtent_ = {};
    Point current;
    Point subpathStart;
    for (const PathElement& element : devicePath_.elements()) {
        measureDeviceElement(element, current, subpathStart, &box);
    }
}

const Path& GraphicsContext::strokedDevicePath() const {
    const State& s = state();
    if (s.dashLengths.empty()) return devicePath_;
    if (dashedPathMade_) return dashedPath_;
    dashedPathMade_ = true;
    dashedPath_.removeAll();
    // The pattern is laid along the length in the pen's space.
    const std::optional<AffineTransform> measure = penTransform().inverted();
    if (!measure) return dashedPath_;
    const AffineTransform linear(measure->a, measure->b, measure->c, measure->d, 0, 0);
    const double bound = dashLengthBound_ ? *dashLengthBound_ : DashLimit::lengthBound(devicePath_.transformed(linear));
    const double stretch = DashLimit::stretchFactor(bound, s.dashLengths);
    std::vector<double> lengths(s.dashLengths);
    for (double& length : lengths) length *= stretch;
    dashedPath_ = PathDasher::dash(devicePath_, lengths, s.dashPhase * stretch, *measure, s.lineCap != LineCap::butt);
    // The dashes of far curves cut down keep their chords' far ends: those
    // are brought near, as an undashed stroke's are.
    const double reach = strokeReach();
    const Rect view = deviceClipBox();
    Path near;
    if (dashLengthBound_ && std::isfinite(reach) && !view.isNull() &&
        FarCurveCutter::cut(dashedPath_, view.insetBy(-(reach + 2), -(reach + 2)), near)) {
        dashedPath_ = std::move(near);
    }
    return dashedPath_;
}

void GraphicsContext::beginPath() { consumePath(); }

void GraphicsContext::consumePath() {
    cairo_new_path(cairo_);
    cairoPathElements_ = 0;
    dashLengthBound_.reset();
    dashedPathMade_ = false;
    cairoStrokeTaken_ = false;
    pathElementCount_ = 0;
    pathIsStroked_ = false;
    pathExtent_ = {};
    // Emptied rather than replaced: the next drawing's path fills the same storage.
    devicePath_.removeAll();
}

void GraphicsContext::addPath(const Path& path) {
    if (state().degenerate || path.isEmpty()) {
        return;
    }
    addDevicePathElements(path);
}

void GraphicsContext::addRect(const Rect& rect) {
    Path path;
    path.addRect(rect);
    addPath(path);
}

void GraphicsContext::addEllipse(const Rect& rect) {
    Path path;
    path.addEllipse(rect);
    addPath(path);
}

Rect GraphicsContext::pathBoundingBox() const {
    if (isPathEmpty() || state().degenerate) {
        return Rect::null();
    }
    syncCairoPath();
    double x0, y0, x1, y1;
    if (pathIsStroked_) {
        cairo_save(cairo_);
        applyStrokeStyle(cairo_);
        cairo_stroke_extents(cairo_, &x0, &y0, &x1, &y1);
        cairo_matrix_t stroked;
        cairo_get_matrix(cairo_, &stroked);
        cairo_restore(cairo_);
        const AffineTransform strokeSpace(stroked.xx, stroked.yx, stroked.xy, stroked.yy, stroked.x0, stroked.y0);
        if (strokeSpace != state().transform) {
            // Measured in the space of a bounded pen: through the device into the current space.
            const std::optional<AffineTransform> inverse = state().transform.inverted();
            const Rect box = Rect(x0, y0, x1 - x0, y1 - y0).applying(strokeSpace);
            return inverse ? box.applying(*inverse) : Rect::null();
        }
    } else {
        cairo_path_extents(cairo_, &x0, &y0, &x1, &y1);
    }
    return Rect(x0, y0, x1 - x0, y1 - y0);
}

void GraphicsContext::replacePathWithStrokedPath() {
    if (!isPathEmpty()) {
        pathIsStroked_ = true;
    }
}

void GraphicsContext::applyStrokeStyle(cairo_t* target) const {
    const State& s = state();
    boundPen(target);
    cairo_set_tolerance(target, strokeTolerance(penRadius()));
    cairo_set_line_width(target, s.lineWidth);
    cairo_set_miter_limit(target, s.miterLimit);
    cairo_set_line_cap(target, cairoLineCap(s.lineCap));
    cairo_set_line_join(target, cairoLineJoin(s.lineJoin));
    const double stretch = s.dashLengths.empty() ? 1 : DashLimit::stretchFactor(pathLengthBound(target), s.dashLengths);
    if (s.dashLengths.empty()) {
        cairo_set_dash(target, nullptr, 0, 0);
    } else if (stretch > 1) {
        std::vector<double> stretched(s.dashLengths);
        for (double& length : stretched) length *= stretch;
        cairo_set_dash(target, stretched.data(), static_cast<int>(stretched.size()), s.dashPhase * stretch);
    } else {
        cairo_set_dash(target, s.dashLengths.data(), static_cast<int>(s.dashLengths.size()), s.dashPhase);
    }
    cairo_set_antialias(target, s.shouldAntialias && s.allowsAntialiasing ? CAIRO_ANTIALIAS_DEFAULT
                                                                          : CAIRO_ANTIALIAS_NONE);
}

double GraphicsContext::pathLengthBound(cairo_t* source) const {
    if (dashLengthBound_) return *dashLengthBound_;
    // Cairo hands the path back in the current user space, where dashes are laid out.
    if (source == nullptr || source == cairo_) syncCairoPath();
    cairo_path_t* path = cairo_copy_path(source != nullptr ? source : cairo_);
    DashLimit::LengthBound bound;
    for (int i = 0; path->status == CAIRO_STATUS_SUCCESS && i < path->num_data; i += path->data[i].header.length) {
        const cairo_path_data_t* data = &path->data[i];
        auto point = [data](int index) { return Point(data[index].point.x, data[index].point.y); };
        switch (data->header.type) {
            case CAIRO_PATH_MOVE_TO: bound.moveTo(point(1)); break;
            case CAIRO_PATH_LINE_TO: bound.lineTo(point(1)); break;
            case CAIRO_PATH_CURVE_TO: bound.curveTo(point(1), point(2), point(3)); break;
            case CAIRO_PATH_CLOSE_PATH: bound.close(); break;
        }
    }
    cairo_path_destroy(path);
    return bound.value();
}

void GraphicsContext::applyAntialias() const {
    const State& s = state();
    cairo_set_antialias(cairo_, s.shouldAntialias && s.allowsAntialiasing ? CAIRO_ANTIALIAS_DEFAULT
                                                                          : CAIRO_ANTIALIAS_NONE);
}

void GraphicsContext::setFillColor(const Color& color) { state().fillColor = color; }
void GraphicsContext::setStrokeColor(const Color& color) { state().strokeColor = color; }
Color GraphicsContext::fillColor() const { return state().fillColor; }
Color GraphicsContext::strokeColor() const { return state().strokeColor; }

void GraphicsContext::setAlpha(double alpha) {
    state().alpha = std::isnan(alpha) ? 0 : std::clamp(alpha, 0.0, 1.0);
}

double GraphicsContext::alpha() const { return state().alpha; }

void GraphicsContext::setAlphaAsLayer(bool asLayer) { state().alphaAsLayer = asLayer; }
void GraphicsContext::setBlendMode(BlendMode mode) { state().blendMode = mode; }
BlendMode GraphicsContext::blendMode() const { return state().blendMode; }

void GraphicsContext::setLineWidth(double width) {
    state().lineWidth = std::isfinite(width) && width > 0 ? width : 0;
}

void GraphicsContext::setMiterLimit(double limit) {
    state().miterLimit = std::isfinite(limit) && limit > 1 ? limit : 1;
}

void GraphicsContext::setLineCap(LineCap cap) { state().lineCap = cap; }
void GraphicsContext::setLineJoin(LineJoin join) { state().lineJoin = join; }

void GraphicsContext::setLineDash(double phase, std::span<const double> lengths) {
    double sum = 0;
    bool valid = std::isfinite(phase);
    for (double length : lengths) {
        valid = valid && std::isfinite(length) && length >= 0;
        sum += length;
    }
    State& s = state();
    if (!valid || !(sum > 0) || !std::isfinite(sum)) {
        s.dashLengths.clear();
        s.dashPhase = 0;
        return;
    }
    s.dashLengths.assign(lengths.begin(), lengths.end());
    s.dashPhase = phase;
}

void GraphicsContext::setShouldAntialias(bool shouldAntialias) { state().shouldAntialias = shouldAntialias; }
void GraphicsContext::setAllowsAntialiasing(bool allowsAntialiasing) {
    state().allowsAntialiasing = allowsAntialiasing;
}

cairo_t* GraphicsContext::cairo() const {
    // Whatever is drawn through it, the pool must take the whole target for drawn on.
    written_.everywhere = true;
    flushPending();
    syncCairoPath();
    return cairo_;
}

void GraphicsContext::flush() {
    flushPending();
    cairo_surface_flush(surfaces_.front());
}

}  // namespace platform::graphics
