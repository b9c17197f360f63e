#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/TrimPathNode.h"

#include <algorithm>
#include <cmath>

#include "Lottie/Values/LengthRange.h"

namespace lottie {

namespace {

// A fraction wrapped into [0, 1).
double wrapped(double fraction) {
    double result = fraction - std::trunc(fraction);
    if (result < 0) result += 1;
    return result;
}

// What of one compound path, lying from `begin` to `begin + length` along all
// paths, falls into the visible ranges (ascending, at most two, the second one
// reaching the end when there are two).
void appendVisiblePart(PathOutputNode& output, const CompoundBezierPath& compound, double begin,
                       const std::vector<LengthRange>& visible, double frame) {
    const double length = compound.length();
    const double end = begin + length;
    std::vector<LengthRange> pieces;
    for (const LengthRange& range : visible) {
        const double from = std::max(range.start, begin);
        const double to = std::min(range.end, end);
        if (from < to || (length == 0 && range.start <= begin && begin <= range.end)) pieces.push_back({from, to});
    }
    if (pieces.empty()) return;
    if (length == 0 || (pieces.size() == 1 && pieces[0].start <= begin && pieces[0].end >= end)) {
        output.appendPath(compound, frame);
        return;
    }
    // Two pieces are the two ends of the compound (the window wraps inside
    // it): a trim from the later start to the earlier end keeps both.
    const LengthRange& from = pieces.back();
    const LengthRange& to = pieces.front();
    const double startFraction = std::clamp((from.start - begin) / length, 0.0, 1.0);
    const double endFraction = std::clamp((to.end - begin) / length, 0.0, 1.0);
    output.appendPath(compound.trim(startFraction, endFraction, 0, false), frame);
}

}  // namespace

void TrimPathNode::regenerateOutputs(double frame) {
    const TrimPathProperties& values = properties();
    const double start = values.start->value().value * 0.01;
    const double end = values.end->value().value * 0.01;
    const double low = std::min(start, end);
    const double high = std::max(start, end);
    double offset = std::fmod(values.offset->value().value, 360.0);
    if (!std::isfinite(low) || !std::isfinite(high) || !std::isfinite(offset)) return;
    if (low == 0 && high == 1) return;
    if (low == high) {
        for (const auto& output : upstreamPaths()) output->removePaths(frame);
        return;
    }
    offset /= 360;
    if (values.type == TrimType::simultaneously) {
        for (const auto& output : upstreamPaths()) {
            for (const CompoundBezierPath& compound : output->removePaths(frame)) {
                output->appendPath(compound.trim(low, high, offset, false), frame);
            }
        }
        return;
    }
    trimAcrossOutputs(low + offset, high + offset, frame);
}

void TrimPathNode::trimAcrossOutputs(double startFraction, double endFraction, double frame) {
    double startPosition = wrapped(startFraction);
    double endPosition = wrapped(endFraction);
    if (endPosition == 0) endPosition = 1;
    if (startPosition == 1) startPosition = 0;
    // A window of a whole turn or more shows everything.
    if (startPosition == endPosition || endFraction - startFraction >= 1) return;

    double total = 0;
    for (const auto& output : upstreamPaths()) total += output->totalLength();
    const double startLength = startPosition * total;
    const double endLength = endPosition * total;
    // The visible part, as lengths along all outputs; past the end of the
    // last output it wraps round to the start of the first. Every output is
    // cut to these ranges, so one that lies wholly inside the wrapped window
    // stays whole and one wholly outside it is emptied.
    std::vector<LengthRange> visible;
    if (endLength < startLength) {
        visible = {{0, endLength}, {startLength, total}};
    } else {
        visible = {{startLength, endLength}};
    }

    double position = 0;
    for (const auto& output : upstreamPaths()) {
        double begin = position;
        position += output->totalLength();
        for (const CompoundBezierPath& compound : output->removePaths(frame)) {
            appendVisiblePart(*output, compound, begin, visible, frame);
            begin += compound.length();
        }
    }
}

}  // namespace lottie
