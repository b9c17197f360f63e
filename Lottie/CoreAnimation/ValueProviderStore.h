#pragma once
// The value providers installed on one Core Animation root layer, by keypath, in
// the order they were installed. The root layer owns it and hands it to every
// animation context; the property animations ask it for the keyframes that
// override theirs (built on this store's entries). Main thread only.

#include <memory>
#include <utility>
#include <vector>

#include "Lottie/Playback/Keypaths/AnimationKeypath.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"

namespace lottie {

class ValueProviderStore {
public:
    using Entry = std::pair<AnimationKeypath, std::shared_ptr<AnyValueProvider>>;

    explicit ValueProviderStore(std::shared_ptr<LottieLogger> logger) : logger_(std::move(logger)) {}

    const std::shared_ptr<LottieLogger>& logger() const { return logger_; }
    const std::vector<Entry>& valueProviders() const { return valueProviders_; }

    void setValueProvider(std::shared_ptr<AnyValueProvider> provider, const AnimationKeypath& keypath) {
        if (provider) valueProviders_.emplace_back(keypath, std::move(provider));
    }

    // Removes every provider whose keypath `keypath` matches as a pattern; the
    // others keep their order.
    void removeValueProviders(const AnimationKeypath& keypath) {
        std::erase_if(valueProviders_, [&](const Entry& entry) { return keypath.matches(entry.first); });
    }

private:
    std::shared_ptr<LottieLogger> logger_;
    std::vector<Entry> valueProviders_;
};

}  // namespace lottie
