// A keyframe animation's lists and path are shared, not copied, by the copy a
// layer keeps of it, and setting them anew on one never reaches the other; a
// group's copy shares the children given to it as shared; and animations are
// the same (one may stand for the other) only when they present the same.

#include <gtest/gtest.h>

#include "Platform/Compositor/AnimationGroup.h"
#include "Platform/Compositor/BasicAnimation.h"
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

TEST(KeyframeAnimationSharing, AGroupsCopySharesOnlyTheChildrenGivenAsShared) {
    std::shared_ptr<const Animation> inner = KeyframeAnimation::make("opacity");
    for (const bool shared : {true, false}) {
        SCOPED_TRACE(shared ? "shared" : "own");
        auto group = AnimationGroup::make();
        if (shared) {
            group->setSharedAnimations({inner});
        } else {
            group->setAnimations({std::const_pointer_cast<Animation>(inner)});
        }
        auto layer = Layer::make();
        layer->addAnimation(group, "opacity");
        const auto kept = std::dynamic_pointer_cast<const AnimationGroup>(layer->animation("opacity"));
        ASSERT_TRUE(kept && kept->animations().size() == 1);
        EXPECT_NE(kept, group);
        EXPECT_EQ(kept->animations()[0] == inner, shared);
        EXPECT_EQ(kept->sharesAnimations(), shared);
    }
}

TEST(KeyframeAnimationSharing, AnimationsAreTheSameOnlyWhenTheyPresentTheSame) {
    const auto make = [] {
        auto animation = KeyframeAnimation::make("opacity");
        animation->setValues({AnimatableValue(0.0), AnimatableValue(1.0)});
        animation->setKeyTimes({0, 1});
        animation->setDuration(2);
        return animation;
    };
    const auto basic = [](double value) {
        auto animation = BasicAnimation::make("opacity");
        animation->setFromValue(AnimatableValue(value));
        animation->setToValue(AnimatableValue(value));
        return animation;
    };
    const auto group = [](std::shared_ptr<const Animation> child) {
        auto wrapper = AnimationGroup::make();
        wrapper->setSharedAnimations({std::move(child)});
        wrapper->setDuration(3);
        return wrapper;
    };
    const auto original = make();
    struct Case {
        const char* name;
        std::shared_ptr<const Animation> other;
        std::shared_ptr<const Animation> than;
        bool same;
    };
    const auto delegated = make();
    delegated->setDelegate(std::make_shared<AnimationDelegate>());
    const auto longer = make();
    longer->setDuration(3);
    const auto otherKey = make();
    otherKey->setKeyPath("shadowOpacity");
    const auto otherValues = make();
    otherValues->setValues({AnimatableValue(0.0), AnimatableValue(0.5)});
    const auto eased = make();
    eased->setTimingFunction(TimingFunction(0.5f, 0, 0.5f, 1));
    const Case cases[] = {
        {"equal lists of its own", make(), original, true},
        {"a copy", original->clone(), original, true},
        {"another duration", longer, original, false},
        {"another key path", otherKey, original, false},
        {"other values", otherValues, original, false},
        {"a timing function", eased, original, false},
        {"a delegate", delegated, original, false},
        {"another kind", basic(0), original, false},
        {"basic ones holding one value", basic(0.5), basic(0.5), true},
        {"basic ones holding others", basic(0.5), basic(0.25), false},
        {"groups of the same", group(make()), group(original), true},
        {"groups of others", group(longer), group(original), false},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        EXPECT_EQ(item.other->sameAs(*item.than), item.same);
        EXPECT_EQ(item.than->sameAs(*item.other), item.same);
        if (item.same) {
            EXPECT_EQ(item.other->contentHash(), item.than->contentHash());
        }
    }
}

}  // namespace
