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

// Every descriptor but the shadow's colour, built once.
struct Descriptors {
    LayerPropertyDescriptor opacity =
        overridable("opacity", 1.0, PropertyName::opacity, Conversions::percent(), Conversions::numberTypeName);
    LayerPropertyDescriptor isHidden = plain("hidden", false);
    LayerPropertyDescriptor transform{"transform", [](const std::optional<AnimatableValue>& value) {
                                          const auto* matrix =
                                              value ? value->get<platform::graphics::Transform3D>() : nullptr;
                                          return matrix && matrix->isIdentity();
                                      }};
    LayerPropertyDescriptor position =
        overridable("transform.translation", platform::graphics::Point{0, 0}, PropertyName::position,
                    Conversions::point(), Conversions::pointTypeName);
    LayerPropertyDescriptor positionX = plain("transform.translation.x", 0.0);
    LayerPropertyDescriptor positionY = plain("transform.translation.y", 0.0);
    LayerPropertyDescriptor anchorPoint = plain("anchorPoint", std::nullopt);
    LayerPropertyDescriptor scaleX =
        overridable("transform.scale.x", 1.0, PropertyName::scale,
                    Conversions::scaleComponent(0), Conversions::numberTypeName);
    LayerPropertyDescriptor scaleY =
        overridable("transform.scale.y", 1.0, PropertyName::scale,
                    Conversions::scaleComponent(1), Conversions::numberTypeName);
    LayerPropertyDescriptor rotationX = plain("transform.rotation.x", 0.0);
    LayerPropertyDescriptor rotationY = plain("transform.rotation.y", 0.0);
    LayerPropertyDescriptor rotationZ =
        overridable("transform.rotation.z", 0.0, PropertyName::rotation,
                    Conversions::degrees(), Conversions::numberTypeName);
    LayerPropertyDescriptor fillColor =
        overridable("fillColor", std::nullopt, PropertyName::color, Conversions::color(), Conversions::colorTypeName);
    LayerPropertyDescriptor strokeColor =
        overridable("strokeColor", std::nullopt, PropertyName::color, Conversions::color(), Conversions::colorTypeName);
    LayerPropertyDescriptor lineWidth =
        overridable("lineWidth", 1.0, PropertyName::strokeWidth,
                    Conversions::plainNumber(), Conversions::numberTypeName);
    LayerPropertyDescriptor lineDashPhase = plain("lineDashPhase", 0.0);
    LayerPropertyDescriptor strokeStart = plain("strokeStart", 0.0);
    LayerPropertyDescriptor strokeEnd = plain("strokeEnd", 1.0);
    LayerPropertyDescriptor path = plain("path", std::nullopt);
    LayerPropertyDescriptor colors =
        overridable("colors", std::nullopt, PropertyName::gradientColors,
                    Conversions::gradientColors(), Conversions::colorsTypeName);
    LayerPropertyDescriptor locations =
        overridable("locations", std::nullopt, PropertyName::gradientColors,
                    Conversions::gradientLocations(), Conversions::numbersTypeName);
    LayerPropertyDescriptor startPoint = plain("startPoint", std::nullopt);
    LayerPropertyDescriptor endPoint = plain("endPoint", std::nullopt);
    LayerPropertyDescriptor shadowOpacity = plain("shadowOpacity", 0.0);
    LayerPropertyDescriptor shadowRadius = plain("shadowRadius", 3.0);
    LayerPropertyDescriptor shadowOffset = plain("shadowOffset", platform::graphics::Size{0, -3});
};

const Descriptors& descriptors() {
    static const Descriptors built;
    return built;
}

}  // namespace

const LayerPropertyDescriptor& LayerProperties::opacity() { return descriptors().opacity; }
const LayerPropertyDescriptor& LayerProperties::isHidden() { return descriptors().isHidden; }
const LayerPropertyDescriptor& LayerProperties::transform() { return descriptors().transform; }
const LayerPropertyDescriptor& LayerProperties::position() { return descriptors().position; }
const LayerPropertyDescriptor& LayerProperties::positionX() { return descriptors().positionX; }
const LayerPropertyDescriptor& LayerProperties::positionY() { return descriptors().positionY; }
const LayerPropertyDescriptor& LayerProperties::anchorPoint() { return descriptors().anchorPoint; }
const LayerPropertyDescriptor& LayerProperties::scaleX() { return descriptors().scaleX; }
const LayerPropertyDescriptor& LayerProperties::scaleY() { return descriptors().scaleY; }
const LayerPropertyDescriptor& LayerProperties::rotationX() { return descriptors().rotationX; }
const LayerPropertyDescriptor& LayerProperties::rotationY() { return descriptors().rotationY; }
const LayerPropertyDescriptor& LayerProperties::rotationZ() { return descriptors().rotationZ; }
const LayerPropertyDescriptor& LayerProperties::fillColor() { return descriptors().fillColor; }
const LayerPropertyDescriptor& LayerProperties::strokeColor() { return descriptors().strokeColor; }
const LayerPropertyDescriptor& LayerProperties::lineWidth() { return descriptors().lineWidth; }
const LayerPropertyDescriptor& LayerProperties::lineDashPhase() { return descriptors().lineDashPhase; }
const LayerPropertyDescriptor& LayerProperties::strokeStart() { return descriptors().strokeStart; }
const LayerPropertyDescriptor& LayerProperties::strokeEnd() { return descriptors().strokeEnd; }
const LayerPropertyDescriptor& LayerProperties::path() { return descriptors().path; }
const LayerPropertyDescriptor& LayerProperties::colors() { return descriptors().colors; }
const LayerPropertyDescriptor& LayerProperties::locations() { return descriptors().locations; }
const LayerPropertyDescriptor& LayerProperties::startPoint() { return descriptors().startPoint; }
const LayerPropertyDescriptor& LayerProperties::endPoint() { return descriptors().endPoint; }
const LayerPropertyDescriptor& LayerProperties::shadowOpacity() { return descriptors().shadowOpacity; }

LayerPropertyDescriptor LayerProperties::shadowColor() {
    return plain("shadowColor",
                 platform::graphics::Color::fromRGBA(LottieConfiguration::sharedColorSpace(), 0, 0, 0, 1));
}

const LayerPropertyDescriptor& LayerProperties::shadowRadius() { return descriptors().shadowRadius; }
const LayerPropertyDescriptor& LayerProperties::shadowOffset() { return descriptors().shadowOffset; }

}  // namespace lottie
