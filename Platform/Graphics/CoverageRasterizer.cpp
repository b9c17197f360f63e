#include "Platform/Graphics/CoverageRasterizer.h"

#include "Platform/Graphics/OutlineStrips.h"
#include "Platform/Graphics/PolylineStroker.h"
#include "Platform/Graphics/ProcessorDeadline.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace platform::graphics {

namespace {

// The library of the calling thread, made on first use.
struct ThreadFreeType {
    FT_Library library = nullptr;

    ThreadFreeType() {
        if (FT_Init_FreeType(&library) != 0) library = nullptr;
    }
    ~ThreadFreeType() {
        if (library != nullptr) FT_Done_FreeType(library);
    }
    ThreadFreeType(const ThreadFreeType&) = delete;
    ThreadFreeType& operator=(const ThreadFreeType&) = delete;
};

ThreadFreeType& threadFreeType() {
    thread_local ThreadFreeType freeType;
    return freeType;
}

// The stroker of the calling thread, whose buffers last from stroke to stroke.
PolylineStroker& threadStroker() {
    thread_local PolylineStroker stroker;
    return stroker;
}

// How far, in device pixels, a stroke's borders may stray from the curves and
// the pen's arcs they stand for.
constexpr double strokeTolerance = 1.0 / 20;

// Strokes are made on a grid this many times finer than the device's 1/64
// pixel: a pen of a pixel's width is then within a fraction of a percent of
// its width, and the outline is rounded to the device's grid once, at the end.
constexpr double strokerScale = 16;
// A piece whose points all lie closer than this to its start, in the
// stroker's units, is taken for no piece at all: it has no direction to join
// by, and a subpath of nothing else has no length.
constexpr FT_Pos strokerSmallest = 2;

// The nearest whole number, halves away from zero, as std::lround gives it,
// without the library call: every point of every outline is rounded so.
// For values within a long's range, as every coordinate taken in is.
inline long nearest(double value) {
    const long whole = static_cast<long>(value);  // towards zero
    const double rest = value - static_cast<double>(whole);  // exact
    return whole + (rest >= 0.5) - (rest <= -0.5);
}

// A device point in 26.6 fixed point; false when it is not finite or lies
// past `limit`.
bool fixedPoint(Point point, FT_Vector& fixed, double limit = CoverageRasterizer::coordinateLimit) {
    if (!(std::fabs(point.x) <= limit) || !(std::fabs(point.y) <= limit)) return false;
    fixed.x = nearest(point.x * 64);
    fixed.y = nearest(point.y * 64);
    return true;
}

bool operator==(const FT_Vector& a, const FT_Vector& b) { return a.x == b.x && a.y == b.y; }

// One piece of a subpath in fixed point: a line to `to`, or a cubic through
// two controls when `cubic`.
struct Segment {
    bool cubic = false;
    FT_Vector control1{}, control2{}, to{};
};

// A subpath in fixed point, its pieces of no length left out.
struct Subpath {
    FT_Vector start{};
    std::vector<Segment> segments;
    bool closed = false;
    // Whether it has a piece at all (a close among them), of no length or
    // not: a subpath of a move alone is no dot for Cairo, whatever the caps.
    bool hasPieces = false;
};

// The storage of a path's segments, kept on the calling thread from one path
// to the next.
std::vector<Segment>& threadSegments() {
    thread_local std::vector<Segment> segments;
    return segments;
}

// Walks a path subpath by subpath in fixed point, as Cairo reads it: a piece
// after a close starts a new subpath at the closed one's start, and a
// quadratic is the cubic of its shape. Calls `visit` with each subpath that
// has a start; false as soon as a point cannot be taken or `visit` says so.
template <typename Visit>
bool forEachSubpath(const Path& path, const AffineTransform& space, double limit, FT_Pos smallest, Visit&& visit) {
    const bool mapped = space != AffineTransform();
    const auto toFixed = [&](Point point, FT_Vector& fixed) {
        return fixedPoint(mapped ? space.apply(point) : point, fixed, limit);
    };
    // The segments' storage is kept on the thread from one path to the next.
    std::vector<Segment>& spareSegments = threadSegments();
    Subpath subpath;
    subpath.segments.swap(spareSegments);
    struct GiveBack {
        std::vector<Segment>& segments;
        std::vector<Segment>& spare;
        ~GiveBack() {
            segments.clear();
            spare.swap(segments);
        }
    } giveBack{subpath.segments, spareSegments};
    bool open = false;
    FT_Vector current{};
    Point currentPoint;
    Point startPoint;
    const auto finish = [&](bool closed) {
        if (!open) return true;
        subpath.closed = closed;
        open = false;
        return visit(subpath);
    };
    const auto begin = [&](Point point) {
        subpath.segments.clear();
        subpath.closed = false;
        subpath.hasPieces = false;
        if (!toFixed(point, subpath.start)) return false;
        current = subpath.start;
        currentPoint = startPoint = point;
        open = true;
        return true;
    };
    for (const PathElement& element : path.elements()) {
        if (element.type == PathElementType::moveTo) {
            if (!finish(false) || !begin(element.points[0])) return false;
            continue;
        }
        if (element.type == PathElementType::closeSubpath) {
            // A close is a piece back to the start (Cairo strokes a closed
            // point as a dot).
            subpath.hasPieces = true;
            if (!finish(true)) return false;
            currentPoint = startPoint;
            continue;
        }
        if (!open && !begin(currentPoint)) return false;
        subpath.hasPieces = true;
        Segment segment;
        Point end;
        if (element.type == PathElementType::lineTo) {
            end = element.points[0];
        } else if (element.type == PathElementType::quadCurveTo) {
            const Point control = element.points[0];
            end = element.points[1];
            segment.cubic = true;
            if (!toFixed(currentPoint + (control - currentPoint) * (2.0 / 3.0), segment.control1) ||
                !toFixed(end + (control - end) * (2.0 / 3.0), segment.control2)) {
                return false;
            }
        } else {
            end = element.points[2];
            segment.cubic = true;
            if (!toFixed(element.points[0], segment.control1) || !toFixed(element.points[1], segment.control2)) {
                return false;
            }
        }
        if (!toFixed(end, segment.to)) return false;
        currentPoint = end;
        // A piece that stays on one point of the grid adds nothing to a fill,
        // and a piece whose points follow each other closer than `smallest`
        // units has no direction for a stroke's joins: both are left out.
        const auto near = [&](const FT_Vector& from, const FT_Vector& to) {
            return std::abs(to.x - from.x) < smallest && std::abs(to.y - from.y) < smallest;
        };
        if (segment.cubic ? near(current, segment.control1) && near(segment.control1, segment.control2) &&
                                near(segment.control2, segment.to)
                          : near(current, segment.to)) {
            continue;
        }
        // A cubic whose controls sit on its ends is the line between them,
        // and is taken as that line.
        if (segment.cubic && segment.control1 == current && segment.control2 == segment.to) {
            segment.cubic = false;
        }
        current = segment.to;
        subpath.segments.push_back(segment);
    }
    return finish(false);
}

// Whether the pen stays within the bend of every curve of the subpath. Where
// it reaches past a curve's centre of curvature, the stroker closes the
// inner side of the curve, while Cairo leaves its offset outline to the
// nonzero rule (a pen far wider than a small circle paints a ring, not a
// disc). The control polygon's length over the angle it turns through is
// about the radius the curve bends with.
bool penFitsCurves(const Subpath& subpath, FT_Fixed radius) {
    FT_Vector current = subpath.start;
    for (const Segment& segment : subpath.segments) {
        if (segment.cubic) {
            const FT_Vector points[] = {current, segment.control1, segment.control2, segment.to};
            double length = 0, turn = 0;
            double previousX = 0, previousY = 0;
            bool hasPrevious = false;
            for (int i = 0; i < 3; ++i) {
                const double x = static_cast<double>(points[i + 1].x - points[i].x);
                const double y = static_cast<double>(points[i + 1].y - points[i].y);
                const double leg = std::hypot(x, y);
                if (leg == 0) continue;
                length += leg;
                if (hasPrevious) turn += std::fabs(std::atan2(previousX * y - previousY * x, previousX * x + previousY * y));
                previousX = x;
                previousY = y;
                hasPrevious = true;
            }
            if (turn > 0 && static_cast<double>(radius) * turn > length) return false;
        }
        current = segment.to;
    }
    return true;
}

// An outline in the layout of FT_Outline.
struct OutlineData {
    std::vector<FT_Vector> points;
    std::vector<char> tags;
    std::vector<short> contours;
};

// Cuts an outline down to a box with the same coverage inside it: each
// piece outside is replaced by its ends pressed onto the box's edge (a
// piece left of the box by a line down its left edge, which crosses every
// row inside as often, and the same way, as the piece; one above or below
// by a line along that edge, which covers no row inside). Pieces that cross
// an edge are cut where they cross it (curves halved until each half lies
// on one side). The scan converter then walks only cells near the box,
// where it would walk every cell an edge crosses, in every band it renders.
// False for an outline holding conic pieces, which it is never given.
class BoxClipper {
public:
    BoxClipper(FT_Pos x0, FT_Pos y0, FT_Pos x1, FT_Pos y1, OutlineData& out)
        : x0_(x0), y0_(y0), x1_(x1), y1_(y1), out_(out) {}

