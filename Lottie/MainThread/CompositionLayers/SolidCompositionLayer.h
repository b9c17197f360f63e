#pragma once
// A solid layer: one rectangle of the layer's size filled with its colour. The
// colour is a node property, so a value provider can change it by keypath
// ("Color"). Owned like any composition layer.

#include <memory>

#include "Lottie/MainThread/CompositionLayers/CompositionLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/Model/Layers/SolidLayerModel.h"
#include "Lottie/Values/LottieColor.h"
#include "Platform/Compositor/ShapeLayer.h"

namespace lottie {

class SolidCompositionLayer final : public CompositionLayer {
public:
    explicit SolidCompositionLayer(const SolidLayerModel& solid);

    const std::shared_ptr<NodeProperty<LottieColor>>& colorProperty() const { return colorProperty_; }
    const std::shared_ptr<platform::compositor::ShapeLayer>& solidShape() const { return solidShape_; }

    void showContentsAtFrame(double frame, bool forceUpdates) override;
    Properties keypathProperties() const override { return {{"Color", colorProperty_}}; }

private:
    std::shared_ptr<NodeProperty<LottieColor>> colorProperty_;
    std::shared_ptr<platform::compositor::ShapeLayer> solidShape_;
};

}  // namespace lottie
