#include "Lottie/CoreAnimation/ValueProviderOverrides.h"

#include <string>
#include <typeinfo>
#include <variant>

#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/TypeNames.h"
#include "Platform/Compositor/BasicAnimation.h"

namespace lottie {

using platform::compositor::AnimatableValue;

namespace {

std::vector<Keyframe<std::any>> keyframesOf(const AnyValueProviderStorage& storage) {
    if (const auto* single = std::get_if<AnyValueProviderStorage::SingleValue>(&storage.value())) {
        // Time 0 and holding, as a static value is; built field by field, since
        // a keyframe of std::any is itself convertible to std::any.
        std::vector<Keyframe<std::any>> keyframes;
        keyframes.emplace_back(single->value, 0, true, std::nullopt, std::nullopt, std::nullopt, std::nullopt);
        return keyframes;
    }
    return std::get<AnyValueProviderStorage::Keyframes>(storage.value()).keyframes;
}

}  // namespace

std::optional<std::vector<Keyframe<AnimatableValue>>> ValueProviderOverrides::typedOverrideKeyframes(
    const OverridableProperty& property, const AnimationKeypath& keypath, const LayerAnimationContext& context) {
    if (context.recordHierarchyKeypath) context.recordHierarchyKeypath(keypath.fullPath());
    if (!context.valueProviderStore) return std::nullopt;
    const std::shared_ptr<AnyValueProvider> provider = context.valueProviderStore->overrideKeyframes(keypath);
    if (!provider) return std::nullopt;
    const AnyValueProviderStorage storage = provider->erasedStorage();
    if (std::holds_alternative<AnyValueProviderStorage::Closure>(storage.value())) {
        context.reportCompatibilityIssue(ValueProviderStore::closureProviderMessage);
        return std::nullopt;
    }
    const std::vector<Keyframe<std::any>> provided = keyframesOf(storage);
    // An empty list gives nothing to build from: the document's keyframes play.
    if (provided.empty()) return std::nullopt;
    std::vector<Keyframe<AnimatableValue>> converted;
    converted.reserve(provided.size());
    for (const Keyframe<std::any>& keyframe : provided) {
        if (std::optional<AnimatableValue> value = property.conversion(keyframe.value(), *provider)) {
            converted.push_back(keyframe.replacingValue(std::move(*value)));
            continue;
        }
        const auto& logger = context.valueProviderStore->logger();
        const AnyValueProvider& providerObject = *provider;
        logger->assertionFailure(
            [&keyframe, &providerObject, &property] {
                return "Could not convert value of type " + TypeNames::unqualified(keyframe.value().type()) + " from " +
                       TypeNames::unqualified(typeid(providerObject)) + " to expected type " + property.valueTypeName;
            },
            ValueProviderStore::sourceFile, 83);
    }
    if (converted.size() < provided.size()) return std::nullopt;
    return converted;
}

std::shared_ptr<platform::compositor::Animation> ValueProviderOverrides::customizedPropertyAnimation(
    const LayerPropertyDescriptor& property, const LayerAnimationContext& context) {
    if (!property.customizableProperty) return nullptr;
    // The property's keypath is put together only when something reads it.
    const bool listing = static_cast<bool>(context.recordHierarchyKeypath);
    if (!listing && (!context.valueProviderStore || context.valueProviderStore->valueProviders().empty())) {
        return nullptr;
    }
    const OverridableProperty& overridable = *property.customizableProperty;
    std::vector<std::string> keys = context.currentKeypath.keys();
    for (PropertyName name : overridable.propertyNames) keys.emplace_back(PropertyNames::rawValue(name));
    const auto keyframes = typedOverrideKeyframes(overridable, AnimationKeypath(std::move(keys)), context);
    if (!keyframes) return nullptr;
    if (keyframes->size() == 1) {
        auto animation = platform::compositor::BasicAnimation::make(property.keyPath);
        animation->setFromValue(keyframes->front().value());
        animation->setToValue(keyframes->front().value());
        return animation;
    }
    // Keyframes whose hold flags change are cut into runs like the document's,
    // since one keyframe animation has one calculation mode.
    const KeyframeValueMapping<AnimatableValue> unchanged = [](const AnimatableValue& value) { return value; };
    return KeyframeAnimationBuilder::animationForRuns(property.keyPath, *keyframes, unchanged, context);
}

}  // namespace lottie
