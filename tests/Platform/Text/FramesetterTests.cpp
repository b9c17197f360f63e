#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Platform/Text/Framesetter.h"
#include "Platform/Text/TextLayout.h"
#include "Platform/Text/TextLayoutAllowance.h"
#include "Platform/Text/TextLayoutCache.h"
#include "Platform/Graphics/ProcessorDeadline.h"
#include "tests/Support/SteppingProcessorClock.h"

namespace {

using platform::graphics::Rect;
using platform::graphics::Size;
using platform::text::AttributedString;
using platform::text::Font;
using platform::text::Frame;
using platform::text::Framesetter;
using platform::text::ParagraphStyle;
using platform::text::TextAlignment;
using platform::text::TextAttributes;
using platform::text::TextRange;

constexpr double kFree = Framesetter::unconstrained;
const char* const kFamily = "DejaVu Sans";

AttributedString styled(const std::string& text, ParagraphStyle style = {}, double size = 20) {
    TextAttributes attributes;
    attributes.font = Font(kFamily, size);
    attributes.paragraphStyle = style;
    return AttributedString(text, attributes);
}

double naturalLineHeight(double size = 20) {
    const Font font(kFamily, size);
    return font.ascent() + font.descent() + font.leading();
}

TEST(FramesetterTest, SuggestedSizeWrapsAtTheConstraintWidth) {
    const std::string text = "the quick brown fox jumps over the lazy dog again and again";
    const Framesetter framesetter(styled(text));
    const Size free = framesetter.suggestFrameSize({kFree, kFree});
    const double line = naturalLineHeight();
    int previousLines = 1;
    for (const double width : {free.width, 300.0, 200.0, 120.0, 80.0}) {
        SCOPED_TRACE(width);
        const Size size = framesetter.suggestFrameSize({width, kFree});
        EXPECT_LE(size.width, width + 1e-9);
        const double lines = size.height / line;
        EXPECT_NEAR(lines, std::round(lines), 1e-9);
        EXPECT_GE(static_cast<int>(std::round(lines)), previousLines);
        previousLines = static_cast<int>(std::round(lines));
        // A frame of the suggested size, rounded up, holds the whole text.
        const Frame frame = framesetter.createFrame(Rect(0, 0, std::ceil(size.width), std::ceil(size.height)));
        ASSERT_EQ(frame.lines().size(), static_cast<std::size_t>(previousLines));
        EXPECT_EQ(frame.lines().back().stringRange.end(), text.size());
    }
    EXPECT_GT(previousLines, 4);
    EXPECT_NEAR(framesetter.suggestFrameSize({free.width, kFree}).height, line, 1e-9);
    EXPECT_EQ(Framesetter(styled("")).suggestFrameSize({kFree, kFree}), Size(0, 0));
}

// In a box without a set width, centred lines are placed within the widest
// of the lines the box shows: a longer line below, which it hides, moves none.
TEST(FramesetterTest, HeightConstraintKeepsOnlyWholeLines) {
    const Framesetter framesetter(styled("one\ntwo\nthree"));
    ParagraphStyle centred;
    centred.alignment = TextAlignment::center;
    const Framesetter centredFramesetter(styled("one\ntwo\nthree", centred));
    const double line = naturalLineHeight();
    const struct {
        double height;
        double expected;
    } cases[] = {{kFree, 3 * line}, {2.5 * line, 2 * line}, {line, line}, {0.5 * line, 0}, {-1, 0}, {NAN, 0}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.height);
        EXPECT_NEAR(framesetter.suggestFrameSize({kFree, entry.height}).height, entry.expected, 1e-9);
        const Frame frame = centredFramesetter.createFrame(Rect(0, 0, kFree, entry.height));
        double widest = 0;
        for (const auto& shown : frame.lines()) widest = std::max(widest, shown.width);
        for (std::size_t index = 0; index < frame.lines().size(); ++index) {
            EXPECT_NEAR(frame.lineOrigins()[index].x, (widest - frame.lines()[index].width) / 2, 1e-9) << index;
        }
    }
}

