#pragma once
// One layer of a shape layer's render tree as the tree sees it: a container (a
// group's, or the shape layer's own) or the render layer of one fill or stroke.
// After each node-graph update the owner of the tree asks its top container to
// flag redraws, which walks down to every visible render layer. Each is a
// compositor layer of its own kind and is owned by its superlayer and the
// container or node that made it. Main thread only.

#include <memory>

#include "Platform/Compositor/Layer.h"

namespace lottie {

class ShapeRenderTarget {
public:
    virtual ~ShapeRenderTarget() = default;

    // The compositor layer that shows this part of the tree.
    virtual std::shared_ptr<platform::compositor::Layer> targetLayer() = 0;
    // Brings what shows to the frame the nodes were updated to.
    virtual void flagRedraws(double frame) = 0;
    // Sets the scale the layers draw at, this one's and those below.
    virtual void applyRenderScale(double scale) = 0;
};

}  // namespace lottie
