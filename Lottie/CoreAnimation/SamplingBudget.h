#pragma once
// What the Core Animation engine may spend, for one document, on keyframe
// values it makes itself: groups combined index by index or sampled each tenth
// of a frame, keyframes resampled once per frame under complex time remapping,
// and every keyframe value mapped into a compositor value (a path drawn
// `pathMultiplier` times under a trim, a star of thousands of vertices, a 4x4
// matrix). Each is charged in bytes, the number of values times the size of
// each, before it is made where the count is known beforehand and as it is
// made otherwise, so that no charge goes far past the limit.
//
// Past the limit the document is a compatibility issue: the automatic engine
// choice (abort mode) falls back to the main-thread engine; an explicitly
// chosen engine (track mode) records the issue and stops the set-up with
// Exceeded, which the root layer turns into a refusal. Each property keeps its
// own sample cap as well (KeyframesCombined::maximumSampleCount). A display
// pass's budget also holds the set-up's deadline in processor time, checked
// with every charge: past it the pass ends the same way, with a message that
// names the deadline.
//
// The root layer owns one for the layer tree it builds, and gives each display
// pass a copy that goes on from what the tree spent. Main thread only.

#include <algorithm>
#include <cstddef>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/CompatibilityTrackerProviding.h"
#include "Lottie/Values/Keyframe.h"
#include "Lottie/Values/KeyframeGroup.h"
#include "Platform/Compositor/AnimatableValue.h"
#include "Platform/Graphics/ProcessorDeadline.h"

namespace lottie {

class SamplingBudget {
public:
    // Values of 64 MB stay well within what two frames of a hostile document may
    // take (half a gigabyte), with room for the copies made on the way; the
    // documents of real use need a few megabytes at most.
    static constexpr double defaultLimit = 64.0 * 1024 * 1024;

    // Thrown by charge() once the compatibility issue is recorded (track mode).
    class Exceeded : public std::exception {
    public:
        explicit Exceeded(std::string message) : message_(std::move(message)) {}
        const char* what() const noexcept override { return message_.c_str(); }

    private:
        std::string message_;
    };

    explicit SamplingBudget(double limit = defaultLimit) : limit_(limit) {}

    double spent() const { return spent_; }
    // What may still be charged before the limit refuses.
    double remaining() const { return exceeded_ ? 0 : limit_ - spent_; }

    // The deadline of the set-up charging it; a copy shares it.
    void setDeadline(std::shared_ptr<platform::graphics::ProcessorDeadline> deadline) {
        deadline_ = std::move(deadline);
    }

    // Adds `bytes`; past the limit or the deadline reports the issue through
    // `reporter` (which throws in abort mode) and throws Exceeded. A budget
    // once exceeded refuses every later charge too.
    void charge(double bytes, const CompatibilityTrackerProviding& reporter);
    // `count` values of `bytesEach`, compared before they are multiplied out, so
    // that no product overflows into something small.
    void charge(double count, double bytesEach, const CompatibilityTrackerProviding& reporter);

    // The text, for the limit and for the deadline.
    static std::string exceededMessage(double limit);
    static std::string deadlineMessage(const platform::graphics::ProcessorDeadline& deadline);

    // The bytes one value takes: its own size and what it holds (path elements,
    // array elements).
    template <class T>
    static double bytesOf(const T& value) {
        if constexpr (requires { value.elements().size(); }) {
            return static_cast<double>(sizeof(T) + value.elements().size() * sizeof(*value.elements().begin()));
        } else if constexpr (requires { value.path.elements(); }) {
            return static_cast<double>(sizeof(T) - sizeof(value.path)) + bytesOf(value.path);
        } else {
            return static_cast<double>(sizeof(T));
        }
    }
    template <class T>
    static double bytesOf(const std::vector<T>& values) {
        double bytes = sizeof(values);
        for (const T& value : values) bytes += bytesOf(value);
        return bytes;
    }
    static double bytesOf(const platform::compositor::AnimatableValue& value);

    // The bytes one keyframe of the group takes at most beyond a keyframe's own
    // size: the largest value's heap part (an interpolated value is no larger
    // than the larger of its ends).
    template <class T>
    static double largestExtraBytes(const KeyframeGroup<T>& group) {
        double largest = 0;
        for (const Keyframe<T>& keyframe : group.keyframes()) {
            largest = std::max(largest, bytesOf(keyframe.value()) - static_cast<double>(sizeof(T)));
        }
        return largest;
    }

private:
    double limit_;
    double spent_ = 0;
    bool exceeded_ = false;
    std::shared_ptr<platform::graphics::ProcessorDeadline> deadline_;
    // What exceeded it: the deadline rather than the limit.
    bool late_ = false;
};

// Where a combination or a resampling charges what it makes: a budget (none
// charges nothing, as for keyframes built outside a root layer) and who reports
// its overrun. Both contexts of the engine hand one out.
struct SamplingAccount {
    SamplingBudget* budget = nullptr;
    const CompatibilityTrackerProviding* reporter = nullptr;

    void charge(double count, double bytesEach) const {
        if (budget && reporter) budget->charge(count, bytesEach, *reporter);
    }
    // Counts one value made toward the deadline of the thread's work; past
    // it, ends the making as charge() does.
    void checkDeadline() const {
        if (platform::graphics::ProcessorDeadline::checkCurrent(1)) charge(1, 0);
    }
};

}  // namespace lottie
