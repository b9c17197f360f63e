#include "Platform/Graphics/PolylineStroker.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform::graphics {

namespace {

double cross(Point a, Point b) { return a.x * b.y - a.y * b.x; }
double dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }

// Points closer than this (squared, in the stroker's units) are one point.
constexpr double samePoint = 1e-12;

}  // namespace

void PolylineStroker::begin(const Style& style) {
    style_ = style;
    style_.radius = std::max(style.radius, 0.0);
    vertices_.clear();
    // The chord of an arc of the pen strays from it by r (1 - cos(step / 2)).
    const double tolerance = std::max(style.tolerance, 1e-9);
    arcStep_ = tolerance >= style_.radius ? std::numbers::pi / 2
                                          : std::min(2 * std::acos(1 - tolerance / style_.radius), std::numbers::pi / 2);
    arcStep_ = std::max(arcStep_, std::numbers::pi / 1024);
    arcCosine_ = std::cos(arcStep_);
}

void PolylineStroker::addVertex(Point point, bool smooth) {
    // Each vertex puts a point or more on both borders.
    if (overflowed_ || outline_.points.size() + 2 * (vertices_.size() + 1) > style_.mostPoints) {
        overflowed_ = true;
        return;
    }
    if (!vertices_.empty()) {
        const Point step = point - vertices_.back().point;
        if (dot(step, step) <= samePoint) {
            // A corner where a piece of no length ends stays a corner.
            if (!smooth) vertices_.back().smooth = false;
            return;
        }
    }
    vertices_.push_back({point, smooth});
}

void PolylineStroker::moveTo(Point point) {
    vertices_.clear();
    vertices_.push_back({point, false});
}

void PolylineStroker::lineTo(Point point) { addVertex(point, false); }

void PolylineStroker::curveTo(Point control1, Point control2, Point to) {
    const Point from = vertices_.empty() ? control1 : vertices_.back().point;
    // Cut into n even pieces, a chord strays at most 3/4 of the larger second
    // difference of the controls over n squared.
    const Point second0 = from - control1 * 2 + control2, second1 = control1 - control2 * 2 + to;
    const double dd = std::sqrt(std::max(dot(second0, second0), dot(second1, second1)));
    const double wanted = std::ceil(std::sqrt(0.75 * dd / std::max(style_.tolerance, 1e-9)));
    const int pieces = !(wanted < mostPiecesPerCurve) ? mostPiecesPerCurve : std::max(1, static_cast<int>(wanted));
    // The curve as a polynomial in t: ((a t + b) t + c) t + from.
    const Point c = (control1 - from) * 3;
    const Point b = (control2 - control1 * 2 + from) * 3;
    const Point a = to - from - c - b;
    for (int i = 1; i < pieces && !overflowed_; ++i) {
        const double t = static_cast<double>(i) / pieces;
        addVertex(((a * t + b) * t + c) * t + from, true);
    }
    addVertex(to, false);
}

void PolylineStroker::arc(Point center, Point from, double angle, std::vector<Point>& border) {
    const int steps = static_cast<int>(std::ceil(std::fabs(angle) / arcStep_ - 1e-9));
    if (steps <= 1) return;
    if (overflowed_ || outline_.points.size() + right_.size() + static_cast<std::size_t>(steps) > style_.mostPoints) {
        overflowed_ = true;
        return;
    }
    const double step = angle / steps, cosine = std::cos(step), sine = std::sin(step);
    Point at = from;
    for (int i = 1; i < steps; ++i) {
        at = Point(at.x * cosine - at.y * sine, at.x * sine + at.y * cosine);
        border.push_back(center + at * style_.radius);
    }
}

