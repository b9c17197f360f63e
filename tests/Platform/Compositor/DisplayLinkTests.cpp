// The display link's frame: layout, animation reports, display of layers whose
// needs-display number moves, and the frame handler; and nothing while nothing
// changes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "CompositorTestSupport.h"
#include "Platform/Compositor/AnimationGroup.h"
#include "Platform/Compositor/BasicAnimation.h"
#include "Platform/Compositor/DisplayLink.h"
#include "Platform/Compositor/Layer.h"

namespace {

using namespace platform::compositor;
using compositortest::CompositorTest;

// A layer that shows "currentFrame", as the main-thread engine's root layer does.
class FrameLayer : public Layer {
public:
    FrameLayer() { declareAnimatableNumber("currentFrame", 0, true); }
    explicit FrameLayer(const Layer& layer) : Layer(layer) {}

    std::shared_ptr<Layer> makePresentationCopy() const override { return std::make_shared<FrameLayer>(*this); }

    void display() override {
        const std::shared_ptr<Layer> shown = hasAnimations() && presentation() ? presentation() : nullptr;
        const std::optional<AnimatableValue> frame = shown ? shown->value("currentFrame") : value("currentFrame");
        frames.push_back(*frame->number());
    }

    void layoutSublayers() override { ++layouts; }

    std::vector<double> frames;
    int layouts = 0;
};

class DisplayLinkTest : public CompositorTest {
protected:
    void SetUp() override {
        CompositorTest::SetUp();
        root = Layer::make();
        frameLayer = std::make_shared<FrameLayer>();
        root->addSublayer(frameLayer);
        link = std::make_unique<DisplayLink>(root, [this](double time) { renderedAt.push_back(time); });
    }

    std::shared_ptr<BasicAnimation> playback(double from, double to, double seconds) {
        auto animation = BasicAnimation::make("currentFrame");
        animation->setFromValue(from);
        animation->setToValue(to);
        animation->setDuration(seconds);
        return animation;
    }

