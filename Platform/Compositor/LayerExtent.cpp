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

// One walk over a layer tree, which may descend into the masks of the layers
// it meets; the count of visited layers and the presentations made on the way
// are shared by the whole walk.
class Walk {
public:
    explicit Walk(std::optional<double> mediaTime) : mediaTime_(mediaTime) {}

    // The box of what the layer and its sublayers paint, the layer's own shadow
    // counted or not: the null rectangle when nothing, none when unknown.
    std::optional<Rect> painted(const Layer& model, const Layer& presented, const AffineTransform& toDevice,
                                bool withOwnShadow) {
        std::vector<Step> pending{{&model, &presented, toDevice}};
        Rect box = Rect::null();
        bool first = true;
        while (!pending.empty()) {
            const Step step = pending.back();
            pending.pop_back();
            if (++visited_ > LayerExtent::maximumLayers) return std::nullopt;
            const Layer& layer = *step.presented;
            const std::optional<Rect> own = ownPainting(layer, withOwnShadow || !first);
            first = false;
            if (!own) return std::nullopt;
            if (!own->isEmpty()) box = box.unionWith(own->applying(step.toDevice));
            // Sublayers clipped to the bounds land inside them, which are counted already.
            if (layer.masksToBounds()) continue;
            const AffineTransform sublayerToDevice =
                LayerGeometry::sublayerTransform(layer).concatenating(step.toDevice);
            for (const std::shared_ptr<Layer>& sublayer : step.model->sublayers()) {
                const Layer* shown = shownAt(*sublayer);
                if (!shown) return std::nullopt;
                if (drawsNothing(*shown)) continue;
                const AffineTransform shownToDevice = LayerGeometry::layerToParent(*shown).concatenating(sublayerToDevice);
                if (!sublayer->mask()) {
                    pending.push_back({sublayer.get(), shown, shownToDevice});
                    continue;
                }
                // A masked layer, its shadow included, shows only where its mask
                // reaches; a gradient that spans far past its shape's path is
                // bounded by the path that masks it.
                const std::optional<Rect> masked = maskedPainting(*sublayer, *shown, shownToDevice);
                if (!masked) return std::nullopt;
                if (!masked->isNull()) box = box.unionWith(*masked);
            }
        }
        return box;
    }

private:
    // The layer as it is presented at the walk's time; none when it animates
    // and the walk has no time.
    const Layer* shownAt(Layer& layer) {
        if (!layer.hasAnimations()) return &layer;
        if (!mediaTime_) return nullptr;
        presentations_.push_back(layer.presentationAt(*mediaTime_));
        return presentations_.back().get();
    }

    std::optional<Rect> maskedPainting(const Layer& model, const Layer& presented, const AffineTransform& toDevice) {
        const Layer* mask = shownAt(*model.mask());
        if (!mask) return std::nullopt;
        if (drawsNothing(*mask)) return Rect::null();
        // The mask lies in the coordinates of the layer it masks.
        const std::optional<Rect> reach =
            painted(*model.mask(), *mask, LayerGeometry::layerToParent(*mask).concatenating(toDevice), true);
        if (!reach || reach->isNull()) return reach;
        const std::optional<Rect> drawn = painted(model, presented, toDevice, true);
        if (!drawn || drawn->isNull()) return drawn;
        // Antialiasing reaches a pixel past either box.
        const Rect both = drawn->insetBy(-1, -1).intersection(reach->insetBy(-1, -1));
        return both.isNull() || both.isEmpty() ? Rect::null() : both;
    }

    std::optional<double> mediaTime_;
    std::size_t visited_ = 0;
    // The presentations of animated layers, alive until the walk ends.
    std::vector<std::shared_ptr<Layer>> presentations_;
};

// The box of what the layer and its sublayers paint, with a pixel of margin,
// the layer's own shadow counted or not; none when unknown.
std::optional<Rect> paintedBounds(const Layer& model, const Layer& presented, const AffineTransform& toDevice,
                                  bool withOwnShadow, std::optional<double> mediaTime) {
    Walk walk(mediaTime);
    const std::optional<Rect> box = walk.painted(model, presented, toDevice, withOwnShadow);
    if (!box) return std::nullopt;
    if (box->isNull() || box->isEmpty()) return Rect::zero();
    if (!std::isfinite(box->width()) || !std::isfinite(box->height())) return std::nullopt;
    return box->insetBy(-1, -1);
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
