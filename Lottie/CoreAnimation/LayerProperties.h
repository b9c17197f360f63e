#pragma once
// Every layer property the Core Animation engine's property animations drive,
// as a descriptor: its key path, its default value and, where a caller may
// override it, its property name and the conversion of provided values. Built
// afresh at each call; nothing is cached.
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
    static LayerPropertyDescriptor opacity();
    static LayerPropertyDescriptor isHidden();
    static LayerPropertyDescriptor transform();
    static LayerPropertyDescriptor position();
    static LayerPropertyDescriptor positionX();
    static LayerPropertyDescriptor positionY();
    static LayerPropertyDescriptor anchorPoint();
    static LayerPropertyDescriptor scaleX();
    static LayerPropertyDescriptor scaleY();
    static LayerPropertyDescriptor rotationX();
    static LayerPropertyDescriptor rotationY();
    static LayerPropertyDescriptor rotationZ();
    static LayerPropertyDescriptor fillColor();
    static LayerPropertyDescriptor strokeColor();
    static LayerPropertyDescriptor lineWidth();
    static LayerPropertyDescriptor lineDashPhase();
    static LayerPropertyDescriptor strokeStart();
    static LayerPropertyDescriptor strokeEnd();
    static LayerPropertyDescriptor path();
    static LayerPropertyDescriptor colors();
    static LayerPropertyDescriptor locations();
    static LayerPropertyDescriptor startPoint();
    static LayerPropertyDescriptor endPoint();
    static LayerPropertyDescriptor shadowOpacity();
    static LayerPropertyDescriptor shadowColor();
    static LayerPropertyDescriptor shadowRadius();
    static LayerPropertyDescriptor shadowOffset();
};

}  // namespace lottie
