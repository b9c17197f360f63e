#include "Lottie/Playback/ValueProviders/FloatValueProvider.h"

#include <stdexcept>

#include "Lottie/Playback/ValueProviders/HashableList.h"
#include "Lottie/Playback/ValueProviders/Uuid.h"

namespace lottie {

namespace {

LottieVector1D vended(const double& floatValue) { return LottieVector1D(floatValue); }

}  // namespace

FloatValueProvider::FloatValueProvider(double floatValue) : floatValue_(floatValue), identity_(floatValue) {}

FloatValueProvider::FloatValueProvider(Block block)
    : floatValue_(0), block_(std::move(block)), identity_(Uuid::random()) {
    if (!block_) throw std::invalid_argument("FloatValueProvider: the closure is empty");
}

void FloatValueProvider::setFloatValue(double floatValue) {
    floatValue_ = floatValue;
    hasUpdate_ = true;
}

bool FloatValueProvider::hasUpdate(AnimationFrameTime) const { return block_ ? true : hasUpdate_; }

ValueProviderStorage<LottieVector1D> FloatValueProvider::storage() {
    if (block_) {
        // The closure keeps its own copy of the block and nothing of the provider,
        // so it may outlive it.
        return ValueProviderStorage<LottieVector1D>::closure(
            [block = block_](AnimationFrameTime frame) { return vended(block(frame)); });
    }
    hasUpdate_ = false;
    return ValueProviderStorage<LottieVector1D>::singleValue(vended(floatValue_));
}

}  // namespace lottie
