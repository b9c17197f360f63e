#pragma once
// The mask of a layer matted by the inverse of its matte source: opaque where
// the source is transparent and clear where it is opaque. It redraws from its
// source whenever the source has shown a frame (as the source's delegate).
// Made by the matted composition layer, which owns it as its mask; it holds
// the source strongly, the source holds it weakly.

#include <memory>

#include "Lottie/MainThread/LayerContainers/CompositionLayerDelegate.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

class CompositionLayer;

class InvertedMatteLayer final : public platform::compositor::Layer, public CompositionLayerDelegate {
public:
    explicit InvertedMatteLayer(std::shared_ptr<CompositionLayer> inputMatte);

    const std::shared_ptr<CompositionLayer>& inputMatte() const { return inputMatte_; }

    void frameUpdated() override;
    void draw(platform::graphics::GraphicsContext& context) override;

private:
    std::shared_ptr<CompositionLayer> inputMatte_;
};

}  // namespace lottie