TEST(FramesetterTest, ParagraphsBreakLinesAndLinesKeepTheirSeparators) {
    const Framesetter framesetter(styled("ab\rcd\r\n\nef\xE2\x80\xA9gh\r"));
    const Frame frame = framesetter.createFrame(Rect(0, 0, 500, 500));
    const TextRange expected[] = {{0, 3}, {3, 4}, {7, 1}, {8, 3}, {11, 3}};
    ASSERT_EQ(frame.lines().size(), std::size(expected));
    const double line = naturalLineHeight();
    for (std::size_t index = 0; index < std::size(expected); ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(frame.lines()[index].stringRange, expected[index]);
        EXPECT_NEAR(frame.lineOrigins()[index].y, Font(kFamily, 20).ascent() + index * line, 1e-9);
    }
}

TEST(FramesetterTest, LineStringRangesCountUtf16Units) {
    // Each wide letter is two UTF-16 units; a narrow width puts one word per line.
    const std::string wide = "\xF0\x9D\x99\xB0";
    const Framesetter framesetter(styled(wide + wide + " " + wide + " ab"));
    const Frame frame = framesetter.createFrame(Rect(0, 0, 30, 500));
    ASSERT_EQ(frame.lines().size(), 3u);
    EXPECT_EQ(frame.lines()[1].stringRange, TextRange(5, 3));
    EXPECT_EQ(frame.lines()[2].stringRange, TextRange(8, 2));
}

// Natural alignment follows the writing direction: Hebrew starts at the right edge.
// (Left, centre and right are the text layer's tests.)
TEST(FramesetterTest, NaturalAlignmentFollowsTheWritingDirection) {
    const std::string hebrew = "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D";
    const Frame frame = Framesetter(styled(hebrew)).createFrame(Rect(0, 0, 300, 100));
    ASSERT_EQ(frame.lines().size(), 1u);
    EXPECT_NEAR(frame.lineOrigins()[0].x + frame.lines()[0].width, 300, 1e-6);
    ParagraphStyle left;
    left.alignment = TextAlignment::left;
    EXPECT_EQ(Framesetter(styled(hebrew, left)).createFrame(Rect(0, 0, 300, 100)).lineOrigins()[0].x, 0);
}

TEST(FramesetterTest, JustifiedLinesFillTheWidthExceptTheLast) {
    ParagraphStyle style;
    style.alignment = TextAlignment::justified;
    const Frame frame =
        Framesetter(styled("aa bbb c dddd ee f ggg hh i jjjj kk", style)).createFrame(Rect(0, 0, 150, 500));
    ASSERT_GT(frame.lines().size(), 2u);
    for (std::size_t index = 0; index + 1 < frame.lines().size(); ++index) {
        EXPECT_NEAR(frame.lines()[index].width, 150, 0.01);
    }
    EXPECT_LT(frame.lines().back().width, 149);
}

