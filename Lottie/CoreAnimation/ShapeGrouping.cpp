#include "Lottie/CoreAnimation/ShapeGrouping.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "Lottie/CoreAnimation/RepeaterLayer.h"
#include "Lottie/CoreAnimation/ShapeLevelLayout.h"
#include "Lottie/CoreAnimation/ShapePaintAnimation.h"
#include "Lottie/CoreAnimation/ShapeRenderGroup.h"
#include "Lottie/CoreAnimation/SharedItemResults.h"
#include "Lottie/Model/ShapeItems/Trim.h"
#include "Lottie/Playback/Engine/LayerBuildWeight.h"

namespace lottie {

using Reference = ShapeItemReference;

namespace {

struct Segment {
    std::vector<Reference> items;
    std::shared_ptr<const Repeater> repeater;
};

void addGroupLayers(platform::compositor::Layer& layer, const std::vector<Reference>& items, const Group* parentGroup,
                    const ContextKeypath& parentGroupPath, const LayerContext& context) {
    for (const auto& group : ShapeGrouping::makeGroupLayers(items, parentGroup, parentGroupPath, context)) {
        GroupLayer::addTo(layer, group);
    }
}

}  // namespace

// A trim applied individually runs along every path before it one after the
// other, those of the groups inside its own too; the layers of separate groups
// cannot share one such run, so it is reported (the main-thread engine draws it).
void ShapeGrouping::reportIndividualTrimOverGroups(const std::vector<Reference>& items, const LayerContext& context) {
    bool afterGroupWithPaths = false;
    for (const Reference& reference : items) {
        if (reference.item->hidden()) continue;
        if (const auto* group = dynamic_cast<const Group*>(reference.item.get())) {
            afterGroupWithPaths = afterGroupWithPaths || ShapeLevelLayout::holdsPaths(*group);
        } else if (const auto* trim = dynamic_cast<const Trim*>(reference.item.get());
                   trim && afterGroupWithPaths && trim->trimType() == TrimType::individually) {
            context.reportCompatibilityIssue(individualTrimOverGroupsIssue);
            return;
        }
    }
}

void ShapeGrouping::setUpGroups(platform::compositor::Layer& layer, const std::vector<Reference>& items,
                                const Group* parentGroup, const ContextKeypath& parentGroupPath,
                                const LayerContext& context) {
    std::vector<Segment> segments;
    for (const Reference& reference : items) {
        if (segments.empty() || segments.back().repeater) segments.emplace_back();
        if (auto repeater = std::dynamic_pointer_cast<const Repeater>(reference.item)) {
            segments.back().repeater = std::move(repeater);
        } else {
            segments.back().items.push_back(reference);
        }
    }
    for (auto segment = segments.rbegin(); segment != segments.rend(); ++segment) {
        if (segment->repeater) {
            setUpRepeaterLayers(layer, segment->repeater, segment->items, parentGroupPath, context);
        } else {
            addGroupLayers(layer, segment->items, parentGroup, parentGroupPath, context);
        }
    }
}

std::vector<std::shared_ptr<GroupLayer>> ShapeGrouping::makeGroupLayers(const std::vector<Reference>& items,
                                                                        const Group* parentGroup,
                                                                        const ContextKeypath& parentGroupPath,
                                                                        const LayerContext& context) {
    std::vector<std::shared_ptr<const Group>> groups;
    std::vector<Reference> looseItems;
    for (const Reference& reference : items) {
        if (auto group = std::dynamic_pointer_cast<const Group>(reference.item)) {
            if (!group->hidden()) groups.push_back(std::move(group));
        } else if (!reference.item->hidden()) {
            looseItems.push_back(reference);
        }
    }
    if (!parentGroup) {
        // Loose paths, or fills and strokes that may draw the paths of several
        // groups at this level, make the level one group of its own.
        if (std::ranges::any_of(looseItems,
                                [](const Reference& item) { return item.isPathItem() || item.isDrawingItem(); })) {
            ShapeItemList all;
            for (const Reference& reference : items) all.push_back(reference.item);
            return {GroupLayer::make(std::make_shared<const Group>(std::move(all), std::string()), {}, parentGroupPath,
                                     context)};
        }
        // Without paths of its own the level is only its groups, with what
        // reaches into each of them.
        std::vector<std::shared_ptr<GroupLayer>> layers;
        const std::vector<ShapeLevelLayout::Entry> entries = ShapeLevelLayout::layout(items, std::string(), parentGroupPath, context);
        for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
            if (entry->group) layers.push_back(GroupLayer::make(entry->group, entry->inherited, parentGroupPath, context));
        }
        return layers;
    }
    reportIndividualTrimOverGroups(items, context);
    const std::vector<Reference> unused = ShapeRenderGroup::shapeRenderGroups(looseItems, !groups.empty()).unusedItems;
    // The groups take the items no group of this level draws, and every trim:
    // a trim cuts the paths of the groups before it as well as this level's own.
    // Not the level's transform: it moves the groups through this level's
    // layer, and each group has its own (a copy per level would also grow with
    // the square of the depth of nested groups).
    std::vector<Reference> inherited;
    for (const Reference& reference : looseItems) {
        if (reference.item->type() == ShapeType::transform) continue;
        const bool isUnused = std::ranges::any_of(unused, [&](const Reference& item) { return item.item == reference.item; });
        if (isUnused || reference.item->type() == ShapeType::trim) inherited.push_back(reference);
    }
    // Each group keeps its own references to the inherited items, which nested
    // groups hand down level after level, so their number grows with the
    // square of the depth: weighed as a vertex each (a reference takes some
    // tens of bytes, the items themselves are shared).
    const std::size_t inheritedWeight = inherited.size() / LayerBuildWeight::verticesPerLayer;
    std::vector<std::shared_ptr<GroupLayer>> layers;
    for (auto group = groups.rbegin(); group != groups.rend(); ++group) {
        if (inheritedWeight > 0 && !context.buildBudget->take(inheritedWeight, context)) break;
        layers.push_back(GroupLayer::make(*group, inherited, parentGroupPath, context));
    }
    return layers;
}

