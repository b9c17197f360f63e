#include "Lottie/Playback/ValueProviders/SizeValueProvider.h"

#include <stdexcept>

#include "Lottie/Playback/ValueProviders/HashableList.h"
#include "Lottie/Playback/ValueProviders/Uuid.h"

namespace lottie {

namespace {

LottieVector3D vended(const platform::graphics::Size& size) { return LottieVector3D(size.width, size.height, 1); }

}  // namespace

SizeValueProvider::SizeValueProvider(platform::graphics::Size size)
    : size_(size), identity_(HashableList<double>{{size.width, size.height}}) {}

SizeValueProvider::SizeValueProvider(Block block)
    : size_(platform::graphics::Size()), block_(std::move(block)), identity_(Uuid::random()) {
    if (!block_) throw std::invalid_argument("SizeValueProvider: the closure is empty");
}

void SizeValueProvider::setSize(platform::graphics::Size size) {
    size_ = size;
    hasUpdate_ = true;
}

bool SizeValueProvider::hasUpdate(AnimationFrameTime) const { return block_ ? true : hasUpdate_; }

ValueProviderStorage<LottieVector3D> SizeValueProvider::storage() {
    if (block_) {
        // The closure keeps its own copy of the block and nothing of the provider,
        // so it may outlive it.
        return ValueProviderStorage<LottieVector3D>::closure(
            [block = block_](AnimationFrameTime frame) { return vended(block(frame)); });
    }
    hasUpdate_ = false;
    return ValueProviderStorage<LottieVector3D>::singleValue(vended(size_));
}

}  // namespace lottie
