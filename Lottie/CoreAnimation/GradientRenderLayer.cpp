#include "Lottie/CoreAnimation/GradientRenderLayer.h"

#include <string>

#include "Lottie/Playback/LottieLogger.h"

namespace lottie {

using platform::graphics::Point;

Point GradientRenderLayer::unitPointInPaddedBounds(Point point) const {
    const auto& size = bounds().size;
    if (size.width > 0 && size.height > 0) {
        return {(point.x + gradientPadding) / size.width, (point.y + gradientPadding) / size.height};
    }
    LottieLogger::shared()->assertionFailure([] { return std::string(emptySizeMessage); },
                                             "Lottie/GradientRenderLayer", __LINE__);
    return {0, 0};
}

void GradientRenderLayer::layout(const platform::graphics::Rect& parentBounds) {
    if (parentBounds != gradientReferenceBounds_) {
        gradientReferenceBounds_ = parentBounds;
        updateLayout();
    }
    if (auto* maskLayer = dynamic_cast<GradientRenderLayer*>(mask().get())) maskLayer->layout(parentBounds);
}

void GradientRenderLayer::updateLayout() {
    setAnchorPoint({0, 0});
    const auto& reference = gradientReferenceBounds_;
    setBounds({reference.origin,
               {reference.size.width + 2 * gradientPadding, reference.size.height + 2 * gradientPadding}});
    // A mask lies in the space of the layer it masks: as the mask of another
    // padded gradient layer it covers that layer's bounds exactly, untranslated.
    if (dynamic_cast<const GradientRenderLayer*>(maskOwner().get())) {
        setTransform(platform::graphics::Transform3D::identity());
        return;
    }
    const auto parent = superlayer();
    const platform::graphics::Size target = parent ? parent->frame().size : reference.size;
    setTransform(platform::graphics::Transform3D::makeTranslation((target.width - bounds().size.width) * 0.5,
                                                                  (target.height - bounds().size.height) * 0.5, 0));
}

}  // namespace lottie
