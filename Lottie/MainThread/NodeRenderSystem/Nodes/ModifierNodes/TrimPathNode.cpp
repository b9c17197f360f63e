#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/TrimPathNode.h"

#include <algorithm>
#include <cmath>
#include <optional>

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
void appendVisiblePart(std::vector<CompoundBezierPath>& output, const CompoundBezierPath& compound, double begin,
                       const std::vector<LengthRange>& visible) {
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
        output.push_back(compound);
        return;
    }
    // Two pieces are the two ends of the compound (the window wraps inside
    // it): a trim from the later start to the earlier end keeps both.
    const LengthRange& from = pieces.back();
    const LengthRange& to = pieces.front();
    const double startFraction = std::clamp((from.start - begin) / length, 0.0, 1.0);
    const double endFraction = std::clamp((to.end - begin) / length, 0.0, 1.0);
    output.push_back(compound.trim(startFraction, endFraction, 0, false));
}

double lengthOf(const std::vector<CompoundBezierPath>& output) {
    double length = 0;
    for (const CompoundBezierPath& compound : output) length += compound.length();
    return length;
}

}  // namespace

void TrimPathNode::regenerateOutputs(double frame) {
    const TrimPathProperties& values = properties();
    const double start = values.start->value().value;
    const double end = values.end->value().value;
    const double offset = values.offset->value().value;
    const std::optional<Window> visible = window(start, end, offset);
    if (!visible) return;
    OutputPaths outputs;
    for (const auto& output : upstreamPaths()) outputs.push_back(output->removePaths(frame));
    outputs = trimmedTo(std::move(outputs), *visible, values.type);
    for (std::size_t index = 0; index < outputs.size(); ++index) {
        for (CompoundBezierPath& compound : outputs[index]) upstreamPaths()[index]->appendPath(std::move(compound), frame);
    }
}

bool TrimPathNode::leavesPathsWhole(double start, double end, double offset) {
    return !window(start, end, offset);
}

std::optional<TrimPathNode::Window> TrimPathNode::window(double start, double end, double offset) {
    const double low = std::min(start, end) * 0.01;
    const double high = std::max(start, end) * 0.01;
    const double turns = std::fmod(offset, 360.0);
    if (!std::isfinite(low) || !std::isfinite(high) || !std::isfinite(turns)) return std::nullopt;
    if (low == 0 && high == 1) return std::nullopt;
    return Window{low, high, turns / 360};
}

TrimPathNode::OutputPaths TrimPathNode::trimmed(OutputPaths outputs, double start, double end, double offset,
                                                TrimType type) {
    const std::optional<Window> visible = window(start, end, offset);
    if (!visible) return outputs;
    return trimmedTo(std::move(outputs), *visible, type);
}

TrimPathNode::OutputPaths TrimPathNode::trimmedTo(OutputPaths outputs, const Window& window, TrimType type) {
    if (window.low == window.high) {
        for (auto& output : outputs) output.clear();
        return outputs;
    }
    if (type == TrimType::simultaneously) {
        for (auto& output : outputs) {
            for (CompoundBezierPath& compound : output) {
                compound = compound.trim(window.low, window.high, window.turn, false);
            }
        }
        return outputs;
    }
    return trimmedAcross(std::move(outputs), window.low + window.turn, window.high + window.turn);
}

TrimPathNode::OutputPaths TrimPathNode::trimmedAcross(OutputPaths outputs, double startFraction, double endFraction) {
    double startPosition = wrapped(startFraction);
    double endPosition = wrapped(endFraction);
    if (endPosition == 0) endPosition = 1;
    if (startPosition == 1) startPosition = 0;
    // A window of a whole turn or more shows everything.
    if (startPosition == endPosition || endFraction - startFraction >= 1) return outputs;

    double total = 0;
    for (const auto& output : outputs) total += lengthOf(output);
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
    for (auto& output : outputs) {
        double begin = position;
        position += lengthOf(output);
        std::vector<CompoundBezierPath> cut;
        for (const CompoundBezierPath& compound : output) {
            appendVisiblePart(cut, compound, begin, visible);
            begin += compound.length();
        }
        output = std::move(cut);
    }
    return outputs;
}

}  // namespace lottie
