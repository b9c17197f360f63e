#pragma once
// Paints what one layer draws of its own, in its bounds coordinates: its
// background colour, its contents image placed by gravity and scale, and the shape
// or gradient of shape and gradient layers. Used by Renderer; stateless.

#include "Platform/Graphics/AffineTransform.h"
#include "Platform/Graphics/FillRule.h"
#include "Platform/Graphics/Path.h"

namespace platform::graphics {
class GraphicsContext;
}  // namespace platform::graphics

namespace platform::compositor {

class Layer;
class ShapeLayer;
class GradientLayer;

class LayerPainter {
public:
    LayerPainter() = delete;

    static void paintBackground(const Layer& layer, graphics::GraphicsContext& context);
    static void paintContents(const Layer& layer, graphics::GraphicsContext& context);
    // Fill, then stroke trimmed to strokeStart...strokeEnd.
    static void paintShape(const ShapeLayer& layer, graphics::GraphicsContext& context);
    // Sets the context's line style to the shape's and makes the path its
    // stroke runs along (trimmed) the current path; false, with nothing set,
    // when the shape strokes nothing.
    static bool beginStroke(const ShapeLayer& layer, graphics::GraphicsContext& context);
    // Axial or radial, extended past its ends, clipped to the bounds.
    static void paintGradient(const GradientLayer& layer, graphics::GraphicsContext& context);
    // The gradient as paintGradient paints it, through `path` (in the bounds'
    // coordinates) filled with `rule`: what painting it under a clip to the
    // path shows, in one fill, without a clip to rasterise first.
    static void fillWithGradient(const GradientLayer& layer, const graphics::Path& path, graphics::FillRule rule,
                                 graphics::GraphicsContext& context);

    // The gradient as paintGradient paints it, through the stroke of `shape`
    // (its line style, trimmed) along its path placed into the bounds'
    // coordinates by `shapeToBounds`: what painting it under a clip to that
    // stroke shows, in one fill, without a pixel mask to stroke into first.
    // Only where the pen keeps its shape on the way: `shapeToBounds` a turn,
    // a uniform scale and a move, and the gradient axial or of equal radii;
    // false, with nothing drawn, for any other.
    static bool strokeWithGradient(const GradientLayer& layer, const ShapeLayer& shape,
                                   const graphics::AffineTransform& shapeToBounds, graphics::GraphicsContext& context);

private:
    // The stroke `strokeWithGradient` paints through: the shape's line style,
    // its lengths scaled from the shape's coordinates into the current ones.
    struct Pen {
        const ShapeLayer& shape;
        double scale;
    };
    // Either, by whether a path is given; the path's stroke with a pen.
    static void drawGradient(const GradientLayer& layer, const graphics::Path* path, graphics::FillRule rule,
                             graphics::GraphicsContext& context, const Pen* pen = nullptr);
    // Sets the pen's line style and makes the current path stand for its stroke.
    static void applyPen(const Pen& pen, graphics::GraphicsContext& context);
    // The path the shape's stroke runs along (trimmed); empty when it strokes nothing.
    static graphics::Path strokedPath(const ShapeLayer& layer);
    // Sets the context's line style to the shape's, its lengths times `scale`.
    static void setLineStyle(const ShapeLayer& layer, double scale, graphics::GraphicsContext& context);
};

}  // namespace platform::compositor
