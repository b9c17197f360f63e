// Every animation of the shared corpus without text layers renders all its
// frames with its images (embedded, or from the folder beside it), and the
// engine reports no failed assertion on the way. Text layers are the text
// engine's tests' concern.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Lottie/MainThread/MainThreadAnimationLayer.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Model/Text/TextLayerModel.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/Providers/CachedImageProvider.h"
#include "Lottie/Playback/Providers/FilepathImageProvider.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "tests/Support/TestSupport.h"

namespace {

bool hasTextLayer(const lottie::LottieAnimation& animation) {
    auto isText = [](const auto& layers) {
        for (const auto& layer : layers) {
            if (dynamic_cast<const lottie::TextLayerModel*>(layer.get())) return true;
        }
        return false;
    };
    if (isText(animation.layers)) return true;
    if (animation.assetLibrary) {
        for (const auto& [id, asset] : animation.assetLibrary->precompAssets) {
            if (asset && isText(asset->layers)) return true;
        }
    }
    return false;
}

TEST(FeatureCorpus, EveryFrameOfEveryFileWithoutTextRendersWithItsImages) {
    const auto files = testsupport::corpusFiles(".json");
    if (files.empty()) GTEST_SKIP() << "no corpus";
    int failedAssertions = 0;
    const auto previous = lottie::LottieLogger::shared();
    lottie::LottieLogger::setShared(std::make_shared<lottie::LottieLogger>(
        [&](const lottie::LottieLogger::Condition& condition, const auto&, std::string_view, unsigned) {
            if (!condition()) ++failedAssertions;
        },
        [&](const auto&, std::string_view, unsigned) { ++failedAssertions; },
        [](const auto&, std::string_view, unsigned) {}, [](const auto&) {}));
    int rendered = 0;
    for (const auto& file : files) {
        std::shared_ptr<const lottie::LottieAnimation> animation;
        try {
            animation = lottie::LottieAnimation::fromData(testsupport::readFile(file),
                                                          lottie::DecodingStrategy::dictionaryBased);
        } catch (const std::exception&) {
            continue;  // the decoder's concern
        }
        if (hasTextLayer(*animation) || !(animation->width > 0) || !(animation->height > 0)) continue;
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
    lottie::LottieLogger::setShared(previous);
    EXPECT_EQ(failedAssertions, 0);
    EXPECT_GT(rendered, 40);
}

}  // namespace
