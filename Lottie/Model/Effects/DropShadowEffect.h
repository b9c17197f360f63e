#pragma once
// The one effect that is rendered: a drop shadow whose parameters are found
// among the effect's values by name ("Opacity", "Softness", "Shadow Color",
// "Direction", "Distance") and converted to the units both engines expect.
// Owned by its LayerModel; each read builds a new group, the stored values
// never change.

#include "Lottie/Model/Effects/LayerEffect.h"
#include "Lottie/Model/Protocols/DropShadowModel.h"

namespace lottie {

class DropShadowEffect : public LayerEffect, public DropShadowModel {
public:
    explicit DropShadowEffect(const Dictionary& dictionary) : LayerEffect(dictionary) {}
    explicit DropShadowEffect(const platform::json::Decoder& decoder) : LayerEffect(decoder) {}

    // Percent, from the 0 to 255 of the "Opacity" slider.
    KeyframeGroupPtr<LottieVector1D> opacity() const override;
    // A fifth of "Softness".
    KeyframeGroupPtr<LottieVector1D> radius() const override;
    KeyframeGroupPtr<LottieColor> color() const override;
    // Degrees, "Direction" turned back by 90.
    KeyframeGroupPtr<LottieVector1D> angle() const override;
    KeyframeGroupPtr<LottieVector1D> distance() const override;

private:
    // The first value of exactly this class with exactly this name.
    template <class Value>
    const Value* namedValue(std::string_view valueName) const;
};

}  // namespace lottie
