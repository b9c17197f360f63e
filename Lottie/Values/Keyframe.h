#pragma once
// One keyframe of an animated property: the value reached at a frame, whether
// it holds until the next keyframe, the easing tangents of the timing curves
// that arrive and leave, and the spatial tangents of the motion path (offsets
// from the value). Immutable once made; groups hold keyframes in arrays.
//
// A property that is not animated is one static keyframe: time 0, holding,
// without tangents. The tangents live in a separate immutable block, shared
// by copies and by replacingValue, and absent when a keyframe has none: a
// document holds far more static values than animated ones.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "Lottie/Values/Interpolatable.h"
#include "Lottie/Values/KeyframeEasing.h"
#include "Lottie/Values/KeyframeTangents.h"
#include "Lottie/Values/LottieVector2D.h"
#include "Lottie/Values/LottieVector3D.h"

namespace lottie {

template <class T>
class Keyframe {
public:
    Keyframe(T value, double time, bool isHold, std::optional<LottieVector2D> inTangent,
             std::optional<LottieVector2D> outTangent, std::optional<LottieVector3D> spatialInTangent,
             std::optional<LottieVector3D> spatialOutTangent)
        : value_(std::move(value)), time_(time), isHold_(isHold) {
        if (inTangent || outTangent || spatialInTangent || spatialOutTangent) {
            tangents_ = std::make_shared<const KeyframeTangents>(
                KeyframeTangents{inTangent, outTangent, spatialInTangent, spatialOutTangent});
        }
    }

    // A static value: time 0, holding, no easing tangents.
    explicit Keyframe(T value, std::optional<LottieVector3D> spatialInTangent = std::nullopt,
                      std::optional<LottieVector3D> spatialOutTangent = std::nullopt)
        : Keyframe(std::move(value), 0, true, std::nullopt, std::nullopt, spatialInTangent, spatialOutTangent) {}

    const T& value() const { return value_; }
    double time() const { return time_; }
    bool isHold() const { return isHold_; }
    // The second control point of the timing curve of the span that ends here.
    const std::optional<LottieVector2D>& inTangent() const { return tangents().inTangent; }
    // The first control point of the timing curve of the span that starts here.
    const std::optional<LottieVector2D>& outTangent() const { return tangents().outTangent; }
    const std::optional<LottieVector3D>& spatialInTangent() const { return tangents().spatialInTangent; }
    const std::optional<LottieVector3D>& spatialOutTangent() const { return tangents().spatialOutTangent; }

    // The same time, hold flag and tangents with another value, of any type.
    template <class U>
    Keyframe<U> replacingValue(U value) const {
        return Keyframe<U>(std::move(value), time_, isHold_, tangents_);
    }

    // The eased progress from this keyframe towards `to` at a frame.
    double progress(const Keyframe& to, double frame) const {
        return KeyframeEasing::progress(time_, isHold_, outTangent(), to.time_, to.inTangent(), frame);
    }

    // The value at `progress` from this keyframe to `to`, along the motion
    // path of this keyframe's out and `to`'s in spatial tangent (x and y).
    T interpolate(const Keyframe& to, double progress) const
        requires Interpolatable<T>
    {
        return interpolateWithTangents(value_, to.value_, progress, pointOf(spatialOutTangent()),
                                       pointOf(to.spatialInTangent()));
    }

    bool operator==(const Keyframe& other) const
        requires std::equality_comparable<T>
    {
        return value_ == other.value_ && time_ == other.time_ && isHold_ == other.isHold_ &&
               (tangents_ == other.tangents_ || tangents() == other.tangents());
    }

private:
    template <class>
    friend class Keyframe;

    Keyframe(T value, double time, bool isHold, std::shared_ptr<const KeyframeTangents> tangents)
        : value_(std::move(value)), time_(time), isHold_(isHold), tangents_(std::move(tangents)) {}

    // Most keyframes (every static value) have no tangents; they share no block at all.
    const KeyframeTangents& tangents() const { return tangents_ ? *tangents_ : KeyframeTangents::none(); }

    static std::optional<platform::graphics::Point> pointOf(const std::optional<LottieVector3D>& tangent) {
        if (!tangent) return std::nullopt;
        return tangent->pointValue();
    }

    T value_;
    double time_;
    bool isHold_;
    std::shared_ptr<const KeyframeTangents> tangents_;
};

}  // namespace lottie

template <class T>
struct std::hash<lottie::Keyframe<T>> {
    std::size_t operator()(const lottie::Keyframe<T>& keyframe) const noexcept {
        using platform::graphics::hashCombine;
        using platform::graphics::hashDouble;
        std::size_t seed = std::hash<T>{}(keyframe.value());
        hashCombine(seed, hashDouble(keyframe.time()));
        hashCombine(seed, std::hash<bool>{}(keyframe.isHold()));
        auto combine2D = [&seed](const std::optional<lottie::LottieVector2D>& tangent) {
            hashCombine(seed, tangent ? 1 : 0);
            if (tangent) {
                hashCombine(seed, hashDouble(tangent->x));
                hashCombine(seed, hashDouble(tangent->y));
            }
        };
        auto combine3D = [&seed](const std::optional<lottie::LottieVector3D>& tangent) {
            hashCombine(seed, tangent ? 1 : 0);
            if (tangent) {
                hashCombine(seed, hashDouble(tangent->x));
                hashCombine(seed, hashDouble(tangent->y));
                hashCombine(seed, hashDouble(tangent->z));
            }
        };
        combine2D(keyframe.inTangent());
        combine2D(keyframe.outTangent());
        combine3D(keyframe.spatialInTangent());
        combine3D(keyframe.spatialOutTangent());
        return seed;
    }
};
