#pragma once
// The type-erased face of one animatable property of the main-thread engine: the
// value provider that computes it (replaceable by keypath), the provider it was
// made with, and the per-frame update. Keypath searches hand these out; the
// engine's typed node properties implement it and are owned by their nodes.

#include <any>
#include <atomic>
#include <cstdint>
#include <memory>

namespace lottie {

class AnyValueProvider;

class AnyNodeProperty {
public:
    virtual ~AnyNodeProperty() = default;

    virtual std::shared_ptr<AnyValueProvider> valueProvider() const = 0;
    virtual std::shared_ptr<AnyValueProvider> originalValueProvider() const = 0;
    // Whether the value at this frame may differ from the one held.
    virtual bool needsUpdate(double frame) const = 0;
    virtual void update(double frame) = 0;
    virtual void replaceProvider(std::shared_ptr<AnyValueProvider> provider) = 0;
    virtual void restoreOriginalProvider() = 0;
    // The value at a frame of the provider in use (or of the one the property was
    // made with), for a caller who asks; empty without a provider. Evaluating a
    // provider may move its cached keyframe span or mark its value as taken, so
    // the property takes its value afresh on the next frame: a question never
    // changes what the next frame draws.
    virtual std::any queriedValue(double frame, bool original) = 0;
    // True when no frame can give another value than the one held: a single
    // keyframe evaluated in place, the value not stale. Such a property stays
    // so until some property's provider changes or its value is queried
    // (changeCount()).
    virtual bool holdsItsValue() const { return false; }

    // Grows whenever a property's provider is replaced or restored, or its
    // value is marked stale: what was known of which properties hold their
    // values is then found out afresh.
    static std::uint64_t changeCount() { return changes_.load(std::memory_order_relaxed); }

protected:
    static void noteChange() { changes_.fetch_add(1, std::memory_order_relaxed); }

private:
    inline static std::atomic<std::uint64_t> changes_{0};
};

}  // namespace lottie
