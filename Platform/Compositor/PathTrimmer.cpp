#include "Platform/Compositor/PathTrimmer.h"

#include <algorithm>
#include <array>
#include <utility>

#include "Platform/Graphics/WorkBudget.h"

namespace platform::compositor {

using graphics::Path;
using graphics::PathElement;
using graphics::PathElementType;
using graphics::Point;

namespace {

constexpr int samples = 32;

// One drawn segment: a line or a curve from `from`, with its arc-length table.
struct Segment {
    PathElementType type = PathElementType::lineTo;
    std::array<Point, 4> points{};  // from, then the element's points
    bool startsSubpath = false;
    // A curve's arc length at each of its samples (a line keeps none).
    std::array<double, samples + 1> lengths;

    Point at(double t) const {
        const double u = 1 - t;
        switch (type) {
            case PathElementType::quadCurveTo:
                return points[0] * (u * u) + points[1] * (2 * u * t) + points[2] * (t * t);
            case PathElementType::curveTo:
                return points[0] * (u * u * u) + points[1] * (3 * u * u * t) + points[2] * (3 * u * t * t) +
                       points[3] * (t * t * t);
            default:
                return points[0] + (points[1] - points[0]) * t;
        }
    }

    // A line's length is exact; a curve's is measured along `samples` chords.
    void measure() {
        if (type != PathElementType::quadCurveTo && type != PathElementType::curveTo) {
            length_ = points[0].distanceTo(points[1]);
            return;
        }
        lengths[0] = 0;
        Point previous = points[0];
        for (int i = 1; i <= samples; ++i) {
            const Point next = at(static_cast<double>(i) / samples);
            lengths[i] = lengths[i - 1] + previous.distanceTo(next);
            previous = next;
        }
        length_ = lengths[samples];
    }

    double length() const { return length_; }

