#pragma once
// One copy of the items a repeater repeats on the Core Animation engine: it
// holds the copy's group layer, moves it by the copy's transform and fades it
// by the copy's share of the repeater's start and end opacities. Built by
// ShapeGrouping; held by the shape or group layer of the repeater.

#include <memory>

#include "Lottie/CoreAnimation/BaseAnimationLayer.h"
#include "Lottie/Model/Protocols/RepeaterTransform.h"

namespace lottie {

class RepeaterLayer final : public BaseAnimationLayer {
public:
    // `opacity` in percent; none leaves the copy opaque.
    RepeaterLayer(std::shared_ptr<const RepeaterTransform> transform, KeyframeGroupPtr<LottieVector1D> opacity)
        : transform_(std::move(transform)), opacity_(std::move(opacity)) {}

    // The opacity of copy `index` of `copies`: the start opacity for the first,
    // the end opacity for the last, evenly between them for the others. None
    // when both stay at 100 %. What the two are combined into is charged to `account`.
    static KeyframeGroupPtr<LottieVector1D> copyOpacity(const Repeater& repeater, int index, int copies,
                                                        const SamplingAccount& account = {});

    const RepeaterTransform& repeaterTransform() const { return *transform_; }

    void setupAnimations(const LayerAnimationContext& context) override;

private:
    std::shared_ptr<const RepeaterTransform> transform_;
    KeyframeGroupPtr<LottieVector1D> opacity_;
};

}  // namespace lottie
