#include "Lottie/Views/ContentModeFit.h"

#include <cmath>

namespace lottie {

namespace {

using platform::graphics::Point;
using platform::graphics::Rect;
using platform::graphics::Size;
using platform::graphics::Transform3D;

bool drawable(double width, double height) {
    return std::isfinite(width) && std::isfinite(height) && width > 0 && height > 0;
}

// The viewport's centre lands on the view's centre, scaled so that the whole
// viewport shows; a view relatively narrower than the viewport is limited by
// its width, any other (equal ratios included) by its height.
ContentModeFit fitViewport(const Rect& bounds, const Size& animation, const Rect& viewport) {
    const double scale = bounds.width() / bounds.height() < viewport.width() / viewport.height()
                             ? bounds.width() / viewport.width()
                             : bounds.height() / viewport.height();
    const Transform3D transform = Transform3D::makeScale(scale, scale, 1)
                                      .translate(animation.width / 2 - viewport.midX(),
                                                 animation.height / 2 - viewport.midY(), 0);
    return {{bounds.midX(), bounds.midY()}, transform, false};
}

ContentModeFit fitMode(const Rect& bounds, double aw, double ah, LottieContentMode mode) {
    const Point centre{bounds.midX(), bounds.midY()};
    switch (mode) {
        case LottieContentMode::scaleToFill:
            return {centre, Transform3D::makeScale(bounds.width() / aw, bounds.height() / ah, 1), false};
        case LottieContentMode::scaleAspectFit: {
            const double s = bounds.width() / bounds.height() < aw / ah ? bounds.width() / aw : bounds.height() / ah;
            return {centre, Transform3D::makeScale(s, s, 1), false};
        }
        case LottieContentMode::scaleAspectFill: {
            const double s = aw / ah < bounds.width() / bounds.height() ? bounds.width() / aw : bounds.height() / ah;
            return {centre, Transform3D::makeScale(s, s, 1), false};
        }
        case LottieContentMode::redraw: return {{aw / 2, ah / 2}, {}, true};
        case LottieContentMode::center: return {centre, {}, false};
        case LottieContentMode::top: return {{bounds.midX(), ah / 2}, {}, false};
        case LottieContentMode::bottom: return {{bounds.midX(), bounds.maxY() - ah / 2}, {}, false};
        case LottieContentMode::left: return {{aw / 2, bounds.midY()}, {}, false};
        case LottieContentMode::right: return {{bounds.maxX() - aw / 2, bounds.midY()}, {}, false};
        case LottieContentMode::topLeft: return {{aw / 2, ah / 2}, {}, false};
        case LottieContentMode::topRight: return {{bounds.maxX() - aw / 2, ah / 2}, {}, false};
        case LottieContentMode::bottomLeft: return {{aw / 2, bounds.maxY() - ah / 2}, {}, false};
        case LottieContentMode::bottomRight: return {{bounds.maxX() - aw / 2, bounds.maxY() - ah / 2}, {}, false};
    }
    return {{aw / 2, ah / 2}, {}, false};
}

}  // namespace

std::optional<ContentModeFit> ContentModeFit::compute(const Rect& bounds, const Size& animationSize,
                                                      LottieContentMode mode, const std::optional<Rect>& viewport) {
    if (!drawable(bounds.width(), bounds.height()) || !drawable(animationSize.width, animationSize.height)) {
        return std::nullopt;
    }
    if (viewport) {
        if (!drawable(viewport->width(), viewport->height())) return std::nullopt;
        ContentModeFit fit = fitViewport(bounds, animationSize, *viewport);
        fit.redraw = mode == LottieContentMode::redraw;
        return fit;
    }
    return fitMode(bounds, animationSize.width, animationSize.height, mode);
}

}  // namespace lottie
