#include "Lottie/CoreAnimation/ShapeLevelLayout.h"

#include <algorithm>
#include <cmath>

#include "Lottie/CoreAnimation/GradientStops.h"
#include "Lottie/CoreAnimation/LiftedGroupPaths.h"
#include "Lottie/CoreAnimation/ShapeGrouping.h"
#include "Lottie/CoreAnimation/ShapePathAnimation.h"
#include "Lottie/CoreAnimation/ShapeRenderGroup.h"
#include "Lottie/Model/Protocols/GradientShapeItem.h"
#include "Lottie/Model/Protocols/StrokeShapeItem.h"
#include "Lottie/Model/ShapeItems/RoundedCorners.h"
#include "Lottie/Model/ShapeItems/Shape.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"
#include "Lottie/Model/ShapeItems/Trim.h"

namespace lottie {

using Reference = ShapeItemReference;

namespace {

bool isModifier(const Reference& reference) {
    return reference.item->type() == ShapeType::trim || reference.item->type() == ShapeType::round;
}

// A trim that cuts something at some time: one whose start is not 0 or whose
// end is not 100 at some keyframe.
bool cuts(const Reference& reference) {
    const auto* trim = dynamic_cast<const Trim*>(reference.item.get());
    if (!trim) return false;
    const auto at = [](const auto& group, double value) {
        return std::ranges::all_of(group->keyframes(), [value](const auto& keyframe) { return keyframe.value().value == value; });
    };
    return !at(trim->start(), 0) || !at(trim->end(), 100);
}

// A fill or stroke that shows nothing below it anywhere it paints: opacity 100
// throughout and, for a gradient, no stop that is less than opaque.
bool paintsOpaque(const Reference& drawing) {
    if (!ShapeRenderGroup::fullyOpaque(drawing)) return false;
    const auto* gradient = dynamic_cast<const GradientShapeItem*>(drawing.item.get());
    if (!gradient) return true;
    std::vector<std::vector<double>> values;
    for (const auto& keyframe : gradient->colors()->keyframes()) values.push_back(keyframe.value());
    return !GradientStops::hasAlpha(values, gradient->numberOfColors());
}

// A group whose opacity is 100 throughout: a drawing handed down to it is not
// faded by it.
bool opaqueGroup(const Group& group) {
    for (const auto& item : group.items()) {
        if (dynamic_cast<const ShapeTransform*>(item.get())) return ShapeRenderGroup::fullyOpaque({item, {}});
    }
    return true;
}

// The layout of one level, built item by item.
class LevelBuilder {
public:
    LevelBuilder(const std::vector<Reference>& items, std::string levelName, ContextKeypath levelPath,
                 const LayerContext& context)
        : items_(items), levelName_(std::move(levelName)), levelPath_(std::move(levelPath)), context_(context) {}

    std::vector<ShapeLevelLayout::Entry> build() {
        for (std::size_t index = 0; index < items_.size(); ++index) {
            const Reference& reference = items_[index];
            if (reference.item->hidden()) continue;
            if (auto group = std::dynamic_pointer_cast<const Group>(reference.item)) {
                groups_.push_back({entries_.size(), index, ShapeLevelLayout::holdsPaths(*group),
                                   ShapeLevelLayout::holdsDrawings(*group)});
                entries_.push_back({std::move(group), {}, std::nullopt});
            } else if (reference.isPathItem()) {
                paths_.push_back(index);
            } else if (isModifier(reference)) {
                // A trim or rounded corners change the paths of the groups before it too.
                for (const GroupSlot& slot : groups_) entries_[slot.entry].inherited.push_back(reference);
            } else if (reference.isDrawingItem()) {
                addDrawing(index);
            }
        }
        return std::move(entries_);
    }

private:
    struct GroupSlot {
        std::size_t entry;
        std::size_t item;
        bool holdsPaths;
        // Whether the group draws anything of its own or handed down so far.
        bool draws;
    };

