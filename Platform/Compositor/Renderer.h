#pragma once
// Draws a layer tree as it is presented at a moment, into a graphics context. Both
// rendering engines show their frames only through it.
//
// The root is placed in the context's current user space as a sublayer would be in
// its superlayer's. Per layer, in its parent's space: translate to its position,
// apply its transform about the anchor point (a 3-D transform flattened by
// dropping z), then draw, clipped to its bounds when masksToBounds: its shadow,
// background colour, contents, the drawing of a layer that draws in the render
// pass (Layer::drawsInRenderPass), its own shape or gradient, then its
// sublayers in order (under its sublayer transform). Hidden layers and layers of opacity 0 are
// skipped. A layer with opacity below 1, a mask or a compositing filter is drawn
// as one group and composited with its opacity, its mask's alpha (masks nest) and
// its blend mode or xor; contents that are one drawing (SingleDrawing) of a
// layer whose only effect is its opacity, with no other opacity below it, are
// drawn with the opacity as their alpha instead, rounded as the group would
// round it, which gives the same pixels without the group; so are those of a
// whole layer under a mask, opacities below it included (through a pixel mask
// only while they animate, so that static ones keep their picture). A
// sublayer masked by one opaque filled path does not end one drawing: the
// path only clips it (a gradient fill drawn through its shape). A shadow blurs
// the layer's composited alpha with a Gaussian of standard deviation radius / 2,
// offset in the layer's own space.
// A mask that is one opaque filled path (SingleDrawing) clips by that path,
// and so does one whose path is cut by further opaque paths (the masks of
// layers of its chain, as masks that subtract or intersect are built): it
// clips by them all. A layer whose contents under such a mask are one
// gradient fills the path with the gradient instead (a gradient fill of a
// shape, as the Core Animation engine builds one). Other masks are drawn into
// buffers of coverage alone, which become the clip's pixel mask as they are;
// those and shadows are no larger than the part of the context that can show
// them; groups use the context's transparency layers, which are clipped the
// same way. A wide blur works on its source
// scaled down (GaussianBlur::reduction), so that its cost does not grow with
// its radius; such a source, and that of a shadow offset further than the
// view, is drawn apart from the layer itself, and a wide shadow nested inside
// it is left out of it. Mask buffers, groups and the sources of shadows are
// further cut to the box of what they hold, where LayerExtent finds it cheaply
// (a masked sublayer counting only where its mask reaches), and so is what a
// layer lays down through a pixel mask.
//
// Each frame works within a RenderBudget: layers nested deeper than its depth
// are left out (so a deep tree cannot exhaust the stack), and once the frame's
// intermediate surfaces are spent, further masked layers are left out and
// further groups are drawn drawing by drawing, with the layer's opacity, blend
// mode and mask applied to each. What a limit cuts is reported once per frame
// to the layers being drawn (Layer::reportRenderLimit).
//
// Contents that came out the same on the last frames are laid down from the
// picture kept of them (ContentCache) instead of being drawn again.
//
// Rendering also does the work a frame would: layers that need display are
// displayed first, and every layer drawn counts as presented (Layer::presentation).
// Main thread only; stateless.

#include <memory>
#include <optional>

#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/PixelRect.h"
#include "Platform/Compositor/SingleDrawing.h"
#include "Platform/Graphics/Rect.h"
#include "Platform/Graphics/Size.h"

namespace platform::graphics {
class GraphicsContext;
class Image;
}  // namespace platform::graphics

namespace platform::compositor {

class Renderer {
public:
    Renderer() = delete;

    static void render(const std::shared_ptr<Layer>& root, double mediaTime, graphics::GraphicsContext& context);
    // A new transparent image of `width` x `height` pixels with the tree drawn at
    // `scale` pixels per point; none for a size that cannot be made. Given a
    // backdrop of that size, the image starts as a copy of it and the tree is
    // composed with it, as when drawn straight over those pixels.
    static std::shared_ptr<const graphics::Image> renderImage(const std::shared_ptr<Layer>& root, double mediaTime,
                                                              int width, int height, double scale = 1,
                                                              const graphics::Image* backdrop = nullptr);

private:
    static void drawLayer(Layer& layer, double mediaTime, graphics::GraphicsContext& context);
    static void drawContent(Layer& model, const Layer& presented, double mediaTime,
                            graphics::GraphicsContext& context);
    // The same, from the picture kept of an earlier frame where the contents
    // did not change (ContentCache).
    static void drawKeptContent(Layer& model, const Layer& presented, double mediaTime,
                                graphics::GraphicsContext& context);
    // The drawing of a layer that draws in the render pass (Layer::drawsInRenderPass).
    static void drawInRenderPass(Layer& model, graphics::GraphicsContext& context);
    // How a mask was applied: nothing can show, the clip is the mask's one
    // filled path (clipToMaskPath), or a pixel mask: the mask's alpha drawn
    // into a buffer, or its one stroke (clipToMaskStroke).
    enum class MaskClip { nothingShows, path, buffer };
    // The box in device space that a masked layer's contents reach
    // (LayerExtent), asked for at most once, and only when a pixel mask
    // needs it; none when the walk gives up.
    class MaskedContents {
    public:
        MaskedContents(const Layer& model, const Layer& presented, double mediaTime)
            : model_(model), presented_(presented), mediaTime_(mediaTime) {}
        const std::optional<graphics::Rect>& box(const graphics::GraphicsContext& context);

