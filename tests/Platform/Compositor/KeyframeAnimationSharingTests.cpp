// A keyframe animation's lists and path are shared, not copied, by the copy a
// layer keeps of it, and setting them anew on one never reaches the other.

#include <gtest/gtest.h>

#include "Platform/Compositor/AnimationGroup.h"
#include "Platform/Compositor/KeyframeAnimation.h"
#include "Platform/Compositor/Layer.h"

using namespace platform::compositor;
using platform::graphics::Path;

namespace {

TEST(KeyframeAnimationSharing, CopiesShareTheListsAndPathUntilOneIsSetAnew) {
    auto original = KeyframeAnimation::make("opacity");
    original->setValues({AnimatableValue(0.0), AnimatableValue(1.0)});
    original->setKeyTimes({0, 1});
    original->setTimingFunctions({TimingFunction(0.5f, 0, 0.5f, 1)});
    auto motion = KeyframeAnimation::make("position");
    Path path;
    path.moveTo({0, 0});
    path.lineTo({10, 0});
    motion->setPath(path);
    auto group = AnimationGroup::make();
    group->setAnimations({original, motion});
    group->setDuration(1);

    auto layer = Layer::make();
    layer->addAnimation(group, "both");
    const auto kept = std::dynamic_pointer_cast<const AnimationGroup>(layer->animation("both"));
    ASSERT_TRUE(kept && kept->animations().size() == 2);
    const auto copy = std::dynamic_pointer_cast<const KeyframeAnimation>(kept->animations()[0]);
    const auto motionCopy = std::dynamic_pointer_cast<const KeyframeAnimation>(kept->animations()[1]);
    ASSERT_TRUE(copy && copy != original && motionCopy && motionCopy != motion);
    EXPECT_EQ(copy->values().data(), original->values().data());
    EXPECT_EQ(copy->keyTimes().data(), original->keyTimes().data());
    EXPECT_EQ(copy->timingFunctions().data(), original->timingFunctions().data());
    EXPECT_EQ(&*motionCopy->path(), &*motion->path());

    original->setValues({AnimatableValue(0.5)});
    original->setKeyTimes({});
    motion->setPath(std::nullopt);
    EXPECT_EQ(copy->values(), (std::vector<AnimatableValue>{0.0, 1.0}));
    EXPECT_EQ(copy->keyTimes(), (std::vector<double>{0, 1}));
    EXPECT_TRUE(original->keyTimes().empty());
    ASSERT_TRUE(motionCopy->path());
    EXPECT_EQ(*motionCopy->path(), path);
    EXPECT_FALSE(motion->path());
}

}  // namespace
