#pragma once
// The items of one level of a shape layer cut into what one compositor shape
// layer can draw: path items with the items that style them. A fill applies to
// the paths before it back to the previous fill; a trim cuts the paths before
// it off from those after it; strokes, trims and rounded corners apply to every
// path before them. Each group then has one drawing item (a fill or a stroke,
// solid or gradient), or a fill with a stroke above it when one layer can draw
// both: when the two are fully opaque throughout. With any transparency each
// gets a layer of its own, the stroke above, so that each keeps its own opacity
// and the stroke's translucent edge lies over the fill as the main-thread engine
// draws it. A value, made while the layer tree is built.

#include <vector>

#include "Lottie/CoreAnimation/ShapeItemReference.h"

namespace lottie {

struct ShapeRenderGroup {
    std::vector<ShapeItemReference> pathItems;
    std::vector<ShapeItemReference> otherItems;
    // The still groups whose paths the one path item holds, taken into this
    // level's space (LiftedGroupPaths); none for paths of the level alone.
    std::vector<ShapeItemReference> liftedGroups = {};

    struct Grouping {
        std::vector<ShapeRenderGroup> groups;
        // The items no group draws, in order: handed down to child groups.
        std::vector<ShapeItemReference> unusedItems;
    };
    // `inheritUnusedItems`: the level has child groups, which take a fill that
    // follows another fill instead of it sharing the paths at this level.
    static Grouping shapeRenderGroups(const std::vector<ShapeItemReference>& items, bool inheritUnusedItems);

    // Opacity 100 at every keyframe (for items with an opacity): nothing of
    // what lies below shows through.
    static bool fullyOpaque(const ShapeItemReference& reference);

    // The groups this group is drawn as: none without a drawing item.
    std::vector<ShapeRenderGroup> splitByDrawingItem() const;
};

}  // namespace lottie
