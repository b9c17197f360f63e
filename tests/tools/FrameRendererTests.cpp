// The frame tool's renderer goes through the library's animation layer, paused at
// each frame it draws.

#include <gtest/gtest.h>

#include <string>

#include "Lottie/CoreAnimation/CoreAnimationLayer.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Engine/CoreAnimationLayerFactory.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Graphics/Image.h"
#include "tests/Support/TestSupport.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

// 40 x 40, a red square moving from x 0 (frame 0) to x 20 (frame 10).
const char* const movingSquare =
    R"({"v":"5.7.0","fr":10,"ip":0,"op":10,"w":40,"h":40,"layers":[{"ty":4,"nm":"S","ind":1,"ip":0,"op":10,"st":0,)"
    R"("ks":{"p":{"a":1,"k":[{"t":0,"s":[0,0],"i":{"x":1,"y":1},"o":{"x":0,"y":0}},{"t":10,"s":[20,0]}]}},)"
    R"("shapes":[{"ty":"rc","nm":"R","p":{"a":0,"k":[10,20]},"s":{"a":0,"k":[20,40]},"r":{"a":0,"k":0}},)"
    R"({"ty":"fl","nm":"F","c":{"a":0,"k":[1,0,0,1]},"o":{"a":0,"k":100},"r":1}]}]})";

TEST(FrameRenderer, PausesTheAnimationLayerAtEachFrame) {
    auto animation = lottie::LottieAnimation::fromData(movingSquare, lottie::DecodingStrategy::dictionaryBased);
    for (auto engine : {lottie::RenderingEngineOption::mainThread(), lottie::RenderingEngineOption::automatic()}) {
        SCOPED_TRACE(engine.description());
        lottieframes::FrameRenderer renderer(animation, 40, 40, std::nullopt, engine);
        struct Case {
            double frame;
            int redFrom;  // first red column
        };
        for (const Case& item : {Case{0, 0}, Case{5, 10}, Case{10, 20}}) {
            auto image = renderer.render(item.frame);
            ASSERT_TRUE(image);
            EXPECT_EQ(renderer.animationLayer()->currentPlaybackMode(),
                      lottie::LottiePlaybackMode::paused(lottie::LottiePausedState::frame(item.frame)));
            EXPECT_EQ(renderer.animationLayer()->currentFrame(), item.frame);
            EXPECT_FALSE(renderer.animationLayer()->isPlaying());
            if (item.redFrom > 0) {
                EXPECT_EQ(image->pixel(item.redFrom - 1, 20) >> 24, 0u) << item.frame;
            }
            EXPECT_EQ(image->pixel(item.redFrom, 20), 0xffff0000u) << item.frame;
            EXPECT_EQ(image->pixel(item.redFrom + 19, 20), 0xffff0000u) << item.frame;
        }
    }
    // Without the Core Animation engine nothing is set up when it is asked for by name.
    lottie::CoreAnimationLayerFactory::install(nullptr);
    EXPECT_THROW(
        lottieframes::FrameRenderer(animation, 40, 40, std::nullopt, lottie::RenderingEngineOption::coreAnimation()),
        std::runtime_error);
    lottie::CoreAnimationLayer::install();
}

// The automatic choice stays on the Core Animation engine for what it draws and
// falls back, before the first frame is drawn, for what it does not.
TEST(FrameRenderer, TheAutomaticChoiceSettlesBeforeDrawing) {
    const char* const solid =
        R"({"v":"5.7.0","fr":10,"ip":0,"op":10,"w":40,"h":40,"layers":[{"ty":1,"nm":"S","ind":1,"ip":0,"op":10,)"
        R"("st":0,"ks":{},"sc":"#ff0000","sw":20,"sh":40}]})";
    // The same solid under a mask with an expansion, which the Core Animation
    // engine does not draw and reports, so the choice falls back.
    const char* const expandedMask =
        R"({"v":"5.7.0","fr":10,"ip":0,"op":10,"w":40,"h":40,"layers":[{"ty":1,"nm":"S","ind":1,"ip":0,"op":10,)"
        R"("st":0,"ks":{},"sc":"#ff0000","sw":20,"sh":40,"hasMask":true,"masksProperties":[{"mode":"a","inv":false,)"
        R"("pt":{"a":0,"k":{"c":true,"v":[[0,0],[20,0],[20,40],[0,40]],"i":[[0,0],[0,0],[0,0],[0,0]],)"
        R"("o":[[0,0],[0,0],[0,0],[0,0]]}},"o":{"a":0,"k":100},"x":{"a":0,"k":3}}]}]})";
    struct Case {
        const char* document;
        lottie::RenderingEngine engine;
    };
    for (const Case& item : {Case{solid, lottie::RenderingEngine::coreAnimation},
                             Case{expandedMask, lottie::RenderingEngine::mainThread}}) {
        auto animation = lottie::LottieAnimation::fromData(item.document, lottie::DecodingStrategy::dictionaryBased);
        lottieframes::FrameRenderer renderer(animation, 40, 40, std::nullopt, lottie::RenderingEngineOption::automatic());
        auto image = renderer.render(0);
        EXPECT_EQ(renderer.activeEngine(), item.engine);
        // Drawn by the engine that stays, in its place.
        EXPECT_EQ(image->pixel(5, 20), 0xffff0000u);
        EXPECT_EQ(image->pixel(25, 20) >> 24, 0u);
    }
}

// Image layers take their pictures from the document's folder, or from the data
// embedded in the document.
TEST(FrameRenderer, FindsImagesBesideTheDocumentAndEmbeddedOnes) {
    testsupport::TemporaryDirectory folder;
    std::vector<std::uint8_t> rgba;
    for (int i = 0; i < 4; ++i) rgba.insert(rgba.end(), {0, 255, 0, 255});
    auto green = platform::graphics::Image::fromStraightRGBA(2, 2, rgba);
    ASSERT_TRUE(green && green->writePNG(folder.path() / "green.png"));
    // A 1 x 1 opaque red PNG, embedded.
    const std::string red = "data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg==";
    const std::string document =
        R"({"v":"5.7.0","fr":10,"ip":0,"op":10,"w":40,"h":20,"assets":[)"
        R"({"id":"g","w":2,"h":2,"u":"","p":"green.png","e":0},{"id":"r","w":1,"h":1,"u":"","p":")" + red + R"(","e":1}],)"
        R"("layers":[{"ty":2,"refId":"g","ind":1,"ip":0,"op":10,"st":0,"ks":{"s":{"k":[1000,1000,100]},"a":{"k":[0,0]}}},)"
        R"({"ty":2,"refId":"r","ind":2,"ip":0,"op":10,"st":0,"ks":{"p":{"k":[20,0]},"s":{"k":[2000,2000,100]},"a":{"k":[0,0]}}}]})";
    auto animation = lottie::LottieAnimation::fromData(document, lottie::DecodingStrategy::dictionaryBased);
    lottieframes::FrameRenderer renderer(animation, 40, 20, std::nullopt, lottie::RenderingEngineOption::mainThread(),
                                         folder.path());
    auto image = renderer.render(0);
    EXPECT_EQ(image->pixel(10, 10), 0xff00ff00u);
    EXPECT_EQ(image->pixel(30, 10), 0xffff0000u);
}

}  // namespace