    void addDrawing(std::size_t index) {
        std::vector<GroupSlot*> reached;
        for (GroupSlot& slot : groups_) {
            if (slot.holdsPaths) reached.push_back(&slot);
        }
        if (paths_.empty() && reached.empty()) return;
        if (reached.empty()) {
            drawHere(index, {});
            return;
        }
        const Reference& drawing = items_[index];
        const char* issue = paths_.empty() ? inheritanceIssue(drawing, reached)
                                           : ShapeLevelLayout::pathsOfGroupsAndLevelIssue;
        if (!issue) {
            for (GroupSlot* slot : reached) {
                entries_[slot->entry].inherited.push_back(drawing);
                slot->draws = true;
            }
        } else if (canLift(reached)) {
            drawHere(index, reached);
        } else {
            context_.reportCompatibilityIssue(issue);
        }
    }

    // Why the drawing cannot be handed down to the groups it reaches, or null.
    // Drawn once in each group, the drawing must look as one drawing over all
    // of them: not faded by a group's opacity; and, over several groups,
    // opaque, so that overlaps do not darken; a stroke, which cuts no holes
    // where the paths of two groups overlap; and drawn below the others'
    // drawings, which holds when no group but the first draws anything yet.
    const char* inheritanceIssue(const Reference& drawing, const std::vector<GroupSlot*>& reached) const {
        for (const GroupSlot* slot : reached) {
            if (!opaqueGroup(*entries_[slot->entry].group)) return ShapeLevelLayout::fadedGroupIssue;
        }
        if (reached.size() == 1) return nullptr;
        const bool agree = drawing.isStrokeType() && paintsOpaque(drawing) &&
                           std::none_of(reached.begin() + 1, reached.end(), [](const GroupSlot* slot) { return slot->draws; });
        return agree ? nullptr : ShapeLevelLayout::pathsOfSeveralGroupsIssue;
    }

    // Whether the paths of the reached groups can be drawn at this level: the
    // groups hold still, and no trim or rounded corners after them would
    // change their paths in the groups' own space.
    bool canLift(const std::vector<GroupSlot*>& reached) const {
        const std::size_t first = reached.front()->item;
        for (std::size_t after = first + 1; after < items_.size(); ++after) {
            if (isModifier(items_[after])) return false;
        }
        return std::ranges::all_of(reached, [this](const GroupSlot* slot) { return LiftedGroupPaths::liftable(*entries_[slot->entry].group); });
    }

