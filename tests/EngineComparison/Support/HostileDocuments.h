#pragma once
// The pieces the hostile-document tests of both engines write their documents
// from (a list of generated items, a 512 x 512 document, a square, a green
// fill, a shape layer, precompositions fanned out), and what they read back:
// the pixels drawn, how many compositor layers a build made and how often the
// log mentions a limit. Stateless.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "Platform/Compositor/Layer.h"
#include "Platform/Graphics/Image.h"
#include "tests/Support/RecordingLogger.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace hostiletest {

// item(1) to item(count), separated by commas.
std::string listOf(int count, const std::function<std::string(int)>& item);
// A document of 512 x 512 and 60 frames at 30 a second.
std::string document(const std::string& layers, const std::string& assets = "[]");
// A rectangle item of `size` units a side centred on (x, y).
std::string rect(int x, int y, int size);
extern const std::string greenFill;
std::string shapeLayer(int index, const std::string& items, const std::string& extra = "");
// A precomposition layer of the asset, 512 x 512.
std::string precomposition(const std::string& asset, int index, const std::string& extra = "");
// `ways` precompositions on each of `levels` levels over `leaf` (a list of
// layers), each with `extra` members.
std::string fannedOut(const std::string& leaf, int ways, int levels, const std::string& extra = "");

// A pixel of the picture, and whether it is drawn there (at least half opaque).
struct Probe {
    int x, y;
    bool drawn;
};
bool opaqueAt(const platform::graphics::Image& image, int x, int y);

// Frames 0 and 30 drawn as the frame tool draws them: the last picture.
std::shared_ptr<const platform::graphics::Image> drawTwoFrames(lottieframes::FrameRenderer& renderer);

// Every layer of the tree below `root`, masks included, counted without recursion.
std::size_t layerCount(const platform::compositor::Layer& root);
// How often the recorded messages contain `part`: the automatic choice's
// notices of falling back, which repeat the issue, or the others.
long mentions(const testsupport::LogRecorder& log, const std::string& part, bool notices);

}  // namespace hostiletest
