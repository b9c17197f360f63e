// The text examples of the corpus (CC-BY-4.0, "Lottie Docs" contributors)
// leave out the tracking, line height and font ascent that exporters usually
// write; as they are, every frame of each renders, with something to see from
// the first, through text layers. The text documents of the real-world folder
// beside the corpus render every frame too, and show something in some frame.

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

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

bool showsSomething(const platform::graphics::Image& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (mainthreadtest::pixelAt(image, x, y).a > 0) return true;
        }
    }
    return false;
}

TEST(CorpusTextRender, EveryFrameOfTheTextExamplesRenders) {
    auto files = testsupport::corpusFiles(".json");
    const auto realworld = testsupport::realworldFiles(".json");
    files.insert(files.end(), realworld.begin(), realworld.end());
    if (files.empty()) GTEST_SKIP() << "no corpus";
    int rendered = 0;
    std::vector<std::string> textEntersLater;
    for (const auto& file : files) {
        const std::string json = testsupport::readFile(file);
        if (json.find("\"ty\": 5") == std::string::npos && json.find("\"ty\":5") == std::string::npos) continue;
        std::shared_ptr<const lottie::LottieAnimation> animation;
        ASSERT_NO_THROW(animation = mainthreadtest::decode(json)) << file;
        SCOPED_TRACE(file.string());
        auto root = mainthreadtest::makeRoot(animation);
        if (textLayerCount(*root) == 0) continue;
        root->setTransform(platform::graphics::Transform3D::makeScale(0.25, 0.25, 1));
        bool firstFrameShows = false;
        bool someFrameShows = false;
        for (double frame = animation->startFrame; frame <= animation->endFrame; frame += 1) {
            auto context = platform::graphics::GraphicsContext::makeBitmap(128, 128);
            ASSERT_TRUE(context);
            root->setCurrentFrame(frame);
            ASSERT_NO_THROW(platform::compositor::render(root, 0, *context));
            if (someFrameShows) continue;
            someFrameShows = showsSomething(*context->makeImage());
            if (frame == animation->startFrame) firstFrameShows = someFrameShows;
        }
        EXPECT_TRUE(someFrameShows);
        // Documents made for products may bring their text in later: one fades
        // every text layer in from frame 70 over a background picture (which
        // this test, drawing no images, leaves out), and its first frame shows
        // nothing. Only the corpus's examples must show text from their start.
        if (!firstFrameShows && file.string().starts_with(testsupport::realworldDirectory().string())) {
            textEntersLater.push_back(file.filename().string());
        } else {
            EXPECT_TRUE(firstFrameShows);
        }
        ++rendered;
    }
    EXPECT_GE(rendered, 6);
    if (!textEntersLater.empty()) {
        std::cout << "Not checked on their first frame, where no text shows yet: "
                  << testing::PrintToString(textEntersLater) << "\n";
    }
}

}  // namespace
