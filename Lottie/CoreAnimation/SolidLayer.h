#pragma once
// The engine layer of a solid layer of the document: a rectangle of the
// solid's size at the origin, filled with its colour, inside the composition
// layer's contents (so it takes the layer's transform, opacity and visibility).
// A value provider for the layer's "Color" recolours it. Built once by the layer
// tree builder; held by its superlayer.

#include <memory>

#include "Lottie/CoreAnimation/BaseCompositionLayer.h"
#include "Lottie/Model/Layers/SolidLayerModel.h"
#include "Platform/Compositor/ShapeLayer.h"

namespace lottie {

class SolidLayer final : public BaseCompositionLayer {
public:
    explicit SolidLayer(std::shared_ptr<const SolidLayerModel> model);

    // Builds the layer with its sublayers.
    static std::shared_ptr<SolidLayer> make(std::shared_ptr<const SolidLayerModel> model);

    const std::shared_ptr<platform::compositor::ShapeLayer>& shapeLayer() const { return shapeLayer_; }
    void setupAnimations(const LayerAnimationContext& context) override;

private:
    std::shared_ptr<const SolidLayerModel> solidLayer_;
    std::shared_ptr<platform::compositor::ShapeLayer> shapeLayer_;
};

}  // namespace lottie
