// What GraphicsContext's drawings cost (DrawingCost, taken from the active
// WorkBudget before each is made), and the bounded pen of strokes.

#include <algorithm>
#include <cmath>
#include <limits>

#include "Platform/Graphics/CoverageRasterizer.h"
#include "Platform/Graphics/DashLimit.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/GraphicsContextState.h"
#include "Platform/Graphics/WorkBudget.h"

namespace platform::graphics {

namespace {

// The rasteriser flattens curves and pens to within this many device pixels.
constexpr double flatteningTolerance = 0.1;

}  // namespace

void GraphicsContext::PathExtent::addSegment(Point from, Point to, double rowLimit, double columnLimit) {
    // The scan converter keeps positions in 64ths of a pixel: an edge that
    // rises by less lies along its row and walks no cells.
    constexpr double leastRise = 1.0 / 64;
    const double rise = std::fabs(to.y - from.y);
    outline.segments += 1;
    outline.edgeRows += std::min(rise, rowLimit);
    if (rise >= leastRise) outline.edgeColumns += std::min(std::fabs(to.x - from.x), columnLimit);
    box.add(to);
}

double GraphicsContext::penVertices(double radius) {
    if (!(radius > flatteningTolerance)) return 4;
    // The rasteriser's own count: enough vertices that no chord strays from the
    // circle by more than the tolerance.
    const double step = std::acos(1 - flatteningTolerance / std::min(radius, maximumPenRadius));
    return std::ceil(2 * M_PI / step);
}

double GraphicsContext::penRadius() const {
    const State& s = state();
    return std::min(s.lineWidth / 2 * s.transform.stretches().first, maximumPenRadius);
}

double GraphicsContext::userPenRadius(double lineWidth) const {
    const double smallest = state().transform.stretches().second;
    const double radius = std::fabs(lineWidth) / 2;
    return smallest > 0 ? std::min(radius, maximumPenRadius / smallest) : radius;
}

double GraphicsContext::strokeTolerance(double radius) {
    // Curves of a smaller radius than this are rare, and their chords are
    // hidden under any pen up to it.
    constexpr double smallCurveRadius = 4;
    constexpr double finestTolerance = 0.002;
    if (!(radius > smallCurveRadius)) return flatteningTolerance;
    return std::max(flatteningTolerance * smallCurveRadius / std::min(radius, maximumPenRadius), finestTolerance);
}

void GraphicsContext::noteWritten(double minX, double minY, double maxX, double maxY) {
    if (!outerContexts_.empty() || written_.everywhere) return;  // into a group, or told already
    if (std::isnan(minX) || std::isnan(minY) || std::isnan(maxX) || std::isnan(maxY)) {
        written_.everywhere = true;  // a number failed: the whole target, to be safe
        return;
    }
    // Two pixels around for antialiasing and rounding, within the target.
    constexpr double margin = 2;
    minX = std::clamp(minX - margin, 0.0, static_cast<double>(width_));
    minY = std::clamp(minY - margin, 0.0, static_cast<double>(height_));
    maxX = std::clamp(maxX + margin, 0.0, static_cast<double>(width_));
    maxY = std::clamp(maxY + margin, 0.0, static_cast<double>(height_));
    if (minX >= maxX || minY >= maxY) return;  // nothing of the target
    WrittenBox& box = written_;
    if (box.empty) {
        box = {minX, minY, maxX, maxY, false, false};
        return;
    }
    box.minX = std::min(box.minX, minX);
    box.minY = std::min(box.minY, minY);
    box.maxX = std::max(box.maxX, maxX);
    box.maxY = std::max(box.maxY, maxY);
}

void GraphicsContext::noteWrittenPath(bool stroked) {
    if (!outerContexts_.empty() || written_.everywhere) return;
    const PointBounds& box = pathExtent_.box;
    if (box.empty) return;
    const double reach = stroked ? strokeReach() : 0;
    if (!std::isfinite(reach)) {
        written_.everywhere = true;
        return;
    }
    noteWritten(box.minX - reach, box.minY - reach, box.maxX + reach, box.maxY + reach);
}

double GraphicsContext::strokeReach() const {
    // Half the pen in the direction the transform stretches most (its
    // Frobenius norm bounds that), times what a miter or a square cap adds
    // past the pen.
    const State& s = state();
    const AffineTransform& t = s.transform;
    const double stretch = std::sqrt(t.a * t.a + t.b * t.b + t.c * t.c + t.d * t.d);
    const double beyond = s.lineJoin == LineJoin::miter ? std::max(s.miterLimit, 1.5) : 1.5;
    return std::fabs(s.lineWidth) / 2 * stretch * beyond;
}

void GraphicsContext::noteWrittenClip() {
    if (!outerContexts_.empty() || written_.everywhere) return;
    const Rect clip = deviceClipExtents();
    if (clip.isNull()) return;
    noteWritten(clip.minX(), clip.minY(), clip.maxX(), clip.maxY());
}

Rect GraphicsContext::deviceClipExtents() const {
    // Asked of Cairo once for each chain of clips on each context, as
    // deviceClipRectangles is: a layer asks for it with every drawing.
    const State& s = state();
    if (clipExtents_.holdsFor(contextChanges_, s.clips)) {
        return clipExtents_.answer;
    }
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo_, &matrix);
    cairo_identity_matrix(cairo_);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    cairo_clip_extents(cairo_, &x0, &y0, &x1, &y1);
    cairo_set_matrix(cairo_, &matrix);
    clipExtents_ = {true, contextChanges_, s.clips, Rect(x0, y0, x1 - x0, y1 - y0)};
    return clipExtents_.answer;
}

