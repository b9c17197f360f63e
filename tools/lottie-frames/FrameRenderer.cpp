#include "tools/lottie-frames/FrameRenderer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/GraphicsContext.h"

namespace lottieframes {

FrameRenderer::FrameRenderer(std::shared_ptr<const lottie::LottieAnimation> animation, int width, int height,
                             std::optional<std::uint32_t> background)
    : animation_(std::move(animation)), width_(width), height_(height), background_(background) {
    if (!animation_ || !std::isfinite(animation_->width) || !std::isfinite(animation_->height) ||
        animation_->width <= 0 || animation_->height <= 0) {
        throw std::runtime_error("the animation has no drawable size");
    }
    root_ = lottie::MainThreadAnimationLayer::make(animation_, nullptr, nullptr, nullptr, false, nullptr);
    // The root is drawn where a sublayer at the origin would be.
    root_->setAnchorPoint({0, 0});
    root_->setPosition({0, 0});
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
    root_->setCurrentFrame(frame);
    platform::compositor::render(root_, 0, *context);
    auto image = context->makeImage();
    if (!image) throw std::runtime_error("cannot read the rendered image");
    return image;
}

}  // namespace lottieframes