    std::shared_ptr<Layer> root;
    std::shared_ptr<FrameLayer> frameLayer;
    std::unique_ptr<DisplayLink> link;
    std::vector<double> renderedAt;
};

TEST_F(DisplayLinkTest, CurrentFrameAnimationDisplaysOncePerTick) {
    EXPECT_TRUE(link->tick());  // the new tree's first frame
    frameLayer->frames.clear();
    EXPECT_FALSE(link->tick()) << "nothing changed";
    EXPECT_FALSE(link->isActive());

    frameLayer->addAnimation(playback(0, 30, 1), "play");
    const double start = clock->now();
    for (double offset : {0.0, 0.1, 0.5}) {
        clock->setTime(start + offset);
        EXPECT_TRUE(link->tick());
    }
    // The first moment presents 0, which is already shown.
    EXPECT_THAT(frameLayer->frames, ::testing::Pointwise(::testing::DoubleNear(1e-9), std::vector<double>{3, 15}));

    // Ticks that show the same moment display nothing.
    EXPECT_TRUE(link->tick());
    EXPECT_TRUE(link->tick());
    EXPECT_EQ(frameLayer->frames.size(), 2u);

    // The animation ends and goes: one display of the model value, then quiet.
    clock->setTime(start + 2);
    EXPECT_TRUE(link->tick());
    EXPECT_THAT(frameLayer->frames,
                ::testing::Pointwise(::testing::DoubleNear(1e-9), std::vector<double>{3, 15, 0}));
    EXPECT_FALSE(link->isActive());
    EXPECT_FALSE(link->tick());
    EXPECT_EQ(renderedAt.size(), 7u);
    EXPECT_DOUBLE_EQ(renderedAt.back(), start + 2);
}

TEST_F(DisplayLinkTest, PausedAnimationTicksWithoutDisplay) {
    link->tick();
    frameLayer->frames.clear();
    // Paused as the Core Animation engine pauses: a frozen layer, an animation
    // begun at its time, then the layer's offset moved to the frame.
    frameLayer->setSpeed(0);
    auto animation = playback(0, 30, 1);
    animation->setBeginTime(frameLayer->convertTime(clock->now(), nullptr) - 4.9406564584124654e-324);
    frameLayer->addAnimation(animation, "play");
    frameLayer->setTimeOffset(0.5);
    link->tick();
    EXPECT_EQ(frameLayer->frames, (std::vector<double>{15}));
    for (int i = 0; i < 5; ++i) {
        clock->advance(1);
        EXPECT_TRUE(link->tick()) << "animations are attached";
    }
    EXPECT_EQ(frameLayer->frames, (std::vector<double>{15}));
    frameLayer->setTimeOffset(0.2);
    link->tick();
    EXPECT_EQ(frameLayer->frames, (std::vector<double>{15, 6}));
}

TEST_F(DisplayLinkTest, PlayOnceToTheLastFrameStaysThere) {
    // Frames 5 to 37 of a 37-frame animation at 23.976 fps: the inner time at the
    // wrapper's end comes out an ulp past the inner duration.
    const double fps = 23.976;
    link->tick();
    auto inner = playback(0, 37, 37 / fps);
    inner->setTimeOffset(5 / fps);
    auto wrapper = AnimationGroup::make();
    wrapper->setAnimations({inner});
    wrapper->setDuration(32 / fps);
    wrapper->setFillMode(FillMode::both);
    wrapper->setRemovedOnCompletion(false);
    frameLayer->addAnimation(wrapper, "play");
    const double start = clock->now();
    for (double offset : {0.0, 0.5, 32 / fps, 2.0, 3.0}) {
        clock->setTime(start + offset);
        link->tick();
    }
    ASSERT_FALSE(frameLayer->frames.empty());
    EXPECT_NEAR(frameLayer->frames.back(), 37, 1e-9);
}

TEST_F(DisplayLinkTest, SettingTheModelValueDisplaysOnce) {
    link->tick();
    frameLayer->frames.clear();
    frameLayer->setValue("currentFrame", 12.0);
    EXPECT_TRUE(frameLayer->needsDisplay());
    link->tick();
    link->tick();
    EXPECT_EQ(frameLayer->frames, (std::vector<double>{12}));
    frameLayer->setValue("currentFrame", 12.0);
    EXPECT_FALSE(frameLayer->needsDisplay()) << "the same value changes nothing";
}

TEST_F(DisplayLinkTest, LaysOutBeforeDisplay) {
    link->tick();
    const int before = frameLayer->layouts;
    frameLayer->setNeedsLayout();
    frameLayer->setNeedsLayout();
    EXPECT_TRUE(link->isActive());
    link->tick();
    EXPECT_EQ(frameLayer->layouts, before + 1);
    frameLayer->setBounds({0, 0, 10, 10});
    link->tick();
    EXPECT_EQ(frameLayer->layouts, before + 2) << "a new size needs layout";
    frameLayer->setBounds({5, 5, 10, 10});
    link->tick();
    EXPECT_EQ(frameLayer->layouts, before + 2) << "a moved origin does not";
}

TEST_F(DisplayLinkTest, PresentationExistsOnlyOnceDrawn) {
    auto detached = Layer::make();
    EXPECT_EQ(detached->presentation(), nullptr);
    EXPECT_EQ(frameLayer->presentation(), nullptr);
    frameLayer->setValue("currentFrame", 4.0);
    link->tick();
    const std::shared_ptr<Layer> copy = frameLayer->presentation();
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(dynamic_cast<FrameLayer*>(copy.get()), nullptr) << "made by the subclass";
    EXPECT_DOUBLE_EQ(*copy->value("currentFrame")->number(), 4);
    EXPECT_EQ(copy->superlayer(), nullptr);
    EXPECT_TRUE(copy->sublayers().empty());
    EXPECT_FALSE(copy->hasAnimations());
}

TEST_F(DisplayLinkTest, PresentationCarriesEveryAnimatedProperty) {
    link->tick();
    struct Case {
        const char* keyPath;
        AnimatableValue from;
        AnimatableValue to;
        AnimatableValue halfway;
    };
    using platform::graphics::Color;
    using platform::graphics::Point;
    using platform::graphics::Rect;
    using platform::graphics::Size;
    const std::vector<Case> cases = {
        {"opacity", 0.0, 1.0, 0.5},
        {"position", Point(0, 0), Point(10, 20), Point(5, 10)},
        {"bounds", Rect(0, 0, 10, 10), Rect(10, 10, 30, 50), Rect(5, 5, 20, 30)},
        {"anchorPoint", Point(0, 0), Point(1, 1), Point(0.5, 0.5)},
        {"transform.translation.x", 0.0, 8.0, 4.0},
        {"transform.scale.y", 1.0, 3.0, 2.0},
        {"shadowOffset", Size(0, 0), Size(4, 8), Size(2, 4)},
        {"shadowColor", Color::rgb(0, 0, 0, 1), Color::rgb(1, 1, 1, 0), Color::rgb(0.5, 0.5, 0.5, 0.5)},
        {"hidden", false, true, false},
    };
    for (const Case& c : cases) {
        auto animation = BasicAnimation::make(c.keyPath);
        animation->setFromValue(c.from);
        animation->setToValue(c.to);
        animation->setDuration(2);
        frameLayer->addAnimation(animation, c.keyPath);
        clock->advance(1);
        const std::shared_ptr<Layer> copy = frameLayer->presentation();
        EXPECT_EQ(copy->value(c.keyPath), c.halfway) << c.keyPath << ": " << copy->value(c.keyPath)->description();
        frameLayer->removeAllAnimations();
    }
}

}  // namespace
