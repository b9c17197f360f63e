#include "Lottie/CoreAnimation/ProviderValueConversions.h"

#include <numbers>
#include <vector>

#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Playback/ValueProviders/GradientValueProvider.h"
#include "Lottie/Values/LottieColor.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"

namespace lottie {

using platform::compositor::AnimatableValue;

namespace {

// A conversion of values of one type; any other type converts to nothing.
template <class T, class Convert>
OverridableProperty::Conversion of(Convert convert) {
    return [convert](const std::any& value, AnyValueProvider&) -> std::optional<AnimatableValue> {
        if (const T* typed = std::any_cast<T>(&value)) return AnimatableValue(convert(*typed));
        return std::nullopt;
    };
}

// A conversion that reads the gradient provider and ignores the value.
template <class Convert>
OverridableProperty::Conversion ofGradientProvider(Convert convert) {
    return [convert](const std::any&, AnyValueProvider& provider) -> std::optional<AnimatableValue> {
        if (auto* gradient = dynamic_cast<GradientValueProvider*>(&provider)) return AnimatableValue(convert(*gradient));
        return std::nullopt;
    };
}

}  // namespace

platform::graphics::Color ProviderValueConversions::colorOf(const LottieColor& color) {
    return platform::graphics::Color::fromRGBA(LottieConfiguration::sharedColorSpace(), color.r, color.g, color.b,
                                               color.a);
}

OverridableProperty::Conversion ProviderValueConversions::percent() {
    return of<LottieVector1D>([](const LottieVector1D& value) { return value.value / 100; });
}

OverridableProperty::Conversion ProviderValueConversions::scaleComponent(int component) {
    return of<LottieVector3D>(
        [component](const LottieVector3D& value) { return (component == 0 ? value.x : value.y) / 100; });
}

OverridableProperty::Conversion ProviderValueConversions::point() {
    return of<LottieVector3D>([](const LottieVector3D& value) { return value.pointValue(); });
}

OverridableProperty::Conversion ProviderValueConversions::degrees() {
    return of<LottieVector1D>([](const LottieVector1D& value) { return value.value * std::numbers::pi / 180; });
}

OverridableProperty::Conversion ProviderValueConversions::plainNumber() {
    return of<LottieVector1D>([](const LottieVector1D& value) { return value.value; });
}

OverridableProperty::Conversion ProviderValueConversions::color() {
    return of<LottieColor>(colorOf);
}

OverridableProperty::Conversion ProviderValueConversions::gradientColors() {
    return ofGradientProvider([](const GradientValueProvider& provider) {
        std::vector<platform::graphics::Color> colors;
        colors.reserve(provider.colors().size());
        for (const LottieColor& color : provider.colors()) colors.push_back(colorOf(color));
        return colors;
    });
}

OverridableProperty::Conversion ProviderValueConversions::gradientLocations() {
    return ofGradientProvider([](const GradientValueProvider& provider) { return provider.locations(); });
}

}  // namespace lottie
