// What delegates and transaction completion blocks hear, and when: every report
// goes through the main run loop, which the tests drain by hand.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CompositorTestSupport.h"
#include "Platform/Compositor/BasicAnimation.h"
#include "Platform/Compositor/DisplayLink.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/Transaction.h"

namespace {

using namespace platform::compositor;
using compositortest::CompositorTest;
using compositortest::RecordingDelegate;
using Events = std::vector<std::string>;

class AnimationDelegateTest : public CompositorTest {
protected:
    void SetUp() override {
        CompositorTest::SetUp();
        root = Layer::make();
        layer = Layer::make();
        root->addSublayer(layer);
        link = std::make_unique<DisplayLink>(root);
    }

    std::shared_ptr<BasicAnimation> opacityAnimation(double duration, std::shared_ptr<AnimationDelegate> delegate) {
        auto animation = compositortest::basicAnimation("opacity", 0.0, 1.0, duration);
        animation->setDelegate(std::move(delegate));
        return animation;
    }

    void tickAt(double offset) {
        clock->setTime(start + offset);
        link->tick();
    }

    const double start = 1000;
    std::shared_ptr<Layer> root;
    std::shared_ptr<Layer> layer;
    std::unique_ptr<DisplayLink> link;
};

TEST_F(AnimationDelegateTest, PlayedToTheEndTellsFinishedOnce) {
    auto delegate = std::make_shared<RecordingDelegate>();
    layer->addAnimation(opacityAnimation(2, delegate), "fade");
    tickAt(0);
    EXPECT_TRUE(delegate->events.empty()) << "reports wait for the run loop";
    drain();
    EXPECT_EQ(delegate->events, Events{"start"});
    tickAt(1.999);
    drain();
    EXPECT_EQ(delegate->events, Events{"start"});
    EXPECT_TRUE(layer->hasAnimations());
    tickAt(2.5);
    EXPECT_FALSE(layer->hasAnimations()) << "removed on completion";
    tickAt(3);
    drain();
    EXPECT_EQ(delegate->events, (Events{"start", "stop finished"}));
}

TEST_F(AnimationDelegateTest, KeptAfterCompletionStillReportsOnce) {
    auto delegate = std::make_shared<RecordingDelegate>();
    auto animation = opacityAnimation(1, delegate);
    animation->setRemovedOnCompletion(false);
    animation->setFillMode(FillMode::forwards);
    layer->addAnimation(animation, "fade");
    layer->setOpacity(0.25);
    for (double time : {0, 1, 2, 3}) {
        tickAt(time);
    }
    drain();
    EXPECT_DOUBLE_EQ(layer->presentation()->opacity(), 1.0);
    // Removing it later reports nothing more.
    layer->removeAnimation("fade");
    drain();
    EXPECT_EQ(delegate->events, (Events{"start", "stop finished"}));
}

TEST_F(AnimationDelegateTest, RemovedReplacedOrDroppedTellsNotFinishedOnALaterTurn) {
    auto removed = std::make_shared<RecordingDelegate>();
    auto replaced = std::make_shared<RecordingDelegate>();
    auto replacement = std::make_shared<RecordingDelegate>();
    auto dropped = std::make_shared<RecordingDelegate>();
    layer->addAnimation(opacityAnimation(5, removed), "a");
    layer->addAnimation(opacityAnimation(5, replaced), "b");
    tickAt(0);
    drain();
    layer->removeAnimation("a");
    layer->addAnimation(opacityAnimation(5, replacement), "b");
    Layer::make()->addAnimation(opacityAnimation(5, dropped), "with its layer");
    EXPECT_EQ(removed->events, Events{"start"}) << "not from inside the call";
    EXPECT_EQ(replaced->events, Events{"start"});
    EXPECT_TRUE(dropped->events.empty());
    drain();
    EXPECT_EQ(removed->events, (Events{"start", "stop unfinished"}));
    EXPECT_EQ(replaced->events, (Events{"start", "stop unfinished"}));
    EXPECT_EQ(dropped->events, (Events{"stop unfinished"}));
    EXPECT_EQ(layer->animationKeys(), std::vector<std::string>{"b"});
    // Removing again, or removing a key that is not there, says nothing more.
    layer->removeAnimation("a");
    layer->removeAllAnimations();
    layer->removeAllAnimations();
    drain();
    EXPECT_EQ(removed->events, (Events{"start", "stop unfinished"}));
    EXPECT_EQ(replacement->events, (Events{"stop unfinished"})) << "removed before it ever started";
}

TEST_F(AnimationDelegateTest, NullRefusedAndACopyAttached) {
    EXPECT_THROW(layer->addAnimation(nullptr, "x"), std::invalid_argument);
    // The layer keeps a copy: later changes to the animation change nothing.
    auto animation = opacityAnimation(2, nullptr);
    layer->addAnimation(animation, "fade");
    animation->setToValue(100.0);
    EXPECT_DOUBLE_EQ(*layer->presentedValue("opacity", start + 1)->number(), 0.5);
}

TEST_F(AnimationDelegateTest, CompletionBlockRunsOnceAfterItsAnimationsStop) {
    auto second = std::make_shared<RecordingDelegate>();
    Events order;
    layer->addAnimation(opacityAnimation(9, nullptr), "before the block");

    Transaction::begin();
    int runs = 0;
    Transaction::setCompletionBlock([&] {
        ++runs;
        order = second->events;
    });
    layer->addAnimation(opacityAnimation(1, nullptr), "one");
    layer->addAnimation(opacityAnimation(2, second), "two");
    Transaction::commit();

    drain();
    EXPECT_EQ(runs, 0);
    tickAt(0);
    tickAt(1.5);
    drain();
    EXPECT_EQ(runs, 0) << "the second animation still runs";
    tickAt(2);
    drain();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(order, (Events{"start", "stop finished"})) << "after the delegate heard";
    tickAt(3);
    drain();
    EXPECT_EQ(runs, 1);
}

TEST_F(AnimationDelegateTest, CompletionBlockCountsRemovalAndRunsWithoutAnimationsOnTheNextTurn) {
    int removedRuns = 0;
    int emptyRuns = 0;
    Transaction::begin();
    Transaction::setCompletionBlock([&] { ++removedRuns; });
    layer->addAnimation(opacityAnimation(10, nullptr), "long");
    Transaction::commit();
    Transaction::begin();
    Transaction::setCompletionBlock([&] { ++emptyRuns; });
    Transaction::commit();
    EXPECT_EQ(emptyRuns, 0) << "not from inside the commit";
    drain();
    EXPECT_EQ(emptyRuns, 1);
    layer->removeAnimation("long");
    EXPECT_EQ(removedRuns, 0);
    drain();
    EXPECT_EQ(removedRuns, 1);
}

TEST_F(AnimationDelegateTest, NestedTransactionsGiveDurationAndTimingFunction) {
    Transaction::begin();
    Transaction::setAnimationDuration(4);
    Transaction::begin();
    Transaction::setAnimationDuration(8);
    Transaction::setAnimationTimingFunction(TimingFunction::named(TimingFunction::Name::easeIn));
    layer->addAnimation(opacityAnimation(0, nullptr), "inner");
    Transaction::commit();
    layer->addAnimation(opacityAnimation(0, nullptr), "outer");
    Transaction::commit();
    Transaction::commit();  // unbalanced: nothing to commit
    EXPECT_DOUBLE_EQ(layer->animation("inner")->duration(), 8);
    EXPECT_EQ(layer->animation("inner")->timingFunction(), TimingFunction::named(TimingFunction::Name::easeIn));
    EXPECT_DOUBLE_EQ(layer->animation("outer")->duration(), 4);
    EXPECT_FALSE(layer->animation("outer")->timingFunction().has_value());
    EXPECT_EQ(Transaction::depth(), 0u);
}

}  // namespace
