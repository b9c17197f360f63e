#include "Lottie/Model/Effects/DropShadowEffect.h"

#include <typeinfo>

#include "Lottie/Model/Effects/ColorEffectValue.h"
#include "Lottie/Model/Effects/Vector1DEffectValue.h"

namespace lottie {

namespace {

KeyframeGroupPtr<LottieVector1D> converted(const Vector1DEffectValue* found, double (*convert)(double)) {
    if (!found || !found->value) return nullptr;
    return found->value->map([convert](const LottieVector1D& v) { return LottieVector1D(convert(v.value)); });
}

}  // namespace

template <class Value>
const Value* DropShadowEffect::namedValue(std::string_view valueName) const {
    for (const auto& effectValue : effects) {
        const EffectValue& candidate = *effectValue;
        if (candidate.name == valueName && typeid(candidate) == typeid(Value)) {
            return static_cast<const Value*>(&candidate);
        }
    }
    return nullptr;
}

KeyframeGroupPtr<LottieVector1D> DropShadowEffect::opacity() const {
    return converted(namedValue<Vector1DEffectValue>("Opacity"), [](double v) { return v / 255 * 100; });
}

KeyframeGroupPtr<LottieVector1D> DropShadowEffect::radius() const {
    return converted(namedValue<Vector1DEffectValue>("Softness"), [](double v) { return v / 5; });
}

KeyframeGroupPtr<LottieColor> DropShadowEffect::color() const {
    const ColorEffectValue* found = namedValue<ColorEffectValue>("Shadow Color");
    return found ? found->value : nullptr;
}

KeyframeGroupPtr<LottieVector1D> DropShadowEffect::angle() const {
    return converted(namedValue<Vector1DEffectValue>("Direction"), [](double v) { return v - 90; });
}

KeyframeGroupPtr<LottieVector1D> DropShadowEffect::distance() const {
    const Vector1DEffectValue* found = namedValue<Vector1DEffectValue>("Distance");
    return found ? found->value : nullptr;
}

}  // namespace lottie