    bool clip(const std::vector<FT_Vector>& points, const std::vector<char>& tags, const std::vector<short>& contours) {
        std::size_t first = 0;
        for (short lastIndex : contours) {
            const std::size_t last = static_cast<std::size_t>(lastIndex);
            if (FT_CURVE_TAG(tags[first]) != FT_CURVE_TAG_ON) return false;
            const FT_Vector start = points[first];
            out_.points.push_back(clamped(start));
            out_.tags.push_back(FT_CURVE_TAG_ON);
            FT_Vector current = start;
            for (std::size_t i = first + 1; i <= last;) {
                const char tag = FT_CURVE_TAG(tags[i]);
                if (tag == FT_CURVE_TAG_ON) {
                    line(current, points[i]);
                    current = points[i];
                    i += 1;
                } else if (tag == FT_CURVE_TAG_CUBIC && i + 1 <= last) {
                    const FT_Vector end = i + 2 <= last ? points[i + 2] : start;
                    cubic(toPoint(current), toPoint(points[i]), toPoint(points[i + 1]), toPoint(end), 0);
                    current = end;
                    i += 3;
                } else {
                    return false;
                }
            }
            line(current, start);
            out_.contours.push_back(static_cast<short>(std::min<std::size_t>(out_.points.size() - 1, 32767)));
            first = last + 1;
        }
        return true;
    }

private:
    struct P {
        double x, y;
    };
    static P toPoint(const FT_Vector& v) { return {static_cast<double>(v.x), static_cast<double>(v.y)}; }

