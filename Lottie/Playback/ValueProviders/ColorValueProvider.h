#pragma once
// Supplies a colour: a fixed one, one computed from the frame by a closure, or
// colour keyframes. Made by a caller and shared with the animation layer that it is
// installed on; main thread only. Two colour providers are equal when made from the
// same colour or the same keyframes; one made from a closure equals only itself.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "Lottie/Playback/AnyHashable.h"
#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"
#include "Lottie/Values/Keyframe.h"
#include "Lottie/Values/LottieColor.h"

namespace lottie {

class ColorValueProvider final : public ValueProvider<LottieColor> {
public:
    using Block = std::function<LottieColor(AnimationFrameTime)>;

    explicit ColorValueProvider(LottieColor color);
    // Throws std::invalid_argument for an empty closure.
    explicit ColorValueProvider(Block block);
    explicit ColorValueProvider(std::vector<Keyframe<LottieColor>> keyframes);

    const LottieColor& color() const { return color_; }
    // Marks an update; the identity stays what it was made from.
    void setColor(LottieColor color);

    bool hasUpdate(AnimationFrameTime frame) const override;
    // A fixed colour, once taken, reports no update until it is set again; keyframes
    // keep reporting updates.
    ValueProviderStorage<LottieColor> storage() override;

    const AnyHashable& identity() const { return identity_; }
    bool operator==(const ColorValueProvider& other) const { return identity_ == other.identity_; }

private:
    LottieColor color_;
    bool hasUpdate_ = true;
    Block block_;
    std::optional<std::vector<Keyframe<LottieColor>>> keyframes_;
    AnyHashable identity_;
};

}  // namespace lottie
