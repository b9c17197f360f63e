#include "Lottie/MainThread/CompositionLayers/LayerTransformProperties.h"

namespace lottie {

namespace {

template <class T>
bool isAnimated(const KeyframeGroupPtr<T>& group) {
    return group && group->keyframes().size() > 1;
}

// The one value of a group that does not animate, as a property over it evaluates.
template <class T>
T constantValue(const KeyframeGroupPtr<T>& group, const T& fallback = T{}) {
    return group && !group->keyframes().empty() ? group->keyframes().front().value() : fallback;
}

const LottieVector3D fullScale(100, 100, 100);
const LottieVector1D fullOpacity(100);

}  // namespace

LayerTransformProperties::LayerTransformProperties(std::shared_ptr<const Transform> transform)
    : NodePropertyMap("Transform"), transform_(std::move(transform)) {
    const Transform& model = *transform_;
    if (isAnimated(model.anchorPoint()) || isAnimated(model.scale()) || isAnimated(model.rotationX()) ||
        isAnimated(model.rotationY()) || isAnimated(model.rotationZ()) || isAnimated(model.opacity()) ||
        isAnimated(model.positionX()) || isAnimated(model.positionY()) || isAnimated(model.position())) {
        makeProperties();
    }
}

template <class T>
void LayerTransformProperties::makePart(Slot slot, const KeyframeGroupPtr<T>& group, const T& fallback,
                                        std::initializer_list<const char*> names) {
    add(makeKeyframeProperty(group, fallback), names);
    slots_.set(slot, properties().size() - 1);
}

template <class T>
T LayerTransformProperties::currentValue(Slot slot, const KeyframeGroupPtr<T>& group, const T& fallback) const {
    const NodeProperty<T>* property = slots_.template get<T>(*this, slot);
    return property ? property->value() : constantValue(group, fallback);
}

void LayerTransformProperties::makeProperties() {
    if (hasProperties()) return;
    const Transform& model = *transform_;
    makePart(Slot::anchor, model.anchorPoint(), LottieVector3D(), {"Anchor Point"});
    makePart(Slot::scale, model.scale(), fullScale, {"Scale"});
    makePart(Slot::rotationX, model.rotationX(), LottieVector1D(), {"Rotation X"});
    makePart(Slot::rotationY, model.rotationY(), LottieVector1D(), {"Rotation Y"});
    makePart(Slot::rotationZ, model.rotationZ(), LottieVector1D(), {"Rotation", "Rotation Z"});
    makePart(Slot::opacity, model.opacity(), fullOpacity, {"Opacity"});
    if (model.positionX() && model.positionY()) {
        makePart(Slot::positionX, model.positionX(), LottieVector1D(), {"X Position"});
        makePart(Slot::positionY, model.positionY(), LottieVector1D(), {"Y Position"});
    } else if (model.position()) {
        makePart(Slot::position, model.position(), LottieVector3D(), {"Position"});
    }
}

KeypathSearchable::Properties LayerTransformProperties::keypathProperties() const {
    // Whoever asks for the properties may read them or replace their values, so
    // they must exist from now on; the values they start with are the same.
    const_cast<LayerTransformProperties*>(this)->makeProperties();
    return NodePropertyMap::keypathProperties();
}

LottieVector3D LayerTransformProperties::anchor() const {
    return currentValue(Slot::anchor, transform_->anchorPoint());
}

LottieVector3D LayerTransformProperties::scale() const {
    return currentValue(Slot::scale, transform_->scale(), fullScale);
}

double LayerTransformProperties::rotationX() const {
    return currentValue(Slot::rotationX, transform_->rotationX()).value;
}

double LayerTransformProperties::rotationY() const {
    return currentValue(Slot::rotationY, transform_->rotationY()).value;
}

double LayerTransformProperties::rotationZ() const {
    return currentValue(Slot::rotationZ, transform_->rotationZ()).value;
}

double LayerTransformProperties::opacity() const {
    return currentValue(Slot::opacity, transform_->opacity(), fullOpacity).value;
}

platform::graphics::Point LayerTransformProperties::position() const {
    const Transform& model = *transform_;
    if (model.positionX() && model.positionY()) {
        return {currentValue(Slot::positionX, model.positionX()).value,
                currentValue(Slot::positionY, model.positionY()).value};
    }
    if (model.position()) {
        const LottieVector3D position = currentValue(Slot::position, model.position());
        return {position.x, position.y};
    }
    return {0, 0};
}

}  // namespace lottie
