// Cutting one BezierPath into the open pieces that cover a list of length
// ranges. The walk uses the element lengths stored in the path; a range that
// begins or ends inside a segment splits that segment, and the split is
// written back into a working copy of the elements so that the next range
// continues from the cut.
#include <vector>

#include "Lottie/Values/BezierPath.h"
#include "Lottie/Values/CurveSplit.h"

namespace lottie {

namespace {
constexpr int measuringSteps = 25;
constexpr int trimSamples = 3;
constexpr double trimAccuracy = 1.0;
}  // namespace

std::vector<BezierPath> BezierPath::trim(std::span<const LengthRange> ranges) const {
    std::vector<BezierPath> pieces;
    if (ranges.empty()) return pieces;
    if (elements_.empty()) {
        pieces.emplace_back();
        return pieces;
    }

    std::vector<PathElement> work = elements_;
    std::size_t rangeIndex = 0;
    LengthRange range = ranges[0];
    BezierPath piece;
    double before = 0;  // the length of the path before element `index`
    std::size_t index = 0;

    // Cuts the segment that ends at `index` at `atLength` from its start,
    // rewrites the working elements around the cut and moves `before` onto it.
    auto cutSegment = [&](double atLength) {
        const CurveVertex& from = work[index - 1].vertex;
        CurveSplit split = from.trimCurve(work[index].vertex, atLength, work[index].length, trimSamples, trimAccuracy);
        double firstPart = split.start.curveLength(split.trimPoint, measuringSteps);
        work[index - 1].vertex = split.trimPoint;
        work[index] = PathElement(split.trimPoint.curveLength(split.end, measuringSteps), split.end);
        before += firstPart;
        return split;
    };
    // Ranges that do not follow the documented order may reach a piece that
    // was never started; it then starts at the segment's beginning.
    auto ensureStarted = [&]() {
        if (piece.isEmpty() && index > 0) piece.appendElement(PathElement(0, work[index - 1].vertex));
    };
    // Returns false when no range is left.
    auto finishPiece = [&]() {
        pieces.push_back(std::move(piece));
        piece = BezierPath();
        if (++rangeIndex == ranges.size()) return false;
        range = ranges[rangeIndex];
        return true;
    };

    while (index < work.size()) {
        double after = before + work[index].length;
        if (after < range.start) {
            before = after;
            ++index;
        } else if (after == range.start) {
            piece = BezierPath();
            piece.appendElement(PathElement(0, work[index].vertex));
            before = after;
            ++index;
        } else if (before < range.start && piece.isEmpty() && index > 0) {
            CurveSplit split = cutSegment(range.start - before);
            piece.appendElement(PathElement(0, split.trimPoint));
        } else if (range.start < after && after < range.end) {
            ensureStarted();
            piece.appendElement(work[index]);
            before = after;
            ++index;
        } else if (after == range.end) {
            ensureStarted();
            piece.appendElement(work[index]);
            before = after;
            ++index;
            if (!finishPiece()) return pieces;
        } else if (after > range.end && index > 0) {
            ensureStarted();
            CurveSplit split = cutSegment(range.end - before);
            PathElement& last = piece.elements_.back();
            last.vertex.outTangent = split.start.outTangent;
            piece.appendElement(PathElement(last.vertex.curveLength(split.trimPoint, measuringSteps), split.trimPoint));
            if (!finishPiece()) return pieces;
        } else {
            // Lengths that compare with nothing (not-a-number) cannot be placed.
            before = after;
            ++index;
        }
    }
    pieces.push_back(std::move(piece));
    return pieces;
}

}  // namespace lottie
