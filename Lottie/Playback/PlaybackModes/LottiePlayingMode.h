#pragma once
// What a playing playback state plays: from a progress, frame or marker (or from
// where the playhead is) to another, one marker, or a sequence of markers, each
// with its loop mode. Known to callers as LottiePlaybackMode::PlaybackMode. A plain
// value that compares and hashes by case and payload.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "Lottie/Playback/PlaybackModes/LottieLoopMode.h"

namespace lottie {

class LottiePlayingMode {
public:
    // A `from` of nothing means from the current position.
    struct FromProgress {
        std::optional<double> from;
        double toProgress = 0;
        LottieLoopMode loopMode;
        bool operator==(const FromProgress&) const = default;
    };
    struct FromFrame {
        std::optional<double> from;
        double toFrame = 0;
        LottieLoopMode loopMode;
        bool operator==(const FromFrame&) const = default;
    };
    struct FromMarker {
        std::optional<std::string> from;
        std::string toMarker;
        bool playEndMarkerFrame = true;
        LottieLoopMode loopMode;
        bool operator==(const FromMarker&) const = default;
    };
    struct Marker {
        std::string name;
        LottieLoopMode loopMode;
        bool operator==(const Marker&) const = default;
    };
    struct Markers {
        std::vector<std::string> names;
        bool operator==(const Markers&) const = default;
    };
    // In declared order; the index is the case number.
    using Value = std::variant<FromProgress, FromFrame, FromMarker, Marker, Markers>;

    LottiePlayingMode(FromProgress value) : value_(std::in_place_type<FromProgress>, std::move(value)) {}
    LottiePlayingMode(FromFrame value) : value_(std::in_place_type<FromFrame>, std::move(value)) {}
    LottiePlayingMode(FromMarker value) : value_(std::in_place_type<FromMarker>, std::move(value)) {}
    LottiePlayingMode(Marker value) : value_(std::in_place_type<Marker>, std::move(value)) {}
    LottiePlayingMode(Markers value) : value_(std::in_place_type<Markers>, std::move(value)) {}

    static LottiePlayingMode fromProgress(std::optional<double> from, double toProgress, LottieLoopMode loopMode) {
        return FromProgress{from, toProgress, loopMode};
    }
    static LottiePlayingMode fromFrame(std::optional<double> from, double toFrame, LottieLoopMode loopMode) {
        return FromFrame{from, toFrame, loopMode};
    }
    static LottiePlayingMode fromMarker(std::optional<std::string> from, std::string toMarker, bool playEndMarkerFrame,
                                        LottieLoopMode loopMode);
    static LottiePlayingMode marker(std::string name, LottieLoopMode loopMode) {
        return Marker{std::move(name), loopMode};
    }
    static LottiePlayingMode markers(std::vector<std::string> names) { return Markers{std::move(names)}; }

    const Value& value() const { return value_; }

    // The same request with another loop mode; a sequence of markers has none and is
    // returned unchanged.
    LottiePlayingMode replacingLoopMode(LottieLoopMode loopMode) const;

    bool operator==(const LottiePlayingMode&) const = default;
    std::size_t hash() const;

    // Hashes one case's payload fields (shared with the flat cases of LottiePlaybackMode).
    static std::size_t payloadHash(const Value& value);

private:
    Value value_;
};

}  // namespace lottie

template <>
struct std::hash<lottie::LottiePlayingMode> {
    std::size_t operator()(const lottie::LottiePlayingMode& mode) const { return mode.hash(); }
};
