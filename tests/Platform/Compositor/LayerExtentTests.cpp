// Where a layer's drawing lands, as LayerExtent finds it from geometry: a
// sublayer that moves counts where it is presented at the time asked for, and
// without a time the walk gives up on it rather than guess.

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/LayerExtent.h"
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

}  // namespace
