#include "Lottie/CoreAnimation/MaskCompositionLayer.h"

#include "Lottie/CoreAnimation/BaseAnimationLayer.h"
#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/PathRepetition.h"

namespace lottie {

using platform::compositor::Layer;

MaskCompositionLayer::MaskLayer::MaskLayer(std::shared_ptr<const Mask> mask) : maskModel_(std::move(mask)) {
    setFillRule(platform::graphics::FillRule::evenOdd);
}

void MaskCompositionLayer::MaskLayer::setupAnimations(const LayerAnimationContext& context) {
    if (!maskModel_ || !maskModel_->shape) return;
    const bool inverted = invertsPath(maskModel_->mode, maskModel_->inverted);
    KeyframeAnimationBuilder::attach<BezierPath>(
        LayerProperties::path(), *maskModel_->shape,
        [inverted](const BezierPath& shape) {
            // As curves throughout, so that a mask keyframed from straight
            // segments to curved ones morphs instead of holding its first shape.
            platform::graphics::Path path = PathRepetition::curves(shape);
            if (!inverted) return platform::compositor::AnimatableValue(std::move(path));
            // With the even-odd rule the shape becomes a hole in the plane.
            platform::graphics::Path plane;
            plane.addRect({invertedPlaneOrigin, invertedPlaneOrigin, invertedPlaneSize, invertedPlaneSize});
            plane.addPath(path);
            return platform::compositor::AnimatableValue(std::move(plane));
        },
        context, *this);
}

MaskCompositionLayer::MaskCompositionLayer(const std::vector<std::shared_ptr<const Mask>>& masks) {
    const std::size_t drawn = drawnMaskCount(masks);
    for (std::size_t index = 0; index < drawn; ++index) {
        if (masks[index]) maskLayers_.push_back(std::make_shared<MaskLayer>(masks[index]));
    }
}

std::shared_ptr<MaskCompositionLayer> MaskCompositionLayer::make(const std::vector<std::shared_ptr<const Mask>>& masks) {
    auto layer = std::make_shared<MaskCompositionLayer>(masks);
    layer->placeMaskLayers();
    return layer;
}

MaskMode MaskCompositionLayer::usableMode(MaskMode mode) {
    switch (mode) {
        case MaskMode::add:
        case MaskMode::lighten: return MaskMode::add;
        case MaskMode::intersect:
        case MaskMode::difference: return MaskMode::intersect;
        case MaskMode::subtract:
        case MaskMode::darken:
        case MaskMode::none: break;
    }
    return mode;
}

bool MaskCompositionLayer::invertsPath(MaskMode mode, bool inverted) {
    const MaskMode usable = usableMode(mode);
    if (usable == MaskMode::subtract) return !inverted;
    if (usable == MaskMode::add) return inverted;
    return false;
}

std::size_t MaskCompositionLayer::drawnMaskCount(const std::vector<std::shared_ptr<const Mask>>& masks) {
    std::size_t drawn = 0;
    for (std::size_t index = 0; index < masks.size(); ++index) {
        if (!masks[index] || usableMode(masks[index]->mode) == MaskMode::none) continue;
        if (++drawn > maximumMasks) return index;
    }
    return masks.size();
}

namespace {

// The intersection of the cutting masks [begin, end): each half masks the
// other, so a run of n cutting masks nests about 2 log2(n) deep, not n.
std::shared_ptr<Layer> intersection(const std::vector<std::shared_ptr<Layer>>& masks, std::size_t begin,
                                    std::size_t end) {
    if (end - begin == 1) return masks[begin];
    const std::size_t middle = begin + (end - begin) / 2;
    auto holder = BaseAnimationLayer::make();
    holder->addSublayer(intersection(masks, begin, middle));
    holder->setMask(intersection(masks, middle, end));
    return holder;
}

}  // namespace

void MaskCompositionLayer::placeMaskLayers() {
    auto container = BaseAnimationLayer::make();
    // The cutting masks met since the last adding one: together they keep of
    // everything placed so far only what all of them cover.
    std::vector<std::shared_ptr<Layer>> cuts;
    const auto cut = [&container, &cuts] {
        if (cuts.empty()) return;
        container->setMask(intersection(cuts, 0, cuts.size()));
        cuts.clear();
        auto outer = BaseAnimationLayer::make();
        outer->addSublayer(std::move(container));
        container = std::move(outer);
    };
    bool first = true;
    for (const auto& maskLayer : maskLayers_) {
        const MaskMode mode = usableMode(maskLayer->maskModel()->mode);
        if (mode == MaskMode::none) continue;
        if (mode == MaskMode::add || first) {
            cut();
            container->addSublayer(maskLayer);
        } else {
            cuts.push_back(maskLayer);
        }
        first = false;
    }
    cut();
    addSublayer(std::move(container));
}

void MaskCompositionLayer::setupAnimations(const LayerAnimationContext& context) {
    for (const auto& maskLayer : maskLayers_) maskLayer->setupAnimations(context);
}

void MaskCompositionLayer::layoutSublayers() {
    Layer::layoutSublayers();
    BaseAnimationLayer::layOutManagedLayers(*this, sublayers());
}

}  // namespace lottie
