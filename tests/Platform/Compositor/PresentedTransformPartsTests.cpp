// Animations that write a layer's transform part by part ("transform.scale.x",
// "transform.rotation.z", ...) present, in the layer's presentation copy, what
// writing each value in turn into the layer leaves: however the copy gathers
// them, an animation that adds to a part, or writes or reads the whole
// transform between them, sees and leaves the same transform.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "CompositorTestSupport.h"
#include "Platform/Compositor/KeyframeAnimation.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/TransformComponents.h"
#include "Platform/Compositor/TransformDecomposition.h"

namespace {

using namespace platform::compositor;
using namespace compositortest;
using platform::graphics::Point;
using platform::graphics::Transform3D;

class PresentedTransformPartsTest : public CompositorTest {};

// One written value: an animation holding it for 10 seconds, added to what is
// presented when `adds`.
struct Write {
    std::string key;
    AnimatableValue value;
    bool adds = false;
};

std::shared_ptr<Animation> holding(const Write& write) {
    auto animation = KeyframeAnimation::make(write.key);
    animation->setValues({write.value, write.value});
    animation->setDuration(10);
    animation->setAdditive(write.adds);
    return animation;
}

// The layer after writing each value in turn, as the animations would.
std::shared_ptr<Layer> writtenInTurn(const Transform3D& start, const std::vector<Write>& writes) {
    auto layer = Layer::make();
    layer->setTransform(start);
    for (const Write& write : writes) {
        AnimatableValue value = write.value;
        if (write.adds) {
            if (auto sum = AnimatableValue::add(*layer->value(write.key), value)) value = *sum;
        }
        layer->setValue(write.key, value);
    }
    return layer;
}

TEST_F(PresentedTransformPartsTest, ACopyPresentsWhatWritingEachPartInTurnLeaves) {
    const Transform3D turnedAndMoved = Transform3D::concat(Transform3D::makeRotation(0.6, 0, 0, 1),
                                                           Transform3D::makeTranslation(7, -3, 0));
    const Transform3D skewed = Transform3D::fromRows({1, 0.25, 0, 0, 0.5, 1, 0, 0, 0, 0, 1, 0, 2, 3, 0, 1});
    struct Case {
        const char* name;
        Transform3D start;
        std::vector<Write> writes;
    };
    const Case cases[] = {
        {"parts of a transform set whole",
         turnedAndMoved,
         {{"transform.scale.x", 2.0}, {"transform.translation", Point(5, 6)}, {"transform.scale.y", 0.5}}},
        {"a part added to what the parts before left",
         Transform3D(),
         {{"transform.rotation.z", std::numbers::pi / 3},
          {"transform.scale.x", 3.0},
          {"transform.rotation.z", 0.25, true},
          {"transform.translation.y", 4.0, true}}},
        {"the whole transform written between parts",
         turnedAndMoved,
         {{"transform.scale.x", 2.0}, {"transform", skewed}, {"transform.rotation.z", 0.5, true}}},
        {"the whole transform added to between parts",
         Transform3D(),
         {{"transform.scale.y", 4.0}, {"transform", Transform3D::makeTranslation(1, 2, 0), true},
          {"transform.scale.x", 0.5}}},
        {"values of the wrong type left out, other keys between",
         skewed,
         {{"transform.translation", 3.0}, {"opacity", 0.5}, {"transform.rotation.z", Point(1, 1)}, {"position", Point(1, 1)}}},
        {"a part written after a value of the wrong type",
         turnedAndMoved,
         {{"transform.translation", 3.0}, {"transform.rotation.z", 1.0}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto layer = Layer::make();
        layer->setTransform(test.start);
        int index = 0;
        for (const Write& write : test.writes) layer->addAnimation(holding(write), "write " + std::to_string(index++));
        const auto copy = layer->presentationAt(clock->now() + 5);
        const auto expected = writtenInTurn(test.start, test.writes);
        EXPECT_EQ(copy->transform(), expected->transform());
        EXPECT_EQ(copy->transformComponents(), expected->transformComponents());
        EXPECT_EQ(copy->opacity(), expected->opacity());
        // The layer itself keeps its own transform.
        EXPECT_EQ(layer->transform(), test.start);
    }
}

TEST(TransformComponentsOf, TheIdentityGivesItsDecompositionToTheBit) {
    const TransformDecomposition decomposition = TransformDecomposition::of(Transform3D());
    const std::array<double, 3> angles = decomposition.eulerAngles();
    const TransformComponents parts = TransformComponents::of(Transform3D());
    const double expected[] = {decomposition.scaleShear[0], decomposition.scaleShear[4], decomposition.scaleShear[8],
                               angles[0], angles[1], angles[2], decomposition.translation[0],
                               decomposition.translation[1], decomposition.translation[2]};
    const double actual[] = {parts.scaleX,       parts.scaleY,       parts.scaleZ,
                             parts.rotationX,    parts.rotationY,    parts.rotationZ,
                             parts.translationX, parts.translationY, parts.translationZ};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(actual[i], expected[i]) << i;
        EXPECT_EQ(std::signbit(actual[i]), std::signbit(expected[i])) << i;
    }
}

}  // namespace
