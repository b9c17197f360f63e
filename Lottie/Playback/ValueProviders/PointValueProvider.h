#pragma once
// Supplies a point: a fixed one, or one computed from the frame by a closure.
// Vended as LottieVector3D (x, y, 0). Made by a caller and shared with the animation layer
// that it is installed on; main thread only. Two such providers are equal when made
// from the same point; one made from a closure equals only itself.

#include <functional>

#include "Lottie/Playback/AnyHashable.h"
#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"
#include "Lottie/Values/LottieVector3D.h"
#include "Platform/Graphics/Point.h"

namespace lottie {

class PointValueProvider final : public ValueProvider<LottieVector3D> {
public:
    using Block = std::function<platform::graphics::Point(AnimationFrameTime)>;

    explicit PointValueProvider(platform::graphics::Point point);
    // Throws std::invalid_argument for an empty closure.
    explicit PointValueProvider(Block block);

    const platform::graphics::Point& point() const { return point_; }
    // Marks an update; the identity stays what it was made from.
    void setPoint(platform::graphics::Point point);

    bool hasUpdate(AnimationFrameTime frame) const override;
    // A fixed value, once taken, reports no update until it is set again.
    ValueProviderStorage<LottieVector3D> storage() override;

    const AnyHashable& identity() const { return identity_; }
    bool operator==(const PointValueProvider& other) const { return identity_ == other.identity_; }

private:
    platform::graphics::Point point_;
    bool hasUpdate_ = true;
    Block block_;
    AnyHashable identity_;
};

}  // namespace lottie
