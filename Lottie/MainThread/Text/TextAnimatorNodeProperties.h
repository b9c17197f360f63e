#pragma once
// The animated values of one text animator: a node property for each value the
// animator sets (absent ones stay null), under the display names keypaths use.
// The animator's opacity feeds two properties: the layer-level "Opacity" and the
// "SelectedRangeOpacity" of its selected characters. Owned by its TextAnimatorNode.

#include <memory>
#include <optional>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/Text/TextAnimator.h"

namespace lottie {

class TextAnimatorNodeProperties final : public NodePropertyMap {
public:
    explicit TextAnimatorNodeProperties(const TextAnimator& animator);

    std::shared_ptr<NodeProperty<LottieVector3D>> anchor;
    std::shared_ptr<NodeProperty<LottieVector3D>> position;
    std::shared_ptr<NodeProperty<LottieVector3D>> scale;
    std::shared_ptr<NodeProperty<LottieVector1D>> skew;
    std::shared_ptr<NodeProperty<LottieVector1D>> skewAxis;
    std::shared_ptr<NodeProperty<LottieVector1D>> rotationX;
    std::shared_ptr<NodeProperty<LottieVector1D>> rotationY;
    std::shared_ptr<NodeProperty<LottieVector1D>> rotationZ;
    std::shared_ptr<NodeProperty<LottieVector1D>> opacity;
    std::shared_ptr<NodeProperty<LottieColor>> strokeColor;
    std::shared_ptr<NodeProperty<LottieColor>> fillColor;
    std::shared_ptr<NodeProperty<LottieVector1D>> strokeWidth;
    std::shared_ptr<NodeProperty<LottieVector1D>> tracking;
    std::shared_ptr<NodeProperty<LottieVector1D>> start;
    std::shared_ptr<NodeProperty<LottieVector1D>> end;
    std::shared_ptr<NodeProperty<LottieVector1D>> selectedRangeOpacity;
    std::optional<TextRangeUnit> textRangeUnit;
};

}  // namespace lottie
