// Where a layer's drawing lands, as LayerExtent finds it from geometry: a
// sublayer that moves counts where it is presented at the time asked for, and
// without a time the walk gives up on it rather than guess; a masked sublayer
// counts only where its mask reaches.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/LayerExtent.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "Platform/Graphics/Color.h"
#include "tests/Platform/Compositor/CompositorTestSupport.h"

namespace {

using platform::compositor::Layer;
using platform::compositor::LayerExtent;
using platform::graphics::Point;
using platform::graphics::Rect;

class LayerExtentTest : public compositortest::CompositorTest {};

TEST_F(LayerExtentTest, AnimatedSublayersCountWherePresentedAtTheTimeGiven) {
    auto container = Layer::make();
    container->setBounds({0, 0, 100, 100});
    auto tile = Layer::make();
    tile->setBounds({0, 0, 10, 10});
    tile->setAnchorPoint({0, 0});
    tile->setBackgroundColor(platform::graphics::Color::rgb(1, 0, 0));
    container->addSublayer(tile);
    // From (0, 0) to (40, 20) over 2 seconds, begun now.
    tile->addAnimation(compositortest::basicAnimation("position", Point{0, 0}, Point{40, 20}, 2), "move");
    const double begin = clock->now();
    struct Case {
        const char* name;
        std::optional<double> time;
        std::optional<Rect> expected;
    };
    // A pixel of margin around the tile's box.
    const Case cases[] = {
        {"no time: unknown", std::nullopt, std::nullopt},
        {"at the start", begin, Rect(-1, -1, 12, 12)},
        {"half way", begin + 1, Rect(19, 9, 12, 12)},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        const auto box = LayerExtent::contentBounds(*container, *container, {}, item.time);
        ASSERT_EQ(box.has_value(), item.expected.has_value());
        if (box) {
            EXPECT_EQ(*box, *item.expected);
        }
    }
}

TEST_F(LayerExtentTest, MaskedSublayersCountOnlyWhereTheirMaskReaches) {
    using platform::compositor::ShapeLayer;
    using platform::graphics::Path;
    // A wide backdrop (0..1000 on both axes) masked to a square of 20 points
    // at (30, 40) of its own coordinates; the backdrop sits at (5, 0).
    struct Case {
        const char* name;
        std::function<void(Layer& mask)> change;
        std::optional<Rect> expected;
    };
    const Case cases[] = {
        // A pixel of margin on each box before they meet, one more after.
        {"the mask's path", [](Layer&) {}, Rect(33, 38, 24, 24)},
        {"a mask moved by its own position", [](Layer& mask) { mask.setPosition({100, 0}); },
         Rect(133, 38, 24, 24)},
        {"a mask half past the backdrop's edge", [](Layer& mask) { mask.setPosition({-40, 0}); }, Rect(3, 38, 14, 24)},
        {"a mask wholly past it: nothing shows", [](Layer& mask) { mask.setPosition({-80, 0}); }, Rect::zero()},
        {"a hidden mask: nothing shows", [](Layer& mask) { mask.setHidden(true); }, Rect::zero()},
        {"a mask that moves, with no time to present it", [&](Layer& mask) {
             mask.addAnimation(compositortest::basicAnimation("position", Point{0, 0}, Point{40, 20}, 2), "move");
         },
         std::nullopt},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        auto container = Layer::make();
        container->setBounds({0, 0, 100, 100});
        auto backdrop = Layer::make();
        backdrop->setAnchorPoint({0, 0});
        backdrop->setBounds({0, 0, 1000, 1000});
        backdrop->setPosition({5, 0});
        backdrop->setBackgroundColor(platform::graphics::Color::rgb(0, 0, 1));
        auto mask = ShapeLayer::make();
        mask->setAnchorPoint({0, 0});
        mask->setBounds({0, 0, 100, 100});
        Path square;
        square.addRect({30, 40, 20, 20});
        mask->setPath(square);
        mask->setFillColor(platform::graphics::Color::rgb(0, 0, 0));
        item.change(*mask);
        backdrop->setMask(mask);
        container->addSublayer(backdrop);
        const auto box = LayerExtent::contentBounds(*container, *container, {});
        ASSERT_EQ(box.has_value(), item.expected.has_value());
        if (box) {
            EXPECT_EQ(*box, *item.expected);
        }
    }
}

}  // namespace