    // The paths drawn by the item at `index` (the own paths and those of the
    // `lifted` groups), merged into one path for each run of paths that the
    // same trims and rounded corners change.
    void drawHere(std::size_t index, const std::vector<GroupSlot*>& lifted) {
        const Reference& drawing = items_[index];
        std::vector<std::size_t> sources = paths_;
        for (const GroupSlot* slot : lifted) sources.push_back(slot->item);
        std::ranges::sort(sources);
        std::vector<std::vector<std::size_t>> runSources;
        std::vector<ShapeRenderGroup> runs;
        for (std::size_t source : sources) {
            const bool modifierBetween =
                !runSources.empty() && std::any_of(items_.begin() + static_cast<std::ptrdiff_t>(runSources.back().back()),
                                                   items_.begin() + static_cast<std::ptrdiff_t>(source), isModifier);
            if (runSources.empty() || modifierBetween) {
                runSources.emplace_back();
                runs.push_back({{}, {drawing}});
                for (std::size_t after = source + 1; after < items_.size(); ++after) {
                    if (isModifier(items_[after])) runs.back().otherItems.push_back(items_[after]);
                }
            }
            runSources.back().push_back(source);
            if (items_[source].isPathItem()) runs.back().pathItems.push_back(items_[source]);
        }
        for (std::size_t run = 0; run < runs.size(); ++run) {
            if (!trimsAlongAllItsPaths(runSources[run])) {
                context_.reportCompatibilityIssue(ShapeLevelLayout::partlyDrawnIndividualTrimIssue);
                return;
            }
            // The layer rounds the whole path and trims what is rounded.
            const auto trim = std::ranges::find_if(runs[run].otherItems, cuts);
            if (std::any_of(trim, runs[run].otherItems.end(),
                            [](const Reference& item) { return item.item->type() == ShapeType::round; })) {
                context_.reportCompatibilityIssue(ShapeLevelLayout::roundedAfterTrimIssue);
                return;
            }
        }
        if ((drawing.isFillType() || !paintsOpaque(drawing)) && layersMayOverlap(runs, drawing)) {
            context_.reportCompatibilityIssue(ShapeLevelLayout::splitFillIssue);
            return;
        }
        if (!lifted.empty()) {
            // The run with the groups (the last: nothing after them changes paths)
            // becomes one path in this level's space.
            auto merged = liftedPaths(runSources.back());
            if (!merged) {
                context_.reportCompatibilityIssue(ShapeLevelLayout::pathsOfGroupsAndLevelIssue);
                return;
            }
            runs.back().pathItems = {std::move(*merged)};
            for (const GroupSlot* slot : lifted) runs.back().liftedGroups.push_back(items_[slot->item]);
        }
        // An opaque stroke listed right before an opaque fill of the same
        // paths is drawn by the same layer, above the fill.
        if (drawing.isFillType() && lastDrawnHere_ && *lastDrawnHere_ + 1 == index &&
            items_[*lastDrawnHere_].isStrokeType() && ShapeRenderGroup::fullyOpaque(items_[*lastDrawnHere_]) &&
            ShapeRenderGroup::fullyOpaque(drawing) && lastEntries_.size() == runs.size() && lifted.empty() &&
            !lastLifted_) {
            for (std::size_t entry : lastEntries_) entries_[entry].drawing->otherItems.push_back(drawing);
            lastDrawnHere_.reset();
            return;
        }
        lastDrawnHere_ = index;
        lastLifted_ = !lifted.empty();
        lastEntries_.clear();
        for (ShapeRenderGroup& run : runs) {
            lastEntries_.push_back(entries_.size());
            entries_.push_back({nullptr, {}, std::move(run)});
        }
    }

    // Whether the layers the runs are drawn on may overlap anywhere the drawing
    // paints, at any time. Drawn on several layers, a fill cuts no holes
    // across them and a translucent drawing darkens where they overlap; apart,
    // they look as one drawing.
    bool layersMayOverlap(const std::vector<ShapeRenderGroup>& runs, const Reference& drawing) const {
        std::vector<std::vector<Reference>> layers;
        for (const ShapeRenderGroup& run : runs) {
            if (ShapeLevelLayout::drawnAsOnePath(run) || run.pathItems.size() < 2) {
                layers.push_back(run.pathItems);
            } else {
                for (const Reference& path : run.pathItems) layers.push_back({path});
            }
        }
        if (layers.size() < 2) return false;
        const double margin = paintedMargin(drawing);
        std::vector<platform::graphics::Rect> reaches;
        for (const auto& layer : layers) {
            platform::graphics::Rect reach = platform::graphics::Rect::null();
            for (const Reference& path : layer) {
                const auto bounds = pathBounds(path);
                if (!bounds) return true;
                reach = reach.unionWith(*bounds);
            }
            reach = reach.insetBy(-margin, -margin);
            for (const auto& other : reaches) {
                if (reach.intersects(other)) return true;
            }
            reaches.push_back(reach);
        }
        return false;
    }

    // How far outside its path the drawing paints: half a stroke's widest
    // width, as far as a miter joint reaches.
    static double paintedMargin(const Reference& drawing) {
        const auto* stroke = dynamic_cast<const StrokeShapeItem*>(drawing.item.get());
        if (!stroke) return 0;
        double widest = 0;
        for (const auto& keyframe : stroke->width()->keyframes()) widest = std::max(widest, std::fabs(keyframe.value().value));
        const double joint = stroke->lineJoin() == LineJoin::miter ? std::max(1.0, stroke->miterLimit()) : 1.0;
        return widest / 2 * joint;
    }

