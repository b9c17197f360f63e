#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"

#include <stdexcept>

#include "Lottie/Playback/ValueProviders/HashableList.h"
#include "Lottie/Playback/ValueProviders/Uuid.h"

namespace lottie {

namespace {

constexpr LottieColor kOpaqueBlack(0, 0, 0, 1);

}  // namespace

ColorValueProvider::ColorValueProvider(LottieColor color) : color_(color), identity_(color) {}

ColorValueProvider::ColorValueProvider(Block block)
    : color_(kOpaqueBlack), block_(std::move(block)), identity_(Uuid::random()) {
    if (!block_) throw std::invalid_argument("ColorValueProvider: the colour closure is empty");
}

ColorValueProvider::ColorValueProvider(std::vector<Keyframe<LottieColor>> keyframes)
    : color_(kOpaqueBlack),
      keyframes_(keyframes),
      identity_(HashableList<Keyframe<LottieColor>>{std::move(keyframes)}) {}

void ColorValueProvider::setColor(LottieColor color) {
    color_ = color;
    hasUpdate_ = true;
}

bool ColorValueProvider::hasUpdate(AnimationFrameTime) const { return block_ ? true : hasUpdate_; }

ValueProviderStorage<LottieColor> ColorValueProvider::storage() {
    if (block_) {
        // Evaluated later, possibly after this provider is gone: the closure keeps
        // its own copy of the block and nothing of the provider.
        return ValueProviderStorage<LottieColor>::closure(block_);
    }
    if (keyframes_) return ValueProviderStorage<LottieColor>::keyframes(*keyframes_);
    hasUpdate_ = false;
    return ValueProviderStorage<LottieColor>::singleValue(color_);
}

}  // namespace lottie
