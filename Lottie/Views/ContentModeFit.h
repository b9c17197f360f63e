#pragma once
// Where the rendering layer goes inside a view: the position and transform that
// place an animation of a natural size in the view's bounds, by content mode or
// by a viewport (a rectangle of the animation shown centred and scaled to fit).
// A pure computation, so that the view's layout pass and its tests share it.
//
// A view or animation without a finite, positive width and height fits
// nothing: there is no placement, rather than infinite or NaN scales.

#include <optional>

#include "Lottie/Views/LottieContentMode.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Rect.h"
#include "Platform/Graphics/Size.h"
#include "Platform/Graphics/Transform3D.h"

namespace lottie {

struct ContentModeFit {
    platform::graphics::Point position;
    platform::graphics::Transform3D transform;
    // The rendering layer should draw its current frame again (redraw mode).
    bool redraw = false;

    static std::optional<ContentModeFit> compute(const platform::graphics::Rect& bounds,
                                                 const platform::graphics::Size& animationSize,
                                                 LottieContentMode mode,
                                                 const std::optional<platform::graphics::Rect>& viewport);
};

}  // namespace lottie