    // The box around every point and handle of the path at every keyframe,
    // which holds the path between keyframes too; none for a path this engine
    // does not build.
    std::optional<platform::graphics::Rect> pathBounds(const Reference& path) const {
        const auto keyframes = ShapePathAnimation::bezierPathKeyframes(*path.item, context_.samplingAccount());
        if (!keyframes) return std::nullopt;
        double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
        for (const auto& keyframe : keyframes->keyframes()) {
            for (const PathElement& element : keyframe.value().elements()) {
                for (const auto& point : {element.vertex.point, element.vertex.inTangent, element.vertex.outTangent}) {
                    left = std::min(left, point.x);
                    top = std::min(top, point.y);
                    right = std::max(right, point.x);
                    bottom = std::max(bottom, point.y);
                }
            }
        }
        if (!(left <= right && top <= bottom)) return std::nullopt;
        return platform::graphics::Rect(left, top, right - left, bottom - top);
    }

    // Whether every trim applied individually after the run's paths runs along
    // those paths alone: one listed after further paths measures their
    // length too, which a layer that does not draw them cannot know.
    bool trimsAlongAllItsPaths(const std::vector<std::size_t>& sources) const {
        for (std::size_t index = sources.front() + 1; index < items_.size(); ++index) {
            const auto* trim = dynamic_cast<const Trim*>(items_[index].item.get());
            if (!trim || trim->trimType() != TrimType::individually) continue;
            for (std::size_t path = 0; path < index; ++path) {
                if (items_[path].isPathItem() && std::ranges::find(sources, path) == sources.end()) return false;
            }
        }
        return true;
    }

    // The own paths and the paths of the groups at `sources`, in item order,
    // as one item; none where one is no path this engine builds. It depends on
    // those items and the level's name alone, so views of the document share it.
    std::optional<Reference> liftedPaths(const std::vector<std::size_t>& sources) const {
        ShapeItemList items;
        for (std::size_t source : sources) items.push_back(items_[source].item);
        auto lifted = LiftedGroupPaths::merged(items, levelName_, context_.samplingAccount());
        if (!lifted) return std::nullopt;
        return Reference{std::move(lifted), levelPath_};
    }

    const std::vector<Reference>& items_;
    std::string levelName_;
    // Shared by every reference the level makes.
    ContextKeypath levelPath_;
    const LayerContext& context_;
    std::vector<ShapeLevelLayout::Entry> entries_;
    std::vector<GroupSlot> groups_;
    std::vector<std::size_t> paths_;
    std::optional<std::size_t> lastDrawnHere_;
    std::vector<std::size_t> lastEntries_;
    bool lastLifted_ = false;
};

}  // namespace

std::vector<ShapeLevelLayout::Entry> ShapeLevelLayout::layout(const std::vector<Reference>& items,
                                                              const std::string& levelName,
                                                              const ContextKeypath& levelPath,
                                                              const LayerContext& context) {
    ShapeGrouping::reportIndividualTrimOverGroups(items, context);
    return LevelBuilder(items, levelName, levelPath, context).build();
}

bool ShapeLevelLayout::drawnAsOnePath(const ShapeRenderGroup& drawing) {
    if (drawing.pathItems.size() < 2) return false;
    if (!Reference::first<RoundedCorners>(drawing.otherItems)) return true;
    return std::ranges::all_of(drawing.pathItems,
                               [](const Reference& path) { return dynamic_cast<const Shape*>(path.item.get()); });
}

bool ShapeLevelLayout::holdsPaths(const Group& group) {
    return std::ranges::any_of(group.items(), [](const auto& item) {
        if (item->hidden()) return false;
        if (const auto* inner = dynamic_cast<const Group*>(item.get())) return holdsPaths(*inner);
        return Reference{item, {}}.isPathItem();
    });
}

bool ShapeLevelLayout::holdsDrawings(const Group& group) {
    return std::ranges::any_of(group.items(), [](const auto& item) {
        if (item->hidden()) return false;
        if (const auto* inner = dynamic_cast<const Group*>(item.get())) return holdsDrawings(*inner);
        return Reference{item, {}}.isDrawingItem();
    });
}

}  // namespace lottie
