#pragma once
// A layer of the Core Animation engine's tree that lays itself out inside its
// superlayer's bounds instead of simply filling them (an image layer takes its
// image's size; a gradient layer reaches far past its shape). Its managing
// BaseAnimationLayer asks it during layout.

#include "Platform/Graphics/Rect.h"

namespace lottie {

class CustomLayoutLayer {
public:
    virtual ~CustomLayoutLayer() = default;

    virtual void layout(const platform::graphics::Rect& parentBounds) = 0;

protected:
    CustomLayoutLayer() = default;
    CustomLayoutLayer(const CustomLayoutLayer&) = default;
    CustomLayoutLayer& operator=(const CustomLayoutLayer&) = default;
};

}  // namespace lottie
