#pragma once
// One shape item as the Core Animation engine's shape layers place it: the item
// and the names of the groups around it, outermost first, which extend the
// keypath its animations answer to. A value shared by the grouping of a shape
// layer and the item layers that draw the items.

#include <memory>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/Model/ShapeItems/ShapeItem.h"

namespace lottie {

struct ShapeItemReference {
    std::shared_ptr<const ShapeItem> item;
    // The group names, shared by the items of one group and by the copies of
    // them handed down to the groups inside it, each group's names going on
    // from its parent's without copying them (however deep and long-named the
    // groups); empty for none.
    ContextKeypath groupPath;

    std::vector<std::string> groupNames() const { return groupPath.keys(); }

    // Items that draw a path: ellipses, rectangles, custom (and merged) paths, stars.
    bool isPathItem() const;
    // Fills, gradient fills, strokes and gradient strokes.
    bool isDrawingItem() const;
    bool isFillType() const;
    bool isStrokeType() const;

    // The context whose keypath goes on with the group names and the item's name.
    LayerAnimationContext context(const LayerAnimationContext& layerContext) const;

    // The first item of class T in `items`, or null.
    template <class T>
    static const T* first(const std::vector<ShapeItemReference>& items) {
        for (const ShapeItemReference& reference : items) {
            if (const auto* typed = dynamic_cast<const T*>(reference.item.get())) return typed;
        }
        return nullptr;
    }
    template <class T>
    static const ShapeItemReference* firstReference(const std::vector<ShapeItemReference>& items) {
        for (const ShapeItemReference& reference : items) {
            if (dynamic_cast<const T*>(reference.item.get())) return &reference;
        }
        return nullptr;
    }
};

}  // namespace lottie
