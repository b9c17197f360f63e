#include "Lottie/CoreAnimation/StarPathAnimation.h"

#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/PathRepetition.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/RoundednessReport.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapePathBuilders.h"

namespace lottie {

using platform::compositor::AnimatableValue;

namespace {

const KeyframeGroup<LottieVector1D>& orZero(const KeyframeGroupPtr<LottieVector1D>& group) {
    static const KeyframeGroup<LottieVector1D> zero(LottieVector1D(0));
    return group ? *group : zero;
}

platform::graphics::Point center(const Star::Keyframe& value) { return {value.position.x, value.position.y}; }

BezierPath starOutline(const Star& star, const Star::Keyframe& value) {
    return ShapePathBuilders::makeStar(center(value), value.outerRadius.value, value.innerRadius.value,
                                       value.outerRoundness.value, value.innerRoundness.value, value.points.value,
                                       value.rotation.value, star.direction());
}

BezierPath polygonOutline(const Star& star, const Star::Keyframe& value) {
    return ShapePathBuilders::makePolygon(center(value), value.points.value, value.outerRadius.value,
                                          value.outerRoundness.value, value.rotation.value, star.direction());
}

// Roundness past the path builders' bound is drawn at the bound; that is said
// once for the star, as its layer is built.
void reportCutRoundness(const KeyframeGroup<Star::Keyframe>& keyframes) {
    RoundednessReport report;
    for (const auto& keyframe : keyframes.keyframes()) {
        for (double requested : {keyframe.value().outerRoundness.value, keyframe.value().innerRoundness.value}) {
            report.check(requested, ShapePathBuilders::boundedRoundedness(requested));
        }
    }
}

// A moving star is sampled each tenth of a frame, and each sample built into
// a path: the copies of the star a pass animates share them, rather than each
// of a repeater's copies sampling and building its own.
void attachPath(platform::compositor::Layer& layer, const Star& star, const LayerAnimationContext& context,
                int pathMultiplier, const KeyframeValueMapping<Star::Keyframe>& mapping) {
    const SamplingAccount account = context.samplingAccount();
    const auto make = [&] {
        KeyframeGroup<Star::Keyframe> values = StarPathAnimation::combinedKeyframes(star, account);
        std::vector<Keyframe<StarOutline>> outlines;
        outlines.reserve(values.keyframes().size());
        for (const Keyframe<Star::Keyframe>& keyframe : values.keyframes()) {
            outlines.push_back(keyframe.replacingValue(StarOutline{mapping(keyframe.value())}));
        }
        return StarPathAnimation::Outlines{std::move(values), KeyframeGroup<StarOutline>(std::move(outlines))};
    };
    const std::shared_ptr<const StarPathAnimation::Outlines> outlines =
        context.passResults
            ? context.passResults->shared<StarPathAnimation::Outlines>(&star, pathMultiplier, account, make)
            : std::make_shared<const StarPathAnimation::Outlines>(make());
    reportCutRoundness(outlines->values);
    KeyframeAnimationBuilder::attach<StarOutline>(
        LayerProperties::path(), outlines->outlines, [](const StarOutline& outline) { return outline.path; }, context,
        layer);
}

}  // namespace

bool StarPathAnimation::blendsBetweenKeyframes(const Star& star) {
    const auto animates = [](const auto& group) { return group && group->keyframes().size() > 1; };
    return !animates(star.position()) && !animates(star.outerRoundness()) && !animates(star.innerRoundness()) &&
           !animates(star.points()) && !animates(star.rotation());
}

KeyframeGroup<Star::Keyframe> StarPathAnimation::combinedKeyframes(const Star& star, const SamplingAccount& account) {
    const auto& position = *star.position();
    const auto& outerRadius = *star.outerRadius();
    const auto& innerRadius = orZero(star.innerRadius());
    const auto& outerRoundness = *star.outerRoundness();
    const auto& innerRoundness = orZero(star.innerRoundness());
    const auto& points = *star.points();
    const auto& rotation = *star.rotation();
    // Radii of different timings are sampled too, and blended the same way.
    const bool sampled = !blendsBetweenKeyframes(star) ||
                         !KeyframesCombined::plan({KeyframesCombined::timingsOf(outerRadius),
                                                   KeyframesCombined::timingsOf(innerRadius)},
                                                  false)
                              .baseGroup;
    KeyframeGroup<Star::Keyframe> combined = KeyframesCombined::combined(
        account, sampled,
        [](const LottieVector3D& position, const LottieVector1D& outerRadius, const LottieVector1D& innerRadius,
           const LottieVector1D& outerRoundness, const LottieVector1D& innerRoundness, const LottieVector1D& points,
           const LottieVector1D& rotation) {
            return Star::Keyframe{position, outerRadius, innerRadius, outerRoundness, innerRoundness, points, rotation};
        },
        position, outerRadius, innerRadius, outerRoundness, innerRoundness, points, rotation);
    if (!sampled) return combined;
    return KeyframesCombined::blendedSamples(combined, position, outerRadius, innerRadius, outerRoundness,
                                             innerRoundness, points, rotation);
}

BezierPath StarPathAnimation::outline(const Star& star, const Star::Keyframe& value) {
    switch (star.starType()) {
        case StarType::star: return starOutline(star, value);
        case StarType::polygon: return polygonOutline(star, value);
        case StarType::none: break;
    }
    return BezierPath();
}

platform::graphics::Path StarPathAnimation::starPath(const Star& star, const Star::Keyframe& value,
                                                     int pathMultiplier) {
    return PathRepetition::repeated(starOutline(star, value), pathMultiplier);
}

platform::graphics::Path StarPathAnimation::polygonPath(const Star& star, const Star::Keyframe& value,
                                                        int pathMultiplier) {
    return PathRepetition::repeated(polygonOutline(star, value), pathMultiplier);
}

void StarPathAnimation::animateStarPath(platform::compositor::Layer& layer, const Star& star,
                                        const LayerAnimationContext& context, int pathMultiplier) {
    attachPath(layer, star, context, pathMultiplier, [&star, pathMultiplier](const Star::Keyframe& value) {
        return AnimatableValue(starPath(star, value, pathMultiplier));
    });
}

void StarPathAnimation::animatePolygonPath(platform::compositor::Layer& layer, const Star& star,
                                           const LayerAnimationContext& context, int pathMultiplier) {
    attachPath(layer, star, context, pathMultiplier, [&star, pathMultiplier](const Star::Keyframe& value) {
        return AnimatableValue(polygonPath(star, value, pathMultiplier));
    });
}

}  // namespace lottie
