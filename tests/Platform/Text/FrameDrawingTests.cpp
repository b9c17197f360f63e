#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Platform/Graphics/WorkBudget.h"
#include "Platform/Text/Framesetter.h"
#include "TextCanvas.h"

namespace {

using platform::graphics::Color;
using platform::graphics::Point;
using platform::graphics::Rect;
using platform::text::AttributedString;
using platform::text::Font;
using platform::text::Frame;
using platform::text::Framesetter;
using platform::text::ParagraphStyle;
using platform::text::TextAttributes;
using platform::text::TextRange;
using texttest::Pixel;
using texttest::TextCanvas;

// U+2588 FULL BLOCK fills its whole cell in DejaVu Sans Mono, so its interior is
// easy to find; every cell of the monospaced face has the same advance.
const std::string kBlock = "\xE2\x96\x88";
const char* const kMono = "DejaVu Sans Mono";
constexpr double kFree = Framesetter::unconstrained;

AttributedString blocks(int count, double size, ParagraphStyle style = {}) {
    std::string text;
    for (int index = 0; index < count; ++index) text += kBlock;
    TextAttributes attributes;
    attributes.font = Font(kMono, size);
    attributes.paragraphStyle = style;
    return AttributedString(text, attributes);
}

double advance(double size) { return Framesetter(blocks(1, size)).suggestFrameSize({kFree, kFree}).width; }

bool isRed(const Pixel& pixel) { return pixel.red > 200 && pixel.green < 40 && pixel.blue < 40 && pixel.alpha > 200; }
bool isBlack(const Pixel& pixel) { return pixel.red < 40 && pixel.green < 40 && pixel.blue < 40 && pixel.alpha > 200; }
bool isBlue(const Pixel& pixel) { return pixel.blue > 100 && pixel.red < 40 && pixel.alpha > 100; }
bool isEmpty(const Pixel& pixel) { return pixel.alpha == 0; }
bool isInk(const Pixel& pixel) { return pixel.alpha > 0; }

// Blocks after an optional non-BMP letter (two UTF-16 units), with a range
// coloured red: exactly the cells of that range are red, the rest black.
TEST(FrameDrawingTest, ColouredRangeColoursOnlyItsCharacters) {
    const double size = 40;
    const std::string wideA = "\xF0\x9D\x99\xB0";  // U+1D670
    const struct {
        const char* name;
        std::string prefix;
        TextRange range;
        std::vector<bool> redBlocks;
    } cases[] = {
        {"blocks only", "", {1, 2}, {false, true, true, false}},
        {"after a non-BMP letter", wideA, {2, 1}, {true, false}},
    };
    TextAttributes attributes;
    attributes.font = Font(kMono, size);
    const double cell = advance(size);
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name);
        std::string characters = entry.prefix;
        for (std::size_t index = 0; index < entry.redBlocks.size(); ++index) characters += kBlock;
        AttributedString text(characters, attributes);
        text.setForegroundColor(entry.range, Color::rgb(1, 0, 0));
        const Frame frame = Framesetter(text).createFrame(Rect(0, 0, 200, 60));
        ASSERT_EQ(frame.lines().size(), 1u);
        TextCanvas canvas(200, 60);
        frame.draw(canvas.context());

        const double prefixWidth =
            Framesetter(AttributedString(entry.prefix, attributes)).suggestFrameSize({kFree, kFree}).width;
        const int top = static_cast<int>(frame.lineOrigins()[0].y - Font(kMono, size).capHeight()) + 1;
        const int bottom = static_cast<int>(frame.lineOrigins()[0].y) - 1;
        // Blocks overhang their cells by a pixel; only cell interiors are compared.
        const auto interior = [&](double left, double right, bool (*predicate)(const Pixel&)) {
            const int x0 = static_cast<int>(std::ceil(left)) + 2;
            const int x1 = static_cast<int>(std::floor(right)) - 2;
            return std::make_pair(canvas.count(x0, top, x1, bottom, predicate), (x1 - x0) * (bottom - top));
        };
        if (!entry.prefix.empty()) {
            EXPECT_EQ(interior(0, prefixWidth, isRed).first, 0);
            EXPECT_GT(interior(0, prefixWidth, isBlack).first, 20);
        }
        for (std::size_t index = 0; index < entry.redBlocks.size(); ++index) {
            SCOPED_TRACE(index);
            const double left = prefixWidth + index * cell;
            const auto expected = entry.redBlocks[index] ? isRed : isBlack;
            const auto [matching, area] = interior(left, left + cell, expected);
            ASSERT_GT(area, 100);
            EXPECT_EQ(matching, area);
        }
        // Nothing is drawn past the last character.
        const int end = static_cast<int>(prefixWidth + entry.redBlocks.size() * cell) + 2;
        EXPECT_EQ(canvas.count(end, 0, 200, 60, isInk), 0);
    }
}

