#pragma once
// Where a layer sits in its superlayer's coordinates, worked out from its own
// properties (so it serves presentation copies, which have no superlayer): the
// point at the anchor of the bounds goes to `position`, the transform turns about
// it, and a 3-D transform is flattened by dropping z (orthographic, no
// perspective). A superlayer's sublayer transform turns its sublayers about its
// own anchor point. A mask sits in its owner's coordinates like a sublayer,
// without the sublayer transform. Used by Layer's conversions and by the renderer.

#include "Platform/Graphics/AffineTransform.h"
#include "Platform/Graphics/Point.h"

namespace platform::compositor {

class Layer;

class LayerGeometry {
public:
    LayerGeometry() = delete;

    // From the layer's bounds coordinates to its parent's, before the parent's
    // sublayer transform.
    static graphics::AffineTransform layerToParent(const Layer& layer);
    // The parent's sublayer transform about its anchor point (identity when it has none).
    static graphics::AffineTransform sublayerTransform(const Layer& parent);
    // The anchor point in the layer's bounds coordinates.
    static graphics::Point anchorInBounds(const Layer& layer);
    // From the layer's coordinates to those of the root of its tree (following
    // superlayers and mask owners).
    static graphics::AffineTransform layerToRoot(const Layer& layer);
};

}  // namespace platform::compositor
