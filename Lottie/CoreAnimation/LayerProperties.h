#pragma once
// Every layer property the Core Animation engine's property animations drive,
// as a descriptor: its key path, its default value and, where a caller may
// override it, its property name and the conversion of provided values. Each
// is built once, at its first call, and shared (its tests and conversions are
// stateless, so any thread may use it); the shadow's colour alone is built
// afresh at each call, in the colour space shared at the time. A keyframe pass
// asks for several of them for every layer it sets up.
//
//   key path                 default          overridable as
//   opacity                  1                "Opacity" (percent)
//   hidden                   false            -
//   transform                identity         -
//   transform.translation    (0, 0)           "Position" (point)
//   transform.translation.x  0 / .y 0         -
//   anchorPoint              never            -
//   transform.scale.x / .y   1                "Scale" (percent of x / y)
//   transform.rotation.x/.y  0                -
//   transform.rotation.z     0                "Rotation" (degrees)
//   fillColor, strokeColor   never            "Color"
//   lineWidth                1                "Stroke Width"
//   lineDashPhase 0, strokeStart 0, strokeEnd 1, path never     -
//   colors, locations        never            "Colors" (a gradient provider)
//   startPoint, endPoint     never            -
//   shadowOpacity 0, shadowColor opaque black, shadowRadius 3, shadowOffset (0, -3)   -

#include "Lottie/CoreAnimation/LayerPropertyDescriptor.h"

namespace lottie {

struct LayerProperties {
    static const LayerPropertyDescriptor& opacity();
    static const LayerPropertyDescriptor& isHidden();
    static const LayerPropertyDescriptor& transform();
    static const LayerPropertyDescriptor& position();
    static const LayerPropertyDescriptor& positionX();
    static const LayerPropertyDescriptor& positionY();
    static const LayerPropertyDescriptor& anchorPoint();
    static const LayerPropertyDescriptor& scaleX();
    static const LayerPropertyDescriptor& scaleY();
    static const LayerPropertyDescriptor& rotationX();
    static const LayerPropertyDescriptor& rotationY();
    static const LayerPropertyDescriptor& rotationZ();
    static const LayerPropertyDescriptor& fillColor();
    static const LayerPropertyDescriptor& strokeColor();
    static const LayerPropertyDescriptor& lineWidth();
    static const LayerPropertyDescriptor& lineDashPhase();
    static const LayerPropertyDescriptor& strokeStart();
    static const LayerPropertyDescriptor& strokeEnd();
    static const LayerPropertyDescriptor& path();
    static const LayerPropertyDescriptor& colors();
    static const LayerPropertyDescriptor& locations();
    static const LayerPropertyDescriptor& startPoint();
    static const LayerPropertyDescriptor& endPoint();
    static const LayerPropertyDescriptor& shadowOpacity();
    static LayerPropertyDescriptor shadowColor();
    static const LayerPropertyDescriptor& shadowRadius();
    static const LayerPropertyDescriptor& shadowOffset();
};

}  // namespace lottie
