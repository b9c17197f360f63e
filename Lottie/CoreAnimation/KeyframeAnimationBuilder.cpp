#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"

namespace lottie {

using platform::compositor::AnimatableValue;

std::string KeyframeAnimationBuilder::expressionsWarningMessage(const std::string& keyPath,
                                                                const LayerAnimationContext& context) {
    return "`" + keyPath + "` animation for \"" + context.currentKeypath.fullPath() +
           "\" includes an After Effects expression "
           "(https://helpx.adobe.com/after-effects/using/expression-language.html), which is not supported by "
           "Pellor's animation library (expressions are only supported by web-based players). This animation may "
           "not play correctly.";
}

void KeyframeAnimationBuilder::logExpressionsWarningIfNeeded(bool hasExpression, const std::string& keyPath,
                                                             const LayerAnimationContext& context) {
    if (!hasExpression || !context.loggingState || context.loggingState->hasLoggedAfterEffectsExpressionsWarning) {
        return;
    }
    context.loggingState->hasLoggedAfterEffectsExpressionsWarning = true;
    context.logger->info([keyPath, context] { return expressionsWarningMessage(keyPath, context); });
}

std::shared_ptr<platform::compositor::Animation> KeyframeAnimationBuilder::singleValueAnimation(
    const LayerPropertyDescriptor& property, const AnimatableValue& value, platform::compositor::Layer& layer) {
    if (property.isDefaultValue(value)) return nullptr;
    const std::optional<AnimatableValue> shown = layer.value(property.keyPath);
    // Set by an earlier pass (a pause that followed a play, say): nothing to add.
    if (shown == value) return nullptr;
    if (property.isDefaultValue(shown)) {
        layer.setValue(property.keyPath, value);
        return nullptr;
    }
    auto animation = platform::compositor::BasicAnimation::make(property.keyPath);
    animation->setFromValue(value);
    animation->setToValue(value);
    return animation;
}

}  // namespace lottie
