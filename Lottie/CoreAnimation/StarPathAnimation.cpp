#include "Lottie/CoreAnimation/StarPathAnimation.h"

#include <cmath>
#include <tuple>

#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/PathRepetition.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/RoundednessReport.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapePathBuilders.h"
#include "Lottie/Values/KeyframeInterpolator.h"

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
        // The outlines are charged when the animation is attached below. Where
        // they will not fit in what is left of the budget, charge what is built
        // so far at once, which refuses the document as attaching would, rather
        // than build thousands of large outlines first.
        const double room = account.budget ? account.budget->remaining() : 0;
        double built = 0;
        for (const Keyframe<Star::Keyframe>& keyframe : values.keyframes()) {
            outlines.push_back(keyframe.replacingValue(StarOutline{mapping(keyframe.value())}));
            if (!account.budget) continue;
            built += SamplingBudget::bytesOf(outlines.back().value().path);
            if (built > room) account.charge(1, built);
        }
        return StarPathAnimation::Outlines{std::move(values), KeyframeGroup<StarOutline>(std::move(outlines))};
    };
    const std::shared_ptr<const StarPathAnimation::Outlines> outlines =
        context.passResults
            ? context.passResults->shared<StarPathAnimation::Outlines>(&star, pathMultiplier, account, make)
            : std::make_shared<const StarPathAnimation::Outlines>(make());
    if (!context.derivesOnly) reportCutRoundness(outlines->values);
    KeyframeAnimationBuilder::attach<StarOutline>(
        LayerProperties::path(), outlines->outlines, [](const StarOutline& outline) { return outline.path; }, context,
        layer);
}

// The samples with the spans that turn the outline by more than
// StarPathAnimation::largestTurn cut into equal steps, each value taken from the
// groups as the samples were. The compositor blends two outlines point by
// point, along the chord between where each point was and where it goes,
// which cuts the point's arc short: a star turning fast under a strong easing
// would shrink between samples a tenth of a frame apart. The new samples are
// charged to `account` before any is made.
template <Interpolatable... T>
KeyframeGroup<Star::Keyframe> withTurnsCut(const KeyframeGroup<Star::Keyframe>& samples, const SamplingAccount& account,
                                           const KeyframeGroup<T>&... groups) {
    const auto& keyframes = samples.keyframes();
    const auto stepsAfter = [&](std::size_t index) {
        const double turn = std::fabs(keyframes[index + 1].value().rotation.value - keyframes[index].value().rotation.value);
        const double steps = std::ceil(turn / StarPathAnimation::largestTurn);
        // Not a number, or a spin past any sight, keeps the span as it is.
        return std::isfinite(steps) && steps > 1 && steps <= StarPathAnimation::mostStepsPerSample ? steps : 1.0;
    };
    double extra = 0;
    for (std::size_t index = 0; index + 1 < keyframes.size(); ++index) extra += stepsAfter(index) - 1;
    if (extra == 0) return samples;
    account.charge(extra, static_cast<double>(sizeof(Keyframe<Star::Keyframe>)));
    auto interpolators = std::make_tuple(KeyframeInterpolator<T>(groups.keyframes())...);
    std::vector<Keyframe<Star::Keyframe>> cut;
    cut.reserve(keyframes.size() + static_cast<std::size_t>(extra));
    for (std::size_t index = 0; index < keyframes.size(); ++index) {
        cut.push_back(keyframes[index]);
        if (index + 1 == keyframes.size()) break;
        const double steps = stepsAfter(index);
        const double from = keyframes[index].time();
        const double to = keyframes[index + 1].time();
        for (double step = 1; step < steps; ++step) {
            const double time = from + (to - from) * step / steps;
            const Star::Keyframe value = std::apply(
                [time](auto&... interpolator) {
                    const auto values = std::make_tuple(interpolator.value(time)...);
                    return Star::Keyframe{std::get<0>(values), std::get<1>(values), std::get<2>(values),
                                          std::get<3>(values), std::get<4>(values), std::get<5>(values),
                                          std::get<6>(values)};
                },
                interpolators);
            cut.emplace_back(value, time, false, std::nullopt, std::nullopt, std::nullopt, std::nullopt);
        }
    }
    return KeyframeGroup<Star::Keyframe>(std::move(cut));
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
    return KeyframesCombined::blendedSamples(
        withTurnsCut(combined, account, position, outerRadius, innerRadius, outerRoundness, innerRoundness, points,
                     rotation),
        position, outerRadius, innerRadius, outerRoundness, innerRoundness, points, rotation);
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
