#pragma once
// The paths of a shape group drawn by a fill or stroke of the level around it:
// each path item of the group and of the groups inside it, taken once into the
// level's space by the groups' transforms, so that the level merges them with
// its own paths into one path. Only groups that hold still and keep their
// paths as they are can be taken out so. Used by ShapeLevelLayout and
// GroupLayer; stateless.

#include <memory>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/SamplingBudget.h"
#include "Lottie/Model/ShapeItems/CombinedShapeItem.h"
#include "Lottie/Model/ShapeItems/Group.h"
#include "Lottie/Values/BezierPath.h"
#include "Lottie/Model/KeyframeGroupReading.h"
#include "Platform/Graphics/AffineTransform.h"

namespace lottie {

struct LiftedGroupPaths {
    // Whether the group and the groups inside it hold still (each part of
    // their transforms has one value at most; their opacity does not matter)
    // and nothing inside changes their paths (trims, rounded corners) or
    // repeats them.
    static bool liftable(const Group& group);

    // Appends the keyframes of every path of the group, in item order, taken
    // into the space around the group and then by `outer`; false where one is
    // no path this engine builds. The keyframes combined are charged to `account`.
    static bool collect(const Group& group, const platform::graphics::AffineTransform& outer,
                        const SamplingAccount& account, std::vector<KeyframeGroupPtr<BezierPath>>& paths);

    // The paths of `items` (path items, and every path of the groups among
    // them, collected as above) merged into one item named `name`; null where
    // one is no path this engine builds, or there is none. It depends on the
    // items and the name alone, so the views of a document share it
    // (SharedItemResults::combinedItems); each is charged its making.
    static std::shared_ptr<const CombinedShapeItem> merged(const ShapeItemList& items, const std::string& name,
                                                           const SamplingAccount& account);
};

}  // namespace lottie