    FT_Vector clamped(P p) const {
        return {std::clamp(nearest(p.x), x0_, x1_), std::clamp(nearest(p.y), y0_, y1_)};
    }
    FT_Vector clamped(const FT_Vector& v) const { return {std::clamp(v.x, x0_, x1_), std::clamp(v.y, y0_, y1_)}; }
    bool inside(P p) const { return p.x >= x0_ && p.x <= x1_ && p.y >= y0_ && p.y <= y1_; }
    // Within a few pixels of the box, where a piece costs the scan converter
    // little more than one inside it.
    bool near(P p) const {
        constexpr double margin = 8 * 64;
        return p.x >= x0_ - margin && p.x <= x1_ + margin && p.y >= y0_ - margin && p.y <= y1_ + margin;
    }

    void lineTo(const FT_Vector& point) {
        out_.points.push_back(point);
        out_.tags.push_back(FT_CURVE_TAG_ON);
    }

    // A line, cut where it crosses the box's edges, each part pressed onto the box.
    void line(const FT_Vector& from, const FT_Vector& to) {
        const P a = toPoint(from), b = toPoint(to);
        double cuts[4];
        int count = 0;
        const auto cut = [&](double start, double end, double edge) {
            if ((start < edge) != (end < edge) && start != end) cuts[count++] = (edge - start) / (end - start);
        };
        cut(a.x, b.x, static_cast<double>(x0_));
        cut(a.x, b.x, static_cast<double>(x1_));
        cut(a.y, b.y, static_cast<double>(y0_));
        cut(a.y, b.y, static_cast<double>(y1_));
        // At most four, put in order by insertion (GCC 12 misreads std::sort's
        // bounds on an array this small and warns).
        for (int i = 1; i < count; ++i) {
            for (int j = i; j > 0 && cuts[j] < cuts[j - 1]; --j) std::swap(cuts[j], cuts[j - 1]);
        }
        for (int i = 0; i < count; ++i) {
            lineTo(clamped(P{a.x + (b.x - a.x) * cuts[i], a.y + (b.y - a.y) * cuts[i]}));
        }
        lineTo(clamped(to));
    }

