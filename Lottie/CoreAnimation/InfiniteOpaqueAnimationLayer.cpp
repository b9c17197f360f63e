#include "Lottie/CoreAnimation/InfiniteOpaqueAnimationLayer.h"

namespace lottie {

using platform::graphics::Transform3D;

InfiniteOpaqueAnimationLayer::InfiniteOpaqueAnimationLayer() : paddingLayer_(platform::compositor::Layer::make()) {}

std::shared_ptr<InfiniteOpaqueAnimationLayer> InfiniteOpaqueAnimationLayer::make() {
    auto layer = std::make_shared<InfiniteOpaqueAnimationLayer>();
    layer->addSublayer(layer->paddingLayer_);
    return layer;
}

void InfiniteOpaqueAnimationLayer::layoutSublayers() {
    BaseAnimationLayer::layoutSublayers();
    setMasksToBounds(false);
    paddingLayer_->setBackgroundColor(backgroundColor());
    const auto& size = bounds().size;
    const Transform3D margin = Transform3D::makeTranslation(-padding, -padding, 0);
    if (size.width > 0 && size.height > 0) {
        paddingLayer_->setTransform(
            margin.scale((size.width + 2 * padding) / size.width, (size.height + 2 * padding) / size.height, 1));
    } else {
        // Nothing to scale up: the padding layer is given the grown size itself.
        paddingLayer_->setBounds({bounds().origin,
                                  {(size.width > 0 ? size.width : 0) + 2 * padding,
                                   (size.height > 0 ? size.height : 0) + 2 * padding}});
        paddingLayer_->setTransform(margin);
    }
}

}  // namespace lottie
