#pragma once
// Evaluates the keyframes of one animated property at any frame (KeyframeCursor)
// behind the interface every interpolator shares, and as the storage of a value
// provider, which holds it strongly. Owned by the property or value provider
// that asked for it; used from one thread at a time.

#include <any>
#include <functional>
#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

#include "Lottie/Values/AnyKeyframeInterpolator.h"
#include "Lottie/Values/KeyframeCursor.h"

namespace lottie {

template <Interpolatable T>
class KeyframeInterpolator : public AnyKeyframeInterpolator,
                             public KeyframeCursor<T>,
                             public std::enable_shared_from_this<KeyframeInterpolator<T>> {
public:
    using typename KeyframeCursor<T>::SharedKeyframes;
    using typename KeyframeCursor<T>::Sharing;

    explicit KeyframeInterpolator(std::vector<Keyframe<T>> keyframes) : KeyframeCursor<T>(std::move(keyframes)) {}
    KeyframeInterpolator(SharedKeyframes keyframes, Sharing sharing)
        : KeyframeCursor<T>(std::move(keyframes), sharing) {}
    // Takes over a cursor with the span it last evaluated.
    explicit KeyframeInterpolator(KeyframeCursor<T>&& cursor) : KeyframeCursor<T>(std::move(cursor)) {}

    bool hasUpdate(double frame) const override { return KeyframeCursor<T>::hasUpdate(frame); }

    // The value provider's storage: a closure that evaluates this interpolator
    // (held strongly) at the frame it is given.
    std::function<T(double)> storage() {
        std::shared_ptr<KeyframeInterpolator> self = this->weak_from_this().lock();
        // Not held by a shared pointer: the closure gets an interpolator of its own.
        if (!self) self = std::make_shared<KeyframeInterpolator>(this->sharedKeyframes(), Sharing{});
        return [self](double frame) { return self->value(frame); };
    }

    std::type_index valueType() const override { return typeid(T); }
    std::any anyValue(double frame) override { return this->value(frame); }
};

}  // namespace lottie
