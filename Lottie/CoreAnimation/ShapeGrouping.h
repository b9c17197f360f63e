#pragma once
// How the items of one level of a shape layer become layers on the Core
// Animation engine: repeaters split the level into segments (each repeater
// repeats the items before it back to the previous one; later segments are
// drawn below earlier ones), and each segment becomes group layers, the first
// group of the document on top. At the shape layer's own level, and in each
// repeater copy, loose path items wrap the whole level in one group without a
// name; without them, each group takes the items of the level that reach into
// it (ShapeLevelLayout). Used by the shape layer, the group layers and itself;
// stateless.

#include <memory>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/GroupLayer.h"
#include "Lottie/CoreAnimation/LayerContext.h"
#include "Lottie/CoreAnimation/ShapeItemReference.h"
#include "Lottie/Model/ShapeItems/Repeater.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

struct ShapeGrouping {
    // Copies the engine makes at most; more would build a layer tree per copy
    // for a document that cannot show them.
    static constexpr int maximumCopies = 1000;
    static constexpr const char* individualTrimOverGroupsIssue =
        "The Core Animation rendering engine doesn't support trims applied individually to the paths of nested "
        "groups";

    // Reports a trim applied individually after a group that holds paths.
    static void reportIndividualTrimOverGroups(const std::vector<ShapeItemReference>& items,
                                               const LayerContext& context);

    // `parentGroup` null: the shape layer's own level or a repeater copy. Throws
    // the tracker's error in abort mode.
    static void setUpGroups(platform::compositor::Layer& layer, const std::vector<ShapeItemReference>& items,
                            const Group* parentGroup, const ContextKeypath& parentGroupPath,
                            const LayerContext& context);
    static std::vector<std::shared_ptr<GroupLayer>> makeGroupLayers(const std::vector<ShapeItemReference>& items,
                                                                    const Group* parentGroup,
                                                                    const ContextKeypath& parentGroupPath,
                                                                    const LayerContext& context);
    // `items`: the items the repeater repeats, none of them a repeater (each
    // repeater ends a segment of setUpGroups).
    static void setUpRepeaterLayers(platform::compositor::Layer& layer, const std::shared_ptr<const Repeater>& repeater,
                                    const std::vector<ShapeItemReference>& items,
                                    const ContextKeypath& parentGroupPath, const LayerContext& context);
    // The number of copies: the first keyframe truncated, none without
    // keyframes or for a count that is not finite or below 1, at most maximumCopies.
    static int copyCount(const Repeater& repeater);
};

}  // namespace lottie
