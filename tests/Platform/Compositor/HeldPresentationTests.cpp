// A layer whose animations present the same value at every time keeps one
// presentation copy from frame to frame; whatever could change what it shows
// (the layer, its animations, time where an animation stops applying) must
// give a fresh copy with the values of now.

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "CompositorTestSupport.h"
#include "Platform/Compositor/AnimationGroup.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/MediaTiming.h"
#include "Platform/Compositor/Renderer.h"

namespace {

using namespace platform::compositor;
using namespace compositortest;
using platform::graphics::Rect;

class HeldPresentationTest : public CompositorTest {};

// `inner` wrapped in a group of `duration` seconds that fills both ways, as
// the animation engines wrap their animations.
std::shared_ptr<AnimationGroup> wrapped(std::shared_ptr<Animation> inner, double duration) {
    auto group = AnimationGroup::make();
    group->setAnimations({std::move(inner)});
    group->setDuration(duration);
    group->setFillMode(FillMode::both);
    group->setRemovedOnCompletion(false);
    return group;
}

double presentedOpacity(const Layer& layer, double mediaTime) { return layer.presentationAt(mediaTime)->opacity(); }

TEST_F(HeldPresentationTest, OneValueAtEveryTimeKeepsOneCopyUntilTheLayerOrItsAnimationsChange) {
    auto layer = Layer::make();
    auto inner = basicAnimation("opacity", 0.25, 0.25, 10);
    layer->addAnimation(wrapped(inner, 10), "fade");
    const double now = clock->now();
    const auto first = layer->presentationAt(now);
    EXPECT_DOUBLE_EQ(first->opacity(), 0.25);
    EXPECT_EQ(layer->presentationAt(now + 3), first);
    EXPECT_EQ(layer->presentationAt(now + 500), first);

    layer->setBounds(Rect(0, 0, 7, 9));
    const auto moved = layer->presentationAt(now + 1);
    EXPECT_NE(moved, first);
    EXPECT_EQ(moved->bounds(), Rect(0, 0, 7, 9));
    EXPECT_DOUBLE_EQ(moved->opacity(), 0.25);

    // An animation that changes with time: every time has its own copy.
    layer->addAnimation(basicAnimation("position", platform::graphics::Point{0, 0},
                                       platform::graphics::Point{10, 0}, 10),
                        "move");
    const auto early = layer->presentationAt(now + 1), late = layer->presentationAt(now + 6);
    EXPECT_NE(early, late);
    EXPECT_NEAR(late->position().x - early->position().x, 5, 1e-9);

    // Back to the one value, then replaced by another one.
    layer->removeAnimation("move");
    EXPECT_EQ(layer->presentationAt(now + 2), layer->presentationAt(now + 4));
    layer->addAnimation(wrapped(basicAnimation("opacity", 0.75, 0.75, 10), 10), "fade");
    EXPECT_DOUBLE_EQ(presentedOpacity(*layer, now + 2), 0.75);
    layer->removeAllAnimations();
    layer->setOpacity(0.5);
    EXPECT_DOUBLE_EQ(presentedOpacity(*layer, now + 2), 0.5);
}

TEST_F(HeldPresentationTest, AnAnimationThatStopsApplyingPartWayIsNotHeld) {
    const double now = clock->now();
    struct Case {
        const char* name;
        std::function<std::shared_ptr<Animation>()> make;
        // The opacity presented 1 s and 35 s after adding.
        double early, late;
    };
    const Case cases[] = {
        // Inside a group of 10 s, played again and again: a child of 2 s that
        // does not fill shows for the first 2 s of each pass only.
        {"a short child in a repeating group",
         [] {
             auto group = wrapped(basicAnimation("opacity", 0.25, 0.25, 2), 10);
             group->setRepeatCount(MediaTiming::foreverRepeatCount);
             return group;
         },
         0.25, 1},
        {"a child that begins late",
         [] {
             auto inner = basicAnimation("opacity", 0.25, 0.25, 20);
             inner->setBeginTime(5);
             return wrapped(inner, 10);
         },
         1, 0.25},
        {"a top-level animation without a fill", [] { return basicAnimation("opacity", 0.25, 0.25, 10); }, 0.25, 1},
        // The model value until it begins 5 s in, its own value from then on.
        {"a top-level animation that fills forwards from a later begin",
         [now] {
             auto late = basicAnimation("opacity", 0.25, 0.25, 10);
             late->setFillMode(FillMode::forwards);
             late->setBeginTime(now + 5);
             return late;
         },
         1, 0.25},
        {"a child that covers its group", [] { return wrapped(basicAnimation("opacity", 0.25, 0.25, 10), 10); },
         0.25, 0.25},
        {"an additive one",
         [] {
             auto inner = basicAnimation("opacity", -0.5, -0.5, 10);
             inner->setAdditive(true);
             return wrapped(inner, 10);
         },
         0.5, 0.5},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto layer = Layer::make();
        layer->addAnimation(test.make(), "fade");
        EXPECT_DOUBLE_EQ(presentedOpacity(*layer, now + 1), test.early);
        EXPECT_DOUBLE_EQ(presentedOpacity(*layer, now + 35), test.late);
        EXPECT_DOUBLE_EQ(presentedOpacity(*layer, now + 1), test.early);
    }
}

// A layer that remembers every presentation copy it made, without keeping them.
class CopyWatchingLayer : public Layer {
public:
    std::shared_ptr<Layer> makePresentationCopy() const override {
        std::shared_ptr<Layer> copy = Layer::makePresentationCopy();
        copies.push_back(copy);
        return copy;
    }
    mutable std::vector<std::weak_ptr<Layer>> copies;
};

TEST_F(HeldPresentationTest, ACopyForOneTimeIsLetGoWhenTheFrameEnds) {
    const double now = clock->now();
    auto root = Layer::make();
    auto moving = std::make_shared<CopyWatchingLayer>();
    auto still = std::make_shared<CopyWatchingLayer>();
    for (const auto& layer : {moving, still}) {
        layer->setBounds(Rect(0, 0, 4, 4));
        root->addSublayer(layer);
    }
    moving->addAnimation(basicAnimation("opacity", 0.25, 0.75, 10), "fade");
    still->addAnimation(wrapped(basicAnimation("opacity", 0.5, 0.5, 10), 10), "hold");
    for (const double frame : {1.0, 2.0}) {
        Renderer::renderImage(root, now + frame, 4, 4);
        ASSERT_FALSE(moving->copies.empty());
        for (const auto& copy : moving->copies) EXPECT_TRUE(copy.expired());
        ASSERT_EQ(still->copies.size(), 1u) << "one copy serves every frame";
        EXPECT_FALSE(still->copies.front().expired());
    }
    // Asked outside a frame, the copy of a time is still kept for that time.
    const std::shared_ptr<Layer> asked = moving->presentationAt(now + 3);
    EXPECT_EQ(moving->presentationAt(now + 3), asked);
}

TEST(MediaTiming, TellsWhetherItAppliesThroughoutAParentSpan) {
    struct Case {
        const char* name;
        MediaTiming timing;
        std::optional<double> span;
        bool applies;
    };
    MediaTiming plain;
    plain.duration = 4;
    MediaTiming both = plain;
    both.fillMode = FillMode::both;
    MediaTiming forwards = plain;
    forwards.fillMode = FillMode::forwards;
    MediaTiming late = forwards;
    late.beginTime = 1;
    MediaTiming backwards = plain;
    backwards.fillMode = FillMode::backwards;
    backwards.speed = -2;
    MediaTiming repeating = plain;
    repeating.repeatCount = MediaTiming::foreverRepeatCount;
    MediaTiming frozen = plain;
    frozen.speed = 0;
    MediaTiming broken = both;
    broken.speed = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"no fill, every time", plain, std::nullopt, false},
        {"both fills, every time", both, std::nullopt, true},
        {"no fill, within its duration", plain, 4.0, true},
        {"no fill, past its duration", plain, 4.5, false},
        {"filling forwards past it", forwards, 100.0, true},
        {"begun late", late, 2.0, false},
        {"twice as fast backwards, within its duration", backwards, 2.0, true},
        {"twice as fast backwards, past it", backwards, 2.5, false},
        {"repeating for ever", repeating, 1e6, true},
        {"frozen", frozen, 100.0, true},
        {"not a number", broken, std::nullopt, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(test.timing.appliesThroughout(test.span), test.applies);
    }
}

}  // namespace
