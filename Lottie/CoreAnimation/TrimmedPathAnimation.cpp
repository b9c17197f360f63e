#include "Lottie/CoreAnimation/TrimmedPathAnimation.h"

#include <algorithm>

#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/TrimPathNode.h"
#include "Lottie/Values/KeyframeInterpolator.h"

namespace lottie {

using platform::compositor::AnimatableValue;
using Timings = std::vector<KeyframesCombined::Timing>;

namespace {

Timings timingsOf(const KeyframeGroup<LottieVector1D>& group) {
    Timings timings;
    for (const auto& keyframe : group.keyframes()) timings.push_back(KeyframesCombined::Timing::of(keyframe));
    return timings;
}

}  // namespace

bool TrimmedPathAnimation::animateTrimmedPath(
    platform::compositor::Layer& layer, const std::vector<std::optional<ShapePathAnimation::PathSampler>>& samplers,
    const Trim& trim, const LayerAnimationContext& context) {
    if (samplers.empty() || std::ranges::any_of(samplers, [](const auto& sampler) { return !sampler; })) return false;
    std::vector<Timings> timings = {timingsOf(*trim.start()), timingsOf(*trim.end()), timingsOf(*trim.offset())};
    for (const auto& sampler : samplers) timings.push_back(sampler->timings);
    const KeyframesCombined::Plan plan = KeyframesCombined::plan(timings, true);
    if (plan.empty || plan.sampleTimes.size() > maximumSamples) return false;

    KeyframeInterpolator<LottieVector1D> start(trim.start()->keyframes());
    KeyframeInterpolator<LottieVector1D> end(trim.end()->keyframes());
    KeyframeInterpolator<LottieVector1D> offset(trim.offset()->keyframes());
    std::vector<Keyframe<std::vector<BezierPath>>> keyframes;
    keyframes.reserve(plan.sampleTimes.size());
    for (double time : plan.sampleTimes) {
        TrimPathNode::OutputPaths outputs;
        for (const auto& sampler : samplers) outputs.push_back({CompoundBezierPath(sampler->pathAt(time))});
        outputs = TrimPathNode::trimmed(std::move(outputs), start.value(time).value, end.value(time).value,
                                        offset.value(time).value, trim.trimType());
        std::vector<BezierPath> pieces;
        for (auto& output : outputs) {
            for (CompoundBezierPath& compound : output) {
                pieces.insert(pieces.end(), compound.paths().begin(), compound.paths().end());
            }
        }
        keyframes.emplace_back(std::move(pieces), time, true, std::nullopt, std::nullopt, std::nullopt, std::nullopt);
    }
    KeyframeAnimationBuilder::attach<std::vector<BezierPath>>(
        LayerProperties::path(), KeyframeGroup<std::vector<BezierPath>>(std::move(keyframes)),
        [](const std::vector<BezierPath>& pieces) {
            platform::graphics::Path path;
            for (const BezierPath& piece : pieces) path.addPath(piece.toPath());
            return AnimatableValue(std::move(path));
        },
        context, layer);
    return true;
}

}  // namespace lottie
