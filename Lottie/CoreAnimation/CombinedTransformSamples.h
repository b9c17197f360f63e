#pragma once
// The combined transform of a moving layer as the matrices sampled each tenth
// of a frame over its components' keyframes (the grid KeyframesCombined
// samples on: from the earliest keyframe time up to before the latest, then
// the latest), each worked out from the components' own keyframes when the
// compositor asks for a value rather than made beforehand: a layer that flips
// over a long animation costs its keyframes, not ten matrices a frame.
//
// What it shows is what the sampled keyframes show (KeyframesCombined::
// blendedSamples): between two samples the matrix blends from one to the
// next, as the compositor blends matrices, except from a sample at which some
// component holds its value, which then holds up to the next; before the
// first sample the first shows, from the last on the last. A frame within
// rounding of a sample's time counts as reaching it, so that a sample falling
// on a frame shows there exactly.
//
// Made by CombinedTransformAnimation, once a display pass for all the copies
// of a transform (PassResults), and played by ComputedAnimation; holds the
// component groups, which are immutable. Thread-safe.

#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <tuple>
#include <vector>

#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/Values/KeyframeCursor.h"
#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Values/KeyframeGroup.h"
#include "Platform/Compositor/ComputedAnimation.h"
#include "Platform/Graphics/Transform3D.h"

namespace lottie {

class CombinedTransformSamples final : public platform::compositor::ComputedAnimation::Source {
public:
    // The ten components, in the order they combine; none absent.
    struct Components {
        KeyframeGroupPtr<LottieVector3D> anchorPoint;
        KeyframeGroupPtr<LottieVector3D> position;
        KeyframeGroupPtr<LottieVector1D> positionX;
        KeyframeGroupPtr<LottieVector1D> positionY;
        KeyframeGroupPtr<LottieVector3D> scale;
        KeyframeGroupPtr<LottieVector1D> rotationX;
        KeyframeGroupPtr<LottieVector1D> rotationY;
        KeyframeGroupPtr<LottieVector1D> rotationZ;
        KeyframeGroupPtr<LottieVector1D> skew;
        KeyframeGroupPtr<LottieVector1D> skewAxis;
    };

    // Null where the grid has fewer than two samples or no finite span (a
    // component without keyframes, keyframes all at one time or at no
    // finite time): those are left to the sampled keyframes.
    static std::shared_ptr<const CombinedTransformSamples> make(const Components& components, bool splitPosition);

    // `timings`: the components' keyframe timings, in their order; `gridCount`
    // samples before the latest time.
    CombinedTransformSamples(const Components& components, bool splitPosition,
                             std::vector<std::vector<KeyframesCombined::Timing>> timings, double earliest,
                             double latest, std::size_t gridCount);

    std::size_t count() const { return gridCount_ + 1; }
    double sampleTime(std::size_t index) const;
    platform::graphics::Transform3D sample(std::size_t index) const;
    // Whether some component holds its value from the sample on.
    bool holds(std::size_t index) const;
    // The matrix shown at a frame of the layer's own timeline.
    std::optional<platform::compositor::AnimatableValue> valueAt(double frame) const override;
    // What it holds, for the sampling budget.
    double bytes() const;

private:
    // The sample at or before `frame` (within rounding); the first before it.
    std::size_t indexAt(double frame) const;

    bool splitPosition_;
    double earliest_;
    double latest_;
    // The samples before the latest time.
    std::size_t gridCount_;
    std::vector<std::vector<KeyframesCombined::Timing>> timings_;
    // Each keeps the span it last evaluated, which neighbouring samples
    // reuse; guarded by the mutex.
    mutable std::mutex mutex_;
    mutable std::tuple<KeyframeCursor<LottieVector3D>, KeyframeCursor<LottieVector3D>, KeyframeCursor<LottieVector1D>,
                       KeyframeCursor<LottieVector1D>, KeyframeCursor<LottieVector3D>, KeyframeCursor<LottieVector1D>,
                       KeyframeCursor<LottieVector1D>, KeyframeCursor<LottieVector1D>, KeyframeCursor<LottieVector1D>,
                       KeyframeCursor<LottieVector1D>>
        cursors_;
};

}  // namespace lottie