    void cubic(P p0, P p1, P p2, P p3, int depth) {
        const P points[] = {p0, p1, p2, p3};
        const auto all = [&](auto&& test) { return std::all_of(points, points + 4, test); };
        if (depth == 0 && inside(p0) && inside(p3) && near(p1) && near(p2)) {
            // Whole, as it was taken in: a curve between two points of the
            // box whose controls only just reach past it (a circle's, around
            // its top) would lose a little of its coverage to the grid,
            // halved and rounded.
            out_.points.push_back({nearest(p1.x), nearest(p1.y)});
            out_.tags.push_back(FT_CURVE_TAG_CUBIC);
            out_.points.push_back({nearest(p2.x), nearest(p2.y)});
            out_.tags.push_back(FT_CURVE_TAG_CUBIC);
            lineTo({nearest(p3.x), nearest(p3.y)});
            return;
        }
        if (all([&](P p) { return inside(p); })) {
            out_.points.push_back(clamped(p1));
            out_.tags.push_back(FT_CURVE_TAG_CUBIC);
            out_.points.push_back(clamped(p2));
            out_.tags.push_back(FT_CURVE_TAG_CUBIC);
            lineTo(clamped(p3));
            return;
        }
        if (all([&](P p) { return p.x <= x0_; }) || all([&](P p) { return p.x >= x1_; }) ||
            all([&](P p) { return p.y <= y0_; }) || all([&](P p) { return p.y >= y1_; }) || depth >= 16) {
            // On one side of an edge (its ends carry it), or cut fine
            // enough that a line stands for it.
            line({nearest(p0.x), nearest(p0.y)}, {nearest(p3.x), nearest(p3.y)});
            return;
        }
        const auto mid = [](P a, P b) { return P{(a.x + b.x) / 2, (a.y + b.y) / 2}; };
        const P a = mid(p0, p1), b = mid(p1, p2), c = mid(p2, p3);
        const P d = mid(a, b), e = mid(b, c), m = mid(d, e);
        cubic(p0, a, d, m, depth + 1);
        cubic(m, e, c, p3, depth + 1);
    }

    FT_Pos x0_, y0_, x1_, y1_;
    OutlineData& out_;
};

void writeSpans(int y, int count, const FT_Span* spans, void* user) {
    // Past the deadline of the drawing under way, the rest is left out.
    if (ProcessorDeadline::checkCurrent(count)) return;
    const auto& plane = *static_cast<const CoverageRasterizer::Plane*>(user);
    const int row = y - plane.top;
    if (row < 0 || row >= plane.height) return;
    std::uint8_t* line = plane.data + static_cast<std::ptrdiff_t>(row) * plane.stride;
    int first = plane.width, end = 0;
    if (plane.uncleared && plane.firstColumns != nullptr) {
        // The columns this row's spans reach, cleared first where they were
        // not written before, so that every column between the row's first
        // and end holds coverage or zero.
        for (int i = 0; i < count; ++i) {
            first = std::min(first, std::max(0, spans[i].x - plane.left));
            end = std::max(end, std::min(plane.width, spans[i].x + spans[i].len - plane.left));
        }
        if (first >= end) return;
        const int written = plane.firstColumns[row], writtenEnd = plane.endColumns[row];
        if (written >= writtenEnd) {
            std::memset(line + first, 0, static_cast<std::size_t>(end - first));
        } else {
            if (first < written) std::memset(line + first, 0, static_cast<std::size_t>(written - first));
            if (end > writtenEnd) std::memset(line + writtenEnd, 0, static_cast<std::size_t>(end - writtenEnd));
            // A gap between what was written and what is written now.
            if (first > writtenEnd) std::memset(line + writtenEnd, 0, static_cast<std::size_t>(first - writtenEnd));
            if (end < written) std::memset(line + end, 0, static_cast<std::size_t>(written - end));
        }
        first = plane.width;
        end = 0;
    }
    for (int i = 0; i < count; ++i) {
        const int from = std::max(0, spans[i].x - plane.left);
        const int to = std::min(plane.width, spans[i].x + spans[i].len - plane.left);
        if (to > from) {
            std::memset(line + from, spans[i].coverage, static_cast<std::size_t>(to - from));
            first = std::min(first, from);
            end = std::max(end, to);
        }
    }
    if (plane.firstColumns != nullptr && first < end) {
        plane.firstColumns[row] = std::min(plane.firstColumns[row], first);
        plane.endColumns[row] = std::max(plane.endColumns[row], end);
    }
}

}  // namespace

// A stroke taken in by checkStroke, in the stroker's space, for strokeChecked.
struct StrokeInput {
    struct Head {
        FT_Vector start{};
        bool closed = false;
        std::size_t first = 0, count = 0;
    };
    std::vector<Head> heads;
    std::vector<Segment> segments;
    CoverageRasterizer::StrokeStyle style;
    FT_Fixed radius = 0;
    AffineTransform fromStrokerSpace;
    Rect reach = Rect::null();
    bool checked = false;
    bool cut = false;

    void clear() {
        heads.clear();
        segments.clear();
        checked = false;
        cut = false;
        reach = Rect::null();
    }
};

// The outline taken in, in the layout of FT_Outline.
struct CoverageRasterizer::Outline {
    std::vector<FT_Vector> points;
    std::vector<char> tags;
    std::vector<short> contours;
    bool evenOdd = false;
    // What prepare made of it for the plane: whether it was cut down to the
    // plane, into `clipped`, and whether it can be rendered.
    OutlineData clipped;
    bool clipping = false;
    bool prepared = false;
    StrokeInput stroke;
    // The box it was readied for.
    Plane box;

