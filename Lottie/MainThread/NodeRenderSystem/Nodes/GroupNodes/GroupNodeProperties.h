#pragma once
// The animated transform and opacity of a group, from its shape-transform item,
// or fixed defaults (no move, 100 % scale, fully opaque) for a group without one.
// Owned by its GroupNode.
//
// Most groups of a document hold their transform still, or move one or two of
// its parts. Every view builds its own groups, so a map makes node properties
// at once only for the parts that animate; the others are read from the model
// until a keypath search asks for them (to list, read or give them a value
// provider), which makes every missing one. Their values are the same either
// way, so a view pays per group only for what moves.

#include <initializer_list>
#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/PropertySlots.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"
#include "Platform/Graphics/Transform3D.h"

namespace lottie {

class GroupNodeProperties final : public NodePropertyMap {
public:
    // `transform` is null for a group without one; the map keeps the item.
    explicit GroupNodeProperties(std::shared_ptr<const ShapeTransform> transform);

    // The transform of the current values: from minus the anchor, scaled, skewed
    // along the skew axis, rotated about z, y and x, to the position.
    platform::graphics::Transform3D caTransform() const;
    // The current opacity, 0 to 100.
    double opacity() const;

    // Whether every part has its node property (an animated transform, or one
    // a keypath search has reached).
    bool hasAllProperties() const { return complete_; }

    Properties keypathProperties() const override;

private:
    template <class T>
    using Part = KeyframeGroupPtr<T> (ShapeTransform::*)() const;
    enum class Slot { anchor, position, scale, rotationX, rotationY, rotationZ, opacity, skew, skewAxis, count };

    // Makes the node property of every part that has none yet, or only of
    // those that animate.
    void makeProperties(bool animatedOnly);
    template <class T>
    void makePart(Slot slot, Part<T> part, const T& fallback, std::initializer_list<const char*> names,
                  bool animatedOnly);
    // The part's current value: its property's, else the one value it holds.
    template <class T>
    T currentValue(Slot slot, Part<T> part, const T& fallback) const;

    std::shared_ptr<const ShapeTransform> transform_;
    PropertySlots<Slot> slots_;
    bool complete_ = false;
};

}  // namespace lottie
