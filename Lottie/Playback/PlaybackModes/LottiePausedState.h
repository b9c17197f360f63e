#pragma once
// Where a paused playback state stands: wherever the playhead is, at a progress, a
// frame, a time, or at one end of a marker. Known to callers as
// LottiePlaybackMode::PausedState. A plain value that compares and hashes by case
// and payload.

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <variant>

#include "Lottie/Playback/PlaybackModes/LottieMarkerPosition.h"

namespace lottie {

class LottiePausedState {
public:
    struct CurrentFrame {
        bool operator==(const CurrentFrame&) const = default;
    };
    struct Progress {
        double progress = 0;  // 0 ... 1
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
    struct Marker {
        std::string name;
        LottieMarkerPosition position = LottieMarkerPosition::start;
        bool operator==(const Marker&) const = default;
    };
    // In declared order; the index is the case number.
    using Value = std::variant<CurrentFrame, Progress, Frame, Time, Marker>;

    LottiePausedState() = default;
    static LottiePausedState currentFrame() { return LottiePausedState(std::in_place, CurrentFrame{}); }
    static LottiePausedState progress(double progress) { return LottiePausedState(std::in_place, Progress{progress}); }
    static LottiePausedState frame(double frame) { return LottiePausedState(std::in_place, Frame{frame}); }
    static LottiePausedState time(double seconds) { return LottiePausedState(std::in_place, Time{seconds}); }
    static LottiePausedState marker(std::string name, LottieMarkerPosition position = LottieMarkerPosition::start) {
        return LottiePausedState(std::in_place, Marker{std::move(name), position});
    }

    const Value& value() const { return value_; }

    bool operator==(const LottiePausedState&) const = default;
    std::size_t hash() const;

private:
    // Each case is built in place: moving a whole variant in trips a false
    // uninitialised-use warning of the compiler under the sanitizers.
    template <class Case>
    LottiePausedState(std::in_place_t, Case value) : value_(std::in_place_type<Case>, std::move(value)) {}

    Value value_;
};

}  // namespace lottie

template <>
struct std::hash<lottie::LottiePausedState> {
    std::size_t operator()(const lottie::LottiePausedState& state) const { return state.hash(); }
};
