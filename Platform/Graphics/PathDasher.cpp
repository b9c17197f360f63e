#include "Platform/Graphics/PathDasher.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace platform::graphics {

namespace {

// How far, in device pixels, the lines a curve is measured along may stray from it.
constexpr double measureTolerance = 1.0 / 20;
// The most lines one curve is measured along.
constexpr int mostMeasuredPieces = 256;
// The length, in device pixels, of the sliver a dash of no length becomes.
constexpr double sliverLength = 1.0 / 64;
// A dash or gap ending this close to a piece's end, in the pattern's units,
// ends there.
constexpr double endingSlack = 1e-9;

Point lerp(Point a, Point b, double t) { return a + (b - a) * t; }

using Cubic = std::array<Point, 4>;

// The cubic's halves either side of t.
std::pair<Cubic, Cubic> split(const Cubic& p, double t) {
    const Point a = lerp(p[0], p[1], t), b = lerp(p[1], p[2], t), c = lerp(p[2], p[3], t);
    const Point d = lerp(a, b, t), e = lerp(b, c, t);
    const Point at = lerp(d, e, t);
    return {{p[0], a, d, at}, {at, e, c, p[3]}};
}

// A line (its end points alone) or a cubic, parametrised from 0 to 1.
struct Piece {
    Cubic points;
    bool cubic = false;

    Point at(double t) const { return cubic ? split(points, t).first[3] : lerp(points[0], points[3], t); }
    // The direction it runs in at t.
    Point direction(double t) const {
        if (!cubic) return points[3] - points[0];
        const double u = 1 - t;
        Point tangent = (points[1] - points[0]) * (3 * u * u) + (points[2] - points[1]) * (6 * u * t) +
                        (points[3] - points[2]) * (3 * t * t);
        // At an end whose control point sits on it, along the chord.
        if (tangent.x == 0 && tangent.y == 0) tangent = points[3] - points[0];
        return tangent;
    }
    // The cubic's part from `from` to `to`.
    Cubic part(double from, double to) const {
        Cubic p = points;
        if (to < 1) p = split(p, to).first;
        if (from > 0) p = split(p, to > 0 ? from / to : 0).second;
        return p;
    }
};

// Walks the pattern along the pieces of a path and writes the dashes.
class Walker {
public:
    Walker(std::span<const double> lengths, double phase, const AffineTransform& measure, bool dots,
           std::vector<PathElement>& out)
        : lengths_(lengths), measure_(measure), dots_(dots), out_(out) {
        double total = 0;
        for (double length : lengths) total += length;
        if (lengths.size() % 2 == 1) total *= 2;
        double offset = std::fmod(phase, total);
        if (offset < 0) offset += total;
        // The pattern where each subpath starts: an entry that the phase
        // brings to nothing is not passed over.
        std::size_t index = 0;
        bool on = true;
        while (offset > 0 && offset >= lengths[index]) {
            offset -= lengths[index];
            on = !on;
            if (++index == lengths.size()) index = 0;
        }
        startIndex_ = index;
        startOn_ = on;
        startRemain_ = lengths[index] - offset;
    }

    void begin(Point point) {
        index_ = startIndex_;
        on_ = startOn_;
        remain_ = startRemain_;
        subpathFirst_ = out_.size();
        firstDashEnd_.reset();
        pieceOpen_ = false;
        openedAtEnd_ = false;
        if (on_) openPiece(point);
    }

    void walk(const Piece& piece) {
        // The lines it is measured along: `steps` of equal steps of t.
        int steps = 1;
        if (piece.cubic) {
            const auto& p = piece.points;
            const Point first = p[0] - p[1] * 2 + p[2], second = p[1] - p[2] * 2 + p[3];
            const double bend = std::max(std::hypot(first.x, first.y), std::hypot(second.x, second.y));
            const double wanted = std::ceil(std::sqrt(0.75 * bend / measureTolerance));
            steps = std::isfinite(wanted) ? static_cast<int>(std::clamp(wanted, 1.0, double(mostMeasuredPieces))) : 1;
        }
        spanFrom_ = 0;
        Point previous = piece.points[0];
        for (int step = 1; step <= steps; ++step) {
            const double t0 = double(step - 1) / steps, t1 = double(step) / steps;
            const Point next = step == steps ? piece.points[3] : piece.at(t1);
            const Point delta = measured(next - previous);
            const double length = std::hypot(delta.x, delta.y);
            previous = next;
            if (!(length > 0)) continue;
            double position = 0;
            while (position + remain_ <= length + endingSlack) {
                position += remain_;
                const double t = t0 + (t1 - t0) * std::min(1.0, position / length);
                turn(piece, t);
                if (++index_ == lengths_.size()) index_ = 0;
                remain_ = lengths_[index_];
                // The pattern turns once where a line ends: the turns after
                // that (past entries of no length) fall on the next line.
                if (position >= length - endingSlack) break;
            }
            remain_ -= std::max(0.0, length - position);
        }
        if (on_) emit(piece, spanFrom_, 1);
    }

    void end(bool closed) {
        if (!on_ || !pieceOpen_) return;
        if (!closed) {
            closePiece();
            return;
        }
        if (!firstDashEnd_ && startOn_ && pieceStart_ == subpathFirst_) {
            // On the whole way round: the subpath stays closed.
            out_.push_back({PathElementType::closeSubpath, {}});
            pieceOpen_ = false;
            return;
        }
        if (firstDashEnd_ && *firstDashEnd_ > subpathFirst_) {
            // The last dash runs on into the first, joined where the subpath closes.
            const auto first = out_.begin() + static_cast<std::ptrdiff_t>(subpathFirst_);
            const auto firstEnd = out_.begin() + static_cast<std::ptrdiff_t>(*firstDashEnd_);
            std::vector<PathElement> firstDash(first + 1, firstEnd);
            out_.erase(first, firstEnd);
            out_.insert(out_.end(), firstDash.begin(), firstDash.end());
        }
        pieceOpen_ = false;
    }

private:
    Point measured(Point vector) const {
        return {measure_.a * vector.x + measure_.c * vector.y, measure_.b * vector.x + measure_.d * vector.y};
    }

