// The text render layer alone: what it shows when its text cannot be laid out,
// the colours of a selected range, and the ink that tracking spreads.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "Lottie/MainThread/Text/CoreTextRenderLayer.h"
#include "Platform/Graphics/Image.h"
#include "Platform/Text/TextLayout.h"
#include "tests/Support/RecordingLogger.h"
#include "tests/Lottie/MainThread/Text/TextTestSupport.h"

namespace {

using lottie::CoreTextRenderLayer;
using lottie::TextRangeUnit;
using platform::graphics::Color;
using platform::text::Font;
using platform::text::TextAlignment;

const Color red = Color::rgb(1, 0, 0);
const Color blue = Color::rgb(0, 0, 1);

std::shared_ptr<CoreTextRenderLayer> makeLayer(const std::string& text, double size = 40) {
    auto layer = CoreTextRenderLayer::make();
    layer->setText(text);
    layer->setFont(Font("DejaVu Sans", size));
    layer->setFillColor(red);
    return layer;
}

// What the text layer shows once laid out and displayed at its drawing size.
std::shared_ptr<const platform::graphics::Image> displayed(CoreTextRenderLayer& layer) {
    layer.relayoutText();
    layer.setBounds(layer.drawingRect());
    layer.display();
    return layer.contents();
}

TEST(CoreTextRenderLayer, ATextThatCannotBeLaidOutShowsNothingOfThePreviousOne) {
    struct Case {
        const char* name;
        std::function<void(CoreTextRenderLayer&)> change;
    };
    const std::vector<Case> cases{
        {"empty text", [](CoreTextRenderLayer& layer) { layer.setText(std::string()); }},
        {"no font", [](CoreTextRenderLayer& layer) { layer.setFont(std::nullopt); }},
        {"no colours", [](CoreTextRenderLayer& layer) { layer.setFillColor(std::nullopt); }},
        {"stroke of no width only",
         [](CoreTextRenderLayer& layer) {
             layer.setFillColor(std::nullopt);
             layer.setStrokeColor(blue);
         }},
        {"not UTF-8", [](CoreTextRenderLayer& layer) { layer.setText(std::string("H\xff")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto layer = makeLayer("Hello");
        auto before = displayed(*layer);
        ASSERT_TRUE(before);
        ASSERT_GT(texttest::countPixels(*before, texttest::isRed), 0);
        c.change(*layer);
        EXPECT_TRUE(layer->needsDisplay());
        layer->relayoutText();
        EXPECT_FALSE(layer->hasFillPass() || layer->hasStrokePass());
        EXPECT_EQ(layer->drawingRect(), platform::graphics::Rect::zero());
        layer->display();
        EXPECT_FALSE(layer->contents());
    }
}

TEST(CoreTextRenderLayer, SelectedRangeTakesItsOwnColour) {
    struct Case {
        const char* name;
        std::optional<TextRangeUnit> unit;
        std::optional<std::int64_t> start;
        std::optional<std::int64_t> end;
        std::size_t first;  // the selected characters, [first, last)
        std::size_t last;
    };
    const std::int64_t huge = std::numeric_limits<std::int64_t>::max();
    const std::vector<Case> cases{
        {"percent 0 to 50", TextRangeUnit::percentage, 0, 50, 0, 5},
        {"percent halves round away from zero", TextRangeUnit::percentage, 25, 50, 3, 5},
        {"index from 2 to the end", TextRangeUnit::index, 2, std::nullopt, 2, 10},
        {"index clamped to the text", TextRangeUnit::index, -5, 100, 0, 10},
        {"equal ends select nothing", TextRangeUnit::index, 4, 4, 4, 4},
        {"a percent far past the end is limited to the text", TextRangeUnit::percentage, -huge, huge, 0, 10},
        {"an index far past the end is limited to the text", TextRangeUnit::index, huge, 3, 3, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto layer = makeLayer("ABCDEFGHIJ");
        layer->setTextRangeUnit(c.unit);
        layer->setStart(c.start);
        layer->setEnd(c.end);
        layer->setSelectedRangeOpacity(0.25);
        layer->relayoutText();
        const auto& string = layer->attributedString();
        ASSERT_TRUE(string);
        for (std::size_t index = 0; index < 10; ++index) {
            const auto& colour = string->attributesAt(index).foregroundColor;
            ASSERT_TRUE(colour);
            const bool selected = index >= c.first && index < c.last;
            EXPECT_EQ(*colour, selected ? Color::rgb(1, 0, 0, 0.25) : red) << index;
        }
    }
}

TEST(CoreTextRenderLayer, AColourWithoutRgbValuesIsReportedAndTheRangeTurnsBlack) {
    mainthreadtest::LogCapture log;
    auto layer = makeLayer("ABCDEFGHIJ");
    layer->setFillColor(Color::rgb(std::nan(""), 0, 0));
    layer->setSelectedRangeOpacity(0.5);
    layer->setEnd(50);
    layer->relayoutText();
    EXPECT_EQ(log.warnings.size(), 1u);
    EXPECT_EQ(layer->attributedString()->attributesAt(0).foregroundColor, Color::rgb(0, 0, 0, 0.5));
}

TEST(CoreTextRenderLayer, TrackingSpreadsTheInk) {
    auto inkOf = [](double tracking) {
        auto layer = makeLayer("HHHH");
        layer->setTracking(tracking);
        auto image = displayed(*layer);
        return image ? mainthreadtest::opaqueBounds(*image) : mainthreadtest::PixelBounds{};
    };
    const auto tight = inkOf(0);
    const auto tracked = inkOf(10);
    ASSERT_GE(tight.left, 0);
    ASSERT_GE(tracked.left, 0);
    EXPECT_NEAR((tracked.right - tracked.left) - (tight.right - tight.left), 30, 2);
}

// Drawn again and again, a text is laid out only when an input changes, once
// for the size it needs and both passes it draws. A layer given the same cache
// shows the same text in the same box in other colours from the same layout,
// and lays it out again only in a box of its own, or in another font or size.
TEST(CoreTextRenderLayer, ATextIsLaidOutOncePerChange) {
    auto layer = makeLayer("Hello, again");
    layer->setStrokeColor(blue);
    layer->setStrokeWidth(2);
    const std::size_t before = platform::text::TextLayout::madeOnThisThread();
    for (int draw = 0; draw < 5; ++draw) ASSERT_TRUE(displayed(*layer));
    EXPECT_EQ(platform::text::TextLayout::madeOnThisThread() - before, 1u);
    layer->setText(std::string("Changed"));
    for (int draw = 0; draw < 5; ++draw) ASSERT_TRUE(displayed(*layer));
    EXPECT_EQ(platform::text::TextLayout::madeOnThisThread() - before, 2u);

    // Other layers of the same cache showing "Changed": what each changes,
    // and whether that takes a layout of its own.
    const struct {
        const char* name;
        std::function<void(CoreTextRenderLayer&)> change;
        bool laidOutAgain;
    } others[] = {
        {"another fill colour", [](CoreTextRenderLayer& other) { other.setFillColor(blue); }, false},
        {"a stroke", [](CoreTextRenderLayer& other) {
             other.setStrokeColor(red);
             other.setStrokeWidth(3);
         }, false},
        {"a box of its own",
         [](CoreTextRenderLayer& other) { other.setPreferredSize(platform::graphics::Size(60, 200)); }, true},
        {"another size", [](CoreTextRenderLayer& other) { other.setFont(Font("DejaVu Sans", 41)); }, true},
        {"another font", [](CoreTextRenderLayer& other) { other.setFont(Font("DejaVu Serif", 40)); }, true},
    };
    for (const auto& test : others) {
        SCOPED_TRACE(test.name);
        const std::size_t made = platform::text::TextLayout::madeOnThisThread();
        auto other = makeLayer("Changed");
        other->setLayoutCache(layer->layoutCache());
        test.change(*other);
        ASSERT_TRUE(displayed(*other));
        EXPECT_EQ(platform::text::TextLayout::madeOnThisThread() - made, test.laidOutAgain ? 1u : 0u);
    }
}

// A text whose layout is cut to bound its cost says so once, however often
// it is drawn.
TEST(CoreTextRenderLayer, ACutToTheLayoutIsSaidOnce) {
    testsupport::RecordingLogger log;
    auto layer = makeLayer("a" + std::string(200, '\t') + "b");
    for (int draw = 0; draw < 3; ++draw) {
        layer->setNeedsDisplay();
        ASSERT_TRUE(displayed(*layer));
    }
    layer->setText("b" + std::string(200, '\t') + "a");
    ASSERT_TRUE(displayed(*layer));
    EXPECT_EQ(log.warnings.size(), 1u);
    EXPECT_NE(log.warnings.front().find("costs more to lay out"), std::string::npos);
}

}  // namespace
