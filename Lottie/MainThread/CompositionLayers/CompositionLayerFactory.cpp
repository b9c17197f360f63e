#include "Lottie/MainThread/CompositionLayers/CompositionLayerFactory.h"

#include <algorithm>
#include <unordered_map>

#include "Lottie/MainThread/CompositionLayers/ImageCompositionLayer.h"
#include "Lottie/Playback/Engine/LayerBuildWeight.h"
#include "Lottie/MainThread/CompositionLayers/NullCompositionLayer.h"
#include "Lottie/MainThread/CompositionLayers/PreCompositionLayer.h"
#include "Lottie/MainThread/CompositionLayers/ShapeCompositionLayer.h"
#include "Lottie/MainThread/CompositionLayers/SolidCompositionLayer.h"
#include "Lottie/MainThread/LayerContainers/MaskContainerLayer.h"
#include "Lottie/MainThread/Text/TextCompositionLayer.h"
#include "Lottie/Model/Layers/PreCompLayerModel.h"
#include "Lottie/Model/Layers/ShapeLayerModel.h"
#include "Lottie/Model/Layers/SolidLayerModel.h"

namespace lottie {

namespace {

// Tells the context's logger, the first time a limit is reached, what it leaves
// out. The message is made only then: a hostile document reaches a limit for
// every layer past it.
template <typename Message>
void reportLimit(const CompositionLayerContext& context, bool& reported, Message&& message) {
    if (reported) return;
    reported = true;
    if (context.logger) {
        context.logger->warn([text = message()] { return text; }, "Lottie/CompositionLayerFactory", 0);
    }
}

}  // namespace

std::shared_ptr<CompositionLayer> CompositionLayerFactory::makeLayer(const LayerModel& model,
                                                                    CompositionLayerContext& context) {
    auto layer = makeLayerOfType(model, context);
    layer->setTimeline(context.timeline);
    if (layer->maskLayer() && layer->maskLayer()->cutsLeftOut() > 0) {
        reportLimit(context, context.maskCutsReported, [] {
            return "A layer has more than " + std::to_string(MaskContainerLayer::maximumCuts) +
                   " masks that cut what the masks before them show; the later ones are not drawn.";
        });
    }
    return layer;
}

std::shared_ptr<CompositionLayer> CompositionLayerFactory::makeLayerOfType(const LayerModel& model,
                                                                          CompositionLayerContext& context) {
    if (model.hidden) return CompositionLayer::make<NullCompositionLayer>(model);
    if (context.setUpDeadline && context.setUpDeadline->check(platform::graphics::ProcessorDeadline::unitsPerItem)) {
        reportLimit(context, context.deadlineReported, [&] {
            return LayerBuildWeight::setUpDeadlinePassed(*context.setUpDeadline) + "; the layers after that point are not shown.";
        });
        return CompositionLayer::make<NullCompositionLayer>(model);
    }
    if (!LayerBuildWeight::take(context.layerWeight, LayerBuildWeight::of(model, context.fontSizes))) {
        reportLimit(context, context.layerLimitReported, [] {
            return "The animation has more than " + std::to_string(LayerBuildWeight::maximumWeight) +
                   " layers once its precompositions are expanded (a layer's masks, paths and text, and each font "
                   "size its texts use, counted as more layers by their size); the rest are not shown.";
        });
        return CompositionLayer::make<NullCompositionLayer>(model);
    }
    if (const auto* shape = dynamic_cast<const ShapeLayerModel*>(&model)) {
        return CompositionLayer::make<ShapeCompositionLayer>(*shape);
    }
    if (const auto* solid = dynamic_cast<const SolidLayerModel*>(&model)) {
        return CompositionLayer::make<SolidCompositionLayer>(*solid);
    }
    if (const auto* precomp = dynamic_cast<const PreCompLayerModel*>(&model)) {
        const auto& library = context.assetLibrary;
        if (library && !library->precompAssets.empty()) {
            auto found = library->precompAssets.find(precomp->referenceID);
            const auto& inProgress = context.precompositionsInProgress;
            const bool nested = std::find(inProgress.begin(), inProgress.end(), precomp->referenceID) !=
                                inProgress.end();
            const bool tooDeep = inProgress.size() >= LayerBuildWeight::maximumPrecompositionDepth;
            if (tooDeep) {
                reportLimit(context, context.depthLimitReported, [] {
                    return "Precompositions nest more than " +
                           std::to_string(LayerBuildWeight::maximumPrecompositionDepth) +
                           " levels deep; the deeper levels are not shown.";
                });
            }
            if (found != library->precompAssets.end() && found->second && !nested && !tooDeep) {
                return CompositionLayer::make<PreCompositionLayer>(*precomp, *found->second, context);
            }
        }
    }
    if (const auto* image = dynamic_cast<const ImageLayerModel*>(&model)) {
        const auto& library = context.assetLibrary;
        if (library && !library->imageAssets.empty()) {
            auto found = library->imageAssets.find(image->referenceID);
            if (found != library->imageAssets.end() && found->second) {
                return CompositionLayer::make<ImageCompositionLayer>(*image, *found->second);
            }
        }
    }
    if (const auto* text = dynamic_cast<const TextLayerModel*>(&model)) {
        auto layer = CompositionLayer::make<TextCompositionLayer>(*text);
        layer->textLayer()->setLayoutCache(context.textLayouts);
        return layer;
    }
    // Null layers and layers whose asset is missing show nothing, but still
    // take part in parenting, mattes and keypaths.
    return CompositionLayer::make<NullCompositionLayer>(model);
}

std::vector<std::shared_ptr<CompositionLayer>> CompositionLayerFactory::makeCompositionLayers(
    const std::vector<std::shared_ptr<const LayerModel>>& models, CompositionLayerContext& context) {
    std::vector<std::shared_ptr<CompositionLayer>> layers;
    layers.reserve(models.size());
    for (const auto& model : models) {
        if (!model) continue;
        layers.push_back(makeLayer(*model, context));
    }
    std::vector<std::shared_ptr<const LayerModel>> present;
    for (const auto& model : models) {
        if (model) present.push_back(model);
    }
    linkParents(present, layers);
    return layers;
}

void CompositionLayerFactory::linkParents(const std::vector<std::shared_ptr<const LayerModel>>& models,
                                          const std::vector<std::shared_ptr<CompositionLayer>>& layers) {
    // A later layer with the same index replaces an earlier one.
    std::unordered_map<std::int64_t, CompositionLayer*> byIndex;
    for (std::size_t position = 0; position < models.size() && position < layers.size(); ++position) {
        byIndex.insert_or_assign(models[position]->index, layers[position].get());
    }
    if (byIndex.empty()) return;
    for (const auto& model : models) {
        if (!model->parent) continue;
        auto child = byIndex.find(model->index);
        if (child == byIndex.end()) continue;
        auto parent = byIndex.find(*model->parent);
        LayerTransformNode& childNode = *child->second->transformNode();
        if (parent == byIndex.end()) {
            childNode.setParentNode(nullptr);
            continue;
        }
        const std::shared_ptr<LayerTransformNode>& parentNode = parent->second->transformNode();
        // A parent chain that reaches the child again would make the transform
        // depend on itself (and the frame passes would never end): such a link
        // is refused and the child stays where it was.
        bool cycle = false;
        for (const AnimatorNode* node = parentNode.get(); node; node = node->parentNode().get()) {
            if (node == &childNode) {
                cycle = true;
                break;
            }
        }
        if (!cycle) childNode.setParentNode(parentNode);
    }
}

void CompositionLayerFactory::stack(const std::vector<std::shared_ptr<CompositionLayer>>& layers,
                                    platform::compositor::Layer& container, const platform::graphics::Rect& bounds,
                                    std::vector<std::shared_ptr<CompositionLayer>>& stacked) {
    std::shared_ptr<CompositionLayer> pending;
    for (auto it = layers.rbegin(); it != layers.rend(); ++it) {
        const std::shared_ptr<CompositionLayer>& layer = *it;
        layer->setBounds(bounds);
        stacked.push_back(layer);
        if (pending) {
            pending->setMatteLayer(layer);
            pending.reset();
            continue;
        }
        const auto& matte = layer->matteType();
        if (matte == MatteType::add || matte == MatteType::invert) pending = layer;
        container.addSublayer(layer);
    }
}

}  // namespace lottie
