#pragma once
// Supplies a number: a fixed one, or one computed from the frame by a closure.
// Vended as LottieVector1D. Made by a caller and shared with the animation layer
// that it is installed on; main thread only. Two such providers are equal when made
// from the same number; one made from a closure equals only itself.

#include <functional>

#include "Lottie/Playback/AnyHashable.h"
#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"
#include "Lottie/Values/LottieVector1D.h"

namespace lottie {

class FloatValueProvider final : public ValueProvider<LottieVector1D> {
public:
    using Block = std::function<double(AnimationFrameTime)>;

    explicit FloatValueProvider(double floatValue);
    // Throws std::invalid_argument for an empty closure.
    explicit FloatValueProvider(Block block);

    const double& floatValue() const { return floatValue_; }
    // Marks an update; the identity stays what it was made from.
    void setFloatValue(double floatValue);

    bool hasUpdate(AnimationFrameTime frame) const override;
    // A fixed value, once taken, reports no update until it is set again.
    ValueProviderStorage<LottieVector1D> storage() override;

    const AnyHashable& identity() const { return identity_; }
    bool operator==(const FloatValueProvider& other) const { return identity_ == other.identity_; }

private:
    double floatValue_;
    bool hasUpdate_ = true;
    Block block_;
    AnyHashable identity_;
};

}  // namespace lottie
