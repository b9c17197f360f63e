#include "Platform/Compositor/LayerExtent.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Platform/Compositor/GradientLayer.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/LayerCompositing.h"
#include "Platform/Compositor/LayerGeometry.h"
#include "Platform/Compositor/ShapeLayer.h"

namespace platform::compositor {

using graphics::AffineTransform;
using graphics::Rect;

namespace {

struct Step {
    const Layer* model;
    // What the layer paints with; the model itself below the first layer.
    const Layer* presented;
    AffineTransform toDevice;
};

bool drawsNothing(const Layer& layer) { return layer.isHidden() || !(layer.opacity() > 0); }

// What the layer paints itself, in its own coordinates, with its shadow unless
// told to leave it out; none when unknown.
std::optional<Rect> ownPainting(const Layer& layer, bool withShadow) {
    if ((withShadow && LayerCompositing::castsShadow(layer)) || layer.needsDisplay()) return std::nullopt;
    if (layer.masksToBounds()) return layer.bounds();
    Rect box = Rect::null();
    // A drawing made in the render pass keeps within the bounds.
    if (layer.backgroundColor() || layer.drawsInRenderPass() || layer.asGradientLayer()) {
        box = layer.bounds();
    }
    if (layer.contents()) {
        if (layer.contentsGravity() != ContentsGravity::resize) return std::nullopt;
        box = box.unionWith(layer.bounds());
    }
    if (const auto* shape = layer.asShapeLayer(); shape && !shape->path().isEmpty()) {
        const Rect path = shape->path().boundingBox();
        if (shape->fillColor()) box = box.unionWith(path);
        if (shape->strokeColor() && shape->lineWidth() > 0) {
            // Miter joins reach at most miterLimit half-widths past a corner,
            // square caps about 1.5.
            const double reach = shape->lineWidth() / 2 * std::max(shape->miterLimit(), 1.5);
            if (!std::isfinite(reach)) return std::nullopt;
            box = box.unionWith(path.insetBy(-reach, -reach));
        }
    }
    return box;
}

// The box of what the layer and its sublayers paint, the layer's own shadow
// counted or not; none when unknown.
std::optional<Rect> paintedBounds(const Layer& model, const Layer& presented, const AffineTransform& toDevice,
                                  bool withOwnShadow, std::optional<double> mediaTime) {
    std::vector<Step> pending{{&model, &presented, toDevice}};
    // The presentations of animated sublayers, alive until the walk ends.
    std::vector<std::shared_ptr<Layer>> presentations;
    std::size_t visited = 0;
    Rect box = Rect::null();
    while (!pending.empty()) {
        const Step step = pending.back();
        pending.pop_back();
        const bool first = visited == 0;
        if (++visited > LayerExtent::maximumLayers) return std::nullopt;
        const Layer& layer = *step.presented;
        const std::optional<Rect> own = ownPainting(layer, withOwnShadow || !first);
        if (!own) return std::nullopt;
        if (!own->isEmpty()) box = box.unionWith(own->applying(step.toDevice));
        // Sublayers clipped to the bounds land inside them, which are counted already.
        if (layer.masksToBounds()) continue;
        const AffineTransform sublayerToDevice = LayerGeometry::sublayerTransform(layer).concatenating(step.toDevice);
        for (const std::shared_ptr<Layer>& sublayer : step.model->sublayers()) {
            const Layer* shown = sublayer.get();
            if (sublayer->hasAnimations()) {
                if (!mediaTime) return std::nullopt;
                presentations.push_back(sublayer->presentationAt(*mediaTime));
                shown = presentations.back().get();
                if (!shown) return std::nullopt;
            }
            if (drawsNothing(*shown)) continue;
            pending.push_back({sublayer.get(), shown, LayerGeometry::layerToParent(*shown).concatenating(sublayerToDevice)});
        }
    }
    if (box.isNull() || box.isEmpty()) return Rect::zero();
    if (!std::isfinite(box.width()) || !std::isfinite(box.height())) return std::nullopt;
    return box.insetBy(-1, -1);
}

}  // namespace

std::optional<Rect> LayerExtent::contentBounds(const Layer& model, const Layer& presented,
                                               const AffineTransform& toDevice, std::optional<double> mediaTime) {
    return paintedBounds(model, presented, toDevice, false, mediaTime);
}

std::optional<Rect> LayerExtent::layerBounds(const Layer& model, const Layer& presented,
                                             const AffineTransform& parentToDevice, std::optional<double> mediaTime) {
    if (drawsNothing(presented)) return Rect::zero();
    return paintedBounds(model, presented, LayerGeometry::layerToParent(presented).concatenating(parentToDevice), true,
                         mediaTime);
}

}  // namespace platform::compositor
