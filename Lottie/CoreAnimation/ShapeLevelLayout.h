#pragma once
// The layers one level of a shape group becomes on the Core Animation engine,
// in the order its items give them (the first on top): each child group, and
// each fill or stroke that draws the level's own paths. A fill or stroke
// draws every path listed before it at its level, those of the child groups
// before it included, as one path; trims and rounded corners change every path
// listed before them. So a fill or stroke whose paths are all the level's own
// is drawn here, over all of them merged into one path (cut apart only where a
// trim or rounded corners change some of them and not the others); one whose
// paths all lie in child groups is handed down to them, where it is drawn
// after their own items, when that gives the same picture. Otherwise, where
// the groups it reaches hold still and keep their paths as they are, their
// paths are taken into this level's space and drawn here with its own; what
// is left is a compatibility issue. Levels with repeaters keep the grouping of
// ShapeGrouping. Used by the group layers; stateless.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/LayerContext.h"
#include "Lottie/CoreAnimation/ShapeItemReference.h"
#include "Lottie/CoreAnimation/ShapeRenderGroup.h"
#include "Lottie/Model/ShapeItems/Group.h"

namespace lottie {

struct ShapeLevelLayout {
    static constexpr const char* pathsOfGroupsAndLevelIssue =
        "The Core Animation rendering engine doesn't support a fill or stroke that draws the paths of its own level "
        "and those of a group before it";
    static constexpr const char* pathsOfSeveralGroupsIssue =
        "The Core Animation rendering engine doesn't support a translucent fill or stroke, a fill that can cut holes, "
        "or a fill or stroke below drawings of several groups, that draws the paths of several groups";
    static constexpr const char* partlyDrawnIndividualTrimIssue =
        "The Core Animation rendering engine doesn't support a trim applied individually to paths that different "
        "fills or strokes draw";
    static constexpr const char* splitFillIssue =
        "The Core Animation rendering engine doesn't support a fill, or a translucent stroke, over overlapping paths "
        "that trims or rounded corners draw apart";
    static constexpr const char* roundedAfterTrimIssue =
        "The Core Animation rendering engine doesn't support rounded corners applied to paths a trim has cut";
    static constexpr const char* fadedGroupIssue =
        "The Core Animation rendering engine doesn't support a fill or stroke that draws the paths of a group with "
        "an opacity of its own";

    // One layer of the level: a child group with the items of this level that
    // reach into it, or the paths and items of one drawing made at this level.
    struct Entry {
        std::shared_ptr<const Group> group;
        std::vector<ShapeItemReference> inherited;
        std::optional<ShapeRenderGroup> drawing;
    };

    // `items`: the level's visible items followed by those handed down to it;
    // `levelName` and `levelPath` name the paths merged at this level. Reports
    // what cannot be drawn so (throwing the tracker's error in abort mode) and
    // leaves it out.
    static std::vector<Entry> layout(const std::vector<ShapeItemReference>& items, const std::string& levelName,
                                     const ContextKeypath& levelPath, const LayerContext& context);

    // Whether the paths of a drawing are drawn as one path, as the main-thread
    // engine draws them: so a fill cuts holes where paths wound the other way
    // (or, by the even-odd rule, any paths) overlap, a translucent drawing
    // does not darken where they overlap, and a trim applied individually
    // runs along all of them one after the other as one length. Under rounded
    // corners only custom paths are merged (and their rounding is an issue);
    // other paths keep a layer each, which rounds its own corners.
    static bool drawnAsOnePath(const ShapeRenderGroup& drawing);

    // Whether the group, or a group inside it, holds a path that is drawn.
    static bool holdsPaths(const Group& group);
    // Whether the group, or a group inside it, holds a fill or stroke.
    static bool holdsDrawings(const Group& group);
};

}  // namespace lottie
