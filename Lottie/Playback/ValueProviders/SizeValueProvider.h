#pragma once
// Supplies a size: a fixed one, or one computed from the frame by a closure.
// Vended as LottieVector3D (width, height, 1). Made by a caller and shared with the animation layer
// that it is installed on; main thread only. Two such providers are equal when made
// from the same size; one made from a closure equals only itself.

#include <functional>

#include "Lottie/Playback/AnyHashable.h"
#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"
#include "Lottie/Values/LottieVector3D.h"
#include "Platform/Graphics/Size.h"

namespace lottie {

class SizeValueProvider final : public ValueProvider<LottieVector3D> {
public:
    using Block = std::function<platform::graphics::Size(AnimationFrameTime)>;

    explicit SizeValueProvider(platform::graphics::Size size);
    // Throws std::invalid_argument for an empty closure.
    explicit SizeValueProvider(Block block);

    const platform::graphics::Size& size() const { return size_; }
    // Marks an update; the identity stays what it was made from.
    void setSize(platform::graphics::Size size);

    bool hasUpdate(AnimationFrameTime frame) const override;
    // A fixed value, once taken, reports no update until it is set again.
    ValueProviderStorage<LottieVector3D> storage() override;

    const AnyHashable& identity() const { return identity_; }
    bool operator==(const SizeValueProvider& other) const { return identity_ == other.identity_; }

private:
    platform::graphics::Size size_;
    bool hasUpdate_ = true;
    Block block_;
    AnyHashable identity_;
};

}  // namespace lottie