    void clear() {
        prepared = false;
        points.clear();
        tags.clear();
        contours.clear();
        evenOdd = false;
    }
    // Cuts it, as prepared, to its first `count` contours (in its clipped
    // copy), and marks the stroke cut.
    void keepContours(std::size_t count) {
        if (!clipping) {
            clipped.points = points;
            clipped.tags = tags;
            clipped.contours = contours;
            clipping = true;
        }
        clipped.contours.resize(std::min(count, clipped.contours.size()));
        const std::size_t kept = clipped.contours.empty() ? 0 : static_cast<std::size_t>(clipped.contours.back()) + 1;
        clipped.points.resize(kept);
        clipped.tags.resize(kept);
        stroke.cut = true;
    }
    void add(const FT_Vector& point, char tag) {
        points.push_back(point);
        tags.push_back(tag);
    }
    bool fitsFreeType() const {
        return points.size() <= static_cast<std::size_t>(maximumPoints) &&
               contours.size() <= static_cast<std::size_t>(maximumPoints);
    }
    // The outline as prepare left it: cut down to its box, or whole.
    FT_Outline preparedView() {
        FT_Outline outline = view();
        if (clipping) {
            outline.n_points = static_cast<short>(clipped.points.size());
            outline.n_contours = static_cast<short>(clipped.contours.size());
            outline.points = clipped.points.data();
            outline.tags = clipped.tags.data();
            outline.contours = clipped.contours.data();
        }
        return outline;
    }
    FT_Outline view() {
        FT_Outline outline{};
        outline.n_points = static_cast<short>(points.size());
        outline.n_contours = static_cast<short>(contours.size());
        outline.points = points.data();
        outline.tags = tags.data();
        outline.contours = contours.data();
        outline.flags = evenOdd ? FT_OUTLINE_EVEN_ODD_FILL : FT_OUTLINE_NONE;
        return outline;
    }
};

CoverageRasterizer::CoverageRasterizer() : outline_(std::make_unique<Outline>()) {}

void CoverageRasterizer::releaseThreadStorage() {
    std::vector<Segment>().swap(threadSegments());
    threadStroker() = PolylineStroker();
    OutlineStrips::releaseThreadStorage();
}
CoverageRasterizer::~CoverageRasterizer() = default;

bool CoverageRasterizer::takeFill(const Path& devicePath, FillRule rule) {
    Outline& outline = *outline_;
    outline.clear();
    outline.stroke.clear();
    outline.evenOdd = rule == FillRule::evenOdd;
    const bool taken = forEachSubpath(devicePath, AffineTransform(), fillCoordinateLimit, 1, [&](const Subpath& subpath) {
        // A subpath of no length encloses nothing.
        if (subpath.segments.empty()) return true;
        outline.add(subpath.start, FT_CURVE_TAG_ON);
        for (const Segment& segment : subpath.segments) {
            if (segment.cubic) {
                outline.add(segment.control1, FT_CURVE_TAG_CUBIC);
                outline.add(segment.control2, FT_CURVE_TAG_CUBIC);
            }
            outline.add(segment.to, FT_CURVE_TAG_ON);
            if (outline.points.size() > static_cast<std::size_t>(maximumPoints)) return false;
        }
        outline.contours.push_back(static_cast<short>(outline.points.size() - 1));
        return true;
    });
    if (!taken || !outline.fitsFreeType()) {
        outline.clear();
        return false;
    }
    return true;
}

bool CoverageRasterizer::takeStroke(const Path& devicePath, const StrokeStyle& style, const AffineTransform& penSpace) {
    return checkStroke(devicePath, style, penSpace) && strokeChecked();
}