Rect GraphicsContext::deviceClipBox() const {
    const State& s = state();
    if (s.clipIsEmpty) return Rect::null();
    Rect box = deviceClipExtents().intersection(Rect(0, 0, width_, height_));
    if (s.mask) box = box.intersection(s.mask->deviceBounds);
    return box;
}

double GraphicsContext::visiblePathPixels(double margin) const {
    const PointBounds& box = pathExtent_.box;
    if (box.empty) return 0;
    const Rect path(box.minX - margin, box.minY - margin, box.maxX - box.minX + 2 * margin,
                    box.maxY - box.minY + 2 * margin);
    return visibleArea(path.intersection(deviceClipBox()));
}

BlendMode GraphicsContext::costedBlendMode() const { return state().blendMode; }

double GraphicsContext::compositeCost(double pixels) const {
    if (!state().mask) return DrawingCost::pixels(pixels, costedBlendMode());
    // Through a pixel mask the drawing is made apart on a surface the size of
    // the clip, which is cleared, drawn on and laid down through the mask
    // whole: a layer drawn drawing by drawing through its mask, once the
    // frame's surfaces are spent, pays that for each drawing however small.
    const double group = visibleArea(deviceClipExtents().intersection(Rect(0, 0, width_, height_)));
    return DrawingCost::pixels(pixels + 2 * std::max(group, pixels), costedBlendMode());
}

// Edges that cross many others on every scanline cost more than their length:
// the rasteriser keeps the edges and cells of each scanline sorted.
static DrawingCost::Outline crowded(const DrawingCost::Outline& outline, double rows) {
    const double cells = outline.edgeRows + outline.edgeColumns;
    const double factor = 1 + (rows >= 1 ? cells / rows : cells) / 128;
    return {outline.segments, outline.edgeRows * factor, outline.edgeColumns * factor};
}

double GraphicsContext::fillCost() const {
    const double pixels = visiblePathPixels(0);
    const DrawingCost::Outline outline = crowded(pathExtent_.outline, pathExtent_.box.maxY - pathExtent_.box.minY);
    return DrawingCost::fill(outline) + compositeCost(pixels);
}

