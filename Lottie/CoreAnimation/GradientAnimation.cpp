#include "Lottie/CoreAnimation/GradientAnimation.h"

#include <cmath>

#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/OpacityAnimation.h"
#include "Lottie/CoreAnimation/PropertyAnimation.h"
#include "Lottie/Playback/LottieConfiguration.h"

namespace lottie {

using platform::compositor::AnimatableValue;
using platform::graphics::Point;
using Stops = std::vector<double>;

namespace {

void animateLinearPoints(GradientRenderLayer& layer, const GradientShapeItem& item,
                         const LayerAnimationContext& context) {
    layer.setType(platform::compositor::GradientLayer::Type::axial);
    const KeyframeValueMapping<LottieVector3D> unitPoint = [&layer](const LottieVector3D& point) {
        return AnimatableValue(layer.unitPointInPaddedBounds({point.x, point.y}));
    };
    KeyframeAnimationBuilder::attach(LayerProperties::startPoint(), *item.startPoint(), unitPoint, context, layer);
    KeyframeAnimationBuilder::attach(LayerProperties::endPoint(), *item.endPoint(), unitPoint, context, layer);
}

void animateRadialPoints(GradientRenderLayer& layer, const GradientShapeItem& item,
                         const LayerAnimationContext& context) {
    layer.setType(platform::compositor::GradientLayer::Type::radial);
    const auto keyframes = GradientAnimation::radialKeyframes(layer, item, context.samplingAccount());
    using Radial = GradientAnimation::RadialPoints;
    KeyframeAnimationBuilder::attach<Radial>(
        LayerProperties::startPoint(), keyframes, [](const Radial& points) { return AnimatableValue(points.startPoint); },
        context, layer);
    KeyframeAnimationBuilder::attach<Radial>(
        LayerProperties::endPoint(), keyframes, [](const Radial& points) { return AnimatableValue(points.endPoint); },
        context, layer);
}

}  // namespace

void GradientAnimation::animateGradient(GradientRenderLayer& layer, const GradientShapeItem& item,
                                        GradientStops::Kind kind, const LayerAnimationContext& context) {
    const int count = item.numberOfColors();
    const KeyframeGroup<Stops>& colors = *item.colors();
    layer.setLocations(std::vector<double>{});
    // Placeholders the animations replace: as many as the first keyframe has stops.
    const std::size_t placeholders =
        colors.keyframes().empty() ? 0 : GradientStops::read(colors.keyframes().front().value(), count, kind).colors.size();
    layer.setColors(std::vector<platform::graphics::Color>(
        placeholders, platform::graphics::Color::fromRGBA(LottieConfiguration::sharedColorSpace(), 0, 0, 0, 1)));
    PropertyAnimation::add<Stops>(
        layer, LayerProperties::colors(), colors,
        [count, kind](const Stops& values) { return AnimatableValue(GradientStops::read(values, count, kind).colors); },
        context);
    PropertyAnimation::add<Stops>(
        layer, LayerProperties::locations(), colors,
        [count, kind](const Stops& values) { return AnimatableValue(GradientStops::read(values, count, kind).locations); },
        context);
    // The alpha layer masks the colour layer, whose opacity is the gradient's:
    // an opacity of the mask too would apply it twice.
    if (kind != GradientStops::Kind::alpha) OpacityAnimation::animateOpacity(layer, *item.opacity(), context);
    switch (item.gradientType()) {
        case GradientType::linear: animateLinearPoints(layer, item, context); break;
        case GradientType::radial: animateRadialPoints(layer, item, context); break;
        case GradientType::none: break;
    }
}

KeyframeGroup<GradientAnimation::RadialPoints> GradientAnimation::radialKeyframes(const GradientRenderLayer& layer,
                                                                                 const GradientShapeItem& item,
                                                                                 const SamplingAccount& account) {
    return KeyframesCombined::combined(
        account, false,
        [&layer](const LottieVector3D& start, const LottieVector3D& end) {
            const double radius = std::hypot(end.x - start.x, end.y - start.y);
            return RadialPoints{layer.unitPointInPaddedBounds({start.x, start.y}),
                                layer.unitPointInPaddedBounds({start.x + radius, start.y + radius})};
        },
        *item.startPoint(), *item.endPoint());
}

GradientAnimation::RadialPoints Interpolation<GradientAnimation::RadialPoints>::interpolate(
    const GradientAnimation::RadialPoints& from, const GradientAnimation::RadialPoints& to, double amount) {
    const auto point = [amount](Point a, Point b) {
        return Point{Interpolation<double>::interpolate(a.x, b.x, amount),
                     Interpolation<double>::interpolate(a.y, b.y, amount)};
    };
    return {point(from.startPoint, to.startPoint), point(from.endPoint, to.endPoint)};
}

}  // namespace lottie
