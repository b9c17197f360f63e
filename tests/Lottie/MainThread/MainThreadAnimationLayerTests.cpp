// The root layer: display pass, frame rounding, caching, keypaths and value providers.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>

#include "Lottie/MainThread/CompositionLayers/ShapeCompositionLayer.h"
#include "Lottie/MainThread/LayerContainers/ShapeRenderLayer.h"
#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "Lottie/Playback/ValueProviders/FloatValueProvider.h"
#include "Lottie/Playback/ValueProviders/GradientValueProvider.h"
#include "Lottie/Playback/ValueProviders/PointValueProvider.h"
#include "Lottie/Playback/ValueProviders/SizeValueProvider.h"
#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
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
    const platform::graphics::Path before = render->path();
    root->redrawCurrentFrame();
    EXPECT_EQ(render->path(), before);
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

// Every kind of provider keeps its own note of a change: a value set on a
// provider already installed shows from the next frame on. The square is red,
// 20 wide, at (50, 50).
TEST(MainThreadAnimationLayer, AValueSetOnAnInstalledProviderShowsOnTheNextFrame) {
    struct Case {
        const char* name;
        std::string items;
        std::string keypath;
        std::shared_ptr<AnyValueProvider> provider;
        std::function<void()> change;
        std::vector<Probe> before;
        std::vector<Probe> after;
    };
    const std::string square = featuretest::rect(50, 50, 20, 20);
    const std::string solid = square + "," + fill(1, 0, 0);
    const std::string gradient = square + "," + featuretest::gradientFill(1, 0, 0, 100, 0, 2, "0,1,0,0,1,1,0,0");
    const LottieColor redColour(1, 0, 0, 1);
    const LottieColor blueColour(0, 0, 1, 1);
    auto opacity = std::make_shared<FloatValueProvider>(100.0);
    auto colour = std::make_shared<ColorValueProvider>(redColour);
    auto position = std::make_shared<PointValueProvider>(platform::graphics::Point(50, 50));
    auto size = std::make_shared<SizeValueProvider>(platform::graphics::Size(20, 20));
    auto stops = std::make_shared<GradientValueProvider>(std::vector{redColour, redColour}, std::vector<double>{});
    auto layerPosition = std::make_shared<PointValueProvider>(platform::graphics::Point(0, 0));
    auto layerOpacity = std::make_shared<FloatValueProvider>(100.0);
    const std::vector<Case> cases{
        {"number", solid, "Shape 1.Fill.Opacity", opacity, [&] { opacity->setFloatValue(0); },
         {{50, 50, red}}, {{50, 50, clear}}},
        {"colour", solid, "Shape 1.Fill.Color", colour, [&] { colour->setColor(blueColour); },
         {{50, 50, red}}, {{50, 50, blue}}},
        {"point", solid, "Shape 1.Rect.Position", position, [&] { position->setPoint({20, 20}); },
         {{50, 50, red}, {20, 20, clear}}, {{50, 50, clear}, {20, 20, red}}},
        {"size", solid, "Shape 1.Rect.Size", size, [&] { size->setSize({80, 80}); },
         {{50, 50, red}, {15, 15, clear}}, {{50, 50, red}, {15, 15, red}}},
        {"gradient", gradient, "Shape 1.Gradient Fill.Colors", stops,
         [&] { stops->setColors({blueColour, blueColour}); },
         {{50, 50, red}}, {{50, 50, blue}}},
        // The layer's transform does not animate, so its properties are made
        // only when the keypath reaches them.
        {"layer position", solid, "Shape 1.Transform.Position", layerPosition,
         [&] { layerPosition->setPoint({-30, -30}); },
         {{50, 50, red}, {20, 20, clear}}, {{50, 50, clear}, {20, 20, red}}},
        {"layer opacity", solid, "Shape 1.Transform.Opacity", layerOpacity, [&] { layerOpacity->setFloatValue(0); },
         {{50, 50, red}}, {{50, 50, clear}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto root = makeRoot(decode(document("[" + shapeLayer("[" + c.items + "]") + "]")));
        renderFrame(*root, 0);
        root->installValueProvider(c.provider, AnimationKeypath(c.keypath));
        expectProbes(*renderFrame(*root, 1), c.before);
        c.change();
        expectProbes(*renderFrame(*root, 2), c.after);
    }
}

// Parts that do not animate (a layer's fixed transform, the dashes of a solid
// stroke) are made only when a keypath asks for them: they are listed and
// answer their values all the same, and making them changes no picture.
TEST(MainThreadAnimationLayer, PropertiesThatDoNotAnimateAnswerKeypaths) {
    const std::string items = "[" + featuretest::rect(50, 50, 40, 40) + "," + featuretest::stroke(4) + "]";
    const std::string json = document("[" + shapeLayer(items, 1, "", R"({"p":{"k":[5,6]},"o":{"k":50}})") + "]");
    const auto drawn = pixelBytes(renderFrame(*makeRoot(decode(json)), 1));

    auto root = makeRoot(decode(json));
    renderFrame(*root, 0);
    const std::vector<std::string> keypaths = root->collectAllKeypaths();
    for (const char* expected : {"Shape 1.Transform.Position", "Shape 1.Transform.Opacity", "Shape 1.Transform.Scale",
                                 "Shape 1.Stroke.Dashes", "Shape 1.Stroke.Dash Phase"}) {
        EXPECT_NE(std::find(keypaths.begin(), keypaths.end(), expected), keypaths.end()) << expected;
    }
    EXPECT_EQ(std::any_cast<LottieVector3D>(root->valueAtKeypath(AnimationKeypath("Shape 1.Transform.Position"), 0.0)),
              LottieVector3D(5, 6, 0));
    EXPECT_EQ(std::any_cast<LottieVector3D>(root->valueAtKeypath(AnimationKeypath("Shape 1.Transform.Scale"), 0.0)),
              LottieVector3D(100, 100, 100));
    EXPECT_EQ(std::any_cast<LottieVector1D>(root->valueAtKeypath(AnimationKeypath("Shape 1.Stroke.Dash Phase"), 0.0)),
              LottieVector1D(0));
    // A phase alone dashes nothing.
    root->installValueProvider(std::make_shared<FloatValueProvider>(3.0),
                               AnimationKeypath("Shape 1.Stroke.Dash Phase"));
    EXPECT_EQ(pixelBytes(renderFrame(*root, 1)), drawn);
}

// Asking for a value is a question only: whatever the engine evaluates to
// answer it, the next frame draws what it would have drawn without it. The
// square of movingSquare() reaches x = 80 at frame 60 and stays there.
TEST(MainThreadAnimationLayer, AskingForAValueChangesNothingTheNextFrameDraws) {
    const AnimationKeypath position("Shape 1.Box.Position");
    const AnimationKeypath colour("Shape 1.Fill.Color");
    auto provider = std::make_shared<ColorValueProvider>(LottieColor(1, 0, 0, 1));
    struct Case {
        const char* name;
        // Called once frame 30 is drawn; then frame 65 is drawn.
        std::function<void(MainThreadAnimationLayer&)> ask;
        std::vector<Probe> shown;
    };
    const std::vector<Case> cases = {
        {"a value past the last keyframe",
         [&](MainThreadAnimationLayer& root) { root.valueAtKeypath(position, 70.0); },
         {{80, 50, red}, {50, 50, clear}}},
        {"the document's value past the last keyframe",
         [&](MainThreadAnimationLayer& root) { root.unoverriddenValueAtKeypath(position, 70.0); },
         {{80, 50, red}, {50, 50, clear}}},
        {"a value at the frame about to be drawn",
         [&](MainThreadAnimationLayer& root) { root.valueAtKeypath(position, 65.0); },
         {{80, 50, red}, {50, 50, clear}}},
        {"a colour just set on a caller's provider",
         [&](MainThreadAnimationLayer& root) {
             root.installValueProvider(provider, colour);
             provider->setColor(LottieColor(0, 0, 1, 1));
             EXPECT_EQ(std::any_cast<LottieColor>(root.valueAtKeypath(colour, std::nullopt)), LottieColor(0, 0, 1, 1));
         },
         {{80, 50, blue}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto root = makeRoot(decode(movingSquare()));
        expectProbes(*renderFrame(*root, 30), {{50, 50, red}});
        c.ask(*root);
        expectProbes(*renderFrame(*root, 65), c.shown);
    }
}

// A shape layer builds its node graph when a frame first shows it, or when a
// keypath search or a caller asks for it, not before: a view keeps none for
// the layers it has not shown. Built late, it draws what it would have drawn.
TEST(MainThreadAnimationLayer, AShapeLayerBuildsItsNodesWhenFirstShownOrAskedFor) {
    const auto layer = [](const char* name, int index, int in, int out, const std::string& colour) {
        return std::string(R"({"ty":4,"nm":")") + name + R"(","ind":)" + std::to_string(index) + R"(,"ip":)" +
               std::to_string(in) + R"(,"op":)" + std::to_string(out) + R"(,"st":0,"ks":{},"shapes":[)" +
               R"({"ty":"rc","nm":"Box","p":{"a":0,"k":[50,50]},"s":{"a":0,"k":[20,20]},"r":{"a":0,"k":0}},)" +
               colour + "]}";
    };
    const auto animation =
        decode(document("[" + layer("Early", 1, 0, 30, fill(1, 0, 0)) + "," + layer("Late", 2, 30, 60, fill(0, 0, 1)) +
                        "]"));
    const auto shape = [](const MainThreadAnimationLayer& root, const char* name) {
        for (const auto& layer : root.animationLayers()) {
            if (layer->keypathName() == name) return std::dynamic_pointer_cast<ShapeCompositionLayer>(layer);
        }
        return std::shared_ptr<ShapeCompositionLayer>();
    };
    auto root = makeRoot(animation);
    ASSERT_TRUE(shape(*root, "Early") && shape(*root, "Late"));
    expectProbes(*renderFrame(*root, 10), {{50, 50, red}});
    EXPECT_TRUE(shape(*root, "Early")->hasNodeTree());
    EXPECT_FALSE(shape(*root, "Late")->hasNodeTree());
    expectProbes(*renderFrame(*root, 40), {{50, 50, blue}});
    EXPECT_TRUE(shape(*root, "Late")->hasNodeTree());

    struct Ask {
        const char* name;
        std::function<void(MainThreadAnimationLayer&, ShapeCompositionLayer&)> ask;
    };
    const Ask asks[] = {
        {"a keypath listing", [](MainThreadAnimationLayer& other, ShapeCompositionLayer&) {
             const std::vector<std::string> keypaths = other.collectAllKeypaths();
             EXPECT_NE(std::find(keypaths.begin(), keypaths.end(), "Late.Box.Position"), keypaths.end());
         }},
        {"a value at a keypath", [](MainThreadAnimationLayer& other, ShapeCompositionLayer&) {
             EXPECT_EQ(std::any_cast<LottieVector3D>(other.valueAtKeypath(AnimationKeypath("Late.Box.Size"), 0.0)),
                       LottieVector3D(20, 20, 0));
         }},
        {"its render layers", [](MainThreadAnimationLayer&, ShapeCompositionLayer& late) {
             EXPECT_EQ(late.renderContainer()->renderLayers().size(), 1u);
         }},
    };
    for (const Ask& item : asks) {
        SCOPED_TRACE(item.name);
        auto other = makeRoot(animation);
        renderFrame(*other, 10);
        auto late = shape(*other, "Late");
        ASSERT_TRUE(late);
        EXPECT_FALSE(late->hasNodeTree());
        item.ask(*other, *late);
        EXPECT_TRUE(late->hasNodeTree());
        expectProbes(*renderFrame(*other, 40), {{50, 50, blue}});
    }

    // The first frame shown ahead on the thread that prepared the layer: the
    // layers the start frame shows have their graphs and draw what a layer
    // shown on the main thread alone draws; the others wait for their frame.
    auto ahead = makeRoot(animation);
    std::thread([&ahead] { ahead->showFirstFrameAhead(); }).join();
    EXPECT_TRUE(shape(*ahead, "Early")->hasNodeTree());
    EXPECT_FALSE(shape(*ahead, "Late")->hasNodeTree());
    EXPECT_EQ(pixelBytes(renderFrame(*ahead, 0)), pixelBytes(renderFrame(*makeRoot(animation), 0)));
    expectProbes(*renderFrame(*ahead, 10), {{50, 50, red}});
    expectProbes(*renderFrame(*ahead, 40), {{50, 50, blue}});
    // A document with text waits for the main thread, where its text
    // providers are asked.
    const std::string text = R"({"ty":5,"nm":"T","ind":3,"ip":0,"op":60,"st":0,"ks":{},"t":{"d":{"k":[{"s":{"t":"Hi",)"
                             R"("s":20,"f":"DejaVu Sans","j":0,"tr":0,"lh":24,"fc":[0,0,0]},"t":0}]},"a":[],"p":{},"m":{}}})";
    auto withText = makeRoot(decode(document("[" + layer("Early", 1, 0, 30, fill(1, 0, 0)) + "," + text + "]")));
    withText->showFirstFrameAhead();
    EXPECT_FALSE(shape(*withText, "Early")->hasNodeTree());
}

// The path a shape's nodes put together is the one its render layer shows,
// shared rather than copied, and holds no room for elements it does not have.
TEST(MainThreadAnimationLayer, ARenderLayerSharesThePathItsNodesMade) {
    auto root = makeRoot(decode(movingSquare()));
    for (const double frame : {0.0, 30.0}) {
        SCOPED_TRACE(frame);
        renderFrame(*root, frame);
        const auto layer = firstRenderLayer(*root);
        ASSERT_TRUE(layer);
        const platform::graphics::Path* made = layer->renderer()->outputPath();
        ASSERT_TRUE(made);
        EXPECT_EQ(&layer->path(), made);
        EXPECT_EQ(made->elements().capacity(), made->elements().size());
    }
}

}  // namespace