    // The curve parameter at an arc length along the segment.
    double parameterAt(double distance) const {
        if (distance <= 0 || length() <= 0) {
            return 0;
        }
        if (distance >= length()) {
            return 1;
        }
        if (type != PathElementType::quadCurveTo && type != PathElementType::curveTo) {
            return distance / length();
        }
        const auto upper = std::lower_bound(lengths.begin(), lengths.end(), distance);
        const int i = std::max(1, static_cast<int>(upper - lengths.begin()));
        const double span = lengths[i] - lengths[i - 1];
        const double within = span > 0 ? (distance - lengths[i - 1]) / span : 0;
        return (i - 1 + within) / samples;
    }

private:
    double length_ = 0;
};

Point mix(Point a, Point b, double t) { return a + (b - a) * t; }

// The part of a segment between parameters t0 and t1, appended to `out`.
void appendPiece(const Segment& s, double t0, double t1, Path& out) {
    if (s.type == PathElementType::curveTo) {
        // De Casteljau: cut at t1, then cut the first part at t0 / t1.
        auto split = [](const std::array<Point, 4>& p, double t) {
            const Point a = mix(p[0], p[1], t), b = mix(p[1], p[2], t), c = mix(p[2], p[3], t);
            const Point d = mix(a, b, t), e = mix(b, c, t), f = mix(d, e, t);
            return std::pair{std::array<Point, 4>{p[0], a, d, f}, std::array<Point, 4>{f, e, c, p[3]}};
        };
        std::array<Point, 4> piece = split(s.points, t1).first;
        if (t0 > 0 && t1 > 0) {
            piece = split(piece, t0 / t1).second;
        }
        out.curveTo(piece[1], piece[2], piece[3]);
    } else if (s.type == PathElementType::quadCurveTo) {
        auto split = [](const std::array<Point, 3>& p, double t) {
            const Point a = mix(p[0], p[1], t), b = mix(p[1], p[2], t), c = mix(a, b, t);
            return std::pair{std::array<Point, 3>{p[0], a, c}, std::array<Point, 3>{c, b, p[2]}};
        };
        std::array<Point, 3> piece = split({s.points[0], s.points[1], s.points[2]}, t1).first;
        if (t0 > 0 && t1 > 0) {
            piece = split(piece, t0 / t1).second;
        }
        out.quadCurveTo(piece[1], piece[2]);
    } else {
        out.lineTo(s.at(t1));
    }
}

// Calls `visit` with each drawn segment of `path`, measured, in order; stops
// early when `visit` returns false. Keeps one segment at a time, so that
// trimming a path of millions of segments holds no more than its result.
template <typename Visit>
void forEachSegment(const Path& path, Visit&& visit) {
    Point current;
    Point subpathStart;
    bool newSubpath = true;
    for (const PathElement& element : path.elements()) {
        Segment segment;
        segment.points[0] = current;
        switch (element.type) {
            case PathElementType::moveTo:
                current = subpathStart = element.points[0];
                newSubpath = true;
                continue;
            case PathElementType::closeSubpath:
                segment.type = PathElementType::lineTo;
                segment.points[1] = subpathStart;
                current = subpathStart;
                break;
            default:
                segment.type = element.type;
                for (int i = 0; i < element.pointCount(); ++i) {
                    segment.points[i + 1] = element.points[i];
                }
                current = element.endPoint();
                break;
        }
        segment.startsSubpath = newSubpath;
        newSubpath = element.type == PathElementType::closeSubpath;
        segment.measure();
        if (!visit(segment)) {
            return;
        }
    }
}

// The segments measured so far count toward the active frame's deadline;
// false once it has passed (the frame's work is then spent).
class DeadlineReading {
public:
    DeadlineReading() : budget_(graphics::WorkBudget::active()) {}
    bool keepGoing() {
        if (budget_ == nullptr || ++measured_ < PathTrimmer::segmentsPerDeadlineCheck) return true;
        measured_ = 0;
        return !budget_->checkDeadline(PathTrimmer::segmentsPerDeadlineCheck);
    }

private:
    graphics::WorkBudget* budget_;
    int measured_ = 0;
};

}  // namespace

double PathTrimmer::length(const Path& path) {
    double total = 0;
    forEachSegment(path, [&](const Segment& segment) {
        total += segment.length();
        return true;
    });
    return total;
}

double PathTrimmer::work(const Path& path) {
    double work = 0;
    for (const PathElement& element : path.elements()) {
        const bool curve = element.type == PathElementType::quadCurveTo || element.type == PathElementType::curveTo;
        work += curve ? workPerCurve : workPerLine;
    }
    // Measured twice: once for the whole length, once up to the cut's end.
    return 2 * work;
}

Path PathTrimmer::trimmed(const Path& path, double start, double end) {
    start = std::clamp(start, 0.0, 1.0);
    end = std::clamp(end, 0.0, 1.0);
    if (start <= 0 && end >= 1) {
        return path;
    }
    Path result;
    if (!(start < end) || !graphics::WorkBudget::takeActive([&] { return work(path); })) {
        return result;
    }
    DeadlineReading deadline;
    double total = 0;
    bool inTime = true;
    forEachSegment(path, [&](const Segment& segment) {
        total += segment.length();
        return inTime = deadline.keepGoing();
    });
    if (!inTime) {
        return result;
    }
    const double from = start * total;
    const double to = end * total;
    double position = 0;
    bool drawing = false;
    forEachSegment(path, [&](const Segment& segment) {
        const double a = position;
        const double b = position + segment.length();
        position = b;
        if (segment.startsSubpath) {
            drawing = false;  // each subpath starts its own piece
        }
        if (a >= to) {
            return false;
        }
        if (b > from && segment.length() > 0) {
            const double t0 = segment.parameterAt(from - a);
            const double t1 = segment.parameterAt(to - a);
            if (!drawing) {
                result.moveTo(segment.at(t0));
                drawing = true;
            }
            appendPiece(segment, t0, t1, result);
        }
        return inTime = deadline.keepGoing();
    });
    return inTime ? result : Path();
}

}  // namespace platform::compositor
