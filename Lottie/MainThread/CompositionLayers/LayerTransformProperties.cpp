#include "Lottie/MainThread/CompositionLayers/LayerTransformProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"

namespace lottie {

LayerTransformProperties::LayerTransformProperties(const Transform& transform)
    : NodePropertyMap("Transform"),
      anchor(makeKeyframeProperty(transform.anchorPoint())),
      scale(makeKeyframeProperty(transform.scale(), LottieVector3D(100, 100, 100))),
      rotationX(makeKeyframeProperty(transform.rotationX())),
      rotationY(makeKeyframeProperty(transform.rotationY())),
      rotationZ(makeKeyframeProperty(transform.rotationZ())),
      opacity(makeKeyframeProperty(transform.opacity(), LottieVector1D(100))) {
    add(anchor, {"Anchor Point"});
    add(scale, {"Scale"});
    add(rotationX, {"Rotation X"});
    add(rotationY, {"Rotation Y"});
    add(rotationZ, {"Rotation", "Rotation Z"});
    add(opacity, {"Opacity"});
    if (transform.positionX() && transform.positionY()) {
        positionX = makeKeyframeProperty(transform.positionX());
        positionY = makeKeyframeProperty(transform.positionY());
        add(positionX, {"X Position"});
        add(positionY, {"Y Position"});
    } else if (transform.position()) {
        position = makeKeyframeProperty(transform.position());
        add(position, {"Position"});
    }
}

}  // namespace lottie
