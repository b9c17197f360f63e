#pragma once
// The value providers installed on one Core Animation root layer, by keypath, in
// the order they were installed (no two under the same keys). The root layer
// owns it and hands it to every animation context; when the animations are
// built, each overridable property looks up the most recently installed
// provider whose keypath matches its own (ProviderKeypathPattern), and the
// value-provider overrides turn that provider's values into its keyframes.
// Installing or removing changes only the list: the root layer rebuilds the
// animations afterwards. Main thread only.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Lottie/Playback/Keypaths/AnimationKeypath.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"

namespace lottie {

class ValueProviderStore {
public:
    using Entry = std::pair<AnimationKeypath, std::shared_ptr<AnyValueProvider>>;
    static constexpr const char* sourceFile = "Lottie/ValueProviderStore";
    static constexpr const char* closureProviderMessage =
        "The Core Animation rendering engine doesn't support Value Providers that vend a closure,\n"
        "because that would require calling the closure on the main thread once per frame.";

    explicit ValueProviderStore(std::shared_ptr<LottieLogger> logger) : logger_(std::move(logger)) {}

    const std::shared_ptr<LottieLogger>& logger() const { return logger_; }
    const std::vector<Entry>& valueProviders() const { return valueProviders_; }

    // Stores the provider in place of one installed under the same keys, as the
    // most recent entry. A provider that vends a closure, or a keypath that does
    // not end in a property name, is stored all the same, after a message through
    // the logger's assert handler: the closure is refused when a property asks for it.
    void installValueProvider(std::shared_ptr<AnyValueProvider> provider, const AnimationKeypath& keypath);
    // Removes every provider whose keypath `keypath` matches as a pattern; the
    // others keep their order.
    void uninstallValueProvider(const AnimationKeypath& keypath);
    // The most recently installed provider whose keypath matches `keypath`, or none.
    std::shared_ptr<AnyValueProvider> overrideKeyframes(const AnimationKeypath& keypath) const;

    // The message for a provider installed under a keypath whose last key is no property name.
    static std::string unsupportedPropertyMessage(const std::string& lastKey);

private:
    std::shared_ptr<LottieLogger> logger_;
    std::vector<Entry> valueProviders_;
};

}  // namespace lottie
