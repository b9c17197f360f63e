// The root layer: display pass, frame rounding, caching, keypaths and value providers.

#include <gtest/gtest.h>

#include "Lottie/MainThread/CompositionLayers/ShapeCompositionLayer.h"
#include "Lottie/MainThread/LayerContainers/ShapeRenderLayer.h"
#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "Lottie/Playback/ValueProviders/FloatValueProvider.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace lottie;
using namespace mainthreadtest;

// A red square whose x position moves from 20 at frame 0 to 80 at frame 60.
std::string movingSquare() {
    const std::string rect =
        R"({"ty":"rc","nm":"Box","p":{"a":1,"k":[{"t":0,"s":[20,50],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":60,"s":[80,50]}]},"s":{"a":0,"k":[10,10]},"r":{"a":0,"k":0}})";
    return document("[" + shapeLayer("[" + rect + "," + fill(1, 0, 0) + "]") + "]");
}

std::shared_ptr<ShapeRenderLayer> firstRenderLayer(const MainThreadAnimationLayer& root) {
    auto shape = std::dynamic_pointer_cast<ShapeCompositionLayer>(root.animationLayers().at(0));
    if (!shape || shape->renderContainer()->renderLayers().empty()) return nullptr;
    return std::dynamic_pointer_cast<ShapeRenderLayer>(shape->renderContainer()->renderLayers().front());
}

TEST(MainThreadAnimationLayer, ShowsTheFrameItIsSetToOrTheWholeFrameBefore) {
    auto root = makeRoot(decode(movingSquare()));
    for (auto [frame, x] : {std::pair{0.0, 20}, {30.0, 50}, {60.0, 80}}) {
        auto image = renderFrame(*root, frame);
        ASSERT_TRUE(image);
        EXPECT_TRUE(pixelIs(*image, x, 50, {255, 0, 0, 255})) << frame;
        EXPECT_TRUE(pixelIs(*image, x + 10, 50, {0, 0, 0, 0})) << frame;
    }
    // Respecting the frame rate shows whole frames only.
    root->setRespectAnimationFrameRate(true);
    EXPECT_EQ(pixelBytes(renderFrame(*root, 12.7)), pixelBytes(renderFrame(*root, 12)));
}

TEST(MainThreadAnimationLayer, SameFrameTwiceChangesNothing) {
    auto root = makeRoot(decode(movingSquare()));
    renderFrame(*root, 10);
    auto render = firstRenderLayer(*root);
    ASSERT_TRUE(render);
    auto fill = std::dynamic_pointer_cast<PassThroughOutputNode>(render->renderer());
    ASSERT_TRUE(fill);
    EXPECT_FALSE(fill->hasUpdate());
    root->display();
    EXPECT_FALSE(fill->hasUpdate());
    const platform::graphics::Path before = render->shapeLayer()->path();
    root->redrawCurrentFrame();
    EXPECT_EQ(render->shapeLayer()->path(), before);
}

TEST(MainThreadAnimationLayer, ValueProvidersReplaceAndRestoreProperties) {
    auto root = makeRoot(decode(movingSquare()));
    renderFrame(*root, 0);
    const AnimationKeypath colour("Shape 1.Fill.Color");
    root->installValueProvider(std::make_shared<ColorValueProvider>(LottieColor(0, 0, 1, 1)), colour);
    EXPECT_TRUE(pixelIs(*renderFrame(*root, 0), 20, 50, {0, 0, 255, 255}));
    EXPECT_EQ(std::any_cast<LottieColor>(root->valueAtKeypath(colour, std::nullopt)), LottieColor(0, 0, 1, 1));
    EXPECT_EQ(std::any_cast<LottieColor>(root->unoverriddenValueAtKeypath(colour, std::nullopt)),
              LottieColor(1, 0, 0, 1));
    // A provider of another value type changes nothing.
    root->installValueProvider(std::make_shared<FloatValueProvider>(1.0), colour);
    EXPECT_TRUE(pixelIs(*renderFrame(*root, 0), 20, 50, {0, 0, 255, 255}));
    root->uninstallValueProvider(colour);
    EXPECT_TRUE(pixelIs(*renderFrame(*root, 0), 20, 50, {255, 0, 0, 255}));
    EXPECT_FALSE(root->valueAtKeypath(AnimationKeypath("Nothing.Here"), std::nullopt).has_value());
}

}  // namespace
