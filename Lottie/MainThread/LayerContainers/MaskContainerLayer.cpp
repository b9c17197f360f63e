#include "Lottie/MainThread/LayerContainers/MaskContainerLayer.h"

namespace lottie {

MaskContainerLayer::MaskContainerLayer() { setAnchorPoint({0, 0}); }

std::shared_ptr<MaskContainerLayer> MaskContainerLayer::make(const std::vector<std::shared_ptr<const Mask>>& masks) {
    auto layer = std::make_shared<MaskContainerLayer>();
    std::shared_ptr<platform::compositor::Layer> container = platform::compositor::Layer::make();
    bool placedAny = false;
    std::size_t cuts = 0;
    for (const auto& mask : masks) {
        if (!mask) continue;
        auto maskLayer = MaskLayer::make(*mask);
        layer->maskLayers_.push_back(maskLayer);
        switch (mask->mode) {
            case MaskMode::none: continue;
            case MaskMode::add:
            case MaskMode::lighten: container->addSublayer(maskLayer); break;
            case MaskMode::subtract:
            case MaskMode::intersect:
            case MaskMode::darken:
            case MaskMode::difference: {
                if (!placedAny) {
                    container->addSublayer(maskLayer);
                    break;
                }
                // Each cut nests the masks one level deeper, and every level is
                // drawn into a buffer of its own; past a depth no real document
                // reaches, further cuts are left out rather than exhausting
                // memory and stack.
                if (++cuts > maximumCuts) {
                    ++layer->cutsLeftOut_;
                    continue;
                }
                // Everything built so far is cut by this mask's area.
                container->setMask(maskLayer);
                auto outer = platform::compositor::Layer::make();
                outer->addSublayer(container);
                container = std::move(outer);
                break;
            }
        }
        placedAny = true;
    }
    layer->addSublayer(container);
    return layer;
}

void MaskContainerLayer::updateWithFrame(double frame, bool forceUpdates) {
    for (const auto& maskLayer : maskLayers_) maskLayer->updateWithFrame(frame, forceUpdates);
}

}  // namespace lottie