    void lineTo(Point point) { out_.push_back({PathElementType::lineTo, {point, Point(), Point()}}); }
    void openPiece(Point point) {
        pieceStart_ = out_.size();
        out_.push_back({PathElementType::moveTo, {point, Point(), Point()}});
        pieceOpen_ = true;
    }
    void closePiece() {
        pieceOpen_ = false;
        if (!firstDashEnd_) firstDashEnd_ = startOn_ && pieceStart_ == subpathFirst_ ? out_.size() : subpathFirst_;
    }

    // The pattern turns at t along the piece.
    void turn(const Piece& piece, double t) {
        if (on_) {
            emit(piece, spanFrom_, t);
            const bool empty = out_.size() == pieceStart_ + 1;
            if (t <= 0 && (empty || openedAtEnd_)) {
                // A dash of no length where two pieces meet (or a closed
                // subpath starts): a sliver on along this piece too, so that
                // the pieces' join shows there as it does where a dash turns.
                const Point direction = piece.direction(0);
                const double norm = std::hypot(direction.x, direction.y);
                if (norm > 0) lineTo(piece.points[0] + direction * (sliverLength / norm));
            } else if (empty) {
                // A dash of no length: a sliver along the path for round and
                // square caps to lay their dot on, nothing under butt caps.
                if (dots_) {
                    const Point direction = piece.direction(t);
                    const double norm = std::hypot(direction.x, direction.y);
                    const Point half = norm > 0 ? direction * (sliverLength / 2 / norm) : Point(sliverLength / 2, 0);
                    const Point at = piece.at(t);
                    out_[pieceStart_].points[0] = at - half;
                    lineTo(at + half);
                } else {
                    out_.pop_back();
                }
            }
            closePiece();
            on_ = false;
        } else {
            on_ = true;
            spanFrom_ = t;
            openedAtEnd_ = !(t < 1);
            if (t < 1) {
                openPiece(piece.at(t));
                return;
            }
            // A dash that begins where the piece ends begins along it, a
            // sliver back, so that it joins the next piece at the turn.
            const Point direction = piece.direction(1);
            const double norm = std::hypot(direction.x, direction.y);
            const Point end = piece.points[3];
            openPiece(norm > 0 ? end - direction * (sliverLength / norm) : end);
            if (norm > 0) lineTo(end);
        }
    }

    // The piece from t0 to t1 onto the dash under way.
    void emit(const Piece& piece, double t0, double t1) {
        if (!(t1 > t0)) return;
        if (!piece.cubic) {
            lineTo(t1 >= 1 ? piece.points[3] : piece.at(t1));
            return;
        }
        const Cubic p = piece.part(t0, t1);
        out_.push_back({PathElementType::curveTo, {p[1], p[2], t1 >= 1 ? piece.points[3] : p[3]}});
    }

    std::span<const double> lengths_;
    const AffineTransform& measure_;
    bool dots_;
    std::vector<PathElement>& out_;
    std::size_t startIndex_ = 0;
    bool startOn_ = true;
    double startRemain_ = 0;
    std::size_t index_ = 0;
    bool on_ = true;
    double remain_ = 0;
    double spanFrom_ = 0;
    std::size_t subpathFirst_ = 0;
    std::size_t pieceStart_ = 0;
    bool pieceOpen_ = false;
    // Whether the dash under way began where the piece before ended.
    bool openedAtEnd_ = false;
    // Where the subpath's first dash ends in `out_`, once it has (at the
    // subpath's first element when the pattern did not start on it).
    std::optional<std::size_t> firstDashEnd_;
};

}  // namespace

Path PathDasher::dash(const Path& devicePath, std::span<const double> lengths, double phase,
                      const AffineTransform& measure, bool dots) {
    std::vector<PathElement> out;
    Walker walker(lengths, phase, measure, dots, out);
    Point current, start;
    bool open = false;
    // Each piece from the current point, beginning the subpath's walk at its first.
    const auto walk = [&](const Piece& piece) {
        if (!open) {
            walker.begin(current);
            start = current;
            open = true;
        }
        walker.walk(piece);
        current = piece.points[3];
    };
    for (const PathElement& element : devicePath.elements()) {
        const auto& p = element.points;
        switch (element.type) {
            case PathElementType::moveTo:
                if (open) walker.end(false);
                open = false;
                current = start = p[0];
                break;
            case PathElementType::lineTo: walk({{current, current, p[0], p[0]}, false}); break;
            case PathElementType::quadCurveTo: {
                // The cubic of the same shape.
                const Point c1 = current + (p[0] - current) * (2.0 / 3.0), c2 = p[1] + (p[0] - p[1]) * (2.0 / 3.0);
                walk({{current, c1, c2, p[1]}, true});
                break;
            }
            case PathElementType::curveTo: walk({{current, p[0], p[1], p[2]}, true}); break;
            case PathElementType::closeSubpath:
                if (open) {
                    if (current != start) walk({{current, current, start, start}, false});
                    walker.end(true);
                }
                open = false;
                current = start;
                break;
        }
    }
    if (open) walker.end(false);
    Path dashed;
    dashed.reserve(out.size());
    for (const PathElement& element : out) dashed.append(element);
    return dashed;
}

}  // namespace platform::graphics
