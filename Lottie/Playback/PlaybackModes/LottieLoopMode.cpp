#include "Lottie/Playback/PlaybackModes/LottieLoopMode.h"

#include "Lottie/Playback/PlaybackModes/PlaybackModeHashing.h"

namespace lottie {

std::size_t LottieLoopMode::hash() const {
    PlaybackModeHasher hasher;
    hasher.addCase(static_cast<std::size_t>(kind_));
    if (kind_ == Kind::repeat || kind_ == Kind::repeatBackwards) hasher.addNumber(count_);
    return hasher.value();
}

}  // namespace lottie
