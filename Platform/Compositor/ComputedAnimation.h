#pragma once
// An animation of one property whose value a source works out each time the
// animation is asked for it, instead of a list of values made beforehand: a
// property that would need many values a frame (a matrix sampled each tenth
// of a frame) costs its source's few keyframes, however long it plays. The
// source answers in a time of its own (a document's frames), which the
// animation reaches from the eased fraction of its simple duration through
// `time = origin + fraction x scale`.
//
// The source is immutable for its callers and shared, not copied, by copies
// of the animation; it answers any thread at any time. Made by the engine
// that owns the source; played by the compositor like any property animation.

#include <memory>
#include <optional>

#include "Platform/Compositor/PropertyAnimation.h"

namespace platform::compositor {

class ComputedAnimation : public PropertyAnimation {
public:
    class Source {
    public:
        virtual ~Source() = default;
        // The value at `time`; none leaves the property alone.
        virtual std::optional<AnimatableValue> valueAt(double time) const = 0;
    };

    // At a fraction of the animation the source is asked for its value at
    // `origin` + fraction x `scale`.
    ComputedAnimation(std::string keyPath, std::shared_ptr<const Source> source, double origin, double scale)
        : PropertyAnimation(std::move(keyPath)), source_(std::move(source)), origin_(origin), scale_(scale) {}
    ComputedAnimation(const ComputedAnimation&) = default;

    static std::shared_ptr<ComputedAnimation> make(std::string keyPath, std::shared_ptr<const Source> source,
                                                   double origin, double scale) {
        return std::make_shared<ComputedAnimation>(std::move(keyPath), std::move(source), origin, scale);
    }

    std::shared_ptr<Animation> clone() const override { return std::make_shared<ComputedAnimation>(*this); }

    // The same source, reached the same way.
    bool sameAs(const Animation& other) const override;
    std::size_t contentHash() const override;

protected:
    std::optional<AnimatableValue> valueAt(double fraction,
                                           const std::optional<AnimatableValue>& current) const override;
    bool readsPresentedValue() const override { return false; }

private:
    std::shared_ptr<const Source> source_;
    double origin_;
    double scale_;
};

}  // namespace platform::compositor
