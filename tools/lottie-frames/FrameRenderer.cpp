#include "tools/lottie-frames/FrameRenderer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "Lottie/Playback/Providers/FilepathImageProvider.h"
#include "Platform/Compositor/MediaClock.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Foundation/MainRunLoop.h"
#include "Platform/Graphics/GraphicsContext.h"

namespace lottieframes {

FrameRenderer::FrameRenderer(std::shared_ptr<const lottie::LottieAnimation> animation, int width, int height,
                             std::optional<std::uint32_t> background, lottie::RenderingEngineOption engine,
                             std::filesystem::path imageFolder)
    : FrameRenderer(std::move(animation), width, height, background, std::move(engine),
                    std::make_shared<lottie::FilepathImageProvider>(std::move(imageFolder),
                                                                    platform::compositor::ContentsGravity::resize)) {}

FrameRenderer::FrameRenderer(std::shared_ptr<const lottie::LottieAnimation> animation, int width, int height,
                             std::optional<std::uint32_t> background, lottie::RenderingEngineOption engine,
                             std::shared_ptr<lottie::AnimationImageProvider> images)
    : animation_(std::move(animation)), width_(width), height_(height), background_(background) {
    if (!animation_ || !std::isfinite(animation_->width) || !std::isfinite(animation_->height) ||
        animation_->width <= 0 || animation_->height <= 0) {
        throw std::runtime_error("the animation has no drawable size");
    }
    layer_ = lottie::LottieAnimationLayer::make(animation_, images, nullptr, nullptr,
                                                lottie::LottieConfiguration(engine));
    if (!layer_->renderingLayer()) throw std::runtime_error("the rendering engine could not set up the animation");
    placeRenderingLayer();
}

void FrameRenderer::placeRenderingLayer() {
    // The animation layer's frame is the animation's own rectangle at the origin;
    // as a view would, place the rendering layer to fill it.
    if (auto rendering = layer_->renderingLayer()) rendering->setPosition({animation_->width / 2, animation_->height / 2});
}

void FrameRenderer::settleEngine() {
    // The compositor-driven engine sets its animations up in its display pass,
    // where the automatic choice may give way to the main-thread engine: that
    // happens here, before drawing, so that the frame shows the engine that stays.
    const auto before = layer_->renderingLayer();
    if (before) before->displayIfNeeded();
    if (layer_->renderingLayer() != before) placeRenderingLayer();
}

std::shared_ptr<const platform::graphics::Image> FrameRenderer::render(double frame) {
    if (!std::isfinite(frame)) throw std::runtime_error("the frame is not a finite number");
    auto context = platform::graphics::GraphicsContext::makeBitmap(width_, height_);
    if (!context) throw std::runtime_error("cannot make an image of the requested size");
    if (background_) {
        const std::uint32_t colour = *background_;
        context->setFillColor(platform::graphics::Color::rgb(((colour >> 24) & 0xff) / 255.0,
                                                            ((colour >> 16) & 0xff) / 255.0,
                                                            ((colour >> 8) & 0xff) / 255.0, (colour & 0xff) / 255.0));
        context->fillRect({0, 0, static_cast<double>(width_), static_cast<double>(height_)});
    }
    const double scale = std::min(width_ / animation_->width, height_ / animation_->height);
    context->translateBy((width_ - animation_->width * scale) / 2, (height_ - animation_->height * scale) / 2);
    context->scaleBy(scale, scale);
    layer_->pauseAt(lottie::LottiePlaybackMode::PausedState::frame(frame));
    settleEngine();
    platform::compositor::render(layer_, platform::compositor::MediaClock::currentTime(), *context);
    // Run what the pause left for the main run loop (the redraw after the frame
    // change), so that nothing piles up over many frames.
    platform::foundation::MainRunLoop::shared().drain();
    // The image takes the canvas over; its buffer goes back to the pool that the
    // next frame's canvas comes from once the caller lets go of the image.
    auto image = platform::graphics::GraphicsContext::finishImage(std::move(context));
    if (!image) throw std::runtime_error("cannot read the rendered image");
    return image;
}

}  // namespace lottieframes
