#include "Lottie/CoreAnimation/LayerTreeBuilder.h"

#include <set>
#include <string>

#include "Lottie/CoreAnimation/ImageLayer.h"
#include "Lottie/CoreAnimation/InfiniteOpaqueAnimationLayer.h"
#include "Lottie/CoreAnimation/PreCompLayer.h"
#include "Lottie/CoreAnimation/ShapeLayer.h"
#include "Lottie/CoreAnimation/SolidLayer.h"
#include "Lottie/CoreAnimation/TextLayer.h"
#include "Lottie/CoreAnimation/TransformLayer.h"
#include "Lottie/Model/Layers/Mask.h"
#include "Lottie/Playback/LottieConfiguration.h"

namespace lottie {

using platform::compositor::Layer;

namespace {

std::shared_ptr<TransformLayer> makeTransformLayer(std::shared_ptr<const LayerModel> model) {
    auto layer = std::make_shared<TransformLayer>(std::move(model));
    layer->installSublayers();
    return layer;
}

// The engine layer Engine builds for a model of class Model; none for a model
// of another class (a type field that disagrees with the decoded layer).
template <class Engine, class Model, class... Context>
std::shared_ptr<BaseCompositionLayer> madeAs(const std::shared_ptr<const LayerModel>& model, const Context&... context) {
    auto typed = std::dynamic_pointer_cast<const Model>(model);
    return typed ? Engine::make(std::move(typed), context...) : nullptr;
}

// Whether every keyframe of the group holds `value` (an absent group does).
bool alwaysHolds(const KeyframeGroupPtr<LottieVector1D>& group, double value) {
    if (!group) return true;
    for (const auto& keyframe : group->keyframes()) {
        if (keyframe.value().value != value) return false;
    }
    return true;
}

// This engine draws each mask at full strength and unexpanded: a mask that asks
// for less opacity or for expansion would look different, so it is an issue.
void reportUndrawnMaskFeatures(const LayerModel& model, const LayerContext& context) {
    if (!model.masks) return;
    for (const auto& mask : *model.masks) {
        if (!mask || mask->mode == MaskMode::none) continue;
        if (!alwaysHolds(mask->opacity, 100)) {
            context.reportCompatibilityIssue(LayerTreeBuilder::maskOpacityMessage);
            return;
        }
        if (!alwaysHolds(mask->expansion, 0)) {
            context.reportCompatibilityIssue(LayerTreeBuilder::maskExpansionMessage);
            return;
        }
    }
}

// Nests `layer` in one transform layer per ancestor of `model`, the most
// distant outermost, naming each with `nameOf(ancestor)`; the outermost draws
// the layer's drop shadow, outside every transform. Parents that lead back to
// a layer already met form a cycle: reported, and the nesting stops there
// instead of going round for ever.
template <class NameOf>
std::shared_ptr<Layer> parentChain(const LayerModel& model, std::shared_ptr<Layer> layer,
                                   const LayerTreeBuilder::IndexTable& table, const LayerContext& context,
                                   const NameOf& nameOf) {
    std::set<const LayerModel*> met = {&model};
    const LayerModel* current = &model;
    while (current->parent && !table.empty()) {
        const auto found = table.find(*current->parent);
        if (found == table.end() || !found->second) break;
        const std::shared_ptr<const LayerModel>& parent = found->second;
        if (!met.insert(parent.get()).second) {
            context.forLayerNamed(model.name)
                .reportCompatibilityIssue("The parents of this layer form a cycle through the layer with index " +
                                          std::to_string(parent->index) + " (\"" + parent->name + "\")");
            break;
        }
        auto transformLayer = makeTransformLayer(parent);
        transformLayer->setName(nameOf(*parent));
        if (auto inner = std::dynamic_pointer_cast<BaseCompositionLayer>(layer)) transformLayer->takeDropShadow(*inner);
        transformLayer->addContentSublayer(std::move(layer));
        layer = std::move(transformLayer);
        current = parent.get();
    }
    return layer;
}

}  // namespace

std::shared_ptr<BaseCompositionLayer> LayerTreeBuilder::buildEngineLayer(const LayerModel& model,
                                                                         const std::shared_ptr<const LayerModel>& shared,
                                                                         const LayerContext& context) {
    const LayerContext layerContext = context.forLayerNamed(model.name);
    if (model.hidden) return makeTransformLayer(shared);
    std::shared_ptr<BaseCompositionLayer> layer;
    switch (model.type) {
        case LayerType::solid: layer = madeAs<SolidLayer, SolidLayerModel>(shared); break;
        case LayerType::image: layer = madeAs<ImageLayer, ImageLayerModel>(shared, layerContext); break;
        case LayerType::null: return makeTransformLayer(shared);
        case LayerType::shape: layer = madeAs<ShapeLayer, ShapeLayerModel>(shared, layerContext); break;
        case LayerType::precomp: layer = madeAs<PreCompLayer, PreCompLayerModel>(shared, layerContext); break;
        case LayerType::text: layer = madeAs<TextLayer, TextLayerModel>(shared, layerContext); break;
        case LayerType::unknown: return nullptr;
    }
    if (layer) reportUndrawnMaskFeatures(model, layerContext);
    return layer;
}

LayerTreeBuilder::IndexTable LayerTreeBuilder::layerModelsByIndex(const Models& models) {
    IndexTable table;
    for (const auto& model : models) {
        if (model) table[model->index] = model;
    }
    return table;
}

std::vector<LayerTreeBuilder::MattePair> LayerTreeBuilder::pairLayersWithMattes(const Models& models) {
    std::vector<std::shared_ptr<const LayerModel>> remaining;
    for (const auto& model : models) {
        if (model) remaining.push_back(model);
    }
    std::vector<MattePair> pairs;
    while (!remaining.empty()) {
        std::shared_ptr<const LayerModel> layer = std::move(remaining.back());
        remaining.pop_back();
        const MatteType type = layer->matte.value_or(MatteType::none);
        if (type != MatteType::none && !remaining.empty()) {
            std::shared_ptr<const LayerModel> matte = std::move(remaining.back());
            remaining.pop_back();
            pairs.push_back({std::move(layer), std::move(matte), type});
        } else {
            pairs.push_back({std::move(layer), nullptr, MatteType::none});
        }
    }
    return pairs;
}

void LayerTreeBuilder::buildChildLayers(Layer& parent, const LayerContext& context, const Models& models) {
    const IndexTable table = layerModelsByIndex(models);
    for (const MattePair& pair : pairLayersWithMattes(models)) {
        const LayerModel& model = *pair.layer;
        std::shared_ptr<BaseCompositionLayer> layer = buildEngineLayer(model, pair.layer, context);
        if (!layer) continue;
        const std::string& name = model.name;
        std::shared_ptr<Layer> chain = parentChain(model, layer, table, context, [&name](const LayerModel& ancestor) {
            return name + " (parent, " + ancestor.name + ")";
        });
        if (!pair.matte || pair.type == MatteType::none || pair.type == MatteType::unknown) {
            // This engine drops a matte it cannot apply, where the main-thread
            // engine draws it as a layer of its own: the pictures differ.
            if (pair.matte && pair.type == MatteType::unknown) {
                context.forLayerNamed(name).reportCompatibilityIssue(lumaMatteMessage);
            }
            parent.addSublayer(std::move(chain));
            continue;
        }
        std::shared_ptr<Layer> maskLayer = buildEngineLayer(*pair.matte, pair.matte, context);
        if (!maskLayer) {
            parent.addSublayer(std::move(chain));
            continue;
        }
        if (pair.type == MatteType::invert) {
            auto opaque = InfiniteOpaqueAnimationLayer::make();
            opaque->setBackgroundColor(
                platform::graphics::Color::fromRGBA(LottieConfiguration::sharedColorSpace(), 0, 0, 0, 1));
            maskLayer->setCompositingFilter("xor");
            opaque->addSublayer(std::move(maskLayer));
            maskLayer = std::move(opaque);
        }
        const std::string& matteName = pair.matte->name;
        std::shared_ptr<Layer> maskChain =
            parentChain(*pair.matte, std::move(maskLayer), table, context, [&](const LayerModel& ancestor) {
                return matteName + " (mask of " + name + ") (parent, " + ancestor.name + ")";
            });
        auto container = BaseAnimationLayer::make();
        container->setName(name + " (parent, masked)");
        container->addSublayer(std::move(chain));
        auto maskContainer = BaseAnimationLayer::make();
        maskContainer->addSublayer(std::move(maskChain));
        container->setMask(std::move(maskContainer));
        parent.addSublayer(std::move(container));
    }
}

}  // namespace lottie
