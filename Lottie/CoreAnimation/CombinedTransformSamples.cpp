#include "Lottie/CoreAnimation/CombinedTransformSamples.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "Lottie/CoreAnimation/CombinedTransformAnimation.h"

namespace lottie {

using platform::compositor::AnimatableValue;
using platform::graphics::Transform3D;

namespace {

// A group's keyframes, shared with the group rather than copied.
template <class T>
KeyframeCursor<T> cursorOver(const KeyframeGroupPtr<T>& group) {
    return KeyframeCursor<T>(typename KeyframeCursor<T>::SharedKeyframes(group, &group->keyframes()),
                             typename KeyframeCursor<T>::Sharing{});
}

// How far from a sample's time a frame still reaches it: rounding of the
// times on either side, far below anything a document keys.
double rounding(double frame) { return 1e-9 * std::max(1.0, std::fabs(frame)); }

}  // namespace

std::shared_ptr<const CombinedTransformSamples> CombinedTransformSamples::make(const Components& c,
                                                                                bool splitPosition) {
    std::vector<std::vector<KeyframesCombined::Timing>> timings = {
        KeyframesCombined::timingsOf(*c.anchorPoint), KeyframesCombined::timingsOf(*c.position),
        KeyframesCombined::timingsOf(*c.positionX),   KeyframesCombined::timingsOf(*c.positionY),
        KeyframesCombined::timingsOf(*c.scale),       KeyframesCombined::timingsOf(*c.rotationX),
        KeyframesCombined::timingsOf(*c.rotationY),   KeyframesCombined::timingsOf(*c.rotationZ),
        KeyframesCombined::timingsOf(*c.skew),        KeyframesCombined::timingsOf(*c.skewAxis)};
    if (std::ranges::any_of(timings, [](const auto& group) { return group.empty(); })) return nullptr;
    const auto [first, last] = KeyframesCombined::timeSpan(timings);
    const double earliest = first, latest = last;
    if (!std::isfinite(earliest) || !std::isfinite(latest) || !(earliest < latest)) return nullptr;
    // As many as KeyframesCombined::plan gives.
    const std::size_t grid = KeyframesCombined::sampleCount(earliest, latest);
    if (grid == 0) return nullptr;
    return std::make_shared<const CombinedTransformSamples>(c, splitPosition, std::move(timings), earliest, latest,
                                                            grid);
}

CombinedTransformSamples::CombinedTransformSamples(const Components& c, bool splitPosition,
                                                   std::vector<std::vector<KeyframesCombined::Timing>> timings,
                                                   double earliest, double latest, std::size_t gridCount)
    : splitPosition_(splitPosition),
      earliest_(earliest),
      latest_(latest),
      gridCount_(gridCount),
      timings_(std::move(timings)),
      cursors_(cursorOver(c.anchorPoint), cursorOver(c.position), cursorOver(c.positionX), cursorOver(c.positionY),
               cursorOver(c.scale), cursorOver(c.rotationX), cursorOver(c.rotationY), cursorOver(c.rotationZ),
               cursorOver(c.skew), cursorOver(c.skewAxis)) {}

double CombinedTransformSamples::sampleTime(std::size_t index) const {
    return index < gridCount_ ? KeyframesCombined::sampleTime(earliest_, index) : latest_;
}

Transform3D CombinedTransformSamples::sample(std::size_t index) const {
    const double time = sampleTime(index);
    const std::lock_guard lock(mutex_);
    auto& [anchor, position, x, y, scale, rotationX, rotationY, rotationZ, skew, skewAxis] = cursors_;
    return CombinedTransformAnimation::combinedTransformMatrix(
        {anchor.value(time), position.value(time), x.value(time).value, y.value(time).value, scale.value(time),
         rotationX.value(time).value, rotationY.value(time).value, rotationZ.value(time).value, skew.value(time).value,
         skewAxis.value(time).value},
        splitPosition_);
}

bool CombinedTransformSamples::holds(std::size_t index) const {
    return KeyframesCombined::holdsAt(timings_, sampleTime(index));
}

std::size_t CombinedTransformSamples::indexAt(double frame) const {
    const std::size_t last = count() - 1;
    if (!(frame > earliest_)) return 0;
    const double guess = std::floor((frame - earliest_) / KeyframesCombined::sampleInterval);
    std::size_t index = guess < static_cast<double>(last) ? static_cast<std::size_t>(guess) : last;
    const double reach = frame + rounding(frame);
    while (index < last && sampleTime(index + 1) <= reach) ++index;
    while (index > 0 && sampleTime(index) > reach) --index;
    return index;
}

std::optional<AnimatableValue> CombinedTransformSamples::valueAt(double frame) const {
    const std::size_t index = indexAt(frame);
    const double from = sampleTime(index);
    if (index + 1 == count() || holds(index) || !(frame > from + rounding(frame))) {
        return AnimatableValue(sample(index));
    }
    const double to = sampleTime(index + 1);
    return AnimatableValue::blend(AnimatableValue(sample(index)), AnimatableValue(sample(index + 1)),
                                  (frame - from) / (to - from));
}

double CombinedTransformSamples::bytes() const {
    double bytes = sizeof(*this);
    for (const auto& group : timings_) bytes += static_cast<double>(group.size() * sizeof(KeyframesCombined::Timing));
    return bytes;
}

}  // namespace lottie