int ShapeGrouping::copyCount(const Repeater& repeater) {
    const auto& keyframes = repeater.copies()->keyframes();
    if (keyframes.empty()) return 0;
    const double count = std::trunc(keyframes.front().value().value);
    if (!(count >= 1)) return 0;
    return static_cast<int>(std::min(count, double(maximumCopies)));
}

void ShapeGrouping::setUpRepeaterLayers(platform::compositor::Layer& layer,
                                        const std::shared_ptr<const Repeater>& shared,
                                        const std::vector<Reference>& items,
                                        const ContextKeypath& parentGroupPath, const LayerContext& context) {
    const Repeater& repeater = *shared;
    if (repeater.copies()->keyframes().size() != 1) {
        context.reportCompatibilityIssue(ShapePaintAnimation::multipleKeyframesIssue("repeater copies"));
    }
    const int copies = copyCount(repeater);
    // Each copy builds the items again, repeaters among them included: copies
    // of copies multiply, so each is weighed in the build's budget.
    ShapeItemList copied;
    for (const Reference& reference : items) copied.push_back(reference.item);
    const std::size_t copyWeight = LayerBuildWeight::ofCopy(copied);
    const SamplingAccount account = context.samplingAccount();
    for (int index = 0; index < copies; ++index) {
        if (!context.buildBudget->take(copyWeight, context)) return;
        // A copy's transform and opacity depend on the repeater alone: one
        // serves every group of the copy and every view of the document (each
        // group is still charged the opacity's making).
        const std::string copy = std::to_string(index) + "/" + std::to_string(copies);
        const auto transform = SharedItemResults::repeaterTransforms().shared(
            {shared}, copy, account, [&] { return std::optional<RepeaterTransform>(std::in_place, repeater, index); });
        const auto makeOpacity = [&]() -> std::optional<KeyframeGroup<LottieVector1D>> {
            if (auto opacity = RepeaterLayer::copyOpacity(repeater, index, copies, account)) return *opacity;
            return std::nullopt;
        };
        for (auto& group : makeGroupLayers(items, nullptr, parentGroupPath, context)) {
            auto layerOfCopy = std::make_shared<RepeaterLayer>(
                transform, SharedItemResults::repeaterOpacities().shared({shared}, copy, account, makeOpacity));
            GroupLayer::addTo(*layerOfCopy, group);
            layer.addSublayer(std::move(layerOfCopy));
        }
    }
}

}  // namespace lottie
