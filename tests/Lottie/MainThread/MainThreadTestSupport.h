#pragma once
// Helpers of the main-thread engine's tests: small documents written by hand,
// decoding them, building the root layer and reading rendered pixels.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Lottie/MainThread/MainThreadAnimationLayer.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/RenderingEngineOption.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Platform/Graphics/Image.h"
#include "tests/Support/RecordingLogger.h"

namespace mainthreadtest {

// A whole document of the given size and frame range around a JSON list of layers.
std::string document(const std::string& layers, int width = 100, int height = 100, double endFrame = 60,
                     const std::string& assets = "[]");
// A shape layer of index `index` holding the JSON list of items; `extra` is more
// members of the layer object (with a leading comma), e.g. ",\"parent\":1".
std::string shapeLayer(const std::string& items, int index = 1, const std::string& extra = "",
                       const std::string& transform = "{}");
// A solid fill of r, g, b in 0...1.
std::string fill(double r, double g, double b, int fillRule = 1, double opacity = 100);

std::shared_ptr<const lottie::LottieAnimation> decode(const std::string& json);
std::shared_ptr<lottie::MainThreadAnimationLayer> makeRoot(const std::shared_ptr<const lottie::LottieAnimation>& animation);
// The root at a frame, drawn at its own size over transparency.
std::shared_ptr<const platform::graphics::Image> renderFrame(lottie::MainThreadAnimationLayer& root, double frame);
std::shared_ptr<const platform::graphics::Image> renderDocument(const std::string& json, double frame = 0);
// The animation drawn at its own size by the engine of `option` as the frame
// tool draws it, at each of `frames` in turn: the picture of the last one.
std::shared_ptr<const platform::graphics::Image> renderFrames(
    const std::shared_ptr<const lottie::LottieAnimation>& animation, const lottie::RenderingEngineOption& option,
    const std::vector<double>& frames);
// The three engine choices: the main-thread engine, the automatic choice and
// the Core Animation engine.
std::vector<lottie::RenderingEngineOption> engineOptions();
// What the engines logged about the limits they met: the warnings and the
// compatibility issues the Core Animation engine asserts on, without the
// automatic choice's notices of falling back, which repeat the issue that made
// it fall back.
std::vector<std::string> limitMessages(const testsupport::LogRecorder& log);

// The image's bytes, for comparing two pictures whole.
inline std::vector<std::uint8_t> pixelBytes(const std::shared_ptr<const platform::graphics::Image>& image) {
    const auto bytes = image->pixels();
    return {bytes.begin(), bytes.end()};
}

struct Rgba {
    int r = 0;
    int g = 0;
    int b = 0;
    int a = 0;
};
// Straight (not premultiplied) colour of a pixel.
Rgba pixelAt(const platform::graphics::Image& image, int x, int y);
// Whether the pixel is within `tolerance` of the colour in every channel.
bool pixelIs(const platform::graphics::Image& image, int x, int y, Rgba expected, int tolerance = 3);

inline const Rgba red{255, 0, 0, 255};
inline const Rgba blue{0, 0, 255, 255};
inline const Rgba clear{};

// A point of a picture and the colour it must have there.
struct Probe {
    int x;
    int y;
    Rgba colour;
    int tolerance = 4;
};
// Checks every probe, naming the point and the colour found there when one fails.
void expectProbes(const platform::graphics::Image& image, const std::vector<Probe>& probes);
// The bounds of the pixels whose alpha is at least half: left, top, right, bottom
// (exclusive); all -1 when there are none.
struct PixelBounds {
    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;
};
PixelBounds opaqueBounds(const platform::graphics::Image& image);

// Replaces the shared logger while it lives: warnings are kept as "file:line
// message", failed assertions are counted; the previous logger comes back after.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> warnings;
    int failedAssertions = 0;

private:
    std::shared_ptr<lottie::LottieLogger> previous_;
};

}  // namespace mainthreadtest