TEST(FramesetterTest, ParagraphStyleSetsTheLinePitch) {
    const Font font(kFamily, 20);
    const double natural = font.ascent() + font.descent() + font.leading();
    const double below = font.descent() + font.leading();
    const auto style = [](double spacing, double multiple, double minimum, double maximum) {
        ParagraphStyle result;
        result.lineSpacing = spacing;
        result.lineHeightMultiple = multiple;
        result.minimumLineHeight = minimum;
        result.maximumLineHeight = maximum;
        return result;
    };
    const struct {
        const char* name;
        ParagraphStyle style;
        double lineHeight;
        double pitch;
    } cases[] = {
        {"default", style(0, 0, 0, 0), natural, natural},
        {"negative spacing", style(-natural, 0, 0, 0), natural, 0},
        {"multiple", style(0, 2, 0, 0), 2 * natural, 2 * natural},
        {"minimum", style(0, 0, 50, 0), 50, 50},
        {"maximum", style(0, 0, 0, 15), 15, 15},
        // What a text layer asks for a line height of 40: spacing = 40 - natural,
        // maximum = minimum = natural.
        {"fixed line height", style(40 - natural, 1, natural, natural), natural, 40},
        {"not a number", style(NAN, NAN, NAN, NAN), natural, natural},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name);
        const Framesetter framesetter(styled("one\ntwo\nthree", entry.style));
        const Frame frame = framesetter.createFrame(Rect(0, 0, 400, 1000));
        ASSERT_EQ(frame.lines().size(), 3u);
        EXPECT_NEAR(frame.lineOrigins()[0].y, entry.lineHeight - below, 1e-9);
        EXPECT_NEAR(frame.lineOrigins()[1].y - frame.lineOrigins()[0].y, entry.pitch, 1e-9);
        EXPECT_NEAR(frame.lineOrigins()[2].y - frame.lineOrigins()[1].y, entry.pitch, 1e-9);
        const double used = std::max(entry.lineHeight, 2 * entry.pitch + entry.lineHeight);
        EXPECT_NEAR(framesetter.suggestFrameSize({kFree, kFree}).height, used, 1e-9);
    }
}

// Tracking goes between characters only (negative tracking too); ligatures can be
// turned off.
TEST(FramesetterTest, TrackingAndLigaturesChangeTheWidth) {
    const auto width = [](const std::string& text, bool ligatures, double kerning = 0) {
        AttributedString string = styled(text);
        string.setLigatures(string.wholeRange(), ligatures);
        string.setKerning(string.wholeRange(), kerning);
        return Framesetter(string).suggestFrameSize({kFree, kFree}).width;
    };
    EXPECT_NEAR(width("abcd", true, -2), width("abcd", true) - 3 * 2, 1e-6);
    const double separate = 2 * width("f", true) + width("i", true);
    EXPECT_NEAR(width("ffi", false), separate, 1e-6);
    // DejaVu Sans joins "ffi" into one narrower glyph.
    EXPECT_LT(width("ffi", true), separate - 0.1);
}

// Text without any font uses the fallback face at 12 points.
TEST(FramesetterTest, TextWithoutAFontLaysOutWithTheFallback) {
    TextAttributes fallback;
    fallback.font = Font(Font::fallbackFamilyName(), 24);
    const Size expected = Framesetter(AttributedString("Fallback", fallback)).suggestFrameSize({kFree, kFree});
    const Size unstyled = Framesetter(AttributedString("Fallback")).suggestFrameSize({kFree, kFree});
    EXPECT_NEAR(unstyled.width, expected.width / 2, 1e-6);
}

TEST(FramesetterTest, UnusableRectanglesGiveEmptyFrames) {
    const Framesetter framesetter(styled("some text"));
    for (const Rect& rect : {Rect(NAN, 0, 100, 100), Rect(0, 0, NAN, 100), Rect::null(), Rect(0, 0, 100, 1)}) {
        const Frame frame = framesetter.createFrame(rect);
        EXPECT_TRUE(frame.lines().empty());
        EXPECT_TRUE(frame.lineOrigins().empty());
    }
    // A negative size extends the other way from the origin.
    const Frame flipped = framesetter.createFrame(Rect(300, 100, -300, -100));
    EXPECT_EQ(flipped.rect(), Rect(0, 0, 300, 100));
    EXPECT_EQ(flipped.lines().size(), 1u);
    // An unconstrained width does not wrap; alignment falls back to the widest line.
    ParagraphStyle right;
    right.alignment = TextAlignment::right;
    const Frame wide = Framesetter(styled("a\nlonger line", right)).createFrame(Rect(0, 0, kFree, kFree));
    ASSERT_EQ(wide.lines().size(), 2u);
    EXPECT_NEAR(wide.lineOrigins()[0].x + wide.lines()[0].width, wide.lines()[1].width, 1e-6);
}

