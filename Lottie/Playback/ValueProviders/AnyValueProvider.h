#pragma once
// Something that supplies the value of one animatable property in place of the
// animation's own keyframes, seen without its value type. A caller installs one on
// an animation layer for a keypath; the main-thread engine asks it every frame
// whether its value may have changed and, if so, for its value, while the Core
// Animation engine turns its storage into compositor keyframes once. Providers are
// shared (std::shared_ptr) by the caller and the engine, used on the main thread.

#include <any>
#include <typeindex>

#include "Lottie/Playback/ValueProviders/AnyValueProviderStorage.h"

namespace lottie {

class AnyValueProvider {
public:
    virtual ~AnyValueProvider() = default;

    // The type every value from this provider has.
    virtual std::type_index valueType() const = 0;
    // Taking the storage may mark a static value as taken (see hasUpdate).
    virtual AnyValueProviderStorage erasedStorage() = 0;
    // Whether the value at this frame may differ from the one last taken.
    virtual bool hasUpdate(AnimationFrameTime frame) const = 0;

    // The value at a frame, a std::any of valueType().
    std::any valueAtFrame(AnimationFrameTime frame) { return erasedStorage().valueAtFrame(frame); }
};

// A provider of values of one type; its erased storage is derived from the typed one.
template <class T>
class ValueProvider : public AnyValueProvider {
public:
    using ValueType = T;

    virtual ValueProviderStorage<T> storage() = 0;

    std::type_index valueType() const override { return typeid(T); }
    AnyValueProviderStorage erasedStorage() override { return AnyValueProviderStorage::erasing(storage()); }
};

}  // namespace lottie
