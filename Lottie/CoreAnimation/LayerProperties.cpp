#include "Lottie/CoreAnimation/LayerProperties.h"

#include "Lottie/CoreAnimation/ProviderValueConversions.h"
#include "Lottie/Playback/LottieConfiguration.h"

namespace lottie {

using platform::compositor::AnimatableValue;
using Conversions = ProviderValueConversions;

namespace {

LayerPropertyDescriptor plain(const char* keyPath, std::optional<AnimatableValue> defaultValue) {
    return LayerPropertyDescriptor::withDefault(keyPath, std::move(defaultValue));
}

LayerPropertyDescriptor overridable(const char* keyPath, std::optional<AnimatableValue> defaultValue,
                                    PropertyName name, OverridableProperty::Conversion conversion,
                                    const char* typeName) {
    return LayerPropertyDescriptor::withDefault(keyPath, std::move(defaultValue),
                                                OverridableProperty{{name}, std::move(conversion), typeName});
}

}  // namespace

LayerPropertyDescriptor LayerProperties::opacity() {
    return overridable("opacity", 1.0, PropertyName::opacity, Conversions::percent(), Conversions::numberTypeName);
}

LayerPropertyDescriptor LayerProperties::isHidden() { return plain("hidden", false); }

LayerPropertyDescriptor LayerProperties::transform() {
    return {"transform", [](const std::optional<AnimatableValue>& value) {
                const auto* matrix = value ? value->get<platform::graphics::Transform3D>() : nullptr;
                return matrix && matrix->isIdentity();
            }};
}

LayerPropertyDescriptor LayerProperties::position() {
    return overridable("transform.translation", platform::graphics::Point{0, 0}, PropertyName::position,
                       Conversions::point(), Conversions::pointTypeName);
}

LayerPropertyDescriptor LayerProperties::positionX() { return plain("transform.translation.x", 0.0); }
LayerPropertyDescriptor LayerProperties::positionY() { return plain("transform.translation.y", 0.0); }
LayerPropertyDescriptor LayerProperties::anchorPoint() { return plain("anchorPoint", std::nullopt); }

LayerPropertyDescriptor LayerProperties::scaleX() {
    return overridable("transform.scale.x", 1.0, PropertyName::scale, Conversions::scaleComponent(0),
                       Conversions::numberTypeName);
}

LayerPropertyDescriptor LayerProperties::scaleY() {
    return overridable("transform.scale.y", 1.0, PropertyName::scale, Conversions::scaleComponent(1),
                       Conversions::numberTypeName);
}

LayerPropertyDescriptor LayerProperties::rotationX() { return plain("transform.rotation.x", 0.0); }
LayerPropertyDescriptor LayerProperties::rotationY() { return plain("transform.rotation.y", 0.0); }

LayerPropertyDescriptor LayerProperties::rotationZ() {
    return overridable("transform.rotation.z", 0.0, PropertyName::rotation, Conversions::degrees(),
                       Conversions::numberTypeName);
}

LayerPropertyDescriptor LayerProperties::fillColor() {
    return overridable("fillColor", std::nullopt, PropertyName::color, Conversions::color(),
                       Conversions::colorTypeName);
}

LayerPropertyDescriptor LayerProperties::strokeColor() {
    return overridable("strokeColor", std::nullopt, PropertyName::color, Conversions::color(),
                       Conversions::colorTypeName);
}

LayerPropertyDescriptor LayerProperties::lineWidth() {
    return overridable("lineWidth", 1.0, PropertyName::strokeWidth, Conversions::plainNumber(),
                       Conversions::numberTypeName);
}

LayerPropertyDescriptor LayerProperties::lineDashPhase() { return plain("lineDashPhase", 0.0); }
LayerPropertyDescriptor LayerProperties::strokeStart() { return plain("strokeStart", 0.0); }
LayerPropertyDescriptor LayerProperties::strokeEnd() { return plain("strokeEnd", 1.0); }
LayerPropertyDescriptor LayerProperties::path() { return plain("path", std::nullopt); }

LayerPropertyDescriptor LayerProperties::colors() {
    return overridable("colors", std::nullopt, PropertyName::gradientColors, Conversions::gradientColors(),
                       Conversions::colorsTypeName);
}

LayerPropertyDescriptor LayerProperties::locations() {
    return overridable("locations", std::nullopt, PropertyName::gradientColors, Conversions::gradientLocations(),
                       Conversions::numbersTypeName);
}

LayerPropertyDescriptor LayerProperties::startPoint() { return plain("startPoint", std::nullopt); }
LayerPropertyDescriptor LayerProperties::endPoint() { return plain("endPoint", std::nullopt); }
LayerPropertyDescriptor LayerProperties::shadowOpacity() { return plain("shadowOpacity", 0.0); }

LayerPropertyDescriptor LayerProperties::shadowColor() {
    return plain("shadowColor",
                 platform::graphics::Color::fromRGBA(LottieConfiguration::sharedColorSpace(), 0, 0, 0, 1));
}

LayerPropertyDescriptor LayerProperties::shadowRadius() { return plain("shadowRadius", 3.0); }
LayerPropertyDescriptor LayerProperties::shadowOffset() {
    return plain("shadowOffset", platform::graphics::Size{0, -3});
}

}  // namespace lottie