double GraphicsContext::clipCost() const {
    return DrawingCost::fill(crowded(pathExtent_.outline, pathExtent_.box.maxY - pathExtent_.box.minY));
}

double GraphicsContext::strokeCost() const {
    const State& s = state();
    const double radius = penRadius();
    const bool round = s.lineJoin == LineJoin::round || s.lineCap == LineCap::round;
    double dashPieces = 0;
    if (!s.dashLengths.empty()) {
        const double length = pathLengthBound();
        dashPieces = DashLimit::segmentCount(length / DashLimit::stretchFactor(length, s.dashLengths), s.dashLengths);
    }
    const double pixels = visiblePathPixels(std::isfinite(radius) ? radius : 0);
    // Each segment's outline reaches across the pen: its ends cross up to the
    // pen's width of scanlines besides those of the segment, as far as the clip
    // shows them. Under a pen of thousands of pixels every segment of a long
    // path (the glyphs of a text) is a polygon over the whole view.
    const Rect clip = deviceClipBox();
    const double clipRows = clip.isNull() ? 0 : clip.size.height;
    const double across = std::min(2 * (std::isfinite(radius) ? radius : 0), clipRows);
    DrawingCost::Outline widened = pathExtent_.outline;
    // Our stroker flattens at a twentieth of a pixel, each piece a point on
    // either side of the pen (four a dash, every other piece), and cuts an
    // outline of more points than the scan converter holds
    // (CoverageRasterizer::strokeWasCut): only the part that fits is
    // stroked and scanned.
    constexpr double rasterizerTolerance = 1.0 / 20;
    const double points =
        2 * (pathExtent_.curveBends / std::sqrt(rasterizerTolerance) + widened.segments) + 2 * dashPieces;
    const double kept = points > CoverageRasterizer::maximumPoints ? CoverageRasterizer::maximumPoints / points : 1;
    widened.segments *= kept;
    widened.edgeRows *= kept;
    widened.edgeColumns *= kept;
    dashPieces *= kept;
    widened.edgeRows += widened.segments * across;
    const double rows = pathExtent_.box.maxY - pathExtent_.box.minY + 2 * radius;
    DrawingCost::Outline outline = crowded(widened, rows);
    // So does each dash piece's, crowded among the others as the scan
    // converter keeps each row's edges in order. A round cap lays the pen's
    // vertices at both ends of every piece, each an edge of its own among
    // all those the pieces bring to its rows: a disc of a wide pen at
    // thousands of short dashes costs far more than the pixels it covers.
    const double pieceRows = dashPieces * across;
    const double crowding = 1 + (widened.edgeRows + widened.edgeColumns + pieceRows) / std::max(rows, 1.0) / 128;
    outline.edgeRows += pieceRows * crowding;
    const double vertices = penVertices(radius) * crowding;
    return DrawingCost::stroke(outline, dashPieces, round ? vertices : 0, s.lineCap == LineCap::round ? vertices : 0) +
           compositeCost(pixels);
}

double GraphicsContext::cairoStrokeCost() const {
    const PathExtent& extent = pathExtent_;
    // Cairo halves a curve until no piece strays from its chord by more than
    // the tolerance: some sqrt(3/4 M / tolerance) pieces for second
    // differences of M, each an edge of the outline on either side, counted
    // so far as the curve's control polygon.
    const double pieces = extent.curveBends / std::sqrt(strokeTolerance(penRadius())) + extent.curves;
    const double beyondPolygons = std::max(0.0, pieces - 3 * extent.curves);
    // Its scan converter keeps the edges of each row it shows in order, and
    // edges that cross one another change places row after row: for many
    // crossing edges (far curves through the view) the work grows with the
    // square of the cells they walk over the rows shown, past what the
    // crowding of strokeCost counts over the path's own rows (measured:
    // some 0.16 s a frame at 4 million cells, 1.6 s at 12 million).
    constexpr double cellsPerCrowdedCell = 2048;
    const Rect clip = deviceClipBox();
    const double shownRows = clip.isNull() ? 0 : clip.size.height;
    const double cells = extent.outline.edgeRows + extent.outline.edgeColumns + beyondPolygons;
    const double crowding = cells / std::max(shownRows, 1.0) / cellsPerCrowdedCell;
    const double cost = DrawingCost::stroke({beyondPolygons, cells * crowding, 0}, 0, 0, 0);
    return std::isfinite(cost) ? cost : std::numeric_limits<double>::infinity();
}

