#include "Lottie/CoreAnimation/GroupLayer.h"

#include <algorithm>

#include "Lottie/CoreAnimation/GroupGradientPoints.h"
#include "Lottie/CoreAnimation/GroupScaledStrokeWidth.h"
#include "Lottie/CoreAnimation/GroupTransformProviders.h"
#include "Lottie/CoreAnimation/OpacityAnimation.h"
#include "Lottie/CoreAnimation/ShapeGrouping.h"
#include "Lottie/CoreAnimation/ShapeItemLayer.h"
#include "Lottie/CoreAnimation/ShapeLevelLayout.h"
#include "Lottie/CoreAnimation/ShapeRenderGroup.h"
#include "Lottie/CoreAnimation/LiftedGroupPaths.h"
#include "Lottie/CoreAnimation/TransformAnimations.h"
#include "Lottie/Model/Protocols/GradientShapeItem.h"
#include "Lottie/Model/Protocols/StrokeShapeItem.h"
#include "Lottie/Model/ShapeItems/Repeater.h"
#include "Lottie/Model/ShapeItems/RoundedCorners.h"
#include "Lottie/Model/ShapeItems/Shape.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"
#include "Lottie/Model/ShapeItems/Trim.h"
#include "Platform/Json/JsonParser.h"

namespace lottie {

using Reference = ShapeItemReference;

namespace {

// The transform item every part of which has its default value.
std::shared_ptr<const ShapeItem> defaultTransform() {
    static const std::shared_ptr<const ShapeItem> item =
        std::make_shared<const ShapeTransform>(platform::json::parse(R"({"ty":"tr","nm":"Transform"})"));
    return item;
}

const ShapeTransform* firstTransform(const ShapeItemList& items) {
    for (const auto& item : items) {
        if (const auto* transform = dynamic_cast<const ShapeTransform*>(item.get())) return transform;
    }
    return nullptr;
}

// The paths of several path items merged into one item, named after the group;
// none when one of them is no path this engine can build. It depends on the
// paths and the name alone, so views of the document share it.
std::optional<Reference> combinedPaths(const std::vector<Reference>& paths, const std::string& name,
                                        const LayerContext& context) {
    ShapeItemList items;
    for (const Reference& path : paths) items.push_back(path.item);
    auto combined = LiftedGroupPaths::merged(items, name, context.samplingAccount());
    if (!combined) return std::nullopt;
    return Reference{std::move(combined), paths.front().groupPath};
}

// The group with its fills and strokes, and those of the groups inside it,
// left out: what its unfaded layer draws the drawings handed down to it over.
std::shared_ptr<const Group> withoutDrawings(const Group& group) {
    ShapeItemList items;
    for (const auto& item : group.items()) {
        if (item->hidden()) continue;
        if (const auto* inner = dynamic_cast<const Group*>(item.get())) {
            items.push_back(withoutDrawings(*inner));
        } else if (!Reference{item, {}}.isDrawingItem()) {
            items.push_back(item);
        }
    }
    return std::make_shared<const Group>(std::move(items), group.name());
}

}  // namespace

GroupLayer::GroupLayer(std::shared_ptr<const Group> group, const std::vector<Reference>& inheritedItems,
                       ContextKeypath groupPath, const LayerContext& context, Role role)
    : group_(std::move(group)), groupPath_(std::move(groupPath)), role_(role) {
    if (!group_->name().empty()) groupPath_ = groupPath_.adding(group_->name());
    for (const auto& item : group_->items()) {
        if (!item->hidden()) items_.push_back({item, groupPath_});
    }
    const bool transformed = firstTransform(group_->items()) != nullptr;
    for (const Reference& inherited : inheritedItems) {
        items_.push_back(scaledForGroup(inherited, *group_, context));
        const bool gradient = dynamic_cast<const GradientShapeItem*>(inherited.item.get()) != nullptr;
        const bool stroke = dynamic_cast<const StrokeShapeItem*>(inherited.item.get()) != nullptr;
        if (transformed && (gradient || stroke)) handedDownPaints_.push_back(inherited);
    }
}

std::shared_ptr<GroupLayer> GroupLayer::make(std::shared_ptr<const Group> group, const std::vector<Reference>& inheritedItems,
                                             ContextKeypath groupPath, const LayerContext& context, Role role) {
    const bool drawingsHandedDown =
        role == Role::whole && std::ranges::any_of(inheritedItems, [](const Reference& item) { return item.isDrawingItem(); });
    if (drawingsHandedDown && ShapeLevelLayout::holdsDrawings(*group)) {
        // The drawings handed down under the group's own, which alone its opacity fades.
        auto unfaded = std::make_shared<GroupLayer>(withoutDrawings(*group), inheritedItems, groupPath, context, Role::unfaded);
        unfaded->setUpLayerHierarchy(context);
        std::vector<Reference> modifiers;
        std::ranges::copy_if(inheritedItems, std::back_inserter(modifiers),
                             [](const Reference& item) { return !item.isDrawingItem(); });
        unfaded->addSublayer(make(std::move(group), modifiers, std::move(groupPath), context, Role::fadeOnly));
        return unfaded;
    }
    auto layer = std::make_shared<GroupLayer>(std::move(group), inheritedItems, std::move(groupPath), context,
                                              drawingsHandedDown ? Role::unfaded : role);
    layer->setUpLayerHierarchy(context);
    return layer;
}

Reference GroupLayer::scaledForGroup(const Reference& item, const Group& group, const LayerContext& context) {
    const ShapeTransform* transform = firstTransform(group.items());
    if (item.isPathItem() || !transform) return item;
    Reference scaled = item;
    if (const auto* stroke = dynamic_cast<const StrokeShapeItem*>(scaled.item.get())) {
        auto width = std::make_shared<const KeyframeGroup<LottieVector1D>>(
            GroupScaledStrokeWidth::combined(*stroke->width(), *transform->scale(), item.item->name(), context));
        scaled.item = std::dynamic_pointer_cast<const ShapeItem>(stroke->withWidth(std::move(width)));
    }
    if (const auto* gradient = dynamic_cast<const GradientShapeItem*>(scaled.item.get())) {
        if (!GroupGradientPoints::keepsShapes(*transform)) {
            context.reportCompatibilityIssue(GroupGradientPoints::unevenTransformMessage);
        }
        scaled.item = gradient->withPoints(
            std::make_shared<const KeyframeGroup<LottieVector3D>>(
                GroupGradientPoints::inGroupSpace(*gradient->startPoint(), *transform, context)),
            std::make_shared<const KeyframeGroup<LottieVector3D>>(
                GroupGradientPoints::inGroupSpace(*gradient->endPoint(), *transform, context)));
    }
    return scaled;
}

void GroupLayer::setUpLayerHierarchy(const LayerContext& context) {
    const auto isRepeater = [](const Reference& item) { return dynamic_cast<const Repeater*>(item.item.get()) != nullptr; };
    if (std::ranges::none_of(items_, isRepeater)) {
        const std::vector<ShapeLevelLayout::Entry> entries = ShapeLevelLayout::layout(items_, group_->name(), groupPath_, context);
        for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
            if (entry->group) {
                addTo(*this, GroupLayer::make(entry->group, entry->inherited, groupPath_, context));
            } else {
                addDrawingLayers(*entry->drawing, context);
            }
        }
        return;
    }
    ShapeGrouping::setUpGroups(*this, items_, group_.get(), groupPath_, context);
    const bool hasChildGroups = std::ranges::any_of(
        items_, [](const Reference& item) { return dynamic_cast<const Group*>(item.item.get()) != nullptr; });
    // The copies of a repeater draw the items before it; drawing those once more
    // here would show an untransformed original above the copies (at full size
    // under a repeater that scales every copy), so only the items after the
    // last repeater are drawn at this level.
    const auto lastRepeater = std::find_if(items_.rbegin(), items_.rend(), isRepeater);
    const std::vector<Reference> ownItems(lastRepeater.base(), items_.end());
    const std::vector<ShapeRenderGroup> groups = ShapeRenderGroup::shapeRenderGroups(ownItems, hasChildGroups).groups;
    for (auto group = groups.rbegin(); group != groups.rend(); ++group) addDrawingLayers(*group, context);
}

