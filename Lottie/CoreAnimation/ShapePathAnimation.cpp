#include "Lottie/CoreAnimation/ShapePathAnimation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <typeinfo>

#include "Lottie/CoreAnimation/BezierPathKeyframe.h"
#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/PathRepetition.h"
#include "Lottie/CoreAnimation/StarPathAnimation.h"
#include "Lottie/CoreAnimation/TypeNames.h"
#include "Lottie/Values/KeyframeInterpolator.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapePathBuilders.h"
#include "Lottie/Model/ShapeItems/CombinedShapeItem.h"
#include "Lottie/Model/ShapeItems/Ellipse.h"
#include "Lottie/Model/ShapeItems/Shape.h"
#include "Lottie/Model/ShapeItems/Star.h"

namespace lottie {

using platform::compositor::AnimatableValue;
using platform::graphics::Point;
using platform::graphics::Size;

namespace {

template <Interpolatable T>
void attachPath(platform::compositor::Layer& layer, const KeyframeGroup<T>& keyframes,
                const LayerAnimationContext& context, const std::function<platform::graphics::Path(const T&)>& build) {
    KeyframeAnimationBuilder::attach<T>(
        LayerProperties::path(), keyframes, [&build](const T& value) { return AnimatableValue(build(value)); },
        context, layer);
}

void animateCustomPath(platform::compositor::Layer& layer, const Shape& shape, const LayerAnimationContext& context,
                       int pathMultiplier, const RoundedCorners* roundedCorners) {
    const KeyframeGroup<BezierPathKeyframe> keyframes =
        BezierPathKeyframe::combining(*shape.path(), roundedCorners ? roundedCorners->radius().get() : nullptr,
                                      context.samplingAccount());
    attachPath<BezierPathKeyframe>(layer, keyframes, context, [pathMultiplier](const BezierPathKeyframe& value) {
        return value.toPath(pathMultiplier);
    });
}

KeyframeGroup<Ellipse::Keyframe> ellipseKeyframes(const Ellipse& ellipse, const SamplingAccount& account) {
    return KeyframesCombined::combined(
        account, false, [](const LottieVector3D& size, const LottieVector3D& position) { return Ellipse::Keyframe{size, position}; },
        *ellipse.size(), *ellipse.position());
}

BezierPath ellipsePath(const Ellipse& ellipse, const Ellipse::Keyframe& value) {
    return ShapePathBuilders::makeEllipse(Size{value.size.x, value.size.y}, Point{value.position.x, value.position.y},
                                          ellipse.direction());
}

// Square corners have fewer vertices than rounded ones, and the compositor
// holds a path until the next keyframe instead of morphing it into one of
// another structure: a rectangle whose radius grows from 0 (or that grows from
// size 0) is built with rounded corners at every keyframe.
ShapePathBuilders::RectangleVertices rectangleVertices(const KeyframeGroup<Rectangle::Keyframe>& keyframes) {
    const bool roundsAtSomeKeyframe = std::ranges::any_of(
        keyframes.keyframes(), [](const auto& keyframe) { return keyframe.value().cornerRadius.value > 0; });
    return roundsAtSomeKeyframe ? ShapePathBuilders::RectangleVertices::alwaysNine
                                : ShapePathBuilders::RectangleVertices::asNeeded;
}

BezierPath rectanglePath(const Rectangle& rectangle, const Rectangle::Keyframe& value,
                         ShapePathBuilders::RectangleVertices vertices) {
    return ShapePathBuilders::makeRoundedRectangle(Point{value.position.x, value.position.y},
                                                   Size{value.size.x, value.size.y}, value.cornerRadius.value,
                                                   rectangle.direction(), vertices);
}

void animateEllipse(platform::compositor::Layer& layer, const Ellipse& ellipse, const LayerAnimationContext& context,
                    int pathMultiplier) {
    attachPath<Ellipse::Keyframe>(layer, ellipseKeyframes(ellipse, context.samplingAccount()), context,
                                  [&ellipse, pathMultiplier](const Ellipse::Keyframe& value) {
                                      return PathRepetition::repeated(ellipsePath(ellipse, value), pathMultiplier);
                                  });
}

void animateRectangle(platform::compositor::Layer& layer, const Rectangle& rectangle,
                      const LayerAnimationContext& context, int pathMultiplier, const RoundedCorners* roundedCorners) {
    const KeyframeGroup<Rectangle::Keyframe> keyframes =
        ShapePathAnimation::rectangleKeyframes(rectangle, roundedCorners, context.samplingAccount());
    attachPath<Rectangle::Keyframe>(
        layer, keyframes, context,
        [&rectangle, pathMultiplier, vertices = rectangleVertices(keyframes)](const Rectangle::Keyframe& value) {
            return PathRepetition::repeated(rectanglePath(rectangle, value, vertices), pathMultiplier);
        });
}

void animateStar(platform::compositor::Layer& layer, const Star& star, const LayerAnimationContext& context,
                 int pathMultiplier) {
    switch (star.starType()) {
        case StarType::star: StarPathAnimation::animateStarPath(layer, star, context, pathMultiplier); break;
        case StarType::polygon: StarPathAnimation::animatePolygonPath(layer, star, context, pathMultiplier); break;
        case StarType::none: break;
    }
}

// Whether the drawn radius (the corner radius stopped at half the shorter
// side) follows one of the three, the radius, half the width or half the
// height, the smallest (and above 0) at every keyframe: where the keyframes
// share one timing, as those combined index by index do, each of the three
// runs between its keyframe values along the same eased curve, so the one
// smallest at both ends of a span stays the smallest within it, and the
// paths built at the keyframes blend into corners of the right size (bars
// whose width stops a large radius while they grow). Easing that overshoots
// would carry the three past their ends, so none may.
bool drawnRadiusFollowsOne(const KeyframeGroup<LottieVector1D>& radius, const KeyframeGroup<LottieVector3D>& size) {
    const auto withinItsEnds = [](const auto& group) {
        return !group.keyframes().empty() && std::ranges::all_of(group.keyframes(), [](const auto& keyframe) {
            for (const auto& tangent : {keyframe.inTangent(), keyframe.outTangent()}) {
                if (tangent && !(tangent->y >= 0 && tangent->y <= 1)) return false;
            }
            return true;
        });
    };
    if (!withinItsEnds(radius) || !withinItsEnds(size)) return false;
    KeyframeInterpolator<LottieVector1D> radii(radius.keyframes());
    KeyframeInterpolator<LottieVector3D> sizes(size.keyframes());
    bool byRadius = true, byWidth = true, byHeight = true;
    const auto smallestAt = [&](double time) {
        const double r = radii.value(time).value;
        const LottieVector3D sides = sizes.value(time);
        const double w = sides.x / 2, h = sides.y / 2;
        const double drawn = std::min(h, std::min(w, r));
        if (!(drawn > 0) || !std::isfinite(drawn)) return false;
        byRadius = byRadius && r == drawn;
        byWidth = byWidth && w == drawn;
        byHeight = byHeight && h == drawn;
        return true;
    };
    for (const auto& keyframe : radius.keyframes()) {
        if (!smallestAt(keyframe.time())) return false;
    }
    for (const auto& keyframe : size.keyframes()) {
        if (!smallestAt(keyframe.time())) return false;
    }
    return byRadius || byWidth || byHeight;
}

// Whether a corner radius reaches half the rectangle's shorter side at some
// keyframe while the radius or the size animates. The drawn radius stops
// there, so between keyframes it no longer follows the keyframes' curve, and
// paths built at the keyframes alone would blend into corners of the wrong
// size: such a rectangle is sampled, unless the drawn radius follows one of
// them throughout.
bool radiusMeetsItsLimit(const KeyframeGroup<LottieVector1D>& radius, const KeyframeGroup<LottieVector3D>& size) {
    if (radius.keyframes().size() < 2 && size.keyframes().size() < 2) return false;
    double limit = std::numeric_limits<double>::infinity();
    for (const auto& keyframe : size.keyframes()) {
        limit = std::min({limit, keyframe.value().x / 2, keyframe.value().y / 2});
    }
    return std::ranges::any_of(radius.keyframes(), [limit](const auto& keyframe) { return keyframe.value().value > limit; }) &&
           !drawnRadiusFollowsOne(radius, size);
}

// Samples `keyframes` built into paths by `build`.
template <Interpolatable T, class Build>
ShapePathAnimation::PathSampler sampler(const KeyframeGroup<T>& keyframes, Build build) {
    std::vector<KeyframesCombined::Timing> timings = KeyframesCombined::timingsOf(keyframes);
    // A path that does not move is built once, not at every sample.
    if (keyframes.keyframes().size() == 1) {
        return {[path = build(keyframes.keyframes().front().value())](double) { return path; }, std::move(timings)};
    }
    auto interpolator = std::make_shared<KeyframeInterpolator<T>>(keyframes.keyframes());
    return {[interpolator, build](double frame) { return build(interpolator->value(frame)); }, std::move(timings)};
}

}  // namespace

void ShapePathAnimation::animateShapePath(platform::compositor::Layer& layer, const ShapeItem& item,
                                          const LayerAnimationContext& context, int pathMultiplier,
                                          const RoundedCorners* roundedCorners) {
    if (const auto* shape = dynamic_cast<const Shape*>(&item)) {
        animateCustomPath(layer, *shape, context, pathMultiplier, roundedCorners);
    } else if (const auto* combined = dynamic_cast<const CombinedShapeItem*>(&item)) {
        attachPath<std::vector<BezierPath>>(layer, *combined->shapes(), context,
                                            [pathMultiplier](const std::vector<BezierPath>& paths) {
                                                return PathRepetition::combined(paths, pathMultiplier);
                                            });
        if (roundedCorners) context.reportCompatibilityIssue(combinedRoundedCornersIssue);
    } else if (const auto* ellipse = dynamic_cast<const Ellipse*>(&item)) {
        // Rounding an ellipse changes nothing visible, so it is not an issue.
        animateEllipse(layer, *ellipse, context, pathMultiplier);
    } else if (const auto* rectangle = dynamic_cast<const Rectangle*>(&item)) {
        animateRectangle(layer, *rectangle, context, pathMultiplier, roundedCorners);
    } else if (const auto* star = dynamic_cast<const Star*>(&item)) {
        animateStar(layer, *star, context, pathMultiplier);
        if (roundedCorners) context.reportCompatibilityIssue(starRoundedCornersIssue);
    } else {
        context.reportCompatibilityIssue(unexpectedShapeTypeIssue + className(item));
    }
}

KeyframeGroup<Rectangle::Keyframe> ShapePathAnimation::rectangleKeyframes(const Rectangle& rectangle,
                                                                          const RoundedCorners* roundedCorners,
                                                                          const SamplingAccount& account) {
    static const KeyframeGroup<LottieVector1D> noRounding(LottieVector1D(0));
    const KeyframeGroup<LottieVector1D>& ownRadius = *rectangle.cornerRadius();
    // A rounded-corners item that never rounds (every radius 0 or below) leaves
    // the rectangle's own corners, as the main-thread engine draws them.
    const bool rounds = roundedCorners && std::ranges::any_of(roundedCorners->radius()->keyframes(),
                                                              [](const auto& keyframe) { return keyframe.value().value > 0; });
    const KeyframeGroup<LottieVector1D>& rounding = rounds ? *roundedCorners->radius() : noRounding;
    // Where the rectangle rounds its own corners they are curves already,
    // which rounded corners leave alone; its square corners take their radius.
    const auto radiusOf = [rounds](const LottieVector1D& own, const LottieVector1D& rounded) {
        return rounds && !(own.value > 0) ? rounded : own;
    };
    // A rectangle that squares its corners between keyframes changes from one
    // radius to the other there, as no blend of keyframes shows: it is sampled,
    // as is one whose radius stops at its limit.
    const bool squaresBetweenKeyframes =
        rounds && ownRadius.keyframes().size() > 1 &&
        std::ranges::any_of(ownRadius.keyframes(), [](const auto& keyframe) { return !(keyframe.value().value > 0); });
    const bool sampled = squaresBetweenKeyframes || radiusMeetsItsLimit(ownRadius, *rectangle.size()) ||
                         (rounds && radiusMeetsItsLimit(rounding, *rectangle.size()));
    KeyframeGroup<Rectangle::Keyframe> combined = KeyframesCombined::combined(
        account, sampled,
        [&radiusOf](const LottieVector3D& size, const LottieVector3D& position, const LottieVector1D& own,
                    const LottieVector1D& rounded) {
            return Rectangle::Keyframe{size, position, radiusOf(own, rounded)};
        },
        *rectangle.size(), *rectangle.position(), ownRadius, rounding);
    if (!sampled) return combined;
    return KeyframesCombined::blendedSamples(combined, *rectangle.size(), *rectangle.position(), ownRadius, rounding);
}

KeyframeGroupPtr<BezierPath> ShapePathAnimation::bezierPathKeyframes(const ShapeItem& item,
                                                                     const SamplingAccount& account) {
    if (const auto* shape = dynamic_cast<const Shape*>(&item)) return shape->path();
    if (const auto* ellipse = dynamic_cast<const Ellipse*>(&item)) {
        return ellipseKeyframes(*ellipse, account).map([ellipse](const Ellipse::Keyframe& value) { return ellipsePath(*ellipse, value); });
    }
    if (const auto* rectangle = dynamic_cast<const Rectangle*>(&item)) {
        const KeyframeGroup<Rectangle::Keyframe> keyframes = rectangleKeyframes(*rectangle, nullptr, account);
        return keyframes.map([rectangle, vertices = rectangleVertices(keyframes)](const Rectangle::Keyframe& value) {
            return rectanglePath(*rectangle, value, vertices);
        });
    }
    if (const auto* star = dynamic_cast<const Star*>(&item); star && star->starType() != StarType::none) {
        return StarPathAnimation::combinedKeyframes(*star, account).map(
            [star](const Star::Keyframe& value) { return StarPathAnimation::outline(*star, value); });
    }
    return nullptr;
}

std::optional<ShapePathAnimation::PathSampler> ShapePathAnimation::pathSampler(const ShapeItem& item,
                                                                             const SamplingAccount& account) {
    if (const auto* shape = dynamic_cast<const Shape*>(&item)) {
        return sampler(*shape->path(), [](const BezierPath& path) { return path; });
    }
    if (const auto* ellipse = dynamic_cast<const Ellipse*>(&item)) {
        return sampler(ellipseKeyframes(*ellipse, account),
                       [ellipse](const Ellipse::Keyframe& value) { return ellipsePath(*ellipse, value); });
    }
    if (const auto* rectangle = dynamic_cast<const Rectangle*>(&item)) {
        return sampler(rectangleKeyframes(*rectangle, nullptr, account), [rectangle](const Rectangle::Keyframe& value) {
            return rectanglePath(*rectangle, value, ShapePathBuilders::RectangleVertices::asNeeded);
        });
    }
    if (const auto* star = dynamic_cast<const Star*>(&item); star && star->starType() != StarType::none) {
        return sampler(StarPathAnimation::combinedKeyframes(*star, account),
                       [star](const Star::Keyframe& value) { return StarPathAnimation::outline(*star, value); });
    }
    return std::nullopt;
}

std::string ShapePathAnimation::className(const ShapeItem& item) { return TypeNames::unqualified(typeid(item)); }

}  // namespace lottie
