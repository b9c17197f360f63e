#pragma once
// The engine layer of a shape layer of the document: its shape items regrouped
// into group layers, repeater copies and item layers (ShapeGrouping), inside
// the composition layer's contents, so that they take the layer's transform,
// opacity and visibility. Built once by the layer tree builder; held by its
// superlayer; main thread only.

#include <memory>

#include "Lottie/CoreAnimation/BaseCompositionLayer.h"
#include "Lottie/CoreAnimation/LayerContext.h"
#include "Lottie/Model/Layers/ShapeLayerModel.h"

namespace lottie {

class ShapeLayer final : public BaseCompositionLayer {
public:
    explicit ShapeLayer(std::shared_ptr<const ShapeLayerModel> model) : BaseCompositionLayer(std::move(model)) {}

    // Builds the layer with its groups; throws the tracker's error in abort mode.
    static std::shared_ptr<ShapeLayer> make(std::shared_ptr<const ShapeLayerModel> model, const LayerContext& context);
};

}  // namespace lottie