    private:
        const Layer& model_;
        const Layer& presented_;
        double mediaTime_;
        bool asked_ = false;
        std::optional<graphics::Rect> box_;
    };
    // Clips the context to the mask's alpha. A pixel mask is made only where
    // `contents` (when given) can draw: an inverted mask or a matte can span
    // the whole view over contents far smaller.
    static MaskClip clipToMask(Layer& mask, double mediaTime, graphics::GraphicsContext& context,
                               MaskedContents* contents);
    // Under a pixel mask, which can be far larger than what the layer draws (an
    // inverted mask spans the whole view), clips to the whole device pixels
    // the contents reach, so that laying them down through the mask costs no
    // more than they cover (not for a layer with a shadow, which falls
    // outside them). False when they reach none.
    static bool clipToContents(MaskedContents& contents, graphics::GraphicsContext& context);
    // A layer whose contents are one gradient, masked by one opaque filled
    // path (a gradient fill of a shape): fills the path with the gradient at
    // once instead of clipping to the path and painting the gradient under the
    // clip, which costs a pixel mask of the clip. Masked by one opaque stroke
    // (a gradient stroke), fills the stroke with it, instead of stroking into
    // a pixel mask first, where the pen keeps its shape from the stroke's
    // coordinates to the gradient's (LayerPainter::strokeWithGradient). True
    // when drawn so (or nothing shows); false, with nothing done, for other
    // layers and under an alpha below 1.
    static bool fillWithGradientThroughMask(Layer& model, const Layer& presented, double mediaTime,
                                            graphics::GraphicsContext& context);
    // The one drawing of a mask that is one opaque fill or stroke, its layers
    // counted as drawn; none for a mask of any other kind. `presented` is the
    // mask as it shows at `mediaTime`, displayed already. Through layers
    // masked by a path when `throughMasks` (SingleDrawing::opaqueShape).
    static std::optional<SingleDrawing> opaqueShapeOf(Layer& mask, const Layer& presented, double mediaTime,
                                                      bool throughMasks);
    // From the coordinates of a mask's one drawing to the current space, given
    // the way from the mask's own coordinates there; none where the shape
    // collapses to a line at most and lets nothing through.
    static std::optional<graphics::AffineTransform> maskShapeToContext(const SingleDrawing& drawing,
                                                                       const graphics::AffineTransform& firstToContext,
                                                                       const graphics::GraphicsContext& context);
    // A mask that is one opaque filled path lets through what the path covers:
    // clips the context to the path itself, and to each path that cuts a
    // layer of the mask's chain (SingleDrawing::clips). Whether anything can show.
    static bool clipToMaskPath(const SingleDrawing& drawing, const Layer& presented, double mediaTime,
                               graphics::GraphicsContext& context);
    // Clips the context to the path of a drawing that is one opaque fill,
    // placed by the way from the coordinates its search began in to the
    // current space. Whether anything can show.
    static bool clipToShapePath(const SingleDrawing& drawing, const graphics::AffineTransform& firstToContext,
                                graphics::GraphicsContext& context);
    // A mask that is one opaque stroke lets through what the stroke covers:
    // clips the context, within `area` (device pixels), to the stroke, drawn
    // straight into the context's pixel mask. Whether anything can show.
    static bool clipToMaskStroke(const SingleDrawing& drawing, const Layer& presented, const PixelRect& area,
                                 graphics::GraphicsContext& context);
    static bool drawWithShadow(Layer& model, const Layer& presented, double mediaTime,
                               graphics::GraphicsContext& context);
    // Where a shadow falls, in device pixels: the visible area, its offset and its blur radius.
    struct ShadowGeometry {
        graphics::Rect visible;
        graphics::Size offset;
        double radius = 0;
    };
    // A shadow blurred at reduced resolution or offset far: its source is drawn
    // apart, scaled down, and the layer itself straight into the context.
    static bool drawWithWideShadow(Layer& model, const Layer& presented, double mediaTime,
                                   graphics::GraphicsContext& context, const ShadowGeometry& geometry);
};

inline void render(const std::shared_ptr<Layer>& root, double mediaTime, graphics::GraphicsContext& context) {
    Renderer::render(root, mediaTime, context);
}

}  // namespace platform::compositor
