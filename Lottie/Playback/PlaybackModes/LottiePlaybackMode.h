#pragma once
// A whole playback state: paused somewhere, or playing some request. The animation
// layer records the last one it adopted and the declarative view compares them to
// decide whether to play again. Besides `paused` and `playing`, the flat cases
// (progress, frame, time, pause, fromProgress ... markers) spell the same requests
// directly; they are different values that adopting treats alike. A plain value
// that compares and hashes by case and payload.

#include <cstddef>
#include <functional>
#include <optional>
#include <utility>
#include <string>
#include <variant>
#include <vector>

#include "Lottie/Playback/PlaybackModes/LottieLoopMode.h"
#include "Lottie/Playback/PlaybackModes/LottiePausedState.h"
#include "Lottie/Playback/PlaybackModes/LottiePlayingMode.h"

namespace lottie {

class LottiePlaybackMode {
public:
    using PausedState = LottiePausedState;
    using PlaybackMode = LottiePlayingMode;

    struct Paused {
        PausedState at;
        bool operator==(const Paused&) const = default;
    };
    struct Playing {
        PlaybackMode mode;
        bool operator==(const Playing&) const = default;
    };
    struct Progress {
        double progress = 0;
        bool operator==(const Progress&) const = default;
    };
    struct Frame {
        double frame = 0;
        bool operator==(const Frame&) const = default;
    };
    struct Time {
        double seconds = 0;
        bool operator==(const Time&) const = default;
    };
    struct Pause {
        bool operator==(const Pause&) const = default;
    };
    // In declared order; the index is the case number.
    using Value =
        std::variant<Paused, Playing, Progress, Frame, Time, Pause, PlaybackMode::FromProgress, PlaybackMode::FromFrame,
                     PlaybackMode::FromMarker, PlaybackMode::Marker, PlaybackMode::Markers>;

    // Paused at the current frame.
    LottiePlaybackMode() : value_(std::in_place_type<Paused>) {}

    static LottiePlaybackMode paused(PausedState at) {
        return LottiePlaybackMode(std::in_place, Paused{std::move(at)});
    }
    static LottiePlaybackMode playing(PlaybackMode mode) {
        return LottiePlaybackMode(std::in_place, Playing{std::move(mode)});
    }
    static LottiePlaybackMode progress(double progress) {
        return LottiePlaybackMode(std::in_place, Progress{progress});
    }
    static LottiePlaybackMode frame(double frame) { return LottiePlaybackMode(std::in_place, Frame{frame}); }
    static LottiePlaybackMode time(double seconds) { return LottiePlaybackMode(std::in_place, Time{seconds}); }
    static LottiePlaybackMode pause() { return LottiePlaybackMode(std::in_place, Pause{}); }
    static LottiePlaybackMode fromProgress(std::optional<double> from, double toProgress, LottieLoopMode loopMode) {
        return LottiePlaybackMode(std::in_place, PlaybackMode::FromProgress{from, toProgress, loopMode});
    }
    static LottiePlaybackMode fromFrame(std::optional<double> from, double toFrame, LottieLoopMode loopMode) {
        return LottiePlaybackMode(std::in_place, PlaybackMode::FromFrame{from, toFrame, loopMode});
    }
    static LottiePlaybackMode fromMarker(std::optional<std::string> from, std::string toMarker, bool playEndMarkerFrame,
                                         LottieLoopMode loopMode) {
        const PlaybackMode request =
            PlaybackMode::fromMarker(std::move(from), std::move(toMarker), playEndMarkerFrame, loopMode);
        return LottiePlaybackMode(std::in_place, std::get<PlaybackMode::FromMarker>(request.value()));
    }
    static LottiePlaybackMode marker(std::string name, LottieLoopMode loopMode) {
        return LottiePlaybackMode(std::in_place, PlaybackMode::Marker{std::move(name), loopMode});
    }
    static LottiePlaybackMode markers(std::vector<std::string> names) {
        return LottiePlaybackMode(std::in_place, PlaybackMode::Markers{std::move(names)});
    }

    // Shorthands: paused where the playhead is, and playing from there to a target.
    static LottiePlaybackMode paused() { return paused(PausedState::currentFrame()); }
    static LottiePlaybackMode toProgress(double progress, LottieLoopMode loopMode) {
        return playing(PlaybackMode::fromProgress(std::nullopt, progress, loopMode));
    }
    static LottiePlaybackMode toFrame(double frame, LottieLoopMode loopMode) {
        return playing(PlaybackMode::fromFrame(std::nullopt, frame, loopMode));
    }
    static LottiePlaybackMode toMarker(std::string name, bool playEndMarkerFrame, LottieLoopMode loopMode) {
        return playing(PlaybackMode::fromMarker(std::nullopt, std::move(name), playEndMarkerFrame, loopMode));
    }
    // The same three in the flat form.
    static LottiePlaybackMode flatToProgress(double progress, LottieLoopMode loopMode) {
        return fromProgress(std::nullopt, progress, loopMode);
    }
    static LottiePlaybackMode flatToFrame(double frame, LottieLoopMode loopMode) {
        return fromFrame(std::nullopt, frame, loopMode);
    }
    static LottiePlaybackMode flatToMarker(std::string name, bool playEndMarkerFrame, LottieLoopMode loopMode) {
        return fromMarker(std::nullopt, std::move(name), playEndMarkerFrame, loopMode);
    }

    const Value& value() const { return value_; }

    // A playing request (either form, except a sequence of markers) with another loop
    // mode, always in the `playing` form; every other value unchanged.
    LottiePlaybackMode replacingLoopMode(LottieLoopMode loopMode) const;

    bool operator==(const LottiePlaybackMode&) const = default;
    std::size_t hash() const;

private:
    // Built in place, as LottiePausedState is.
    template <class Case>
    LottiePlaybackMode(std::in_place_t, Case value) : value_(std::in_place_type<Case>, std::move(value)) {}

    Value value_;
};

}  // namespace lottie

template <>
struct std::hash<lottie::LottiePlaybackMode> {
    std::size_t operator()(const lottie::LottiePlaybackMode& mode) const { return mode.hash(); }
};
