// Cutting one BezierPath into the open pieces that cover a list of length
// ranges. The walk uses the element lengths stored in the path; a range that
// begins or ends inside a segment splits that segment by arc length, and the
// split is written back into a working copy of the elements so that the next
// range continues from the cut. The two parts of a cut segment keep the
// lengths the walk placed the cut at (atLength and the rest of the stored
// length), so the walk's running length stays exact and a later cut in the
// same segment lands where the stored lengths say.
#include <algorithm>
#include <utility>
#include <vector>

#include "Lottie/Values/BezierPath.h"
#include "Lottie/Values/CurveSplit.h"

namespace lottie {

std::vector<BezierPath> BezierPath::trim(std::span<const LengthRange> ranges) const {
    std::vector<BezierPath> pieces;
    if (ranges.empty()) return pieces;
    if (isEmpty()) {
        pieces.emplace_back();
        return pieces;
    }

    std::vector<PathElement> work = elements();
    std::size_t rangeIndex = 0;
    LengthRange range = ranges[0];
    BezierPath piece;
    double before = 0;  // the length of the path before element `index`
    std::size_t index = 0;

    // Cuts the segment that ends at `index` at `atLength` from its start,
    // rewrites the working elements around the cut and moves `before` onto it.
    // Returns the split and the length of its first part. Ranges out of the
    // documented order may ask for a cut before the segment or past it; the
    // cut then stays at its end.
    auto cutSegment = [&](double atLength) {
        const CurveVertex& from = work[index - 1].vertex;
        const double segmentLength = work[index].length;
        const double firstPart = std::max(0.0, std::min(atLength, segmentLength));
        CurveSplit split = from.trimCurve(work[index].vertex, firstPart, segmentLength);
        work[index - 1].vertex = split.trimPoint;
        work[index] = PathElement(segmentLength - firstPart, split.end);
        before += firstPart;
        return std::pair{split, firstPart};
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
            const CurveSplit split = cutSegment(range.start - before).first;
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
            const auto [split, firstPart] = cutSegment(range.end - before);
            piece.ownElements().back().vertex.outTangent = split.start.outTangent;
            piece.appendElement(PathElement(firstPart, split.trimPoint));
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
