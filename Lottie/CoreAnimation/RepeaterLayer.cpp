#include "Lottie/CoreAnimation/RepeaterLayer.h"

#include "Lottie/CoreAnimation/TransformAnimations.h"

namespace lottie {

void RepeaterLayer::setupAnimations(const LayerAnimationContext& context) {
    BaseAnimationLayer::setupAnimations(context);
    TransformAnimations::addTransformAnimations(*this, *transform_, context);
}

}  // namespace lottie
