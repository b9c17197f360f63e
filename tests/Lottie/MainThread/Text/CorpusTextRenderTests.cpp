// The text examples of the corpus (CC-BY-4.0, "Lottie Docs" contributors)
// leave out the tracking, line height and font ascent that exporters usually
// write; as they are, every frame of each renders, with something to see,
// through text layers.

#include <gtest/gtest.h>

#include <string>

#include "Lottie/MainThread/Text/TextCompositionLayer.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"
#include "tests/Support/TestSupport.h"

namespace {

int textLayerCount(const lottie::MainThreadAnimationLayer& root) {
    int count = 0;
    for (const auto& layer : root.animationLayers()) {
        if (std::dynamic_pointer_cast<lottie::TextCompositionLayer>(layer)) ++count;
    }
    return count;
}

TEST(CorpusTextRender, EveryFrameOfTheTextExamplesRenders) {
    const auto files = testsupport::corpusFiles(".json");
    if (files.empty()) GTEST_SKIP() << "no corpus";
    int rendered = 0;
    for (const auto& file : files) {
        const std::string json = testsupport::readFile(file);
        if (json.find("\"ty\": 5") == std::string::npos && json.find("\"ty\":5") == std::string::npos) continue;
        std::shared_ptr<const lottie::LottieAnimation> animation;
        ASSERT_NO_THROW(animation = mainthreadtest::decode(json)) << file;
        SCOPED_TRACE(file.string());
        auto root = mainthreadtest::makeRoot(animation);
        if (textLayerCount(*root) == 0) continue;
        root->setTransform(platform::graphics::Transform3D::makeScale(0.25, 0.25, 1));
        int visible = 0;
        for (double frame = animation->startFrame; frame <= animation->endFrame; frame += 1) {
            auto context = platform::graphics::GraphicsContext::makeBitmap(128, 128);
            ASSERT_TRUE(context);
            root->setCurrentFrame(frame);
            ASSERT_NO_THROW(platform::compositor::render(root, 0, *context));
            if (frame == animation->startFrame) {
                auto image = context->makeImage();
                for (int y = 0; y < image->height() && !visible; ++y) {
                    for (int x = 0; x < image->width(); ++x) {
                        if (mainthreadtest::pixelAt(*image, x, y).a > 0) {
                            ++visible;
                            break;
                        }
                    }
                }
            }
        }
        EXPECT_EQ(visible, 1);
        ++rendered;
    }
    EXPECT_GE(rendered, 6);
}

}  // namespace
