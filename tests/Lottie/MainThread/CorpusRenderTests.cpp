// Every animation of the shared corpus that decodes renders all its frames.
// Layers of types this engine does not show yet (images, text) are built as
// empty layers, so every file is rendered, not only the shape and solid ones.

#include <gtest/gtest.h>

#include <cmath>

#include "Lottie/Playback/DecodingStrategy.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "tests/Support/TestSupport.h"

namespace {

using namespace mainthreadtest;

TEST(CorpusRender, EveryFrameOfEveryDecodableFileRenders) {
    const auto files = testsupport::corpusFiles(".json");
    if (files.empty()) GTEST_SKIP() << "no corpus";
    int rendered = 0;
    for (const auto& file : files) {
        std::shared_ptr<const lottie::LottieAnimation> animation;
        try {
            animation = lottie::LottieAnimation::fromData(testsupport::readFile(file),
                                                          lottie::DecodingStrategy::dictionaryBased);
        } catch (const std::exception&) {
            continue;  // not this engine's concern
        }
        SCOPED_TRACE(file.string());
        if (!(animation->width > 0) || !(animation->height > 0)) continue;
        ASSERT_LT(animation->endFrame - animation->startFrame, 10'000);
        std::shared_ptr<lottie::MainThreadAnimationLayer> root;
        ASSERT_NO_THROW(root = makeRoot(animation));
        // Drawn small: the engine's work is the same at any size.
        root->setTransform(platform::graphics::Transform3D::makeScale(32 / animation->width, 32 / animation->height, 1));
        for (double frame = animation->startFrame; frame <= animation->endFrame; frame += 1) {
            auto context = platform::graphics::GraphicsContext::makeBitmap(32, 32);
            root->setCurrentFrame(frame);
            ASSERT_NO_THROW(platform::compositor::render(root, 0, *context));
        }
        ++rendered;
    }
    EXPECT_GT(rendered, 50);
}

}  // namespace
