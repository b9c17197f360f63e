#pragma once
// Renders frames of a decoded animation into images of a fixed size: the
// animation fitted inside keeping its aspect ratio, centred, over a transparent
// or given background. It goes through the library's animation layer, paused at
// each requested frame, so the frames are what a user of the library sees. Owned
// by the tool's main(); main thread only.

#include <cstdint>
#include <memory>
#include <optional>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/LottieAnimationLayer.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "Lottie/Playback/RenderingEngineOption.h"
#include <filesystem>

#include "Platform/Graphics/Image.h"

namespace lottieframes {

class FrameRenderer {
public:
    // Throws std::runtime_error when the animation has no drawable size.
    // Throws std::runtime_error too when the engine cannot build a rendering layer.
    // Images of the animation are looked up in `imageFolder` (the document's
    // folder), or taken from their embedded data.
    FrameRenderer(std::shared_ptr<const lottie::LottieAnimation> animation, int width, int height,
                  std::optional<std::uint32_t> background,
                  lottie::RenderingEngineOption engine = lottie::RenderingEngineOption::mainThread(),
                  std::filesystem::path imageFolder = ".");
    // The same with the images of the given provider (a package's, say).
    FrameRenderer(std::shared_ptr<const lottie::LottieAnimation> animation, int width, int height,
                  std::optional<std::uint32_t> background, lottie::RenderingEngineOption engine,
                  std::shared_ptr<lottie::AnimationImageProvider> images);

    // Throws std::runtime_error when the frame is not a finite number or the
    // image cannot be made.
    std::shared_ptr<const platform::graphics::Image> render(double frame);

    const std::shared_ptr<lottie::LottieAnimationLayer>& animationLayer() const { return layer_; }
    // The engine drawing now: with the automatic choice, the Core Animation
    // engine until a compatibility issue makes it fall back.
    std::optional<lottie::RenderingEngine> activeEngine() const { return layer_->activeEngine(); }
    // Sets the animation up for the current frame, so that an automatic choice
    // that falls back does so before anything is drawn.
    void settleEngine();

private:
    void placeRenderingLayer();

    std::shared_ptr<const lottie::LottieAnimation> animation_;
    std::shared_ptr<lottie::LottieAnimationLayer> layer_;
    int width_;
    int height_;
    std::optional<std::uint32_t> background_;
};

}  // namespace lottieframes
