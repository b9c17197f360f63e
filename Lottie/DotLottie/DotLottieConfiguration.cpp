#include "Lottie/DotLottie/DotLottieConfiguration.h"

#include "Lottie/DotLottie/DotLottieImageProvider.h"

namespace lottie {

DotLottieConfiguration DotLottieConfiguration::make(const DotLottieAnimation& animation,
                                                    std::shared_ptr<DotLottieImageProvider> imageProvider) {
    DotLottieConfiguration configuration;
    configuration.id = animation.id;
    if (animation.mode == DotLottieAnimationMode::bounce) {
        configuration.loopMode = LottieLoopMode::autoReverse();
    } else if (animation.loop.value_or(false)) {
        configuration.loopMode = LottieLoopMode::loop();
    }
    configuration.speed = animation.speed.value_or(1.0) *
                          (animation.direction ? static_cast<double>(*animation.direction) : 1.0);
    configuration.dotLottieImageProvider = std::move(imageProvider);
    return configuration;
}

std::shared_ptr<AnimationImageProvider> DotLottieConfiguration::imageProvider() const {
    return dotLottieImageProvider;
}

}  // namespace lottie
