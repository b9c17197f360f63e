#include "Platform/Compositor/Renderer.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "Platform/Compositor/ContentCache.h"
#include "Platform/Compositor/FrameThread.h"
#include "Platform/Compositor/GradientLayer.h"
#include "Platform/Compositor/LayerCompositing.h"
#include "Platform/Compositor/LayerExtent.h"
#include "Platform/Compositor/LayerGeometry.h"
#include "Platform/Compositor/LayerPainter.h"
#include "Platform/Compositor/PixelRect.h"
#include "Platform/Compositor/RenderBudget.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "Platform/Compositor/SingleDrawing.h"
#include "Platform/Graphics/BlendMode.h"
#include "Platform/Graphics/CoverageRasterizer.h"
#include "Platform/Graphics/GaussianBlur.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Image.h"

namespace platform::compositor {

using graphics::AffineTransform;
using graphics::BlendMode;
using graphics::GraphicsContext;
using graphics::Point;
using graphics::Rect;

namespace {

// Whole pixels of the context that the current clip lets through; empty when none.
PixelRect visiblePixels(const GraphicsContext& context) {
    return PixelRect::covering(context.deviceClipBoundingBox(), context);
}

// Draws with device pixels as user space for the duration of `body`.
template <typename Body>
void inDeviceSpace(GraphicsContext& context, Body&& body) {
    const AffineTransform current = context.currentTransform();
    const std::optional<AffineTransform> inverse = current.inverted();
    if (!inverse) {
        return;
    }
    context.saveGState();
    context.concatenate(*inverse);
    body();
    context.restoreGState();
}

// Draws what `body` draws as one group, with the layer's opacity and blend mode.
template <typename Body>
void inLayerGroup(GraphicsContext& context, const Layer& presented, Body&& body) {
    context.setAlpha(context.alpha() * std::min(presented.opacity(), 1.0));
    context.setBlendMode(LayerCompositing::blendMode(presented).value_or(BlendMode::normal));
    context.beginTransparencyLayer();
    body();
    context.endTransparencyLayer();
}

graphics::Color shadowColorOf(const Layer& presented) {
    const graphics::Color color = presented.shadowColor().value_or(graphics::Color::black());
    return color.withAlpha(color.alpha() * std::min(presented.shadowOpacity(), 1.0));
}

// Above 0 while a layer is drawn to make a wide shadow from (see drawWithWideShadow).
// Per thread, as the render budget is.
thread_local int shadowSourceDepth = 0;

// Clips with device pixels as user space, then comes back to the current space;
// unlike inDeviceSpace, the clip outlives the detour. False when the current
// transform cannot be undone (nothing clipped).
template <typename Clip>
bool clipInDeviceSpace(GraphicsContext& context, Clip&& clip) {
    const AffineTransform current = context.currentTransform();
    const std::optional<AffineTransform> inverse = current.inverted();
    if (!inverse) {
        return false;
    }
    context.concatenate(*inverse);
    clip();
    context.concatenate(current);
    return true;
}

// The part of a wide shadow's source where the layer draws (`content`), grown
// to whole steps of the reduction from the source's corner, so that the
// scaled-down pixels fall where they fell in the whole source; the null
// rectangle when the layer draws nothing there.
Rect withinContent(const Rect& source, const Rect& content, double reduction) {
    const Rect part = source.intersection(content);
    if (part.isNull() || part.isEmpty()) {
        return Rect::null();
    }
    const auto snapDown = [&](double value, double origin) {
        return origin + std::floor((value - origin) / reduction) * reduction;
    };
    const auto snapUp = [&](double value, double origin) {
        return origin + std::ceil((value - origin) / reduction) * reduction;
    };
    const double minX = snapDown(part.minX(), source.minX()), minY = snapDown(part.minY(), source.minY());
    return Rect(minX, minY, snapUp(part.maxX(), source.minX()) - minX, snapUp(part.maxY(), source.minY()) - minY);
}

void reportWorkSpent(RenderBudget& budget) {
    if (budget.work().passedDeadline()) {
        budget.report("The frame's drawing passed its deadline of " + budget.work().deadline()->limitDescription() +
                      "; the drawings and layers after that point are left out.");
        return;
    }
    budget.report("The frame's drawing work passed its budget of " +
                  std::to_string(static_cast<long long>(budget.work().limit() / 1e6)) +
                  " million units; the drawings and layers after that point are left out.");
}

// Ends the drawing of a layer entered into the budget, however it ends.
struct LeaveOnExit {
    RenderBudget& budget;
    ~LeaveOnExit() { budget.leave(); }
};

enum class Group { begun, empty, unaffordable, unneeded };

// Begins the transparency group of a layer's contents, no larger than what they
// draw within the clip and paid from the frame's budget.
Group beginGroup(const Layer& model, const Layer& presented, double mediaTime, GraphicsContext& context) {
    PixelRect area = visiblePixels(context);
    if (const std::optional<Rect> box =
            LayerExtent::contentBounds(model, presented, context.currentTransform(), mediaTime)) {
        area = PixelRect::covering(box->intersection(area.rect()), context);
        if (area.isEmpty()) {
            return Group::empty;
        }
    }
    RenderBudget& budget = *RenderBudget::active();
    if (!budget.takeSurface(area.pixels())) {
        budget.report(
            "The frame's budget of intermediate surfaces is spent; further layers with opacity, a blend mode or a "
            "mask are composited drawing by drawing.");
        return Group::unaffordable;
    }
    // The group spans the whole device pixels its contents reach, and no more.
    context.beginTransparencyLayer(area.rect());
    return Group::begun;
}

// Whether the layer or one of the chain down to its one drawing (or the mask
// that clips it) is animated: contents that change on their own, of which no
// picture is ever kept.
bool animates(const Layer& model, const SingleDrawing& drawing) {
    return model.hasAnimations() ||
           std::any_of(drawing.chain().begin(), drawing.chain().end(), [](const Layer* layer) {
               return layer->hasAnimations() || (layer->mask() && layer->mask()->hasAnimations());
           });
}

// Contents that are one drawing of a layer whose only effects are its opacity
// and its mask take the opacity as that drawing's alpha, rounded as a group
// would round it: the group's pixels without the group. Opacities further down
// the chain would round a second time, as nested groups do; such contents keep
// their group. A mask that clips to its path is no further effect: one drawing
// clipped to the path is what the group of that drawing would show through the
// path. Through a pixel mask or a path the same holds, and the chain's
// opacities need no group either when the layer's own is whole: its drawing is
// laid down through the mask with the alpha of its own layer, as a group of it
// would be. Only contents that animate are drawn so through pixels, though: a
// group is where static contents keep their picture from frame to frame
// (ContentCache keeps none under a pixel mask, nor under a path, which it never
// keeps a picture under).
bool drawsAsOneDrawing(Layer& model, const Layer& presented, double mediaTime, GraphicsContext& context,
                       bool maskedByPixels, bool maskedByPath) {
    if (LayerCompositing::blendMode(presented) || LayerCompositing::castsShadow(presented)) {
        return false;
    }
    const std::optional<SingleDrawing> drawing = SingleDrawing::find(model, presented, mediaTime);
    if (!drawing || (maskedByPixels && !animates(model, *drawing))) {
        return false;
    }
    if (drawing->chainIsOpaque()) {
        context.setAlphaAsLayer(true);
        return true;
    }
    return (maskedByPixels || maskedByPath) && presented.opacity() >= 1;
}

}  // namespace

void Renderer::render(const std::shared_ptr<Layer>& root, double mediaTime, GraphicsContext& context) {
    if (!root) {
        return;
    }
    // A render nested in another (a layer that draws a tree while it displays)
    // spends from the same budget and nests on the same stack.
    std::optional<RenderBudget> own;
    RenderBudget* budget = RenderBudget::active();
    if (!budget) {
        budget = &own.emplace(static_cast<double>(context.width()) * context.height(), visiblePixels(context).pixels());
    }
    const RenderBudget::Activation activation(*budget);
    std::optional<Layer::FramePresentations> frame;
    if (own) {
        frame.emplace();
    }
    drawLayer(*root, mediaTime, context);
}

std::shared_ptr<const graphics::Image> Renderer::renderImage(const std::shared_ptr<Layer>& root, double mediaTime,
                                                             int width, int height, double scale,
                                                             const graphics::Image* backdrop) {
    std::unique_ptr<GraphicsContext> context = GraphicsContext::makeBitmap(width, height);
    if (!context) {
        return nullptr;
    }
    if (backdrop && backdrop->width() == width && backdrop->height() == height) {
        context->drawImage(*backdrop, Rect(0, 0, width, height));
    }
    context->scaleBy(scale, scale);
    render(root, mediaTime, *context);
    return GraphicsContext::finishImage(std::move(context));
}

void Renderer::drawLayer(Layer& model, double mediaTime, GraphicsContext& context) {
    FrameThread::checkpoint();
    RenderBudget& budget = *RenderBudget::active();
    if (!budget.enter(model)) {
        budget.report("Layers nest more than " + std::to_string(RenderBudget::maximumDepth) +
                      " deep; the deeper ones are not drawn.");
        return;
    }
    const LeaveOnExit leave{budget};
    if (budget.work().isSpent()) {
        // Past this point nothing more of the frame is drawn: the same way every
        // time the same frame is drawn, unless its deadline ended it.
        reportWorkSpent(budget);
        return;
    }
    model.presented_ = true;
    model.displayIfNeeded();
    const std::shared_ptr<Layer> presentation = model.hasAnimations() ? model.presentationAt(mediaTime) : nullptr;
    const Layer& presented = presentation ? *presentation : model;
    if (presented.isHidden() || !(presented.opacity() > 0)) {
        return;
    }
    context.saveGState();
    context.concatenate(LayerGeometry::layerToParent(presented));
    if (visiblePixels(context).isEmpty()) {
        context.restoreGState();
        return;
    }
    const std::optional<BlendMode> blendMode = LayerCompositing::blendMode(presented);
    const double opacity = std::min(presented.opacity(), 1.0);
    const bool filledThroughMask = model.mask() && !blendMode && !LayerCompositing::castsShadow(presented) &&
                                   fillWithGradientThroughMask(model, presented, mediaTime, context);
    // A shadow falls outside the contents: a layer with one is masked whole.
    const bool shadowed = LayerCompositing::castsShadow(presented);
    MaskedContents contents(model, presented, mediaTime);
    const MaskClip maskClip = model.mask() && !filledThroughMask
                                  ? clipToMask(*model.mask(), mediaTime, context, shadowed ? nullptr : &contents)
                                  : MaskClip::buffer;
    if (maskClip == MaskClip::nothingShows ||
        (model.mask() && maskClip == MaskClip::buffer && !shadowed && !clipToContents(contents, context))) {
        context.restoreGState();
        return;
    }
    const bool hasShadow = LayerCompositing::castsShadow(presented) && std::isfinite(presented.shadowRadius());
    if (filledThroughMask) {
        // Drawn already, at once.
    } else if (hasShadow && drawWithShadow(model, presented, mediaTime, context)) {
        // Drawn with its shadow.
    } else if (opacity < 1 || blendMode || model.mask()) {
        context.setAlpha(context.alpha() * opacity);
        context.setBlendMode(blendMode.value_or(BlendMode::normal));
        const bool maskedByPixels = model.mask() && maskClip == MaskClip::buffer;
        const Group group = drawsAsOneDrawing(model, presented, mediaTime, context, maskedByPixels,
                                              model.mask() && maskClip == MaskClip::path)
                                ? Group::unneeded
                                : beginGroup(model, presented, mediaTime, context);
        if (group != Group::empty) {
            // Without a group of their own the contents take the opacity, blend
            // mode and mask drawing by drawing: the same where they do not overlap.
            drawKeptContent(model, presented, mediaTime, context);
        }
        if (group == Group::begun) {
            context.endTransparencyLayer();
        }
    } else {
        drawKeptContent(model, presented, mediaTime, context);
    }
    context.restoreGState();
    if (const std::optional<std::string> failure = context.recoverFromFailure()) {
        // The graphics library refused a drawing of this layer (or of one it
        // holds that could not be told apart); the rest of the frame goes on.
        budget.report("A layer could not be drawn (" + *failure +
                      "); it is left out where it failed and the rest of the frame is drawn.");
    }
    if (budget.depth() == 1) {
        // The drawings of the frame still with the coverage workers are laid
        // down within the frame: they count toward its deadline, and a cut
        // among them is told while the root is still being drawn.
        context.flush();
        budget.work().checkDeadline(0);
    }
    if (budget.work().isSpent()) {
        // Told while this layer, whose drawing passed the budget, is still being drawn.
        reportWorkSpent(budget);
    }
    if (budget.work().strokeWasCut()) {
        budget.report("A stroke's outline is larger than the scan converter takes (" +
                      std::to_string(graphics::CoverageRasterizer::maximumPoints) +
                      " points, or edges walking farther across its rows than its pixels); its parts past that "
                      "are left out.");
    }
}

void Renderer::drawKeptContent(Layer& model, const Layer& presented, double mediaTime, GraphicsContext& context) {
    // One reference captured: the callable is kept inside std::function, so
    // asking the cache costs no allocation on a layer it does not keep.
    struct Contents {
        Layer& model;
        const Layer& presented;
        double mediaTime;
    } contents{model, presented, mediaTime};
    const bool kept = ContentCache::draw(model, presented, mediaTime, context, [&contents](GraphicsContext& target) {
        drawContent(contents.model, contents.presented, contents.mediaTime, target);
    });
    if (!kept) {
        drawContent(model, presented, mediaTime, context);
    }
}

void Renderer::drawContent(Layer& model, const Layer& presented, double mediaTime, GraphicsContext& context) {
    context.saveGState();
    if (presented.masksToBounds()) {
        context.clipToRect(presented.bounds());
        if (visiblePixels(context).isEmpty()) {
            context.restoreGState();
            return;
        }
    }
    LayerPainter::paintBackground(presented, context);
    LayerPainter::paintContents(presented, context);
    if (model.drawsInRenderPass()) {
        drawInRenderPass(model, context);
    }
    if (const auto* shape = presented.asShapeLayer()) {
        LayerPainter::paintShape(*shape, context);
    } else if (const auto* gradient = presented.asGradientLayer()) {
        LayerPainter::paintGradient(*gradient, context);
    }
    // Without a transform of their own the sublayers are drawn in this
    // layer's space as it is: each leaves the state as it found it.
    const AffineTransform sublayerTransform = LayerGeometry::sublayerTransform(presented);
    const bool transformsSublayers = !sublayerTransform.isIdentity();
    // Sublayers may be added or removed by a display pass below; draw the
    // ones of now, held on a stack of the thread's that every layer of the
    // walk (and a walk nested in it) holds its own on in turn, which then
    // allocates nothing from one frame to the next. Entries are read by
    // index: a deeper layer's may move the stack's storage.
    thread_local std::vector<std::shared_ptr<Layer>> heldSublayers;
    const std::size_t first = heldSublayers.size();
    heldSublayers.insert(heldSublayers.end(), model.sublayers().begin(), model.sublayers().end());
    const std::size_t end = heldSublayers.size();
    struct LetGo {
        std::size_t first;
        ~LetGo() { heldSublayers.resize(first); }
    } letGo{first};
    for (std::size_t index = first; index < end; ++index) {
        if (transformsSublayers) {
            context.saveGState();
            context.concatenate(sublayerTransform);
        }
        drawLayer(*heldSublayers[index], mediaTime, context);
        if (transformsSublayers) {
            context.restoreGState();
        }
    }
    context.restoreGState();
}

void Renderer::drawInRenderPass(Layer& model, GraphicsContext& context) {
    // The drawing starts as it would in a bitmap of its own: on an empty path,
    // in the bounds' coordinates (where the context already is), and what it
    // changes of the state ends with it.
    context.saveGState();
    context.beginPath();
    model.draw(context);
    context.beginPath();
    context.restoreGState();
}

const std::optional<Rect>& Renderer::MaskedContents::box(const GraphicsContext& context) {
    if (!asked_) {
        asked_ = true;
        box_ = LayerExtent::contentBounds(model_, presented_, context.currentTransform(), mediaTime_);
    }
    return box_;
}

bool Renderer::clipToContents(MaskedContents& contents, GraphicsContext& context) {
    const std::optional<Rect>& box = contents.box(context);
    if (!box) {
        return true;
    }
    const PixelRect reach = PixelRect::covering(box->intersection(visiblePixels(context).rect()), context);
    if (reach.isEmpty()) {
        return false;
    }
    clipInDeviceSpace(context, [&] { context.clipToRect(reach.rect()); });
    return true;
}

bool Renderer::fillWithGradientThroughMask(Layer& model, const Layer& presented, double mediaTime,
                                           GraphicsContext& context) {
    // Under an alpha the gradient would take it in its stops, not rounded as
    // the layer's group would round it: drawn the usual way.
    if (context.alpha() * std::min(presented.opacity(), 1.0) < 1) {
        return false;
    }
    const std::optional<SingleDrawing> contents = SingleDrawing::find(model, presented, mediaTime);
    if (!contents || contents->kind() != SingleDrawing::Kind::gradient || !contents->chainIsOpaque() ||
        contents->isClipped()) {
        return false;
    }
    Layer& mask = *model.mask();
    mask.displayIfNeeded();
    const std::shared_ptr<Layer> maskPresentation = mask.hasAnimations() ? mask.presentationAt(mediaTime) : nullptr;
    const Layer& maskPresented = maskPresentation ? *maskPresentation : mask;
    const std::optional<SingleDrawing> shape = opaqueShapeOf(mask, maskPresented, mediaTime, false);
    if (!shape || (shape->kind() != SingleDrawing::Kind::fill && shape->kind() != SingleDrawing::Kind::stroke)) {
        return false;
    }
    const std::optional<AffineTransform> shapeToContext = maskShapeToContext(*shape, LayerGeometry::layerToParent(maskPresented), context);
    const std::optional<AffineTransform> contextToPainter = contents->painterToFirst().inverted();
    const auto& maskShape = static_cast<const ShapeLayer&>(shape->painter());
    if (shape->kind() == SingleDrawing::Kind::stroke) {
        // What painting the gradient through a mask of the stroke would
        // show, where the stroke keeps its pen from the shape to the gradient.
        if (!shapeToContext || !contextToPainter) {
            return false;
        }
        context.saveGState();
        context.setBlendMode(BlendMode::normal);
        context.concatenate(contents->painterToFirst());
        const AffineTransform shapeToPainter = shapeToContext->concatenating(*contextToPainter);
        const bool stroked =
            LayerPainter::strokeWithGradient(*contents->painter().asGradientLayer(), maskShape, shapeToPainter, context);
        context.restoreGState();
        if (stroked) {
            for (Layer* layer : contents->chain()) {
                layer->presented_ = true;
            }
        }
        return stroked;
    }
    // What clipping to the mask's path and painting the gradient under it
    // would show; nothing where the mask or the gradient collapses.
    for (Layer* layer : contents->chain()) {
        layer->presented_ = true;
    }
    if (!shapeToContext || !contextToPainter) {
        return true;
    }
    graphics::Path path;
    path.addPath(maskShape.path(), shapeToContext->concatenating(*contextToPainter));
    context.setBlendMode(BlendMode::normal);
    context.concatenate(contents->painterToFirst());
    LayerPainter::fillWithGradient(*contents->painter().asGradientLayer(), path, maskShape.fillRule(), context);
    return true;
}

Renderer::MaskClip Renderer::clipToMask(Layer& mask, double mediaTime, GraphicsContext& context,
                                        MaskedContents* contents) {
    PixelRect area = visiblePixels(context);
    if (area.isEmpty()) {
        return MaskClip::nothingShows;
    }
    mask.displayIfNeeded();
    const std::shared_ptr<Layer> presentation = mask.hasAnimations() ? mask.presentationAt(mediaTime) : nullptr;
    const Layer& presented = presentation ? *presentation : mask;
    std::optional<SingleDrawing> shape = opaqueShapeOf(mask, presented, mediaTime, true);
    if (shape && shape->kind() == SingleDrawing::Kind::fill) {
        return clipToMaskPath(*shape, presented, mediaTime, context) ? MaskClip::path : MaskClip::nothingShows;
    }
    // Masks that cut others are built as a chain of layers, each masked by
    // the path that cuts it: a fill cut by such paths is clipped to them all.
    if (shape && !shape->clips().empty()) {
        shape.reset();
    }
    // Only the part of the view that the mask can cover needs a buffer: where
    // its presented path or bounds reach, however they are animated.
    if (const std::optional<Rect> box =
            LayerExtent::layerBounds(mask, presented, context.currentTransform(), mediaTime)) {
        area = PixelRect::covering(box->intersection(area.rect()), context);
        if (area.isEmpty()) {
            return MaskClip::nothingShows;
        }
    }
    // Nor where the masked contents cannot draw.
    if (const std::optional<Rect>* box = contents ? &contents->box(context) : nullptr; box && *box) {
        area = PixelRect::covering((*box)->intersection(area.rect()), context);
        if (area.isEmpty()) {
            return MaskClip::nothingShows;
        }
    }
    RenderBudget& budget = *RenderBudget::active();
    if (!budget.takeSurface(area.pixels())) {
        budget.report(
            "The frame's budget of intermediate surfaces is spent; further masked or matted layers are not drawn.");
        return MaskClip::nothingShows;
    }
    // A stroke that animates is stroked into the pixel mask; one that does not
    // is drawn into the buffer, where a picture of it kept from earlier frames
    // (ContentCache) saves stroking it again.
    if (shape && animates(mask, *shape)) {
        return clipToMaskStroke(*shape, presented, area, context) ? MaskClip::buffer : MaskClip::nothingShows;
    }
    // Only the mask's alpha counts: it is drawn into a bitmap of coverage
    // alone, which then becomes the clip's pixel mask as it is.
    std::unique_ptr<GraphicsContext> buffer = GraphicsContext::makeAlphaBitmap(area.width, area.height);
    if (!buffer) {
        return MaskClip::nothingShows;
    }
    buffer->translateBy(-area.x, -area.y);
    buffer->concatenate(context.currentTransform());
    drawLayer(mask, mediaTime, *buffer);
    // The mask's pixels line up with the device's. The rectangle, clipped to
    // first, also bounds the group that the masked layer is drawn in.
    if (!clipInDeviceSpace(context, [&] { context.clipToRect(area.rect()); })) {
        return MaskClip::nothingShows;
    }
    context.clipToAlphaOf(std::move(buffer), area.x, area.y);
    return MaskClip::buffer;
}

std::optional<SingleDrawing> Renderer::opaqueShapeOf(Layer& mask, const Layer& presented, double mediaTime,
                                                     bool throughMasks) {
    std::optional<SingleDrawing> drawing = SingleDrawing::opaqueShape(mask, presented, mediaTime, throughMasks);
    if (!drawing) {
        return std::nullopt;
    }
    // The mask and its chain count as drawn, as they would through a buffer.
    mask.presented_ = true;
    for (Layer* layer : drawing->chain()) {
        layer->presented_ = true;
    }
    return drawing;
}

std::optional<AffineTransform> Renderer::maskShapeToContext(const SingleDrawing& drawing,
                                                           const AffineTransform& firstToContext,
                                                           const GraphicsContext& context) {
    const AffineTransform shapeToContext = drawing.painterToFirst().concatenating(firstToContext);
    if (!shapeToContext.concatenating(context.currentTransform()).isInvertible()) {
        return std::nullopt;
    }
    return shapeToContext;
}

bool Renderer::clipToMaskPath(const SingleDrawing& drawing, const Layer& presented, double mediaTime,
                              GraphicsContext& context) {
    const AffineTransform maskToContext = LayerGeometry::layerToParent(presented);
    // Each path that cuts a layer of the chain, placed as that layer is.
    for (const SingleDrawing::ChainClip& clip : drawing.clips()) {
        Layer& cut = *clip.masked->mask();
        cut.displayIfNeeded();
        const std::shared_ptr<Layer> presentation = cut.hasAnimations() ? cut.presentationAt(mediaTime) : nullptr;
        const Layer& shown = presentation ? *presentation : cut;
        const std::optional<SingleDrawing> shape = opaqueShapeOf(cut, shown, mediaTime, false);
        if (!shape || shape->kind() != SingleDrawing::Kind::fill ||
            !clipToShapePath(*shape,
                             LayerGeometry::layerToParent(shown)
                                 .concatenating(clip.maskedToFirst)
                                 .concatenating(maskToContext),
                             context)) {
            return false;
        }
    }
    return clipToShapePath(drawing, maskToContext, context);
}

bool Renderer::clipToShapePath(const SingleDrawing& drawing, const AffineTransform& firstToContext,
                               GraphicsContext& context) {
    const auto& shape = static_cast<const ShapeLayer&>(drawing.painter());
    const std::optional<AffineTransform> shapeToContext = maskShapeToContext(drawing, firstToContext, context);
    if (!shapeToContext) {
        return false;
    }
    // Brought into the current space as a path, so that the current transform
    // stays exactly what it was.
    graphics::Path path;
    path.addPath(shape.path(), *shapeToContext);
    context.beginPath();
    context.addPath(path);
    context.clip(shape.fillRule());
    return !visiblePixels(context).isEmpty();
}

bool Renderer::clipToMaskStroke(const SingleDrawing& drawing, const Layer& presented, const PixelRect& area,
                                GraphicsContext& context) {
    const auto& shape = static_cast<const ShapeLayer&>(drawing.painter());
    const std::optional<AffineTransform> shapeToContext =
        maskShapeToContext(drawing, LayerGeometry::layerToParent(presented), context);
    const std::optional<AffineTransform> contextToShape = shapeToContext ? shapeToContext->inverted() : std::nullopt;
    if (!contextToShape) {
        return false;
    }
    // Only the part of the view the mask can cover needs the pixel mask.
    clipInDeviceSpace(context, [&] { context.clipToRect(area.rect()); });
    // The stroke takes the line width in the shape's space: drawn there, then
    // back in the current space, where the clip stays.
    context.concatenate(*shapeToContext);
    const bool strokes = LayerPainter::beginStroke(shape, context);
    if (strokes) {
        context.replacePathWithStrokedPath();
        context.clip();
    }
    context.concatenate(*contextToShape);
    return strokes && !visiblePixels(context).isEmpty();
}

bool Renderer::drawWithShadow(Layer& model, const Layer& presented, double mediaTime, GraphicsContext& context) {
    const AffineTransform current = context.currentTransform();
    // The shadow's offset and blur live in the layer's space; in pixels they
    // follow the layer's scale and turn.
    const graphics::Size offset = current.apply(presented.shadowOffset());
    const double scale = std::sqrt(std::fabs(current.determinant()));
    const double radius =
        std::min(std::max(0.0, presented.shadowRadius()) * scale, graphics::GaussianBlur::maximumRadius);
    if (!std::isfinite(offset.width) || !std::isfinite(offset.height)) {
        return false;
    }
    if (presented.masksToBounds()) {
        // Clipping to the bounds clips the shadow away with everything else outside.
        context.clipToRect(presented.bounds());
    }
    const PixelRect visible = visiblePixels(context);
    if (visible.isEmpty()) {
        return true;
    }
    const bool nearby = std::fabs(offset.width) <= visible.width && std::fabs(offset.height) <= visible.height;
    if (!nearby || graphics::GaussianBlur::reduction(radius) > 1) {
        return drawWithWideShadow(model, presented, mediaTime, context, {visible.rect(), offset, radius});
    }
    const int spread = graphics::GaussianBlur::spread(radius);
    // Everything whose shadow can land in view: the visible area, the area the
    // offset brings into view, and the blur's reach around both, where the
    // layer draws anything. The layer is drawn once, into a buffer that both
    // its shadow and its own picture come from.
    Rect source = visible.rect().unionWith(visible.rect().offsetBy(-offset.width, -offset.height));
    source = source.insetBy(-spread, -spread);
    if (const std::optional<Rect> box = LayerExtent::contentBounds(model, presented, current, mediaTime)) {
        source = source.intersection(*box);
        if (source.isNull() || source.isEmpty()) {
            return true;
        }
    }
    const double minX = std::floor(source.minX()), minY = std::floor(source.minY());
    const int width = static_cast<int>(std::ceil(source.maxX()) - minX);
    const int height = static_cast<int>(std::ceil(source.maxY()) - minY);
    std::unique_ptr<GraphicsContext> buffer = GraphicsContext::makeBitmap(width, height);
    if (!buffer) {
        return false;
    }
    buffer->translateBy(-minX, -minY);
    buffer->concatenate(current);
    drawContent(model, presented, mediaTime, *buffer);
    const std::shared_ptr<const graphics::Image> content = GraphicsContext::finishImage(std::move(buffer));
    if (!content) {
        return true;
    }
    const std::shared_ptr<const graphics::Image> shadow =
        graphics::GaussianBlur::shadow(*content, radius, shadowColorOf(presented));
    inLayerGroup(context, presented, [&] {
        inDeviceSpace(context, [&] {
            if (shadow) {
                context.drawImage(*shadow, Rect(minX + offset.width - spread, minY + offset.height - spread,
                                                shadow->width(), shadow->height()));
            }
            context.drawImage(*content, Rect(minX, minY, width, height));
        });
    });
    return true;
}

bool Renderer::drawWithWideShadow(Layer& model, const Layer& presented, double mediaTime, GraphicsContext& context,
                                  const ShadowGeometry& geometry) {
    // A layer is drawn twice here, once for its shadow and once for itself. Within
    // another layer's shadow source, a nested wide shadow is left out, so that the
    // work does not double with every level of nesting.
    if (shadowSourceDepth > 0) {
        return false;
    }
    const graphics::Size offset = geometry.offset;
    const double radius = geometry.radius;
    // Only what lies the offset away from the view, and the blur's reach around
    // it, casts a shadow into view. It is drawn scaled down by the blur's
    // reduction, so a wide blur costs no more than a narrow one.
    const double reduction = graphics::GaussianBlur::reduction(radius);
    const int spread = graphics::GaussianBlur::spread(radius);
    Rect source = geometry.visible.offsetBy(-offset.width, -offset.height).insetBy(-spread, -spread);
    if (const std::optional<Rect> box =
            LayerExtent::contentBounds(model, presented, context.currentTransform(), mediaTime)) {
        source = withinContent(source, *box, reduction);
    }
    const double reducedRadius = graphics::GaussianBlur::reducedRadius(radius, reduction);
    std::shared_ptr<const graphics::Image> shadow;
    // Nothing the layer draws casts a shadow into view when the source is null.
    if (!source.isNull()) {
        const double spanX = std::ceil(source.width() / reduction), spanY = std::ceil(source.height() / reduction);
        if (!(spanX * spanY <= static_cast<double>(graphics::Image::kMaximumPixelCount))) {
            return false;
        }
        std::unique_ptr<GraphicsContext> buffer =
            GraphicsContext::makeBitmap(static_cast<int>(spanX), static_cast<int>(spanY));
        if (!buffer) {
            return false;
        }
        buffer->scaleBy(1 / reduction, 1 / reduction);
        buffer->translateBy(-source.minX(), -source.minY());
        buffer->concatenate(context.currentTransform());
        ++shadowSourceDepth;
        drawContent(model, presented, mediaTime, *buffer);
        --shadowSourceDepth;
        const std::shared_ptr<const graphics::Image> content = GraphicsContext::finishImage(std::move(buffer));
        shadow = content ? graphics::GaussianBlur::shadow(*content, reducedRadius, shadowColorOf(presented)) : nullptr;
    }
    inLayerGroup(context, presented, [&] {
        if (shadow) {
            // Scaled back up: each shadow pixel spans `reduction` device pixels.
            const double pad = graphics::GaussianBlur::spread(reducedRadius) * reduction;
            inDeviceSpace(context, [&] {
                context.drawImage(*shadow, Rect(source.minX() + offset.width - pad, source.minY() + offset.height - pad,
                                                shadow->width() * reduction, shadow->height() * reduction));
            });
        }
        drawContent(model, presented, mediaTime, context);
    });
    return true;
}

}  // namespace platform::compositor
