#pragma once
// An opaque layer that reaches 10000 points past its bounds on every side, in
// its background colour: an inverted track matte is drawn into one with "xor",
// so that the matte is opaque everywhere its layer is not. A layer of no width
// or height still covers that margin. Made by the layer tree builder for each
// inverted matte; held by the matte's container.

#include <memory>

#include "Lottie/CoreAnimation/BaseAnimationLayer.h"

namespace lottie {

class InfiniteOpaqueAnimationLayer final : public BaseAnimationLayer {
public:
    static constexpr double padding = 10000;

    InfiniteOpaqueAnimationLayer();

    // Builds the layer with its padding layer as its first sublayer.
    static std::shared_ptr<InfiniteOpaqueAnimationLayer> make();

    const std::shared_ptr<platform::compositor::Layer>& additionalPaddingLayer() const { return paddingLayer_; }
    void layoutSublayers() override;

private:
    std::shared_ptr<platform::compositor::Layer> paddingLayer_;
};

}  // namespace lottie
