#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Platform/Text/Font.h"

namespace {

using platform::text::Font;

struct NamedFont {
    const char* name;
    const char* family;
    const char* postScriptName;
};

// DejaVu is installed by scripts/setup; each way of naming a face reaches it.
TEST(FontTest, ResolvesPostScriptFamilyAndFullNames) {
    const NamedFont cases[] = {
        {"DejaVuSans", "DejaVu Sans", "DejaVuSans"},
        {"DejaVuSans-Bold", "DejaVu Sans", "DejaVuSans-Bold"},
        {"DejaVu Sans", "DejaVu Sans", "DejaVuSans"},
        {"dejavu sans", "DejaVu Sans", "DejaVuSans"},
        {"DejaVu Serif", "DejaVu Serif", "DejaVuSerif"},
        {"DejaVu Sans Bold", "DejaVu Sans", "DejaVuSans-Bold"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name);
        const Font font(entry.name, 20);
        EXPECT_FALSE(font.isFallback());
        EXPECT_EQ(font.familyName(), entry.family);
        EXPECT_EQ(font.postScriptName(), entry.postScriptName);
        EXPECT_EQ(font.requestedName(), entry.name);
    }
}

TEST(FontTest, MetricsArePositiveAndScaleWithSize) {
    const Font small("DejaVu Sans", 10);
    const Font large("DejaVu Sans", 40);
    for (const Font* font : {&small, &large}) {
        EXPECT_GT(font->ascent(), 0);
        EXPECT_GT(font->descent(), 0);
        EXPECT_GE(font->leading(), 0);
        EXPECT_GT(font->capHeight(), 0);
        // Capitals stand on the baseline and stay below the ascent; the em box
        // is about as tall as ascent and descent together.
        EXPECT_LT(font->capHeight(), font->ascent());
        EXPECT_GT(font->ascent() + font->descent(), font->size() * 0.9);
        EXPECT_LT(font->ascent() + font->descent(), font->size() * 1.5);
    }
    EXPECT_DOUBLE_EQ(large.ascent(), small.ascent() * 4);
    EXPECT_DOUBLE_EQ(large.descent(), small.descent() * 4);
    EXPECT_DOUBLE_EQ(large.capHeight(), small.capHeight() * 4);
    EXPECT_DOUBLE_EQ(large.size(), 40);
}

TEST(FontTest, BoldFaceIsADifferentFontOfTheSameFamily) {
    const Font regular("DejaVu Sans", 12);
    const Font bold("DejaVuSans-Bold", 12);
    EXPECT_FALSE(regular == bold);
    EXPECT_TRUE(regular == Font("DejaVuSans", 12));
    EXPECT_FALSE(regular == Font("DejaVu Sans", 13));
}

TEST(FontTest, MissingNameFallsBackToSansSerif) {
    const std::string fallbackFamily = Font::fallbackFamilyName();
    ASSERT_FALSE(fallbackFamily.empty());
    for (const char* name : {"No Such Family 7f3a", "NoSuchFace-Bold", ""}) {
        SCOPED_TRACE(name);
        const Font font(name, 18);
        EXPECT_TRUE(font.isFallback());
        EXPECT_EQ(font.familyName(), fallbackFamily);
        EXPECT_EQ(font.requestedName(), name);
        EXPECT_DOUBLE_EQ(font.size(), 18);
        EXPECT_GT(font.ascent(), 0);
    }
    // On a machine set up by scripts/setup the fallback is the DejaVu face.
    EXPECT_EQ(fallbackFamily, "DejaVu Sans");
    const Font fallback("No Such Family 7f3a", 18);
    EXPECT_DOUBLE_EQ(fallback.ascent(), Font("DejaVu Sans", 18).ascent());
}

TEST(FontTest, UnusableSizesAreReplaced) {
    const struct {
        double requested;
        double expected;
    } cases[] = {
        {0, Font::defaultSize},
        {-5, Font::defaultSize},
        {std::nan(""), Font::defaultSize},
        {INFINITY, Font::defaultSize},
        {1e12, Font::maximumSize},
        {0.5, 0.5},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.requested);
        EXPECT_DOUBLE_EQ(Font("DejaVu Sans", entry.requested).size(), entry.expected);
    }
}

}  // namespace
