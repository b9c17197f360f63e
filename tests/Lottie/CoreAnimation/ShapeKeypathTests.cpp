// The animations of a shape layer's items answer to keypaths made of the layer's
// name, the names of the groups around the item and the item's own name, and
// land on the layers that draw them.

#include <gtest/gtest.h>

#include "Lottie/CoreAnimation/CoreAnimationLayer.h"
#include "Lottie/CoreAnimation/ShapeItemLayer.h"
#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "Lottie/Playback/ValueProviders/FloatValueProvider.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;
using platform::compositor::AnimatableValue;
using platform::graphics::Color;

namespace {

// A rectangle in group "G" filled red by "Fill" and stroked blue by "Stroke", both
// opaque (one item layer draws both); a second group "H" with a green fill.
const std::string shapes =
    R"({"ty":4,"nm":"Shapes","ind":1,"ip":0,"op":20,"st":0,"ks":{},"shapes":[)"
    R"({"ty":"gr","nm":"G","it":[{"ty":"rc","nm":"R","p":{"a":0,"k":[30,30]},"s":{"a":0,"k":[20,20]},"r":{"a":0,"k":0}},)"
    R"({"ty":"st","nm":"Stroke","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":2},"lc":1,"lj":1,"ml":4},)"
    R"({"ty":"fl","nm":"Fill","c":{"a":0,"k":[1,0,0,1]},"o":{"a":0,"k":100},"r":1}]},)"
    R"({"ty":"gr","nm":"H","it":[{"ty":"rc","nm":"R","p":{"a":0,"k":[70,70]},"s":{"a":0,"k":[20,20]},"r":{"a":0,"k":0}},)"
    R"({"ty":"fl","nm":"Fill","c":{"a":0,"k":[0,1,0,1]},"o":{"a":0,"k":100},"r":1}]}]})";

void itemLayers(const platform::compositor::Layer& layer, std::vector<std::shared_ptr<ShapeItemLayer>>& found) {
    for (const auto& sublayer : layer.sublayers()) {
        if (auto item = std::dynamic_pointer_cast<ShapeItemLayer>(sublayer)) found.push_back(item);
        itemLayers(*sublayer, found);
    }
}

class ShapeKeypathTest : public ClockTest {
protected:
    void SetUp() override {
        ClockTest::SetUp();
        root = rootLayer(emptyAnimation(0, 20, 10, shapes), log.tracker(), log);
        root->layoutIfNeeded();
    }

    // What the item layer drawing the group's rectangle presents for `keyPath`.
    std::optional<AnimatableValue> presented(const std::string& group, const std::string& keyPath) {
        root->setCurrentFrame(5);
        root->display();
        std::vector<std::shared_ptr<ShapeItemLayer>> items;
        itemLayers(*root, items);
        for (const auto& item : items) {
            if (item->shape().groupNames() == std::vector<std::string>{group}) {
                return item->solidFillLayer()->presentedValue(keyPath, clock->now());
            }
        }
        return std::nullopt;
    }

    static AnimatableValue rgb(double r, double g, double b) {
        return AnimatableValue(Color::fromRGBA(LottieConfiguration::sharedColorSpace(), r, g, b, 1));
    }

    std::shared_ptr<CoreAnimationLayer> root;
};

TEST_F(ShapeKeypathTest, ItemsAnswerToTheirGroupPath) {
    EXPECT_EQ(presented("G", "fillColor"), rgb(1, 0, 0));
    EXPECT_EQ(presented("G", "strokeColor"), rgb(0, 0, 1));
    EXPECT_EQ(presented("H", "fillColor"), rgb(0, 1, 0));

    root->installValueProvider(std::make_shared<ColorValueProvider>(LottieColor(1, 1, 0, 1)),
                               AnimationKeypath("Shapes.G.Fill.Color"));
    EXPECT_EQ(presented("G", "fillColor"), rgb(1, 1, 0));
    EXPECT_EQ(presented("G", "strokeColor"), rgb(0, 0, 1));
    EXPECT_EQ(presented("H", "fillColor"), rgb(0, 1, 0));

    root->installValueProvider(std::make_shared<FloatValueProvider>(7.0), AnimationKeypath("**.Stroke Width"));
    EXPECT_NEAR(presented("G", "lineWidth")->number().value_or(0), 7, 1e-9);
}

}  // namespace
