#pragma once
// One mask of a composition layer: a shape layer filling the mask's path (or,
// for the modes that cut, the path as a hole in a plane far larger than any
// layer). Only its alpha counts. The mask's opacity scales how much of its shape
// the mask brings in or takes away: an adding mask is drawn at its opacity; a
// subtracting mask draws its shape at full strength over a plane at one minus
// its opacity, so that at opacity 0 it keeps everything. Made and owned by the
// layer's MaskContainerLayer; updated every frame the layer is visible.

#include <memory>

#include "Lottie/MainThread/LayerContainers/MaskNodeProperties.h"
#include "Platform/Compositor/ShapeLayer.h"

namespace lottie {

class MaskLayer final : public platform::compositor::Layer {
public:
    // Made through make(), which installs the shape layer.
    static std::shared_ptr<MaskLayer> make(const Mask& mask);
    explicit MaskLayer(const Mask& mask);

    const std::shared_ptr<MaskNodeProperties>& properties() const { return properties_; }
    const std::shared_ptr<platform::compositor::ShapeLayer>& maskLayer() const { return maskLayer_; }

    // Opacity and path at the frame, each only when it changed (or when forced).
    void updateWithFrame(double frame, bool forceUpdates);

    // Whether the mode draws the shape as a hole rather than as an area.
    static bool drawsInverted(MaskMode mode, bool inverted);

private:
    std::shared_ptr<MaskNodeProperties> properties_;
    std::shared_ptr<platform::compositor::ShapeLayer> maskLayer_;
    // The plane a subtracting mask keeps where its opacity spares its shape; none
    // for the other modes.
    std::shared_ptr<platform::compositor::ShapeLayer> remainderLayer_;
};

}  // namespace lottie
