#include "Lottie/CoreAnimation/TrimmedPathAnimation.h"

#include <algorithm>
#include <cmath>

#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/TrimPathNode.h"
#include "Lottie/Values/KeyframeInterpolator.h"

namespace lottie {

using platform::compositor::AnimatableValue;
using Timings = std::vector<KeyframesCombined::Timing>;
using Pieces = TrimmedPathAnimation::Pieces;

namespace {

// The samples without the inner ones of each run of equal paths: between the
// ends of a run the compositor shows the same path anyway.
std::vector<Keyframe<Pieces>> withoutRepeats(std::vector<Keyframe<Pieces>> samples) {
    std::vector<Keyframe<Pieces>> kept;
    for (std::size_t index = 0; index < samples.size(); ++index) {
        // The last kept sample starts the run this one may be inside of.
        const bool inner = index > 0 && index + 1 < samples.size() && samples[index].value() == kept.back().value() &&
                           samples[index].value() == samples[index + 1].value();
        if (!inner) kept.push_back(std::move(samples[index]));
    }
    return kept;
}

}  // namespace

std::vector<double> TrimmedPathAnimation::sampleTimes(const std::vector<Timings>& timings) {
    const auto [first, last] = KeyframesCombined::timeSpan(timings);
    if (!std::isfinite(first) || !std::isfinite(last)) return {};
    const double frames = std::floor(last - first);
    if (!(frames + 2 <= double(maximumSamples))) return {};
    std::vector<double> times;
    for (double frame = 0; frame <= frames; ++frame) times.push_back(first + frame);
    if (times.back() < last) times.push_back(last);
    return times;
}

std::optional<KeyframeGroup<Pieces>> TrimmedPathAnimation::cutPaths(
    const std::vector<std::optional<ShapePathAnimation::PathSampler>>& samplers, const Trim& trim,
    const SamplingAccount& account) {
    if (samplers.empty() || std::ranges::any_of(samplers, [](const auto& sampler) { return !sampler; })) {
        return std::nullopt;
    }
    std::vector<Timings> timings = {KeyframesCombined::timingsOf(*trim.start()), KeyframesCombined::timingsOf(*trim.end()),
                                    KeyframesCombined::timingsOf(*trim.offset())};
    for (const auto& sampler : samplers) timings.push_back(sampler->timings);
    const std::vector<double> times = sampleTimes(timings);
    if (times.empty()) return std::nullopt;

    KeyframeInterpolator<LottieVector1D> start(trim.start()->keyframes());
    KeyframeInterpolator<LottieVector1D> end(trim.end()->keyframes());
    KeyframeInterpolator<LottieVector1D> offset(trim.offset()->keyframes());
    std::vector<Keyframe<Pieces>> samples;
    samples.reserve(times.size());
    for (double time : times) {
        TrimPathNode::OutputPaths outputs;
        for (const auto& sampler : samplers) {
            BezierPath path = sampler->pathAt(time);
            // Cutting costs time in the size of what is cut, whatever is kept.
            account.charge(1, SamplingBudget::bytesOf(path));
            outputs.push_back({CompoundBezierPath(std::move(path))});
        }
        outputs = TrimPathNode::trimmed(std::move(outputs), start.value(time).value, end.value(time).value,
                                        offset.value(time).value, trim.trimType());
        Pieces pieces;
        for (const auto& output : outputs) {
            for (const CompoundBezierPath& compound : output) {
                pieces.insert(pieces.end(), compound.paths().begin(), compound.paths().end());
            }
        }
        account.charge(1, SamplingBudget::bytesOf(pieces));
        samples.emplace_back(std::move(pieces), time, false, std::nullopt, std::nullopt, std::nullopt, std::nullopt);
    }
    return KeyframeGroup<Pieces>(withoutRepeats(std::move(samples)));
}

void TrimmedPathAnimation::animateCutPaths(platform::compositor::Layer& layer, const KeyframeGroup<Pieces>& cut,
                                           const LayerAnimationContext& context) {
    KeyframeAnimationBuilder::attach<Pieces>(
        LayerProperties::path(), cut,
        [](const Pieces& pieces) {
            platform::graphics::Path path;
            for (const BezierPath& piece : pieces) path.addPath(piece.toPath());
            return AnimatableValue(std::move(path));
        },
        context, layer);
}

}  // namespace lottie
