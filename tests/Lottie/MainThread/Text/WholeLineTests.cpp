// Text layers show every glyph of their lines on every engine choice: a point
// line reaches its last word whatever its alignment, tracking, scale, stroke or
// animators; every line of a tall box shows; and a line tens of thousands of
// units long shows the characters that fall in the frame.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Platform/Text/Framesetter.h"
#include "tests/Lottie/MainThread/Text/TextTestSupport.h"

namespace {

using namespace texttest;
using mainthreadtest::PixelBounds;

constexpr int kWidth = 600;
constexpr int kHeight = 200;

std::shared_ptr<const platform::graphics::Image> render(const std::string& layer,
                                                        const lottie::RenderingEngineOption& option, int height) {
    return mainthreadtest::renderFrames(mainthreadtest::decode(mainthreadtest::document("[" + layer + "]", kWidth, height)),
                                        option, {0});
}

bool isInk(const platform::graphics::Image& image, int x, int y) { return mainthreadtest::pixelAt(image, x, y).a > 96; }

// Runs of consecutive rows (or of consecutive pixels along row `y`) holding ink.
int inkRowRuns(const platform::graphics::Image& image) {
    int runs = 0;
    bool previous = false;
    for (int y = 0; y < image.height(); ++y) {
        bool any = false;
        for (int x = 0; x < image.width() && !any; ++x) any = isInk(image, x, y);
        runs += any && !previous ? 1 : 0;
        previous = any;
    }
    return runs;
}

int inkRunsAlongRow(const platform::graphics::Image& image, int y) {
    int runs = 0;
    bool previous = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool ink = isInk(image, x, y);
        runs += ink && !previous ? 1 : 0;
        previous = ink;
    }
    return runs;
}

// A point line with and without its last word, and the word alone: the whole
// line's ink is wider than the shorter line's by at least the word's ink.
TEST(TextWholeLine, APointLineReachesPastTheSameLineWithoutItsLastWord) {
    const std::string label = "Label without tracking";
    const std::string alpha = "Alpha Beta Gamma Delta";
    const std::string moveAndGrow = R"([{"nm":"Move","s":{"s":{"a":0,"k":0},"e":{"a":0,"k":100},"r":1},)"
                                    R"("a":{"p":{"a":0,"k":[0,10]},"s":{"a":0,"k":[110,110]}}}])";
    const struct Case {
        const char* name;
        std::string line;
        std::string lastWord;
        std::function<void(DocumentSpec&)> style;
        std::pair<double, double> position;
        double scale = 100;
        std::string animators = "[]";
    } cases[] = {
        {"left", label, "Path", [](DocumentSpec&) {}, {20, 100}},
        {"centred", label, "Path", [](DocumentSpec& d) { d.justification = 2; }, {300, 100}},
        {"right", label, "Path", [](DocumentSpec& d) { d.justification = 1; }, {580, 100}},
        {"tracked", label, "Path", [](DocumentSpec& d) { d.tracking = 100; }, {20, 100}},
        {"filled and stroked", label, "Path",
         [](DocumentSpec& d) {
             d.stroke = "[0,0,1]";
             d.strokeWidth = 2;
         },
         {20, 100}},
        {"size 100 on a layer at 20 %", alpha, "Epsilon", [](DocumentSpec& d) { d.size = 100; }, {20, 100}, 20},
        {"moved and grown by an animator", label, "Path", [](DocumentSpec&) {}, {20, 80}, 100, moveAndGrow},
    };
    for (const auto& option : mainthreadtest::engineOptions()) {
        SCOPED_TRACE(option.description());
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            const auto inkOf = [&](const std::string& text) {
                DocumentSpec document;
                document.text = text;
                document.size = 30;
                document.lineHeight = 36;
                c.style(document);
                const auto image = render(textLayer({{0, document}}, c.animators, c.position, "Line", c.scale), option,
                                          kHeight);
                EXPECT_TRUE(image);
                return image ? mainthreadtest::opaqueBounds(*image) : PixelBounds{};
            };
            const PixelBounds whole = inkOf(c.line + " " + c.lastWord);
            const PixelBounds shorter = inkOf(c.line);
            const PixelBounds word = inkOf(c.lastWord);
            ASSERT_GE(whole.left, 0);
            ASSERT_GE(shorter.left, 0);
            ASSERT_GE(word.left, 0);
            // Each line lies within the frame, so nothing of it is cut there.
            ASSERT_GT(whole.left, 0);
            ASSERT_LT(whole.right, kWidth);
            EXPECT_GE((whole.right - whole.left) - (shorter.right - shorter.left), (word.right - word.left) - 2);
        }
    }
}

// Fourteen short lines in a box that holds them all.
TEST(TextWholeLine, EveryLineOfATallBoxShows) {
    DocumentSpec document;
    document.text = "Line 1";
    for (int index = 2; index <= 14; ++index) document.text += "\\rLine " + std::to_string(index);
    document.size = 24;
    document.lineHeight = 30;
    document.boxPosition = {{0, 0}};
    document.boxSize = {{360, 460}};
    for (const auto& option : mainthreadtest::engineOptions()) {
        SCOPED_TRACE(option.description());
        const auto image = render(textLayer({{0, document}}, "[]", {20, 20}, "Box"), option, 500);
        ASSERT_TRUE(image);
        EXPECT_EQ(inkRowRuns(*image), 14);
    }
}

// 2,000 monospaced letters I, 36,000 units or more long: as many stems show
// along the middle of the line as there are cells in the frame, whether the
// line starts or ends there, at its own size or shown small.
TEST(TextWholeLine, AVeryLongLineShowsItsCharactersWithinTheFrame) {
    const struct Case {
        const char* name;
        double size;
        int justification;
        double x;  // where the line starts (left) or ends (right)
        double scale;
    } cases[] = {
        {"starting in the frame", 30, 0, 20, 100},
        {"ending in the frame", 30, 1, 580, 100},
        {"at 300 points shown at 5 %", 300, 0, 20, 5},
    };
    for (const auto& option : mainthreadtest::engineOptions()) {
        SCOPED_TRACE(option.description());
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            DocumentSpec document;
            document.text = std::string(2000, 'I');
            document.font = "DejaVu Sans Mono";
            document.size = c.size;
            document.lineHeight = c.size;
            document.justification = c.justification;
            const auto image = render(textLayer({{0, document}}, "[]", {c.x, 120}, "Long", c.scale), option, kHeight);
            ASSERT_TRUE(image);
            const PixelBounds ink = mainthreadtest::opaqueBounds(*image);
            if (ink.top < 0) {
                ADD_FAILURE() << "nothing shows";
                continue;
            }

            platform::text::TextAttributes attributes;
            attributes.font = platform::text::Font(document.font, c.size);
            const double cell = platform::text::Framesetter(platform::text::AttributedString("I", attributes))
                                    .suggestFrameSize({platform::text::Framesetter::unconstrained,
                                                       platform::text::Framesetter::unconstrained})
                                    .width *
                                c.scale / 100;
            ASSERT_GT(cell * 2000, 32767 * c.scale / 100);
            const double room = c.justification == 0 ? kWidth - c.x : c.x;
            const int cells = static_cast<int>(std::floor(room / cell));
            const int stems = inkRunsAlongRow(*image, (ink.top + ink.bottom) / 2);
            EXPECT_GE(stems, cells - 1);
            EXPECT_LE(stems, cells + 1);
        }
    }
}

}  // namespace
