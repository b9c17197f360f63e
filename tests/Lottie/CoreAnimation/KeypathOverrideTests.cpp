// Value providers on a whole Core Animation tree, by keypath: "**.Opacity" on
// every layer, one layer's "Transform.Position" and "Transform.Rotation", and
// "**.Color" on a solid layer, seen in what the layers present while paused at
// a frame; and keypaths that override nothing.

#include <gtest/gtest.h>

#include "Lottie/CoreAnimation/CoreAnimationLayer.h"
#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "Lottie/Playback/ValueProviders/FloatValueProvider.h"
#include "Lottie/Playback/ValueProviders/PointValueProvider.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;
using platform::compositor::AnimatableValue;
using platform::compositor::Layer;
using platform::graphics::Color;
using platform::graphics::Point;

namespace {

// Two solids over frames 0 to 20: "Box" moves from (10, 10) to (50, 50) at half
// opacity, "Other" fades in at (80, 80).
const std::string layers =
    R"({"ty":1,"nm":"Box","ind":1,"ip":0,"op":20,"st":0,"sc":"#00ff00","sw":20,"sh":20,"ks":{"o":{"a":0,"k":50},)"
    R"("p":{"a":1,"k":[{"t":0,"s":[10,10,0]},{"t":20,"s":[50,50,0]}]}}},)"
    R"({"ty":1,"nm":"Other","ind":2,"ip":0,"op":20,"st":0,"sc":"#0000ff","sw":10,"sh":10,"ks":{"p":{"a":0,"k":[80,80,0]},)"
    R"("o":{"a":1,"k":[{"t":0,"s":[0]},{"t":20,"s":[100]}]}}})";

std::shared_ptr<Layer> named(const Layer& root, const std::string& name) {
    for (const auto& sublayer : root.sublayers()) {
        if (sublayer->name() == name) return sublayer;
        if (auto found = named(*sublayer, name)) return found;
    }
    return nullptr;
}

class KeypathOverrideTest : public ClockTest {
protected:
    void SetUp() override {
        ClockTest::SetUp();
        root = rootLayer(emptyAnimation(0, 20, 10, layers), log.tracker(), log);
        root->layoutIfNeeded();
    }

    // What the layer named `name` presents for `keyPath`, paused at `frame`.
    std::optional<AnimatableValue> presented(const std::string& name, const std::string& keyPath, double frame) {
        root->setCurrentFrame(frame);
        root->display();
        const auto layer = named(*root, name);
        if (!layer) return std::nullopt;
        return layer->presentedValue(keyPath, clock->now());
    }
    double number(const std::string& name, const std::string& keyPath, double frame) {
        const auto value = presented(name, keyPath, frame);
        return value ? value->number().value_or(NAN) : NAN;
    }
    Point point(const std::string& name, const std::string& keyPath, double frame) {
        const auto value = presented(name, keyPath, frame);
        const Point* found = value ? value->get<Point>() : nullptr;
        return found ? *found : Point{NAN, NAN};
    }
    // The solid's rectangle is the only sublayer of the solid, its own contents layer.
    std::optional<AnimatableValue> fillColor(const std::string& name, double frame) {
        root->setCurrentFrame(frame);
        root->display();
        const auto contents = named(*root, name);
        if (!contents || contents->sublayers().empty()) return std::nullopt;
        return contents->sublayers().front()->presentedValue("fillColor", clock->now());
    }

    std::shared_ptr<CoreAnimationLayer> root;
};

TEST_F(KeypathOverrideTest, WithoutProvidersTheDocumentPlays) {
    EXPECT_NEAR(number("Box", "opacity", 10), 0.5, 1e-6);
    EXPECT_NEAR(number("Other", "opacity", 10), 0.5, 1e-6);
    const Point middle = point("Box", "transform.translation", 10);
    EXPECT_NEAR(middle.x, 30, 1e-6);
    EXPECT_NEAR(middle.y, 30, 1e-6);
    EXPECT_EQ(fillColor("Box", 5), AnimatableValue(Color::rgb(0, 1, 0, 1)));
}

TEST_F(KeypathOverrideTest, OpacityEverywhere) {
    root->installValueProvider(std::make_shared<FloatValueProvider>(25.0), AnimationKeypath("**.Opacity"));
    for (double frame : {0.0, 10.0, 19.0}) {
        EXPECT_NEAR(number("Box", "opacity", frame), 0.25, 1e-6) << frame;
        EXPECT_NEAR(number("Other", "opacity", frame), 0.25, 1e-6) << frame;
    }
    // Removing the provider brings the document's opacity back.
    root->uninstallValueProvider(AnimationKeypath("**"));
    EXPECT_NEAR(number("Other", "opacity", 10), 0.5, 1e-6);
}

TEST_F(KeypathOverrideTest, OneLayersPositionAndRotation) {
    root->installValueProvider(std::make_shared<PointValueProvider>(Point{70, 30}),
                               AnimationKeypath("Box.Transform.Position"));
    root->installValueProvider(std::make_shared<FloatValueProvider>(90.0), AnimationKeypath("Box.Transform.Rotation"));
    for (double frame : {0.0, 10.0}) {
        const Point moved = point("Box", "transform.translation", frame);
        EXPECT_NEAR(moved.x, 70, 1e-6) << frame;
        EXPECT_NEAR(moved.y, 30, 1e-6) << frame;
        EXPECT_NEAR(number("Box", "transform.rotation.z", frame), M_PI / 2, 1e-6) << frame;
        EXPECT_NEAR(number("Box", "transform.rotation.x", frame), 0, 1e-9) << frame;
    }
    const Point other = point("Other", "transform.translation", 10);
    EXPECT_NEAR(other.x, 80, 1e-6);
    EXPECT_NEAR(number("Other", "transform.rotation.z", 10), 0, 1e-9);
}

TEST_F(KeypathOverrideTest, ColorOfASolid) {
    root->installValueProvider(std::make_shared<ColorValueProvider>(LottieColor(1, 0, 0, 1)),
                               AnimationKeypath("**.Color"));
    EXPECT_EQ(fillColor("Box", 5), AnimatableValue(Color::rgb(1, 0, 0, 1)));
    EXPECT_EQ(fillColor("Other", 5), AnimatableValue(Color::rgb(1, 0, 0, 1)));
    // Stroke colours answer to "Color": a "Stroke Color" keypath overrides nothing.
    root->uninstallValueProvider(AnimationKeypath("**"));
    root->installValueProvider(std::make_shared<ColorValueProvider>(LottieColor(1, 0, 0, 1)),
                               AnimationKeypath("Box.Stroke Color"));
    EXPECT_EQ(fillColor("Box", 5), AnimatableValue(Color::rgb(0, 1, 0, 1)));
}

TEST_F(KeypathOverrideTest, ListedKeypathsNameEveryOverridableProperty) {
    root->setCurrentFrame(0);
    root->display();
    const std::vector<std::string> keypaths = root->collectAllKeypaths();
    for (const char* expected : {"Box.Transform.Position", "Box.Transform.Scale", "Box.Transform.Rotation",
                                 "Box.Transform.Opacity", "Box.Color", "Other.Color"}) {
        EXPECT_NE(std::find(keypaths.begin(), keypaths.end(), expected), keypaths.end()) << expected;
    }
}

}  // namespace
