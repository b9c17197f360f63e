#pragma once
// Supplies the picture for each image asset of an animation, and how it is placed
// in its layer. Held by the animation layer (shared with its views) and, wrapped in
// an image cache, by the rendering engine, which asks on the main thread. A
// dotLottie package brings its own.

#include <memory>

#include "Lottie/Model/Assets/ImageAsset.h"
#include "Platform/Compositor/ContentsGravity.h"
#include "Platform/Graphics/Image.h"

namespace lottie {

class AnimationImageProvider {
public:
    virtual ~AnimationImageProvider() = default;

    // Whether the provider may be wrapped in an image cache before an engine gets it.
    virtual bool mayBeCached() const = 0;
    // The image for an asset; nothing when there is none (the engine then shows nothing).
    virtual std::shared_ptr<const platform::graphics::Image> imageForAsset(const ImageAsset& asset) const = 0;
    virtual platform::compositor::ContentsGravity gravityForAsset(const ImageAsset&) const {
        return platform::compositor::ContentsGravity::resize;
    }
};

}  // namespace lottie
