// A layer's local time within one rendered frame: worked out once per layer
// and frame, it must still follow a parent's timing changed during the frame
// (by a layer's display, which the renderer calls as it reaches the layer).

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <optional>

#include "CompositorTestSupport.h"
#include "RenderTestSupport.h"
#include "Platform/Compositor/Layer.h"

namespace {

using namespace platform::compositor;
using namespace compositortest;
using platform::graphics::Color;
using platform::graphics::Rect;

class FrameTimeTest : public CompositorTest {};

// A layer that, as it displays, moves another layer's time, or moves a layer
// under a new parent.
class RetimingLayer : public Layer {
public:
    static std::shared_ptr<RetimingLayer> make(std::function<void()> change) {
        auto layer = std::shared_ptr<RetimingLayer>(new RetimingLayer());
        layer->change_ = std::move(change);
        layer->setFrame(Rect(0, 0, 1, 1));
        layer->setNeedsDisplay();
        return layer;
    }
    void display() override {
        if (change_) change_();
        change_ = nullptr;
    }

private:
    std::function<void()> change_;
};

// A red box fading in over ten seconds of its own time, holding after.
std::shared_ptr<Layer> fadingBox(const Rect& frame) {
    auto box = makeBox(frame, Color::rgb(1, 0, 0));
    box->setOpacity(0);
    auto fade = basicAnimation("opacity", 0.0, 1.0, 10);
    fade->setFillMode(FillMode::both);
    fade->setRemovedOnCompletion(false);
    box->addAnimation(fade, "fade");
    return box;
}

int alphaOf(const std::shared_ptr<Layer>& layer, double mediaTime) {
    const std::optional<AnimatableValue> opacity = layer->presentedValue("opacity", mediaTime);
    return static_cast<int>(std::lround(opacity->number().value_or(-1) * 255));
}

TEST_F(FrameTimeTest, ATimingChangedDuringTheFrameReachesTheLayersDrawnAfterIt) {
    for (const bool reparent : {false, true}) {
        SCOPED_TRACE(reparent ? "moved under a parent ahead in time" : "parent moved ahead in time");
        auto root = makeRoot();
        auto holder = Layer::make();
        holder->setFrame(Rect(0, 0, 40, 40));
        auto ahead = Layer::make();
        ahead->setFrame(Rect(0, 0, 40, 40));
        ahead->setTimeOffset(4);
        // Not drawn itself: the layer moved under it is drawn where the
        // frame found it, once, but in its new parent's time.
        ahead->setHidden(true);
        auto before = fadingBox(Rect(0, 0, 20, 20));
        auto after = fadingBox(Rect(20, 20, 20, 20));
        auto retiming = RetimingLayer::make([&] {
            if (reparent) {
                ahead->addSublayer(after);
            } else {
                holder->setTimeOffset(4);
            }
        });
        holder->addSublayer(before);
        holder->addSublayer(retiming);
        holder->addSublayer(after);
        root->addSublayer(holder);
        root->addSublayer(ahead);
        const double now = clock->now() + 2;
        // The box drawn first is asked its time (and so its parents') before
        // the change: two seconds in, a fifth of the way.
        const int beforeAlpha = alphaOf(before, now);
        ASSERT_EQ(beforeAlpha, 51);
        const auto drawn = renderTree(root, now);
        // The box drawn after the change runs four seconds ahead: six
        // seconds in, not two.
        const int afterAlpha = alphaOf(after, now);
        ASSERT_EQ(afterAlpha, 153);
        EXPECT_TRUE(pixelIs(*drawn, 10, 10, {beforeAlpha, 0, 0, beforeAlpha}));
        EXPECT_TRUE(pixelIs(*drawn, 30, 30, {afterAlpha, 0, 0, afterAlpha}));
    }
}

}  // namespace