TEST(FrameDrawingTest, StrokeWidthChoosesBetweenFillAndOutline) {
    const double size = 60;
    const struct {
        const char* name;
        double strokeWidth;
        std::optional<Color> strokeColor;
        bool centreFilled;
        bool blueOutline;
        bool redOutline;
    } cases[] = {
        {"fill only", 0, Color::rgb(0, 0, 1), true, false, false},
        {"stroke only", 8, Color::rgb(0, 0, 1), false, true, false},
        {"fill and stroke", -8, Color::rgb(0, 0, 1), true, true, false},
        {"stroke in the foreground colour", 8, std::nullopt, false, false, true},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name);
        AttributedString text = blocks(1, size);
        text.setForegroundColor(text.wholeRange(), Color::rgb(1, 0, 0));
        text.setStrokeWidth(text.wholeRange(), entry.strokeWidth);
        if (entry.strokeColor) {
            text.setStrokeColor(text.wholeRange(), *entry.strokeColor);
        }
        const Frame frame = Framesetter(text).createFrame(Rect(10, 10, 100, 100));
        TextCanvas canvas(120, 120);
        frame.draw(canvas.context());

        const Point origin = frame.rect().origin + frame.lineOrigins()[0];
        const int centreX = static_cast<int>(origin.x + advance(size) / 2);
        const int centreY = static_cast<int>(origin.y - size / 4);
        const int lineWidth = static_cast<int>(std::abs(entry.strokeWidth) / 100 * size);
        // A patch in the middle of the block, well inside any outline.
        const int patch = canvas.count(centreX - 5, centreY - 5, centreX + 5, centreY + 5,
                                       entry.centreFilled ? isRed : isEmpty);
        EXPECT_EQ(patch, 100);
        EXPECT_EQ(canvas.count(0, 0, 120, 120, isBlue) > 10 * lineWidth, entry.blueOutline);
        if (!entry.centreFilled) {
            EXPECT_EQ(canvas.count(0, 0, 120, 120, isRed) > 10 * lineWidth, entry.redOutline);
        }
    }
}

TEST(FrameDrawingTest, DrawingLeavesTheStateAsItWasAndDropsAPendingPath) {
    const Frame frame = Framesetter(blocks(3, 20)).createFrame(Rect(0, 0, 100, 50));
    TextCanvas canvas(100, 50);
    auto& context = canvas.context();
    context.setFillColor(Color::rgb(0, 1, 0));
    context.translateBy(3, 4);
    // A pending rectangle in the empty right half: drawing text must not fill it.
    context.addRect(Rect(80, 0, 10, 10));
    frame.draw(context);

    EXPECT_EQ(context.fillColor(), Color::rgb(0, 1, 0));
    EXPECT_EQ(context.currentTransform(), platform::graphics::AffineTransform::makeTranslation(3, 4));
    EXPECT_TRUE(context.isPathEmpty());
    EXPECT_EQ(canvas.count(83, 0, 100, 50, isInk), 0);
    // Text without colours is black whatever the context's fill colour was.
    EXPECT_GT(canvas.count(0, 0, 100, 50, isBlack), 100);
}

TEST(FrameDrawingTest, EmptyFramesAndCollapsedTransformsDrawNothing) {
    TextCanvas canvas(50, 50);
    Frame().draw(canvas.context());
    Framesetter(AttributedString("")).createFrame(Rect(0, 0, 50, 50)).draw(canvas.context());
    Framesetter(blocks(1, 20)).createFrame(Rect(NAN, 0, 50, 50)).draw(canvas.context());
    canvas.context().saveGState();
    canvas.context().scaleBy(0, 0);
    Framesetter(blocks(1, 20)).createFrame(Rect(0, 0, 50, 50)).draw(canvas.context());
    canvas.context().restoreGState();
    EXPECT_EQ(canvas.count(0, 0, 50, 50, isInk), 0);
    EXPECT_EQ(cairo_status(canvas.context().cairo()), CAIRO_STATUS_SUCCESS);
}

// A document can ask for any font size. The largest one allowed must still be
// drawable, and must not stop the same face from drawing afterwards.
TEST(FrameDrawingTest, AnAbsurdFontSizeLeavesTheFaceDrawable) {
    for (const char* family : {"DejaVu Sans", kMono}) {
        SCOPED_TRACE(family);
        TextAttributes huge;
        huge.font = Font(family, 1e9);
        huge.foregroundColor = Color::rgb(1, 0, 0);
        TextCanvas first(64, 64);
        Framesetter(AttributedString(kBlock, huge)).createFrame(Rect(0, 0, 1e6, 1e6)).draw(first.context());
        EXPECT_GT(first.count(0, 0, 64, 64, isInk), 0);

        TextAttributes normal;
        normal.font = Font(family, 40);
        normal.foregroundColor = Color::rgb(1, 0, 0);
        TextCanvas second(64, 64);
        Framesetter(AttributedString("H", normal)).createFrame(Rect(4, 4, 60, 60)).draw(second.context());
        EXPECT_GT(second.count(0, 0, 64, 64, isRed), 50);
    }
}

