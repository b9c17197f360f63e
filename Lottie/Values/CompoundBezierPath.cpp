#include "Lottie/Values/CompoundBezierPath.h"

#include <cmath>

namespace lottie {

namespace {

// Trims one path to [start, end] of its length shifted by `offset` (lengths,
// not fractions), wrapping over the path's start. Appends nothing, the whole
// path, or its pieces.
void appendTrimmed(const BezierPath& path, double start, double end, double offset, CompoundBezierPath& result) {
    double length = path.length();
    if (path.elements().size() < 2 || start == end) return;
    double wrappedStart = std::fmod(start + offset, length);
    if (wrappedStart < 0) wrappedStart += length;
    if (wrappedStart == length) wrappedStart = 0;
    double wrappedEnd = std::fmod(end + offset, length);
    if (wrappedEnd < 0) wrappedEnd += length;
    if (wrappedEnd == 0) wrappedEnd = length;
    if ((wrappedEnd == length && wrappedStart == 0) || wrappedStart == wrappedEnd ||
        (wrappedStart == length && wrappedEnd == 0)) {
        result.appendPath(path);
        return;
    }
    std::vector<LengthRange> ranges;
    if (wrappedEnd < wrappedStart) {
        ranges = {{0, wrappedEnd}, {wrappedStart, length}};
    } else {
        ranges = {{wrappedStart, wrappedEnd}};
    }
    for (BezierPath& piece : path.trim(ranges)) result.appendPath(std::move(piece));
}

// The fractional part of a position on the loop, in [0, 1].
double wrapFraction(double fraction) {
    double wrapped = fraction - std::trunc(fraction);
    if (wrapped < 0) wrapped += 1;
    return wrapped;
}

}  // namespace

CompoundBezierPath::CompoundBezierPath(BezierPath path) { appendPath(std::move(path)); }

CompoundBezierPath::CompoundBezierPath(std::vector<BezierPath> paths) {
    paths_.reserve(paths.size());
    for (BezierPath& path : paths) appendPath(std::move(path));
}

void CompoundBezierPath::appendPath(BezierPath path) {
    length_ += path.length();
    paths_.push_back(std::move(path));
}

CompoundBezierPath CompoundBezierPath::trim(double startFraction, double endFraction, double offsetFraction,
                                            bool trimSimultaneously) const {
    if (startFraction == endFraction) return CompoundBezierPath();
    if (!trimSimultaneously) return trimmedAcross(startFraction, endFraction, offsetFraction);
    CompoundBezierPath result;
    for (const BezierPath& path : paths_) {
        double length = path.length();
        appendTrimmed(path, length * startFraction, length * endFraction, length * offsetFraction, result);
    }
    return result;
}

CompoundBezierPath CompoundBezierPath::trimmedAcross(double startFraction, double endFraction,
                                                     double offsetFraction) const {
    double start = wrapFraction(startFraction + offsetFraction);
    double end = wrapFraction(endFraction + offsetFraction);
    if (start == 1) {
        start = 0;
        if (end == 0 || end == 1) return *this;
    } else if (end == 0) {
        if (start == 0) return *this;
        end = 1;
    } else if ((end == 1 && start == 0) || start == end) {
        return *this;
    }

    LengthRange ranges[2];
    std::size_t rangeCount = 0;
    if (end < start) {
        ranges[rangeCount++] = {0, end * length_};
        ranges[rangeCount++] = {start * length_, length_};
    } else {
        ranges[rangeCount++] = {start * length_, end * length_};
    }

    CompoundBezierPath result;
    std::size_t rangeIndex = 0;
    double before = 0;
    std::size_t pathIndex = 0;
    while (pathIndex < paths_.size()) {
        const BezierPath& path = paths_[pathIndex];
        double pathLength = path.length();
        const LengthRange& range = ranges[rangeIndex];
        double after = before + pathLength;
        if (after < range.start) {
            before = after;
            ++pathIndex;
            continue;
        }
        if (range.start <= before && after <= range.end) {
            result.appendPath(path);
        } else {
            double localStart = before < range.start ? range.start - before : 0;
            double localEnd = range.end < after ? range.end - before : pathLength;
            appendTrimmed(path, localStart, localEnd, 0, result);
        }
        if (range.end <= after) {
            // The next range may begin on this same path.
            if (++rangeIndex == rangeCount) break;
            continue;
        }
        before = after;
        ++pathIndex;
    }
    return result;
}

}  // namespace lottie
