#pragma once
// The gradient layer that draws one gradient of a gradient fill or stroke: it
// reaches 10000 points past the shape's reference rectangle on every side, so
// that the gradient covers whatever the shape's stroke or transform shows, and
// turns points of the reference rectangle into points of its own padded unit
// space (the space of a gradient's start and end points). Made by the shape
// layers; held by its superlayer.

#include "Lottie/CoreAnimation/CustomLayoutLayer.h"
#include "Platform/Compositor/GradientLayer.h"

namespace lottie {

class GradientRenderLayer final : public platform::compositor::GradientLayer, public CustomLayoutLayer {
public:
    static constexpr double gradientPadding = 10000;
    static constexpr const char* emptySizeMessage = "Size must be non-zero before an animation can be played";

    GradientRenderLayer() = default;

    const platform::graphics::Rect& gradientReferenceBounds() const { return gradientReferenceBounds_; }
    // A point of the reference rectangle in the padded unit space; (0, 0), after
    // an assertion failure, while the layer has no size.
    platform::graphics::Point unitPointInPaddedBounds(platform::graphics::Point point) const;

    void layout(const platform::graphics::Rect& parentBounds) override;
    // A plain gradient layer: the compositor draws it from its colours and points.
    std::shared_ptr<platform::compositor::Layer> makePresentationCopy() const override {
        return std::make_shared<platform::compositor::GradientLayer>(*this);
    }

private:
    void updateLayout();

    platform::graphics::Rect gradientReferenceBounds_;
};

}  // namespace lottie
