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

// The current value: the property's once it exists, else the model's constant.
template <class T>
T currentValue(const std::shared_ptr<NodeProperty<T>>& property, const KeyframeGroupPtr<T>& group,
               const T& fallback = T{}) {
    return property ? property->value() : constantValue(group, fallback);
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

void LayerTransformProperties::makeProperties() {
    if (hasProperties()) return;
    const Transform& model = *transform_;
    anchor_ = makeKeyframeProperty(model.anchorPoint());
    scale_ = makeKeyframeProperty(model.scale(), fullScale);
    rotationX_ = makeKeyframeProperty(model.rotationX());
    rotationY_ = makeKeyframeProperty(model.rotationY());
    rotationZ_ = makeKeyframeProperty(model.rotationZ());
    opacity_ = makeKeyframeProperty(model.opacity(), fullOpacity);
    add(anchor_, {"Anchor Point"});
    add(scale_, {"Scale"});
    add(rotationX_, {"Rotation X"});
    add(rotationY_, {"Rotation Y"});
    add(rotationZ_, {"Rotation", "Rotation Z"});
    add(opacity_, {"Opacity"});
    if (model.positionX() && model.positionY()) {
        positionX_ = makeKeyframeProperty(model.positionX());
        positionY_ = makeKeyframeProperty(model.positionY());
        add(positionX_, {"X Position"});
        add(positionY_, {"Y Position"});
    } else if (model.position()) {
        position_ = makeKeyframeProperty(model.position());
        add(position_, {"Position"});
    }
}

KeypathSearchable::Properties LayerTransformProperties::keypathProperties() const {
    // Whoever asks for the properties may read them or replace their values, so
    // they must exist from now on; the values they start with are the same.
    const_cast<LayerTransformProperties*>(this)->makeProperties();
    return NodePropertyMap::keypathProperties();
}

LottieVector3D LayerTransformProperties::anchor() const { return currentValue(anchor_, transform_->anchorPoint()); }

LottieVector3D LayerTransformProperties::scale() const {
    return currentValue(scale_, transform_->scale(), fullScale);
}

double LayerTransformProperties::rotationX() const {
    return currentValue(rotationX_, transform_->rotationX()).value;
}

double LayerTransformProperties::rotationY() const {
    return currentValue(rotationY_, transform_->rotationY()).value;
}

double LayerTransformProperties::rotationZ() const {
    return currentValue(rotationZ_, transform_->rotationZ()).value;
}

double LayerTransformProperties::opacity() const {
    return currentValue(opacity_, transform_->opacity(), fullOpacity).value;
}

platform::graphics::Point LayerTransformProperties::position() const {
    if (hasProperties()) {
        if (position_) return {position_->value().x, position_->value().y};
        if (positionX_ && positionY_) return {positionX_->value().value, positionY_->value().value};
        return {0, 0};
    }
    const Transform& model = *transform_;
    if (model.positionX() && model.positionY()) {
        return {constantValue(model.positionX()).value, constantValue(model.positionY()).value};
    }
    if (model.position()) {
        const LottieVector3D position = constantValue(model.position());
        return {position.x, position.y};
    }
    return {0, 0};
}

}  // namespace lottie
