#include "Lottie/CoreAnimation/ShapePathAnimation.h"

#include <algorithm>
#include <limits>
#include <typeinfo>

#include "Lottie/CoreAnimation/BezierPathKeyframe.h"
#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/PathRepetition.h"
#include "Lottie/CoreAnimation/StarPathAnimation.h"
#include "Lottie/CoreAnimation/TypeNames.h"
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

void animateEllipse(platform::compositor::Layer& layer, const Ellipse& ellipse, const LayerAnimationContext& context,
                    int pathMultiplier) {
    const auto keyframes = KeyframesCombined::combined(
        context.samplingAccount(), false, [](const LottieVector3D& size, const LottieVector3D& position) { return Ellipse::Keyframe{size, position}; },
        *ellipse.size(), *ellipse.position());
    attachPath<Ellipse::Keyframe>(layer, keyframes, context, [&ellipse, pathMultiplier](const Ellipse::Keyframe& value) {
        const BezierPath path = ShapePathBuilders::makeEllipse(Size{value.size.x, value.size.y},
                                                               Point{value.position.x, value.position.y},
                                                               ellipse.direction());
        return PathRepetition::repeated(path, pathMultiplier);
    });
}

void animateRectangle(platform::compositor::Layer& layer, const Rectangle& rectangle,
                      const LayerAnimationContext& context, int pathMultiplier, const RoundedCorners* roundedCorners) {
    attachPath<Rectangle::Keyframe>(
        layer, ShapePathAnimation::rectangleKeyframes(rectangle, roundedCorners, context.samplingAccount()), context,
        [&rectangle, pathMultiplier](const Rectangle::Keyframe& value) {
            const BezierPath path = ShapePathBuilders::makeRoundedRectangle(
                Point{value.position.x, value.position.y}, Size{value.size.x, value.size.y}, value.cornerRadius.value,
                rectangle.direction());
            return PathRepetition::repeated(path, pathMultiplier);
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

// Whether an animated corner radius reaches half the rectangle's shorter side
// at some keyframe. The drawn radius stops there, so between keyframes it no
// longer follows the keyframes' curve, and paths built at the keyframes alone
// would blend into corners of the wrong size: such a rectangle is sampled.
bool radiusMeetsItsLimit(const KeyframeGroup<LottieVector1D>& radius, const KeyframeGroup<LottieVector3D>& size) {
    if (radius.keyframes().size() < 2) return false;
    double limit = std::numeric_limits<double>::infinity();
    for (const auto& keyframe : size.keyframes()) {
        limit = std::min({limit, keyframe.value().x / 2, keyframe.value().y / 2});
    }
    return std::ranges::any_of(radius.keyframes(), [limit](const auto& keyframe) { return keyframe.value().value > limit; });
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
    // A rounded-corners item that never rounds (every radius 0 or below) leaves
    // the rectangle's own corners, as the main-thread engine draws them.
    const bool rounds = roundedCorners && std::ranges::any_of(roundedCorners->radius()->keyframes(),
                                                              [](const auto& keyframe) { return keyframe.value().value > 0; });
    const KeyframeGroup<LottieVector1D>& radius = rounds ? *roundedCorners->radius() : *rectangle.cornerRadius();
    return KeyframesCombined::combined(
        account, radiusMeetsItsLimit(radius, *rectangle.size()),
        [](const LottieVector3D& size, const LottieVector3D& position, const LottieVector1D& cornerRadius) {
            return Rectangle::Keyframe{size, position, cornerRadius};
        },
        *rectangle.size(), *rectangle.position(), radius);
}

std::string ShapePathAnimation::className(const ShapeItem& item) { return TypeNames::unqualified(typeid(item)); }

}  // namespace lottie
