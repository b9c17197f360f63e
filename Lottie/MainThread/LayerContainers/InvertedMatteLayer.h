#pragma once
// The mask of a layer matted by the inverse of its matte source: opaque where
// the source is transparent and clear where it is opaque. It is a tree the
// compositor draws with every frame, only where the matted layer can show: an
// opaque black background over its bounds, and above it the source, inside a
// layer that erases by its alpha (destination-out). Nothing is drawn ahead of
// the render, so a frame costs one drawing of the source within the visible
// box, however often the source shows a frame in between.
//
// Made by the matted composition layer, which owns it as its mask; it holds
// the source as a sublayer (the source is in no other part of the tree).

#include <memory>

#include "Platform/Compositor/Layer.h"

namespace lottie {

class CompositionLayer;

class InvertedMatteLayer final : public platform::compositor::Layer {
public:
    // Made through make(), which installs the source.
    static std::shared_ptr<InvertedMatteLayer> make(std::shared_ptr<CompositionLayer> inputMatte);
    explicit InvertedMatteLayer(std::shared_ptr<CompositionLayer> inputMatte);

    const std::shared_ptr<CompositionLayer>& inputMatte() const { return inputMatte_; }

private:
    std::shared_ptr<CompositionLayer> inputMatte_;
    // Holds the source and erases by it.
    std::shared_ptr<platform::compositor::Layer> eraser_;
};

}  // namespace lottie
