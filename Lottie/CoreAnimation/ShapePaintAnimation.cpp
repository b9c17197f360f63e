#include "Lottie/CoreAnimation/ShapePaintAnimation.h"

#include <algorithm>

#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/OpacityAnimation.h"
#include "Lottie/CoreAnimation/PropertyAnimation.h"
#include "Lottie/CoreAnimation/ProviderValueConversions.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/StrokeRenderer.h"
#include "Lottie/Values/LottieColor.h"

namespace lottie {

using platform::compositor::AnimatableValue;

namespace {

// The length the compositor is given for a dash or gap of 0, which it could not draw.
constexpr double zeroDashLength = 0.01;

platform::graphics::FillRule fillRuleOf(FillRule rule) {
    return rule == FillRule::evenOdd ? platform::graphics::FillRule::evenOdd : platform::graphics::FillRule::winding;
}

AnimatableValue colorValue(const LottieColor& color) { return AnimatableValue(ProviderValueConversions::colorOf(color)); }
AnimatableValue plainValue(const LottieVector1D& value) { return AnimatableValue(value.value); }

void setDashPattern(platform::compositor::ShapeLayer& layer, const DashPattern& pattern,
                    const LayerAnimationContext& context) {
    const ShapePaintAnimation::DashKeyframes dashes = ShapePaintAnimation::dashKeyframes(pattern);
    std::vector<double> lengths;
    for (const KeyframeGroup<LottieVector1D>& element : dashes.dashesAndGaps) {
        if (element.keyframes().size() != 1) {
            context.reportCompatibilityIssue(ShapePaintAnimation::multipleKeyframesIssue("stroke dashPattern"));
        }
        // An element without keyframes has no length to give; leaving it out
        // keeps the others' pattern.
        if (!element.keyframes().empty()) lengths.push_back(element.keyframes().front().value().value);
    }
    if (std::ranges::any_of(lengths, [](double length) { return length != zeroDashLength; })) {
        layer.setLineDashPattern(std::move(lengths));
    }
    KeyframeAnimationBuilder::attach<LottieVector1D>(LayerProperties::lineDashPhase(), dashes.offset, plainValue,
                                                     context, layer);
}

}  // namespace

ShapePaintAnimation::DashKeyframes ShapePaintAnimation::dashKeyframes(const DashPattern& pattern) {
    DashKeyframes result;
    for (const auto& element : pattern) {
        if (element->type() == DashElementType::offset) {
            // A new group, so no expression text of the document comes along.
            result.offset = KeyframeGroup<LottieVector1D>(element->value()->keyframes());
            continue;
        }
        std::vector<Keyframe<LottieVector1D>> keyframes;
        for (const Keyframe<LottieVector1D>& keyframe : element->value()->keyframes()) {
            const double length = keyframe.value().value == 0 ? zeroDashLength : keyframe.value().value;
            keyframes.push_back(keyframe.replacingValue(LottieVector1D(length)));
        }
        result.dashesAndGaps.emplace_back(std::move(keyframes));
    }
    return result;
}

void ShapePaintAnimation::animateFill(platform::compositor::ShapeLayer& layer, const Fill& fill,
                                      const LayerAnimationContext& context) {
    layer.setFillRule(fillRuleOf(fill.fillRule()));
    PropertyAnimation::add<LottieColor>(layer, LayerProperties::fillColor(), *fill.color(), colorValue, context);
    OpacityAnimation::animateOpacity(layer, *fill.opacity(), context);
}

void ShapePaintAnimation::animateStroke(platform::compositor::ShapeLayer& layer, const StrokeShapeItem& stroke,
                                        const LayerAnimationContext& context, StrokeOpacity opacity) {
    // The same joins and caps as the main-thread engine's strokes.
    layer.setLineJoin(StrokeRenderer::platformJoin(stroke.lineJoin()));
    layer.setLineCap(StrokeRenderer::platformCap(stroke.lineCap()));
    layer.setMiterLimit(stroke.miterLimit());
    if (const auto color = stroke.strokeColor()) {
        PropertyAnimation::add<LottieColor>(layer, LayerProperties::strokeColor(), *color, colorValue, context);
    }
    PropertyAnimation::add<LottieVector1D>(layer, LayerProperties::lineWidth(), *stroke.width(), plainValue, context);
    if (opacity == StrokeOpacity::onLayer) OpacityAnimation::animateOpacity(layer, *stroke.opacity(), context);
    if (stroke.dashPattern()) setDashPattern(layer, *stroke.dashPattern(), context);
}

}  // namespace lottie
