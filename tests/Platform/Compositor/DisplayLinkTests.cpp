// The display link's frame: layout, animation reports, display of layers whose
// needs-display number moves, and the frame handler; and nothing while nothing
// changes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <typeinfo>
#include <utility>
#include <vector>

#include "CompositorTestSupport.h"
#include "Platform/Compositor/AnimationGroup.h"
#include "Platform/Compositor/BasicAnimation.h"
#include "Platform/Compositor/DisplayLink.h"
#include "Platform/Compositor/GradientLayer.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "Platform/Graphics/Image.h"

namespace {

using namespace platform::compositor;
using compositortest::basicAnimation;
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

    frameLayer->addAnimation(basicAnimation("currentFrame", 0.0, 30.0, 1), "play");
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
    auto animation = basicAnimation("currentFrame", 0.0, 30.0, 1);
    animation->setBeginTime(frameLayer->convertTime(clock->now(), nullptr) - 4.9406564584124654e-324);
    frameLayer->addAnimation(animation, "play");
    frameLayer->setTimeOffset(0.5);
    link->tick();
    EXPECT_EQ(frameLayer->frames, (std::vector<double>{15}));
    for (int i = 0; i < 5; ++i) {
        clock->advance(1);
        EXPECT_FALSE(link->tick()) << "a frozen animation needs no frame";
    }
    EXPECT_EQ(frameLayer->frames, (std::vector<double>{15}));
    frameLayer->setTimeOffset(0.2);
    link->tick();
    EXPECT_EQ(frameLayer->frames, (std::vector<double>{15, 6}));
}

// The link idles once every animation left can no longer change: finished and
// holding its fill, or frozen; anything that moves again wakes it.
TEST_F(DisplayLinkTest, IdlesWhenEveryAnimationIsFrozenOrHoldsItsEnd) {
    link->tick();
    auto held = basicAnimation("currentFrame", 0.0, 30.0, 1);
    held->setBeginTime(frameLayer->convertTime(clock->now(), nullptr));
    held->setRemovedOnCompletion(false);
    held->setFillMode(FillMode::forwards);
    frameLayer->addAnimation(held, "held");
    int drawing = 0;
    for (int i = 0; i < 10; ++i) {
        clock->advance(0.25);
        drawing += link->tick() ? 1 : 0;
    }
    // Frames while it plays and the one that reports its end, then none.
    EXPECT_EQ(drawing, 4);
    EXPECT_FALSE(link->isActive());

    // Frozen by its own speed: seen once, then idle.
    auto frozen = basicAnimation("currentFrame", 0.0, 30.0, 1);
    frozen->setSpeed(0);
    frameLayer->addAnimation(frozen, "frozen");
    EXPECT_TRUE(link->tick());
    clock->advance(1);
    EXPECT_FALSE(link->tick());

    // A running animation keeps the link busy for as long as it runs.
    auto running = basicAnimation("currentFrame", 0.0, 30.0, 100);
    running->setBeginTime(frameLayer->convertTime(clock->now(), nullptr));
    frameLayer->addAnimation(running, "running");
    for (int i = 0; i < 3; ++i) {
        clock->advance(1);
        EXPECT_TRUE(link->tick());
    }
    // Freezing the layer stills it after the frame that shows the change.
    frameLayer->setSpeed(0);
    EXPECT_TRUE(link->tick());
    clock->advance(1);
    EXPECT_FALSE(link->tick());
}

TEST_F(DisplayLinkTest, PlayOnceToTheLastFrameStaysThere) {
    // Frames 5 to 37 of a 37-frame animation at 23.976 fps: the inner time at the
    // wrapper's end comes out an ulp past the inner duration.
    const double fps = 23.976;
    link->tick();
    auto inner = basicAnimation("currentFrame", 0.0, 37.0, 37 / fps);
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
}

// Resizes another layer on its layout (a sublayer, a later sibling) to its
// own size and a margin.
class ResizingLayer : public FrameLayer {
public:
    void layoutSublayers() override {
        FrameLayer::layoutSublayers();
        if (auto other = resized.lock()) other->setBounds({0, 0, bounds().size.width + 2, bounds().size.height + 2});
    }
    std::weak_ptr<Layer> resized;
};