bool CoverageRasterizer::checkStroke(const Path& devicePath, const StrokeStyle& style,
                                     const AffineTransform& penSpace) {
    Outline& outline = *outline_;
    outline.clear();
    StrokeInput& input = outline.stroke;
    input.clear();
    const std::optional<AffineTransform> toPenSpace = penSpace.inverted();
    if (!(style.radius >= thinnestPenRadius) || !(style.radius <= coordinateLimit) || !std::isfinite(style.miterLimit) ||
        !toPenSpace) {
        return false;
    }
    // The stroker's space: the pen's, on the finer grid, moved by whole
    // steps of the grid to keep the device's origin within a step of its
    // own. The stroker rounds every point to the grid, and a move by whole
    // steps rounds the same; a pen space whose origin lies far off (a
    // layer's bounds placed thousands of points away) would otherwise leave
    // the stroker's fixed point large numbers to work with.
    AffineTransform toStrokerSpace =
        toPenSpace->concatenating(AffineTransform::makeScale(strokerScale, strokerScale));
    input.fromStrokerSpace =
        AffineTransform::makeScale(1 / (64 * strokerScale), 1 / (64 * strokerScale)).concatenating(penSpace);
    const double stepsX = std::round(toStrokerSpace.tx * 64), stepsY = std::round(toStrokerSpace.ty * 64);
    if (std::isfinite(stepsX) && std::isfinite(stepsY)) {
        toStrokerSpace.tx -= stepsX / 64;
        toStrokerSpace.ty -= stepsY / 64;
        const AffineTransform& back = input.fromStrokerSpace;
        input.fromStrokerSpace.tx += back.a * stepsX + back.c * stepsY;
        input.fromStrokerSpace.ty += back.b * stepsX + back.d * stepsY;
    }
    input.style = style;
    input.radius = nearest(style.radius * 64 * strokerScale);
    FT_Pos minX = 0, minY = 0, maxX = 0, maxY = 0;
    const auto include = [&](const FT_Vector& point) {
        minX = std::min(minX, point.x);
        maxX = std::max(maxX, point.x);
        minY = std::min(minY, point.y);
        maxY = std::max(maxY, point.y);
    };
    bool any = false;
    const bool taken = forEachSubpath(devicePath, toStrokerSpace, coordinateLimit * strokerScale, strokerSmallest, [&](const Subpath& subpath) {
        if (subpath.segments.empty()) {
            // Cairo draws a dot under round and square caps where the
            // stroker draws nothing; under butt caps neither draws, nor
            // does either for a move alone.
            return style.cap == LineCap::butt || !subpath.hasPieces;
        }
        if (!penFitsCurves(subpath, input.radius)) return false;
        if (!any) {
            minX = maxX = subpath.start.x;
            minY = maxY = subpath.start.y;
            any = true;
        }
        include(subpath.start);
        input.heads.push_back({subpath.start, subpath.closed, input.segments.size(), subpath.segments.size()});
        for (const Segment& segment : subpath.segments) {
            if (segment.cubic) {
                include(segment.control1);
                include(segment.control2);
            }
            include(segment.to);
            input.segments.push_back(segment);
        }
        return true;
    });
    if (!taken) {
        input.clear();
        return false;
    }
    input.reach = Rect::null();
    if (any) {
        // What the pen adds around the path: its radius, as far as a mitre
        // may reach past a corner, or a square cap past an end.
        double grow = static_cast<double>(input.radius) *
                      std::max({1.0, style.join == LineJoin::miter ? std::clamp(style.miterLimit, 1.0, 32767.0) : 1.0,
                                style.cap == LineCap::square ? std::sqrt(2.0) : 1.0}) +
                      64 * strokerScale;
        for (const auto& corner : {Point(minX - grow, minY - grow), Point(maxX + grow, minY - grow),
                                   Point(minX - grow, maxY + grow), Point(maxX + grow, maxY + grow)}) {
            const Point device = input.fromStrokerSpace.apply(corner);
            const Rect at(device.x, device.y, 0, 0);
            input.reach = input.reach.isNull() ? at : input.reach.unionWith(at);
        }
    }
    input.checked = true;
    return true;
}

Rect CoverageRasterizer::checkedStrokeReach() const { return outline_->stroke.reach; }

bool CoverageRasterizer::strokeWasCut() const { return outline_->stroke.cut; }

