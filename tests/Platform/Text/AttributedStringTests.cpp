#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "Platform/Text/AttributedString.h"

namespace {

using platform::graphics::Color;
using platform::text::AttributedString;
using platform::text::Font;
using platform::text::TextAttributes;
using platform::text::TextRange;

// U+1D670 MATHEMATICAL MONOSPACE CAPITAL A: four bytes of UTF-8, two UTF-16 units.
const std::string kWideA = "\xF0\x9D\x99\xB0";
// U+00E9: two bytes of UTF-8, one UTF-16 unit.
const std::string kEAcute = "\xC3\xA9";

TEST(AttributedStringTest, LengthCountsUtf16CodeUnits) {
    const struct {
        std::string text;
        std::size_t length;
    } cases[] = {
        {"", 0},
        {kEAcute + "t" + kEAcute, 3},
        {"\xE2\x82\xAC", 1},  // euro sign: three bytes, one unit
        {"a" + kWideA + "b" + kWideA, 6},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.text);
        EXPECT_EQ(AttributedString(entry.text).length(), entry.length);
    }
}

TEST(AttributedStringTest, RejectsTextThatIsNotUtf8) {
    const std::string broken[] = {
        "\x80",              // continuation byte without a lead
        "ab\xC3",            // truncated sequence
        "\xC0\xAF",          // overlong slash
        "\xED\xA0\x80",      // a surrogate written as UTF-8
        "\xF4\x90\x80\x80",  // past U+10FFFF
    };
    for (const auto& text : broken) {
        EXPECT_THROW(AttributedString{text}, std::invalid_argument);
    }
}

TEST(AttributedStringTest, RangeEdgesInsideASurrogatePairMoveToTheCharacterEnd) {
    // Units: a=0, wide A=1..2, b=3.
    const struct {
        TextRange range;
        std::size_t firstByte;
        std::size_t endByte;
    } cases[] = {
        {{1, 2}, 1, 5},  // the whole pair
        {{1, 1}, 1, 5},  // ends inside the pair: the pair is covered
        {{2, 2}, 5, 6},  // starts inside the pair: only "b"
        {{2, 0}, 0, 0},  // nothing
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.range.location * 10 + entry.range.length);
        AttributedString text("a" + kWideA + "b");
        text.setKerning(entry.range, 3);
        std::size_t kernedStart = 0;
        std::size_t kernedEnd = 0;
        for (const auto& run : text.runs()) {
            if (run.attributes.kerning == 3) {
                kernedStart = run.byteStart;
                kernedEnd = run.byteEnd;
            }
        }
        EXPECT_EQ(kernedStart, entry.firstByte);
        EXPECT_EQ(kernedEnd, entry.endByte);
    }
    // Asking at the second half of the pair reads the pair's own attributes.
    AttributedString text("a" + kWideA + "b");
    text.setKerning({1, 2}, 5);
    EXPECT_EQ(text.attributesAt(2).kerning, 5);
}

TEST(AttributedStringTest, SettingOneAttributeKeepsTheOthers) {
    TextAttributes base;
    base.font = Font("DejaVu Sans", 20);
    base.kerning = 2;
    base.ligatures = false;
    AttributedString text("hello world", base);
    text.setForegroundColor({0, 5}, Color::rgb(0, 0, 1));
    text.setStrokeWidth({3, 5}, -4);
    text.setStrokeColor({3, 5}, Color::grey(0.5));

    const TextAttributes& overlap = text.attributesAt(4);
    EXPECT_EQ(overlap.foregroundColor, Color::rgb(0, 0, 1));
    EXPECT_EQ(overlap.strokeWidth, -4);
    EXPECT_EQ(overlap.font, base.font);
    EXPECT_FALSE(overlap.ligatures);
    EXPECT_FALSE(text.attributesAt(9).foregroundColor.has_value());

    // Runs cover the text in order, and neighbours that became equal merge again.
    std::size_t expectedStart = 0;
    for (const auto& run : text.runs()) {
        EXPECT_EQ(run.byteStart, expectedStart);
        expectedStart = run.byteEnd;
    }
    EXPECT_EQ(expectedStart, text.text().size());
    text.removeForegroundColor({0, 5});
    text.setStrokeWidth({3, 5}, 0);
    text.setStrokeColor({0, text.length()}, Color::grey(0.5));
    EXPECT_EQ(text.runs().size(), 1u);
}

TEST(AttributedStringTest, RangesPastTheEndAreErrors) {
    AttributedString text("abc");
    EXPECT_THROW(text.setKerning({0, 4}, 1), std::out_of_range);
    EXPECT_THROW(text.setKerning({2, static_cast<std::size_t>(-1)}, 1), std::out_of_range);
    EXPECT_THROW(text.attributesAt(3), std::out_of_range);
    EXPECT_NO_THROW(text.setKerning({3, 0}, 1));
    EXPECT_EQ(text.runs().size(), 1u);

    AttributedString empty("");
    EXPECT_NO_THROW(empty.setKerning({0, 0}, 1));
    EXPECT_THROW(empty.attributesAt(0), std::out_of_range);
    EXPECT_EQ(empty.runs().size(), 1u);
}

}  // namespace