// A layout pass walks only the branches that lead to a layer needing layout,
// and still reaches every such layer in the same tick, however it came to
// need it: built apart, marked deep in a tree laid out before, resized by a
// layout above it or beside it, or brought in as a mask.
TEST_F(DisplayLinkTest, ALayoutPassReachesEveryLayerThatNeedsItInTheSameTick) {
    struct Case {
        const char* name;
        // Builds under `host` (laid out before) and returns the layer to watch.
        std::function<std::shared_ptr<FrameLayer>(Layer& host)> build;
    };
    const auto chain = [](Layer& top, int depth) {
        std::shared_ptr<FrameLayer> layer;
        Layer* parent = &top;
        for (int level = 0; level < depth; ++level) {
            layer = std::make_shared<FrameLayer>();
            parent->addSublayer(layer);
            parent = layer.get();
        }
        return layer;
    };
    const Case cases[] = {
        {"deep in a branch built apart, then added",
         [&](Layer& host) {
             auto branch = Layer::make();
             auto deepest = chain(*branch, 4);
             deepest->setBounds({0, 0, 5, 5});
             host.addSublayer(branch);
             return deepest;
         }},
        {"deep in a tree laid out before",
         [&](Layer& host) {
             auto deepest = chain(host, 5);
             link->tick();
             deepest->setNeedsLayout();
             return deepest;
         }},
        {"resized by its parent's layout",
         [&](Layer& host) {
             auto parent = std::make_shared<ResizingLayer>();
             auto child = std::make_shared<FrameLayer>();
             parent->addSublayer(child);
             parent->resized = child;
             host.addSublayer(parent);
             link->tick();
             parent->setBounds({0, 0, 30, 30});
             return child;
         }},
        {"resized by an earlier sibling's layout",
         [&](Layer& host) {
             auto earlier = std::make_shared<ResizingLayer>();
             auto later = std::make_shared<FrameLayer>();
             host.addSublayer(earlier);
             host.addSublayer(later);
             earlier->resized = later;
             link->tick();
             earlier->setBounds({0, 0, 30, 30});
             return later;
         }},
        {"under a mask set on a layer laid out before",
         [&](Layer& host) {
             auto masked = Layer::make();
             host.addSublayer(masked);
             link->tick();
             auto mask = Layer::make();
             auto inside = chain(*mask, 2);
             inside->setNeedsLayout();
             masked->setMask(mask);
             return inside;
         }},
        {"moved to another branch while it waits",
         [&](Layer& host) {
             auto first = Layer::make();
             auto second = Layer::make();
             host.addSublayer(first);
             host.addSublayer(second);
             auto moving = chain(*first, 2);
             link->tick();
             moving->setNeedsLayout();
             second->addSublayer(moving);
             return moving;
         }},
    };
    for (const Case& testCase : cases) {
        auto host = Layer::make();
        root->addSublayer(host);
        link->tick();
        const std::shared_ptr<FrameLayer> watched = testCase.build(*host);
        const int before = watched->layouts;
        clock->advance(0.1);
        link->tick();
        EXPECT_EQ(watched->layouts, before + 1) << testCase.name;
        EXPECT_FALSE(watched->needsLayout()) << testCase.name;
        host->removeFromSuperlayer();
        link->tick();
    }
}

// Resizes its mask to its own bounds and a margin on its layout, as a gradient
// layer does with the gradient that masks it.
class MaskResizingLayer : public Layer {
public:
    void layoutSublayers() override {
        if (mask()) mask()->setBounds({0, 0, bounds().size.width + 2, bounds().size.height + 2});
    }
};

// A mask is laid out like a sublayer, after the layer it masks, so a tree whose
// only pending work is a mask's layout draws one frame and then idles.
TEST_F(DisplayLinkTest, MasksAreLaidOutAndTheTreeSettles) {
    struct Case {
        const char* name;
        // Builds the masks under the frame layer and returns the one to watch.
        std::function<std::shared_ptr<FrameLayer>(Layer& host)> build;
    };
    const Case cases[] = {
        {"a mask that needs layout",
         [](Layer& host) {
             auto mask = std::make_shared<FrameLayer>();
             host.setMask(mask);
             return mask;
         }},
        {"a mask its layer's layout resizes",
         [](Layer& host) {
             auto owner = std::make_shared<MaskResizingLayer>();
             auto mask = std::make_shared<FrameLayer>();
             owner->setMask(mask);
             host.addSublayer(owner);
             owner->setBounds({0, 0, 20, 20});
             return mask;
         }},
        {"the mask of a mask",
         [](Layer& host) {
             auto outer = std::make_shared<FrameLayer>();
             auto inner = std::make_shared<FrameLayer>();
             outer->setMask(inner);
             host.setMask(outer);
             return inner;
         }},
    };
    for (const Case& testCase : cases) {
        auto host = Layer::make();
        root->addSublayer(host);
        const std::shared_ptr<FrameLayer> mask = testCase.build(*host);
        mask->setNeedsLayout();
        int drawing = 0;
        for (int i = 0; i < 5; ++i) {
            clock->advance(0.1);
            drawing += link->tick() ? 1 : 0;
        }
        EXPECT_EQ(drawing, 1) << testCase.name;
        EXPECT_EQ(mask->layouts, 1) << testCase.name;
        EXPECT_FALSE(mask->needsLayout()) << testCase.name;
        EXPECT_FALSE(link->isActive()) << testCase.name;
        host->removeFromSuperlayer();
        link->tick();
    }
}

