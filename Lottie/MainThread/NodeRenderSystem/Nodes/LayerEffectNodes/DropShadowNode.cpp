#include "Lottie/MainThread/NodeRenderSystem/Nodes/LayerEffectNodes/DropShadowNode.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "Lottie/MainThread/NodeRenderSystem/Renderers/EngineColor.h"

namespace lottie {

namespace {

// No real shadow reaches this far; the compositor sizes its buffers in whole
// pixels from these values, and a document's absurd ones must not overflow them.
constexpr double maximumExtent = 100'000;

double bounded(double value) {
    if (!std::isfinite(value)) return 0;
    return std::clamp(value, -maximumExtent, maximumExtent);
}

}  // namespace

void DropShadowNode::apply(platform::compositor::Layer& layer) const {
    const DropShadowNodeProperties& values = *properties_;
    if (values.opacity) layer.setShadowOpacity(static_cast<float>(values.opacity->value().value / 100));
    if (values.angle && values.distance) {
        const double angle = values.angle->value().value * std::numbers::pi / 180;
        const double distance = bounded(values.distance->value().value);
        layer.setShadowOffset({std::cos(angle) * distance, std::sin(angle) * distance});
    }
    if (values.color) {
        layer.setShadowColor(engineColor(values.color->value()));
    } else {
        layer.setShadowColor(std::nullopt);
    }
    layer.setShadowRadius(values.radius ? bounded(values.radius->value().value) : 0);
}

}  // namespace lottie
