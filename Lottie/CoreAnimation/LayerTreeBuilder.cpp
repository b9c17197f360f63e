#include "Lottie/CoreAnimation/LayerTreeBuilder.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/ImageLayer.h"
#include "Lottie/CoreAnimation/InfiniteOpaqueAnimationLayer.h"
#include "Lottie/CoreAnimation/MaskCompositionLayer.h"
#include "Lottie/CoreAnimation/PreCompLayer.h"
#include "Lottie/CoreAnimation/ShapeLayer.h"
#include "Lottie/CoreAnimation/SolidLayer.h"
#include "Lottie/CoreAnimation/TextLayer.h"
#include "Lottie/CoreAnimation/TransformLayer.h"
#include "Lottie/Model/Layers/LayerDropShadow.h"
#include "Lottie/Model/Layers/Mask.h"
#include "Lottie/Playback/Engine/LayerBuildWeight.h"
#include "Lottie/Playback/LottieConfiguration.h"

namespace lottie {

using platform::compositor::Layer;

namespace {

std::shared_ptr<TransformLayer> makeTransformLayer(std::shared_ptr<const LayerModel> model, bool mayTakeDropShadow = false) {
    auto layer = std::make_shared<TransformLayer>(std::move(model), mayTakeDropShadow);
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
    if (MaskCompositionLayer::drawnMaskCount(*model.masks) < model.masks->size()) {
        context.reportCompatibilityIssue(LayerTreeBuilder::maskNestingMessage);
    }
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

// The layers of the table whose parents lead into a cycle, found in one walk
// over the table: each layer is met once, so that the ancestors of the layers
// whose parents end (the others) are listed without a search for repeats.
std::set<const LayerModel*> layersLeadingIntoCycles(const LayerTreeBuilder::IndexTable& table) {
    std::map<const LayerModel*, bool> leadsIntoCycle;
    for (const auto& [index, entry] : table) {
        if (!entry || leadsIntoCycle.count(entry.get())) continue;
        std::vector<const LayerModel*> path;
        std::set<const LayerModel*> onPath;
        bool cycle = false;
        for (const LayerModel* current = entry.get();;) {
            const auto known = leadsIntoCycle.find(current);
            if (known != leadsIntoCycle.end()) {
                cycle = known->second;
                break;
            }
            if (!onPath.insert(current).second) {
                cycle = true;
                break;
            }
            path.push_back(current);
            const auto parent = current->parent ? table.find(*current->parent) : table.end();
            if (parent == table.end() || !parent->second) break;
            current = parent->second.get();
        }
        for (const LayerModel* layer : path) leadsIntoCycle[layer] = cycle;
    }
    std::set<const LayerModel*> cyclic;
    for (const auto& [layer, cycle] : leadsIntoCycle) {
        if (cycle) cyclic.insert(layer);
    }
    return cyclic;
}

// The ancestors of `model` by parent index, the most distant first; past
// `most` of them the list ends (the layer is too deep to be built), so that a
// long chain is not walked again for each of its layers. Parents that lead
// back to a layer already met form a cycle: reported, and the list ends there
// instead of going round for ever. Only the parents of a layer that lead into
// one of `cyclic` are searched for repeats.
std::vector<std::shared_ptr<const LayerModel>> ancestorsOf(const LayerModel& model,
                                                           const LayerTreeBuilder::IndexTable& table,
                                                           const std::set<const LayerModel*>& cyclic,
                                                           const LayerContext& context, std::size_t most) {
    std::vector<std::shared_ptr<const LayerModel>> ancestors;
    const auto first = model.parent ? table.find(*model.parent) : table.end();
    const bool mayRepeat = first != table.end() && first->second && cyclic.count(first->second.get());
    std::set<const LayerModel*> met;
    if (mayRepeat) met.insert(&model);
    const LayerModel* current = &model;
    while (current->parent && !table.empty() && ancestors.size() <= most) {
        const auto found = table.find(*current->parent);
        if (found == table.end() || !found->second) break;
        const std::shared_ptr<const LayerModel>& parent = found->second;
        if (mayRepeat && !met.insert(parent.get()).second) {
            context.forLayerNamed(model.name)
                .reportCompatibilityIssue("The parents of this layer form a cycle through the layer with index " +
                                          std::to_string(parent->index) + " (\"" + parent->name + "\")");
            break;
        }
        ancestors.push_back(parent);
        current = parent.get();
    }
    std::reverse(ancestors.begin(), ancestors.end());
    return ancestors;
}

// A transform layer of a parent chain may hold the following layers that have
// the same ancestors, unless it blends (then each is blended on its own) or
// draws the drop shadow of the layer it was made for.
bool drawsDropShadow(const Layer& layer) {
    const auto* composition = dynamic_cast<const BaseCompositionLayer*>(&layer);
    return composition && composition->dropShadowModel() && layerDropShadow(*composition->dropShadowModel());
}

bool sharable(const TransformLayer& layer) { return !layer.compositingFilter() && !drawsDropShadow(layer); }

// Nests `layer` in one transform layer per ancestor, the most distant
// outermost, naming each with `nameOf(ancestor)`; the outermost draws the
// layer's drop shadow, outside every transform.
template <class NameOf>
std::shared_ptr<Layer> parentChain(const std::vector<std::shared_ptr<const LayerModel>>& ancestors,
                                   std::shared_ptr<Layer> layer, const NameOf& nameOf) {
    // The shadow passes outwards from layer to layer.
    const bool shadowed = drawsDropShadow(*layer);
    for (auto ancestor = ancestors.rbegin(); ancestor != ancestors.rend(); ++ancestor) {
        auto transformLayer = makeTransformLayer(*ancestor, shadowed);
        transformLayer->setName(nameOf(**ancestor));
        if (auto inner = std::dynamic_pointer_cast<BaseCompositionLayer>(layer)) transformLayer->takeDropShadow(*inner);
        transformLayer->addContentSublayer(std::move(layer));
        layer = std::move(transformLayer);
    }
    return layer;
}

// The transform layers of the parent chain last added to a container, the
// outermost first. A following layer whose ancestors begin with the same ones
// goes into those transform layers instead of new ones: it is drawn above
// everything added before all the same, since each of them is the last
// sublayer of the one around it. A chain of n layers then takes n - 1
// transform layers, not one per ancestor of each.
struct OpenParentChain {
    std::vector<std::pair<const LayerModel*, std::shared_ptr<TransformLayer>>> layers;

    // How many of the transform layers `layer`, of `ancestors`, goes into: none
    // for a layer with a drop shadow, which its own outermost transform layer
    // draws outside every transform.
    std::size_t sharedBy(const std::vector<std::shared_ptr<const LayerModel>>& ancestors, const Layer& layer) const {
        if (!ancestors.empty() && drawsDropShadow(layer)) return 0;
        std::size_t shared = 0;
        while (shared < layers.size() && shared < ancestors.size() && layers[shared].first == ancestors[shared].get() &&
               sharable(*layers[shared].second)) {
            ++shared;
        }
        return shared;
    }

    // Adds `layer`, nested in transform layers for `ancestors`, to `container`.
    void add(Layer& container, const std::vector<std::shared_ptr<const LayerModel>>& ancestors,
             std::shared_ptr<Layer> layer, const std::string& name) {
        const std::size_t shared = sharedBy(ancestors, *layer);
        layers.resize(shared);
        Layer& host = shared == 0 ? container : *layers.back().second->contentsLayer();
        std::shared_ptr<Layer> outermost;
        const bool shadowed = drawsDropShadow(*layer);
        for (std::size_t index = shared; index < ancestors.size(); ++index) {
            auto transformLayer = makeTransformLayer(ancestors[index], shadowed && index == shared);
            transformLayer->setName(name + " (parent, " + ancestors[index]->name + ")");
            if (outermost) {
                layers.back().second->addContentSublayer(transformLayer);
            } else {
                outermost = transformLayer;
            }
            layers.emplace_back(ancestors[index].get(), std::move(transformLayer));
        }
        if (layers.size() > shared) {
            if (auto inner = std::dynamic_pointer_cast<BaseCompositionLayer>(layer)) {
                layers[shared].second->takeDropShadow(*inner);
            }
            layers.back().second->addContentSublayer(std::move(layer));
            host.addSublayer(std::move(outermost));
        } else {
            host.addSublayer(std::move(layer));
        }
    }
};

}  // namespace

std::shared_ptr<BaseCompositionLayer> LayerTreeBuilder::buildEngineLayer(const LayerModel& model,
                                                                         const std::shared_ptr<const LayerModel>& shared,
                                                                         const LayerContext& context) {
    LayerContext layerContext = context.forLayerNamed(model.name);
    if (!layerContext.buildBudget->allowsLayerDepth(context.depth, layerContext)) return nullptr;
    // Weighed before it is built: a text layer lays its text out as it is made.
    if (!layerContext.buildBudget->take(layerContext.buildBudget->weightOf(model), layerContext)) return nullptr;
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
    const std::set<const LayerModel*> cyclic = layersLeadingIntoCycles(table);
    LayerBuildBudget& budget = *context.buildBudget;
    OpenParentChain openChain;
    // Each ancestor nests its layer two deeper: more than this many would put
    // it past the depth the budget allows.
    const std::size_t mostAncestors =
        (LayerBuildBudget::maximumLayerDepth - std::min(context.depth, LayerBuildBudget::maximumLayerDepth)) / 2 + 1;
    for (const MattePair& pair : pairLayersWithMattes(models)) {
        const LayerModel& model = *pair.layer;
        const bool matted = pair.matte && pair.type != MatteType::none && pair.type != MatteType::unknown;
        const std::vector<std::shared_ptr<const LayerModel>> ancestors =
            ancestorsOf(model, table, cyclic, context, mostAncestors);
        // Each ancestor's transform layer nests two deep (it and its contents);
        // a matte's container one more.
        LayerContext layerContext = context;
        layerContext.depth = context.depth + 1 + 2 * ancestors.size() + (matted ? 1 : 0);
        std::shared_ptr<BaseCompositionLayer> layer = buildEngineLayer(model, pair.layer, layerContext);
        if (!layer) continue;
        const std::string& name = model.name;
        if (!matted) {
            // This engine drops a matte it cannot apply, where the main-thread
            // engine draws it as a layer of its own: the pictures differ.
            if (pair.matte && pair.type == MatteType::unknown) {
                context.forLayerNamed(name).reportCompatibilityIssue(lumaMatteMessage);
            }
            // The transform layers this one does not share are weighed too.
            const std::size_t newTransforms = ancestors.size() - openChain.sharedBy(ancestors, *layer);
            if (!budget.take(newTransforms, layerContext.forLayerNamed(name))) continue;
            openChain.add(parent, ancestors, std::move(layer), name);
            continue;
        }
        const std::vector<std::shared_ptr<const LayerModel>> matteAncestors =
            ancestorsOf(*pair.matte, table, cyclic, context, mostAncestors);
        LayerContext matteContext = context;
        matteContext.depth = context.depth + 2 + 2 * matteAncestors.size() + (pair.type == MatteType::invert ? 1 : 0);
        std::shared_ptr<Layer> maskLayer = buildEngineLayer(*pair.matte, pair.matte, matteContext);
        // Two containers, and the transform layers of both chains.
        if (!budget.take(2 + ancestors.size() + matteAncestors.size(), layerContext.forLayerNamed(name))) continue;
        std::shared_ptr<Layer> chain = parentChain(ancestors, std::move(layer), [&name](const LayerModel& ancestor) {
            return name + " (parent, " + ancestor.name + ")";
        });
        openChain.layers.clear();
        if (!maskLayer) {
            parent.addSublayer(std::move(chain));
            continue;
        }
        if (pair.type == MatteType::invert) {
            auto opaque = InfiniteOpaqueAnimationLayer::make();
            opaque->setBackgroundColor(
                platform::graphics::Color::fromRGBA(LottieConfiguration::sharedColorSpace(), 0, 0, 0, 1));
            const auto* composition = dynamic_cast<const BaseCompositionLayer*>(maskLayer.get());
            if (composition && composition->isOwnContentsLayer()) {
                // Blended as a whole once transformed, faded and masked.
                auto blended = BaseAnimationLayer::make();
                blended->addSublayer(std::move(maskLayer));
                maskLayer = std::move(blended);
            }
            maskLayer->setCompositingFilter("xor");
            opaque->addSublayer(std::move(maskLayer));
            maskLayer = std::move(opaque);
        }
        const std::string& matteName = pair.matte->name;
        std::shared_ptr<Layer> maskChain =
            parentChain(matteAncestors, std::move(maskLayer), [&](const LayerModel& ancestor) {
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