TEST_F(DisplayLinkTest, PresentationExistsOnlyOnceDrawn) {
    auto detached = Layer::make();
    EXPECT_EQ(frameLayer->presentation(), nullptr);
    // Rendering marks a tree presented as a tick does.
    auto rendered = Layer::make();
    rendered->addSublayer(detached);
    Renderer::renderImage(rendered, clock->now(), 4, 4);
    EXPECT_NE(detached->presentation(), nullptr);
    frameLayer->setValue("currentFrame", 4.0);
    link->tick();
    const std::shared_ptr<Layer> copy = frameLayer->presentation();
    ASSERT_NE(copy, nullptr);
    EXPECT_DOUBLE_EQ(*copy->value("currentFrame")->number(), 4);
    EXPECT_TRUE(copy->superlayer() == nullptr && copy->sublayers().empty());
}

TEST_F(DisplayLinkTest, PresentationCarriesEveryAnimatedKeyPath) {
    // Every key path is animated at once, so two that reach the same property
    // show; halfway through, each presents its own value in its subclass's copy.
    using namespace platform::graphics;
    struct Case {
        const char* keyPath;
        AnimatableValue from, to, halfway;
    };
    auto line = [](double x) { return compositortest::polyline({{x, 0}, {2 * x, 4}}); };
    const auto black = Color::rgb(0, 0, 0, 1), grey = Color::rgb(0.5, 0.5, 0.5, 0.5), white = Color::rgb(1, 1, 1, 0);
    const AnimatableValue image(platform::graphics::Image::fromStraightRGBA(1, 1, {255, 0, 0, 255}));
    const std::vector<Case> shapeCases = {
        {"opacity", 0.0, 1.0, 0.5},
        {"hidden", false, true, false},
        {"position", Point(0, 0), Point(10, 20), Point(5, 10)},
        {"bounds", Rect(0, 0, 10, 10), Rect(10, 10, 30, 50), Rect(5, 5, 20, 30)},
        {"anchorPoint", Point(0, 0), Point(1, 1), Point(0.5, 0.5)},
        {"transform.translation.x", 0.0, 8.0, 4.0},
        {"transform.scale.y", 1.0, 3.0, 2.0},
        {"sublayerTransform", Transform3D::identity(), Transform3D::makeTranslation(4, 8, 0),
         Transform3D::makeTranslation(2, 4, 0)},
        {"backgroundColor", black, white, grey},
        {"contents", image, AnimatableValue(AnimatableValue::ImageRef()), image},
        {"shadowOpacity", 0.0, 1.0, 0.5},
        {"shadowOffset", Size(0, 0), Size(4, 8), Size(2, 4)},
        {"path", line(0), line(2), line(1)},
        {"fillColor", black, white, grey},
        {"lineWidth", 2.0, 6.0, 4.0},
        {"strokeStart", 0.0, 0.5, 0.25},
        {"strokeEnd", 1.0, 0.5, 0.75},
        {"lineDashPattern", std::vector<double>{2, 1}, std::vector<double>{4, 3}, std::vector<double>{3, 2}},
    };
    const std::vector<Case> gradientCases = {
        {"colors", std::vector<Color>{black, white}, std::vector<Color>{white, black}, std::vector<Color>{grey, grey}},
        {"locations", std::vector<double>{0, 0.25}, std::vector<double>{0.5, 1}, std::vector<double>{0.25, 0.625}},
        {"startPoint", Point(0, 0), Point(1, 0.5), Point(0.5, 0.25)},
        {"endPoint", Point(1, 1), Point(0, 0), Point(0.5, 0.5)},
        {"transform", Transform3D::identity(), Transform3D::makeTranslation(6, 8, 0),
         Transform3D::makeTranslation(3, 4, 0)},
    };
    const std::vector<std::pair<std::shared_ptr<Layer>, std::vector<Case>>> layers = {
        {ShapeLayer::make(), shapeCases}, {GradientLayer::make(), gradientCases}};
    for (const auto& [layer, cases] : layers) {
        root->addSublayer(layer);
        for (const Case& c : cases) {
            layer->addAnimation(basicAnimation(c.keyPath, c.from, c.to, 2), c.keyPath);
        }
    }
    link->tick();
    clock->advance(1);
    for (const auto& [layer, cases] : layers) {
        const std::shared_ptr<Layer> copy = layer->presentation();
        const auto& copied = *copy;
        const auto& original = *layer;
        EXPECT_EQ(typeid(copied), typeid(original));
        for (const Case& c : cases) {
            EXPECT_EQ(copy->value(c.keyPath), c.halfway) << c.keyPath << ": " << copy->value(c.keyPath)->description();
        }
    }
}

}  // namespace
