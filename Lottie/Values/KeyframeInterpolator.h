#pragma once
// Evaluates the keyframes of one animated property at any frame. Owned by the
// property or value provider that asked for it; used from one thread at a time
// (evaluating updates its cached span).
//
// The cached span is the pair of keyframes around the last frame asked for:
//
//   keyframes:  k0 ------- k1 ------------- k2 ------- k3
//   frame:                      ^
//   span:             leading = k1     trailing = k2
//
// leading.time <= frame < trailing.time; among keyframes of equal time the
// last one leads. Before k0 there is only a trailing keyframe (k0), at or
// after k3 only a leading one (k3). Playing forwards or backwards moves the
// span by a step or two from where it was; a jump further than that is found
// by binary search. Nothing is allocated to find a span.
//
// Keyframes are expected in ascending time, as every consumer assumes; the
// group keeps the document's order and does not sort them.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <typeindex>
#include <utility>
#include <vector>

#include "Lottie/Values/AnyKeyframeInterpolator.h"
#include "Lottie/Values/Interpolatable.h"
#include "Lottie/Values/Keyframe.h"

namespace lottie {

template <Interpolatable T>
class KeyframeInterpolator : public AnyKeyframeInterpolator,
                             public std::enable_shared_from_this<KeyframeInterpolator<T>> {
public:
    explicit KeyframeInterpolator(std::vector<Keyframe<T>> keyframes) : keyframes_(std::move(keyframes)) {}

    const std::vector<Keyframe<T>>& keyframes() const { return keyframes_; }
    const std::optional<double>& lastUpdatedFrame() const { return lastUpdatedFrame_; }
    const std::optional<std::size_t>& leadingIndex() const { return leadingIndex_; }
    const std::optional<std::size_t>& trailingIndex() const { return trailingIndex_; }
    const Keyframe<T>* leadingKeyframe() const { return leadingIndex_ ? &keyframes_[*leadingIndex_] : nullptr; }
    const Keyframe<T>* trailingKeyframe() const { return trailingIndex_ ? &keyframes_[*trailingIndex_] : nullptr; }

    // The value at `frame`. With no keyframes at all there is nothing to
    // evaluate; the value is then T's default rather than a read past the end.
    T value(double frame) {
        locateSpan(frame);
        lastUpdatedFrame_ = frame;
        const Keyframe<T>* leading = leadingKeyframe();
        const Keyframe<T>* trailing = trailingKeyframe();
        if (leading && trailing) return leading->interpolate(*trailing, leading->progress(*trailing, frame));
        if (leading) return leading->value();
        if (trailing) return trailing->value();
        if (!keyframes_.empty()) return keyframes_.front().value();
        return T{};
    }

    // Whether a value computed at `frame` could differ from the last one; reads
    // the cached span without searching.
    bool hasUpdate(double frame) const override {
        if (!lastUpdatedFrame_) return true;
        const Keyframe<T>* leading = leadingKeyframe();
        const Keyframe<T>* trailing = trailingKeyframe();
        if (leading && trailing) return !(leading->isHold() && leading->time() < frame && frame < trailing->time());
        if (leading) return !(frame > leading->time());
        if (trailing) return !(frame < trailing->time());
        return true;
    }

    // The value provider's storage: a closure that evaluates this interpolator
    // (held strongly) at the frame it is given.
    std::function<T(double)> storage() {
        std::shared_ptr<KeyframeInterpolator> self = this->weak_from_this().lock();
        // Not held by a shared pointer: the closure gets an interpolator of its own.
        if (!self) self = std::make_shared<KeyframeInterpolator>(keyframes_);
        return [self](double frame) { return self->value(frame); };
    }

    std::type_index valueType() const override { return typeid(T); }
    std::any anyValue(double frame) override { return value(frame); }

private:
    // Walks this many spans from the cached one before searching.
    static constexpr int walkLimit = 2;

    bool spanHolds(double frame) const {
        return !(trailingIndex_ && keyframes_[*trailingIndex_].time() <= frame) &&
               !(leadingIndex_ && keyframes_[*leadingIndex_].time() > frame);
    }

    void locateSpan(double frame) {
        const std::size_t count = keyframes_.size();
        if (count == 0) {
            leadingIndex_.reset();
            trailingIndex_.reset();
            return;
        }
        if (count == 1) {
            leadingIndex_ = 0;
            trailingIndex_.reset();
            return;
        }
        if (!leadingIndex_ && !trailingIndex_) {
            if (keyframes_[0].time() > frame) {
                trailingIndex_ = 0;
            } else {
                leadingIndex_ = 0;
                trailingIndex_ = 1;
            }
        }
        for (int step = 0; step < walkLimit; ++step) {
            if (trailingIndex_ && keyframes_[*trailingIndex_].time() <= frame) {
                leadingIndex_ = trailingIndex_;
                if (*trailingIndex_ + 1 < count) {
                    trailingIndex_ = *trailingIndex_ + 1;
                } else {
                    trailingIndex_.reset();
                }
            } else if (leadingIndex_ && keyframes_[*leadingIndex_].time() > frame) {
                trailingIndex_ = leadingIndex_;
                if (*leadingIndex_ > 0) {
                    leadingIndex_ = *leadingIndex_ - 1;
                } else {
                    leadingIndex_.reset();
                }
            } else {
                return;
            }
        }
        if (spanHolds(frame)) return;
        // A jump: the first keyframe later than the frame trails.
        std::size_t low = 0;
        std::size_t high = count;
        while (low < high) {
            std::size_t middle = low + (high - low) / 2;
            if (frame < keyframes_[middle].time()) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        leadingIndex_ = low == 0 ? std::nullopt : std::optional<std::size_t>(low - 1);
        trailingIndex_ = low < count ? std::optional<std::size_t>(low) : std::nullopt;
    }

    std::vector<Keyframe<T>> keyframes_;
    std::optional<double> lastUpdatedFrame_;
    std::optional<std::size_t> leadingIndex_;
    std::optional<std::size_t> trailingIndex_;
};

}  // namespace lottie
