// Node properties following their keyframes (their own or the model's), and an
// empty group of keyframe lists.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/GroupInterpolator.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/KeyframeInterpolatorProvider.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/SingleValueProvider.h"

namespace {

using namespace lottie;

Keyframe<LottieVector1D> key(double value, double time, bool hold = false) {
    return Keyframe<LottieVector1D>(LottieVector1D(value), time, hold, std::nullopt, std::nullopt, std::nullopt,
                                    std::nullopt);
}

// Opacity 0 at frame 0 to 100 at frame 10, holding 100 from 10 to 20, then 50 at 30.
std::vector<Keyframe<LottieVector1D>> rampThenHold() { return {key(0, 0), key(100, 10, true), key(50, 20)}; }

TEST(NodeProperty, FollowsItsKeyframesAndSkipsHolds) {
    auto property = NodeProperty<LottieVector1D>::make(
        std::make_shared<KeyframeInterpolatorProvider<LottieVector1D>>(rampThenHold()));
    EXPECT_TRUE(property->needsUpdate(5));
    property->update(5);
    EXPECT_DOUBLE_EQ(property->value().value, 50);
    property->update(15);
    EXPECT_DOUBLE_EQ(property->value().value, 100);
    // Inside the hold nothing can change, until the original provider is restored.
    EXPECT_FALSE(property->needsUpdate(16));
    EXPECT_TRUE(property->needsUpdate(25));
    property->restoreOriginalProvider();
    EXPECT_TRUE(property->needsUpdate(16));
    // A single value may be changed by its owner at any time, so it never counts as current.
    auto single = makeSingleValueProperty(LottieVector1D(7));
    single->update(1);
    EXPECT_TRUE(single->needsUpdate(1));
}

// Every view builds its own properties over one model: they share its keyframes,
// evaluate them in place, and make a provider only when one is asked for, which
// carries on from the span the property had reached.
TEST(NodeProperty, SharesTheModelsKeyframesAndMakesItsProviderOnDemand) {
    const auto group = std::make_shared<const KeyframeGroup<LottieVector1D>>(rampThenHold());
    auto property = makeKeyframeProperty(group);
    auto otherView = makeKeyframeProperty(group);
    property->update(5);
    EXPECT_DOUBLE_EQ(property->value().value, 50);
    property->update(15);
    EXPECT_FALSE(property->needsUpdate(16));
    EXPECT_TRUE(otherView->needsUpdate(16));

    const auto provider = std::dynamic_pointer_cast<KeyframeInterpolatorProvider<LottieVector1D>>(
        property->originalValueProvider());
    ASSERT_NE(provider, nullptr);
    EXPECT_EQ(property->valueProvider(), property->originalValueProvider());
    EXPECT_EQ(&provider->interpolator().keyframes(), &group->keyframes());
    EXPECT_EQ(provider->interpolator().leadingIndex(), std::optional<std::size_t>(1));
    EXPECT_FALSE(property->needsUpdate(16));

    property->replaceProvider(std::make_shared<SingleValueProvider<LottieVector1D>>(LottieVector1D(7)));
    property->update(16);
    EXPECT_DOUBLE_EQ(property->value().value, 7);
    property->restoreOriginalProvider();
    property->update(5);
    EXPECT_DOUBLE_EQ(property->value().value, 50);

    // Without a group the fallback stands in, for each view alike, over one
    // list of keyframes per fallback value; a provider replaced in one view
    // leaves the other's value alone.
    const auto keyframesOf = [](const std::shared_ptr<NodeProperty<LottieVector1D>>& fallbackProperty) {
        return &std::dynamic_pointer_cast<KeyframeInterpolatorProvider<LottieVector1D>>(
                    fallbackProperty->originalValueProvider())
                    ->interpolator()
                    .keyframes();
    };
    auto fallback = makeKeyframeProperty<LottieVector1D>(nullptr, LottieVector1D(100));
    auto fallbackInOtherView = makeKeyframeProperty<LottieVector1D>(nullptr, LottieVector1D(100));
    auto otherFallback = makeKeyframeProperty<LottieVector1D>(nullptr, LottieVector1D(0));
    EXPECT_DOUBLE_EQ(fallback->value().value, 100);
    EXPECT_DOUBLE_EQ(otherFallback->value().value, 0);
    EXPECT_EQ(keyframesOf(fallback), keyframesOf(fallbackInOtherView));
    EXPECT_NE(keyframesOf(fallback), keyframesOf(otherFallback));
    fallback->replaceProvider(std::make_shared<SingleValueProvider<LottieVector1D>>(LottieVector1D(7)));
    fallback->update(1);
    fallbackInOtherView->update(1);
    EXPECT_DOUBLE_EQ(fallback->value().value, 7);
    EXPECT_DOUBLE_EQ(fallbackInOtherView->value().value, 100);
}

// An empty group has nothing that could change after its first evaluation.
// A map of one property that keeps its one keyframe, and one that ramps.
class FixedAndRampMap final : public NodePropertyMap {
public:
    FixedAndRampMap()
        : fixed(makeKeyframeProperty(std::make_shared<const KeyframeGroup<LottieVector1D>>(
              std::vector<Keyframe<LottieVector1D>>{key(30, 0)}))),
          ramp(makeKeyframeProperty(std::make_shared<const KeyframeGroup<LottieVector1D>>(rampThenHold()))) {
        add(fixed, {"Fixed"});
        add(ramp, {"Ramp"});
    }
    std::shared_ptr<NodeProperty<LottieVector1D>> fixed, ramp;
};

TEST(NodePropertyMap, APropertyThatHoldsItsValueIsCheckedAgainOnceItsProviderChanges) {
    FixedAndRampMap map;
    EXPECT_TRUE(map.propertiesChanged(15));
    map.refreshProperties(15);
    EXPECT_DOUBLE_EQ(map.fixed->value().value, 30);
    // Inside the ramp's hold, and the fixed value evaluated: nothing changes.
    EXPECT_FALSE(map.propertiesChanged(16));

    // Replaced, restored, or asked its value: each time the next frame takes
    // the property's value afresh.
    const std::vector<std::function<void(NodeProperty<LottieVector1D>&)>> changes = {
        [](NodeProperty<LottieVector1D>& p) {
            p.replaceProvider(std::make_shared<SingleValueProvider<LottieVector1D>>(LottieVector1D(9)));
        },
        [](NodeProperty<LottieVector1D>& p) { p.restoreOriginalProvider(); },
        [](NodeProperty<LottieVector1D>& p) { p.queriedValue(17, false); },
    };
    const double expected[] = {9, 30, 30};
    for (std::size_t i = 0; i < changes.size(); ++i) {
        SCOPED_TRACE(i);
        FixedAndRampMap fresh;
        fresh.refreshProperties(15);
        ASSERT_FALSE(fresh.propertiesChanged(16));
        changes[i](*fresh.fixed);
        EXPECT_TRUE(fresh.propertiesChanged(16));
        fresh.refreshProperties(16);
        EXPECT_DOUBLE_EQ(fresh.fixed->value().value, expected[i]);
    }
    // A change to another map's property leaves this one's values as they are.
    FixedAndRampMap other;
    other.fixed->replaceProvider(std::make_shared<SingleValueProvider<LottieVector1D>>(LottieVector1D(1)));
    EXPECT_FALSE(map.propertiesChanged(16));
    EXPECT_DOUBLE_EQ(map.fixed->value().value, 30);
}

TEST(GroupInterpolator, AnEmptyGroupIsEvaluatedOnce) {
    auto empty = NodeProperty<std::vector<LottieVector1D>>::make(
        std::make_shared<GroupInterpolator<LottieVector1D>>(std::vector<std::vector<Keyframe<LottieVector1D>>>{}));
    EXPECT_TRUE(empty->needsUpdate(0));
    empty->update(0);
    EXPECT_FALSE(empty->needsUpdate(1));
    EXPECT_TRUE(empty->value().empty());
}

}  // namespace