bool CoverageRasterizer::strokeChecked() {
    Outline& outline = *outline_;
    StrokeInput& input = outline.stroke;
    if (!input.checked) return false;
    PolylineStroker& stroker = threadStroker();
    const StrokeStyle& style = input.style;
    // The tolerance in the stroker's units: a device pixel is at most the
    // largest stretch of the way back to the device.
    const AffineTransform& back = input.fromStrokerSpace;
    const double largestStretch = back.stretches().first;
    if (!(largestStretch > 0) || !std::isfinite(largestStretch)) return false;
    stroker.begin({static_cast<double>(input.radius), style.cap, style.join, std::clamp(style.miterLimit, 1.0, 32767.0),
                   strokeTolerance / largestStretch, static_cast<std::size_t>(maximumPoints)});
    const auto point = [](const FT_Vector& vector) {
        return Point(static_cast<double>(vector.x), static_cast<double>(vector.y));
    };
    // The subpath's first `count` segments.
    const auto strokeSubpath = [&](const StrokeInput::Head& head, std::size_t count, bool closed) {
        stroker.moveTo(point(head.start));
        for (std::size_t i = head.first; i < head.first + count; ++i) {
            const Segment& segment = input.segments[i];
            if (segment.cubic) {
                stroker.curveTo(point(segment.control1), point(segment.control2), point(segment.to));
            } else {
                stroker.lineTo(point(segment.to));
            }
        }
        stroker.endSubpath(closed);
    };
    input.cut = false;
    for (const StrokeInput::Head& head : input.heads) {
        const std::size_t contoursBefore = stroker.outline().contourEnds.size();
        strokeSubpath(head, head.count, head.closed);
        if (!stroker.overflowed()) continue;
        // Cut, rather than stroked elsewhere (no stroke is larger than this):
        // after the subpaths that fit and as much of this one, open, as fits
        // of its first half, quarter, and so on.
        stroker.keepContours(contoursBefore);
        input.cut = true;
        for (std::size_t count = head.count / 2; count > 0; count /= 2) {
            strokeSubpath(head, count, false);
            if (!stroker.overflowed()) break;
            stroker.keepContours(contoursBefore);
        }
        break;
    }
    const PolylineStroker::Outline& stroked = stroker.outline();
    const bool fits = !stroker.overflowed() && stroked.contourEnds.size() <= static_cast<std::size_t>(maximumPoints);
    outline.clear();
    if (!fits) {
        stroker.clear();
        return false;
    }
    // Back to the device. The pen reaches past the path by its radius, so the
    // outline's points may pass the limit where the path's did not.
    outline.points.resize(stroked.points.size());
    outline.tags.assign(stroked.points.size(), FT_CURVE_TAG_ON);
    for (std::size_t i = 0; i < stroked.points.size(); ++i) {
        if (!fixedPoint(back.apply(stroked.points[i]), outline.points[i])) {
            outline.clear();
            stroker.clear();
            return false;
        }
    }
    for (const std::size_t end : stroked.contourEnds) outline.contours.push_back(static_cast<short>(end));
    stroker.clear();
    return true;
}

Rect CoverageRasterizer::bounds() const {
    const Outline& outline = *outline_;
    if (outline.points.empty()) return Rect::null();
    FT_Pos minX = outline.points[0].x, maxX = minX, minY = outline.points[0].y, maxY = minY;
    for (const FT_Vector& point : outline.points) {
        minX = std::min(minX, point.x);
        maxX = std::max(maxX, point.x);
        minY = std::min(minY, point.y);
        maxY = std::max(maxY, point.y);
    }
    return Rect(minX / 64.0, minY / 64.0, (maxX - minX) / 64.0, (maxY - minY) / 64.0);
}

bool CoverageRasterizer::render(const Plane& plane) const {
    if (plane.data == nullptr || !prepare(plane.left, plane.top, plane.width, plane.height)) return false;
    const Outline& outline = *outline_;
    ThreadFreeType& freeType = threadFreeType();
    if (freeType.library == nullptr) return false;
    if (outline.points.empty()) return true;
    FT_Outline view = outline_->preparedView();
    FT_Raster_Params params{};
    params.source = &view;
    params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
    params.gray_spans = writeSpans;
    params.user = const_cast<Plane*>(&plane);
    params.clip_box = {plane.left, plane.top, plane.left + plane.width, plane.top + plane.height};
    return OutlineStrips::render(freeType.library, view, params) == 0;
}

