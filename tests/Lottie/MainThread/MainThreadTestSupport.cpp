#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace mainthreadtest {

std::string document(const std::string& layers, int width, int height, double endFrame, const std::string& assets) {
    std::ostringstream json;
    json << R"({"v":"5.7.0","fr":30,"ip":0,"op":)" << endFrame << R"(,"w":)" << width << R"(,"h":)" << height
         << R"(,"assets":)" << assets << R"(,"layers":)" << layers << "}";
    return json.str();
}

std::string shapeLayer(const std::string& items, int index, const std::string& extra, const std::string& transform) {
    std::ostringstream json;
    json << R"({"ty":4,"nm":"Shape )" << index << R"(","ind":)" << index << R"(,"ip":0,"op":1000,"st":0,"ks":)"
         << transform << R"(,"shapes":)" << items << extra << "}";
    return json.str();
}

std::string fill(double r, double g, double b, int fillRule, double opacity) {
    std::ostringstream json;
    json << R"({"ty":"fl","nm":"Fill","c":{"a":0,"k":[)" << r << "," << g << "," << b << R"(,1]},"o":{"a":0,"k":)"
         << opacity << R"(},"r":)" << fillRule << "}";
    return json.str();
}

std::shared_ptr<const lottie::LottieAnimation> decode(const std::string& json) {
    return lottie::LottieAnimation::fromData(json, lottie::DecodingStrategy::dictionaryBased);
}

std::shared_ptr<lottie::MainThreadAnimationLayer> makeRoot(
    const std::shared_ptr<const lottie::LottieAnimation>& animation) {
    auto root = lottie::MainThreadAnimationLayer::make(animation, nullptr, nullptr, nullptr, false, nullptr);
    root->setAnchorPoint({0, 0});
    root->setPosition({0, 0});
    return root;
}

std::shared_ptr<const platform::graphics::Image> renderFrame(lottie::MainThreadAnimationLayer& root, double frame) {
    const auto bounds = root.bounds();
    auto context = platform::graphics::GraphicsContext::makeBitmap(static_cast<int>(bounds.size.width),
                                                                   static_cast<int>(bounds.size.height));
    if (!context) return nullptr;
    root.setCurrentFrame(frame);
    platform::compositor::render(std::static_pointer_cast<platform::compositor::Layer>(root.shared_from_this()), 0,
                                 *context);
    return context->makeImage();
}

std::shared_ptr<const platform::graphics::Image> renderDocument(const std::string& json, double frame) {
    auto root = makeRoot(decode(json));
    return renderFrame(*root, frame);
}

std::shared_ptr<const platform::graphics::Image> renderFrames(
    const std::shared_ptr<const lottie::LottieAnimation>& animation, const lottie::RenderingEngineOption& option,
    const std::vector<double>& frames) {
    lottieframes::FrameRenderer renderer(animation, static_cast<int>(animation->width),
                                         static_cast<int>(animation->height), std::nullopt, option);
    std::shared_ptr<const platform::graphics::Image> image;
    for (double frame : frames) image = renderer.render(frame);
    return image;
}

std::vector<lottie::RenderingEngineOption> engineOptions() {
    return {lottie::RenderingEngineOption::mainThread(), lottie::RenderingEngineOption::automatic(),
            lottie::RenderingEngineOption::coreAnimation()};
}

std::vector<std::string> limitMessages(const testsupport::LogRecorder& log) {
    std::vector<std::string> kept;
    for (const auto* messages : {&log.warnings, &log.failedAssertions}) {
        for (const std::string& message : *messages) {
            if (message.find("Automatically falling back") == std::string::npos) kept.push_back(message);
        }
    }
    return kept;
}

Rgba pixelAt(const platform::graphics::Image& image, int x, int y) {
    const std::uint32_t argb = image.pixel(x, y);
    const int a = static_cast<int>((argb >> 24) & 0xff);
    if (a == 0) return {0, 0, 0, 0};
    auto unpremultiply = [a](std::uint32_t channel) {
        return static_cast<int>((static_cast<int>(channel & 0xff) * 255 + a / 2) / a);
    };
    return {unpremultiply(argb >> 16), unpremultiply(argb >> 8), unpremultiply(argb), a};
}

bool pixelIs(const platform::graphics::Image& image, int x, int y, Rgba expected, int tolerance) {
    const Rgba actual = pixelAt(image, x, y);
    if (std::abs(actual.a - expected.a) > tolerance) return false;
    if (expected.a == 0) return true;
    return std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
           std::abs(actual.b - expected.b) <= tolerance;
}

void expectProbes(const platform::graphics::Image& image, const std::vector<Probe>& probes) {
    for (const Probe& probe : probes) {
        const Rgba actual = pixelAt(image, probe.x, probe.y);
        EXPECT_TRUE(pixelIs(image, probe.x, probe.y, probe.colour, probe.tolerance))
            << "at " << probe.x << "," << probe.y << ": " << actual.r << "," << actual.g << "," << actual.b << ","
            << actual.a;
    }
}

PixelBounds opaqueBounds(const platform::graphics::Image& image) {
    PixelBounds bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (pixelAt(image, x, y).a < 128) continue;
            if (bounds.left < 0 || x < bounds.left) bounds.left = x;
            if (bounds.top < 0) bounds.top = y;
            if (x + 1 > bounds.right) bounds.right = x + 1;
            bounds.bottom = y + 1;
        }
    }
    return bounds;
}

LogCapture::LogCapture() : previous_(lottie::LottieLogger::shared()) {
    lottie::LottieLogger::setShared(std::make_shared<lottie::LottieLogger>(
        [this](const lottie::LottieLogger::Condition& condition, const auto&, std::string_view, unsigned) {
            if (!condition()) ++failedAssertions;
        },
        [this](const auto&, std::string_view, unsigned) { ++failedAssertions; },
        [this](const lottie::LottieLogger::Message& message, std::string_view file, unsigned line) {
            warnings.push_back(std::string(file) + ":" + std::to_string(line) + " " + message());
        },
        [](const auto&) {}));
}

LogCapture::~LogCapture() { lottie::LottieLogger::setShared(previous_); }

}  // namespace mainthreadtest
