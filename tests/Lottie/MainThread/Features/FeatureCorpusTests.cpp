// Every animation of the shared corpus, and of the real-world folder beside
// it, that decodes renders all its frames
// with its images (embedded, or from the folder beside it), and the engine
// reports no failed assertion on the way.

#include <gtest/gtest.h>

#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Playback/Providers/CachedImageProvider.h"
#include "Lottie/Playback/Providers/FilepathImageProvider.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"
#include "tests/Support/TestSupport.h"

namespace {

TEST(FeatureCorpus, EveryFrameOfEveryDecodableFileRendersWithItsImages) {
    auto files = testsupport::corpusFiles(".json");
    const auto realworld = testsupport::realworldFiles(".json");
    files.insert(files.end(), realworld.begin(), realworld.end());
    if (files.empty()) GTEST_SKIP() << "no corpus";
    mainthreadtest::LogCapture log;
    int rendered = 0;
    for (const auto& file : files) {
        std::shared_ptr<const lottie::LottieAnimation> animation;
        try {
            animation = lottie::LottieAnimation::fromData(testsupport::readFile(file),
                                                          lottie::DecodingStrategy::dictionaryBased);
        } catch (const std::exception&) {
            continue;  // the decoder's concern
        }
        if (!(animation->width > 0) || !(animation->height > 0)) continue;
        SCOPED_TRACE(file.string());
        ASSERT_LT(animation->endFrame - animation->startFrame, 10'000);
        auto provider = std::make_shared<lottie::FilepathImageProvider>(file.parent_path(),
                                                                        platform::compositor::ContentsGravity::resize);
        auto root = lottie::MainThreadAnimationLayer::make(animation, lottie::wrappedInImageCache(provider), nullptr,
                                                           nullptr, false, nullptr);
        root->setAnchorPoint({0, 0});
        root->setPosition({0, 0});
        // Drawn small: the engine's own work is the same at any size.
        root->setTransform(
            platform::graphics::Transform3D::makeScale(48 / animation->width, 48 / animation->height, 1));
        for (double frame = animation->startFrame; frame <= animation->endFrame; frame += 1) {
            auto context = platform::graphics::GraphicsContext::makeBitmap(48, 48);
            ASSERT_TRUE(context);
            root->setCurrentFrame(frame);
            ASSERT_NO_THROW(platform::compositor::render(root, 0, *context));
        }
        ++rendered;
    }
    EXPECT_EQ(log.failedAssertions, 0);
    EXPECT_GT(rendered, 50);
}

}  // namespace