bool CoverageRasterizer::prepare(int left, int top, int width, int height) const {
    Outline& outline = *outline_;
    outline.prepared = false;
    if (width <= 0 || height <= 0 || left < 0 || top < 0 || left + width > maximumPoints ||
        top + height > maximumPoints) {
        return false;
    }
    const Plane plane{nullptr, 0, left, top, width, height};
    outline.box = plane;
    outline.clipping = false;
    if (outline.points.empty()) {
        outline.prepared = true;
        return true;
    }
    // An outline reaching well past the plane is cut down to a box a pixel
    // around it first, once for the whole plane, so that rows rendered
    // apart meet the same edges.
    const Rect reach = bounds();
    const Rect around(plane.left - 1, plane.top - 1, plane.width + 2, plane.height + 2);
    OutlineData& clipped = outline.clipped;
    outline.clipping = reach.intersection(around) != reach;
    if (outline.clipping) {
        clipped.points.clear();
        clipped.tags.clear();
        clipped.contours.clear();
        BoxClipper clipper(static_cast<FT_Pos>(around.minX()) * 64, static_cast<FT_Pos>(around.minY()) * 64,
                           static_cast<FT_Pos>(around.maxX()) * 64, static_cast<FT_Pos>(around.maxY()) * 64, clipped);
        if (!clipper.clip(outline.points, outline.tags, outline.contours)) return false;
        if (clipped.points.size() > static_cast<std::size_t>(maximumPoints) ||
            clipped.contours.size() > static_cast<std::size_t>(maximumPoints)) {
            // A stroke keeps the contours that fit (whose ends the clipper
            // could write); a fill is refused.
            if (!outline.stroke.checked) return false;
            const auto fitting = std::lower_bound(clipped.contours.begin(), clipped.contours.end(),
                                                  static_cast<short>(maximumPoints));
            outline.keepContours(static_cast<std::size_t>(fitting - clipped.contours.begin()));
        }
    }
    const std::vector<FT_Vector>& points = outline.clipping ? clipped.points : outline.points;
    const std::vector<short>& contours = outline.clipping ? clipped.contours : outline.contours;
    // The scan converter walks every cell an edge crosses within the plane's
    // rows, however far left or right of the plane: an outline whose edges
    // reach far sideways there (a zigzag of huge teeth) would cost more than
    // anything the plane shows. Its control polygon bounds that walk.
    const double topEdge = plane.top * 64.0, bottomEdge = (plane.top + plane.height) * 64.0;
    const double walkLimit = 8.0 * plane.width * plane.height + 65536;
    double walk = 0;
    std::size_t first = 0;
    for (std::size_t contour = 0; contour < contours.size(); ++contour) {
        const short last = contours[contour];
        for (std::size_t i = first; i <= static_cast<std::size_t>(last); ++i) {
            const FT_Vector& from = points[i];
            const FT_Vector& to = points[i == static_cast<std::size_t>(last) ? first : i + 1];
            if (std::max(from.y, to.y) < topEdge || std::min(from.y, to.y) > bottomEdge) continue;
            walk += std::fabs(static_cast<double>(to.x - from.x)) / 64;
        }
        if (walk > walkLimit) {
            // A stroke is cut before the contour that walks too far; a fill
            // is refused.
            if (!outline.stroke.checked) return false;
            outline.keepContours(contour);
            break;
        }
        first = static_cast<std::size_t>(last) + 1;
    }
    outline.prepared = true;
    return true;
}

std::size_t CoverageRasterizer::heldBytes() const {
    const Outline& o = *outline_;
    const auto bytes = [](const auto& v) { return v.capacity() * sizeof(v[0]); };
    return bytes(o.points) + bytes(o.tags) + bytes(o.contours) + bytes(o.clipped.points) + bytes(o.clipped.tags) +
           bytes(o.clipped.contours) + bytes(o.stroke.heads) + bytes(o.stroke.segments);
}

bool CoverageRasterizer::prepareRows(int left, int top, int width, int height, int firstRow, int endRow) const {
    if (firstRow < top || endRow > top + height || firstRow >= endRow || !prepare(left, top, width, height)) {
        outline_->prepared = false;
        return false;
    }
    // The outline stays cut down to the whole box: the scan converter then
    // meets the same edges in these rows as over the whole box.
    outline_->box.top = firstRow;
    outline_->box.height = endRow - firstRow;
    return true;
}

namespace {

// Where renderSpans appends spans, and the columns it keeps them to.
struct SpanSink {
    std::vector<CoverageRasterizer::Span>* spans;
    int left, right;
    // Spans not yet counted toward the deadline, which is checked every
    // so many of them; and whether it has passed.
    int uncounted = 0;
    bool late = false;
};

// Spans counted toward the deadline at once: rows of a few spans are many.
constexpr int spansPerCheck = 256;

void appendSpans(int y, int count, const FT_Span* spans, void* user) {
    auto& sink = *static_cast<SpanSink*>(user);
    if ((sink.uncounted += count) >= spansPerCheck) {
        sink.late = ProcessorDeadline::checkCurrent(sink.uncounted);
        sink.uncounted = 0;
    }
    if (sink.late) return;
    for (int i = 0; i < count; ++i) {
        const int from = std::max(sink.left, static_cast<int>(spans[i].x));
        const int to = std::min(sink.right, spans[i].x + spans[i].len);
        if (to > from && spans[i].coverage != 0) {
            sink.spans->push_back({from, y, to - from, spans[i].coverage});
        }
    }
}

}  // namespace

bool CoverageRasterizer::renderSpans(std::vector<Span>& spans) const {
    Outline& outline = *outline_;
    ThreadFreeType& freeType = threadFreeType();
    if (!outline.prepared || freeType.library == nullptr) return false;
    if (outline.points.empty()) return true;
    FT_Outline view = outline.preparedView();
    const Plane& box = outline.box;
    SpanSink sink{&spans, box.left, box.left + box.width};
    FT_Raster_Params params{};
    params.source = &view;
    params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
    params.gray_spans = appendSpans;
    params.user = &sink;
    params.clip_box = {box.left, box.top, box.left + box.width, box.top + box.height};
    return OutlineStrips::render(freeType.library, view, params) == 0;
}

}  // namespace platform::graphics
