// Lists of keyframe values shared between the animations that hold equal ones:
// only equal lists are shared, two views building one property share its
// lists, and the pool lets go of lists no animation holds.

#include <gtest/gtest.h>

#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/SharedKeyframeLists.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"
#include "Platform/Compositor/AnimationGroup.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;
using platform::compositor::AnimatableValue;
using platform::compositor::KeyframeAnimation;
using platform::graphics::Path;
using platform::graphics::Point;

namespace {

Path triangle(double tip) {
    Path path;
    path.moveTo({0, 0});
    path.lineTo({tip, 10});
    path.lineTo({10, 0});
    path.closeSubpath();
    return path;
}

TEST(SharedKeyframeLists, OnlyEqualListsShareOneStorage) {
    using Values = std::vector<AnimatableValue>;
    struct Case {
        std::string name;
        Values first;
        Values second;
        bool shared;
    };
    const std::vector<Case> cases = {
        {"equal numbers", {1.0, 2.5}, {1.0, 2.5}, true},
        {"equal paths", {triangle(5), triangle(6)}, {triangle(5), triangle(6)}, true},
        {"zero of either sign", {Point{0.0, 1}}, {Point{-0.0, 1}}, true},
        {"one number apart", {1.0, 2.5}, {1.0, 2.25}, false},
        {"one point of a path apart", {triangle(5), triangle(6)}, {triangle(5), triangle(6.001)}, false},
        {"a list longer", {1.0, 2.5}, {1.0, 2.5, 2.5}, false},
        {"a number and a boolean", {1.0}, {true}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto first = SharedKeyframeLists::values().shared(c.first);
        const auto second = SharedKeyframeLists::values().shared(c.second);
        ASSERT_TRUE(first && second);
        EXPECT_EQ(*first, c.first);
        EXPECT_EQ(*second, c.second);
        EXPECT_EQ(first == second, c.shared);
    }
    EXPECT_EQ(SharedKeyframeLists::values().shared({}), nullptr);
}

// Lists made to collide on one hash are compared with only a few held items
// of that hash each, then kept unshared, instead of with every one of them.
TEST(SharedKeyframeLists, ListsOfOneHashCostABoundedComparisonEach) {
    struct SameHash {
        std::size_t operator()(const std::vector<int>&) const { return 7; }
    };
    SharedPool<std::vector<int>, SameHash> pool;
    std::vector<std::shared_ptr<const std::vector<int>>> held;
    for (int index = 0; index < 100; ++index) held.push_back(pool.shared({index}));
    // The first few held lists are still found again...
    EXPECT_EQ(pool.shared({0}), held[0]);
    EXPECT_EQ(pool.shared({7}), held[7]);
    // ...a list past them is not, yet it keeps its values.
    const auto late = pool.shared({99});
    EXPECT_NE(late, held[99]);
    EXPECT_EQ(*late, std::vector<int>{99});
}

// An item that costs more to make than what it is found by (a path's
// measuring table) is found by that and made only when none is held: the
// copies of a layer moving along one path measure it once.
TEST(SharedKeyframeLists, AnItemCostlyToMakeIsMadeOnlyWhenNoEqualOneIsHeld) {
    SharedPool<std::vector<int>, ListHash<int, std::hash<int>>> pool;
    int made = 0;
    const auto find = [&](std::vector<int> list) {
        return pool.sharedOrMade(
            ListHash<int, std::hash<int>>{}(list), [&list](const std::vector<int>& held) { return held == list; },
            [&] {
                ++made;
                return list;
            });
    };
    const auto first = find({1, 2});
    EXPECT_EQ(made, 1);
    EXPECT_EQ(find({1, 2}), first);
    EXPECT_EQ(pool.shared({1, 2}), first);
    EXPECT_EQ(made, 1);
    const auto other = find({1, 3});
    EXPECT_EQ(made, 2);
    EXPECT_NE(other, first);
    EXPECT_EQ(*other, (std::vector<int>{1, 3}));
}

TEST(SharedKeyframeLists, ThePoolKeepsNoEntryForLongOfListsNoOneHolds) {
    auto& pool = SharedKeyframeLists::keyTimes();
    const auto kept = pool.shared({0.125, 0.875});
    for (int i = 0; i < 5000; ++i) pool.shared({static_cast<double>(i), 0.5});
    // Each list was dropped as soon as it was made: sweeps leave a few hundred
    // entries at most, where 5000 would be kept without them.
    EXPECT_LT(pool.entryCount(), 1000u);
    EXPECT_EQ(pool.shared({0.125, 0.875}), kept);
}

class SharedRunListsTest : public HundredFrameTest {};

// The one keyframe animation the layer plays for `keyPath`, inside its timing groups.
std::shared_ptr<const KeyframeAnimation> runOn(const platform::compositor::Layer& layer, const char* keyPath) {
    std::shared_ptr<const platform::compositor::Animation> animation = layer.animation(keyPath);
    while (auto group = std::dynamic_pointer_cast<const platform::compositor::AnimationGroup>(animation)) {
        if (group->animations().size() != 1) return nullptr;
        animation = group->animations().front();
    }
    return std::dynamic_pointer_cast<const KeyframeAnimation>(animation);
}

// Two views of one document build the same property on layers of their own:
// they hold one keyframe animation between them (and so one set of values,
// key times and timing functions), each in a timing group of its own; a
// property built otherwise holds its own.
TEST_F(SharedRunListsTest, TwoLayersBuildingOnePropertyHoldOneSetOfLists) {
    const LayerPropertyDescriptor opacity = LayerPropertyDescriptor::withDefault("opacity", AnimatableValue(1.0));
    const KeyframeValueMapping<LottieVector1D> unchanged = [](const LottieVector1D& value) {
        return AnimatableValue(value.value);
    };
    const KeyframeGroup<LottieVector1D> keyframes(
        {Keyframe<LottieVector1D>(LottieVector1D(0.25), 10, false, std::nullopt, LottieVector2D(0.4, 0), std::nullopt,
                                  std::nullopt),
         Keyframe<LottieVector1D>(LottieVector1D(0.75), 60, false, LottieVector2D(0.6, 1), std::nullopt, std::nullopt,
                                  std::nullopt)});
    auto first = platform::compositor::Layer::make();
    auto second = platform::compositor::Layer::make();
    KeyframeAnimationBuilder::attach(opacity, keyframes, unchanged, wholeDocument(), *first);
    KeyframeAnimationBuilder::attach(opacity, keyframes, unchanged, wholeDocument(), *second);
    const auto a = runOn(*first, "opacity");
    const auto b = runOn(*second, "opacity");
    ASSERT_TRUE(a && b);
    ASSERT_FALSE(a->values().empty());
    EXPECT_EQ(a->values().data(), b->values().data());
    EXPECT_EQ(a->keyTimes().data(), b->keyTimes().data());
    EXPECT_EQ(a->timingFunctions().data(), b->timingFunctions().data());
    EXPECT_EQ(a, b);
    EXPECT_NE(first->animation("opacity"), second->animation("opacity"));
    EXPECT_EQ(presentedAt(*first, "opacity", 35), presentedAt(*second, "opacity", 35));
    auto halved = platform::compositor::Layer::make();
    const KeyframeValueMapping<LottieVector1D> halving = [](const LottieVector1D& value) {
        return AnimatableValue(value.value / 2);
    };
    KeyframeAnimationBuilder::attach(opacity, keyframes, halving, wholeDocument(), *halved);
    const auto c = runOn(*halved, "opacity");
    ASSERT_TRUE(c);
    EXPECT_NE(c, a);
    EXPECT_EQ(c->keyTimes().data(), a->keyTimes().data());
}

// A position moves along a path measured for the compositor: two layers
// moving along equal paths hold one measured path.
TEST_F(SharedRunListsTest, TwoLayersMovingAlongOnePathHoldOneMeasuredPath) {
    const LayerPropertyDescriptor position =
        LayerPropertyDescriptor::withDefault(KeyframeRunAnimation::motionPathKeyPath, std::nullopt);
    const KeyframeValueMapping<LottieVector3D> toPoint = [](const LottieVector3D& value) {
        return AnimatableValue(Point{value.x, value.y});
    };
    const KeyframeGroup<LottieVector3D> keyframes(
        {Keyframe<LottieVector3D>(LottieVector3D(0, 0, 0), 0, false, std::nullopt, std::nullopt, std::nullopt,
                                  LottieVector3D(20, 0, 0)),
         Keyframe<LottieVector3D>(LottieVector3D(40, 30, 0), 80, false, std::nullopt, std::nullopt,
                                  LottieVector3D(0, -20, 0), std::nullopt)});
    auto first = platform::compositor::Layer::make();
    auto second = platform::compositor::Layer::make();
    KeyframeAnimationBuilder::attach(position, keyframes, toPoint, wholeDocument(), *first);
    KeyframeAnimationBuilder::attach(position, keyframes, toPoint, wholeDocument(), *second);
    const auto a = runOn(*first, KeyframeRunAnimation::motionPathKeyPath);
    const auto b = runOn(*second, KeyframeRunAnimation::motionPathKeyPath);
    ASSERT_TRUE(a && b && a->path() && b->path());
    EXPECT_EQ(&*a->path(), &*b->path());
    const auto at = [&](const platform::compositor::Layer& layer) {
        return presentedAt(layer, KeyframeRunAnimation::motionPathKeyPath, 30);
    };
    EXPECT_TRUE(at(*first).has_value());
    EXPECT_EQ(at(*first), at(*second));
}

}  // namespace
