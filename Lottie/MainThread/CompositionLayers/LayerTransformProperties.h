#pragma once
// The animated parts of a layer's transform, as node properties: the
// "Transform" branch of every layer's keypaths. Owned by the layer's
// LayerTransformNode.
//
// Most layers never move: every part of their transform is one value. Such a
// map makes its node properties only when a keypath search asks for them (to
// list them, read them or give them a value provider); until then it answers
// the current values from the model and has no properties to update, so a view
// pays nothing per part of a transform that stays put. A transform with any
// animated part makes its properties at once.

#include <initializer_list>
#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/PropertySlots.h"
#include "Lottie/Model/Layers/Transform.h"
#include "Platform/Graphics/Point.h"

namespace lottie {

class LayerTransformProperties final : public NodePropertyMap {
public:
    explicit LayerTransformProperties(std::shared_ptr<const Transform> transform);

    // Whether the node properties exist (an animated transform, or one a
    // keypath search has reached).
    bool hasProperties() const { return !properties().empty(); }

    // The values of the last update (the model's values while there are no
    // properties).
    LottieVector3D anchor() const;
    LottieVector3D scale() const;
    double rotationX() const;
    double rotationY() const;
    double rotationZ() const;
    // The position as x and y: one property, or the split parts when both exist.
    platform::graphics::Point position() const;
    // Opacity, 0 to 100.
    double opacity() const;

    Properties keypathProperties() const override;

private:
    enum class Slot { anchor, scale, rotationX, rotationY, rotationZ, position, positionX, positionY, opacity, count };

    // Makes the node properties once.
    void makeProperties();
    // Makes the property of one part over the model's keyframes.
    template <class T>
    void makePart(Slot slot, const KeyframeGroupPtr<T>& group, const T& fallback,
                  std::initializer_list<const char*> names);
    // The part's current value: its property's once it exists, else the model's constant.
    template <class T>
    T currentValue(Slot slot, const KeyframeGroupPtr<T>& group, const T& fallback = T{}) const;

    std::shared_ptr<const Transform> transform_;
    // The position is one part, or split in two when both parts exist.
    PropertySlots<Slot> slots_;
};

}  // namespace lottie
