#pragma once
// The layer of one shape group on the Core Animation engine: it carries the
// group's transform and opacity and holds, in the order of the group's items
// (the first on top), its child groups and the item layers of the fills and
// strokes drawn at its level (see ShapeLevelLayout). A level with repeaters
// holds its child groups and repeater copies below the item layers of the
// items after the last repeater. Items a parent level hands down come in as
// inherited items; an inherited stroke entering a scaled group is drawn at the
// width the scale would give it. An unnamed group without a transform item
// (the group ShapeGrouping wraps the loose items of a level in) changes
// nothing of what it holds: addTo puts its layers in its place instead of it.
//
// A group's opacity fades what the group itself draws, not the fills and
// strokes of the levels around it that draw its paths: a group that receives
// such drawings carries its transform alone and draws them, and holds above
// them a layer of the same group that carries its opacity and draws its own
// fills and strokes (so a value provider of the group's opacity fades just
// those, as the document's own value would).
// Built by ShapeGrouping; held by its shape, group or repeater layer; main
// thread only.

#include <memory>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/BaseAnimationLayer.h"
#include "Lottie/CoreAnimation/LayerContext.h"
#include "Lottie/CoreAnimation/ShapeItemReference.h"
#include "Lottie/CoreAnimation/ShapeRenderGroup.h"
#include "Lottie/Model/ShapeItems/Group.h"

namespace lottie {

class GroupLayer final : public BaseAnimationLayer {
public:
    // What of the group's transform item the layer carries.
    enum class Role {
        // Its transform and opacity.
        whole,
        // Its transform alone: the layer draws only drawings handed down from
        // the levels around the group (a group that draws nothing of its own,
        // or the group's own layer taken out of it).
        unfaded,
        // Its opacity alone, inside the group's unfaded layer that moves it.
        fadeOnly,
    };

    // Gathers the items; make() also builds the layers below. Throws the tracker's error in abort mode.
    GroupLayer(std::shared_ptr<const Group> group, const std::vector<ShapeItemReference>& inheritedItems,
               ContextKeypath groupPath, const LayerContext& context, Role role = Role::whole);
    static std::shared_ptr<GroupLayer> make(std::shared_ptr<const Group> group,
                                            const std::vector<ShapeItemReference>& inheritedItems,
                                            ContextKeypath groupPath, const LayerContext& context,
                                            Role role = Role::whole);
    // Adds `group` to `host`, or its sublayers when the group has no name and
    // no transform (and so no opacity) of its own to install.
    static void addTo(platform::compositor::Layer& host, const std::shared_ptr<GroupLayer>& group);

    const Group& group() const { return *group_; }
    const std::vector<ShapeItemReference>& items() const { return items_; }
    const ContextKeypath& groupPath() const { return groupPath_; }

    // An inherited item as the group's transformed space needs it: a stroke with
    // its width divided by the group's scale (GroupScaledStrokeWidth), a gradient
    // with its points taken into the group's space (GroupGradientPoints); other
    // items unchanged.
    static ShapeItemReference scaledForGroup(const ShapeItemReference& item, const Group& group,
                                             const LayerContext& context);

    void setupAnimations(const LayerAnimationContext& context) override;

private:
    // The group's transform item (its first outside its child groups), or null.
    const ShapeItemReference* transformItem() const;
    void setUpLayerHierarchy(const LayerContext& context);
    // The item layers of one drawing: one layer over the paths merged, or one per path.
    void addDrawingLayers(const ShapeRenderGroup& group, const LayerContext& context);
    // Whether a value provider reaches what the strokes and gradients handed
    // down into the group were fitted to when the tree was built: the group's
    // transform, or such a stroke's width.
    bool handedDownPaintsReachedByProviders(const LayerAnimationContext& context) const;

    std::shared_ptr<const Group> group_;
    std::vector<ShapeItemReference> items_;
    ContextKeypath groupPath_;
    Role role_;
    // The strokes and gradients handed down into the group, as the level
    // around it has them, when the group has a transform.
    std::vector<ShapeItemReference> handedDownPaints_;
};

}  // namespace lottie
