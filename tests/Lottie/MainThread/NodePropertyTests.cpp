// Node properties, their value containers and the engine's own providers.

#include <gtest/gtest.h>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/GroupInterpolator.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/KeyframeInterpolatorProvider.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/SingleValueProvider.h"
#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "Lottie/Playback/ValueProviders/FloatValueProvider.h"

namespace {

using namespace lottie;

// Opacity 0 at frame 0 to 100 at frame 10, holding 100 from 10 to 20, then 50 at 30.
std::vector<Keyframe<LottieVector1D>> rampThenHold() {
    return {Keyframe<LottieVector1D>(LottieVector1D(0), 0, false, std::nullopt, std::nullopt, std::nullopt, std::nullopt),
            Keyframe<LottieVector1D>(LottieVector1D(100), 10, true, std::nullopt, std::nullopt, std::nullopt,
                                     std::nullopt),
            Keyframe<LottieVector1D>(LottieVector1D(50), 20, false, std::nullopt, std::nullopt, std::nullopt,
                                     std::nullopt)};
}

TEST(NodeProperty, StartsStaleAndFollowsItsKeyframes) {
    auto property = NodeProperty<LottieVector1D>::make(
        std::make_shared<KeyframeInterpolatorProvider<LottieVector1D>>(rampThenHold()));
    EXPECT_TRUE(property->container().needsUpdate());
    EXPECT_TRUE(property->needsUpdate(5));
    property->update(5);
    EXPECT_DOUBLE_EQ(property->value().value, 50);
    EXPECT_EQ(property->container().lastUpdateFrame(), 5);
    property->update(15);
    EXPECT_DOUBLE_EQ(property->value().value, 100);
    // Inside the hold nothing can change.
    EXPECT_FALSE(property->needsUpdate(16));
    EXPECT_TRUE(property->needsUpdate(25));
}

TEST(NodeProperty, ReplacesOnlyProvidersOfItsOwnType) {
    auto property = NodeProperty<LottieColor>::make(std::make_shared<SingleValueProvider<LottieColor>>(LottieColor(1, 0, 0, 1)));
    property->update(0);
    auto original = property->valueProvider();

    property->replaceProvider(std::make_shared<FloatValueProvider>(3.0));
    EXPECT_EQ(property->valueProvider(), original);
    property->update(1);
    EXPECT_EQ(property->value(), LottieColor(1, 0, 0, 1));

    property->replaceProvider(std::make_shared<ColorValueProvider>(LottieColor(0, 1, 0, 1)));
    EXPECT_TRUE(property->container().needsUpdate());
    property->update(2);
    EXPECT_EQ(property->value(), LottieColor(0, 1, 0, 1));

    property->restoreOriginalProvider();
    EXPECT_TRUE(property->container().needsUpdate());
    EXPECT_EQ(property->valueProvider(), original);
    property->update(3);
    EXPECT_EQ(property->value(), LottieColor(1, 0, 0, 1));
}

TEST(NodeProperty, RestoringMakesHeldKeyframesEvaluateAgain) {
    auto property = NodeProperty<LottieVector1D>::make(
        std::make_shared<KeyframeInterpolatorProvider<LottieVector1D>>(rampThenHold()));
    property->update(15);
    ASSERT_FALSE(property->needsUpdate(16));
    property->restoreOriginalProvider();
    EXPECT_TRUE(property->needsUpdate(16));
}

TEST(ValueContainer, IgnoresValuesOfAnotherType) {
    ValueContainer<LottieVector1D> container(LottieVector1D(1));
    container.setValue(std::any(LottieVector1D(2)), 4);
    EXPECT_EQ(container.outputValue().value, 2);
    EXPECT_FALSE(container.needsUpdate());
    container.markStale();
    container.setValue(std::any(std::string("text")), 5);
    EXPECT_EQ(container.outputValue().value, 2);
    EXPECT_EQ(container.lastUpdateFrame(), 4);
    EXPECT_TRUE(container.needsUpdate());
}

TEST(SingleValueProvider, ReportsAnUpdateAtEveryFrame) {
    auto property = makeSingleValueProperty(LottieVector1D(7));
    for (double frame : {0.0, 1.0, 1.0, 100.0}) {
        property->update(frame);
        EXPECT_TRUE(property->needsUpdate(frame));
    }
}

TEST(GroupInterpolator, EvaluatesEveryListInOrder) {
    GroupInterpolator<LottieVector1D> empty({});
    EXPECT_TRUE(empty.valueAt(3).empty());
    EXPECT_FALSE(empty.hasUpdate(3));

    auto property = NodeProperty<std::vector<LottieVector1D>>::make(
        std::make_shared<GroupInterpolator<LottieVector1D>>(std::vector<std::vector<Keyframe<LottieVector1D>>>{
            rampThenHold(), {Keyframe<LottieVector1D>(LottieVector1D(4))}}));
    property->update(5);
    ASSERT_EQ(property->value().size(), 2u);
    EXPECT_DOUBLE_EQ(property->value()[0].value, 50);
    EXPECT_DOUBLE_EQ(property->value()[1].value, 4);
}

TEST(GroupInterpolator, EmptyPropertyStopsReportingAfterItsFirstUpdate) {
    auto property = NodeProperty<std::vector<LottieVector1D>>::make(
        std::make_shared<GroupInterpolator<LottieVector1D>>(std::vector<std::vector<Keyframe<LottieVector1D>>>{}));
    EXPECT_TRUE(property->needsUpdate(0));
    property->update(0);
    EXPECT_FALSE(property->needsUpdate(1));
    EXPECT_TRUE(property->value().empty());
}

TEST(KeyframeInterpolatorProvider, ErasedStorageGivesTheTypedValue) {
    KeyframeInterpolatorProvider<LottieVector1D> provider(rampThenHold());
    std::any value = provider.valueAtFrame(5);
    ASSERT_TRUE(std::any_cast<LottieVector1D>(&value));
    EXPECT_DOUBLE_EQ(std::any_cast<LottieVector1D>(value).value, 50);
    auto missing = KeyframeInterpolatorProvider<LottieVector1D>::make(nullptr, LottieVector1D(100));
    EXPECT_DOUBLE_EQ(missing->valueAt(3).value, 100);
}

}  // namespace
