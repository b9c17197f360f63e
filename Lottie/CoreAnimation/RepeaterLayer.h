#pragma once
// One copy of the items a repeater repeats on the Core Animation engine: it
// holds the copy's group layer and moves it by the copy's transform. Built by
// ShapeGrouping; held by the shape or group layer of the repeater.

#include <memory>

#include "Lottie/CoreAnimation/BaseAnimationLayer.h"
#include "Lottie/Model/Protocols/RepeaterTransform.h"

namespace lottie {

class RepeaterLayer final : public BaseAnimationLayer {
public:
    explicit RepeaterLayer(std::shared_ptr<const RepeaterTransform> transform) : transform_(std::move(transform)) {}
    RepeaterLayer(const RepeaterLayer& layer) : BaseAnimationLayer(layer), transform_(layer.transform_) {}

    const RepeaterTransform& repeaterTransform() const { return *transform_; }

    void setupAnimations(const LayerAnimationContext& context) override;
    std::shared_ptr<platform::compositor::Layer> makePresentationCopy() const override {
        return std::make_shared<RepeaterLayer>(*this);
    }

private:
    std::shared_ptr<const RepeaterTransform> transform_;
};

}  // namespace lottie
