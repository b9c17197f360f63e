#include "Lottie/Playback/PlaybackModes/LottiePlayingMode.h"

#include "Lottie/Playback/PlaybackModes/Overloaded.h"
#include "Lottie/Playback/PlaybackModes/PlaybackModeHashing.h"

namespace lottie {

LottiePlayingMode LottiePlayingMode::fromMarker(std::optional<std::string> from, std::string toMarker,
                                                bool playEndMarkerFrame, LottieLoopMode loopMode) {
    // Field by field: moving the optional in one aggregate trips a false
    // uninitialised-use warning of the compiler under the sanitizers.
    FromMarker request;
    if (from) request.from = std::move(*from);
    request.toMarker = std::move(toMarker);
    request.playEndMarkerFrame = playEndMarkerFrame;
    request.loopMode = loopMode;
    return request;
}

LottiePlayingMode LottiePlayingMode::replacingLoopMode(LottieLoopMode loopMode) const {
    return std::visit(Overloaded{[](const Markers& markers) { return LottiePlayingMode(markers); },
                                 [loopMode](auto request) {
                                     request.loopMode = loopMode;
                                     return LottiePlayingMode(std::move(request));
                                 }},
                      value_);
}

std::size_t LottiePlayingMode::payloadHash(const Value& value) {
    PlaybackModeHasher hasher;
    std::visit(Overloaded{[&hasher](const FromProgress& request) {
                              hasher.addOptionalNumber(request.from);
                              hasher.addNumber(request.toProgress);
                              hasher.add(request.loopMode.hash());
                          },
                          [&hasher](const FromFrame& request) {
                              hasher.addOptionalNumber(request.from);
                              hasher.addNumber(request.toFrame);
                              hasher.add(request.loopMode.hash());
                          },
                          [&hasher](const FromMarker& request) {
                              hasher.addOptionalText(request.from);
                              hasher.addText(request.toMarker);
                              hasher.addBool(request.playEndMarkerFrame);
                              hasher.add(request.loopMode.hash());
                          },
                          [&hasher](const Marker& request) {
                              hasher.addText(request.name);
                              hasher.add(request.loopMode.hash());
                          },
                          [&hasher](const Markers& request) { hasher.addTexts(request.names); }},
               value);
    return hasher.value();
}

std::size_t LottiePlayingMode::hash() const {
    PlaybackModeHasher hasher;
    hasher.addCase(value_.index());
    hasher.add(payloadHash(value_));
    return hasher.value();
}

}  // namespace lottie
