#include "Platform/Compositor/SingleDrawing.h"

#include "Platform/Compositor/GradientLayer.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/LayerCompositing.h"
#include "Platform/Compositor/LayerGeometry.h"
#include "Platform/Compositor/ShapeLayer.h"

namespace platform::compositor {

using graphics::AffineTransform;

namespace {

bool shows(const std::optional<graphics::Color>& color) { return color && color->alpha() > 0; }

// What the layer paints itself, as LayerPainter would paint it: the kind of its
// one drawing, or none with the count of its drawings (0 or 2 and more).
struct OwnPainting {
    int count = 0;
    SingleDrawing::Kind kind = SingleDrawing::Kind::background;

    void add(SingleDrawing::Kind drawn) {
        ++count;
        kind = drawn;
    }
};

OwnPainting ownPainting(const Layer& layer) {
    OwnPainting painting;
    if (shows(layer.backgroundColor()) && !layer.bounds().isEmpty()) painting.add(SingleDrawing::Kind::background);
    if (layer.contents()) painting.add(SingleDrawing::Kind::contents);
    if (const auto* shape = layer.asShapeLayer(); shape && !shape->path().isEmpty()) {
        if (shows(shape->fillColor())) painting.add(SingleDrawing::Kind::fill);
        if (shows(shape->strokeColor()) && shape->lineWidth() > 0) painting.add(SingleDrawing::Kind::stroke);
    } else if (const auto* gradient = layer.asGradientLayer()) {
        if (gradient->colors() && !gradient->colors()->empty() && !gradient->bounds().isEmpty()) {
            painting.add(SingleDrawing::Kind::gradient);
        }
    }
    return painting;
}

}  // namespace

std::optional<SingleDrawing> SingleDrawing::find(Layer& model, const Layer& presented, double mediaTime) {
    return search(model, presented, mediaTime, true);
}

std::optional<SingleDrawing> SingleDrawing::opaqueShape(Layer& mask, const Layer& presented, double mediaTime,
                                                        bool throughMasks) {
    if (presented.isHidden() || !(presented.opacity() >= 1) || mask.mask() ||
        LayerCompositing::castsShadow(presented) || LayerCompositing::blendMode(presented)) {
        return std::nullopt;
    }
    std::optional<SingleDrawing> drawing = search(mask, presented, mediaTime, throughMasks);
    if (!drawing || !drawing->chainIsOpaque() || drawing->clipsToBounds_ ||
        (drawing->isClipped() && drawing->clips().empty())) {
        return std::nullopt;
    }
    // Only a shape layer paints a fill or a stroke; the painter of another kind
    // of drawing (a gradient, an image) is another kind of layer.
    if (drawing->kind() != Kind::fill && drawing->kind() != Kind::stroke) {
        return std::nullopt;
    }
    const auto& shape = static_cast<const ShapeLayer&>(drawing->painter());
    const bool opaque = drawing->kind() == Kind::fill ? shape.fillColor()->alpha() >= 1
                                                      : shape.strokeColor()->alpha() >= 1;
    if (!opaque) {
        return std::nullopt;
    }
    return drawing;
}

bool SingleDrawing::maskedByPath(Layer& model, double mediaTime) {
    Layer& mask = *model.mask();
    mask.displayIfNeeded();
    const std::shared_ptr<Layer> presentation = mask.hasAnimations() ? mask.presentationAt(mediaTime) : nullptr;
    const std::optional<SingleDrawing> shape = opaqueShape(mask, presentation ? *presentation : mask, mediaTime);
    return shape && shape->kind() == Kind::fill;
}

std::optional<SingleDrawing> SingleDrawing::search(Layer& model, const Layer& presented, double mediaTime,
                                                   bool throughMasks) {
    SingleDrawing result;
    const Layer* layer = &presented;
    Layer* layerModel = &model;
    // Holds the layers below the first while they are looked at.
    std::shared_ptr<Layer> layerModelHolder;
    // Keeps the presentation copy of the layer looked at, while it is looked at.
    std::shared_ptr<Layer> layerPresentation;
    std::size_t looked = 0;
    while (true) {
        result.isClipped_ = result.isClipped_ || layer->masksToBounds();
        result.clipsToBounds_ = result.clipsToBounds_ || layer->masksToBounds();
        const OwnPainting own = ownPainting(*layer);
        if (own.count > 1) return std::nullopt;
        // The one visible sublayer, as it is presented; a second one ends the search.
        std::shared_ptr<Layer> nextModel;
        std::shared_ptr<Layer> nextPresentation;
        // By index, holding each sublayer, as a display may change the list.
        for (std::size_t index = 0; index < layerModel->sublayers().size(); ++index) {
            if (++looked > maximumSublayers) return std::nullopt;
            const std::shared_ptr<Layer> sublayer = layerModel->sublayers()[index];
            sublayer->displayIfNeeded();
            std::shared_ptr<Layer> presentation =
                sublayer->hasAnimations() ? sublayer->presentationAt(mediaTime) : nullptr;
            const Layer& shown = presentation ? *presentation : *sublayer;
            if (shown.isHidden() || !(shown.opacity() > 0)) continue;
            if (nextModel || own.count > 0) return std::nullopt;
            nextModel = sublayer;
            nextPresentation = std::move(presentation);
        }
        if (own.count == 1 && !nextModel) {
            result.kind_ = own.kind;
            result.painter_ = layer;
            result.painterPresentation_ = std::move(layerPresentation);
            return result;
        }
        if (!nextModel) return std::nullopt;
        const Layer& next = nextPresentation ? *nextPresentation : *nextModel;
        if (LayerCompositing::castsShadow(next) || LayerCompositing::blendMode(next)) {
            return std::nullopt;
        }
        const bool masked = nextModel->mask() != nullptr;
        if (masked) {
            if (!throughMasks || !maskedByPath(*nextModel, mediaTime)) return std::nullopt;
            result.isClipped_ = true;
        }
        result.chainIsOpaque_ = result.chainIsOpaque_ && next.opacity() >= 1;
        result.painterToFirst_ = LayerGeometry::layerToParent(next)
                                     .concatenating(LayerGeometry::sublayerTransform(*layer))
                                     .concatenating(result.painterToFirst_);
        if (masked) result.clips_.push_back({nextModel.get(), result.painterToFirst_});
        result.chain_.push_back(nextModel.get());
        layer = &next;
        layerModel = nextModel.get();
        layerModelHolder = std::move(nextModel);
        layerPresentation = std::move(nextPresentation);
    }
}

}  // namespace platform::compositor
