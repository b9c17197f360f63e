#pragma once
// A node output that knows how to show itself: either by styling the shape layer
// of its render layer (fill colour, stroke, dashes) or by drawing its path into
// that render layer's graphics context. Every renderer is one; the render layer
// that shows it holds it, shared with the node that computes it.

#include "Lottie/MainThread/NodeRenderSystem/Protocols/NodeOutput.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Rect.h"

namespace lottie {

class Renderable : public virtual NodeOutput {
public:
    // True: render() draws into a context; false: applyToShapeLayer() styles a layer.
    virtual bool shouldRenderInContext() const = 0;
    // Whether something changed that has not yet been applied.
    virtual bool renderChanged(double frame) = 0;
    virtual void applyToShapeLayer(platform::compositor::ShapeLayer&) {}
    // The rectangle the drawing of a path with these bounds needs.
    virtual platform::graphics::Rect drawingBounds(const platform::graphics::Rect& bounds) const { return bounds; }
    // Adds the sublayers the renderer draws through once; only renderers that
    // hand their path to a shape layer (not those that draw themselves) have one.
    virtual void installSublayers(platform::compositor::ShapeLayer&) {}
    // Draws the context's current path.
    virtual void render(platform::graphics::GraphicsContext&) {}
};

}  // namespace lottie
