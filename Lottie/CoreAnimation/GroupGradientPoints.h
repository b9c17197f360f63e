#pragma once
// The points of a gradient that a transformed shape group inherits from an
// outer group, on the Core Animation engine. The main-thread engine draws an
// inherited gradient in the space of the group that holds the gradient item,
// whatever transforms the groups below it apply to their paths; this engine
// draws it in a layer under the group's layer, which carries the group's
// transform. So each point is taken into the group's space through the
// inverse of the group's transform (every keyframe group of the transform
// combined with the point's, sampled where the group turns, scales or skews
// over time), which the group's layer then undoes. A transform
// that cannot be inverted (a scale of 0) shows nothing of the group; the point
// stays as it is. Mapping the two points is only right while the group's
// transform keeps shapes (turns, moves, mirrors and scales evenly): a skew or an
// uneven scale would also have to bend the gradient's bands and circles, which a
// gradient layer given two points cannot show, so such a group is reported as a
// compatibility issue instead. Used when the layer tree builds a shape group;
// keeps nothing.

#include "Lottie/CoreAnimation/LayerContext.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"
#include "Lottie/Values/KeyframeGroup.h"
#include "Lottie/Values/LottieVector3D.h"

namespace lottie {

struct GroupGradientPoints {
    static constexpr const char* unevenTransformMessage =
        "The Core Animation rendering engine doesn't support gradients inherited by a group that skews or "
        "scales unevenly";

    // Whether every transform the group shows, at its keyframes and between
    // them, keeps the shapes it maps: no skew, no turn about the x or y axis, and
    // a scale of the same size along both axes (either may be negative).
    static bool keepsShapes(const ShapeTransform& transform);
    // The samples are charged to the context's sampling budget.
    static KeyframeGroup<LottieVector3D> inGroupSpace(const KeyframeGroup<LottieVector3D>& point,
                                                      const ShapeTransform& transform, const LayerContext& context);
};

}  // namespace lottie
