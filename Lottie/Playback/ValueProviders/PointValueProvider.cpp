#include "Lottie/Playback/ValueProviders/PointValueProvider.h"

#include <stdexcept>

#include "Lottie/Playback/ValueProviders/HashableList.h"
#include "Lottie/Playback/ValueProviders/Uuid.h"

namespace lottie {

namespace {

LottieVector3D vended(const platform::graphics::Point& point) { return LottieVector3D(point.x, point.y, 0); }

}  // namespace

PointValueProvider::PointValueProvider(platform::graphics::Point point)
    : point_(point), identity_(HashableList<double>{{point.x, point.y}}) {}

PointValueProvider::PointValueProvider(Block block)
    : point_(platform::graphics::Point()), block_(std::move(block)), identity_(Uuid::random()) {
    if (!block_) throw std::invalid_argument("PointValueProvider: the closure is empty");
}

void PointValueProvider::setPoint(platform::graphics::Point point) {
    point_ = point;
    hasUpdate_ = true;
}

bool PointValueProvider::hasUpdate(AnimationFrameTime) const { return block_ ? true : hasUpdate_; }

ValueProviderStorage<LottieVector3D> PointValueProvider::storage() {
    if (block_) {
        // The closure keeps its own copy of the block and nothing of the provider,
        // so it may outlive it.
        return ValueProviderStorage<LottieVector3D>::closure(
            [block = block_](AnimationFrameTime frame) { return vended(block(frame)); });
    }
    hasUpdate_ = false;
    return ValueProviderStorage<LottieVector3D>::singleValue(vended(point_));
}

}  // namespace lottie
