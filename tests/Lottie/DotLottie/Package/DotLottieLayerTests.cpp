// A package played by the animation layer: the animation of the id asked for,
// with the manifest's loop mode and speed, showing the package's own images
// (checked in the rendered pixels).

#include <gtest/gtest.h>

#include <thread>

#include "Lottie/DotLottie/DotLottieFile.h"
#include "Lottie/Playback/LottieAnimationLayer.h"
#include "Platform/Compositor/MediaClock.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Foundation/MainRunLoop.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "tests/Lottie/DotLottie/Package/PackageTestSupport.h"
#include "tests/Support/TestSupport.h"

using namespace lottie;
using namespace packagetest;
using ziptest::TestEntry;

namespace {

constexpr std::uint32_t red = 0xffff0000;   // premultiplied ARGB
constexpr std::uint32_t blue = 0xff0000ff;

// Draws the layer's current frame into an image of the animation's size.
std::shared_ptr<const platform::graphics::Image> draw(const std::shared_ptr<LottieAnimationLayer>& layer) {
    const auto animation = layer->animation();
    const int width = static_cast<int>(animation->width);
    const int height = static_cast<int>(animation->height);
    layer->renderingLayer()->setPosition({animation->width / 2, animation->height / 2});
    layer->pauseAt(LottiePlaybackMode::PausedState::frame(0));
    auto context = platform::graphics::GraphicsContext::makeBitmap(width, height);
    platform::compositor::render(layer, platform::compositor::MediaClock::currentTime(), *context);
    platform::foundation::MainRunLoop::shared().drain();
    return platform::graphics::GraphicsContext::finishImage(std::move(context));
}

class PackageLayers : public ::testing::Test {
protected:
    void SetUp() override {
        platform::foundation::MainRunLoop::shared().setMainThread(std::this_thread::get_id());
        file = DotLottieFile::load(
            zipped({TestEntry::file("manifest.json", R"({"version":"2","animations":[
                        {"id":"reds","loop":true},
                        {"id":"blues","mode":"bounce","speed":2,"direction":-1}]})"),
                    TestEntry::file("a/reds.json", imageAnimationJson("red.png", 8, 8)),
                    TestEntry::file("a/blues.json", imageAnimationJson("blue.png", 8, 8)),
                    TestEntry::file("i/red.png", pngOf(8, 8, 0xff0000ff)),
                    TestEntry::file("i/blue.png", pngOf(8, 8, 0x0000ffff))}),
            "colours.lottie", {temporary.path(), {}});
    }

    testsupport::TemporaryDirectory temporary;
    std::shared_ptr<const DotLottieFile> file;
    const LottieConfiguration mainThread{RenderingEngineOption::mainThread()};
};

TEST_F(PackageLayers, ALayerMadeFromAPackagePlaysTheAnimationAskedForWithItsSettingsAndImages) {
    const struct {
        std::optional<std::string> id;
        std::string expectedId;
        LottieLoopMode loopMode;
        double speed;
        std::uint32_t pixel;
    } cases[] = {
        {std::nullopt, "reds", LottieLoopMode::loop(), 1, red},
        {"reds", "reds", LottieLoopMode::loop(), 1, red},
        {"blues", "blues", LottieLoopMode::autoReverse(), -2, blue},
    };
    for (const auto& c : cases) {
        auto layer = LottieAnimationLayer::makeWithDotLottie(file, c.id, nullptr, nullptr, mainThread);
        ASSERT_EQ(layer->animation(), file->animation(c.expectedId).animation());
        EXPECT_EQ(layer->loopMode(), c.loopMode);
        EXPECT_EQ(layer->animationSpeed(), c.speed);
        EXPECT_EQ(layer->imageProvider(), file->imageProvider());
        const auto image = draw(layer);
        EXPECT_EQ(image->pixel(4, 4), c.pixel) << c.expectedId;
        EXPECT_EQ(image->pixel(0, 7), c.pixel) << c.expectedId;
    }
    auto none = LottieAnimationLayer::makeWithDotLottie(file, "greens", nullptr, nullptr, mainThread);
    EXPECT_FALSE(none->animation());
    EXPECT_EQ(none->imageProvider(), file->imageProvider());
}

// An animation layer without the package's images draws nothing where they go.
TEST_F(PackageLayers, EntriesLoadedIntoALayerBringThePackagesImages) {
    auto layer = LottieAnimationLayer::make(file->animations()[0].animation(), nullptr, nullptr, nullptr, mainThread);
    EXPECT_EQ(draw(layer)->pixel(4, 4), 0u);
    layer->loadDotLottieAnimationById("blues", *file);
    EXPECT_EQ(layer->animation(), file->animations()[1].animation());
    EXPECT_EQ(layer->loopMode(), LottieLoopMode::autoReverse());
    EXPECT_EQ(draw(layer)->pixel(4, 4), blue);
    layer->loadDotLottieAnimationAtIndex(0, *file);
    EXPECT_EQ(layer->loopMode(), LottieLoopMode::loop());
    EXPECT_EQ(draw(layer)->pixel(4, 4), red);
    layer->loadDotLottieAnimationAtIndex(2, *file);
    EXPECT_EQ(layer->animation(), file->animations()[0].animation());
}

}  // namespace
