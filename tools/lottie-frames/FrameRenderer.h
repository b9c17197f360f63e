#pragma once
// Renders frames of a decoded animation into images of a fixed size: the
// animation fitted inside keeping its aspect ratio, centred, over a transparent
// or given background. Until the tool goes through the animation layer it builds
// the main-thread root layer itself and draws it with the compositor. Owned by
// the tool's main(); main thread only.

#include <cstdint>
#include <memory>
#include <optional>

#include "Lottie/MainThread/MainThreadAnimationLayer.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Platform/Graphics/Image.h"

namespace lottieframes {

class FrameRenderer {
public:
    // Throws std::runtime_error when the animation has no drawable size.
    FrameRenderer(std::shared_ptr<const lottie::LottieAnimation> animation, int width, int height,
                  std::optional<std::uint32_t> background);

    // Throws std::runtime_error when the frame is not a finite number or the
    // image cannot be made.
    std::shared_ptr<const platform::graphics::Image> render(double frame);

    const std::shared_ptr<lottie::MainThreadAnimationLayer>& rootLayer() const { return root_; }

private:
    std::shared_ptr<const lottie::LottieAnimation> animation_;
    std::shared_ptr<lottie::MainThreadAnimationLayer> root_;
    int width_;
    int height_;
    std::optional<std::uint32_t> background_;
};

}  // namespace lottieframes
