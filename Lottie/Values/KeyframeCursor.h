#pragma once
// Evaluates the keyframes of one animated property at any frame, with no
// virtual functions and nothing to be shared through: what a view's node
// property keeps in place (every view holds one per property, so a few bytes
// count); KeyframeInterpolator serves it as a provider's storage. Owned by the
// property or interpolator that made it; used from one thread at a time
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
// group keeps the document's order and does not sort them. The keyframes are
// never changed after construction, so an interpolator may share them with the
// immutable model (or with other interpolators) instead of holding a copy: every
// view of one animation then evaluates the same keyframe array.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "Lottie/Values/Interpolatable.h"
#include "Lottie/Values/Keyframe.h"

namespace lottie {

template <Interpolatable T>
class KeyframeCursor {
public:
    using SharedKeyframes = std::shared_ptr<const std::vector<Keyframe<T>>>;
    // Marks the constructor that shares keyframes rather than taking a list.
    struct Sharing {};

    explicit KeyframeCursor(std::vector<Keyframe<T>> keyframes)
        : keyframes_(std::make_shared<const std::vector<Keyframe<T>>>(std::move(keyframes))) {}
    // Evaluates `keyframes` without copying them; a null pointer reads as no keyframes.
    KeyframeCursor(SharedKeyframes keyframes, Sharing)
        : keyframes_(keyframes ? std::move(keyframes) : std::make_shared<const std::vector<Keyframe<T>>>()) {}

    const std::vector<Keyframe<T>>& keyframes() const { return *keyframes_; }
    const SharedKeyframes& sharedKeyframes() const { return keyframes_; }
    std::optional<double> lastUpdatedFrame() const {
        return hasUpdatedFrame_ ? std::optional<double>(lastUpdatedFrame_) : std::nullopt;
    }
    std::optional<std::size_t> leadingIndex() const { return unpack(leadingIndex_); }
    std::optional<std::size_t> trailingIndex() const { return unpack(trailingIndex_); }
    const Keyframe<T>* leadingKeyframe() const { return leadingIndex_ != none ? &keyframes()[leadingIndex_] : nullptr; }
    const Keyframe<T>* trailingKeyframe() const {
        return trailingIndex_ != none ? &keyframes()[trailingIndex_] : nullptr;
    }

    // The value at `frame`. With no keyframes at all there is nothing to
    // evaluate; the value is then T's default rather than a read past the end.
    T value(double frame) {
        locateSpan(frame);
        lastUpdatedFrame_ = frame;
        hasUpdatedFrame_ = true;
        const Keyframe<T>* leading = leadingKeyframe();
        const Keyframe<T>* trailing = trailingKeyframe();
        if (leading && trailing) return leading->interpolate(*trailing, leading->progress(*trailing, frame));
        if (leading) return leading->value();
        if (trailing) return trailing->value();
        if (!keyframes_->empty()) return keyframes_->front().value();
        return T{};
    }

    // Whether a value computed at `frame` could differ from the last one; reads
    // the cached span without searching.
    bool hasUpdate(double frame) const {
        if (!hasUpdatedFrame_) return true;
        const Keyframe<T>* leading = leadingKeyframe();
        const Keyframe<T>* trailing = trailingKeyframe();
        if (leading && trailing) return !(leading->isHold() && leading->time() < frame && frame < trailing->time());
        if (leading) return !(frame > leading->time());
        if (trailing) return !(frame < trailing->time());
        return true;
    }

private:
    // Walks this many spans from the cached one before searching.
    static constexpr int walkLimit = 2;
    // An index that is not there. The span is kept in two 32-bit indices so
    // that every view's interpolators stay small; a property with more
    // keyframes than that does not occur.
    static constexpr std::uint32_t none = std::numeric_limits<std::uint32_t>::max();

    static std::optional<std::size_t> unpack(std::uint32_t index) {
        return index == none ? std::nullopt : std::optional<std::size_t>(index);
    }

    bool spanHolds(double frame) const {
        const std::vector<Keyframe<T>>& keyframes = *keyframes_;
        return !(trailingIndex_ != none && keyframes[trailingIndex_].time() <= frame) &&
               !(leadingIndex_ != none && keyframes[leadingIndex_].time() > frame);
    }

    void locateSpan(double frame) {
        const std::vector<Keyframe<T>>& keyframes = *keyframes_;
        // Keyframes past the last index the span can hold are never reached.
        const std::uint32_t count = static_cast<std::uint32_t>(std::min<std::size_t>(keyframes.size(), none - 1));
        if (count == 0) {
            leadingIndex_ = none;
            trailingIndex_ = none;
            return;
        }
        if (count == 1) {
            leadingIndex_ = 0;
            trailingIndex_ = none;
            return;
        }
        if (leadingIndex_ == none && trailingIndex_ == none) {
            if (keyframes[0].time() > frame) {
                trailingIndex_ = 0;
            } else {
                leadingIndex_ = 0;
                trailingIndex_ = 1;
            }
        }
        for (int step = 0; step < walkLimit; ++step) {
            if (trailingIndex_ != none && keyframes[trailingIndex_].time() <= frame) {
                leadingIndex_ = trailingIndex_;
                trailingIndex_ = trailingIndex_ + 1 < count ? trailingIndex_ + 1 : none;
            } else if (leadingIndex_ != none && keyframes[leadingIndex_].time() > frame) {
                trailingIndex_ = leadingIndex_;
                leadingIndex_ = leadingIndex_ > 0 ? leadingIndex_ - 1 : none;
            } else {
                return;
            }
        }
        if (spanHolds(frame)) return;
        // A jump: the first keyframe later than the frame trails.
        std::uint32_t low = 0;
        std::uint32_t high = count;
        while (low < high) {
            std::uint32_t middle = low + (high - low) / 2;
            if (frame < keyframes[middle].time()) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        leadingIndex_ = low == 0 ? none : low - 1;
        trailingIndex_ = low < count ? low : none;
    }

    SharedKeyframes keyframes_;
    double lastUpdatedFrame_ = 0;
    std::uint32_t leadingIndex_ = none;
    std::uint32_t trailingIndex_ = none;
    bool hasUpdatedFrame_ = false;
};

}  // namespace lottie
