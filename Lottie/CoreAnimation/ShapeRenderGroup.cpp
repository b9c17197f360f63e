#include "Lottie/CoreAnimation/ShapeRenderGroup.h"

#include <algorithm>
#include <set>

#include "Lottie/Model/Protocols/OpacityAnimationModel.h"
#include "Lottie/Model/ShapeItems/Trim.h"

namespace lottie {

namespace {

bool holdsTrim(const std::vector<ShapeItemReference>& items) {
    return std::ranges::any_of(items, [](const auto& reference) { return reference.item->type() == ShapeType::trim; });
}

}  // namespace

bool ShapeRenderGroup::fullyOpaque(const ShapeItemReference& reference) {
    const auto* model = dynamic_cast<const OpacityAnimationModel*>(reference.item.get());
    const auto opacity = model ? model->opacity() : nullptr;
    return !opacity || std::ranges::all_of(opacity->keyframes(),
                                           [](const auto& keyframe) { return keyframe.value().value == 100; });
}

ShapeRenderGroup::Grouping ShapeRenderGroup::shapeRenderGroups(const std::vector<ShapeItemReference>& items,
                                                               bool inheritUnusedItems) {
    std::vector<ShapeRenderGroup> groups(1);
    for (const ShapeItemReference& reference : items) {
        if (reference.isPathItem()) {
            if (holdsTrim(groups.back().otherItems)) groups.emplace_back();
            groups.back().pathItems.push_back(reference);
        } else if (reference.isFillType()) {
            groups.back().otherItems.push_back(reference);
            if (groups.size() >= 2 && groups.back().pathItems.empty() && !inheritUnusedItems) {
                groups.back().pathItems = groups[groups.size() - 2].pathItems;
            }
            groups.emplace_back();
        } else {
            for (ShapeRenderGroup& group : groups) group.otherItems.push_back(reference);
        }
    }
    Grouping result;
    std::set<const ShapeItem*> used;
    for (const ShapeRenderGroup& group : groups) {
        for (ShapeRenderGroup& split : group.splitByDrawingItem()) {
            if (split.pathItems.empty()) continue;
            for (const auto& reference : split.pathItems) used.insert(reference.item.get());
            for (const auto& reference : split.otherItems) used.insert(reference.item.get());
            result.groups.push_back(std::move(split));
        }
    }
    for (const ShapeItemReference& reference : items) {
        if (!used.contains(reference.item.get())) result.unusedItems.push_back(reference);
    }
    return result;
}

std::vector<ShapeRenderGroup> ShapeRenderGroup::splitByDrawingItem() const {
    std::vector<ShapeItemReference> drawing, modifiers;
    for (const ShapeItemReference& reference : otherItems) {
        (reference.isDrawingItem() ? drawing : modifiers).push_back(reference);
    }
    if (drawing.empty()) return {};
    const bool strokeAboveFill = drawing.size() == 2 && drawing[0].isStrokeType() && drawing[1].isFillType();
    if (strokeAboveFill && fullyOpaque(drawing[0]) && fullyOpaque(drawing[1])) return {*this};
    std::vector<ShapeRenderGroup> groups;
    for (const ShapeItemReference& reference : drawing) {
        ShapeRenderGroup group{pathItems, {reference}};
        group.otherItems.insert(group.otherItems.end(), modifiers.begin(), modifiers.end());
        groups.push_back(std::move(group));
    }
    return groups;
}

}  // namespace lottie