TEST(FramesetterTest, TextWithNulCharactersStillLaysOut) {
    const Framesetter framesetter(styled(std::string("a\0b", 3)));
    const Frame frame = framesetter.createFrame(Rect(0, 0, 200, 100));
    ASSERT_EQ(frame.lines().size(), 1u);
    EXPECT_EQ(frame.lines()[0].stringRange, TextRange(0, 3));
}

// A line is as wide as its glyphs' advances put together, even past the two
// million points where Pango's integer extents wrap.
TEST(FramesetterTest, ALineIsAsWideAsItsAdvancesHoweverLong) {
    const double size = 1000;
    const double one = Framesetter(styled("W", {}, size)).suggestFrameSize({kFree, kFree}).width;
    for (const int count : {2, 100, 3000}) {
        SCOPED_TRACE(count);
        const Size line = Framesetter(styled(std::string(count, 'W'), {}, size)).suggestFrameSize({kFree, kFree});
        EXPECT_NEAR(line.width, count * one, count * one * 1e-9);
    }
    EXPECT_GT(3000 * one, 2.2e6);
}

// What laying out a paragraph costs is bounded where it would grow without
// bound: a word wrapping into a line per letter (each line shapes the rest of
// the paragraph again) makes at most maximumWrappedCharacters over its length
// lines, the last ending in an ellipsis; tabs past the first 64 lay out as
// spaces; marks and characters that show nothing past the first 32 after a
// character that shows lay out as nothing; a paragraph keeps
// maximumParagraphRuns runs of one script or direction, and a text
// maximumLayoutRuns. Byte offsets stay where they were, so the lines still
// cover the whole text, unless the bounds of a whole text (its lines, its
// runs, and the characters its lines wrap) leave paragraphs out.
TEST(FramesetterTest, LayingOutIsBoundedWhereItsCostWouldGrowWithoutBound) {
    using platform::text::TextLayout;
    const std::string acute = "\xCC\x81";          // U+0301, two bytes
    const std::string dotAbove = "\xE2\x83\x9B";  // U+20DB, three bytes
    const std::string zeroWidthSpace = "\xE2\x80\x8B";
    const std::string alef = "\xD7\x90";
    const auto repeated = [](const std::string& piece, std::size_t count) {
        std::string text;
        for (std::size_t index = 0; index < count; ++index) text += piece;
        return text;
    };
    const struct {
        const char* name;
        std::string text;
        double width;
        bool cut;
        std::size_t lines;
        // The same width laid out from this text instead, when given.
        std::string sameWidthAs;
        // Whether the lines reach the end of the text.
        bool whole = true;
    } cases[] = {
        {"500 letters, a line each", std::string(500, 'a'), 1, false, 500, ""},
        {"3,000 letters, a line each", std::string(3000, 'a'), 1, true, TextLayout::maximumWrappedCharacters / 3000, ""},
        {"64 tabs", "a" + std::string(64, '\t') + "b", kFree, false, 1, ""},
        {"200 tabs", "a" + std::string(200, '\t') + "b", kFree, true, 1,
         "a" + std::string(64, '\t') + std::string(136, ' ') + "b"},
        {"32 marks", "a" + repeated(acute, 32) + "b", kFree, false, 1, ""},
        {"200 two-byte marks", "a" + repeated(acute, 200) + "b", kFree, true, 1, "a" + repeated(acute, 32) + "b"},
        {"200 three-byte marks", "a" + repeated(dotAbove, 200) + "b", kFree, true, 1,
         "a" + repeated(dotAbove, 32) + "b"},
        // Each letter starts its marks anew.
        {"40 letters with an accent each", repeated("a" + acute, 40), kFree, false, 1, ""},
        // The shaper looks past a zero-width space for the letter a mark sits on.
        {"runs of 31 marks split by zero-width spaces", "a" + repeated(repeated(acute, 31) + zeroWidthSpace, 600),
         kFree, true, 1, "a" + repeated(acute, 31) + zeroWidthSpace},
        // Pango would shape the line again for each zero-width space after a
        // letter it cannot hold, and for each mark past the bound, were it
        // laid out as a character of its own.
        {"a letter and 18,000 zero-width spaces, one unit wide", "a" + repeated(zeroWidthSpace, 18'000), 1, true, 2,
         ""},
        {"a letter and 20,000 marks, one unit wide", "a" + repeated(acute, 20'000), 1, true, 1, ""},
        // Four paragraphs wrap as many characters as a whole text may.
        {"100 paragraphs of 500 letters, a line each", repeated(std::string(500, 'a') + "\n", 100), 1, true,
         TextLayout::maximumLayoutWrappedCharacters / (500 * 500) * 500, "", false},
        {"6,000 paragraphs of a letter", repeated("a\n", 6000), kFree, true, TextLayout::maximumLines, "", false},
        // Each run of one script or direction is shaped on its own, and
        // putting those of a line in order costs Pango the square of their
        // number: the paragraph ends after the runs it may keep.
        {"10,000 letters alternating Latin and Hebrew", repeated("a" + alef, 5000), kFree, true, 1,
         repeated("a" + alef, TextLayout::maximumParagraphRuns / 2), false},
        {"9 paragraphs of as many such runs as a paragraph may keep",
         repeated(repeated("a" + alef, TextLayout::maximumParagraphRuns / 2) + "\n", 9), kFree, true,
         TextLayout::maximumLayoutRuns / TextLayout::maximumParagraphRuns, "", false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const Framesetter framesetter(styled(test.text));
        const Frame frame = framesetter.createFrame(Rect(0, 0, test.width, kFree));
        EXPECT_EQ(frame.isCut(), test.cut);
        ASSERT_EQ(frame.lines().size(), test.lines);
        EXPECT_EQ(frame.lines().front().stringRange.location, 0u);
        EXPECT_EQ(frame.lines().back().stringRange.end() == framesetter.attributedString().length(), test.whole);
        if (!test.sameWidthAs.empty()) {
            const double width = framesetter.suggestFrameSize({kFree, kFree}).width;
            EXPECT_NEAR(width, Framesetter(styled(test.sameWidthAs)).suggestFrameSize({kFree, kFree}).width, 1e-6);
        }
    }
}

// Framesetters of one cache lay the same text out once between them, whatever
// colours and strokes cover it, and again for another box, size or font; a framesetter keeps
// its layout, so measuring and framing at one width lay out once. The texts of
// one cache make at most TextLayoutAllowance::maximumLines lines together: a
// text past them shows none, until a layout that held lines is gone, and one
// that reaches them keeps the lines left. Each layout made reads the deadline.
TEST(FramesetterTest, FramesettersOfACacheShareLayoutsAndOneAllowance) {
    using platform::text::TextLayout;
    using platform::text::TextLayoutAllowance;
    const auto cache = std::make_shared<platform::text::TextLayoutCache>();
    const std::size_t before = TextLayout::madeOnThisThread();
    const std::string text = "the same words in the same box";
    AttributedString stroked = styled(text);
    stroked.setStrokeWidth(stroked.wholeRange(), 3);
    stroked.setForegroundColor(stroked.wholeRange(), platform::graphics::Color::rgb(1, 0, 0));
    const Framesetter filling(styled(text), cache);
    const Framesetter stroking(stroked, cache);
    const Frame filled = filling.createFrame(Rect(0, 0, 100, 200));
    EXPECT_EQ(stroking.createFrame(Rect(10, 10, 100, 200)).lines(), filled.lines());
    EXPECT_LE(filling.suggestFrameSize({100, kFree}).width, 100);
    EXPECT_EQ(TextLayout::madeOnThisThread() - before, 1u);
    EXPECT_GT(filling.createFrame(Rect(0, 0, 200, 200)).lines().size(), 0u);
    EXPECT_EQ(Framesetter(styled(text)).createFrame(Rect(0, 0, 100, 200)).lines(), filled.lines());
    EXPECT_EQ(TextLayout::madeOnThisThread() - before, 3u);
    // The same words in another size or font are laid out anew.
    AttributedString serif = styled(text);
    serif.setFont(serif.wholeRange(), Font("DejaVu Serif", 20));
    for (const AttributedString& other : {styled(text, {}, 21), serif}) {
        const std::size_t made = TextLayout::madeOnThisThread();
        EXPECT_NE(Framesetter(other, cache).createFrame(Rect(0, 0, 100, 200)).lines().size(), 0u);
        EXPECT_EQ(TextLayout::madeOnThisThread() - made, 1u);
    }

    // Four texts of as many one-letter paragraphs as a text may make.
    const auto paragraphs = [](char letter) {
        std::string text;
        for (std::size_t index = 0; index < TextLayout::maximumLines; ++index) text += std::string(1, letter) + "\n";
        return text;
    };
    static_assert(TextLayoutAllowance::maximumLines == 4 * TextLayout::maximumLines);
    const auto bounded = std::make_shared<platform::text::TextLayoutCache>();
    std::vector<Framesetter> framesetters;
    std::vector<Frame> frames;
    for (const char letter : {'a', 'b', 'c', 'd'}) {
        framesetters.emplace_back(styled(paragraphs(letter)), bounded);
        frames.push_back(framesetters.back().createFrame(Rect(0, 0, kFree, kFree)));
        EXPECT_FALSE(frames.back().isCut());
        EXPECT_EQ(frames.back().lines().size(), TextLayout::maximumLines);
    }
    const Framesetter fifth(styled(paragraphs('e')), bounded);
    const Frame refused = fifth.createFrame(Rect(0, 0, kFree, kFree));
    EXPECT_TRUE(refused.isCut());
    EXPECT_TRUE(refused.lines().empty());
    framesetters.pop_back();
    frames.pop_back();
    const Framesetter sixth(styled(paragraphs('f')), bounded);
    EXPECT_EQ(sixth.createFrame(Rect(0, 0, kFree, kFree)).lines().size(), TextLayout::maximumLines);

    // A paragraph of more lines, broken by line separators, than the
    // allowance has left keeps what it has left.
    framesetters.pop_back();
    frames.pop_back();
    std::string most;
    for (std::size_t index = 0; index < TextLayout::maximumLines - 500; ++index) most += "g\n";
    const Framesetter seventh(styled(most), bounded);
    EXPECT_EQ(seventh.createFrame(Rect(0, 0, kFree, kFree)).lines().size(), TextLayout::maximumLines - 500);
    std::string separated;
    for (int index = 0; index < 1000; ++index) separated += "h\xE2\x80\xA8";  // U+2028
    const Frame kept = Framesetter(styled(separated), bounded).createFrame(Rect(0, 0, kFree, kFree));
    EXPECT_TRUE(kept.isCut());
    EXPECT_EQ(kept.lines().size(), 500u);

    // Each text a cache lays out reads the clock of the deadline the thread
    // counts toward, as one layout may cost milliseconds: past it, texts are
    // given layouts without lines. Each reading here moves the clock on by a
    // quarter of the deadline.
    const testsupport::SteppingProcessorClock::Installation clock(0.25);
    const auto deadline = std::make_shared<platform::graphics::ProcessorDeadline>(1);
    const platform::graphics::ProcessorDeadline::Scope counting(deadline);
    std::vector<Framesetter> timed;
    std::size_t laidOut = 0;
    for (char letter = 'a'; letter <= 'h'; ++letter) {
        timed.emplace_back(styled(std::string(3, letter)), cache);
        const bool shown = !timed.back().createFrame(Rect(0, 0, kFree, kFree)).lines().empty();
        EXPECT_EQ(timed.back().isPastDeadline(), !shown);
        if (shown) ++laidOut;
    }
    EXPECT_GE(laidOut, 2u);
    EXPECT_LE(laidOut, 5u);
    EXPECT_TRUE(deadline->hasPassed());
}

}  // namespace