bool GraphicsContext::strokeOutlineMayOverflow() const {
    // An outline of more points than FreeType holds is cut, not handed on;
    // one with points past FreeType's fixed point (a pen reaching past the
    // range of a path near its edge) the worker hands to Cairo.
    const PathExtent& extent = pathExtent_;
    const double reach = strokeReach();
    const PointBounds& box = extent.box;
    const double limit = CoverageRasterizer::coordinateLimit;
    return !(std::isfinite(reach) && box.minX - reach > -limit && box.minY - reach > -limit &&
             box.maxX + reach < limit && box.maxY + reach < limit);
}

bool GraphicsContext::takeCairoStroke() const {
    if (cairoStrokeTaken_) return true;
    cairoStrokeTaken_ = WorkBudget::takeActive([&] { return cairoStrokeCost(); });
    return cairoStrokeTaken_;
}

double GraphicsContext::shadingCost(const Gradient& gradient, double pixels) const {
    return DrawingCost::gradient(static_cast<double>(gradient.stops().size()), pixels) + compositeCost(pixels);
}

bool GraphicsContext::takeGradientCost(const Gradient& gradient) const {
    return WorkBudget::takeActive([&] {
        const double pixels = visibleArea(deviceClipBox());
        return shadingCost(gradient, pixels) + compositeCost(pixels);
    });
}

AffineTransform GraphicsContext::penTransform() const {
    const State& s = state();
    const AffineTransform& t = s.transform;
    const auto [largest, smallest] = t.stretches();
    const double radius = s.lineWidth / 2;
    if (!(largest * radius > maximumPenRadius) || !(radius > 0)) return t;
    // The transform's linear part L = U S V^T: the pen (a circle in user space)
    // becomes an ellipse of radii S times the radius along U. Stroking with
    // L V K V^T instead, K cutting each stretch to the bound, keeps the ellipse's
    // directions and bounds its radii; the path itself is already in device
    // space and stays where it is.
    const double p = t.a * t.a + t.b * t.b, q = t.a * t.c + t.b * t.d, r = t.c * t.c + t.d * t.d;
    const double angle = std::atan2(2 * q, p - r) / 2;
    const double cosine = std::cos(angle), sine = std::sin(angle);
    const double cut = maximumPenRadius / radius;
    const double k1 = std::min(1.0, cut / largest);
    const double k2 = smallest > 0 ? std::min(1.0, cut / smallest) : 1;
    // N = V K V^T, with V's columns (cos, sin) and (-sin, cos).
    const double n11 = k1 * cosine * cosine + k2 * sine * sine;
    const double n12 = (k1 - k2) * cosine * sine;
    const double n22 = k1 * sine * sine + k2 * cosine * cosine;
    // L N, in the transform's column layout (x' = a x + c y, y' = b x + d y).
    const AffineTransform bounded(t.a * n11 + t.c * n12, t.b * n11 + t.d * n12, t.a * n12 + t.c * n22,
                                  t.b * n12 + t.d * n22, t.tx, t.ty);
    return bounded.isInvertible() ? bounded : t;
}

void GraphicsContext::boundPen(cairo_t* target) const {
    const AffineTransform pen = penTransform();
    if (pen == state().transform) return;
    const cairo_matrix_t matrix = toCairoMatrix(pen);
    cairo_set_matrix(target, &matrix);
}

}  // namespace platform::graphics
