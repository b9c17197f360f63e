#pragma once
// Whether a value provider installed on the root layer reaches the transform
// of a shape group, for the layers that draw with the group's transform taken
// in once, while the tree was built (paths of a still group that a fill or
// stroke of the level around it draws, strokes and gradients handed down into
// a group): the provider would move the group's layer, or nothing, where the
// main-thread engine redraws with the provider's value. Such a provider is a
// compatibility issue. A group's transform answers to the transform item's
// own name and to "Transform", as on either engine. Stateless.

#include <memory>
#include <vector>

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/CoreAnimation/PropertyName.h"
#include "Lottie/CoreAnimation/ShapeItemReference.h"
#include "Lottie/Model/ShapeItems/Group.h"

namespace lottie {

struct GroupTransformProviders {
    static constexpr const char* liftedGroupIssue =
        "The Core Animation rendering engine doesn't support value providers on the transform of a group whose paths "
        "a fill or stroke of an outer level draws";
    static constexpr const char* handedDownIssue =
        "The Core Animation rendering engine doesn't support value providers on the transform of a group that a "
        "stroke or gradient of an outer level is drawn in, nor on the width of such a stroke";

    // Whether a provider reaches one of `names` of the transform of `group`
    // (placed by `reference`, its item) or, with `nested`, of a group inside it.
    static bool reached(const ShapeItemReference& reference, const std::vector<PropertyName>& names, bool nested,
                        const LayerAnimationContext& context);
    // The same for `group` at the keypath `groupPath` (its own name included)
    // within the layer of `context`, its inner groups left out.
    static bool reached(const Group& group, const ContextKeypath& groupPath, const std::vector<PropertyName>& names,
                        const LayerAnimationContext& context);
    // Whether a provider reaches the property `name` of the item `reference`.
    static bool reachesItem(const ShapeItemReference& reference, PropertyName name,
                            const LayerAnimationContext& context);
};

}  // namespace lottie
