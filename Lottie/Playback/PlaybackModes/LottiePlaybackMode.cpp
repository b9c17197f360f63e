#include "Lottie/Playback/PlaybackModes/LottiePlaybackMode.h"

#include "Lottie/Playback/PlaybackModes/Overloaded.h"
#include "Lottie/Playback/PlaybackModes/PlaybackModeHashing.h"

namespace lottie {

LottiePlaybackMode LottiePlaybackMode::replacingLoopMode(LottieLoopMode loopMode) const {
    return std::visit(Overloaded{[&](const Playing& playing) {
                                     return LottiePlaybackMode::playing(playing.mode.replacingLoopMode(loopMode));
                                 },
                                 [&](const PlaybackMode::FromProgress& request) {
                                     return playing(PlaybackMode(request).replacingLoopMode(loopMode));
                                 },
                                 [&](const PlaybackMode::FromFrame& request) {
                                     return playing(PlaybackMode(request).replacingLoopMode(loopMode));
                                 },
                                 [&](const PlaybackMode::FromMarker& request) {
                                     return playing(PlaybackMode(request).replacingLoopMode(loopMode));
                                 },
                                 [&](const PlaybackMode::Marker& request) {
                                     return playing(PlaybackMode(request).replacingLoopMode(loopMode));
                                 },
                                 [this](const auto&) { return *this; }},
                      value_);
}

std::size_t LottiePlaybackMode::hash() const {
    PlaybackModeHasher hasher;
    hasher.addCase(value_.index());
    std::visit(
        Overloaded{[&](const Paused& paused) { hasher.add(paused.at.hash()); },
                   [&](const Playing& playing) { hasher.add(playing.mode.hash()); },
                   [&](const Progress& progress) { hasher.addNumber(progress.progress); },
                   [&](const Frame& frame) { hasher.addNumber(frame.frame); },
                   [&](const Time& time) { hasher.addNumber(time.seconds); }, [](const Pause&) {},
                   [&](const auto& request) { hasher.add(PlaybackMode::payloadHash(PlaybackMode::Value(request))); }},
        value_);
    return hasher.value();
}

}  // namespace lottie
