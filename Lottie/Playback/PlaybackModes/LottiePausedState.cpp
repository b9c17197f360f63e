#include "Lottie/Playback/PlaybackModes/LottiePausedState.h"

#include "Lottie/Playback/PlaybackModes/PlaybackModeHashing.h"

namespace lottie {

std::size_t LottiePausedState::hash() const {
    PlaybackModeHasher hasher;
    hasher.addCase(value_.index());
    if (const auto* progress = std::get_if<Progress>(&value_)) hasher.addNumber(progress->progress);
    if (const auto* frame = std::get_if<Frame>(&value_)) hasher.addNumber(frame->frame);
    if (const auto* time = std::get_if<Time>(&value_)) hasher.addNumber(time->seconds);
    if (const auto* marker = std::get_if<Marker>(&value_)) {
        hasher.addText(marker->name);
        hasher.addCase(static_cast<std::size_t>(marker->position));
    }
    return hasher.value();
}

}  // namespace lottie