void GroupLayer::addDrawingLayers(const ShapeRenderGroup& group, const LayerContext& context) {
    if (ShapeLevelLayout::drawnAsOnePath(group)) {
        if (auto combined = combinedPaths(group.pathItems, group_->name(), context)) {
            addSublayer(ShapeItemLayer::make(std::move(*combined), group.otherItems, context, group.pathItems));
            return;
        }
    }
    for (const Reference& path : group.pathItems) {
        auto layer = ShapeItemLayer::make(path, group.otherItems, context);
        layer->setLiftedGroups(group.liftedGroups);
        addSublayer(std::move(layer));
    }
}

void GroupLayer::addTo(platform::compositor::Layer& host, const std::shared_ptr<GroupLayer>& group) {
    if (!group->group().name().empty() || group->transformItem()) {
        host.addSublayer(group);
        return;
    }
    const std::vector<std::shared_ptr<platform::compositor::Layer>> sublayers = group->sublayers();
    for (const auto& sublayer : sublayers) host.addSublayer(sublayer);
}

bool GroupLayer::handedDownPaintsReachedByProviders(const LayerAnimationContext& context) const {
    // A stroke's width is divided by the group's scale, and a gradient's
    // points taken into the group's space, by the document's values alone.
    static const std::vector<PropertyName> scale{PropertyName::scale};
    static const std::vector<PropertyName> placement{PropertyName::position, PropertyName::rotation,
                                                     PropertyName::scale};
    for (const Reference& paint : handedDownPaints_) {
        const bool gradient = dynamic_cast<const GradientShapeItem*>(paint.item.get()) != nullptr;
        if (GroupTransformProviders::reached(*group_, groupPath_, gradient ? placement : scale, context)) return true;
        const bool stroke = dynamic_cast<const StrokeShapeItem*>(paint.item.get()) != nullptr;
        if (stroke && GroupTransformProviders::reachesItem(paint, PropertyName::strokeWidth, context)) return true;
    }
    return false;
}

const Reference* GroupLayer::transformItem() const {
    for (const Reference& item : items_) {
        if (dynamic_cast<const Group*>(item.item.get())) continue;
        if (dynamic_cast<const ShapeTransform*>(item.item.get())) return &item;
    }
    return nullptr;
}

void GroupLayer::setupAnimations(const LayerAnimationContext& context) {
    BaseAnimationLayer::setupAnimations(context);
    // A group without a transform item has the default one: its "Transform"
    // keypaths reach the same parts as those of a group that has one, so a
    // value provider moves or fades it as the main-thread engine does.
    const Reference* own = transformItem();
    const Reference reference = own ? *own : Reference{defaultTransform(), groupPath_};
    const auto& transform = dynamic_cast<const ShapeTransform&>(*reference.item);
    const LayerAnimationContext itemContext = reference.context(context);
    if (handedDownPaintsReachedByProviders(context)) {
        context.reportCompatibilityIssue(GroupTransformProviders::handedDownIssue);
    }
    if (role_ != Role::fadeOnly) TransformAnimations::addTransformAnimations(*this, transform, itemContext);
    if (role_ != Role::unfaded) OpacityAnimation::animateOpacity(*this, *transform.opacity(), itemContext);
}

}  // namespace lottie
