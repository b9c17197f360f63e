// The view's keypath services, markers and settings reach its animation layer:
// each is done through the view and its effect read on the layer.
#include <QRect>
#include <algorithm>

#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"
#include "Lottie/Views/AnimationSubview.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"

namespace {

using lottie::AnimationKeypath;
using lottie::LottieAnimationLayer;
using lottie::LottieAnimationView;
using viewstest::ViewsTest;

// The test document with a marker from frame 10, 6 frames long.
std::shared_ptr<const lottie::LottieAnimation> markedAnimation() {
    return viewstest::animationWithMarkers(R"([{"tm":10,"cm":"middle","dr":6}])");
}

TEST_F(ViewsTest, KeypathServicesMarkersAndSettingsReachTheAnimationLayer) {
    std::vector<std::string> logged;
    auto logger = std::make_shared<lottie::LottieLogger>(
        [](const auto&, const auto&, auto, unsigned) {}, [](const auto&, auto, unsigned) {},
        [](const auto&, auto, unsigned) {}, [&logged](const auto& message) { logged.push_back(message()); });
    LottieAnimationView view(markedAnimation(), nullptr, nullptr, nullptr,
                             lottie::LottieConfiguration(lottie::RenderingEngineOption::mainThread()), logger);
    view.resize(200, 100);
    settle();
    LottieAnimationLayer& layer = *view.lottieAnimationLayer();
    const AnimationKeypath square("Square");
    const AnimationKeypath fill("Square.Fill");
    const platform::graphics::Rect rect{60, 10, 20, 10};
    auto* subview = new lottie::AnimationSubview;

    struct Case {
        const char* name;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"shouldRasterizeWhenIdle",
         [&] {
             view.setShouldRasterizeWhenIdle(true);
             EXPECT_TRUE(layer.shouldRasterizeWhenIdle());
             EXPECT_TRUE(view.shouldRasterizeWhenIdle());
         }},
        {"respectAnimationFrameRate",
         [&] {
             view.setRespectAnimationFrameRate(true);
             EXPECT_TRUE(layer.respectAnimationFrameRate());
             EXPECT_TRUE(view.respectAnimationFrameRate());
         }},
        {"forceDisplayUpdateOnEachFrame",
         [&] {
             view.setMainThreadRenderingEngineShouldForceDisplayUpdateOnEachFrame(true);
             EXPECT_TRUE(layer.mainThreadRenderingEngineShouldForceDisplayUpdateOnEachFrame());
             EXPECT_TRUE(view.mainThreadRenderingEngineShouldForceDisplayUpdateOnEachFrame());
         }},
        {"setAnimatorNodesEnabled",
         [&] {
             view.setAnimatorNodesEnabled(false, fill);
             const auto nodes = layer.renderingLayer()->nodesAtKeypath(fill);
             ASSERT_TRUE(nodes && !nodes->empty());
             for (const auto& node : *nodes) EXPECT_FALSE(node->isEnabled());
         }},
        {"valueAtKeypath",
         [&] {
             const std::any colour = view.valueAtKeypath(AnimationKeypath("Square.Fill.Color"));
             ASSERT_TRUE(colour.has_value());
             EXPECT_EQ(colour.type(), layer.valueAtKeypath(AnimationKeypath("Square.Fill.Color")).type());
             EXPECT_FALSE(view.valueAtKeypath(AnimationKeypath("Nothing.Here")).has_value());
         }},
        {"collectAllKeypaths",
         [&] {
             const auto keypaths = view.collectAllKeypaths();
             EXPECT_EQ(keypaths, layer.collectAllKeypaths());
             EXPECT_NE(std::find(keypaths.begin(), keypaths.end(), "Square.Fill"), keypaths.end());
         }},
        {"logAllKeypaths",
         [&] {
             view.logAllKeypaths();
             EXPECT_EQ(logged.size(), layer.collectAllKeypaths().size() + 1) << "a heading, then every keypath";
         }},
        {"markers",
         [&] {
             EXPECT_EQ(view.frameForMarker("middle"), 10);
             EXPECT_EQ(view.durationForMarker("middle"), 6);
             EXPECT_NEAR(view.progressForMarker("middle").value_or(-1), 10.0 / 30, 1e-9);
             EXPECT_EQ(view.frameForMarker("absent"), std::nullopt);
         }},
        {"convertRect and convertPoint",
         [&] {
             settle();
             EXPECT_EQ(view.convertRect(rect, square), layer.convertRectToKeypath(rect, square));
             EXPECT_TRUE(view.needsLayout()) << "laid out again";
             settle();
             const auto point = view.convertPoint({60, 10}, square);
             ASSERT_TRUE(point);
             EXPECT_EQ(point, layer.convertPointToKeypath({60, 10}, square));
             EXPECT_TRUE(view.needsLayout());
             EXPECT_EQ(view.convertRect(rect, AnimationKeypath("Nothing")), std::nullopt);
         }},
        {"addAnimationSubview",
         [&] {
             EXPECT_FALSE(view.addAnimationSubview(subview, AnimationKeypath("Nothing")));
             EXPECT_EQ(subview->parentWidget(), nullptr);
             // A frame in the square layer's space: its centre, 10 units each way.
             subview->setGeometry(0, 0, 10, 10);
             ASSERT_TRUE(view.addAnimationSubview(subview, square));
             EXPECT_EQ(subview->parentWidget(), &view);
             settle();
             // The 100 x 50 animation is fitted at twice its size; the
             // square's centre moves from (25, 25) at frame 0 to (50, 25) at 15.
             EXPECT_EQ(subview->geometry(), QRect(50, 50, 20, 20));
             view.setCurrentFrame(15);
             frame(view);
             EXPECT_EQ(subview->geometry(), QRect(100, 50, 20, 20));
             view.playFromFrame(0, 30);
             frame(view, 0.2);
             const double shown = view.realtimeAnimationFrame();
             ASSERT_NE(shown, 15) << "the frame shown moved";
             EXPECT_NEAR(subview->x(), 2 * (25 + 25 * shown / 15), 1) << "follows the frame played";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.check();
    }
}

}  // namespace
