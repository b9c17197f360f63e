#include "Lottie/CoreAnimation/LiftedGroupPaths.h"

#include <algorithm>

#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/CoreAnimation/ShapeItemReference.h"
#include "Lottie/CoreAnimation/ShapePathAnimation.h"
#include "Lottie/CoreAnimation/SharedItemResults.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/GroupNodes/GroupNodeProperties.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"

namespace lottie {

using Reference = ShapeItemReference;

namespace {

// Whether the transform holds still: each of its parts has at most one value.
// Its opacity does not matter to the paths.
bool holdsStill(const ShapeTransform& transform) {
    const auto still = [](const auto& group) { return !group || group->keyframes().size() <= 1; };
    return still(transform.anchor()) && still(transform.position()) && still(transform.scale()) &&
           still(transform.rotationX()) && still(transform.rotationY()) && still(transform.rotationZ()) &&
           still(transform.skew()) && still(transform.skewAxis());
}

platform::graphics::AffineTransform groupMatrix(const Group& group) {
    std::shared_ptr<const ShapeTransform> last;
    for (const auto& item : group.items()) {
        if (auto transform = std::dynamic_pointer_cast<const ShapeTransform>(item)) last = std::move(transform);
    }
    return GroupNodeProperties(last).caTransform().affine();
}

BezierPath transformed(const BezierPath& path, const platform::graphics::AffineTransform& matrix) {
    BezierPath result;
    result.reserve(path.elements().size());
    for (const PathElement& element : path.elements()) {
        const CurveVertex& vertex = element.vertex;
        result.appendVertex({matrix.apply(vertex.point), matrix.apply(vertex.inTangent), matrix.apply(vertex.outTangent)});
    }
    result.setClosed(path.closed());
    return result;
}

}  // namespace

bool LiftedGroupPaths::liftable(const Group& group) {
    return std::ranges::all_of(group.items(), [](const auto& item) {
        if (item->hidden()) return true;
        if (const auto* inner = dynamic_cast<const Group*>(item.get())) return liftable(*inner);
        if (const auto* transform = dynamic_cast<const ShapeTransform*>(item.get())) return holdsStill(*transform);
        return item->type() != ShapeType::trim && item->type() != ShapeType::round &&
               item->type() != ShapeType::repeater;
    });
}

bool LiftedGroupPaths::collect(const Group& group, const platform::graphics::AffineTransform& outer,
                               const SamplingAccount& account, std::vector<KeyframeGroupPtr<BezierPath>>& paths) {
    const platform::graphics::AffineTransform matrix = groupMatrix(group).concatenating(outer);
    for (const auto& item : group.items()) {
        if (item->hidden()) continue;
        if (const auto* inner = dynamic_cast<const Group*>(item.get())) {
            if (!collect(*inner, matrix, account, paths)) return false;
        } else if (Reference{item, {}}.isPathItem()) {
            auto keyframes = ShapePathAnimation::bezierPathKeyframes(*item, account);
            if (!keyframes) return false;
            paths.push_back(keyframes->map([matrix](const BezierPath& path) { return transformed(path, matrix); }));
        }
    }
    return true;
}

std::shared_ptr<const CombinedShapeItem> LiftedGroupPaths::merged(const ShapeItemList& items, const std::string& name,
                                                                 const SamplingAccount& account) {
    return SharedItemResults::combinedItems().shared(items, name, account, [&]() -> std::optional<CombinedShapeItem> {
        std::vector<KeyframeGroupPtr<BezierPath>> owned;
        for (const auto& item : items) {
            if (const auto* group = dynamic_cast<const Group*>(item.get())) {
                if (!collect(*group, {}, account, owned)) return std::nullopt;
            } else {
                owned.push_back(ShapePathAnimation::bezierPathKeyframes(*item, account));
                if (!owned.back()) return std::nullopt;
            }
        }
        if (owned.empty()) return std::nullopt;
        std::vector<const KeyframeGroup<BezierPath>*> groups;
        for (const auto& keyframes : owned) groups.push_back(keyframes.get());
        return CombinedShapeItem(std::make_shared<const KeyframeGroup<std::vector<BezierPath>>>(
                                     KeyframesCombined::combined(account, groups, false)),
                                 name);
    });
}

}  // namespace lottie
