#pragma once
// An animator node whose output is a renderer (fills and strokes): the node tree
// gives each one a render layer that shows its renderer.

#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/Protocols/Renderable.h"

namespace lottie {

class RenderNode {
public:
    virtual ~RenderNode() = default;
    virtual std::shared_ptr<Renderable> renderer() const = 0;
};

}  // namespace lottie