// A line of blocks set far out in user space, and brought back into view by the
// context's transform: every block of it is drawn in its own cell, however far
// from the origin (past ten ems, and past the few million units where fixed-point
// path coordinates wrap) it lies.
TEST(FrameDrawingTest, EveryGlyphOfALineIsDrawnWhereverItLies) {
    const double size = 30;
    const double cell = advance(size);
    const int count = 40;
    const int width = static_cast<int>(std::ceil(count * cell)) + 20;
    for (const double offset : {0.0, 1e5, 9e6}) {
        SCOPED_TRACE(offset);
        const Frame frame = Framesetter(blocks(count, size)).createFrame(Rect(offset, 0, count * cell + 1, 50));
        ASSERT_EQ(frame.lines().size(), 1u);
        TextCanvas canvas(width, 50);
        canvas.context().translateBy(10 - offset, 0);
        frame.draw(canvas.context());
        const int middle = static_cast<int>(frame.lineOrigins()[0].y - size / 4);
        int drawn = 0;
        for (int index = 0; index < count; ++index) {
            drawn += isBlack(canvas.pixel(static_cast<int>(10 + (index + 0.5) * cell), middle)) ? 1 : 0;
        }
        EXPECT_EQ(drawn, count);
        EXPECT_EQ(canvas.count(0, 0, 8, 50, isInk) + canvas.count(static_cast<int>(12 + count * cell), 0, width, 50, isInk),
                  0);
    }
}

// Drawn through a small clip, a line of 2,000 blocks costs what the few that
// show cost: only glyphs that can show are outlined.
TEST(FrameDrawingTest, OnlyGlyphsThatCanShowCostWork) {
    const auto cost = [](int count) {
        const Frame frame = Framesetter(blocks(count, 30)).createFrame(Rect(0, 0, kFree, 50));
        TextCanvas canvas(200, 50);
        platform::graphics::WorkBudget budget(1e15);
        const platform::graphics::WorkBudget::Activation active(budget);
        frame.draw(canvas.context());
        return budget.used();
    };
    const double few = cost(12);
    EXPECT_GT(few, 0);
    EXPECT_LT(cost(2000), few * 1.5);
}

// A glyph just outside the clip whose stroke reaches into it is drawn there as
// it is without a clip: a block, whose pen reaches past its side, and a
// chevron, whose mitred point reaches past its tip twice as far and more.
TEST(FrameDrawingTest, AStrokeReachingIntoTheClipIsDrawn) {
    const double size = 40;
    const int width = 120;
    const int height = 60;
    // The rightmost column of the canvas with ink.
    const auto inkEnd = [&](const TextCanvas& canvas) {
        for (int x = width - 1; x >= 0; --x) {
            if (canvas.count(x, 0, x + 1, height, isInk) > 0) return x;
        }
        return -1;
    };
    for (const std::string& glyph : {kBlock, std::string(">")}) {
        SCOPED_TRACE(glyph);
        TextAttributes attributes;
        attributes.font = Font(kMono, size);
        AttributedString text(glyph, attributes);
        const Rect box(10, 0, 100, height);
        TextCanvas filled(width, height);
        Framesetter(text).createFrame(box).draw(filled.context());
        text.setStrokeWidth(text.wholeRange(), 40);  // a pen of 16, reaching 8 past the outline
        const Frame frame = Framesetter(text).createFrame(box);
        TextCanvas whole(width, height);
        frame.draw(whole.context());
        const int outline = inkEnd(filled);
        const int reached = inkEnd(whole);
        ASSERT_GT(outline, 10);
        ASSERT_GT(reached, outline + 6);
        // Between the outline and the end of the stroke: past the pen's half
        // width for the chevron.
        const int clip = (outline + reached) / 2;
        TextCanvas clipped(width, height);
        clipped.context().clipToRect(Rect(clip, 0, width - clip, height));
        frame.draw(clipped.context());
        EXPECT_GT(clipped.count(clip, 0, width, height, isInk), 10);
        int differing = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = clip; x < width; ++x) differing += std::abs(clipped.pixel(x, y).alpha - whole.pixel(x, y).alpha) > 2;
        }
        EXPECT_EQ(differing, 0);
    }
}

// A stroke's pen is made at most GraphicsContext::maximumPenRadius device
// pixels wide, so glyphs farther than that reaches from the clip are left out
// however wide the stroke asks to be: a text shown 100 times its size with a
// stroke of 100,000 times the font size outlines what lies within some 6,600
// units of the clip, the same for a line of 400 blocks as for one of 4,000.
TEST(FrameDrawingTest, AStrokesReachIsBoundedAsItsPenIs) {
    const auto cost = [](int count) {
        AttributedString text = blocks(count, 30);
        text.setStrokeWidth(text.wholeRange(), 1e7);
        const Frame frame = Framesetter(text).createFrame(Rect(0, 0, kFree, 50));
        TextCanvas canvas(20, 20);
        canvas.context().scaleBy(100, 100);
        platform::graphics::WorkBudget budget(1e18);
        const platform::graphics::WorkBudget::Activation active(budget);
        frame.draw(canvas.context());
        return budget.used();
    };
    const double reached = cost(400);
    EXPECT_GT(reached, 0);
    EXPECT_LT(cost(4000), reached * 1.5);
}

}  // namespace

