#include "Lottie/CoreAnimation/ValueProviderStore.h"

#include <variant>

#include "Lottie/CoreAnimation/PropertyName.h"
#include "Lottie/CoreAnimation/ProviderKeypathPattern.h"

namespace lottie {

std::string ValueProviderStore::unsupportedPropertyMessage(const std::string& lastKey) {
    std::string names;
    for (PropertyName name : PropertyNames::allCases) {
        if (!names.empty()) names += ", ";
        names += PropertyNames::rawValue(name);
    }
    return "The Core Animation rendering engine currently doesn't support customizing \"" + lastKey +
           "\" properties. Supported properties are: " + names + ".";
}

void ValueProviderStore::installValueProvider(std::shared_ptr<AnyValueProvider> provider,
                                              const AnimationKeypath& keypath) {
    if (!provider) return;
    // The conditions are evaluated only by a handler that asks for them.
    logger_->assert_(
        [provider] {
            return !std::holds_alternative<AnyValueProviderStorage::Closure>(provider->erasedStorage().value());
        },
        [] { return std::string(closureProviderMessage); }, sourceFile, 22);
    const std::string lastKey = keypath.keys().empty() ? std::string() : keypath.keys().back();
    logger_->assert_([lastKey] { return PropertyNames::fromRawValue(lastKey).has_value(); },
                       [lastKey] { return unsupportedPropertyMessage(lastKey); }, sourceFile,
                     33);
    std::erase_if(valueProviders_, [&](const Entry& entry) { return entry.first.keys() == keypath.keys(); });
    valueProviders_.emplace_back(keypath, std::move(provider));
}

void ValueProviderStore::uninstallValueProvider(const AnimationKeypath& keypath) {
    std::erase_if(valueProviders_,
                  [&](const Entry& entry) { return ProviderKeypathPattern::matches(keypath, entry.first); });
}

std::shared_ptr<AnyValueProvider> ValueProviderStore::overrideKeyframes(const AnimationKeypath& keypath) const {
    for (auto entry = valueProviders_.rbegin(); entry != valueProviders_.rend(); ++entry) {
        if (ProviderKeypathPattern::matches(entry->first, keypath)) return entry->second;
    }
    return nullptr;
}

}  // namespace lottie
