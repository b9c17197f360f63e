#include "Lottie/Playback/DotLottieEntry.h"

namespace lottie {

std::shared_ptr<const LottieAnimation> DotLottieEntry::animation() const {
    try {
        return document->decoded();
    } catch (const std::exception&) {
        // Already logged where decoding failed.
        return nullptr;
    }
}

}  // namespace lottie
