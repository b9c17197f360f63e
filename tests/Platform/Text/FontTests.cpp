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
        {"DejaVuSans-Bold", "DejaVu Sans", "DejaVuSans-Bold"},
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
    // Capitals stay below the ascent; the em box is about as tall as ascent and
    // descent together.
    EXPECT_LT(small.capHeight(), small.ascent());
    EXPECT_NEAR(small.ascent() + small.descent(), 12, 3);
    EXPECT_DOUBLE_EQ(large.ascent(), small.ascent() * 4);
    EXPECT_DOUBLE_EQ(large.descent(), small.descent() * 4);
    EXPECT_DOUBLE_EQ(large.capHeight(), small.capHeight() * 4);
    // Fonts are equal by face and size, however the face was named.
    EXPECT_FALSE(small == large);
    EXPECT_TRUE(small == Font("DejaVuSans", 10));
    EXPECT_FALSE(small == Font("DejaVuSans-Bold", 10));
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
