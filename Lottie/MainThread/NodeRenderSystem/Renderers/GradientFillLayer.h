#pragma once
// The layer that shows a gradient fill: it draws the gradient's current state
// (GradientDrawing) into its own contents whenever asked to redraw, in the
// coordinate space of the shape layer it sits in, and is masked there by the
// fill's path. Made and updated by its GradientFillRenderer; owned by the shape
// layer it is a sublayer of and by that renderer. Main thread only.

#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientDrawing.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

class GradientFillLayer final : public platform::compositor::Layer {
public:
    GradientFillLayer() = default;
    // A presentation copy: the layer's properties with no gradient, whatever it copies.
    explicit GradientFillLayer(const platform::compositor::Layer& layer) : Layer(layer) {}

    const GradientDrawing& gradient() const { return gradient_; }
    // Takes effect at the next redraw, which the caller requests.
    void setGradient(GradientDrawing gradient) { gradient_ = std::move(gradient); }

    void draw(platform::graphics::GraphicsContext& context) override { gradient_.draw(context); }
    std::shared_ptr<platform::compositor::Layer> makePresentationCopy() const override {
        return std::make_shared<GradientFillLayer>(static_cast<const platform::compositor::Layer&>(*this));
    }

private:
    GradientDrawing gradient_;
};

}  // namespace lottie