void PolylineStroker::join(const Vertex& at, const Piece& in, const Piece& out, double side,
                           std::vector<Point>& border) {
    const double r = style_.radius * side;
    const Point v = at.point;
    const double turn = cross(in.direction, out.direction), along = dot(in.direction, out.direction);
    const Point first = v + in.normal * r, last = v + out.normal * r;
    // The pieces' borders on this side, if they cross: r tan(turn / 2) back
    // along each piece.
    const bool folds = along <= -1 + 1e-12;
    const bool outer = side * turn < 0 || (turn == 0 && along < 0 && side > 0);
    if (!outer) {
        const double reach = folds ? INFINITY : style_.radius * std::fabs(turn) / (1 + along);
        if (reach <= 0.5 * std::min(in.length, out.length)) {
            border.push_back(v + (in.normal + out.normal) * (r / (1 + along)));
        } else {
            // Through the turn's own point: the loop this makes lies under
            // both pieces, wound as they are.
            border.push_back(first);
            border.push_back(v);
            border.push_back(last);
        }
        return;
    }
    if (at.smooth && along >= arcCosine_) {
        // Within a curve, a turn of less than an arc's step: where the
        // borders cross, as far outside the pen's arc as its chord is inside.
        border.push_back(v + (in.normal + out.normal) * (r / (1 + along)));
        return;
    }
    border.push_back(first);
    if (at.smooth || style_.join == LineJoin::round) {
        if (along < arcCosine_) {
            const double angle = folds || turn == 0 ? -side * std::numbers::pi : std::atan2(turn, along);
            arc(v, in.normal * side, angle, border);
        }
    } else if (style_.join == LineJoin::miter) {
        if (!folds && (1 + along) * style_.miterLimit * style_.miterLimit >= 2) {
            border.push_back(v + (in.normal + out.normal) * (r / (1 + along)));
        }
    }
    border.push_back(last);
}

void PolylineStroker::cap(Point end, const Piece& piece, bool atStart, std::vector<Point>& border) {
    // From the right border to the left at the start, the left to the right
    // at the end, around the outside of the end.
    const Point normal = atStart ? -piece.normal : piece.normal;
    const Point outward = atStart ? -piece.direction : piece.direction;
    switch (style_.cap) {
        case LineCap::butt: return;
        case LineCap::square:
            border.push_back(end + (normal + outward) * style_.radius);
            border.push_back(end + (outward - normal) * style_.radius);
            return;
        case LineCap::round: arc(end, normal, -std::numbers::pi, border); return;
    }
}

void PolylineStroker::endSubpath(bool closed) {
    if (closed && vertices_.size() > 1) {
        const Point step = vertices_.back().point - vertices_.front().point;
        if (dot(step, step) <= samePoint) vertices_.pop_back();
    }
    const std::size_t count = vertices_.size();
    if (count < 2 || style_.radius <= 0 || overflowed_) {
        vertices_.clear();
        return;
    }
    const std::size_t pieceCount = closed ? count : count - 1;
    pieces_.resize(pieceCount);
    for (std::size_t i = 0; i < pieceCount; ++i) {
        const Point step = vertices_[(i + 1) % count].point - vertices_[i].point;
        const double length = std::sqrt(dot(step, step));
        const Point direction = step * (1 / length);
        pieces_[i] = {direction, Point(-direction.y, direction.x), length};
    }
    // The left border goes into the outline as it is made; the right one is
    // kept to go in backwards.
    right_.clear();
    std::vector<Point>& points = outline_.points;
    if (closed) {
        for (std::size_t i = 0; i < count; ++i) {
            Vertex vertex = vertices_[i];
            if (i == 0) vertex.smooth = false;
            const Piece& in = pieces_[(i + pieceCount - 1) % pieceCount];
            join(vertex, in, pieces_[i], 1, points);
            join(vertex, in, pieces_[i], -1, right_);
        }
        outline_.contourEnds.push_back(points.size() - 1);
        points.insert(points.end(), right_.rbegin(), right_.rend());
        outline_.contourEnds.push_back(points.size() - 1);
    } else {
        const Point start = vertices_.front().point, end = vertices_.back().point;
        points.push_back(start + pieces_.front().normal * style_.radius);
        right_.push_back(start - pieces_.front().normal * style_.radius);
        for (std::size_t i = 1; i + 1 < count; ++i) {
            join(vertices_[i], pieces_[i - 1], pieces_[i], 1, points);
            join(vertices_[i], pieces_[i - 1], pieces_[i], -1, right_);
        }
        points.push_back(end + pieces_.back().normal * style_.radius);
        right_.push_back(end - pieces_.back().normal * style_.radius);
        cap(end, pieces_.back(), false, points);
        points.insert(points.end(), right_.rbegin(), right_.rend());
        cap(start, pieces_.front(), true, points);
        outline_.contourEnds.push_back(points.size() - 1);
    }
    vertices_.clear();
    if (points.size() > style_.mostPoints) overflowed_ = true;
}

void PolylineStroker::keepContours(std::size_t contours) {
    if (contours < outline_.contourEnds.size()) outline_.contourEnds.resize(contours);
    outline_.points.resize(outline_.contourEnds.empty() ? 0 : outline_.contourEnds.back() + 1);
    overflowed_ = false;
}

}  // namespace platform::graphics
